#pragma once

#include <QDockWidget>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class TKxDesignSurface;
class TKxElement;

/// The "Elements" dock: the label's elements front to back, each with its kind and what it shows, a
/// box that locks it and one that makes it printable; dragging a row moves the element in the stack.
/// Selecting rows selects the elements on the surface, and a selection made on the surface shows in the list;
/// the row clicked last is the current element.
class TKxElementsDock : public QDockWidget {
    Q_OBJECT
public:
    TKxElementsDock(TKxDesignSurface* Lab, QWidget* parent);

    /// The list, one row per element in stacking order (object name "elementList").
    QTreeWidget* List() const { return FList; }
    /// Texts in the current language.
    void Translate();

private:
    /// Rebuilds every row from the label.
    void Refresh();
    /// Selects the rows of the selected elements.
    void ShowSelection();
    void ElementRemoving(const TKxElement* E);
    void RowsSelected();
    void RowChanged(QTreeWidgetItem* Item, int Column);
    /// A row dragged onto another: the element takes that place in the stack.
    void RowMoved(int From, int To);

    TKxDesignSurface* FLab;
    QTreeWidget* FList;
    /// The element of each row.
    std::vector<TKxElement*> FRows;
    bool FSyncing = false;
};

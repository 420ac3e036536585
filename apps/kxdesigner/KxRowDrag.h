#pragma once

#include <QObject>
#include <QPoint>

class QTreeWidget;

/// Moving a row of a flat list by dragging it with the left button: a press on a row, a move past the
/// platform's drag distance and a release over another row (or below the last one) report the move.
/// The list itself is not changed: its owner moves what the row stands for and rebuilds the rows. While
/// a row is dragged, the list's own drag-to-extend-the-selection is held back.
class TKxRowDrag : public QObject {
    Q_OBJECT
public:
    /// Watches List's viewport; owned by List.
    explicit TKxRowDrag(QTreeWidget* List);

signals:
    /// The row From was dropped on row To (the last row when dropped below the rows).
    void Moved(int From, int To);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    /// The row under a viewport point; below the rows, the last row; -1 for an empty list.
    int RowAt(const QPoint& P) const;

    QTreeWidget* FList;
    QWidget* FViewport;
    /// The pressed row, -1 when no press is on a row.
    int FFrom = -1;
    QPoint FPressAt;
    bool FDragging = false;
};

#include "KxElementsDock.h"

#include <algorithm>
#include <memory>
#include <QHeaderView>
#include <QTreeWidget>

#include "elements/KxElement.h"
#include "KxDesignSurface.h"
#include "KxElementCaption.h"
#include "KxRowDrag.h"

namespace {

constexpr int LockColumn = 1;
constexpr int PrintColumn = 2;

// Sets a flag while it lives, so what the dock does itself is not taken for the user's doing.
class TSyncing {
public:
    explicit TSyncing(bool& Flag)
        : FFlag(Flag) {
        FFlag = true;
    }
    ~TSyncing() { FFlag = false; }
    TSyncing(const TSyncing&) = delete;
    TSyncing& operator=(const TSyncing&) = delete;

private:
    bool& FFlag;
};

} // namespace

TKxElementsDock::TKxElementsDock(TKxDesignSurface* Lab, QWidget* parent)
    : QDockWidget(parent)
    , FLab(Lab)
    , FList(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("elementsDock"));
    FList->setObjectName(QStringLiteral("elementList"));
    FList->setColumnCount(3);
    FList->setRootIsDecorated(false);
    FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FList->header()->setStretchLastSection(false);
    FList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FList->header()->setSectionResizeMode(LockColumn, QHeaderView::ResizeToContents);
    FList->header()->setSectionResizeMode(PrintColumn, QHeaderView::ResizeToContents);
    setWidget(FList);
    const TKxLabel* label = Lab->Label();
    connect(label, &TKxLabel::ElementAdded, this, &TKxElementsDock::Refresh);
    connect(label, &TKxLabel::ElementChanged, this, &TKxElementsDock::Refresh);
    connect(label, &TKxLabel::ElementsReordered, this, &TKxElementsDock::Refresh);
    connect(label, &TKxLabel::Replaced, this, &TKxElementsDock::Refresh);
    connect(label, &TKxLabel::ElementRemoving, this, &TKxElementsDock::ElementRemoving);
    connect(Lab, &TKxLab::SelectionChanged, this, &TKxElementsDock::ShowSelection);
    connect(FList, &QTreeWidget::itemSelectionChanged, this, &TKxElementsDock::RowsSelected);
    connect(FList, &QTreeWidget::itemChanged, this, &TKxElementsDock::RowChanged);
    connect(new TKxRowDrag(FList), &TKxRowDrag::Moved, this, &TKxElementsDock::RowMoved);
    Translate();
    Refresh();
}

void TKxElementsDock::Translate() {
    setWindowTitle(tr("Elements"));
    FList->setHeaderLabels({tr("Element"), tr("Locked"), tr("Printable")});
    Refresh();
}

void TKxElementsDock::Refresh() {
    const TSyncing syncing(FSyncing);
    const TKxLabel& label = *FLab->Label();
    std::vector<TKxElement*> elements;
    for (int i = 0; i < label.ElementCount(); ++i)
        elements.push_back(label.Element(i));
    // The same elements in the same order keep their rows: a row whose box was just clicked must
    // outlive the change it makes.
    if (elements != FRows) {
        FList->clear();
        for (size_t i = 0; i < elements.size(); ++i) {
            // Owned by the list.
            auto* row = new QTreeWidgetItem(FList);
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        }
        FRows = elements;
    }
    for (size_t i = 0; i < FRows.size(); ++i) {
        QTreeWidgetItem* row = FList->topLevelItem(static_cast<int>(i));
        row->setText(0, KxElementCaption(*FRows[i]));
        row->setCheckState(LockColumn, FRows[i]->Locked ? Qt::Checked : Qt::Unchecked);
        row->setCheckState(PrintColumn, FRows[i]->Printable ? Qt::Checked : Qt::Unchecked);
    }
    ShowSelection();
}

void TKxElementsDock::ShowSelection() {
    const bool outer = FSyncing;
    FSyncing = true;
    for (size_t i = 0; i < FRows.size(); ++i) {
        QTreeWidgetItem* row = FList->topLevelItem(static_cast<int>(i));
        row->setSelected(FLab->IsSelected(FRows[i]));
        if (FRows[i] == FLab->GetSelected()) FList->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
    }
    FSyncing = outer;
}

void TKxElementsDock::ElementRemoving(const TKxElement* E) {
    // The element goes now: no row may keep pointing at it.
    const TSyncing syncing(FSyncing);
    if (!E) {
        FList->clear();
        FRows.clear();
        return;
    }
    const auto it = std::find(FRows.begin(), FRows.end(), E);
    if (it == FRows.end()) return;
    std::unique_ptr<QTreeWidgetItem>(FList->takeTopLevelItem(static_cast<int>(it - FRows.begin())));
    FRows.erase(it);
}

void TKxElementsDock::RowsSelected() {
    if (FSyncing) return;
    std::vector<TKxElement*> chosen;
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FList->topLevelItem(static_cast<int>(i))->isSelected()) chosen.push_back(FRows[i]);
    const int current = FList->indexOfTopLevelItem(FList->currentItem());
    const TSyncing syncing(FSyncing);
    FLab->SelectElements(chosen, current >= 0 ? FRows[static_cast<size_t>(current)] : nullptr);
}

void TKxElementsDock::RowChanged(QTreeWidgetItem* Item, int Column) {
    if (FSyncing) return;
    const int index = FList->indexOfTopLevelItem(Item);
    if (index < 0) return;
    TKxElement* e = FRows[static_cast<size_t>(index)];
    const bool checked = Item->checkState(Column) == Qt::Checked;
    // The label's change rebuilds the rows, this one among them.
    if (Column == LockColumn) FLab->SetLocked({e}, checked);
    if (Column == PrintColumn && e->Printable != checked) {
        e->Printable = checked;
        FLab->Label()->NotifyElement(e);
    }
}

void TKxElementsDock::RowMoved(int From, int To) {
    // One undo step; the list and the surface follow the label's reorder signal.
    FLab->Label()->MoveElement(FRows.at(static_cast<size_t>(From)), To);
}

#include <algorithm>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>

#include "base/Messages.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "dialogs/KxRecordModel.h"
#include "dialogs/LabProp.h"
#include "label/KxDataBinding.h"
#include "ui_LabProp.h"

// The "DataBase" page: alias and table lists, the data switch, the record grid with its navigator and
// the filter built from its context menu.

void TPropLab::BindData() {
    FRecords = new TKxRecordModel(this);
    FRecords->setObjectName(QStringLiteral("DataSource1"));
    ui->dbGrid->setModel(FRecords);
    // A million rows: every row the same height, so the view never measures them.
    ui->dbGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->dbGrid->verticalHeader()->setDefaultSectionSize(ui->dbGrid->fontMetrics().height() + 6);
    ui->DBNavigator1->SetDataSource(FRecords);
    connect(ui->dbGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& Current, const QModelIndex& Previous) {
                if (Current.isValid() && Current.row() != Previous.row())
                    Guarded([&] { FRecords->SetCurrentRow(Current.row()); });
            });
    connect(FRecords, &TKxRecordModel::currentRowChanged, this, &TPropLab::ShowCurrentRow);
    connect(
        FRecords, &TKxRecordModel::readFailed, this, [](const QString& Message) { ShowMessage(Message); },
        Qt::QueuedConnection);

    FPopup = new QMenu(this);
    FPopup->setObjectName(QStringLiteral("PopupMenu1"));
    FPopup->addActions({ui->equality, ui->inequality, ui->less, ui->greater});
    FPopup->addSeparator();
    FPopup->addActions({ui->Execute, ui->Delete1});
    connect(FPopup, &QMenu::aboutToShow, this, &TPropLab::PopupMenu1Popup);
    connect(ui->dbGrid, &QWidget::customContextMenuRequested, this, &TPropLab::GridMenu);
    const std::pair<QAction*, KxBinding::TFilterOp> ops[] = {{ui->equality, KxBinding::TFilterOp::Equal},
                                                             {ui->inequality, KxBinding::TFilterOp::NotEqual},
                                                             {ui->less, KxBinding::TFilterOp::AtMost},
                                                             {ui->greater, KxBinding::TFilterOp::AtLeast}};
    for (const auto& [action, op] : ops)
        connect(action, &QAction::triggered, this,
                [this, op = op] { OperatorClick(KxBinding::FilterOperator(op)); });
    connect(ui->Execute, &QAction::triggered, this, &TPropLab::ExecuteClick);
    connect(ui->Delete1, &QAction::triggered, this, &TPropLab::Delete1Click);

    connect(ui->CBoxAlias, &QComboBox::currentIndexChanged, this, &TPropLab::CBoxAliasChange);
    connect(ui->CBoxTables, &QComboBox::currentIndexChanged, this, &TPropLab::CBoxTablesChange);
    // toggled, not clicked: setting the box from the designer's switch runs it when the state changes.
    connect(ui->CheckData, &QCheckBox::toggled, this, &TPropLab::CheckDataClick);
    // The filter in force, in words, between the lists and the grid; nothing without one.
    auto* filter = new QLabel(ui->TabSheet4);
    filter->setObjectName(QStringLiteral("LabelFilter"));
    ui->layout32->insertWidget(1, filter);
    const auto showFilter = [this, filter] {
        const QString text = Table().FilterInForce();
        filter->setText(text.isEmpty() ? QString() : tr("Filter: %1").arg(text));
        filter->setVisible(!text.isEmpty());
    };
    // Every change of the table's binding or filter reloads the grid.
    connect(FRecords, &QAbstractItemModel::modelReset, this, showFilter);
    AddLoader([this, showFilter] {
        FRecords->SetDataSet(&Table());
        FillAlias();
        IniTable();
        ui->CheckData->setChecked(GetLab()->GetDaBa());
        showFilter();
    });
}

void TPropLab::FillAlias() {
    const QSignalBlocker blocker(ui->CBoxAlias);
    ui->CBoxAlias->clear();
    Guarded([this] { ui->CBoxAlias->addItems(KxBinding::AliasNames(*GetLab()->GetAlias(), Session())); });
    ui->CBoxAlias->setCurrentIndex(ui->CBoxAlias->count() > 0 ? 0 : -1);
}

void TPropLab::IniTable() {
    {
        const QSignalBlocker blocker(ui->CBoxAlias);
        QStringList names;
        for (int i = 0; i < ui->CBoxAlias->count(); ++i)
            names << ui->CBoxAlias->itemText(i);
        ui->CBoxAlias->setCurrentIndex(KxBinding::ChooseText(names, Table().DatabaseName()));
    }
    CBoxAliasChange();
}

int TPropLab::HasTables(const QString& AliasName) const {
    return KxBinding::HasTables(*GetLab()->GetAlias(), AliasName);
}

int TPropLab::FindTable(int AliasIndex, const QString& TableName) const {
    return KxBinding::FindTable(*GetLab()->GetAlias(), AliasIndex, TableName);
}

void TPropLab::CBoxAliasChange() {
    bool listed = false;
    {
        const QSignalBlocker blocker(ui->CBoxTables);
        ui->CBoxTables->clear();
        FAliasIndex = -1;
        Guarded([&] {
            const KxBinding::TTableList list = KxBinding::TableList(
                *GetLab()->GetAlias(), Session(), ui->CBoxAlias->currentText(), Table().TableName());
            ui->CBoxTables->addItems(list.Items);
            ui->CBoxTables->setCurrentIndex(list.ItemIndex);
            FAliasIndex = list.AliasIndex;
            listed = true;
        });
    }
    // An alias whose tables cannot be listed leaves the binding as it was.
    if (listed) CBoxTablesChange();
}

void TPropLab::CBoxTablesChange() {
    DataStep([this] {
        // A new binding starts from the unfiltered table as the last filter that worked.
        FGoodFilter.clear();
        FGoodFiltered = false;
        if (KxBinding::SelectTable(Table(), *GetLab()->GetAlias(), ui->CBoxAlias->currentText(), FAliasIndex,
                                   ui->CBoxTables->currentText(), ui->CBoxTables->currentIndex()))
            RememberFilter();
    });
}

void TPropLab::CheckDataClick() {
    Guarded([this] {
        GetLab()->SetDaBa(ui->CheckData->isChecked());
        CheckDataInf();
    });
}

void TPropLab::CheckDataInf() {
    if (GetLab()->GetDaBa()) {
        const int count = Table().RecordCount();
        PrintInfo().SetLabs(count);
        ui->LabCount->setText(QString::number(count));
    }
    const int labs = PrintInfo().GetLabs();
    ui->SpinEdFrom->setRange(1, labs);
    ui->SpinEdFrom->setValue(1);
    ui->SpinEdTo->setRange(1, labs);
    ui->SpinEdTo->setValue(labs);
    // What the boxes show is what prints: stored also when a box held the value already and kept quiet.
    PrintInfo().SetFirstLab(ui->SpinEdFrom->value());
    PrintInfo().SetLastLab(ui->SpinEdTo->value());
    ShowLabs();
    const bool data = ui->CheckData->isChecked();
    ui->SpEdNuLabs->setEnabled(!data);
    ui->SpinEdFrom->setEnabled(data);
    ui->SpinEdTo->setEnabled(data);
    FillQuantityFields();
}

void TPropLab::DataStep(const std::function<void()>& Change) {
    Guarded(Change);
    // The grid and the counts follow the table whatever became of it.
    Guarded([this] { FRecords->Reload(); });
    Guarded([this] { CheckDataInf(); });
}

void TPropLab::RememberFilter() {
    FGoodFilter = Table().Filter();
    FGoodFiltered = Table().Filtered();
}

void TPropLab::ApplyFilter(const std::function<void()>& Change) {
    DataStep([&] {
        try {
            Change();
            RememberFilter();
        } catch (const EDBEngineError& e) {
            ShowMessage(e.Message());
            TTable& table = Table();
            table.Close();
            table.SetFilter(FGoodFilter);
            table.SetFiltered(FGoodFiltered);
            table.Open();
        }
    });
}

QString TPropLab::Condition(const TField& Field, const QString& Op) const {
    return KxBinding::Condition(Field, Op);
}

void TPropLab::AddFilter(TField& Field, const QString& Op) {
    Guarded([&] {
        // A value that cannot be compared is refused before the table is touched.
        Condition(Field, Op);
        ApplyFilter([&] { KxBinding::AddFilter(Field, Op); });
    });
}

void TPropLab::OperatorClick(const QString& Op) {
    const QModelIndex cell = ui->dbGrid->currentIndex();
    TTable& table = Table();
    if (!cell.isValid() || !table.Active() || cell.column() >= table.FieldCount()) return;
    Guarded([&] { FRecords->SetCurrentRow(cell.row()); });
    AddFilter(table.Fields(cell.column()), Op);
}

void TPropLab::ExecuteClick() {
    ApplyFilter([this] { KxBinding::ExecuteFilter(Table()); });
}

void TPropLab::Delete1Click() {
    DataStep([this] {
        KxBinding::DeleteFilter(Table());
        RememberFilter();
    });
}

void TPropLab::PopupMenu1Popup() {
    const KxBinding::TFilterMenuState state = KxBinding::FilterMenuState(Table());
    ui->Execute->setChecked(state.ExecuteChecked);
    ui->Execute->setEnabled(state.ExecuteEnabled);
    ui->Delete1->setEnabled(state.DeleteEnabled);
}

void TPropLab::GridMenu(const QPoint& Pos) {
    FPopup->popup(ui->dbGrid->viewport()->mapToGlobal(Pos));
}

void TPropLab::ShowCurrentRow(int Row) {
    if (Row < 0) return;
    const int column = std::max(ui->dbGrid->currentIndex().column(), 0);
    const QModelIndex index = FRecords->index(Row, column);
    if (ui->dbGrid->currentIndex() != index) ui->dbGrid->setCurrentIndex(index);
    ui->dbGrid->scrollTo(index);
}

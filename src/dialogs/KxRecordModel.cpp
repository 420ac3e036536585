#include "dialogs/KxRecordModel.h"

#include <algorithm>

#include "db/DBEngineError.h"

TKxRecordModel::TKxRecordModel(QObject* parent)
    : QAbstractTableModel(parent) {}

TKxRecordModel::~TKxRecordModel() = default;

void TKxRecordModel::SetDataSet(TTable* Table) {
    FTable = Table;
    Reload();
}

void TKxRecordModel::Reload() {
    beginResetModel();
    FBlocks.clear();
    FBlockOrder.clear();
    FFailed = false;
    FRows = 0;
    FLabels.clear();
    FCursor.Close();
    try {
        if (FTable && FTable->Active()) {
            FCursor.Assign(*FTable);
            FCursor.Open();
            for (int i = 0; i < FTable->FieldCount(); ++i)
                FLabels << FTable->Fields(i).DisplayLabel();
            FRows = FTable->RecordCount();
        }
    } catch (...) {
        FCursor.Close();
        FLabels.clear();
        endResetModel();
        throw;
    }
    endResetModel();
    emit currentRowChanged(CurrentRow());
}

int TKxRecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TKxRecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FLabels.size());
}

QString TKxRecordModel::CellText(int Field) const {
    const TField& field = FCursor.Fields(Field);
    if (field.IsNull()) return {};
    // Bytes have no text; say what the cell holds, as a grid does.
    if (field.DataType() == TFieldType::Graphic) return QStringLiteral("(GRAPHIC)");
    if (field.DataType() == TFieldType::Blob) return QStringLiteral("(BLOB)");
    return field.AsString();
}

TKxRecordModel::TBlock TKxRecordModel::ReadBlock(int Index) const {
    TBlock rows;
    const int first = Index * BlockRows;
    const int count = std::min(BlockRows, FRows - first);
    FCursor.SetRecNo(first + 1);
    // A window starts a page of the cursor, so reading on within it fetches nothing more.
    for (int r = 0; r < count; ++r) {
        if (r > 0) FCursor.Next();
        if (FCursor.RecNo() != first + r + 1) break;
        QStringList cells;
        for (int f = 0; f < FCursor.FieldCount(); ++f)
            cells << CellText(f);
        rows.push_back(std::move(cells));
    }
    return rows;
}

const TKxRecordModel::TBlock& TKxRecordModel::Block(int Index) const {
    static const TBlock none;
    if (const auto found = FBlocks.find(Index); found != FBlocks.end()) return found->second;
    if (FFailed || !FCursor.Active()) return none;
    try {
        TBlock rows = ReadBlock(Index);
        if (FBlockOrder.size() >= MaxBlocks) {
            FBlocks.erase(FBlockOrder.front());
            FBlockOrder.pop_front();
        }
        FBlockOrder.push_back(Index);
        return FBlocks.emplace(Index, std::move(rows)).first->second;
    } catch (const EDBEngineError& e) {
        // Painting cannot raise: the failure is told once and the rows stay empty until a reload.
        FFailed = true;
        emit const_cast<TKxRecordModel*>(this)->readFailed(e.Message());
        return none;
    }
}

QVariant TKxRecordModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= FRows) return {};
    const TBlock& block = Block(index.row() / BlockRows);
    const size_t row = static_cast<size_t>(index.row() % BlockRows);
    if (row >= block.size() || index.column() >= block[row].size()) return {};
    return block[row][index.column()];
}

QVariant TKxRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return section < FLabels.size() ? FLabels[section] : QVariant();
    return section == CurrentRow() ? QStringLiteral("\u25B6") : QString();
}

Qt::ItemFlags TKxRecordModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

int TKxRecordModel::CurrentRow() const {
    if (!FTable || !FTable->Active() || FRows == 0 || FTable->RecNo() <= 0) return -1;
    return std::min(FTable->RecNo(), FRows) - 1;
}

void TKxRecordModel::Moved(int OldRow) {
    const int row = CurrentRow();
    if (row == OldRow) return;
    if (OldRow >= 0) emit headerDataChanged(Qt::Vertical, OldRow, OldRow);
    if (row >= 0) emit headerDataChanged(Qt::Vertical, row, row);
    emit currentRowChanged(row);
}

void TKxRecordModel::SetCurrentRow(int Row) {
    const int old = CurrentRow();
    if (Row < 0 || Row >= FRows || Row == old) return;
    FTable->SetRecNo(Row + 1);
    Moved(old);
}

void TKxRecordModel::Move(bool Possible, void (TTable::*Step)()) {
    if (!Possible) return;
    const int old = CurrentRow();
    (FTable->*Step)();
    Moved(old);
}

void TKxRecordModel::First() {
    Move(FRows > 0, &TTable::First);
}

void TKxRecordModel::Prior() {
    Move(CanMoveBack(), &TTable::Prior);
}

void TKxRecordModel::Next() {
    Move(CanMoveOn(), &TTable::Next);
}

void TKxRecordModel::Last() {
    Move(FRows > 0, &TTable::Last);
}

bool TKxRecordModel::CanMoveBack() const {
    return CurrentRow() > 0;
}

bool TKxRecordModel::CanMoveOn() const {
    const int row = CurrentRow();
    return row >= 0 && row < FRows - 1;
}

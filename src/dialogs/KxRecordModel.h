#pragma once

#include <deque>
#include <map>
#include <memory>
#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "db/Table.h"

/// The data source of the label dialog's record grid and navigator: a read-only table model over the
/// bound table. Rows are read through a browse cursor of its own, one window of BlockRows records at a
/// time as they come into view, and at most MaxBlocks windows are kept, so a table of any size opens at
/// once. Showing rows never moves the bound table; SetCurrentRow and the four moves do, and the bound
/// table's current record is what the grid marks and what a filter condition reads.
class TKxRecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int BlockRows = TTable::PageSize;
    static constexpr int MaxBlocks = 4;

    explicit TKxRecordModel(QObject* parent = nullptr);
    ~TKxRecordModel() override;

    /// The bound table (not owned); null shows nothing.
    void SetDataSet(TTable* Table);
    TTable* DataSet() const { return FTable; }
    /// Shows the bound table as it now stands: its records when open (under its filter), nothing when
    /// closed. Errors of the database layer propagate and leave the model empty.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Field labels across; down, the marker of the bound table's current record.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The row of the bound table's current record; -1 when there is none.
    int CurrentRow() const;
    /// Moves the bound table to the record of Row (from 0).
    void SetCurrentRow(int Row);
    void First();
    void Prior();
    void Next();
    void Last();
    /// Whether Prior (Next) has a record to move to.
    bool CanMoveBack() const;
    bool CanMoveOn() const;

    /// The model's own cursor, to see how much of the table it has read.
    const TTable& Cursor() const { return FCursor; }

signals:
    /// The bound table moved to another record (Row -1: none).
    void currentRowChanged(int Row);
    /// A window of rows could not be read; the rows show empty.
    void readFailed(const QString& Message);

private:
    using TBlock = std::vector<QStringList>;
    const TBlock& Block(int Index) const;
    TBlock ReadBlock(int Index) const;
    QString CellText(int Field) const;
    void Moved(int OldRow);
    /// Step of the bound table, when Possible, and the signals of the move.
    void Move(bool Possible, void (TTable::*Step)());

    TTable* FTable = nullptr;
    mutable TTable FCursor;
    mutable std::map<int, TBlock> FBlocks;
    mutable std::deque<int> FBlockOrder;
    mutable bool FFailed = false;
    int FRows = 0;
    QStringList FLabels;
};

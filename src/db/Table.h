#pragma once

#include "db/Field.h"
#include "kxlab_export.h"

#include <memory>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

class QSqlQuery;
class TDBConnection;
class TSession;

/// A table of an alias, read record by record in a stable order: the primary key; else SQLite's row id;
/// else (a view, or a server table without a key) every comparable column, left to right.
///
/// Two ways of reading share one current record. First and Next stream forward-only, holding one record
/// however large the table (print runs); each record is read once and kept until the next, so labels
/// that repeat it, or the last one when the records run out, ask the engine nothing more. Prior, Last,
/// negative MoveBy and SetRecNo switch to a browse cursor that reads windows of PageSize records by the
/// stable order, so a grid or navigator can move back without loading the table; First returns to streaming.
/// Moving past the last record stays on it and sets Eof; moving before the first stays on it and sets Bof.
///
/// Binding, opening and filtering failures raise EDBEngineError naming the alias and the table.
class KXLAB_EXPORT TTable {
public:
    /// Records per browse window.
    static constexpr int PageSize = 200;

    /// An unbound table of the session (the default session when nullptr).
    explicit TTable(TSession* session = nullptr);
    ~TTable();
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    /// The alias name; only settable while closed.
    const QString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& name);
    /// The table name as the alias lists it; only settable while closed.
    const QString& TableName() const { return FTableName; }
    void SetTableName(const QString& name);
    /// Record filter text (see TFilterExpr). Setting it on an open filtered table re-reads from the first
    /// record; a filter that does not parse raises and leaves the records read as they were.
    const QString& Filter() const { return FFilter; }
    void SetFilter(const QString& filter);
    /// Whether Filter applies; an empty filter passes every record either way.
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool filtered);
    /// The filter that selects the records: Filter, trimmed, when Filtered; else empty.
    QString FilterInForce() const { return FFiltered ? FFilter.trimmed() : QString(); }

    bool Active() const { return FConnection != nullptr; }
    void SetActive(bool active);
    /// Opens on the first record; does nothing when open.
    void Open();
    /// Closes and drops the fields; does nothing when closed.
    void Close();
    /// Re-reads the table (new rows, the current filter) from the first record.
    void Refresh();
    /// Copies the binding (alias, table, filter, Filtered) of a closed or open table; this one must be
    /// closed.
    void Assign(const TTable& source);

    /// Reads and counts at most Records records from the first (0: all), so a run that prints the
    /// first few of a huge table, or of a view without end, asks the engine for no more than it prints.
    /// Applies from the next read from the first record.
    void SetReadLimit(qint64 Records);
    qint64 ReadLimit() const { return FReadLimit; }

    /// Records passing the filter (at most the read limit), counted by the engine apart from the
    /// reading. 0 when closed.
    int RecordCount();
    void First();
    /// Like First, but streams from record RecNo (from 1) on, the engine skipping those before it; with
    /// fewer records there is no current record and Eof is set.
    void FirstFrom(qint64 RecNo);
    void Next();
    void Prior();
    void Last();
    /// Moves by n records (negative: back); answers how many it moved, with the sign.
    int MoveBy(int n);
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    /// The current record's number from 1; 0 when there is none.
    int RecNo() const { return static_cast<int>(FRecNo); }
    /// Moves to record number recNo (from 1), clamped to the records there are.
    void SetRecNo(int recNo);

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    /// The field at index, from 0 to FieldCount() - 1; raises EDBEngineError outside that range.
    TField& Fields(int index);
    /// The field of that name, ignoring letter case; raises EDBEngineError when there is none.
    TField& FieldByName(const QString& name);
    /// The field of that name, or nullptr.
    TField* FindField(const QString& name);
    /// The columns of the stable order as rendered in SQL (for diagnostics and tests).
    const QStringList& OrderColumns() const { return FOrderColumns; }
    /// The names of the primary key's fields in key order; empty for a table without one.
    const QStringList& KeyFields() const { return FKeyFields; }

    /// The current record's value of field index; invalid when there is no record.
    QVariant CurrentValue(int index) const;
    /// Records received from the engine since this object was made, streamed or in browse windows: what
    /// a reader of a large table really pulled.
    qint64 RowsFetched() const { return FRowsFetched; }

private:
    struct TColumn {
        QString Name;
        QString Declared;
        bool PrimaryKey = false;
    };

    [[noreturn]] void Fail(const QString& text) const;
    void CheckClosed(const char* property) const;
    TSession& SessionRef() const;
    std::vector<TColumn> ReadColumns();
    void BuildQueries(const std::vector<TColumn>& columns);
    void ApplyFilter();
    /// Streams from record From (from 1).
    void StartStream(qint64 From = 1);
    void StopStream();
    /// A read failed: raises it with the record reached, a lost connection and a time limit as such.
    [[noreturn]] void ReadFailed(const QSqlQuery& Query) const;
    /// Keeps the streamed record's values.
    void KeepCurrent();
    bool LoadPage(qint64 start);
    bool EnsureRecord(qint64 recNo);

    TSession* FSession = nullptr;
    QString FDatabaseName;
    QString FTableName;
    QString FFilter;
    bool FFiltered = false;

    std::unique_ptr<TDBConnection> FConnection;
    std::vector<std::unique_ptr<TField>> FFields;
    QStringList FOrderColumns;
    QStringList FKeyFields;
    QString FSelect;  // SELECT columns FROM table
    QString FOrderBy; // ORDER BY stable order
    QString FWhere;   // WHERE condition of the filter, or empty
    QVariantList FParams;

    std::unique_ptr<QSqlQuery> FStream;       // forward-only reading, when streaming
    std::vector<QVariant> FCurrent;           // the streamed record, also once the stream has ended
    std::vector<std::vector<QVariant>> FPage; // browse window
    qint64 FPageStart = 0;                    // record number of FPage[0], less 1
    qint64 FRecNo = 0;
    qint64 FCount = -1; // cached RecordCount, -1 unknown
    qint64 FLast = 0;   // the last record, once reading found it; 0 unknown
    qint64 FReadLimit = 0;
    qint64 FRowsFetched = 0;
    bool FEof = true;
    bool FBof = true;
};

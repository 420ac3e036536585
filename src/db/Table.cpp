#include "db/Table.h"

#include "db/DBConnection.h"
#include "db/DBEngineError.h"
#include "db/FilterExpr.h"
#include "db/Session.h"

#include <algorithm>
#include <climits>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

TTable::TTable(TSession* session)
    : FSession(session) {}

TTable::~TTable() {
    Close();
}

TSession& TTable::SessionRef() const {
    return FSession ? *FSession : Session();
}

void TTable::Fail(const QString& text) const {
    throw EDBEngineError(
        QStringLiteral("Table \"%1\" of alias \"%2\": %3").arg(FTableName, FDatabaseName, text));
}

void TTable::CheckClosed(const char* property) const {
    if (Active())
        Fail(QStringLiteral("cannot change %1 while the table is open").arg(QLatin1String(property)));
}

void TTable::SetDatabaseName(const QString& name) {
    if (name == FDatabaseName) return;
    CheckClosed("DatabaseName");
    FDatabaseName = name;
}

void TTable::SetTableName(const QString& name) {
    if (name == FTableName) return;
    CheckClosed("TableName");
    FTableName = name;
}

void TTable::SetFilter(const QString& filter) {
    if (filter == FFilter) return;
    const QString old = FFilter;
    FFilter = filter;
    if (Active() && FFiltered) {
        try {
            ApplyFilter();
        } catch (const EDBEngineError&) {
            FFilter = old;
            throw;
        }
        First();
    }
}

void TTable::SetFiltered(bool filtered) {
    if (filtered == FFiltered) return;
    FFiltered = filtered;
    if (Active()) {
        try {
            ApplyFilter();
        } catch (const EDBEngineError&) {
            FFiltered = !filtered;
            throw;
        }
        First();
    }
}

void TTable::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
}

void TTable::Assign(const TTable& source) {
    if (&source == this) return;
    CheckClosed("the binding");
    FDatabaseName = source.FDatabaseName;
    FTableName = source.FTableName;
    FFilter = source.FFilter;
    FFiltered = source.FFiltered;
}

std::vector<TTable::TColumn> TTable::ReadColumns() {
    std::vector<TColumn> columns;
    QSqlQuery query(FConnection->Database());
    const QString context = QStringLiteral("reading the columns of table \"%1\"").arg(FTableName);
    if (FConnection->Driver() == TDBDriver::SQLite) {
        FConnection->Exec(query,
                          QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?) ORDER BY cid"),
                          {FTableName}, context);
    } else {
        FConnection->Exec(
            query,
            QStringLiteral("SELECT a.attname, t.typname, "
                           "COALESCE(array_position(i.indkey::int2[], a.attnum) - "
                           "array_lower(i.indkey::int2[], 1) + 1, 0) "
                           "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
                           "LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
                           "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
                           "ORDER BY a.attnum"),
            {FConnection->QuoteTable(FTableName)}, context);
    }
    std::vector<std::pair<int, QString>> key;
    while (FConnection->Next(query)) {
        columns.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt() > 0});
        if (columns.back().PrimaryKey) key.emplace_back(query.value(2).toInt(), columns.back().Name);
    }
    if (columns.empty()) Fail(QStringLiteral("the table does not exist"));
    std::sort(key.begin(), key.end());
    FOrderColumns.clear();
    FKeyFields.clear();
    for (const auto& k : key) {
        FOrderColumns.append(FConnection->QuoteField(k.second));
        FKeyFields.append(k.second);
    }
    return columns;
}

void TTable::BuildQueries(const std::vector<TColumn>& columns) {
    const bool sqlite = FConnection->Driver() == TDBDriver::SQLite;
    QStringList select;
    for (size_t i = 0; i < columns.size(); ++i) {
        const TFieldType type = FieldTypeFromDeclared(columns[i].Declared);
        const QString quoted = FConnection->QuoteField(columns[i].Name);
        // The server's money text carries a currency sign; read it as a plain decimal.
        select.append(!sqlite && type == TFieldType::Currency
                          ? QStringLiteral("CAST(%1 AS numeric)").arg(quoted)
                          : quoted);
        FFields.push_back(std::make_unique<TField>(this, static_cast<int>(i), columns[i].Name, type));
    }
    FSelect = QStringLiteral("SELECT %1 FROM %2")
                  .arg(select.join(QStringLiteral(", ")), FConnection->QuoteTable(FTableName));

    if (FOrderColumns.isEmpty() && sqlite) {
        // A rowid table without a declared key keeps its insertion order in the row id.
        QSqlQuery query(FConnection->Database());
        FConnection->Exec(
            query, QStringLiteral("SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE"),
            {FTableName}, QStringLiteral("reading the definition of table \"%1\"").arg(FTableName));
        const bool rowidTable =
            FConnection->Next(query) && query.value(0).toString() == QLatin1String("table") &&
            !query.value(1).toString().contains(QRegularExpression(
                QStringLiteral("WITHOUT\\s+ROWID"), QRegularExpression::CaseInsensitiveOption));
        for (const char* name : {"rowid", "_rowid_", "oid"}) {
            const bool shadowed = std::any_of(columns.begin(), columns.end(), [&](const TColumn& c) {
                return c.Name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
            });
            if (rowidTable && !shadowed) {
                FOrderColumns.append(QLatin1String(name));
                break;
            }
        }
    }
    if (FOrderColumns.isEmpty()) {
        // No key: every column the engine can sort, in table order.
        for (const auto& field : FFields) {
            const TFieldType t = field->DataType();
            if (sqlite || (t != TFieldType::Memo && t != TFieldType::Unknown))
                FOrderColumns.append(FConnection->QuoteField(field->FieldName()));
        }
    }
    FOrderBy = FOrderColumns.isEmpty()
                   ? QString()
                   : QStringLiteral(" ORDER BY ") + FOrderColumns.join(QStringLiteral(", "));
}

void TTable::ApplyFilter() {
    QString where;
    QVariantList params;
    if (FFiltered && !FFilter.trimmed().isEmpty()) {
        std::vector<TFilterField> fields;
        for (const auto& field : FFields)
            fields.push_back({field->FieldName(), field->DataType()});
        try {
            const TFilterExpr expr(FFilter, std::move(fields));
            const TFilterSql sql = expr.Render(FConnection->Driver());
            if (!sql.Where.isEmpty()) where = QStringLiteral(" WHERE ") + sql.Where;
            params = sql.Params;
        } catch (const EDBEngineError& e) {
            Fail(e.Message());
        }
    }
    FWhere = where;
    FParams = params;
    FCount = -1;
}

void TTable::Open() {
    if (Active()) return;
    if (FDatabaseName.isEmpty()) Fail(QStringLiteral("no alias (DatabaseName) is set"));
    if (FTableName.isEmpty()) Fail(QStringLiteral("no table name is set"));
    FConnection = SessionRef().Connect(FDatabaseName);
    try {
        BuildQueries(ReadColumns());
        ApplyFilter();
        StartStream();
    } catch (...) {
        Close();
        throw;
    }
}

void TTable::Close() {
    StopStream();
    FPage.clear();
    FCurrent.clear();
    FLast = 0;
    FFields.clear();
    FOrderColumns.clear();
    FKeyFields.clear();
    FConnection.reset();
    FRecNo = 0;
    FPageStart = 0;
    FCount = -1;
    FEof = FBof = true;
}

void TTable::Refresh() {
    if (!Active()) return;
    FCount = -1;
    First();
}

void TTable::SetReadLimit(qint64 Records) {
    FReadLimit = std::max<qint64>(Records, 0);
    FCount = -1;
}

int TTable::RecordCount() {
    if (!Active()) return 0;
    if (FCount < 0) {
        // The catalogue connection counts, so a stream open on this table's connection is left alone.
        TDBConnection& catalogue = SessionRef().CatalogueConnection(FDatabaseName);
        QSqlQuery query(catalogue.Database());
        // Within a read limit the records beyond it are never looked at, so a view without end counts.
        // One pass of arg: a table name may hold "%3".
        const QString records =
            FReadLimit > 0 ? QStringLiteral("(SELECT 1 FROM %1%2 LIMIT %3) AS records")
                                 .arg(catalogue.QuoteTable(FTableName), FWhere, QString::number(FReadLimit))
                           : catalogue.QuoteTable(FTableName) + FWhere;
        catalogue.Exec(query, QStringLiteral("SELECT COUNT(*) FROM %1").arg(records), FParams,
                       QStringLiteral("counting the records of table \"%1\"").arg(FTableName));
        FCount = catalogue.Next(query) ? query.value(0).toLongLong() : 0;
    }
    return static_cast<int>(std::min<qint64>(FCount, INT_MAX));
}

void TTable::StartStream(qint64 From) {
    StopStream();
    FPage.clear();
    FCurrent.clear();
    FLast = 0;
    auto query = std::make_unique<QSqlQuery>(FConnection->Database());
    query->setForwardOnly(true);
    query->setNumericalPrecisionPolicy(FConnection->Driver() == TDBDriver::SQLite ? QSql::LowPrecisionDouble
                                                                                  : QSql::HighPrecision);
    FRecNo = 0;
    FBof = FEof = true;
    const qint64 skip = std::max<qint64>(From, 1) - 1;
    if (FReadLimit > 0 && skip >= FReadLimit) return;
    QString limit;
    if (FReadLimit > 0)
        limit = QStringLiteral(" LIMIT %1").arg(FReadLimit - skip);
    else if (skip > 0)
        // SQLite takes no OFFSET without a LIMIT; -1 is its "no limit".
        limit = FConnection->Driver() == TDBDriver::SQLite ? QStringLiteral(" LIMIT -1") : QString();
    if (skip > 0) limit += QStringLiteral(" OFFSET %1").arg(skip);
    if (!FConnection->Run(*query, FSelect + FWhere + FOrderBy + limit, FParams)) ReadFailed(*query);
    if (FConnection->Next(*query)) {
        ++FRowsFetched;
        FStream = std::move(query);
        FRecNo = skip + 1;
        FBof = skip == 0;
        FEof = false;
        KeepCurrent();
    } else if (query->lastError().isValid()) {
        ReadFailed(*query);
    }
}

void TTable::KeepCurrent() {
    FCurrent.resize(FFields.size());
    for (size_t i = 0; i < FCurrent.size(); ++i)
        FCurrent[i] = FStream->value(static_cast<int>(i));
}

void TTable::StopStream() {
    if (FStream) FConnection->Release(FStream);
}

void TTable::ReadFailed(const QSqlQuery& Query) const {
    const QString words = FConnection->FailureText(Query);
    const QString reached = FRecNo > 0 ? QStringLiteral("after record %1").arg(FRecNo)
                                       : QStringLiteral("before the first record");
    // The driver closes a connection it found broken.
    if (FConnection->Lost())
        Fail(QStringLiteral("the connection to the database was lost %1: %2").arg(reached, words));
    Fail(QStringLiteral("reading stopped %1: %2").arg(reached, words));
}

bool TTable::LoadPage(qint64 start) {
    StopStream();
    QSqlQuery query(FConnection->Database());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(FConnection->Driver() == TDBDriver::SQLite ? QSql::LowPrecisionDouble
                                                                                 : QSql::HighPrecision);
    const qint64 size = FReadLimit > 0 ? std::min<qint64>(PageSize, FReadLimit - start) : PageSize;
    if (size <= 0) return false;
    QVariantList params = FParams;
    params << qlonglong(size) << qlonglong(start);
    if (!FConnection->Run(query, FSelect + FWhere + FOrderBy + QStringLiteral(" LIMIT ? OFFSET ?"), params))
        ReadFailed(query);
    std::vector<std::vector<QVariant>> rows;
    const int columns = FieldCount();
    while (FConnection->Next(query)) {
        std::vector<QVariant> row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = query.value(i);
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) ReadFailed(query);
    FRowsFetched += static_cast<qint64>(rows.size());
    if (rows.empty()) return false;
    FPage = std::move(rows);
    FPageStart = start;
    FCurrent.clear();
    return true;
}

bool TTable::EnsureRecord(qint64 recNo) {
    const auto inPage = [&] {
        return recNo > FPageStart && recNo <= FPageStart + static_cast<qint64>(FPage.size());
    };
    if (!FStream && inPage()) return true;
    return recNo >= 1 && LoadPage((recNo - 1) / PageSize * PageSize) && inPage();
}

QVariant TTable::CurrentValue(int index) const {
    if (FRecNo <= 0 || index < 0 || index >= FieldCount()) return {};
    if (!FCurrent.empty()) return FCurrent[index];
    const qint64 row = FRecNo - 1 - FPageStart;
    if (row < 0 || row >= static_cast<qint64>(FPage.size())) return {};
    return FPage[row][index];
}

void TTable::First() {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    StartStream();
}

void TTable::FirstFrom(qint64 RecNo) {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    StartStream(RecNo);
}

void TTable::Next() {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    if (FRecNo == 0 || (FLast > 0 && FRecNo >= FLast)) {
        FEof = true;
        return;
    }
    if (FStream) {
        if (FConnection->Next(*FStream)) {
            ++FRowsFetched;
            ++FRecNo;
            FBof = FEof = false;
            KeepCurrent();
            return;
        }
        if (FStream->lastError().isValid()) ReadFailed(*FStream);
        // The records end here, and the last one stays as it was read: moving on asks nothing more.
        FLast = FRecNo;
        StopStream();
        FEof = true;
        return;
    }
    if (EnsureRecord(FRecNo + 1)) {
        ++FRecNo;
        FBof = FEof = false;
    } else {
        FLast = FRecNo;
        FEof = true;
    }
}

void TTable::Prior() {
    MoveBy(-1);
}

void TTable::Last() {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    const qint64 count = RecordCount();
    if (count > 0 && LoadPage(std::max<qint64>(0, count - PageSize))) {
        FRecNo = FPageStart + static_cast<qint64>(FPage.size());
    } else {
        FRecNo = 0;
        FBof = true;
    }
    FEof = true;
}

int TTable::MoveBy(int n) {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    const qint64 start = FRecNo;
    if (n > 0) {
        for (int i = 0; i < n && !FEof; ++i)
            Next();
    } else if (n < 0 && FRecNo > 0) {
        const qint64 target = std::max<qint64>(1, FRecNo + n);
        if (target != FRecNo && EnsureRecord(target)) {
            FRecNo = target;
            FEof = false;
        }
        FBof = FRecNo + n < 1;
    }
    return static_cast<int>(FRecNo - start);
}

void TTable::SetRecNo(int recNo) {
    if (!Active()) Fail(QStringLiteral("the table is not open"));
    if (EnsureRecord(std::max(recNo, 1))) {
        FRecNo = std::max(recNo, 1);
        FBof = FRecNo == 1;
        FEof = false;
    } else {
        Last();
    }
}

TField& TTable::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        Fail(QStringLiteral("field index %1 is outside 0 to %2").arg(index).arg(FieldCount() - 1));
    return *FFields[index];
}

TField* TTable::FindField(const QString& name) {
    for (const auto& field : FFields)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) return field.get();
    return nullptr;
}

TField& TTable::FieldByName(const QString& name) {
    TField* field = FindField(name);
    if (!field) Fail(QStringLiteral("field \"%1\" not found").arg(name));
    return *field;
}

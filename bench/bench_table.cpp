// Reading speed and memory of a print run's record walk: First, then Next to the end, taking
// FieldByName(...).AsString of each record, on SQLite and on the PostgreSQL server named by KXLAB_PG_HOST,
// KXLAB_PG_PORT, KXLAB_PG_DB and KXLAB_PG_USER (skipped when they are absent).
#include "BenchData.h"
#include "db/Table.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

QString ServerAlias(long count, QString& error) {
    static std::map<long, QString> made;
    if (made.count(count)) return made[count];
    if (qEnvironmentVariableIsEmpty("KXLAB_PG_HOST")) {
        error = QStringLiteral("KXLAB_PG_HOST is not set");
        return {};
    }
    TDBAlias a;
    a.Name = QStringLiteral("benchpg%1").arg(count);
    a.Driver = TDBDriver::PostgreSQL;
    a.Host = qEnvironmentVariable("KXLAB_PG_HOST");
    a.Port = qEnvironmentVariable("KXLAB_PG_PORT").toInt();
    a.Database = qEnvironmentVariable("KXLAB_PG_DB");
    a.User = qEnvironmentVariable("KXLAB_PG_USER");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-make"));
        db.setHostName(a.Host);
        db.setPort(a.Port);
        db.setDatabaseName(a.Database);
        db.setUserName(a.User);
        if (!db.open()) error = db.lastError().text();
        const QString table = QStringLiteral("rows%1").arg(count);
        if (error.isEmpty())
            error = Exec(
                db, QStringLiteral("DROP TABLE IF EXISTS %1; CREATE TABLE %1 (id integer PRIMARY KEY, "
                                   "name varchar(40), price double precision, qty integer, instock boolean); "
                                   "INSERT INTO %1 SELECT g, 'Product ' || g, g * 0.01, g % 100, g % 2 = 0 "
                                   "FROM generate_series(1, %2) g; ANALYZE %1")
                        .arg(table)
                        .arg(count));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-make"));
    if (!error.isEmpty()) return {};
    Session().AddAlias(a);
    return made[count] = a.Name;
}

void Walk(benchmark::State& state, const QString& alias, const QString& table) {
    TTable t;
    t.SetDatabaseName(alias);
    t.SetTableName(table);
    t.Open();
    long growth = 0;
    qint64 records = 0;
    for (auto _ : state) {
        const long before = ResidentKb();
        qint64 n = 0;
        qsizetype chars = 0;
        for (t.First(); !t.Eof(); t.Next()) {
            chars += t.FieldByName(QStringLiteral("name")).AsString().size();
            if (++n % 65536 == 0) growth = std::max(growth, ResidentKb() - before);
        }
        growth = std::max(growth, ResidentKb() - before);
        benchmark::DoNotOptimize(chars);
        records += n;
        if (n != state.range(0)) state.SkipWithError("wrong record count");
    }
    state.SetItemsProcessed(records);
    state.counters["rss_growth_kB"] = static_cast<double>(growth);
    state.counters["rss_kB"] = static_cast<double>(ResidentKb());
}

void BM_TableWalkSQLite(benchmark::State& state) {
    Walk(state, LocalAlias(state.range(0)), QStringLiteral("rows"));
}

void BM_TableWalkPostgreSQL(benchmark::State& state) {
    QString error;
    const QString alias = ServerAlias(state.range(0), error);
    if (alias.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        for (auto _ : state) {
        }
        return;
    }
    Walk(state, alias, QStringLiteral("rows%1").arg(state.range(0)));
}

BENCHMARK(BM_TableWalkSQLite)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TableWalkPostgreSQL)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

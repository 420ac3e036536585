#pragma once

// Tables for the benchmarks that read data: a SQLite alias per record count, made once per process.
#include <map>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>

#include "db/DBAlias.h"
#include "db/Session.h"

// Resident set size in kilobytes.
inline long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

inline QString Exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    return query.exec(sql) ? QString() : query.lastError().text();
}

// The alias of a table "rows" holding count records: id, name, price, qty, instock.
inline QString LocalAlias(long count) {
    static QTemporaryDir dir;
    static std::map<long, QString> made;
    if (made.count(count)) return made[count];
    const QString alias = QStringLiteral("benchlite%1").arg(count);
    const QString path = dir.filePath(alias + QStringLiteral(".db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-make"));
        db.setDatabaseName(path);
        db.open();
        Exec(db, QStringLiteral("CREATE TABLE rows (id INTEGER PRIMARY KEY, name VARCHAR(40), price REAL, "
                                "qty INTEGER, instock BOOLEAN)"));
        Exec(db,
             QStringLiteral("WITH RECURSIVE g(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM g WHERE n < %1) "
                            "INSERT INTO rows SELECT n, 'Product ' || n, n * 0.01, n % 100, n % 2 FROM g")
                 .arg(count));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-make"));
    TDBAlias a;
    a.Name = alias;
    a.Path = path;
    Session().AddAlias(a);
    return made[count] = alias;
}

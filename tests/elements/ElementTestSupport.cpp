#include "elements/ElementTestSupport.h"

#include <gtest/gtest.h>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "elements/KxRecordIO.h"

QByteArray SaveRecord(const TKxElement& e) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    e.SaveToStream(s);
    return bytes;
}

TRecordReader::TRecordReader(const QByteArray& bytes)
    : FStream(bytes) {
    FStream.setByteOrder(QDataStream::LittleEndian);
    ReadByte(FStream);
}

QDataStream::Status LoadRecord(TKxElement& e, const QByteArray& bytes, int version) {
    TRecordReader record(bytes);
    e.LoadFromStream(record.Stream(), version);
    return record.Stream().status();
}

TSqliteTable::TSqliteTable(const QString& Name, const QString& Columns,
                           const std::vector<QVariantList>& Rows) {
    const QString path = Dir.Path(Name + ".db");
    const QString connection = "setup-" + Name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(QString("CREATE TABLE %1 (%2)").arg(Name, Columns)))
            << q.lastError().text().toStdString();
        for (const QVariantList& row : Rows) {
            QStringList marks;
            for (qsizetype i = 0; i < row.size(); ++i)
                marks << "?";
            q.prepare(QString("INSERT INTO %1 VALUES (%2)").arg(Name, marks.join(',')));
            for (const QVariant& v : row)
                q.addBindValue(v);
            EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    TDBAlias alias;
    alias.Name = Name;
    alias.Path = path;
    Session.AddAlias(alias);
    Table.SetDatabaseName(Name);
    Table.SetTableName(Name);
    Table.Open();
}

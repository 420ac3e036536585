#include "elements/ElementTestSupport.h"

#include <algorithm>

#include "common/TestOwner.h"
#include "elements/KxBarCode.h"
#include "elements/KxBarcodeGeometry.h"
#include "gdi/Bitmap.h"

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

TPrintedBarcode PrintBarcode(TTestOwner& Owner, TKxBarCode& Bar, int Dpi) {
    const auto shape = [&](int32_t Angle) {
        return TKxBarcodeShape{Bar.BarType,    Bar.Code,       Bar.Width,     Bar.Height,
                               Bar.FontHeight, Bar.LeftMargin, Bar.TopMargin, Bar.ShowNumber,
                               Angle,          Bar.CharSpace,  Bar.Options};
    };
    const TRect box = BarcodeLayout(shape(0), {0, 0}).Box;
    const int32_t side = 2 * std::max(box.Width(), box.Height()) + 200;
    const int pixels = side * Dpi / 254;
    TBitmap page(pixels, pixels);
    TCanvas& canvas = page.Canvas();
    canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowExtEx(side, side);
    canvas.SetViewportExtEx(pixels, pixels);
    Owner.DrawAllOn(&canvas);
    Bar.P1 = {side / 2, side / 2};
    KxTestDraw(Bar, {0, 0}, tdPrint, false);
    // What a scanner aimed at the symbol sees: the symbol and 2 mm of label around it.
    const TRect around = BarcodeLayout(shape(Bar.Angle), Bar.P1).Box;
    const double scale = static_cast<double>(pixels) / side;
    const auto px = [scale](int32_t v) { return static_cast<int>(v * scale); };
    return {page.Image(), QRect(QPoint(px(around.Left - 20), px(around.Top - 20)),
                                QPoint(px(around.Right + 20), px(around.Bottom + 20)))};
}

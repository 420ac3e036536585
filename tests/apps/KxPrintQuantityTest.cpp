#include <gtest/gtest.h>
#include <memory>
#include <QFileInfo>
#include <QRegularExpression>

#include "AppTestSupport.h"
#include "common/DBTestDatabase.h"
#include "common/TestSupport.h"
#include "db/Session.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPreviewPages.h"
#include "label/KxPrintInfo.h"

namespace {

// The example price tag's products table with a quantity column "qty" of text, its records named
// item-1, item-2... in key order, on SQLite or PostgreSQL; the aliases file names it "Products".
class KxPrintQuantity : public ::testing::TestWithParam<TTestEngine> {
protected:
    void SetUp() override {
        QString reason;
        if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
    }

    QString Fill(const QStringList& Quantities) {
        QString sql =
            QStringLiteral("CREATE TABLE products (id integer PRIMARY KEY, name varchar(40), price double "
                           "precision, ean varchar(13), instock boolean, qty varchar(30));\n");
        for (int i = 0; i < Quantities.size(); ++i)
            sql += QStringLiteral(
                       "INSERT INTO products VALUES (%1, 'item-%1', %1.5, '4006381333931', true, %2);\n")
                       .arg(i + 1)
                       .arg(Quantities[i] == u"NULL" ? Quantities[i] : u'\'' + Quantities[i] + u'\'');
        sql.chop(2);
        if (GetParam() == TTestEngine::PostgreSQL) {
            FDb = std::make_unique<TTestDatabase>(TTestEngine::PostgreSQL);
            EXPECT_TRUE(FDb->Exec(sql));
            return PostgresAliases(FDir, *FDb);
        }
        const QString db = FDir.Path(QStringLiteral("bom.db"));
        EXPECT_EQ(Exec(QStringLiteral("sqlite3"), {db, sql}).Code, 0);
        const QString aliases = FDir.Path(QStringLiteral("aliases.ini"));
        WriteBytes(aliases, QStringLiteral("[Products]\nDriver=SQLite\nPath=%1\n").arg(db).toUtf8());
        return aliases;
    }

    // The price tag in one column of 7 cells, so its names read in run order, taking each record's
    // quantity from Field.
    QString Label(const QString& Field) {
        return SaveLabel(FDir.Path(QStringLiteral("bom-%1.kxl").arg(Field)), [&](TKxLabel& L) {
            L.GetMeasure()->SetNuVer(1);
            L.GetPrintInfo()->SetFirstLab(1);
            L.GetPrintInfo()->SetLastLab(1000);
            L.GetPrintInfo()->SetQuantityField(Field);
        });
    }

    TKxTempDir FDir;
    std::unique_ptr<TTestDatabase> FDb;
};

QStringList PrintedNames(const QString& Pdf) {
    const QString text = Exec(QStringLiteral("pdftotext"), {Pdf, "-"}).Out;
    QStringList names;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\n\f]"))))
        if (line.contains(QRegularExpression(QStringLiteral("^item-\\d+$")))) names.append(line);
    return names;
}

// The sheets the designer's preview shows of Label, its database named by Aliases.
int64_t PreviewSheets(const QString& Label, const QString& Aliases) {
    Session().LoadAliasFile(Aliases);
    TKxLabel label;
    label.LoadFromFile(Label);
    const int64_t sheets =
        TKxPreviewPages(label, TKxRunSettings::FromPrintInfo(*label.GetPrintInfo())).Count();
    label.CloseData();
    Session().DeleteAlias(QStringLiteral("Products"));
    return sheets;
}

struct TWay {
    const char* LabelField;
    QStringList Options;
};

} // namespace

// The label's own field or the command line's: 3, 0 and 2 labels, twice each, in record order; the
// preview shows the sheets that print.
TEST_P(KxPrintQuantity, EachRecordPrintsItsQuantityTimesTheRepetitions) {
    const QString aliases = Fill({"3", "0", "2"});
    for (const TWay& way : {TWay{"qty", {}}, TWay{"", {"--quantity-field", "qty"}},
                            TWay{"name", {"--quantity-field", "qty"}}}) {
        const QString label = Label(QString::fromLatin1(way.LabelField));
        const QString pdf = FDir.Path(QStringLiteral("q.pdf"));
        const TResult r =
            KxPrint(QStringList{label, "--aliases", aliases, "-o", pdf, "--repeat", "2", "-q"} + way.Options);
        ASSERT_EQ(r.Code, 0) << way.LabelField << r.Err.toStdString();
        EXPECT_EQ(PrintedNames(pdf), QStringList({"item-1", "item-1", "item-1", "item-1", "item-1", "item-1",
                                                  "item-3", "item-3", "item-3", "item-3"}))
            << way.LabelField;
        // Ten labels in a column of seven.
        EXPECT_EQ(PdfPages(pdf), 2);
    }
    const QString label = Label(QStringLiteral("qty"));
    const QString pdf = FDir.Path(QStringLiteral("p.pdf"));
    ASSERT_EQ(KxPrint({label, "--aliases", aliases, "-o", pdf, "-q"}).Code, 0);
    EXPECT_EQ(PreviewSheets(label, aliases), PdfPages(pdf));
    // An empty name prints every record alike, whatever the label says.
    const QString plain = FDir.Path(QStringLiteral("plain.pdf"));
    ASSERT_EQ(
        KxPrint({label, "--aliases", aliases, "-o", plain, "--to", "3", "--quantity-field", "", "-q"}).Code,
        0);
    EXPECT_EQ(PrintedNames(plain), QStringList({"item-1", "item-2", "item-3"}));
}

// Every kind of bad value is refused by the run (see the label's tests); here, what kxprint makes of it.
TEST_P(KxPrintQuantity, ABadQuantityFailsBeforeAnythingIsWrittenNamingTheRecord) {
    const struct {
        const char* Value;
        const char* Says;
    } cases[] = {
        {"-1", "holds \"-1\", which is negative"},
        {"NULL", "is empty (NULL)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        FDb.reset();
        QFile::remove(FDir.Path(QStringLiteral("bom.db")));
        const QString aliases = Fill({"1", "2", c.Value, "1"});
        const QString pdf = FDir.Path(QStringLiteral("bad.pdf"));
        WriteBytes(pdf, "an earlier run");
        const TResult r = KxPrint({Label(QStringLiteral("qty")), "--aliases", aliases, "-o", pdf});
        EXPECT_EQ(r.Code, 5) << r.Err.toStdString();
        EXPECT_TRUE(
            r.Err.contains(QStringLiteral("record 3 (id = 3) of table \"products\": the quantity field "
                                          "\"qty\" %1; a record prints 0 to 100000 labels")
                               .arg(QString::fromUtf8(c.Says))))
            << r.Err.toStdString();
        // The earlier output stays as it was.
        EXPECT_EQ(FileBytes(pdf), QByteArray("an earlier run"));
    }
}

TEST_P(KxPrintQuantity, AnUnknownFieldIsRefusedListingTheTablesFields) {
    const QString aliases = Fill({"1"});
    const QString listed =
        "the quantity field \"count\" is not a field of table \"products\"; its fields are: id, "
        "name, price, ean, instock, qty";
    const TResult asked = KxPrint(
        {Label(QString()), "--aliases", aliases, "-o", FDir.Path("u.pdf"), "--quantity-field", "count"});
    EXPECT_EQ(asked.Code, 2);
    EXPECT_TRUE(asked.Err.contains(listed)) << asked.Err.toStdString();
    const TResult stored =
        KxPrint({Label(QStringLiteral("count")), "--aliases", aliases, "-o", FDir.Path("u.pdf")});
    EXPECT_EQ(stored.Code, 3);
    EXPECT_TRUE(stored.Err.contains(listed)) << stored.Err.toStdString();
    const TResult fraction =
        KxPrint({Label(QStringLiteral("id")), "--aliases", aliases, "-o", FDir.Path("u.pdf"), "--from", "1",
                 "--to", "1", "--quantity-field", "price"});
    EXPECT_EQ(fraction.Code, 5);
    EXPECT_TRUE(fraction.Err.contains("holds 1.5, which is not a whole number"))
        << fraction.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(FDir.Path("u.pdf")));
}

// Parts of a run with quantities, records of quantity 0 among them, cut at sheet boundaries, are the run.
TEST_P(KxPrintQuantity, ShardsTogetherAreTheSingleRun) {
    QStringList quantities;
    for (int i = 1; i <= 40; ++i)
        quantities.append(QString::number(i * 3 % 7 % 4));
    const QString aliases = Fill(quantities);
    ExpectPartsJoinToTheWholeRun(FDir, {Label(QStringLiteral("qty")), "--aliases", aliases, "--repeat", "3",
                                        "--first-row", "3", "--from", "2", "--to", "40", "-q"});
}

KXLAB_INSTANTIATE_ENGINES(KxPrintQuantity);

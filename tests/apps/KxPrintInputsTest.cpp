#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include "AppTestSupport.h"
#include "common/DBTestDatabase.h"
#include "db/Session.h"
#include "db/Table.h"
#include "elements/KxImage.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"

namespace {

const QString Tag = Sample(QStringLiteral("price-tag.kxl"));
const QString Aliases = Sample(QStringLiteral("aliases.ini"));

// kxprint with Set added to its environment and Unset taken out, in the working folder Folder.
TResult KxPrintWith(const QStringList& Args, const QStringList& Set, const QStringList& Unset = {},
                    const QString& Folder = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : Unset)
        env.remove(name);
    for (const QString& pair : Set)
        env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    p.setProcessEnvironment(env);
    if (!Folder.isEmpty()) p.setWorkingDirectory(Folder);
    p.start(QStringLiteral(KXPRINT_EXE), Args);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString Copy(const QString& From, const QString& To) {
    QFile::copy(From, To);
    return To;
}

} // namespace

TEST(KxPrintAliasesVariable, TheFileItNamesIsAnInputNoOutputMayReplace) {
    TKxTempDir dir;
    const QString aliases = Copy(Aliases, dir.Path("aliases.ini"));
    Copy(Sample("products.db"), dir.Path("products.db"));
    QFile::link(aliases, dir.Path("aliases.pdf"));
    const QByteArray before = FileBytes(aliases);
    const TResult r = KxPrintWith({Tag, "-o", dir.Path("aliases.pdf")}, {"KXLAB_ALIASES=" + aliases});
    EXPECT_EQ(r.Code, 2) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("is the aliases file")) << r.Err.toStdString();
    EXPECT_EQ(FileBytes(aliases), before);
}

TEST(KxPrintAliasesVariable, ItsErrorsNameTheFile) {
    TKxTempDir dir;
    WriteBytes(dir.Path("bad.ini"), "[Products]\nColour=red\n");
    const TResult bad = KxPrintWith({Tag, "-o", dir.Path("a.pdf")}, {"KXLAB_ALIASES=" + dir.Path("bad.ini")});
    EXPECT_EQ(bad.Code, 5) << bad.Err.toStdString();
    EXPECT_TRUE(bad.Err.contains(dir.Path("bad.ini") + "\", line 2")) << bad.Err.toStdString();
    const TResult missing =
        KxPrintWith({Tag, "-o", dir.Path("a.pdf")}, {"KXLAB_ALIASES=" + dir.Path("gone.ini")});
    EXPECT_EQ(missing.Code, 5) << missing.Err.toStdString();
    EXPECT_TRUE(missing.Err.contains(dir.Path("gone.ini"))) << missing.Err.toStdString();
    // The command line's file wins over the environment's.
    const TResult named = KxPrintWith({Tag, "--aliases", Aliases, "--to", "3", "-o", dir.Path("b.pdf")},
                                      {"KXLAB_ALIASES=" + dir.Path("bad.ini")});
    EXPECT_EQ(named.Code, 0) << named.Err.toStdString();
}

TEST(KxPrintDisplay, AStaleDisplayIsNeverOpened) {
    TKxTempDir dir;
    const TResult r = KxPrintWith({Tag, "--no-data", "-o", dir.Path("a.pdf")}, {"DISPLAY=:97"},
                                  {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"});
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(PdfPages(dir.Path("a.pdf")), 1);
}

TEST(KxPrintUsage, AnErrorIsOneLineAndAHint) {
    const TResult r = KxPrint({Tag});
    EXPECT_EQ(r.Code, 2);
    EXPECT_EQ(r.Err,
              "kxprint: give either -o FILE or --printer NAME\nTry 'kxprint --help' for more information.\n");
}

namespace {

// A label in a folder of its own naming its logo by a relative name, the logo beside it, and a
// second picture that is nowhere.
class KxPrintPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(FLabels.Path("art")));
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::red);
        ASSERT_TRUE(logo.save(FLabels.Path("art/logo.png")));
        FLabel = SaveLabel(FLabels.Path("tag.kxl"), [](TKxLabel& L) {
            for (const char* name : {"art/logo.png", "art/gone.png"}) {
                auto image = std::make_unique<TKxImage>(&L);
                image->FileImage = QString::fromLatin1(name);
                image->P2 = {300, 150};
                L.AddElement(std::move(image));
            }
        });
    }
    TResult Run(const QStringList& More) const {
        return KxPrintWith(QStringList{FLabel, "--no-data", "--labs", "5", "-o", FOut.Path("tags.pdf")} +
                               More,
                           {}, {}, FOut.Path());
    }
    TKxTempDir FLabels;
    TKxTempDir FOut;
    QString FLabel;
};

} // namespace

TEST_F(KxPrintPictures, BesideTheLabelIsFoundAndAMissingOneIsReportedOnce) {
    const TResult r = Run({});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err,
              "kxprint: warning: the picture \"art/gone.png\" cannot be read and prints as a placeholder "
              "(art/gone.png: the file does not exist)\n");
    // The logo is on the sheet: red where it stands.
    const QImage sheet(Rasterise(FOut.Path("tags.pdf"), 1, FOut.Path("p1")));
    int red = 0;
    for (int y = 0; y < sheet.height(); y += 4)
        for (int x = 0; x < sheet.width(); x += 4)
            red += qRed(sheet.pixel(x, y)) > 200 && qGreen(sheet.pixel(x, y)) < 60 &&
                   qBlue(sheet.pixel(x, y)) < 60;
    EXPECT_GT(red, 100);
}

TEST_F(KxPrintPictures, QuietSaysNothingAndStrictRefuses) {
    const TResult quiet = Run({"-q"});
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_TRUE(quiet.Err.isEmpty()) << quiet.Err.toStdString();
    QFile::remove(FOut.Path("tags.pdf"));
    const TResult strict = Run({"--strict", "-q"});
    EXPECT_EQ(strict.Code, 3) << strict.Err.toStdString();
    EXPECT_TRUE(strict.Err.contains("\"art/gone.png\" cannot be read")) << strict.Err.toStdString();
    EXPECT_TRUE(strict.Err.contains("--strict")) << strict.Err.toStdString();
    EXPECT_FALSE(QFile::exists(FOut.Path("tags.pdf")));
}

namespace {

// The sample database copied, changed by Sql.
QString ChangedDatabase(const TKxTempDir& Dir, const QString& Sql) {
    const QString db = Copy(Sample("products.db"), Dir.Path("products.db"));
    EXPECT_EQ(Exec("sqlite3", {db, Sql}).Code, 0);
    return db;
}

} // namespace

TEST(KxPrintData, DataABarcodeCannotEncodeIsReportedOnceOrRefusedWhenStrict) {
    TKxTempDir dir;
    const QString db = ChangedDatabase(dir, "UPDATE products SET ean = '12345' WHERE id IN (2, 3)");
    const QStringList args{Tag, "--alias", "Products=sqlite:" + db, "--to", "4", "-o", dir.Path("t.pdf")};
    const TResult r = KxPrint(args);
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err.count(u'\n'), 1) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("the barcode of field \"ean\" cannot be drawn in 2 labels"))
        << r.Err.toStdString();
    const TResult strict = KxPrint(QStringList(args) << "--strict");
    EXPECT_NE(strict.Code, 0);
    EXPECT_TRUE(strict.Err.contains("--strict")) << strict.Err.toStdString();
}

TEST(KxPrintData, AHugeTextIsCutAndReportedOnce) {
    TKxTempDir dir;
    const QString db =
        ChangedDatabase(dir, "UPDATE products SET name = printf('%.*c', 8000000, 'x') WHERE id <= 3");
    const QStringList args{Tag, "--alias", "Products=sqlite:" + db, "--to", "4", "-o", dir.Path("t.pdf")};
    const TResult r = KxPrint(args);
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(
        r.Err,
        "kxprint: warning: the text of field \"name\" is cut in 3 labels (first: 8000000 characters cut "
        "to 65536)\n");
    const TResult strict = KxPrint(args + QStringList{"--strict"});
    EXPECT_EQ(strict.Code, 5) << strict.Err.toStdString();
    EXPECT_TRUE(strict.Err.contains("--strict")) << strict.Err.toStdString();
}

TEST(KxPrintData, PicturesOfRecordsThatCannotBeReadAreCountedOnce) {
    TKxTempDir dir;
    const QString label = SaveLabel(dir.Path("l.kxl"), [](TKxLabel& L) {
        auto image = std::make_unique<TKxImage>(&L);
        image->DataBase = true;
        image->Field = QStringLiteral("name");
        L.AddElement(std::move(image));
    });
    const TResult r = KxPrint({label, "--aliases", Aliases, "--to", "21", "-o", dir.Path("t.pdf")});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err.count(u'\n'), 1) << r.Err.toStdString();
    EXPECT_TRUE(
        r.Err.startsWith("kxprint: warning: the picture of field \"name\" cannot be read in 21 labels"))
        << r.Err.toStdString();
}

TEST(KxPrintData, AViewWithoutEndIsBrokenOffAtTheAliasesTimeout) {
    TKxTempDir dir;
    const QString db = ChangedDatabase(
        dir,
        "CREATE VIEW endless AS WITH RECURSIVE c(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM c) SELECT id, "
        "'n' || id AS name, 1.5 AS price, '4006381333931' AS ean, 1 AS instock FROM c");
    WriteBytes(dir.Path("aliases.ini"), "[Products]\nPath=products.db\nTimeout=1\n");
    const QString label = SaveLabel(
        dir.Path("l.kxl"), [](TKxLabel& L) { L.GetTable()->SetTableName(QStringLiteral("endless")); });
    const TResult r =
        KxPrint({label, "--aliases", dir.Path("aliases.ini"), "--to", "3", "-o", dir.Path("t.pdf")});
    EXPECT_EQ(r.Code, 5) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("did not answer within 1 s")) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("\"endless\"")) << r.Err.toStdString();
}

// A server's notes reach the terminal escaped, once with a count, and not at all with --quiet.
TEST(KxPrintServer, NotesAreEscapedCountedAndQuietened) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    ASSERT_TRUE(
        db.Exec("CREATE FUNCTION loud(n integer) RETURNS integer LANGUAGE plpgsql AS $$ BEGIN RAISE NOTICE "
                "E'\\x1b]0;owned\\x07cleared'; RETURN n; END $$;\n"
                "CREATE VIEW products AS SELECT loud(g) AS id, 'n' || g AS name, 1.5 AS price, "
                "'4006381333931' AS ean, "
                "true AS instock FROM generate_series(1, 3) g"));
    TKxTempDir dir;
    const QStringList args{Tag, "--aliases", PostgresAliases(dir, db), "--to", "3", "-o", dir.Path("t.pdf")};
    const TResult loud = KxPrint(args);
    ASSERT_EQ(loud.Code, 0) << loud.Err.toStdString();
    EXPECT_FALSE(loud.Err.contains(u'\x1b')) << loud.Err.toStdString();
    EXPECT_TRUE(loud.Err.contains("the server of alias \"Products\" says")) << loud.Err.toStdString();
    EXPECT_TRUE(loud.Err.contains("\\x1b]0;owned\\x07cleared")) << loud.Err.toStdString();
    const TResult quiet = KxPrint(args + QStringList{"-q"});
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_TRUE(quiet.Err.isEmpty()) << quiet.Err.toStdString();
}

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "AppTestSupport.h"
#include "common/DBTestDatabase.h"
#include "common/TestSupport.h"
#include "label/KxLabel.h"
#include "label/KxPrintInfo.h"
#include "print/Calibration.h"

namespace {

const QString Tag = Sample(QStringLiteral("price-tag.kxl"));
const QString Aliases = Sample(QStringLiteral("aliases.ini"));

QString SampleName(int Id) {
    return Exec(QStringLiteral("sqlite3"),
                {Sample(QStringLiteral("products.db")),
                 QStringLiteral("SELECT name FROM products WHERE id = %1").arg(Id)})
        .Out.trimmed();
}

} // namespace

TEST(KxPrintRun, PrintsTheSampleDatabaseToAPdfWithScannableBarcodes) {
    TKxTempDir dir;
    const QString pdf = dir.Path(QStringLiteral("tags.pdf"));
    const TResult r = KxPrint({Tag, "--aliases", Aliases, "-o", pdf});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    // 300 records, 21 tags a sheet.
    EXPECT_EQ(PdfPages(pdf), 15);
    // Not a terminal: no progress bar, and nothing to warn about.
    EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
    const QString text = Exec(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", pdf, "-"}).Out;
    EXPECT_TRUE(text.contains(QStringLiteral("Price: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" EUR")));
    EXPECT_EQ(Scan(Rasterise(pdf, 1, dir.Path(QStringLiteral("p1")))), SampleCodes(1, 21));
    EXPECT_EQ(Scan(Rasterise(pdf, 15, dir.Path(QStringLiteral("p15")))), SampleCodes(295, 300));
}

TEST(KxPrintRun, OverridesChooseRecordsCopiesAndTheFirstCell) {
    TKxTempDir dir;
    const QString pdf = dir.Path(QStringLiteral("tags.pdf"));
    // 5 records twice each from the last cell of row 7: one tag on sheet 1, nine on sheet 2.
    const TResult r = KxPrint({Tag, "--aliases", Aliases, "-o", pdf, "--from", "11", "--to", "15", "--repeat",
                               "2", "--first-row", "7", "--first-col", "3"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_EQ(Scan(Rasterise(pdf, 1, dir.Path(QStringLiteral("p1")))), SampleCodes(11, 11));
    // A picture of several equal symbols scans each once; the copies show in the names.
    EXPECT_EQ(Scan(Rasterise(pdf, 2, dir.Path(QStringLiteral("p2")))), SampleCodes(11, 15));
    const QString text = Exec(QStringLiteral("pdftotext"), {"-f", "2", "-l", "2", pdf, "-"}).Out;
    EXPECT_EQ(text.count(SampleName(11) + u'\n'), 1);
    EXPECT_EQ(text.count(SampleName(12) + u'\n'), 2);
    EXPECT_EQ(text.count(SampleName(15) + u'\n'), 2);
}

// Repeating the last record is the rule of the range a label stores; a range asked for on the command
// line must exist (see the failures below).
TEST(KxPrintRun, WarnsHowManyLabelsRepeatTheLastRecordOfTheLabelsOwnRange) {
    TKxTempDir dir;
    const QString label = SaveLabel(dir.Path(QStringLiteral("l.kxl")), [](TKxLabel& L) {
        L.GetPrintInfo()->SetFirstLab(299);
        L.GetPrintInfo()->SetLastLab(305);
    });
    const TResult r = KxPrint({label, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("t.pdf"))});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QStringLiteral("5 labels repeat the last record"))) << r.Err.toStdString();
    const TResult quiet =
        KxPrint({label, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("q.pdf")), "-q"});
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_TRUE(quiet.Err.isEmpty());
}

// A '%' in a name is a character like any other: the sheets keep it, and a database named like a
// sheet formatted twice is left alone.
TEST(KxPrintRun, APercentInTheOutputNameIsPartOfIt) {
    TKxTempDir dir;
    const QString db = dir.Path(QStringLiteral("r1-svg.%3"));
    QFile::copy(Sample(QStringLiteral("products.db")), db);
    const QByteArray before = FileBytes(db);
    const TResult r = KxPrint(
        {Tag, "--alias", "Products=sqlite:" + db, "-o", dir.Path(QStringLiteral("r%1.svg")), "--to", "42"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(FileBytes(db), before);
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("r%1-1.svg"))));
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("r%1-2.svg"))));
}

TEST(KxPrintRun, OneFilePerSheetForPictureFormats) {
    TKxTempDir dir;
    const TResult r = KxPrint({Tag, "--alias", "Products=sqlite:" + Sample(QStringLiteral("products.db")),
                               "-o", dir.Path(QStringLiteral("tag.png")), "--to", "25", "--dpi", "200"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("tag-1.png"))));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("tag-3.png"))));
    EXPECT_EQ(Scan(dir.Path(QStringLiteral("tag-2.png"))), SampleCodes(22, 25));
    const TResult svg =
        KxPrint({Tag, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("tag.svg")), "--to", "3"});
    ASSERT_EQ(svg.Code, 0) << svg.Err.toStdString();
    QFile f(dir.Path(QStringLiteral("tag-1.svg")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<svg"));
}

TEST(KxPrintRun, NoDataPrintsTheLabelAsDesigned) {
    TKxTempDir dir;
    const QString pdf = dir.Path(QStringLiteral("t.pdf"));
    // No alias is defined: only --no-data lets the run go on.
    const TResult r = KxPrint({Tag, "-o", pdf, "--no-data", "--labs", "22"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(PdfPages(pdf), 2);
}

// The parts of a run, printed one by one, hold the single run's pages in order, each saying what it
// holds; a part without a sheet says so and fails.
TEST(KxPrintRun, ShardsTogetherAreTheSingleRun) {
    TKxTempDir dir;
    const QStringList run{Tag, "--aliases", Aliases, "--from", "3", "--to", "102", "--repeat", "2", "-q"};
    ExpectPartsJoinToTheWholeRun(dir, run);
    QStringList told = run;
    told.removeAll("-q");
    const TResult said =
        KxPrint(told + QStringList{"-o", dir.Path(QStringLiteral("n.pdf")), "--shard", "2/3"});
    EXPECT_TRUE(said.Err.contains(QRegularExpression("part 2 of 3: sheets \\d+ to \\d+ of \\d+, \\d+ labels, "
                                                     "records \\d+ to \\d+")))
        << said.Err.toStdString();
}

TEST(KxPrintRun, ShardsOfAPostgreSQLTableAreTheSingleRun) {
    QString reason;
    if (!TTestDatabase::Configured(TTestEngine::PostgreSQL, &reason)) GTEST_SKIP() << reason.toStdString();
    TTestDatabase db(TTestEngine::PostgreSQL);
    // Rows written against the key's order: every part reads in key order, so the parts agree with the whole.
    ASSERT_TRUE(
        db.Exec("CREATE TABLE products (id integer PRIMARY KEY, name varchar(40), price double precision, "
                "ean varchar(13), instock boolean);\n"
                "INSERT INTO products SELECT g, 'n' || g, g / 10.0, '4006381333931', true "
                "FROM generate_series(200, 1, -1) g"));
    TKxTempDir dir;
    ExpectPartsJoinToTheWholeRun(dir, {Tag, "--aliases", PostgresAliases(dir, db), "--to", "200", "-q"});
}

namespace {

// The box of the dark pixels of a 300 dpi picture, within Within millimetres of its corner.
QRect InkBox(const QImage& Page, QSizeF Within = {1000, 1000}) {
    const int w = std::min(Page.width(), qRound(Within.width() / 25.4 * 300));
    const int h = std::min(Page.height(), qRound(Within.height() / 25.4 * 300));
    QRect box;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qGray(Page.pixel(x, y)) < 96) box |= QRect(x, y, 1, 1);
    return box;
}

// The same of a PDF's first page.
QRect InkBox(const QString& Pdf, QSizeF Within = {1000, 1000}) {
    return InkBox(QImage(Rasterise(Pdf, 1, Pdf.chopped(4))), Within);
}

// Ink box Corrected is Plain's moved and scaled by C about the page's corner, within 2 or 3 pixels.
void ExpectCorrected(const QRect& Plain, const QRect& Corrected, const TKxCalibration& C) {
    ASSERT_FALSE(Plain.isEmpty());
    const double pixelsPerMM = 300 / 25.4;
    EXPECT_NEAR(Corrected.left(), C.OffsetX * pixelsPerMM + Plain.left() * C.ScaleX / 100, 2);
    EXPECT_NEAR(Corrected.top(), C.OffsetY * pixelsPerMM + Plain.top() * C.ScaleY / 100, 2);
    EXPECT_NEAR(Corrected.width(), Plain.width() * C.ScaleX / 100, 3);
    EXPECT_NEAR(Corrected.height(), Plain.height() * C.ScaleY / 100, 3);
}

} // namespace

// A named calibration moves and scales a PDF's or a sheet picture's content by exactly its values; an
// unknown one is a bad command line.
TEST(KxPrintRun, ACalibrationShiftsAndScalesWhatIsPrinted) {
    TKxTempDir dir;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.Path(QStringLiteral("config")).toUtf8());
    const TKxCalibration shop{2, 3, 110, 100};
    KxSaveCalibration(QStringLiteral("Shop"), shop);
    const QStringList run{Tag, "--no-data", "--labs", "1", "-q"};
    std::vector<TResult> results;
    for (const char* name : {"plain.pdf", "shop.pdf", "plain.png", "shop.png"}) {
        QStringList args = run + QStringList{"-o", dir.Path(QLatin1String(name))};
        if (QLatin1String(name).startsWith(u"shop")) args += {"--calibration", "Shop"};
        results.push_back(KxPrint(args));
        ASSERT_EQ(results.back().Code, 0) << name << ": " << results.back().Err.toStdString();
    }
    const TResult missing =
        KxPrint(run + QStringList{"-o", dir.Path(QStringLiteral("m.pdf")), "--calibration", "Nowhere"});
    qputenv("XDG_CONFIG_HOME", previous);
    ExpectCorrected(InkBox(dir.Path(QStringLiteral("plain.pdf"))),
                    InkBox(dir.Path(QStringLiteral("shop.pdf"))), shop);
    ExpectCorrected(InkBox(QImage(dir.Path(QStringLiteral("plain-1.png")))),
                    InkBox(QImage(dir.Path(QStringLiteral("shop-1.png")))), shop);
    EXPECT_EQ(missing.Code, 2);
    EXPECT_TRUE(missing.Err.contains("no calibration \"Nowhere\"")) << missing.Err.toStdString();
}

struct TFailure {
    const char* Name;
    int Code;
    const char* Says;
};

class KxPrintFailure : public ::testing::TestWithParam<TFailure> {};

TEST_P(KxPrintFailure, ExitsWithItsOwnCodeAndSaysWhy) {
    TKxTempDir dir;
    const QString name = QString::fromLatin1(GetParam().Name);
    const QString pdf = dir.Path(QStringLiteral("out.pdf"));
    QStringList args;
    if (name == u"Usage")
        args = {Tag};
    else if (name == u"MissingLabel")
        args = {dir.Path(QStringLiteral("none.kxl")), "-o", pdf};
    else if (name == u"CorruptLabel") {
        QFile f(dir.Path(QStringLiteral("bad.kxl")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(40, '\x7f'));
        f.close();
        args = {f.fileName(), "-o", pdf};
    } else if (name == u"UnknownAlias")
        args = {Tag, "-o", pdf};
    else if (name == u"MissingTable") {
        // A database without the products table.
        const QString db = dir.Path(QStringLiteral("empty.db"));
        Exec(QStringLiteral("sqlite3"), {db, "CREATE TABLE other (id INTEGER)"});
        args = {Tag, "--alias", "Products=sqlite:" + db, "-o", pdf};
    } else if (name == u"UnwritableOutput")
        args = {Tag, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("no/such/folder/out.pdf"))};
    else if (name == u"UnknownPrinter")
        args = {Tag, "--aliases", Aliases, "--printer", "NoSuchQueueHere"};
    else if (name == u"RecordsBeyondTheData")
        args = {Tag, "--aliases", Aliases, "-o", pdf, "--from", "400", "--to", "402"};
    else if (name == u"CellOffTheSheet")
        args = {Tag, "--aliases", Aliases, "-o", pdf, "--first-row", "99"};
    const TResult r = KxPrint(args);
    EXPECT_EQ(r.Code, GetParam().Code) << r.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(r.Err.contains(QString::fromLatin1(GetParam().Says))) << r.Err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, KxPrintFailure,
                         ::testing::Values(TFailure{"Usage", 2, "either -o"},
                                           TFailure{"MissingLabel", 3, "no label file"},
                                           TFailure{"CorruptLabel", 3, "cannot read the label file"},
                                           TFailure{"UnknownAlias", 4, "unknown alias \"Products\""},
                                           TFailure{"MissingTable", 5, "products"},
                                           TFailure{"UnwritableOutput", 6, "out.pdf"},
                                           TFailure{"UnknownPrinter", 6, "NoSuchQueueHere"},
                                           TFailure{"RecordsBeyondTheData", 5, "the data ends at record 300"},
                                           TFailure{"CellOffTheSheet", 2, "row 99 of a sheet of"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A real print: the test script starts cupsd with a queue that writes each job as a PDF into a known
// folder, and names both in the environment. The queue's calibration profile corrects the job by itself;
// an export of the same run is not corrected.
TEST(KxPrintCups, PrintsOnACupsQueueCorrectedByItsCalibration) {
    const QString queue = qEnvironmentVariable("KXLAB_CUPS_QUEUE");
    const QString outDir = qEnvironmentVariable("KXLAB_CUPS_OUT");
    if (queue.isEmpty() || outDir.isEmpty())
        GTEST_SKIP() << "no CUPS queue (KXLAB_CUPS_QUEUE, KXLAB_CUPS_OUT)";
    TKxTempDir dir;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.Path(QStringLiteral("config")).toUtf8());
    KxSaveCalibration(queue, {2, 3, 105, 100});
    const QStringList before = QDir(outDir).entryList({"*.pdf"}, QDir::Files);
    const QStringList run{Tag, "--aliases", Aliases, "--to", "30", "-q"};
    const TResult r = KxPrint(run + QStringList{"--printer", queue});
    const QString plain = dir.Path(QStringLiteral("plain.pdf"));
    const TResult exported = KxPrint(run + QStringList{"-o", plain});
    qputenv("XDG_CONFIG_HOME", previous);
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    ASSERT_EQ(exported.Code, 0) << exported.Err.toStdString();
    // The queue writes the job a moment after it is accepted.
    QString job;
    QElapsedTimer waited;
    waited.start();
    while (job.isEmpty() && waited.elapsed() < 60000) {
        for (const QString& f : QDir(outDir).entryList({"*.pdf"}, QDir::Files))
            if (!before.contains(f) && Exec(QStringLiteral("pdfinfo"), {QDir(outDir).filePath(f)}).Code == 0)
                job = QDir(outDir).filePath(f);
        if (job.isEmpty()) QThread::msleep(200);
    }
    ASSERT_FALSE(job.isEmpty()) << "no job PDF appeared in " << outDir.toStdString();
    EXPECT_EQ(PdfPages(job), 2);
    EXPECT_EQ(Scan(Rasterise(job, 2, dir.Path(QStringLiteral("p2")))), SampleCodes(22, 30));
    // The queue's page has no unprintable margin: the profile maps from the page's corner. The first
    // cell (5 to 65 mm across, 10 to 45 down), clear of its neighbours before and after.
    ExpectCorrected(InkBox(plain, {68, 47}), InkBox(job, {2 + 68 * 1.05, 50}), {2, 3, 105, 100});
}

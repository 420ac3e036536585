#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <vector>

#include "base/KxError.h"
#include "common/DBTestDatabase.h"
#include "common/LabelSamples.h"
#include "common/TestSupport.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "label/KxBackSurf.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

namespace {

// A 10 x 5 mm rectangle at the cell's corner: each cell shows up as one rounded rectangle whose
// top-left corner is the cell's origin on the page.
void AddMarker(TKxLab& Lab) {
    auto r = std::make_unique<TKxRect>(Lab.Label());
    r->P1 = {0, 0};
    r->P2 = {100, 50};
    Lab.AddElement(std::move(r));
}

// A text element showing the field "name" of each record.
void AddNameText(TKxLab& Lab) {
    auto t = std::make_unique<TKxText>(Lab.Label());
    t->P1 = {10, 10};
    t->P2 = {500, 60};
    t->Field = QStringLiteral("name");
    t->DataBase = true;
    Lab.AddElement(std::move(t));
}

std::vector<TPoint> CellCorners(const TMetafile& Page) {
    std::vector<TPoint> out;
    for (const TMetaRecord& r : Page.Records())
        if (r.Op == TMetaOp::RoundRect) out.push_back(r.Box.TopLeft());
    return out;
}

std::vector<std::vector<TPoint>> PreviewCorners(TKxLab& Lab) {
    std::vector<std::vector<TPoint>> pages;
    for (int64_t n = 1; n <= Lab.GetTotalPages(); ++n)
        pages.push_back(CellCorners(*Lab.GetPages(n)));
    return pages;
}

QStringList PageTexts(const TMetafile& Page) {
    QStringList out;
    for (const TMetaRecord& r : Page.Records())
        if (r.Op == TMetaOp::Text) out << Page.Texts().at(static_cast<size_t>(r.A));
    return out;
}

QString Tool(const QString& Program, const QStringList& Args) {
    QProcess p;
    p.start(Program, Args);
    EXPECT_TRUE(p.waitForFinished(60000)) << Program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << Program.toStdString() << ": " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& Pdf) {
    const QString info = Tool(QStringLiteral("pdfinfo"), {Pdf});
    for (const QString& line : info.split(u'\n'))
        if (line.startsWith(u"Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

// Default sheet: 60 x 35 mm labels from (5 mm, 10 mm), 4 mm gaps, 7 rows of 3.
const TPoint Cell11{50, 100};
const TPoint Cell12{690, 100};
const TPoint Cell13{1330, 100};
const TPoint Cell21{50, 490};

// Prints to a PDF file of a temporary folder, leaving the application's printer as it found it.
class TPdfPrinter {
public:
    TPdfPrinter()
        : FOld(Printer().OutputFileName())
        , FPath(FDir.Path(QStringLiteral("run.pdf"))) {
        Printer().SetOutputFileName(FPath);
    }
    ~TPdfPrinter() { Printer().SetOutputFileName(FOld); }
    const QString& Path() const { return FPath; }

private:
    TKxTempDir FDir;
    QString FOld;
    QString FPath;
};

// Records "R1" to "R6" in table items of a throw-away SQLite alias, bound to Lab.
class TItems {
public:
    explicit TItems(TKxLab& Lab)
        : FDb(TTestEngine::SQLite) {
        FDb.Exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(20))"));
        std::vector<QVariantList> rows;
        for (int i = 1; i <= 6; ++i)
            rows.push_back({i, QStringLiteral("R%1").arg(i)});
        FDb.Insert(QStringLiteral("items"), {QStringLiteral("id"), QStringLiteral("name")}, rows);
        Lab.GetTable()->SetDatabaseName(FDb.Alias());
        Lab.GetTable()->SetTableName(QStringLiteral("items"));
        Lab.SetDaBa(true);
    }

private:
    TTestDatabase FDb;
};

} // namespace

TEST(KxLabPreview, TwentyFiveLabelsFillOneSheetAndStartAnother) {
    TKxLab lab;
    AddMarker(lab);
    lab.GetPrintInfo()->SetLabs(25);
    lab.Preview();
    const auto pages = PreviewCorners(lab);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].size(), 21u);
    EXPECT_EQ(pages[0][0], Cell11);
    // Row 2, column 3: X = 50 + 2 x 640, Y = 100 + 1 x 390.
    EXPECT_EQ(pages[0][5], (TPoint{1330, 490}));
    EXPECT_EQ(pages[0][20], (TPoint{1330, 100 + 6 * 390}));
    EXPECT_EQ(pages[1], (std::vector<TPoint>{Cell11, Cell12, Cell13, Cell21}));
}

TEST(KxLabPreview, StartCellOnTheFirstSheet) {
    TKxLab lab;
    AddMarker(lab);
    lab.GetPrintInfo()->SetLabs(2);
    lab.GetPrintInfo()->SetFirstRow(7);
    lab.GetPrintInfo()->SetFirstCol(3);
    lab.Preview();
    const auto pages = PreviewCorners(lab);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], std::vector<TPoint>{TPoint(1330, 100 + 6 * 390)});
    EXPECT_EQ(pages[1], std::vector<TPoint>{Cell11});
}

TEST(KxLabPreview, PagesArePaperSizedAndLieOnTheirSideInLandscape) {
    TKxLab lab;
    lab.Preview();
    ASSERT_EQ(lab.GetTotalPages(), 1);
    EXPECT_EQ(lab.GetPages(1)->MMWidth(), 21000);
    EXPECT_EQ(lab.GetPages(1)->MMHeight(), 29700);
    lab.GetPrintInfo()->SetOrientation(1);
    lab.Preview();
    EXPECT_EQ(lab.GetPages(1)->MMWidth(), 29700);
    EXPECT_EQ(lab.GetPages(1)->MMHeight(), 21000);
    EXPECT_EQ(lab.GetPages(0), nullptr);
    EXPECT_EQ(lab.GetPages(2), nullptr);
}

TEST(KxLabPreview, BackgroundOnlyWithItsPrintFlag) {
    TKxLab lab;
    lab.GetBackSurf()->SetColor(clYellow);
    const auto fills = [&] {
        lab.Preview();
        int n = 0;
        for (const TMetaRecord& r : lab.GetPages(1)->Records())
            n += r.Op == TMetaOp::FillRect;
        return n;
    };
    EXPECT_EQ(fills(), 0);
    lab.GetBackSurf()->SetPrint(true);
    EXPECT_EQ(fills(), 1);
}

TEST(KxLabPreview, SecondPreviewReplacesTheFirstPages) {
    TKxLab lab;
    lab.GetPrintInfo()->SetLabs(50);
    lab.Preview();
    ASSERT_EQ(lab.GetTotalPages(), 3);
    lab.GetPrintInfo()->SetLabs(1);
    lab.Preview();
    EXPECT_EQ(lab.GetTotalPages(), 1);
    lab.ClearPages();
    EXPECT_EQ(lab.GetTotalPages(), 0);
}

// Sheets are drawn when asked for: a run of any length previews with its exact count, but one sheet of
// more labels than a page can hold is refused before anything is kept.
TEST(KxLabPreview, ARunOfAnyLengthPreviewsButASheetTooLargeIsRefused) {
    TKxLab lab;
    AddMarker(lab);
    lab.GetPrintInfo()->SetLabs(static_cast<int>(KxMaxPreviewPages * 21 + 1));
    lab.Preview();
    EXPECT_EQ(lab.GetTotalPages(), KxMaxPreviewPages + 1);
    EXPECT_EQ(CellCorners(*lab.GetPages(KxMaxPreviewPages + 1)), std::vector<TPoint>{Cell11});
    lab.GetMeasure()->SetNuHor(1000);
    lab.GetMeasure()->SetNuVer(1000);
    lab.GetPrintInfo()->SetLabs(static_cast<int>(KxMaxPreviewLabels + 1));
    EXPECT_THROW(lab.Preview(), EKxError);
    EXPECT_EQ(lab.GetTotalPages(), 0);
}

TEST(KxLabPreview, StoredMarginsAreSubtracted) {
    TKxLab lab;
    AddMarker(lab);
    TKxPrintInfo source;
    lab.GetPrintInfo()->Assign(&source);
    const TKxPrinterMetrics& m = lab.GetPrintInfo()->Snapshot();
    lab.Preview();
    EXPECT_EQ(CellCorners(*lab.GetPages(1)), std::vector<TPoint>{TPoint(50 - m.MaLeft, 100 - m.MaTop)});
}

TEST(KxLabRun, RecordsRepeatAndTheTableIsClosedAfterwards) {
    TKxLab lab;
    TItems items(lab);
    AddNameText(lab);
    TKxPrintInfo& p = *lab.GetPrintInfo();
    p.SetFirstLab(3);
    p.SetLastLab(5);
    p.SetRepetition(2);
    lab.Preview();
    ASSERT_EQ(lab.GetTotalPages(), 1);
    EXPECT_EQ(PageTexts(*lab.GetPages(1)), (QStringList{"R3", "R3", "R4", "R4", "R5", "R5"}));
    EXPECT_FALSE(lab.GetTable()->Active());
    // The run read no further than record 5, and its limit went with it.
    EXPECT_EQ(lab.GetTable()->ReadLimit(), 0);
}

TEST(KxLabRun, PastTheLastRecordTheLastOneRepeats) {
    TKxLab lab;
    TItems items(lab);
    AddNameText(lab);
    lab.GetPrintInfo()->SetFirstLab(5);
    lab.GetPrintInfo()->SetLastLab(8);
    lab.Preview();
    EXPECT_EQ(PageTexts(*lab.GetPages(1)), (QStringList{"R5", "R6", "R6", "R6"}));
}

TEST(KxLabRun, ExportHandsOverEverySheetAndKeepsNone) {
    TKxLab lab;
    AddMarker(lab);
    lab.GetPrintInfo()->SetLabs(43);
    std::vector<size_t> cells;
    std::vector<int64_t> numbers;
    TKxPrintRun(*lab.Label(), TKxRunSettings::FromPrintInfo(*lab.GetPrintInfo()))
        .Export([&](TMetafile& Page, int64_t Number) {
            cells.push_back(CellCorners(Page).size());
            numbers.push_back(Number);
        });
    EXPECT_EQ(cells, (std::vector<size_t>{21, 21, 1}));
    EXPECT_EQ(numbers, (std::vector<int64_t>{1, 2, 3}));
    EXPECT_EQ(lab.GetTotalPages(), 0);
}

TEST(KxLabRun, ARunLeavesTheLabelUnchanged) {
    TKxLab lab;
    KxAddEveryKind(lab);
    TItems items(lab);
    lab.GetPrintInfo()->SetLastLab(4);
    const QByteArray before = KxSaveToBytes(lab);
    try {
        lab.Preview();
    } catch (const EDBEngineError&) {
        // Sample elements name fields this table lacks; the run stops, the label must not change.
    }
    EXPECT_EQ(KxSaveToBytes(lab), before);
}

TEST(KxLabPrint, PdfHoldsOnePagePerSheetWithTheLabels) {
    TPdfPrinter pdf;
    TKxLab lab;
    TItems items(lab);
    AddNameText(lab);
    lab.GetPrintInfo()->SetFirstLab(1);
    lab.GetPrintInfo()->SetLastLab(6);
    lab.GetPrintInfo()->SetRepetition(4);
    lab.Print();
    EXPECT_FALSE(Printer().Printing());
    EXPECT_EQ(PdfPages(pdf.Path()), 2);
    EXPECT_TRUE(Tool(QStringLiteral("pdfinfo"), {pdf.Path()}).contains(QStringLiteral("(A4)")));
    const QString text = Tool(QStringLiteral("pdftotext"), {pdf.Path(), QStringLiteral("-")});
    EXPECT_EQ(text.count(QStringLiteral("R1")), 4);
    EXPECT_EQ(text.count(QStringLiteral("R6")), 4);
    EXPECT_FALSE(lab.GetTable()->Active());
}

TEST(KxLabPrint, LandscapePdfPages) {
    TPdfPrinter pdf;
    TKxLab lab;
    lab.GetPrintInfo()->SetOrientation(1);
    lab.Print();
    EXPECT_TRUE(Tool(QStringLiteral("pdfinfo"), {pdf.Path()}).contains(QStringLiteral("842 x 595")));
}

TEST(KxLabPrint, NoLabelsSendsNoJobButThePreviewHasItsEmptyPage) {
    TPdfPrinter pdf;
    TKxLab lab;
    TItems items(lab);
    lab.GetPrintInfo()->SetFirstLab(4);
    lab.GetPrintInfo()->SetLastLab(3);
    lab.Print();
    EXPECT_FALSE(QFile::exists(pdf.Path()));
    EXPECT_FALSE(lab.GetTable()->Active());
    lab.Preview();
    ASSERT_EQ(lab.GetTotalPages(), 1);
    EXPECT_TRUE(lab.GetPages(1)->Records().empty());
}

TEST(KxLabPrint, DatabaseErrorMidRunEndsTheJobAndPropagates) {
    TPdfPrinter pdf;
    TKxLab lab;
    TItems items(lab);
    AddNameText(lab);
    // The second element names a field the table lacks: the first cell fails while drawing.
    auto wrong = std::make_unique<TKxText>(lab.Label());
    wrong->Field = QStringLiteral("nosuchfield");
    wrong->DataBase = true;
    lab.AddElement(std::move(wrong));
    lab.GetPrintInfo()->SetLastLab(6);
    EXPECT_THROW(lab.Print(), EDBEngineError);
    EXPECT_FALSE(Printer().Printing());
    EXPECT_FALSE(lab.GetTable()->Active());
    EXPECT_EQ(PdfPages(pdf.Path()), 1);
    EXPECT_THROW(lab.Preview(), EDBEngineError);
    EXPECT_FALSE(lab.GetTable()->Active());
    // The failed run leaves no page half recorded behind it.
    lab.GetTable()->SetDatabaseName(QString());
    lab.Preview();
    EXPECT_EQ(lab.GetTotalPages(), 1);
}

namespace {

// The application's printer with neither a printer nor a file chosen, as a new one starts; the
// system's default destination is QUEUE (CUPS reads LPDEST), or none when QUEUE is empty.
class TUnchosenPrinter {
public:
    explicit TUnchosenPrinter(const QByteArray& Queue)
        : FOld(Printer().OutputFileName()) {
        qunsetenv("PRINTER");
        if (Queue.isEmpty())
            qunsetenv("LPDEST");
        else
            qputenv("LPDEST", Queue);
        Printer().SetOutputFileName(QString());
    }
    ~TUnchosenPrinter() {
        qunsetenv("LPDEST");
        Printer().SetOutputFileName(FOld);
    }

private:
    QString FOld;
};

} // namespace

TEST(KxLabPrint, WithoutAPrinterOrADefaultItRaisesAndWritesNoFile) {
    TUnchosenPrinter none({});
    if (!QPrinterInfo::defaultPrinterName().isEmpty()) GTEST_SKIP() << "this system has a default printer";
    TKxTempDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.Path());
    TKxLab lab;
    AddMarker(lab);
    EXPECT_FALSE(Printer().HasTarget());
    EXPECT_THROW(lab.Print(), EKxError);
    EXPECT_FALSE(Printer().Printing());
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::Files).isEmpty());
    QDir::setCurrent(old);
}

TEST(KxLabPrint, WithoutAChoiceTheSystemDefaultPrinterPrints) {
    const QByteArray queue = qgetenv("KXLAB_CUPS_QUEUE");
    if (queue.isEmpty()) GTEST_SKIP() << "no CUPS queue (KXLAB_CUPS_QUEUE)";
    TUnchosenPrinter byDefault(queue);
    TKxLab lab;
    AddMarker(lab);
    lab.Print();
    EXPECT_FALSE(Printer().IsPdf());
    EXPECT_EQ(Printer().PrinterName(), QString::fromLocal8Bit(queue));
    EXPECT_EQ(Printer().PageNumber(), 1);
}

#include "print/Printer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "common/TestSupport.h"

namespace {

// pdfinfo's answer for one key ("Pages", "Page size").
QString PdfInfo(const QString& file, const QString& key) {
    QProcess p;
    p.start("pdfinfo", {file});
    if (!p.waitForFinished(30000)) return {};
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith(key + ":")) return line.mid(key.size() + 1).trimmed();
    return {};
}

QImage Rasterise(const QString& pdf, const QString& prefix, int dpi) {
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, prefix});
    p.waitForFinished(30000);
    return QImage(prefix + ".png");
}

} // namespace

struct TPaperCase {
    int Code;
    QPageSize::PageSizeId Id;
    double Width;
    double Height;
};

class KxPaperCodes : public ::testing::TestWithParam<TPaperCase> {};

TEST_P(KxPaperCodes, MapToTheirPageSizeAndMillimetres) {
    const TPaperCase p = GetParam();
    ASSERT_EQ(PaperSizeId(p.Code), p.Id);
    EXPECT_EQ(QPageSize::id(p.Code), p.Id); // Qt's own reading of the platform code agrees
    TPrinter printer;
    ASSERT_TRUE(printer.SetPaperSize(p.Code));
    EXPECT_EQ(printer.PaperSize(), p.Code);
    EXPECT_NEAR(printer.PaperWidthMM(), p.Width, 0.06);
    EXPECT_NEAR(printer.PaperHeightMM(), p.Height, 0.06);
}

// The paper catalogue's codes, with the sizes the printer gets (the catalogue's own Quarto is
// 215 x 275 mm and its code 12 row 250 x 354 mm; the code names JIS B4).
INSTANTIATE_TEST_SUITE_P(
    Catalogue, KxPaperCodes,
    ::testing::Values(
        TPaperCase{9, QPageSize::A4, 210, 297}, TPaperCase{6, QPageSize::Statement, 139.7, 215.9},
        TPaperCase{7, QPageSize::ExecutiveStandard, 184.2, 266.7},
        TPaperCase{1, QPageSize::Letter, 215.9, 279.4}, TPaperCase{5, QPageSize::Legal, 215.9, 355.6},
        TPaperCase{11, QPageSize::A5, 148, 210}, TPaperCase{8, QPageSize::A3, 297, 420},
        TPaperCase{3, QPageSize::Tabloid, 279.4, 431.8}, TPaperCase{4, QPageSize::Ledger, 431.8, 279.4},
        TPaperCase{12, QPageSize::JisB4, 257, 364}, TPaperCase{13, QPageSize::JisB5, 182, 257},
        TPaperCase{15, QPageSize::Quarto, 215.9, 275.1}, TPaperCase{27, QPageSize::EnvelopeDL, 110, 220},
        TPaperCase{28, QPageSize::EnvelopeC5, 162, 229}, TPaperCase{29, QPageSize::EnvelopeC3, 324, 458},
        TPaperCase{30, QPageSize::EnvelopeC4, 229, 324}, TPaperCase{31, QPageSize::EnvelopeC6, 114, 162},
        TPaperCase{32, QPageSize::EnvelopeC65, 114, 229}, TPaperCase{33, QPageSize::EnvelopeB4, 250, 353},
        TPaperCase{34, QPageSize::EnvelopeB5, 176, 250}, TPaperCase{35, QPageSize::EnvelopeB6, 176, 125},
        TPaperCase{36, QPageSize::EnvelopeItalian, 110, 230}, TPaperCase{42, QPageSize::B4, 250, 353},
        TPaperCase{43, QPageSize::Postcard, 100, 148}, TPaperCase{47, QPageSize::EnvelopeInvite, 220, 220},
        TPaperCase{82, QPageSize::DoublePostcard, 200, 148}),
    [](const auto& info) { return "Code" + std::to_string(info.param.Code); });

TEST(KxPrinterPaper, CustomSizeUnknownCodesAndOrientation) {
    TPrinter printer;
    EXPECT_FALSE(PaperSizeId(256));
    EXPECT_FALSE(printer.SetPaperSize(2));
    EXPECT_FALSE(printer.SetPaperSize(256, 0, 290));
    EXPECT_EQ(printer.PaperSize(), 9); // unchanged
    ASSERT_TRUE(printer.SetPaperSize(256, 620, 290));
    EXPECT_DOUBLE_EQ(printer.PaperWidthMM(), 62.0);
    EXPECT_DOUBLE_EQ(printer.PaperHeightMM(), 29.0);
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.Orientation(), poLandscape);
    EXPECT_DOUBLE_EQ(printer.PaperWidthMM(), 29.0);
    EXPECT_DOUBLE_EQ(printer.PaperHeightMM(), 62.0);
}

TEST(KxPrinterPaper, SelectingPaperKeepsTheRestOfTheSetUp) {
    TPrinter printer;
    printer.Device().setCopyCount(3);
    printer.Device().setPageOrder(QPrinter::LastPageFirst);
    printer.Device().setDocName("run 7");
    ASSERT_TRUE(printer.SetPaperSize(11));
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.Device().copyCount(), 3);
    EXPECT_EQ(printer.Device().pageOrder(), QPrinter::LastPageFirst);
    EXPECT_EQ(printer.Device().docName(), "run 7");
}

TEST(KxPrinterMetrics, ComeFromMillimetresAndTheResolution) {
    TPrinter printer;
    ASSERT_TRUE(printer.SetPaperSize(256, 620, 290)); // Qt would round this page to 176 x 82 pt
    EXPECT_EQ(printer.Dpi(), 1200);
    EXPECT_DOUBLE_EQ(printer.PrintableWidthMM(), 62.0);
    EXPECT_DOUBLE_EQ(printer.PrintableHeightMM(), 29.0);
    EXPECT_EQ(printer.PageWidth(), 2929);  // 62 / 25.4 x 1200 = 2929.1
    EXPECT_EQ(printer.PageHeight(), 1370); // 29 / 25.4 x 1200 = 1370.1
    EXPECT_EQ(printer.PhysicalOffsetX(), 0);
    EXPECT_EQ(printer.PhysicalOffsetY(), 0);
    ASSERT_TRUE(printer.SetPaperSize(9));
    EXPECT_EQ(printer.PageWidth(), static_cast<int>(std::lround(210 / 25.4 * 1200)));
    // Offsets in tenths of a millimetre, as the print engine converts them.
    EXPECT_EQ(std::lround(printer.PhysicalOffsetX() * 254.0 / printer.Dpi()), 0);
}

TEST(KxPrinterPdf, WritesOnePagePerNewPageAtThePaperSize) {
    TKxTempDir dir;
    const QString file = dir.Path("run.pdf");
    TPrinter printer;
    printer.SetOutputFileName(file);
    ASSERT_TRUE(printer.IsPdf());
    ASSERT_TRUE(printer.SetPaperSize(9));
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    // One logical unit per tenth of a millimetre, as the print engine maps the page.
    TCanvas& c = printer.Canvas();
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(2100, 2970);
    c.SetViewportExtEx(printer.PageWidth(), printer.PageHeight());
    c.Brush = {clBlack, bsSolid};
    c.FillRect({200, 300, 600, 500}); // 20 x 30 mm to 60 x 50 mm
    printer.NewPage();
    c.Font.SetName("Arial");
    c.Font.SetHeight(50);
    c.TextOut(100, 100, "second");
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 3);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    EXPECT_EQ(PdfInfo(file, "Pages"), "3");
    EXPECT_TRUE(PdfInfo(file, "Page size").startsWith("595 x 842"))
        << PdfInfo(file, "Page size").toStdString();
    // At 254 dpi one pixel is a tenth of a millimetre.
    const QImage page = Rasterise(file, dir.Path("page"), 254);
    ASSERT_FALSE(page.isNull());
    EXPECT_LT(qGray(page.pixel(210, 310)), 50);
    EXPECT_LT(qGray(page.pixel(590, 490)), 50);
    EXPECT_GT(qGray(page.pixel(190, 310)), 200);
    EXPECT_GT(qGray(page.pixel(610, 490)), 200);
}

// The same job on a device the caller owns: the same pages, the document's name and creator as the
// PDF's title and creator, and the device left open for the caller to check and close.
TEST(KxPrinterPdf, ADeviceGetsTheSamePagesAsAFile) {
    TKxTempDir dir;
    const auto print = [](TPrinter& printer) {
        ASSERT_TRUE(printer.SetPaperSize(256, 620, 290));
        printer.BeginDoc();
        TCanvas& c = printer.Canvas();
        c.SetMapMode(MM_ISOTROPIC);
        c.SetWindowExtEx(620, 290);
        c.SetViewportExtEx(printer.PageWidth(), printer.PageHeight());
        c.Brush = {clBlack, bsSolid};
        c.FillRect({100, 100, 300, 200});
        printer.NewPage();
        printer.EndDoc();
    };
    TPrinter byName;
    byName.SetOutputFileName(dir.Path("file.pdf"));
    print(byName);
    QFile device(dir.Path("device.pdf"));
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    TPrinter onDevice;
    onDevice.SetOutputDevice(&device);
    onDevice.Device().setDocName("Price tags");
    onDevice.Device().setCreator("kxtest 1.0");
    print(onDevice);
    EXPECT_TRUE(device.isOpen());
    device.close();
    for (const char* key : {"Pages", "Page size"})
        EXPECT_EQ(PdfInfo(device.fileName(), key), PdfInfo(dir.Path("file.pdf"), key)) << key;
    EXPECT_EQ(PdfInfo(device.fileName(), "Pages"), "2");
    EXPECT_EQ(PdfInfo(device.fileName(), "Title"), "Price tags");
    EXPECT_EQ(PdfInfo(device.fileName(), "Creator"), "kxtest 1.0");
    const QImage fromFile = Rasterise(dir.Path("file.pdf"), dir.Path("f"), 100);
    ASSERT_FALSE(fromFile.isNull());
    EXPECT_EQ(Rasterise(device.fileName(), dir.Path("d"), 100), fromFile);
}

TEST(KxPrinterPdf, LandscapeCustomPageIsRoundedByQtButMeasuredExactly) {
    TKxTempDir dir;
    const QString file = dir.Path("label.pdf");
    TPrinter printer;
    printer.SetOutputFileName(file);
    ASSERT_TRUE(printer.SetPaperSize(256, 620, 290));
    printer.SetOrientation(poLandscape);
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_EQ(PdfInfo(file, "Pages"), "1");
    EXPECT_TRUE(PdfInfo(file, "Page size").startsWith("82 x 176"))
        << PdfInfo(file, "Page size").toStdString();
    EXPECT_EQ(printer.PageWidth(), 1370);
}

TEST(KxPrinterErrors, UnknownPrinterAndUnwritableFileAreClearErrors) {
    TPrinter printer;
    try {
        printer.SetPrinterName("KxNoSuchQueue");
        FAIL() << "an unknown printer was accepted";
    } catch (const EPrinter& e) {
        EXPECT_NE(std::string(e.what()).find("KxNoSuchQueue"), std::string::npos);
    }
    EXPECT_TRUE(printer.IsPdf());

    printer.SetOutputFileName("/nonexistent-folder/x/out.pdf");
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
    printer.NewPage(); // outside a job: ignored
    printer.EndDoc();
}

TEST(KxPrinterAccessor, OneApplicationPrinter) {
    EXPECT_EQ(&Printer(), &Printer());
    EXPECT_EQ(Printer().PaperSize(), 9);
}

TEST(KxPrinterTarget, ANewPrinterHasNeitherAPrinterNorAFile) {
    TPrinter printer;
    EXPECT_TRUE(printer.IsPdf());
    EXPECT_TRUE(printer.OutputFileName().isEmpty());
    EXPECT_FALSE(printer.HasTarget());
    TKxTempDir dir;
    printer.SetOutputFileName(dir.Path("out.pdf"));
    EXPECT_TRUE(printer.HasTarget());
    printer.SetOutputFileName(QString());
    EXPECT_FALSE(printer.HasTarget());
}

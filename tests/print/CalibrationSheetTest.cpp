#include <gtest/gtest.h>
#include <QImage>

#include "common/TestSupport.h"
#include "print/CalibrationSheet.h"
#include "print/Printer.h"

namespace {

constexpr double Dpi = 300;

// The centre of the crosshair near Expected (mm) on a 300 dpi picture of the sheet: the rows and the
// columns within 12 mm that hold the most ink are its two strokes.
QPointF Crosshair(const QImage& Page, QPointF Expected) {
    const auto px = [](double Mm) { return static_cast<int>(Mm / 25.4 * Dpi); };
    const QRect window =
        QRect(px(Expected.x() - 12), px(Expected.y() - 12), px(24), px(24)).intersected(Page.rect());
    std::vector<int> rows(window.height()), columns(window.width());
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            if (qGray(Page.pixel(window.left() + x, window.top() + y)) < 128) {
                ++rows[y];
                ++columns[x];
            }
    const auto middle = [](const std::vector<int>& Ink, int Origin) {
        const int most = *std::max_element(Ink.begin(), Ink.end());
        double sum = 0;
        int count = 0;
        for (size_t i = 0; i < Ink.size(); ++i)
            if (Ink[i] > most * 8 / 10) {
                sum += i;
                ++count;
            }
        return count ? (Origin + sum / count + 0.5) * 25.4 / Dpi : -1.0;
    };
    return {middle(columns, window.left()), middle(rows, window.top())};
}

// Prints the sheet to a PDF as a printer misplacing everything by Error would, and pictures it.
QImage PrintedSheet(const TKxTempDir& Dir, const TKxCalibration& Error) {
    const QString pdf = Dir.Path(QStringLiteral("sheet.pdf"));
    TPrinter printer;
    printer.SetOutputFileName(pdf);
    KxPrintCalibrationSheet(printer, Error);
    Exec(QStringLiteral("pdftoppm"),
         {"-r", "300", "-png", "-singlefile", "-gray", pdf, Dir.Path(QStringLiteral("sheet"))});
    return QImage(Dir.Path(QStringLiteral("sheet.png")));
}

struct TMisplacing {
    const char* Name;
    TKxCalibration Printer;
};

class KxCalibrationSheet : public ::testing::TestWithParam<TMisplacing> {};

} // namespace

// The sheet's crosshairs, as a misplacing printer prints them and the user measures them, give the
// correction that undoes the printer's error.
TEST_P(KxCalibrationSheet, MeasuresOfItsCrosshairsGiveTheCorrection) {
    TKxTempDir dir;
    const TKxCalibration error = GetParam().Printer;
    const QImage page = PrintedSheet(dir, error);
    ASSERT_FALSE(page.isNull());
    // Opt-in: a picture of the sheet as printed exactly.
    if (const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
        !folder.isEmpty() && error.IsIdentity())
        page.save(folder + QStringLiteral("/calibration-sheet.png"));
    const TKxCalibrationMarks marks = TKxCalibrationMarks::ForPaper(210, 297);
    EXPECT_EQ(marks.A, QPointF(20, 20));
    EXPECT_EQ(marks.B, QPointF(190, 277));
    const auto misplaced = [&error](QPointF P) {
        return QPointF(error.OffsetX + P.x() * error.ScaleX / 100,
                       error.OffsetY + P.y() * error.ScaleY / 100);
    };
    const QPointF a = Crosshair(page, misplaced(marks.A));
    const QPointF b = Crosshair(page, misplaced(marks.B));
    EXPECT_NEAR(a.x(), misplaced(marks.A).x(), 0.15);
    EXPECT_NEAR(a.y(), misplaced(marks.A).y(), 0.15);
    EXPECT_NEAR(b.x(), misplaced(marks.B).x(), 0.15);
    EXPECT_NEAR(b.y(), misplaced(marks.B).y(), 0.15);
    const TKxCalibration c = KxCalibrationFromMeasures(marks, a, b, {}, {0, 0});
    ASSERT_TRUE(c.Problem().isEmpty()) << c.Problem().toStdString();
    // Printing P at Offset + Scale P on this printer lands on P.
    for (const QPointF p : {marks.A, marks.B, QPointF(105, 148)}) {
        const QPointF sent(c.OffsetX + p.x() * c.ScaleX / 100, c.OffsetY + p.y() * c.ScaleY / 100);
        EXPECT_NEAR(misplaced(sent).x(), p.x(), 0.2);
        EXPECT_NEAR(misplaced(sent).y(), p.y(), 0.2);
    }
}

INSTANTIATE_TEST_SUITE_P(Printers, KxCalibrationSheet,
                         ::testing::Values(TMisplacing{"Exact", {0, 0, 100, 100}},
                                           TMisplacing{"Shifted", {1.5, -2, 100, 100}},
                                           TMisplacing{"Stretched", {0, 0, 102, 98.5}},
                                           TMisplacing{"Both", {-1, 2.5, 99, 101}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// A sheet measured after printing with a correction corrects that correction, and measures that cannot
// come from the sheet (B left of A) give values the profile refuses.
TEST(KxCalibrationMeasures, StartFromTheCorrectionTheSheetWasPrintedWith) {
    const TKxCalibrationMarks marks = TKxCalibrationMarks::ForPaper(100, 150);
    EXPECT_EQ(marks.A, QPointF(20, 20));
    EXPECT_EQ(marks.B, QPointF(80, 130));
    // A printer that places x at 1 + 1.01 x, a sheet printed with offset 0.5 mm and scale 99 %.
    const TKxCalibration printed{0.5, 0, 99, 100};
    const auto printer = [](double X) { return 1 + 1.01 * X; };
    const auto sent = [](const TKxCalibration& C, double X) { return C.OffsetX + C.ScaleX / 100 * X; };
    const TKxCalibration c = KxCalibrationFromMeasures(marks, {printer(sent(printed, 20)), 20},
                                                       {printer(sent(printed, 80)), 130}, printed, {0, 0});
    EXPECT_NEAR(printer(sent(c, 20)), 20, 1e-9);
    EXPECT_NEAR(printer(sent(c, 80)), 80, 1e-9);
    EXPECT_DOUBLE_EQ(c.OffsetY, 0);
    EXPECT_DOUBLE_EQ(c.ScaleY, 100);
    EXPECT_FALSE(KxCalibrationFromMeasures(marks, {80, 20}, {20, 130}, {}, {0, 0}).Problem().isEmpty());
    EXPECT_FALSE(KxCalibrationFromMeasures(marks, {0, 0}, {0, 0}, {}, {0, 0}).Problem().isEmpty());
}

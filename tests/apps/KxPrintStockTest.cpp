#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <QFile>
#include <QImage>
#include <vector>

#include "AppTestSupport.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

namespace {

/// KXLAB_STOCK_DIRS for the kxprint runs a test starts, put back as it was afterwards.
class TStockDirs {
public:
    explicit TStockDirs(const QString& Dirs)
        : FWas(qEnvironmentVariableIsSet("KXLAB_STOCK_DIRS"))
        , FOld(qgetenv("KXLAB_STOCK_DIRS")) {
        qputenv("KXLAB_STOCK_DIRS", Dirs.toLocal8Bit());
    }
    ~TStockDirs() {
        if (FWas)
            qputenv("KXLAB_STOCK_DIRS", FOld);
        else
            qunsetenv("KXLAB_STOCK_DIRS");
    }

private:
    bool FWas;
    QByteArray FOld;
};

/// A folder with one XML catalogue file of these templates.
QString StockFolder(const TKxTempDir& Dir, const QByteArray& Templates) {
    WriteBytes(Dir.Path(QStringLiteral("test-templates.xml")),
               "<Glabels-templates>" + Templates + "</Glabels-templates>");
    return Dir.Path();
}

/// A label of no elements whose cells print as light grey with a black frame inside their edges, on
/// a layout that is not L7160's.
QString CellsLabel(const QString& Path) {
    TKxLabel label;
    label.GetMeasure()->SetWidth(50);
    label.GetMeasure()->SetHeight(20);
    label.GetMeasure()->SetNuHor(3);
    label.GetMeasure()->SetNuVer(2);
    label.GetBackSurf()->SetColor(0xC0C0C0);
    label.GetBackSurf()->SetPrint(true);
    label.GetFrame()->SetStyle(fsSingle);
    label.GetFrame()->SetDist1(0);
    label.GetFrame()->SetPenWidth(0.3f);
    label.GetPrintInfo()->SetLabs(21);
    label.SaveToFile(Path);
    return Path;
}

/// Where a line of pixels crosses from light to dark or back (grey level 128), in pixels from the
/// line's start with the pixel's centre at +0.5: the start and end of each dark run.
std::vector<std::pair<double, double>> DarkRuns(const std::vector<int>& Line) {
    std::vector<std::pair<double, double>> runs;
    const auto cross = [&](size_t I) {
        // Linear between the centres of pixels I - 1 and I.
        const double a = Line[I - 1];
        const double b = Line[I];
        return static_cast<double>(I) - 0.5 + (a - 128) / (a - b);
    };
    double start = -1;
    for (size_t i = 1; i < Line.size(); ++i) {
        const bool was = Line[i - 1] < 128;
        const bool is = Line[i] < 128;
        if (!was && is) start = cross(i);
        if (was && !is && start >= 0) runs.emplace_back(start, cross(i));
    }
    return runs;
}

std::vector<int> Row(const QImage& Page, int Y) {
    std::vector<int> line(Page.width());
    for (int x = 0; x < Page.width(); ++x)
        line[x] = qGray(Page.pixel(x, Y));
    return line;
}

std::vector<int> Column(const QImage& Page, int X) {
    std::vector<int> line(Page.height());
    for (int y = 0; y < Page.height(); ++y)
        line[y] = qGray(Page.pixel(X, y));
    return line;
}

} // namespace

TEST(KxPrintStocks, ListTheStocksThatMatchWithTheirSizeLayoutAndUseAndWarnOfBadFiles) {
    TKxTempDir dir;
    const TStockDirs dirs(StockFolder(dir, R"(<Template brand="Acme" part="L7160-OV" size="A4">
        <Label-ellipse id="0" width="60mm" height="40mm"><Layout nx="3" ny="6" x0="10mm" y0="10mm" dx="65mm"
        dy="45mm"/></Label-ellipse></Template>)"));
    WriteBytes(dir.Path(QStringLiteral("bad-templates.xml")), "<!DOCTYPE x [<!ENTITY a \"b\">]><x/>");
    const TResult r = KxPrint({QStringLiteral("--list-stocks"), QStringLiteral("L"), QStringLiteral("7160")});
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    const QStringList lines = r.Out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.Out.toStdString();
    EXPECT_EQ(lines[0].simplified(),
              QStringLiteral("Avery L7160 Address labels, 21 per sheet 63.5 x 38.1 mm 3 x 7, A4 yes"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Acme")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("no: elliptic labels cannot be drawn")))
        << lines[1].toStdString();
    // The columns line up.
    EXPECT_EQ(lines[0].indexOf(QStringLiteral("63.5")), lines[1].indexOf(QStringLiteral("60 x 40")));
    EXPECT_TRUE(r.Err.contains(QStringLiteral("bad-templates.xml"))) << r.Err.toStdString();
    const TResult none =
        KxPrint({QStringLiteral("--list-stocks"), QStringLiteral("no such stock"), QStringLiteral("-q")});
    EXPECT_EQ(none.Code, 0);
    EXPECT_TRUE(none.Out.isEmpty() && none.Err.isEmpty()) << none.Err.toStdString();
}

struct TRefusedStock {
    const char* Name;
    const char* Stock;
    const char* Says;
};

class KxPrintStockRefused : public ::testing::TestWithParam<TRefusedStock> {};

TEST_P(KxPrintStockRefused, IsABadCommandLineAndWritesNothing) {
    TKxTempDir dir;
    const TStockDirs dirs(StockFolder(dir, R"(
        <Template brand="Acme" part="OV-1" size="A4"><Label-ellipse id="0" width="60mm" height="40mm">
          <Layout nx="3" ny="6" x0="10mm" y0="10mm" dx="65mm" dy="45mm"/></Label-ellipse></Template>
        <Template brand="Acme" part="L7160" size="A4"><Label-rectangle id="0" width="60mm" height="40mm">
          <Layout nx="3" ny="6" x0="10mm" y0="10mm" dx="65mm" dy="45mm"/></Label-rectangle></Template>)"));
    const QString label = CellsLabel(dir.Path(QStringLiteral("cells.kxl")));
    const QString out = dir.Path(QStringLiteral("out.pdf"));
    const TResult r = KxPrint(
        {label, QStringLiteral("-o"), out, QStringLiteral("--stock"), QString::fromLatin1(GetParam().Stock)});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.Err.contains(QString::fromUtf8(GetParam().Says))) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Names, KxPrintStockRefused,
    ::testing::Values(
        TRefusedStock{"Unknown", "Q9999", "no label stock is named \"Q9999\""},
        TRefusedStock{"Ambiguous", "L7160", "\"L7160\" names 2 stocks (Acme L7160, Avery L7160)"},
        TRefusedStock{"Unusable", "OV-1", "Acme OV-1 cannot be used: elliptic labels cannot be drawn"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The printed sheet: each of L7160's 21 cells, found on the page rendered at 400 dpi by the black frame
// inside its edges, lies within 0.2 mm of the stock's cell. The label file is left as it was.
TEST(KxPrintStocks, ARunOnL7160PrintsItsCellsWhereTheStockHasThem) {
    TKxTempDir dir;
    const TStockDirs dirs(dir.Path(QStringLiteral("no-catalogue")));
    const QString label = CellsLabel(dir.Path(QStringLiteral("cells.kxl")));
    const QByteArray before = FileBytes(label);
    const QString pdf = dir.Path(QStringLiteral("l7160.pdf"));
    const TResult r =
        KxPrint({label, QStringLiteral("-o"), pdf, QStringLiteral("--stock"), QStringLiteral("L7160")});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(FileBytes(label), before);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString prefix = dir.Path(QStringLiteral("page"));
    Exec(QStringLiteral("pdftoppm"), {"-r", "400", "-gray", "-png", "-singlefile", pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const double mmPerPixel = 25.4 / 400;
    const auto px = [&](double Mm) { return static_cast<int>(Mm / mmPerPixel); };
    constexpr double left = 7.21, top = 15.15, width = 63.5, height = 38.1, pitchX = 66.04, pitchY = 38.1;
    double worst = 0;
    const auto check = [&](double Found, double Want, const char* What, int Cell) {
        worst = std::max(worst, std::abs(Found - Want));
        EXPECT_NEAR(Found, Want, 0.2) << What << " of cell " << Cell;
    };
    // Across each row: two frame lines per cell, its left edge where the first begins and its right
    // edge where the second ends.
    for (int row = 1; row <= 7; ++row) {
        const auto runs = DarkRuns(Row(page, px(top + (row - 0.5) * pitchY)));
        ASSERT_EQ(runs.size(), 6U) << "row " << row;
        for (int col = 1; col <= 3; ++col) {
            check(runs[2 * col - 2].first * mmPerPixel, left + (col - 1) * pitchX, "left edge",
                  row * 10 + col);
            check(runs[2 * col - 1].second * mmPerPixel, left + (col - 1) * pitchX + width, "right edge",
                  row * 10 + col);
        }
    }
    // Down each column: the rows touch, so a row's bottom frame line and the next one's top make one
    // line, the edge in its middle.
    for (int col = 1; col <= 3; ++col) {
        const auto runs = DarkRuns(Column(page, px(left + (col - 1) * pitchX + width / 2)));
        ASSERT_EQ(runs.size(), 8U) << "column " << col;
        for (int row = 1; row <= 7; ++row) {
            const double topEdge =
                row == 1 ? runs[0].first : (runs[row - 1].first + runs[row - 1].second) / 2;
            const double bottomEdge = row == 7 ? runs[7].second : (runs[row].first + runs[row].second) / 2;
            check(topEdge * mmPerPixel, top + (row - 1) * pitchY, "top edge", row * 10 + col);
            check(bottomEdge * mmPerPixel, top + (row - 1) * pitchY + height, "bottom edge", row * 10 + col);
        }
    }
    RecordProperty("worst_edge_mm", QString::number(worst, 'f', 3).toStdString());
    std::printf("L7160 printed: the worst cell edge is %.3f mm from the stock's\n", worst);
}

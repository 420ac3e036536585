#include <algorithm>
#include <gtest/gtest.h>

#include "barcode/KxSymbology.h"
#include "elements/KxBarcodeGeometry.h"
#include "elements/KxSymbolLayout.h"
#include "gdi/Bitmap.h"
#include "gdi/CanvasTypes.h"

// Where the kinds that libzint encodes lie in label units, and the human-readable digits of the retail
// kinds, which stay off the guard bars at any module width.

namespace {

const TPoint K{1000, 2000};

TKxBarcodeShape ShapeOf(TKxBar Kind, const QString& Code, int32_t Width = 3) {
    TKxBarcodeShape s;
    s.BarType = Kind;
    s.Code = Code;
    s.Width = Width;
    return s;
}

int64_t Area(const TRect& R) {
    return int64_t{R.Width()} * R.Height();
}

bool Overlap(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

} // namespace

TEST(KxSymbolLayout, ALinearSymbolTakesTheLargerOfTheMarginAndItsQuietZone) {
    const TKxEncodedSymbol e = KxEncodeSymbol(baCode128, QStringLiteral("KxLab"), {});
    for (const int32_t margin : {0, 100}) {
        TKxBarcodeShape s = ShapeOf(baCode128, QStringLiteral("KxLab"));
        s.LeftMargin = margin;
        const TKxBarcodeLayout L = BarcodeLayout(s, K);
        ASSERT_TRUE(L.Valid);
        const int32_t quiet = std::max(margin, 10 * s.Width);
        EXPECT_EQ(L.Bars.front().Left, K.X + quiet);
        EXPECT_EQ(L.Box,
                  (TRect{K.X, K.Y, K.X + 2 * quiet + e.Columns * s.Width, K.Y + s.Height + s.FontHeight}));
        ASSERT_EQ(L.Texts.size(), 1u);
        EXPECT_EQ(L.Texts[0].Text, QStringLiteral("KxLab"));
        EXPECT_EQ(L.Texts[0].Ref, (TPoint{K.X + quiet + e.Columns * s.Width / 2, K.Y + s.Height}));
        EXPECT_EQ(L.TextAlign, TA_CENTER | TA_TOP);
    }
}

TEST(KxSymbolLayout, MatrixModulesAreSquareAndTheRectanglesCoverExactlyTheDarkModules) {
    TKxSymbolOptions o;
    o.QrLevel = TKxQrLevel::H;
    const TKxEncodedSymbol e = KxEncodeSymbol(baQR, QStringLiteral("KxLab"), o);
    TKxBarcodeShape s = ShapeOf(baQR, QStringLiteral("KxLab"), 5);
    s.Options = o;
    s.LeftMargin = 0;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    ASSERT_TRUE(L.Valid);
    // Four modules of quiet zone on every side, whatever the margins say.
    EXPECT_EQ(L.Box, (TRect{K.X, K.Y, K.X + (21 + 8) * 5, K.Y + (21 + 8) * 5}));
    EXPECT_TRUE(L.Texts.empty());
    int64_t area = 0;
    for (size_t i = 0; i < L.Bars.size(); ++i) {
        const TRect& r = L.Bars[i];
        EXPECT_EQ((r.Left - K.X) % 5, 0);
        EXPECT_EQ((r.Top - K.Y) % 5, 0);
        EXPECT_EQ(r.Width() % 5, 0);
        EXPECT_EQ(r.Height() % 5, 0);
        area += Area(r);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(Overlap(r, L.Bars[j])) << i << " overlaps " << j;
    }
    EXPECT_EQ(area, int64_t{e.Modules.count('\x01')} * 25);
    // Runs repeated from row to row merge: far fewer rectangles than dark modules.
    EXPECT_LT(L.Bars.size() * 2, static_cast<size_t>(e.Modules.count('\x01')));
}

TEST(KxSymbolLayout, Itf14StandsBetweenBearerBarsAcrossTheQuietZones) {
    const TKxBarcodeShape s = ShapeOf(baITF14, QStringLiteral("15400141288763"));
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    ASSERT_TRUE(L.Valid);
    const int32_t bearer = KxBearerModules * s.Width;
    const TRect top{K.X, K.Y + s.TopMargin, L.Box.Right, K.Y + s.TopMargin + bearer};
    const TRect bottom{K.X, top.Bottom + s.Height, L.Box.Right, top.Bottom + s.Height + bearer};
    EXPECT_NE(std::find(L.Bars.begin(), L.Bars.end(), top), L.Bars.end());
    EXPECT_NE(std::find(L.Bars.begin(), L.Bars.end(), bottom), L.Bars.end());
    for (const TRect& r : L.Bars)
        if (r != top && r != bottom) {
            EXPECT_EQ(r.Height(), s.Height);
        }
    EXPECT_EQ(L.Texts.at(0).Text, QStringLiteral("15400141288763"));
}

TEST(KxSymbolLayout, Pdf417RowsAreAtLeastThreeModulesAndShareTheHeight) {
    const TKxEncodedSymbol e = KxEncodeSymbol(baPDF417, QStringLiteral("KxLab"), {});
    TKxBarcodeShape s = ShapeOf(baPDF417, QStringLiteral("KxLab"));
    s.Height = 10;
    // Two modules of quiet zone above and below: the top margin is 0.
    const int32_t quiet = 2 * s.Width;
    EXPECT_EQ(BarcodeLayout(s, K).Box.Height(), 2 * quiet + e.Rows * 3 * s.Width);
    s.Height = 300;
    EXPECT_EQ(BarcodeLayout(s, K).Box.Height(), 2 * quiet + e.Rows * (300 / e.Rows));
}

TEST(KxSymbolLayout, TheAddOnsDigitsStandAboveItsLoweredBars) {
    const TKxBarcodeShape s = ShapeOf(baEAN13AddOn, QStringLiteral("9501101530003+12"));
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    ASSERT_TRUE(L.Valid);
    ASSERT_EQ(L.Texts.size(), 4u);
    EXPECT_EQ(L.Texts[0].Text + L.Texts[1].Text + L.Texts[2].Text, QStringLiteral("9501101530003"));
    const TKxBarcodeText& addOn = L.Texts[3];
    EXPECT_EQ(addOn.Text, QStringLiteral("12"));
    EXPECT_EQ(addOn.Ref.Y, K.Y + s.TopMargin);
    // The add-on starts 95 + 7 modules after the main symbol's first, which begins one module in.
    const int32_t addOnLeft = K.X + s.LeftMargin + (1 + 95 + 7) * s.Width;
    EXPECT_EQ(addOn.Ref.X, addOnLeft);
    for (const TRect& r : L.Bars) {
        if (r.Left < addOnLeft) continue;
        EXPECT_EQ(r.Top, K.Y + s.TopMargin + L.FontHeight + s.Width);
        EXPECT_EQ(r.Bottom, K.Y + s.TopMargin + s.Height + KxLongBarExtension);
    }
    EXPECT_EQ(L.Box.Width(), 2 * s.LeftMargin + 123 * s.Width);
}

TEST(KxSymbolLayout, UpcEShowsItsNumberSystemAndCheckDigitOutsideTheGuards) {
    const TKxBarcodeShape s = ShapeOf(baUPCE, QStringLiteral("0123456"));
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    ASSERT_EQ(L.Texts.size(), 3u);
    EXPECT_EQ(L.Texts[0].Text, QStringLiteral("0"));
    EXPECT_EQ(L.Texts[1].Text, QStringLiteral("123456"));
    EXPECT_EQ(L.Texts[2].Text, QStringLiteral("5"));
    const int32_t x0 = K.X + s.LeftMargin;
    EXPECT_LT(L.Texts[0].Ref.X, x0);
    EXPECT_GT(L.Texts[2].Ref.X, x0 + 52 * s.Width);
}

// The digits under a retail symbol, measured with the font they are drawn in, end before the bars that
// follow them.
struct TDigitsCase {
    const char* Name;
    TKxBar Kind;
    const char* Code;
    int32_t Width;
    int32_t FontHeight;
    int32_t CharSpace;
};

class KxRetailDigits : public ::testing::TestWithParam<TDigitsCase> {};

TEST_P(KxRetailDigits, NeverReachTheGuardBars) {
    const TDigitsCase& c = GetParam();
    TKxBarcodeShape s = ShapeOf(c.Kind, QString::fromLatin1(c.Code), c.Width);
    s.FontHeight = c.FontHeight;
    s.CharSpace = c.CharSpace;
    const TKxBarcodeLayout L = BarcodeLayout(s, K);
    ASSERT_TRUE(L.Valid);
    ASSERT_FALSE(L.Texts.empty());
    EXPECT_LE(L.FontHeight, c.FontHeight);
    // A 203 dpi printer: the coarsest device the digits meet, where a font size rounds the most.
    TBitmap page(2000, 600);
    TCanvas& canvas = page.Canvas();
    canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowExtEx(254, 254);
    canvas.SetViewportExtEx(203, 203);
    canvas.Font.SetName(QStringLiteral("Arial"));
    canvas.Font.SetHeight(L.FontHeight);
    canvas.SetTextCharacterExtra(L.CharSpace);
    for (const TKxBarcodeText& t : L.Texts) {
        if (t.Ref.Y != K.Y + s.TopMargin + s.Height) continue; // an add-on's digits stand above
        const int32_t right = t.Ref.X + canvas.TextExtent(t.Text).cx;
        for (const TRect& bar : L.Bars)
            if (bar.Bottom > t.Ref.Y && bar.Right > t.Ref.X) {
                EXPECT_LE(right, bar.Left) << t.Text.toStdString() << " reaches the bar at " << bar.Left;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Widths, KxRetailDigits,
    ::testing::Values(TDigitsCase{"Ean13Default", baEAN13, "8410894000109", 3, 30, 0},
                      TDigitsCase{"Ean13Narrow", baEAN13, "8410894000109", 2, 30, 0},
                      TDigitsCase{"Ean13NarrowTallSpaced", baEAN13, "8410894000109", 2, 60, 20},
                      TDigitsCase{"Ean13Hairline", baEAN13, "8410894000109", 1, 30, 0},
                      TDigitsCase{"Ean8Narrow", baEAN8, "96385074", 2, 30, 0},
                      TDigitsCase{"UpcANarrow", baUPCA, "036000291452", 2, 40, 5},
                      TDigitsCase{"UpcENarrow", baUPCE, "01234565", 2, 40, 0},
                      TDigitsCase{"UpcAAddOnNarrow", baUPCAAddOn, "036000291452+12", 2, 40, 0}),
    [](const ::testing::TestParamInfo<TDigitsCase>& info) { return info.param.Name; });

TEST(KxRetailDigits, TheDefaultBarcodeKeepsItsFont) {
    const TKxBarcodeLayout L = BarcodeLayout(ShapeOf(baEAN13, QStringLiteral("8410894000109")), K);
    EXPECT_EQ(L.FontHeight, 30);
    EXPECT_EQ(L.CharSpace, 0);
}

#include <gtest/gtest.h>
#include <set>
#include <tuple>

#include "common/PixelProbe.h"
#include "designer/KxRulerScale.h"
#include "designer/RenderTestSupport.h"
#include "gdi/Bitmap.h"

namespace {

std::vector<int32_t> Positions(const std::vector<TKxRulerTick>& ticks, bool (*pick)(const TKxRulerTick&)) {
    std::vector<int32_t> out;
    for (const auto& t : ticks)
        if (pick(t)) out.push_back(t.Pos);
    return out;
}

bool Numbered(const TKxRulerTick& t) {
    return !t.Number.isEmpty();
}
bool LongOnly(const TKxRulerTick& t) {
    return t.Long && t.Number.isEmpty();
}
bool Short(const TKxRulerTick& t) {
    return !t.Long;
}

// Columns (or rows) of a strip where the line of pixels at the given depth is in the colour.
std::set<int> Hits(const QImage& strip, bool top, int depth, TColor colour, int from) {
    std::set<int> hits;
    const int n = top ? strip.width() : strip.height();
    for (int i = from; i < n; ++i)
        if ((top ? strip.pixel(i, depth) : strip.pixel(depth, i)) == Rgb(colour)) hits.insert(i);
    return hits;
}

} // namespace

TEST(KxRulerTicks, MillimetresOfASixtyMillimetreLabel) {
    const auto ticks = KxRulerTicks(unMM, 600, 0, 600);
    ASSERT_EQ(ticks.size(), 61u);
    EXPECT_EQ(Positions(ticks, Numbered), (std::vector<int32_t>{0, 100, 200, 300, 400, 500, 600}));
    EXPECT_EQ(ticks[10].Number, "10"); // whole millimetres
    EXPECT_EQ(ticks[60].Number, "60");
    EXPECT_EQ(Positions(ticks, LongOnly), (std::vector<int32_t>{50, 150, 250, 350, 450, 550}));
    EXPECT_EQ(Positions(ticks, Short).size(), 61u - 7u - 6u);
}

TEST(KxRulerTicks, InchesHaveALongTickEveryHalfInchAndANumberEveryInch) {
    const auto ticks = KxRulerTicks(unINCH, 600, 0, 600);
    ASSERT_EQ(ticks.size(), 5u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].Pos, 127 * static_cast<int32_t>(i));
        EXPECT_TRUE(ticks[i].Long);
    }
    EXPECT_EQ(Positions(ticks, Numbered), (std::vector<int32_t>{0, 254, 508}));
    EXPECT_EQ(ticks[2].Number, "1");
    EXPECT_EQ(ticks[4].Number, "2");
}

TEST(KxRulerTicks, AWindowKeepsTheKindsOfTheWholeRuler) {
    const auto mm = KxRulerTicks(unMM, 600, 95, 160);
    ASSERT_EQ(mm.size(), 7u);
    EXPECT_EQ(mm.front(), (TKxRulerTick{100, true, "10"}));
    EXPECT_EQ(mm[5], (TKxRulerTick{150, true, ""}));
    EXPECT_EQ(mm.back(), (TKxRulerTick{160, false, ""}));
    const auto inch = KxRulerTicks(unINCH, 5000, 200, 800);
    ASSERT_EQ(inch.size(), 5u);
    EXPECT_EQ(inch.front(), (TKxRulerTick{254, true, "1"}));
    EXPECT_EQ(inch[1].Number, "");
    // Negative and huge windows stay within the label and cost only what they cover.
    EXPECT_EQ(KxRulerTicks(unMM, 600, -1000, 20).size(), 3u);
    EXPECT_EQ(KxRulerTicks(unMM, INT32_MAX, INT32_MAX - 25, INT32_MAX).size(), 2u);
}

class KxRulerStrip : public ::testing::TestWithParam<std::tuple<TKxUnits, TKxZoom>> {};

TEST_P(KxRulerStrip, TicksLieAtTheMappedPositionLongOnesReachFurther) {
    const auto [units, zoom] = GetParam();
    TShownLab s(400, 300);
    s.Lab.SetZoom(zoom);
    s.Lab.SetUnits(units);
    const TKxMeasure& m = *s.Lab.GetMeasure();
    for (const bool top : {true, false}) {
        SCOPED_TRACE(top ? "top" : "left");
        const QImage& strip = (top ? s.Lab.GetTopRuler() : s.Lab.GetLeftRuler()).Image();
        const int extent = top ? strip.width() : strip.height();
        std::set<int> all, longs;
        for (const auto& t : KxRulerTicks(units, top ? m.WidthLU() : m.HeightLU(), 0, INT32_MAX)) {
            const int at = (top ? s.Lab.WindowX(t.Pos) : s.Lab.WindowY(t.Pos)) - 20;
            if (at < 16 || at >= extent) continue; // the guide marker sits left of 16
            all.insert(at);
            if (t.Long) longs.insert(at);
        }
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(Hits(strip, top, 16, clBlack, 16), all);
        EXPECT_EQ(Hits(strip, top, 12, clBlack, 16), longs);
        EXPECT_EQ(Hits(strip, top, 18, clGray, 0).size(), static_cast<size_t>(extent)); // border
    }
}

INSTANTIATE_TEST_SUITE_P(UnitsAndZooms, KxRulerStrip,
                         ::testing::Combine(::testing::Values(unMM, unINCH),
                                            ::testing::Values(zm50, zm75, zm100, zm400)),
                         [](const auto& info) {
                             return (KxEnumName(std::get<0>(info.param)) + "_" +
                                     KxEnumName(std::get<1>(info.param)))
                                 .toStdString();
                         });

TEST(KxRulerStripText, NumbersAreCentredOnTheirTicks) {
    TShownLab s(400, 300);
    s.Lab.SetZoom(zm400);
    const QImage top = s.Lab.GetTopRuler().Image();
    // "10" at 10 mm: tick at 28 + 100 - 20 = 108.
    const QRect one = InkBox(top.copy(96, 0, 24, 9)).translated(96, 0);
    ASSERT_FALSE(one.isEmpty());
    EXPECT_NEAR(one.center().x(), 108, 2);
    // The left strip reads upwards, centred on its tick at row 108.
    const QRect side = InkBox(s.Lab.GetLeftRuler().Image().copy(0, 96, 9, 24)).translated(0, 96);
    ASSERT_FALSE(side.isEmpty());
    EXPECT_NEAR(side.center().y(), 108, 2);
}

TEST(KxRulerStripText, TheCornerNamesTheUnit) {
    TShownLab s;
    const QRect mm = InkBox(s.Lab.GetRulerCorner().Image());
    s.Lab.SetUnits(unINCH);
    const QRect inch = InkBox(s.Lab.GetRulerCorner().Image());
    EXPECT_GE(mm.left(), 2);
    EXPECT_GE(mm.top(), 4);
    EXPECT_GT(inch.width(), mm.width());
    EXPECT_EQ(s.Lab.GetRulerCorner().Image().pixel(19, 19), Rgb(clSilver));
    EXPECT_EQ(s.Lab.GetRulerCorner().Image().pixel(18, 19), Rgb(clGray));
}

TEST(KxRulerStripText, TheGuideMarkerPointsAtTheGuide) {
    TShownLab s;
    s.Lab.GetBackSurf()->SetAlignColor(clLime);
    s.Lab.GetBackSurf()->SetAlignLeft(10.0f); // guide at client 53, strip 33
    const QRect marker = ColourBox(s.Lab.GetTopRuler().Image(), clLime);
    EXPECT_GE(marker.left(), 29);
    EXPECT_LE(marker.right(), 37);
    EXPECT_GE(marker.top(), 12);
    EXPECT_LE(marker.bottom(), 17);
    s.Lab.DrawAll(duBoth);
    EXPECT_TRUE(ColourBox(s.Lab.GetLeftRuler().Image(), clLime).isValid()); // top guide at 0
}

TEST(KxRulerStripText, OnlyTheNamedStripIsRedrawnButAllArePasted) {
    TShownLab s;
    const QImage top = s.Lab.GetTopRuler().Image().copy();
    const QImage left = s.Lab.GetLeftRuler().Image().copy();
    s.Lab.SetHParams(40, 0, 188);
    s.Lab.SetVParams(30, 0, 126);
    s.Lab.DrawRulers(duLeft);
    EXPECT_EQ(s.Lab.GetTopRuler().Image(), top);
    EXPECT_NE(s.Lab.GetLeftRuler().Image(), left);
    s.Lab.DrawRulers(duTop);
    EXPECT_NE(s.Lab.GetTopRuler().Image(), top);
    EXPECT_EQ(s.Lab.GetLabScreen().Image().copy(20, 0, 380, 20),
              s.Lab.GetTopRuler().Image().copy(0, 0, 380, 20));
}

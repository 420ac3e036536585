#include "types/Kxtypes.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <QMetaProperty>
#include <QStringList>
#include <vector>

namespace {

constexpr int32_t IntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();

struct TCoordCase {
    Extended Value;
    int32_t Expected;
};

void PrintTo(const TCoordCase& c, std::ostream* os) {
    *os << static_cast<double>(c.Value);
}

class KxCoordRounding : public ::testing::TestWithParam<TCoordCase> {};

TEST_P(KxCoordRounding, RoundsTheExtendedProductHalfToEven) {
    EXPECT_EQ(Coord(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, KxCoordRounding,
    ::testing::Values(TCoordCase{2.5L, 25}, TCoordCase{0.25L, 2}, TCoordCase{0.75L, 8}, TCoordCase{1.25L, 12},
                      TCoordCase{-0.25L, -2}, TCoordCase{-0.75L, -8}, TCoordCase{0.0L, 0},
                      // Widened singles sit just below the half: 0.35f is 0.3499999940..., so 3, where
                      // a product computed in single precision would round up to 3.5 and give 4.
                      TCoordCase{0.35f, 3}, TCoordCase{0.45f, 4}, TCoordCase{0.15f, 2},
                      // A double just above a half must not be pulled down to it.
                      TCoordCase{1.05, 11}));

TEST(KxUnitConversion, CoordSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(Coord(1e30L), IntMax);
    EXPECT_EQ(Coord(-1e30L), IntMin);
    EXPECT_EQ(Coord(std::numeric_limits<Extended>::infinity()), IntMax);
    EXPECT_EQ(Coord(std::numeric_limits<Extended>::quiet_NaN()), 0);
    EXPECT_EQ(Coord(214748364.7L), IntMax);
}

TEST(KxUnitConversion, InCoordGivesTenthsOfAMillimetre) {
    EXPECT_EQ(InCoord(25), 2.5L);
    EXPECT_EQ(InCoord(0), 0.0L);
    EXPECT_NEAR(static_cast<double>(InCoord(-3)), -0.3, 1e-15);
    EXPECT_EQ(Coord(InCoord(IntMax)), IntMax);
}

TEST(KxUnitConversion, OneInchIsStoredAs254AndReadBackAsOneInch) {
    EXPECT_EQ(INCHTOMM(1.0f), 25.4f);
    EXPECT_EQ(Coord(INCHTOMM(1.0f)), 254);
    EXPECT_EQ(MMTOINCH(static_cast<float>(InCoord(254))), 1.0f);
    // A tenth of an inch is 2.54 mm, held to the tenth.
    EXPECT_EQ(Coord(INCHTOMM(0.1f)), 25);
}

// Every label unit up to ten metres survives the trip out to inches and back: the conversions must
// round, not truncate (254 units are 0.99999998 inch on the way).
TEST(KxUnitConversion, LabelUnitsSurviveTheTripThroughInches) {
    int failures = 0;
    for (int32_t i = -1000; i <= 100000 && failures < 5; ++i) {
        const float inches = MMTOINCH(static_cast<float>(InCoord(i)));
        const int32_t back = Coord(INCHTOMM(inches));
        if (back != i) {
            ++failures;
            ADD_FAILURE() << i << " came back as " << back;
        }
    }
}

struct TRoundCase {
    const char* Name;
    int32_t (*Fn)(Extended);
    Extended Value;
    int32_t Expected;
};

void PrintTo(const TRoundCase& c, std::ostream* os) {
    *os << c.Name << "(" << static_cast<double>(c.Value) << ")";
}

class KxRoundingHelpers : public ::testing::TestWithParam<TRoundCase> {};

TEST_P(KxRoundingHelpers, GiveTheDocumentedInteger) {
    const TRoundCase& c = GetParam();
    EXPECT_EQ(c.Fn(c.Value), c.Expected) << c.Name << "(" << static_cast<double>(c.Value) << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxRoundingHelpers,
    ::testing::Values(TRoundCase{"MyRound", MyRound, 2.5L, 3}, TRoundCase{"MyRound", MyRound, 2.49L, 2},
                      TRoundCase{"MyRound", MyRound, -2.5L, -2}, TRoundCase{"MyRound", MyRound, -2.7L, -2},
                      TRoundCase{"MyRound", MyRound, 3.5L, 4}, TRoundCase{"Ceil", Ceil, -0.5L, 0},
                      TRoundCase{"Ceil", Ceil, 0.1L, 1}, TRoundCase{"Ceil", Ceil, 2.0L, 2},
                      TRoundCase{"Ceil", Ceil, -2.0L, -2}, TRoundCase{"Floor", Floor, -0.5L, -1},
                      TRoundCase{"Floor", Floor, 0.9L, 0}, TRoundCase{"Floor", Floor, -2.0L, -2},
                      TRoundCase{"Floor", Floor, 1e20L, IntMax}, TRoundCase{"Ceil", Ceil, -1e20L, IntMin},
                      TRoundCase{"MyRound", MyRound, std::numeric_limits<Extended>::quiet_NaN(), 0}));

struct TNormalizeCase {
    TRect In;
    TRect Bounds; // MinX, MinY, MaxX, MaxY
    TRect Expected;
};

void PrintTo(const TNormalizeCase& c, std::ostream* os) {
    *os << c.In.Left << "," << c.In.Top << "," << c.In.Right << "," << c.In.Bottom;
}

class KxNormalizeRect : public ::testing::TestWithParam<TNormalizeCase> {};

TEST_P(KxNormalizeRect, OrdersGrowsAndShiftsInThatOrder) {
    const TNormalizeCase& c = GetParam();
    const TRect r = NormalizeRect(c.In, c.Bounds.Left, c.Bounds.Top, c.Bounds.Right, c.Bounds.Bottom);
    EXPECT_EQ(r, c.Expected) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxNormalizeRect,
    ::testing::Values(
        TNormalizeCase{{10, 10, 12, 11}, {0, 0, 100, 100}, {10, 10, 18, 18}},
        TNormalizeCase{{95, 0, 120, 20}, {0, 0, 100, 100}, {75, 0, 100, 20}},
        TNormalizeCase{{-5, -5, 200, 20}, {0, 0, 100, 100}, {0, 0, 205, 25}},
        // Reversed edges are swapped first.
        TNormalizeCase{{120, 20, 95, 0}, {0, 0, 100, 100}, {75, 0, 100, 20}},
        // The minimum size comes before the shift, so the grown rectangle is pushed back inside.
        TNormalizeCase{{97, 97, 98, 98}, {0, 0, 100, 100}, {92, 92, 100, 100}},
        TNormalizeCase{{-3, 50, 2, 52}, {0, 0, 100, 100}, {0, 50, 8, 58}},
        // Taller than the bounds: pushed up by the bottom bound, then down again by the top one.
        TNormalizeCase{{0, -10, 10, 150}, {0, 0, 100, 100}, {0, 0, 10, 160}},
        TNormalizeCase{{40, 40, 60, 60}, {50, 50, 100, 100}, {50, 50, 70, 70}}));

TEST(KxNormalizeRect, SaturatesAtTheIntegerRange) {
    const TRect r = NormalizeRect({IntMax - 3, IntMax - 3, IntMax, IntMax}, IntMin, IntMin, IntMax, IntMax);
    EXPECT_EQ(r, (TRect{IntMax - 8, IntMax - 8, IntMax, IntMax}));
    const TRect wide = NormalizeRect({IntMin, 0, IntMax, 10}, 0, 0, 100, 100);
    EXPECT_EQ(wide.Left, 0);
    EXPECT_EQ(wide.Right, IntMax);
}

struct TRotateCase {
    int Angle;
    TPoint Expected;
};

void PrintTo(const TRotateCase& c, std::ostream* os) {
    *os << c.Angle;
}

class KxRotate : public ::testing::TestWithParam<TRotateCase> {};

TEST_P(KxRotate, TurnsAboutTheCentre) {
    TPoint p{13, 4};
    Rotate(p, {10, 0}, GetParam().Angle);
    EXPECT_EQ(p, GetParam().Expected) << p.X << "," << p.Y;
}

INSTANTIATE_TEST_SUITE_P(Angles, KxRotate,
                         ::testing::Values(TRotateCase{0, {13, 4}}, TRotateCase{90, {14, -3}},
                                           TRotateCase{180, {7, -4}}, TRotateCase{270, {6, 3}},
                                           TRotateCase{45, {13, 4}}, TRotateCase{-90, {13, 4}},
                                           TRotateCase{360, {13, 4}}));

TEST(KxRotate, QuarterTurnIsCounterClockwiseOnThePage) {
    TPoint right{10, 0};
    Rotate(right, {0, 0}, 90);
    EXPECT_EQ(right, (TPoint{0, -10})); // y grows downwards: -10 is above the centre
    TPoint again{10, 0};
    Rotate(again, {0, 0}, 270);
    EXPECT_EQ(again, (TPoint{0, 10}));
}

TEST(KxRotate, FourQuarterTurnsComeBack) {
    TPoint p{-7, 23};
    for (int i = 0; i < 4; ++i)
        Rotate(p, {5, -9}, 90);
    EXPECT_EQ(p, (TPoint{-7, 23}));
    Rotate(p, {5, -9}, 90);
    Rotate(p, {5, -9}, 270);
    EXPECT_EQ(p, (TPoint{-7, 23}));
}

TEST(KxRotate, SaturatesInsteadOfWrapping) {
    TPoint p{IntMin, IntMax};
    Rotate(p, {IntMax, IntMax}, 180);
    EXPECT_EQ(p, (TPoint{IntMax, IntMax}));
    TPoint q{IntMax, 0};
    Rotate(q, {0, IntMax}, 270);
    EXPECT_EQ(q, (TPoint{IntMax, IntMax}));
}

class KxRotateBorder : public ::testing::TestWithParam<int> {};

// The border must be the bounding box of the box's corners turned by Rotate about the anchor.
TEST_P(KxRotateBorder, BoundsTheTurnedBox) {
    const int angle = GetParam();
    const int32_t x = 100, y = 50, w = 30, h = 10;
    std::vector<TPoint> corners{{x, y}, {x + w, y}, {x, y + h}, {x + w, y + h}};
    for (TPoint& c : corners)
        Rotate(c, {x, y}, angle);
    const auto [minX, maxX] = std::minmax_element(corners.begin(), corners.end(),
                                                  [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
    const auto [minY, maxY] = std::minmax_element(corners.begin(), corners.end(),
                                                  [](const TPoint& a, const TPoint& b) { return a.Y < b.Y; });
    TRect r;
    RotateBorder(r, angle, x, y, w, h);
    EXPECT_EQ(r, (TRect{minX->X, minY->Y, maxX->X, maxY->Y}));
}

INSTANTIATE_TEST_SUITE_P(Angles, KxRotateBorder, ::testing::Values(0, 90, 180, 270));

TEST(KxRotateBorder, GivesTheDocumentedRectangles) {
    TRect r;
    RotateBorder(r, 90, 100, 50, 30, 10);
    EXPECT_EQ(r, (TRect{100, 20, 110, 50}));
    RotateBorder(r, 180, 100, 50, 30, 10);
    EXPECT_EQ(r, (TRect{70, 40, 100, 50}));
    RotateBorder(r, 270, 100, 50, 30, 10);
    EXPECT_EQ(r, (TRect{90, 50, 100, 80}));
}

TEST(KxRotateBorder, AnyOtherAngleLeavesTheRectangle) {
    for (int angle : {45, -90, 360, 1}) {
        TRect r{1, 2, 3, 4};
        RotateBorder(r, angle, 100, 50, 30, 10);
        EXPECT_EQ(r, (TRect{1, 2, 3, 4})) << angle;
    }
}

TEST(KxRectHelpers, MoveResizeAdjustAndSides) {
    TRect r{10, 20, 40, 70};
    MoveRect(r, -5, 3);
    EXPECT_EQ(r, (TRect{-5, 3, 25, 53}));
    TRect inner;
    ResizeRect(r, inner);
    EXPECT_EQ(inner, (TRect{-3, 5, 23, 51}));
    AdjustRect(r);
    EXPECT_EQ(r, (TRect{-5, 3, 26, 54}));
    RectLeft(r, 1);
    RectTop(r, 2);
    RectRight(r, 3);
    RectBottom(r, 4);
    EXPECT_EQ(r, (TRect{1, 2, 3, 4}));
    TRect far{0, 0, IntMax, IntMax};
    AdjustRect(far);
    EXPECT_EQ(far, (TRect{0, 0, IntMax, IntMax}));
    MoveRect(far, 10, 10);
    EXPECT_EQ(far, (TRect{10, 10, IntMax, IntMax}));
}

struct TTextCase {
    const char* In;
    const char* Expected;
};

void PrintTo(const TTextCase& c, std::ostream* os) {
    *os << '"' << c.In << '"';
}

class KxPascalStr : public ::testing::TestWithParam<TTextCase> {};

TEST_P(KxPascalStr, QuotesForAFilter) {
    QString s = QString::fromUtf8(GetParam().In);
    PascalStr(s);
    EXPECT_EQ(s, QString::fromUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, KxPascalStr,
                         ::testing::Values(TTextCase{"O'Hara", "'O''Hara'"}, TTextCase{"", "''"},
                                           TTextCase{"''", "''''''"}, TTextCase{"abc", "'abc'"},
                                           TTextCase{"'a'b'", "'''a''b'''"}, TTextCase{"Señor", "'Señor'"}));

TEST(KxComaStr, TurnsCommasIntoPoints) {
    QString s = QStringLiteral("3,25");
    ComaStr(s);
    EXPECT_EQ(s, QStringLiteral("3.25"));
    s = QStringLiteral("1,000,5 ,");
    ComaStr(s);
    EXPECT_EQ(s, QStringLiteral("1.000.5 ."));
    s.clear();
    ComaStr(s);
    EXPECT_TRUE(s.isEmpty());
}

struct TEnumCase {
    QMetaEnum Meta;
    const char* Spellings;
    size_t Size;
};

void PrintTo(const TEnumCase& c, std::ostream* os) {
    *os << c.Meta.name();
}

class KxEnumerations : public ::testing::TestWithParam<TEnumCase> {};

// Ordinals are what the label file stores, so both the order and the spellings are fixed.
TEST_P(KxEnumerations, HaveTheirSpellingsInOrdinalOrder) {
    const TEnumCase& c = GetParam();
    const QStringList names = QString::fromLatin1(c.Spellings).split(QLatin1Char(' '));
    ASSERT_EQ(c.Meta.keyCount(), names.size()) << c.Meta.name();
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(QString::fromLatin1(c.Meta.valueToKey(i)), names[i]) << c.Meta.name() << " ordinal " << i;
    }
    EXPECT_EQ(c.Size, 1u) << c.Meta.name() << " must fit the file's byte";
}

template <typename E>
TEnumCase EnumCase(const char* spellings) {
    return {QMetaEnum::fromType<E>(), spellings, sizeof(E)};
}

INSTANTIATE_TEST_SUITE_P(
    All, KxEnumerations,
    ::testing::Values(
        EnumCase<TKxUnits>("unMM unINCH"), EnumCase<TKxZoom>("zm50 zm75 zm100 zm200 zm400"),
        EnumCase<TKxDrawType>("tdLab tdPrint tdPreview"),
        EnumCase<TKxDrawTool>(
            "dwLine dwRect dwText dwBarCode dwSelection dwSymbol dwAddText dwImage dwParagraph"),
        EnumCase<TKxEle>("dePoint deLine deText deBar deRect deSymbol dePoliText deImage deParagraph"),
        EnumCase<TKxBackStyle>("biNone biImage biGradHor biGradVer biGraCircle"),
        EnumCase<TKxFrameStyle>("fsNone fsSingle fsDoble"), EnumCase<TKxSnap>("snPoint snGrid snNone"),
        EnumCase<TKxLabelType>("ltRect ltCircle"),
        EnumCase<TKxDrag>("drNone drLine drObject drSizes drAligns"),
        EnumCase<TKxDragType>(
            "dtMove dtTop dtLeft dtBottom dtRight dtPoint1 dtPoint2 dtLine dtAlignLeft dtAlignTop"),
        EnumCase<TKxDrawRuler>("duBoth duTop duLeft duNone"),
        EnumCase<TKxEleAlign>("eaLeft eaTop eaRight eaBottom"),
        EnumCase<TKxBar>("baEAN13 baEAN8 baCode39 baUPCA baCode128 baGS1128 baITF14 baUPCE baEAN13AddOn "
                         "baUPCAAddOn baQR baDataMatrix baPDF417 baAztec"),
        EnumCase<TTextAlign>("taLeBa taCeBa taRiBa taLeBo taCeBo taRiBo taLeTo taCeTo taRiTo"),
        EnumCase<TTextFormat>("tfLeft tfRight tfCenter taJustify")));

TEST(KxEnumerations, KxEnumNameSpellsValuesAtGlobalScope) {
    const TKxUnits u = unINCH;
    EXPECT_EQ(KxEnumName(u), QStringLiteral("unINCH"));
    EXPECT_EQ(KxEnumName(zm100), QStringLiteral("zm100"));
    EXPECT_EQ(KxEnumName(taJustify), QStringLiteral("taJustify"));
    EXPECT_EQ(KxEnumName(static_cast<TKxZoom>(9)), QString());
}

} // namespace

/// Stands in for the designer widget: enumerations as properties, set by spelling as a form would.
class TEnumPropertyHost : public QObject {
    Q_OBJECT
    Q_PROPERTY(KxEnums::TKxUnits Units READ Units WRITE SetUnits)
    Q_PROPERTY(KxEnums::TKxZoom Zoom READ Zoom WRITE SetZoom)

public:
    TKxUnits Units() const { return FUnits; }
    void SetUnits(TKxUnits v) { FUnits = v; }
    TKxZoom Zoom() const { return FZoom; }
    void SetZoom(TKxZoom v) { FZoom = v; }

private:
    TKxUnits FUnits = unMM;
    TKxZoom FZoom = zm100;
};

TEST(KxEnumerations, ServeAsQtPropertiesSetBySpelling) {
    TEnumPropertyHost host;
    const QMetaObject* meta = host.metaObject();
    const QMetaProperty units = meta->property(meta->indexOfProperty("Units"));
    ASSERT_TRUE(units.isValid());
    EXPECT_TRUE(units.isEnumType());
    EXPECT_STREQ(units.enumerator().name(), "TKxUnits");
    EXPECT_TRUE(host.setProperty("Units", QStringLiteral("unINCH")));
    EXPECT_EQ(host.Units(), unINCH);
    EXPECT_TRUE(host.setProperty("Zoom", QVariant::fromValue(zm400)));
    EXPECT_EQ(host.Zoom(), zm400);
    EXPECT_EQ(host.property("Zoom").value<TKxZoom>(), zm400);
}

#include "KxtypesTest.moc"

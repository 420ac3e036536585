#include <gtest/gtest.h>
#include <QDataStream>

#include "common/DBTestDatabase.h"
#include "common/TestOwner.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxBarcodeGeometry.h"
#include "elements/KxRecordIO.h"

namespace {

// P1 (960, 1940) drawn at Origin (40, 60) puts the anchor at (1000, 2000).
const TPoint Origin{40, 60};

class KxBarCodeDraw : public ::testing::Test {
protected:
    KxBarCodeDraw() { Bar.P1 = {960, 1940}; }

    TTestOwner Owner{4, 20, 20};
    TKxBarCode Bar{&Owner};
};

} // namespace

TEST(KxBarCodeDefaults, NewBarcodeIsTheDefaultEan13) {
    TTestOwner owner;
    const TKxBarCode b(&owner);
    EXPECT_EQ(b.ElementType(), deBar);
    EXPECT_EQ(b.Height, 100);
    EXPECT_EQ(b.Width, 3);
    EXPECT_EQ(b.Distance, 3);
    EXPECT_EQ(b.FontHeight, 30);
    EXPECT_EQ(b.LeftMargin, 30);
    EXPECT_EQ(b.TopMargin, 0);
    EXPECT_EQ(b.Code, "8410894000109");
    EXPECT_EQ(b.BarType, baEAN13);
    EXPECT_TRUE(b.ShowNumber);
    EXPECT_FALSE(b.DataBase);
    EXPECT_EQ(b.Angle, 0);
    EXPECT_TRUE(b.Transparent);
    EXPECT_TRUE(b.ValidCode());
}

TEST(KxBarCodeUnits, WidthAndDistanceStayMillimetresOtherLengthsFollowTheUnit) {
    TTestOwner owner;
    owner.Units = unINCH;
    TKxBarCode b(&owner);
    b.SetWidth(0.3f);
    EXPECT_EQ(b.Width, 3);
    EXPECT_FLOAT_EQ(b.GetWidth(), 0.3f);
    b.SetDistance(0.5f);
    EXPECT_EQ(b.Distance, 5);
    b.SetLeftMargin(0.1f);
    EXPECT_EQ(b.LeftMargin, 25); // 2.54 mm rounded
    EXPECT_NEAR(b.GetLeftMargin(), 0.0984f, 1e-4);
    b.SetTopMargin(0.5f);
    EXPECT_EQ(b.TopMargin, 127);
    b.SetFontHeight(0.12f);
    EXPECT_EQ(b.FontHeight, 30);
    b.SetHeight(1);
    EXPECT_EQ(b.Height, 254);
    EXPECT_NEAR(b.GetTopMargin(), 0.5f, 1e-6);

    owner.Units = unMM;
    b.SetLeftMargin(2.5f);
    EXPECT_EQ(b.LeftMargin, 25);
    b.SetFontHeight(0.25f); // exact half goes to the even neighbour
    EXPECT_EQ(b.FontHeight, 2);
    EXPECT_FLOAT_EQ(b.GetTopMargin(), 12.7f);
}

TEST_F(KxBarCodeDraw, DrawWalksTheLayoutWithBarAndTextState) {
    Bar.Transparent = false;
    Bar.Color = clBlue;
    Bar.BackColor = clYellow;
    Bar.CharSpace = 2;
    Bar.Angle = 270;
    KxTestDraw(Bar, Origin, tdLab, false);

    TKxBarcodeShape shape;
    shape.Code = Bar.Code;
    shape.Angle = 270;
    const TKxBarcodeLayout L = BarcodeLayout(shape, {1000, 2000});
    const auto ops = Owner.Ops(tdLab);
    ASSERT_EQ(ops.size(), 1 + L.Bars.size() + L.Texts.size());

    EXPECT_EQ(ops[0].Kind, TMetaOp::Rectangle);
    EXPECT_EQ(ops[0].Rect, Rect(870, 2000, 1000, 2348));
    EXPECT_EQ(ops[0].State.Pen.Style, psClear);
    EXPECT_EQ(ops[0].State.Brush, (TBrush{clYellow, bsSolid}));
    for (size_t i = 0; i < L.Bars.size(); ++i) {
        const TRecordedOp& op = ops[1 + i];
        EXPECT_EQ(op.Kind, TMetaOp::Rectangle);
        EXPECT_EQ(op.Rect, L.Bars[i]);
        EXPECT_EQ(op.State.Pen, (TPen{clBlue, 0, psInsideFrame, pmCopy}));
        EXPECT_EQ(op.State.Brush, (TBrush{clBlue, bsSolid}));
    }
    const std::vector<TRecordedOp> texts = Owner.Ops(tdLab, TMetaOp::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].At, Point(900, 2005));
    EXPECT_EQ(texts[1].Text, "410894");
    for (const TRecordedOp& t : texts) {
        EXPECT_EQ(t.State.Font.lfHeight, 30);
        EXPECT_EQ(t.State.Font.lfFaceName, "Arial");
        EXPECT_EQ(t.State.Font.lfEscapement, 2700);
        EXPECT_EQ(t.State.Font.lfWeight, FW_NORMAL);
        EXPECT_EQ(t.State.Font.lfItalic, 0);
        EXPECT_EQ(t.State.Font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(t.State.FontColor, clBlue);
        EXPECT_EQ(t.State.TextAlign, TA_LEFT | TA_TOP);
        EXPECT_EQ(t.State.CharExtra, 2);
        EXPECT_EQ(t.State.Brush.Style, bsClear);
    }
    // The box in window pixels: Round(x / 4) + 20 - 20, halves to even.
    EXPECT_EQ(Bar.Bounds, Rect(218, 500, 250, 587));
}

TEST_F(KxBarCodeDraw, TransparentBarcodeDrawsNoBoxAndCode39TextIsCentred) {
    Bar.BarType = baCode39;
    Bar.Code = "AB";
    Bar.FontName = "Courier"; // the human-readable line always uses Arial
    KxTestDraw(Bar, Origin, tdLab, false);
    const auto ops = Owner.Ops(tdLab);
    ASSERT_EQ(ops.size(), 21u);
    EXPECT_EQ(ops.front().Rect, Rect(1030, 2000, 1033, 2100));
    EXPECT_EQ(ops.back().Kind, TMetaOp::Text);
    EXPECT_EQ(ops.back().Text, "*AB*");
    EXPECT_EQ(ops.back().At, Point(1126, 2100));
    EXPECT_EQ(ops.back().State.TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(ops.back().State.Font.lfFaceName, "Arial");
    EXPECT_EQ(Bar.Bounds, Rect(250, 500, 313, 532)); // 2130 / 4 = 532.5 rounds to 532
}

TEST_F(KxBarCodeDraw, NotPrintableStaysOffPaperButNotOffTheSurface) {
    Bar.Printable = false;
    KxTestDraw(Bar, Origin, tdPrint, false);
    KxTestDraw(Bar, Origin, tdPreview, false);
    Bar.Code = "bad";
    KxTestDraw(Bar, Origin, tdPrint, false);
    EXPECT_TRUE(Owner.Ops(tdPrint).empty());
    EXPECT_TRUE(Owner.Ops(tdPreview).empty());
    EXPECT_TRUE(Bar.Bounds.IsEmpty());
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_FALSE(Owner.Ops(tdLab).empty());
}

TEST_F(KxBarCodeDraw, PrintDrawsButLeavesTheScreenBoundsAlone) {
    KxTestDraw(Bar, Origin, tdPreview, false);
    // The 30 bars of an EAN-13, touching modules drawn as one.
    EXPECT_EQ(Owner.Ops(tdPreview, TMetaOp::Rectangle).size(), 30u);
    EXPECT_TRUE(Bar.Bounds.IsEmpty());
}

TEST_F(KxBarCodeDraw, UnknownSymbologyDrawsNothing) {
    Bar.BarType = static_cast<TKxBar>(9);
    EXPECT_TRUE(Bar.ValidCode());
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_TRUE(Owner.Ops(tdLab).empty());
}

// Each kind of code that cannot be drawn, on a barcode turned by 90 degrees.
struct TInvalidCase {
    const char* Name;
    TKxBar Type;
    const char* Code;
};

class KxBarCodeInvalid : public KxBarCodeDraw, public ::testing::WithParamInterface<TInvalidCase> {};

TEST_P(KxBarCodeInvalid, DrawsTheTurnedMarkAndKeepsTheAngle) {
    Bar.BarType = GetParam().Type;
    Bar.Code = GetParam().Code;
    Bar.Angle = 90;
    Bar.Height = 120;
    EXPECT_FALSE(Bar.ValidCode());
    for (const TKxDrawType t : {tdLab, tdPrint}) {
        Bar.Bounds = {};
        KxTestDraw(Bar, Origin, t, false);
        const auto ops = Owner.Ops(t);
        ASSERT_EQ(ops.size(), 3u);
        EXPECT_EQ(ops[0].Kind, TMetaOp::FillRect);
        EXPECT_EQ(ops[0].Rect, Rect(1000, 1800, 1120, 2000));
        EXPECT_EQ(ops[0].State.Brush, (TBrush{clWhite, bsSolid}));
        EXPECT_EQ(ops[1].Kind, TMetaOp::Line);
        EXPECT_EQ(ops[1].At, Point(1000, 2000));
        EXPECT_EQ(ops[1].Points.at(1), Point(1120, 1800));
        EXPECT_EQ(ops[2].At, Point(1120, 2000));
        EXPECT_EQ(ops[2].Points.at(1), Point(1000, 1800));
        for (const TRecordedOp& op : ops)
            EXPECT_EQ(op.State.Pen.Color, clRed);
        EXPECT_EQ(ops[1].State.Pen.Width, 0);
        // Pixel bounds of the turned mark on the design surface, anchored at P1 without the origin; paper
        // leaves them alone.
        EXPECT_EQ(Bar.Bounds, t == tdLab ? Rect(260, 505 - 50, 260 + 30, 505) : TRect{});
        EXPECT_EQ(Bar.Angle, 90);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KxBarCodeInvalid,
                         ::testing::Values(TInvalidCase{"Ean13TooShort", baEAN13, "841089400010"},
                                           TInvalidCase{"Ean13TooLong", baEAN13, "84108940001090"},
                                           TInvalidCase{"Ean13Letter", baEAN13, "841089400010X"},
                                           TInvalidCase{"Ean8TooLong", baEAN8, "963850745"},
                                           TInvalidCase{"Ean8Empty", baEAN8, ""},
                                           TInvalidCase{"UpcATooShort", baUPCA, "03600029145"},
                                           TInvalidCase{"UpcASign", baUPCA, "-36000291452"},
                                           TInvalidCase{"Code39LowerCase", baCode39, "Ab"},
                                           TInvalidCase{"Code39OutsideAlphabet", baCode39, "A#B"}),
                         [](const ::testing::TestParamInfo<TInvalidCase>& info) { return info.param.Name; });

TEST_F(KxBarCodeDraw, TypingThroughAnInvalidCodeKeepsTheRotation) {
    Bar.Angle = 180;
    Bar.Code = "84108";
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_EQ(Bar.Bounds, Rect(260 - 50, 505 - 25, 260, 505));
    Bar.Code = "8410894000109";
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_EQ(Bar.Angle, 180);
    EXPECT_EQ(Owner.Ops(tdLab, TMetaOp::Text).back().State.Font.lfEscapement, 1800);
    EXPECT_EQ(Bar.Bounds, Rect(163, 468, 250, 500));
}

TEST_F(KxBarCodeDraw, OddAngleDrawsAsAtZeroAndIsKept) {
    Bar.Angle = 45;
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_EQ(Owner.Ops(tdLab).front().Rect, Rect(1033, 2000, 1036, 2115));
    EXPECT_EQ(Owner.Ops(tdLab, TMetaOp::Text).front().State.Font.lfEscapement, 0);
    Bar.Code = "1";
    KxTestDraw(Bar, Origin, tdLab, false);
    EXPECT_EQ(Owner.Ops(tdLab).back().Points.at(1), Point(1200, 2000));
    EXPECT_EQ(Bar.Bounds, Rect(260, 505, 310, 530));
    EXPECT_EQ(Bar.Angle, 45);
}

// A real SQLite table with one code per record, bound through the default session.
class KxBarCodeData : public KxBarCodeDraw {
protected:
    void SetUp() override {
        ASSERT_TRUE(Db.Exec("CREATE TABLE items (id INTEGER PRIMARY KEY, ean TEXT)"));
        ASSERT_TRUE(
            Db.Insert("items", {"id", "ean"}, {{1, "4006381333931"}, {2, "12"}, {3, "5901234123457"}}));
        Table.SetDatabaseName(Db.Alias());
        Table.SetTableName(QStringLiteral("items"));
        Table.Open();
        Owner.Table = &Table;
        Bar.DataBase = true;
        Bar.Field = QStringLiteral("ean");
    }

    QStringList PrintedTexts() {
        QStringList out;
        for (const TRecordedOp& op : Owner.Ops(tdPrint, TMetaOp::Text))
            out << op.Text;
        return out;
    }

    TTestDatabase Db{TTestEngine::SQLite};
    TTable Table;
};

TEST_F(KxBarCodeData, PrintDrawsEachRecordWithoutStoringIt) {
    Bar.Angle = 90;
    KxTestDraw(Bar, Origin, tdPrint, true);
    EXPECT_EQ(PrintedTexts(), (QStringList{"4", "006381", "333931"}));
    EXPECT_EQ(Bar.Code, "8410894000109");

    // A bad record shows the mark and leaves the element as designed for the next one.
    Table.Next();
    Owner.ClearPage(tdPrint);
    KxTestDraw(Bar, Origin, tdPrint, true);
    EXPECT_EQ(Owner.Ops(tdPrint).front().Kind, TMetaOp::FillRect);
    EXPECT_EQ(Bar.Angle, 90);
    EXPECT_EQ(Bar.Code, "8410894000109");

    Table.Next();
    Owner.ClearPage(tdPrint);
    KxTestDraw(Bar, Origin, tdPreview, true);
    const std::vector<TRecordedOp> texts = Owner.Ops(tdPreview, TMetaOp::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].Text, "123457");
    EXPECT_EQ(texts[2].State.Font.lfEscapement, 900);

    QByteArray saved = SaveRecord(Bar);
    EXPECT_TRUE(saved.contains("8410894000109"));
    EXPECT_FALSE(saved.contains("5901234123457"));
}

TEST_F(KxBarCodeData, SurfaceUnboundAndNoDataRunsDrawTheOwnCode) {
    KxTestDraw(Bar, Origin, tdLab, true);
    EXPECT_EQ(Owner.Ops(tdLab, TMetaOp::Text).back().Text, "000109");
    KxTestDraw(Bar, Origin, tdPrint, false);
    Bar.DataBase = false;
    KxTestDraw(Bar, Origin, tdPrint, true);
    EXPECT_EQ(PrintedTexts(), (QStringList{"8", "410894", "000109", "8", "410894", "000109"}));
}

TEST_F(KxBarCodeData, UnknownFieldRaisesTheDataLayerError) {
    Bar.Field = QStringLiteral("nothere");
    EXPECT_THROW(KxTestDraw(Bar, Origin, tdPrint, true), EDBEngineError);
    EXPECT_EQ(Bar.Code, "8410894000109");
}

TEST(KxBarCodeRecord, RecordFollowsTheDataBlockFieldByField) {
    TTestOwner owner;
    TKxBarCode b(&owner);
    b.Code = "AB-1";
    b.BarType = baCode39;
    b.Width = 4;
    b.Distance = 5;
    b.FontHeight = 35;
    b.ShowNumber = false;
    b.LeftMargin = 41;
    b.TopMargin = 7;
    const QByteArray bytes = SaveRecord(b);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), deBar);

    // Skip the data block as the generic reader writes it, then read the barcode's own fields.
    TRecordReader record(bytes);
    QDataStream& s = record.Stream();
    TKxBarCode skip(&owner);
    skip.TKxData::LoadFromStream(s, KxFileVersion);
    EXPECT_EQ(ReadStr(s), "AB-1");
    EXPECT_EQ(ReadByte(s), baCode39);
    EXPECT_EQ(ReadI32(s), 4);
    EXPECT_EQ(ReadI32(s), 5);
    EXPECT_EQ(ReadI32(s), 35);
    EXPECT_FALSE(ReadBool(s));
    EXPECT_EQ(ReadI32(s), 41);
    EXPECT_EQ(ReadI32(s), 7);
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.status(), QDataStream::Ok);
}

TEST(KxBarCodeRecord, SaveLoadSaveGivesTheSameBytes) {
    TTestOwner owner;
    TKxBarCode a(&owner);
    a.P1 = {120, 340};
    a.Angle = 270;
    a.Code = "036000291452";
    a.BarType = baUPCA;
    a.TopMargin = 12;
    a.Field = "upc";
    a.DataBase = true;
    a.SetID("sku");
    const QByteArray first = SaveRecord(a);
    EXPECT_EQ(first.size(), 1 + 48 + 3 + 9 + 7 + 4 + 1 + 16 + 1 + 4 * 5 + 1);
    TKxBarCode b(&owner);
    ASSERT_EQ(LoadRecord(b, first), QDataStream::Ok);
    EXPECT_EQ(b.Code, "036000291452");
    EXPECT_EQ(b.BarType, baUPCA);
    EXPECT_EQ(b.Angle, 270);
    EXPECT_EQ(SaveRecord(b), first);
}

TEST(KxBarCodeRecord, UnknownSymbologyOrdinalSurvivesARoundTrip) {
    TTestOwner owner;
    TKxBarCode a(&owner);
    a.BarType = static_cast<TKxBar>(9);
    TKxBarCode b(&owner);
    ASSERT_EQ(LoadRecord(b, SaveRecord(a)), QDataStream::Ok);
    EXPECT_EQ(static_cast<int>(b.BarType), 9);
}

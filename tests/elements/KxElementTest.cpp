#include <gtest/gtest.h>
#include <QDataStream>

#include "common/TestOwner.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxDataText.h"
#include "elements/KxRecordIO.h"

namespace {

// A concrete text element for the base behaviour; it writes its tag like every concrete kind.
class TProbeText : public TKxDataText {
public:
    using TKxDataText::TKxDataText;
    void Draw(const TPoint&, const TKxDrawContext&) override {}
    TKxEle ElementType() const override { return deText; }
    void SaveToStream(QDataStream& S) const override {
        WriteByte(S, ElementType());
        TKxDataText::SaveToStream(S);
    }
};

} // namespace

TEST(KxElementDefaults, NewElementHasTheDocumentedDefaults) {
    TTestOwner owner;
    TProbeText e(&owner);
    EXPECT_EQ(e.GetP1(), Point2D(0, 0));
    EXPECT_FLOAT_EQ(e.GetPenWidth(), 0.1f);
    EXPECT_EQ(e.PenWidth, 1);
    EXPECT_TRUE(e.Transparent);
    EXPECT_TRUE(e.Printable);
    EXPECT_FALSE(e.Border);
    EXPECT_EQ(e.Color, clBlack);
    EXPECT_EQ(e.BackColor, clWhite);
    EXPECT_EQ(e.LineColor, clRed);
    EXPECT_EQ(e.Height, 50);
    EXPECT_EQ(e.FontName, "Arial");
    EXPECT_FALSE(e.DataBase);
    EXPECT_EQ(e.Text, "text");
    EXPECT_EQ(e.Align, taLeTo);
    EXPECT_TRUE(e.Bounds.IsEmpty());
    EXPECT_EQ(e.Owner, &owner);
}

TEST(KxElementUnits, InchesConvertPointsButNotThePenWidth) {
    TTestOwner owner;
    owner.Units = unINCH;
    TProbeText e(&owner);
    e.SetP1(Point2D(1, 2));
    EXPECT_EQ(e.P1, Point(254, 508));
    EXPECT_NEAR(e.GetP1().X, 1.0f, 1e-6);
    EXPECT_NEAR(e.GetP1().Y, 2.0f, 1e-6);
    e.SetP2(Point2D(0.5f, 0.25f));
    EXPECT_EQ(e.P2, Point(127, 63)); // 6.35f mm is 6.3499999, so not a half
    e.SetPenWidth(1);
    EXPECT_EQ(e.PenWidth, 10);
    EXPECT_FLOAT_EQ(e.GetPenWidth(), 1.0f);
    e.SetHeight(0.5f);
    EXPECT_EQ(e.Height, 127);
    EXPECT_NEAR(e.GetHeight(), 0.5f, 1e-6);
}

TEST(KxElementUnits, MillimetreValuesRoundHalfToEven) {
    TTestOwner owner;
    TProbeText e(&owner);
    e.SetP1(Point2D(0.25f, 0.75f));
    EXPECT_EQ(e.P1, Point(2, 8));
    e.SetP1(Point2D(0.35f, 2.5f)); // 0.35f is 0.3499999940
    EXPECT_EQ(e.P1, Point(3, 25));
}

TEST(KxElementMove, MovesBothPointsAndMayGoNegative) {
    TTestOwner owner;
    TProbeText e(&owner);
    e.P1 = Point(2, 10);
    e.P2 = Point(40, 20);
    e.Move(Point2D(-0.5f, 0));
    EXPECT_EQ(e.P1, Point(-3, 10));
    EXPECT_EQ(e.P2, Point(35, 20));
    owner.Units = unINCH;
    e.Move(Point2D(0.1f, 0.1f));
    EXPECT_EQ(e.P1, Point(-3 + 25, 10 + 25));
}

TEST(KxElementAlign, LeftAndTopLandP1OnTheGuideRightAndBottomDoNothing) {
    TTestOwner owner;
    owner.GuideLeft = 200;
    owner.GuideTop = 30;
    TProbeText e(&owner);
    e.P1 = Point(50, 70);
    e.P2 = Point(150, 90);
    // The text anchor field Align hides the operation in text classes; the control calls it
    // through the base, as here.
    TKxElement& base = e;
    base.Align(eaRight);
    base.Align(eaBottom);
    EXPECT_EQ(e.P1, Point(50, 70));
    base.Align(eaLeft);
    EXPECT_EQ(e.P1, Point(200, 70));
    EXPECT_EQ(e.P2, Point(300, 90));
    base.Align(eaTop);
    EXPECT_EQ(e.P1, Point(200, 30));
    EXPECT_EQ(e.P2, Point(300, 50));
}

TEST(KxElementHitTest, BoundsUseLeftTopInsideRightBottomOutside) {
    TTestOwner owner;
    TProbeText e(&owner);
    EXPECT_FALSE(KxTestHit(e, Point(0, 0))); // never drawn: empty bounds
    e.Bounds = Rect(10, 10, 20, 20);
    EXPECT_TRUE(KxTestHit(e, Point(10, 10)));
    EXPECT_TRUE(KxTestHit(e, Point(19, 19)));
    EXPECT_FALSE(KxTestHit(e, Point(20, 15)));
    EXPECT_FALSE(KxTestHit(e, Point(15, 20)));
}

TEST(KxElementID, SetIDStoresTheName) {
    TTestOwner owner;
    TProbeText e(&owner);
    e.SetID("price");
    EXPECT_EQ(e.ID, "price");
}

TEST(KxElementRecord, TextRecordRoundTripsByteForByte) {
    TTestOwner owner;
    TProbeText a(&owner);
    a.P1 = Point(-5, 70);
    a.P2 = Point(150, 90);
    a.Color = clBlue;
    a.Printable = false;
    a.Angle = 270;
    a.SetID(QString::fromLatin1("n\xe9"));
    a.Field = "Name";
    a.DataBase = true;
    a.Text = "O'Hara";
    a.Align = taCeBa;
    a.Underline = true;
    const QByteArray bytes = SaveRecord(a);
    // tag, 48-byte base block with an ID of 2, data block, text block
    EXPECT_EQ(bytes.size(), 1 + 48 + 2 + (4 + 5) + (4 + 4) + 4 + 1 + (4 + 6) + 4);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), deText);
    TProbeText b(&owner);
    ASSERT_EQ(LoadRecord(b, bytes, KxFileVersion), QDataStream::Ok);
    EXPECT_EQ(SaveRecord(b), bytes);
    EXPECT_EQ(b.ID, QString::fromLatin1("n\xe9"));
}

TEST(KxElementRecord, PreviousVersionLacksPrintableAndID) {
    TTestOwner owner;
    TProbeText a(&owner);
    a.Printable = false;
    a.SetID("x");
    a.P1 = Point(7, 8);
    QByteArray bytes = SaveRecord(a);
    // Drop Printable (offset 1 + 15) and the ID (4 + 1 bytes at the end of the base block).
    bytes.remove(1 + 44, 5);
    bytes.remove(1 + 15, 1);
    TProbeText b(&owner);
    ASSERT_EQ(LoadRecord(b, bytes, 13), QDataStream::Ok);
    EXPECT_TRUE(b.Printable);
    EXPECT_TRUE(b.ID.isEmpty());
    EXPECT_EQ(b.P1, Point(7, 8));
    EXPECT_EQ(b.Text, "text");
}

TEST(KxElementRecord, OversizedStringCountIsCorruptNotAnAllocation) {
    TTestOwner owner;
    TProbeText a(&owner);
    QByteArray bytes = SaveRecord(a);
    // The ID count sits right after the 44 fixed bytes of the base block.
    const qint32 huge = 0x7fffffff;
    bytes.replace(1 + 44, 4, QByteArray(reinterpret_cast<const char*>(&huge), 4));
    TProbeText b(&owner);
    EXPECT_EQ(LoadRecord(b, bytes, KxFileVersion), QDataStream::ReadCorruptData);
}

TEST(KxElementRecord, TruncatedRecordIsReportedByTheStream) {
    TTestOwner owner;
    TProbeText a(&owner);
    const QByteArray bytes = SaveRecord(a).left(20);
    TProbeText b(&owner);
    EXPECT_NE(LoadRecord(b, bytes, KxFileVersion), QDataStream::Ok);
}

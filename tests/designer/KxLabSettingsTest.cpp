#include <gtest/gtest.h>
#include <QColor>
#include <QImage>

#include "base/Messages.h"
#include "common/PictureSamples.h"
#include "common/TestSupport.h"
#include "designer/KxLabTestSupport.h"

namespace {

// A picture holding a Width x Height bitmap of one colour.
TPicture Plain(int Width, int Height, Qt::GlobalColor Color) {
    TPicture picture;
    picture.LoadFromBytes(PlainPng(Width, Height, QColor(Color).rgb()), QStringLiteral("test"));
    return picture;
}

class KxSettings : public ::testing::Test {
protected:
    TRecordingLab Lab;
    TKxMeasure& M = *Lab.GetMeasure();
    TKxBackSurf& B = *Lab.GetBackSurf();
    TKxGrid& G = *Lab.GetGrid();
    TKxFrame& F = *Lab.GetFrame();
    TKxPrintInfo& P = *Lab.GetPrintInfo();
    TKxRulers& R = *Lab.GetRulers();
};

} // namespace

TEST_F(KxSettings, MeasureDefaults) {
    EXPECT_EQ(M.WidthLU(), 600);
    EXPECT_EQ(M.HeightLU(), 350);
    EXPECT_EQ(M.MarLeftLU(), 50);
    EXPECT_EQ(M.MarTopLU(), 100);
    EXPECT_EQ(M.DiHorLU(), 40);
    EXPECT_EQ(M.DiVerLU(), 40);
    EXPECT_EQ(M.GetNuHor(), 7);
    EXPECT_EQ(M.GetNuVer(), 3);
    EXPECT_EQ(M.PaperWidthLU(), 2100);
    EXPECT_EQ(M.PaperHeightLU(), 2970);
    EXPECT_EQ(M.GetPaperName(), "A4");
    EXPECT_EQ(M.GetLabelName(), "My Label");
    EXPECT_EQ(M.GetLabelType(), ltRect);
    EXPECT_FLOAT_EQ(M.GetWidth(), 60.0f);
}

TEST_F(KxSettings, MeasureClampsAndRepaints) {
    Lab.Calls.clear();
    M.SetWidth(5);
    EXPECT_EQ(M.WidthLU(), 100);
    EXPECT_EQ(Lab.Calls, (QStringList{"adjust", "flip:duTop", "draw:duTop"}));
    Lab.Calls.clear();
    M.SetHeight(2);
    EXPECT_EQ(M.HeightLU(), 50);
    EXPECT_EQ(Lab.Calls, (QStringList{"adjust", "flip:duLeft", "draw:duLeft"}));
    Lab.Calls.clear();
    M.SetMarLeft(-1);
    M.SetMarTop(-1);
    M.SetDiHor(-1);
    M.SetDiVer(-1);
    M.SetPaperWidth(-5);
    EXPECT_EQ(M.MarLeftLU(), 0);
    EXPECT_EQ(M.MarTopLU(), 0);
    EXPECT_EQ(M.DiHorLU(), 0);
    EXPECT_EQ(M.DiVerLU(), 0);
    EXPECT_EQ(M.PaperWidthLU(), -50); // no clamp
    EXPECT_TRUE(Lab.Calls.isEmpty());
    M.SetNuHor(0);
    M.SetNuVer(-4);
    EXPECT_EQ(M.GetNuHor(), 1);
    EXPECT_EQ(M.GetNuVer(), 1);
    M.SetInnerCircle(-3);
    EXPECT_EQ(M.InnerCircleLU(), 0);
    EXPECT_EQ(Lab.Calls, (QStringList{"adjust", "paint:1", "draw:duNone"}));
}

TEST_F(KxSettings, LengthsRoundTripInInches) {
    Lab.SetUnits(unINCH);
    M.SetMarLeft(0.5f);
    EXPECT_EQ(M.MarLeftLU(), 127);
    EXPECT_NEAR(M.GetMarLeft(), 0.5f, 1e-6);
    M.SetWidth(1);
    EXPECT_EQ(M.WidthLU(), 254);
    EXPECT_NEAR(M.GetWidth(), 1.0f, 1e-6);
    F.SetPenWidth(0.01f); // converted by unit like the other frame lengths
    EXPECT_EQ(F.PenWidthLU(), 3);
    B.SetAlignTop(0.1f);
    EXPECT_EQ(B.AlignTopLU(), 25);
    EXPECT_NEAR(B.GetAlignTop(), 0.0984252f, 1e-6); // held to 0.1 mm
}

TEST_F(KxSettings, CircularLabelsStaySquare) {
    M.SetLabelType(ltCircle);
    EXPECT_EQ(M.HeightLU(), 600);
    M.SetWidth(40);
    EXPECT_EQ(M.HeightLU(), 400);
    M.SetHeight(30);
    EXPECT_EQ(M.WidthLU(), 300);
}

TEST_F(KxSettings, ShapeChangeCorrectsTheBackgroundStyle) {
    B.SetStyle(biGradVer);
    ASSERT_EQ(B.GetStyle(), biGradVer);
    Lab.Calls.clear();
    M.SetLabelType(ltCircle);
    EXPECT_EQ(B.GetStyle(), biNone);
    EXPECT_EQ(Lab.Calls, (QStringList{"adjust", "flip:duLeft", "draw:duLeft"}));
    B.SetStyle(biGraCircle);
    M.SetLabelType(ltRect);
    EXPECT_EQ(B.GetStyle(), biNone);
    M.SetLabelType(ltCircle);
    B.SetStyle(biGraCircle);
    Lab.Calls.clear();
    M.SetLabelType(ltCircle); // unchanged: nothing
    EXPECT_TRUE(Lab.Calls.isEmpty());
    M.SetLabelType(ltRect);
    M.SetLabelType(ltCircle);
    EXPECT_EQ(B.GetStyle(), biNone);
}

TEST_F(KxSettings, BackStyleCorrections) {
    B.SetStyle(biImage); // no file name
    EXPECT_EQ(B.GetStyle(), biNone);
    B.SetStyle(biGraCircle); // on a rectangle
    EXPECT_EQ(B.GetStyle(), biNone);
    M.SetLabelType(ltCircle);
    B.SetStyle(biGradHor); // on a circle
    EXPECT_EQ(B.GetStyle(), biNone);
    B.SetStyle(biGraCircle);
    EXPECT_EQ(B.GetStyle(), biGraCircle);
}

TEST_F(KxSettings, GuidesAreClampedToTheLabel) {
    Lab.Calls.clear();
    B.SetAlignLeft(100);
    EXPECT_EQ(B.AlignLeftLU(), 600);
    EXPECT_EQ(Lab.Calls, (QStringList{"flip:duTop", "draw:duTop"}));
    B.SetAlignLeft(-2);
    EXPECT_EQ(B.AlignLeftLU(), 0);
    B.SetAlignTop(36);
    EXPECT_EQ(B.AlignTopLU(), 350);
}

TEST_F(KxSettings, GridIncrementsClampToTheLabelThenOneMillimetre) {
    Lab.Calls.clear();
    G.SetIncX(80);
    EXPECT_EQ(G.IncXLU(), 600);
    EXPECT_EQ(Lab.Calls, (QStringList{"paint:1", "draw:duNone"}));
    G.SetIncX(0.5f);
    EXPECT_EQ(G.IncXLU(), 10);
    G.SetIncY(50);
    EXPECT_EQ(G.IncYLU(), 350);
    M.SetWidth(5); // 10 mm, the label minimum
    G.SetIncX(0.1f);
    EXPECT_EQ(G.IncXLU(), 10);
    Lab.Calls.clear();
    G.SetShow(false);
    G.SetColor(clRed);
    EXPECT_TRUE(Lab.Calls.isEmpty());
    G.SetShow(true);
    EXPECT_EQ(Lab.Calls, (QStringList{"paint:1", "draw:duNone"}));
}

TEST_F(KxSettings, FrameStoresLengthsUnclampedAndRepaints) {
    Lab.Calls.clear();
    F.SetStyle(fsNone);
    F.SetColor(clBlack);
    EXPECT_TRUE(Lab.Calls.isEmpty());
    F.SetDist1(-1);
    EXPECT_EQ(F.Dist1LU(), -10);
    F.SetDist1(-1); // no equality test
    EXPECT_EQ(Lab.Calls.count("paint:1"), 2);
    EXPECT_EQ(F.Dist2LU(), 10);
    EXPECT_EQ(F.PenWidthLU(), 2);
}

TEST_F(KxSettings, PrintCountsStayAtLeastOne) {
    P.SetLabs(-3);
    EXPECT_EQ(P.GetLabs(), 1);
    P.SetLabs(3);
    P.SetRepetition(3);
    EXPECT_EQ(P.GetRepetition(), 3);
    P.SetRepetition(0);
    EXPECT_EQ(P.GetRepetition(), 1);
    P.SetFirstRow(-2); // not clamped
    EXPECT_EQ(P.GetFirstRow(), -2);
    EXPECT_EQ(P.GetPaperSize(), 9);
    EXPECT_EQ(P.GetOrientation(), 0);
    EXPECT_EQ(P.Snapshot(), TKxPrinterMetrics{});
}

TEST_F(KxSettings, PrinterMarginsAddUpToThePaper) {
    const TKxPrinterMetrics m = P.LiveMetrics();
    EXPECT_GT(m.DpiH, 0);
    EXPECT_EQ(m.MaLeft + m.Width + m.MaRight, M.PaperWidthLU());
    EXPECT_EQ(m.MaTop + m.Height + m.MaBottom, M.PaperHeightLU());
}

TEST_F(KxSettings, RulerColoursAndBorderRedrawBothRulersMarkColourNothing) {
    Lab.Calls.clear();
    R.SetMarkColor(clBlue);
    R.SetColor(clSilver);
    EXPECT_TRUE(Lab.Calls.isEmpty());
    R.SetTickColor(clBlue);
    R.SetBorder(false);
    R.SetFont(nullptr);
    EXPECT_EQ(Lab.Calls.count("flip:duBoth"), 2);
    EXPECT_EQ(R.GetFont().Name(), "Tahoma");
    EXPECT_EQ(R.GetFont().Height(), -9);
    QFont f("Arial");
    f.setPixelSize(12);
    f.setBold(true);
    R.SetQFont(f);
    EXPECT_EQ(R.GetFont().Height(), -12);
    EXPECT_TRUE(R.GetFont().Style().testFlag(fsBold));
    EXPECT_EQ(R.GetQFont().pixelSize(), 12);
}

TEST_F(KxSettings, BackgroundFileThatCannotBeReadIsReportedAndKept) {
    TMessageCapture capture;
    B.SetImage(Plain(4, 3, Qt::blue));
    B.SetFileName("/nonexistent/back.png");
    EXPECT_EQ(B.GetFileName(), "/nonexistent/back.png");
    EXPECT_EQ(capture.Messages, QStringList{"No se puede abrir el archivo: /nonexistent/back.png"});
    EXPECT_EQ(B.GetImage().Bitmap().size(), QSize(4, 3));
    EXPECT_EQ(B.GetImage().Bitmap().pixelColor(0, 0), QColor(Qt::blue));
    B.SetFileName("/nonexistent/back.png"); // unchanged: no second attempt
    EXPECT_EQ(capture.Messages.size(), 1);

    TKxTempDir dir;
    QImage picture(5, 7, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.Path("red.png")));
    B.SetFileName(dir.Path("red.png"));
    EXPECT_EQ(B.GetImage().Bitmap().size(), QSize(5, 7));
    EXPECT_EQ(capture.Messages.size(), 1);
    B.SetStyle(biImage);
    EXPECT_EQ(B.GetStyle(), biImage); // with a file name the picture style stays
}

TEST(KxSettingsAssign, CopiesWhatEachClassCopies) {
    TKxLab source;
    TKxLab target;
    auto& sm = *source.GetMeasure();
    sm.SetWidth(70);
    sm.SetHeight(20);
    sm.SetNuHor(9);
    sm.SetPaperName("Letter");
    sm.SetInnerCircle(3);
    sm.SetLabelType(ltCircle);
    target.SetMeasure(&sm);
    auto& tm = *target.GetMeasure();
    EXPECT_EQ(tm.WidthLU(), 700);
    EXPECT_EQ(tm.HeightLU(), 700);
    EXPECT_EQ(tm.GetNuHor(), 9);
    EXPECT_EQ(tm.GetPaperName(), "Letter");
    EXPECT_EQ(tm.InnerCircleLU(), 0);
    EXPECT_EQ(tm.GetLabelType(), ltRect);
    EXPECT_EQ(tm.GetOwner(), target.Label());

    source.GetGrid()->SetShow(true);
    source.GetGrid()->SetIncX(2);
    source.GetGrid()->SetColor(clBlue);
    target.SetGrid(source.GetGrid());
    EXPECT_FALSE(target.GetGrid()->GetShow());
    EXPECT_EQ(target.GetGrid()->IncXLU(), 20);
    EXPECT_EQ(target.GetGrid()->GetColor(), clBlue);

    source.GetFrame()->SetStyle(fsDoble);
    source.GetFrame()->SetRadio(2);
    target.SetFrame(source.GetFrame());
    EXPECT_EQ(target.GetFrame()->GetStyle(), fsDoble);
    EXPECT_EQ(target.GetFrame()->RadioLU(), 20);

    source.GetBackSurf()->SetImage(Plain(2, 2, Qt::green));
    source.GetBackSurf()->SetShowAlign(true);
    source.GetBackSurf()->SetPrint(true);
    source.GetBackSurf()->SetAlignLeft(5);
    source.GetBackSurf()->SetToColor(clBlue);
    target.SetBackSurf(source.GetBackSurf());
    EXPECT_EQ(target.GetBackSurf()->GetImage().Bitmap().pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(target.GetBackSurf()->GetShowAlign());
    EXPECT_TRUE(target.GetBackSurf()->GetPrint());
    EXPECT_EQ(target.GetBackSurf()->AlignLeftLU(), 50);
    EXPECT_EQ(target.GetBackSurf()->GetToColor(), clBlue);

    source.GetRulers()->SetVisible(false);
    source.GetRulers()->SetMarkColor(clBlue);
    target.SetRulers(source.GetRulers());
    EXPECT_FALSE(target.GetRulers()->GetVisible());
    EXPECT_EQ(target.GetRulers()->GetMarkColor(), clBlue);

    source.GetPrintInfo()->SetLabs(12);
    source.GetPrintInfo()->SetPaperSize(1);
    source.GetPrintInfo()->SetOrientation(1);
    target.SetPrintInfo(source.GetPrintInfo());
    EXPECT_EQ(target.GetPrintInfo()->GetLabs(), 12);
    EXPECT_EQ(target.GetPrintInfo()->GetPaperSize(), 1);
    EXPECT_EQ(target.GetPrintInfo()->GetOrientation(), 1);
    EXPECT_EQ(target.GetPrintInfo()->Snapshot(), source.GetPrintInfo()->LiveMetrics());
    EXPECT_NE(target.GetPrintInfo()->Snapshot().DpiH, 0);
}

TEST(KxSettingsAssign, AnotherClassChangesNothing) {
    TKxMeasure m;
    TKxGrid g;
    g.SetIncX(1);
    m.Assign(&g);
    m.Assign(nullptr);
    EXPECT_EQ(m.WidthLU(), 600);
    TKxGrid g2;
    g2.Assign(&m);
    EXPECT_EQ(g2.IncXLU(), 100);
}

#include "metafile/Metafile.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>

#include "base/InvalidGraphic.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "gdi/Bitmap.h"
#include "metafile/MetafileCanvas.h"
#include "MetafileSample.h"

namespace {

QImage DrawnDirectly(int width, int height) {
    TBitmap bmp(width, height);
    MapSamplePage(bmp.Canvas(), width, height);
    DrawSamplePage(bmp.Canvas());
    return bmp.Image().copy();
}

} // namespace

TEST(KxMetafileRecording, KeepsEachOperationWithItsState) {
    TMetafile page(2100, 2970);
    {
        TMetafileCanvas c(page);
        c.Pen = {clRed, 3, psDash, pmCopy};
        c.Rectangle(10, 20, 110, 70);
        c.MoveTo(5, 6);
        c.LineTo(50, 60);
        c.Brush = {clLime, bsSolid};
        const TPoint points[] = {{1, 2}, {30, 4}, {15, 40}};
        c.Polygon(points);
        c.RoundRect(0, 0, 40, 30, 8, 6);
        c.SetPixels(7, 8, clBlue);
        TRect box{10, 10, 200, 100};
        c.DrawText("clipped", box, DT_NOPREFIX);
        // Nothing is drawn, so nothing can be read back.
        EXPECT_EQ(c.Pixels(7, 8), clNone);
    }
    const auto& r = page.Records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0].Op, TMetaOp::Rectangle);
    EXPECT_EQ(r[0].Box, Rect(10, 20, 110, 70));
    EXPECT_EQ(r[1].Op, TMetaOp::Line);
    EXPECT_EQ(r[1].Box, Rect(5, 6, 50, 60));
    // The rectangle and the line were drawn in the same state, which is stored once.
    EXPECT_EQ(r[0].State, r[1].State);
    EXPECT_EQ(page.States()[r[0].State].Pen, (TPen{clRed, 3, psDash, pmCopy}));
    EXPECT_EQ(r[2].Op, TMetaOp::Polygon);
    ASSERT_EQ(r[2].B, 3);
    EXPECT_EQ(page.Points()[r[2].A + 2], Point(15, 40));
    EXPECT_EQ(page.States()[r[2].State].Brush, (TBrush{clLime, bsSolid}));
    EXPECT_EQ(r[3].Op, TMetaOp::RoundRect);
    EXPECT_EQ(r[3].A, 8);
    EXPECT_EQ(r[3].B, 6);
    EXPECT_EQ(r[4].Op, TMetaOp::Pixel);
    EXPECT_EQ(r[4].A, clBlue);
    EXPECT_EQ(r[5].Op, TMetaOp::Text);
    EXPECT_EQ(page.Texts()[r[5].A], "clipped");
    ASSERT_GE(r[5].B, 0);
    EXPECT_EQ(page.Clips()[r[5].B], Rect(10, 10, 200, 100));
    EXPECT_EQ(page.States().size(), 2u);
}

TEST(KxMetafileRecording, NaturalSizeIsTheReferenceScreenSize) {
    const TMetafile a4(21000, 29700);
    EXPECT_EQ(a4.Width(), 794);
    EXPECT_EQ(a4.Height(), 1123);
    TMetafile empty;
    EXPECT_TRUE(empty.Empty());
    empty.SetMMWidth(-5);
    EXPECT_EQ(empty.MMWidth(), 0);
    // Drawing an empty page or a page without size does nothing at all.
    TBitmap bmp(20, 20);
    bmp.Canvas().StretchDraw({0, 0, 20, 20}, empty);
    EXPECT_EQ(CountColour(bmp.Image(), clWhite), 400);
}

TEST(KxMetafileRecording, TheSameImageOnEveryLabelIsKeptOnce) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::red);
    TMetafile page(21000, 29700);
    {
        TMetafileCanvas c(page);
        for (int i = 0; i < 21; ++i)
            c.StretchDraw({i * 60, 0, i * 60 + 50, 50}, image);
    }
    EXPECT_EQ(page.Records().size(), 21u);
    EXPECT_EQ(page.Images().size(), 1u);
    EXPECT_LT(page.ByteSize(), size_t(image.sizeInBytes()) + 8192);
}

class KxMetafileReplay : public ::testing::TestWithParam<double> {};

TEST_P(KxMetafileReplay, MatchesDirectDrawingAtThisScale) {
    const auto page = RecordSamplePage();
    const int w = static_cast<int>(std::lround(page->Width() * GetParam()));
    const int h = static_cast<int>(std::lround(page->Height() * GetParam()));
    TBitmap replayed(w, h);
    replayed.Canvas().StretchDraw({0, 0, w, h}, *page);
    const QImage direct = DrawnDirectly(w, h);
    EXPECT_LT(DifferingShare(replayed.Image(), direct), 0.01);
    for (const TColor colour : {clRed, clBlue, clLime})
        EXPECT_TRUE(NearBox(ColourBox(replayed.Image(), colour), ColourBox(direct, colour), 2)) << colour;
}

INSTANTIATE_TEST_SUITE_P(Scales, KxMetafileReplay, ::testing::Values(1.0, 2.5, 0.6));

TEST(KxMetafileReplayPlacement, StretchesTheFrameIntoAnyRectangleOfAMappedCanvas) {
    TMetafile page(10000, 5000); // 100 by 50 mm
    {
        TMetafileCanvas c(page);
        c.SetMapMode(MM_ISOTROPIC);
        c.SetWindowExtEx(1000, 500);
        c.SetViewportExtEx(378, 189);
        c.Brush = {clRed, bsSolid};
        c.FillRect({0, 0, 500, 250}); // the top-left quarter
    }
    // Target canvas in tenths of a millimetre at 2 pixels per tenth, page into 40 by 40 mm at (10, 20) mm.
    TBitmap bmp(1200, 1400);
    TCanvas& c = bmp.Canvas();
    c.SetMapMode(MM_ISOTROPIC);
    c.SetWindowExtEx(1, 1);
    c.SetViewportExtEx(2, 2);
    c.SetViewportOrgEx(-20, 0);
    c.StretchDraw({100, 200, 500, 600}, page);
    // Device: x = 2 * x - 20, so the quarter spans x 180..580 and y 400..800, out of proportion.
    EXPECT_TRUE(NearBox(ColourBox(bmp.Image(), clRed), QRect(QPoint(180, 400), QPoint(579, 799)), 1))
        << ColourBox(bmp.Image(), clRed).left() << "," << ColourBox(bmp.Image(), clRed).bottom();
}

TEST(KxMetafileReplayPlacement, ReplaysIntoAnotherRecordingAndKeepsPlace) {
    const auto page = RecordSamplePage();
    TMetafile outer(SamplePageWidth * 20, SamplePageHeight * 20);
    {
        TMetafileCanvas c(outer);
        c.StretchDraw({0, 0, outer.Width() / 2, outer.Height() / 2}, *page);
    }
    // The inner page fills the top-left quarter of the outer one.
    const QImage nested =
        outer.Render(outer.Width(), outer.Height()).copy(0, 0, outer.Width() / 2, outer.Height() / 2);
    const QImage direct = page->Render(nested.width(), nested.height());
    EXPECT_LT(DifferingShare(nested, direct), 0.02);
}

TEST(KxMetafileSaving, BitmapsArePagesAtNaturalSizeOnWhite) {
    const auto page = RecordSamplePage();
    TKxTempDir dir;
    for (const auto& [name, format] :
         {std::pair{"p.bmp", TMetafileFormat::Bmp}, std::pair{"p.png", TMetafileFormat::Png}}) {
        page->SaveToFile(dir.Path(name), format);
        const QImage saved(dir.Path(name));
        ASSERT_EQ(saved.size(), QSize(page->Width(), page->Height())) << name;
        EXPECT_EQ(DifferingShare(saved.convertToFormat(QImage::Format_RGB32),
                                 page->Render(page->Width(), page->Height()), 0),
                  0.0)
            << name;
        EXPECT_EQ(saved.pixel(0, 0), qRgb(255, 255, 255));
    }
}

TEST(KxMetafileSaving, SvgPageRendersLikeThePage) {
    const auto page = RecordSamplePage();
    TKxTempDir dir;
    page->SaveToFile(dir.Path("p.svg"), TMetafileFormat::Svg);
    QSvgRenderer svg(dir.Path("p.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage image(page->Width(), page->Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QImage ours = page->Render(page->Width(), page->Height());
    for (const TColor colour : {clRed, clBlue, clLime})
        EXPECT_TRUE(NearBox(NearColourBox(image, colour), ColourBox(ours, colour), 2)) << colour;
}

TEST(KxMetafileSaving, PdfPageHasThePageSizeAndContent) {
    const auto page = RecordSamplePage();
    TKxTempDir dir;
    page->SaveToFile(dir.Path("p.pdf"), TMetafileFormat::Pdf);
    QProcess pdf;
    pdf.start("pdftoppm", {"-r", "96", "-png", "-singlefile", dir.Path("p.pdf"), dir.Path("p")});
    ASSERT_TRUE(pdf.waitForFinished(60000));
    ASSERT_EQ(pdf.exitCode(), 0);
    const QImage image = QImage(dir.Path("p.png")).convertToFormat(QImage::Format_RGB32);
    // 105 by 74 mm, whole points: 298 by 210 pt at 96 dpi.
    EXPECT_NEAR(image.width(), page->Width(), 1);
    EXPECT_NEAR(image.height(), page->Height(), 1);
    const QImage ours = page->Render(image.width(), image.height());
    for (const TColor colour : {clRed, clBlue})
        EXPECT_TRUE(NearBox(NearColourBox(image, colour), ColourBox(ours, colour), 2)) << colour;
}

TEST(KxMetafileSaving, AFailedSaveThrowsNamingTheFile) {
    const auto page = RecordSamplePage();
    TKxTempDir dir;
    for (const auto format : {TMetafileFormat::Emf, TMetafileFormat::Png, TMetafileFormat::Pdf}) {
        try {
            page->SaveToFile(dir.Path("missing/p.out"), format);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().contains("missing/p.out")) << e.what();
        }
    }
}

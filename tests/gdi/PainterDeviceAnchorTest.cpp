#include <functional>
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <vector>

#include "common/CanvasCell.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"

// The anchor changes how a PDF page is written, never where anything lands on it.
namespace {

// What Draw puts on an A5 PDF page at 1200 dpi, rendered at 200 dpi.
QImage Rendered(const QString& Pdf, const std::function<void(QPdfWriter&)>& Draw,
                const QStringList& Options = {"-r", "200"}) {
    {
        QPdfWriter writer(Pdf);
        writer.setPageSize(QPageSize(QPageSize::A5));
        writer.setResolution(1200);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        Draw(writer);
    }
    const QString prefix = Pdf.chopped(4);
    Exec(QStringLiteral("pdftoppm"), Options + QStringList{"-png", "-singlefile", Pdf, prefix});
    return QImage(prefix + ".png");
}

// Operators (a line of their own: "BT" begins a text object, "S" strokes, "f*" fills) in a PDF's
// compressed streams.
qsizetype Operators(const QString& Pdf, const char* Operator) {
    QFile f(Pdf);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray file = f.readAll();
    qsizetype count = 0;
    for (qsizetype at = file.indexOf("stream\n"); at >= 0; at = file.indexOf("stream\n", at + 1)) {
        const qsizetype end = file.indexOf("endstream", at);
        // qUncompress wants the expected size in front of the zlib data.
        const QByteArray data =
            QByteArray::fromHex("00100000") + file.mid(at + 7, end < 0 ? -1 : end - at - 7);
        count += qUncompress(data).count(QByteArray("\n") + Operator + "\n");
    }
    return count;
}

// Two cells on a page in tenths of a millimetre, a scale that puts cells off whole pixels.
QImage Page(const QString& Pdf, bool Anchored) {
    return Rendered(Pdf, [&](QPdfWriter& writer) {
        TPainterDevice device(&writer);
        ASSERT_TRUE(device.Begin());
        TCanvas canvas(&device);
        canvas.SetMapMode(MM_ISOTROPIC);
        canvas.SetWindowExtEx(1480, 2100);
        canvas.SetViewportExtEx(writer.width(), writer.height());
        for (const TPoint cell : {TPoint{75, 155}, TPoint{735, 536}}) {
            if (Anchored) canvas.Anchor(cell.X, cell.Y);
            DrawCanvasCell(canvas, cell.X, cell.Y);
        }
        canvas.Unanchor();
    });
}

TEST(KxPainterDeviceAnchor, APdfPageRendersTheSameAnchoredOrNot) {
    TKxTempDir dir;
    const QImage plain = Page(dir.Path("plain.pdf"), false);
    const QImage anchored = Page(dir.Path("anchored.pdf"), true);
    ASSERT_FALSE(plain.isNull());
    // Enough drawn to mean something: the cells are not blank.
    EXPECT_GT(InkBox(plain).width(), plain.width() / 2);
    EXPECT_EQ(DifferingShare(plain, anchored, 0), 0.0);
}

// A square border goes to a PDF as the four bands around its inside, which it writes relative to the
// anchor; a viewer shows them as the ring of two rectangles they replace.
TEST(KxPainterDeviceAnchor, ASquareBorderLooksAsTheRingItIs) {
    TKxTempDir dir;
    const QRect outer(1003, 2001, 2407, 1501);
    const int width = 19;
    const QImage bands = Rendered(dir.Path("bands.pdf"), [&](QPdfWriter& writer) {
        TPainterDevice device(&writer);
        ASSERT_TRUE(device.Begin());
        TCanvas canvas(&device);
        canvas.Pen = {clBlack, width, psInsideFrame, pmCopy};
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(outer.left(), outer.top(), outer.right() + 1, outer.bottom() + 1);
    });
    const QImage ring = Rendered(dir.Path("ring.pdf"), [&](QPdfWriter& writer) {
        QPainter painter(&writer);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addRect(QRectF(outer));
        path.addRect(QRectF(outer).adjusted(width, width, -width, -width));
        painter.fillPath(path, Qt::black);
    });
    ASSERT_FALSE(ring.isNull());
    EXPECT_GT(InkBox(ring).width(), 350);
    EXPECT_EQ(DifferingShare(bands, ring, 0), 0.0);
}

// A rounded border goes to a PDF as its centre line stroked, written relative to the anchor; a viewer
// shows it as the ring of two rounded rectangles it replaces.
TEST(KxPainterDeviceAnchor, ARoundedBorderLooksAsTheRingItIs) {
    TKxTempDir dir;
    const QRect outer(1003, 2001, 2407, 1501);
    const int width = 19, radius = 47;
    const QImage stroked = Rendered(dir.Path("stroked.pdf"), [&](QPdfWriter& writer) {
        TPainterDevice device(&writer);
        ASSERT_TRUE(device.Begin());
        TCanvas canvas(&device);
        canvas.Anchor(outer.left(), outer.top());
        canvas.Pen = {clBlack, width, psInsideFrame, pmCopy};
        canvas.Brush.Style = bsClear;
        canvas.RoundRect(outer.left(), outer.top(), outer.right() + 1, outer.bottom() + 1, 2 * radius,
                         2 * radius);
        canvas.Unanchor();
    });
    const QImage ring = Rendered(dir.Path("ring.pdf"), [&](QPdfWriter& writer) {
        QPainter painter(&writer);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addRoundedRect(QRectF(outer), radius, radius);
        path.addRoundedRect(QRectF(outer).adjusted(width, width, -width, -width), radius - width,
                            radius - width);
        painter.fillPath(path, Qt::black);
    });
    ASSERT_FALSE(ring.isNull());
    EXPECT_GT(InkBox(ring).width(), 350);
    // Edge pixels may shade a little apart: a stroke and a fill are two ways to the same shape.
    EXPECT_LT(DifferingShare(stroked, ring, 48), 0.0005);
    EXPECT_EQ(Operators(dir.Path("stroked.pdf"), "S"), 1);
    EXPECT_EQ(Operators(dir.Path("stroked.pdf"), "f*"), 0);
}

// A raster device draws at the same pixels whatever the anchor, so the designer and preview are untouched.
TEST(KxPainterDeviceAnchor, ARasterDeviceIgnoresIt) {
    QImage a(800, 500, QImage::Format_RGB32), b(800, 500, QImage::Format_RGB32);
    for (QImage* image : {&a, &b}) {
        image->fill(Qt::white);
        TPainterDevice device(image);
        ASSERT_TRUE(device.Begin());
        TCanvas canvas(&device);
        if (image == &b) canvas.Anchor(33, 17);
        DrawCanvasCell(canvas, 33, 17);
        if (image == &b) {
            EXPECT_TRUE(device.Painter()->worldTransform().isIdentity());
        }
    }
    EXPECT_EQ(a, b);
}

} // namespace

// Texts drawn together land where each drawn alone would, and a PDF writes them as one text object.
TEST(KxPainterDeviceTexts, AreOneTextObjectDrawnWhereEachAloneWouldBe) {
    TKxTempDir dir;
    const std::vector<std::pair<TPoint, QString>> texts{{{1100, 2400}, QStringLiteral("4")},
                                                        {{1300, 2400}, QStringLiteral("006381")},
                                                        {{2300, 2400}, QStringLiteral("333931")}};
    const auto draw = [&](bool Together) {
        return [&, Together](QPdfWriter& writer) {
            TPainterDevice device(&writer);
            ASSERT_TRUE(device.Begin());
            TCanvas canvas(&device);
            canvas.Font.SetName(QStringLiteral("Arial"));
            canvas.Font.SetHeight(-120);
            canvas.Brush.Style = bsClear;
            if (Together)
                canvas.TextOuts(texts);
            else
                for (const auto& [p, text] : texts)
                    canvas.TextOut(p.X, p.Y, text);
        };
    };
    // At the page's own resolution, unsmoothed, where a viewer's rules for a lone rectangle and for a
    // path of several give the same pixels.
    const QStringList exact{"-r",   "1200", "-aa",  "no", "-aaVector", "no", "-x",
                            "1000", "-y",   "1300", "-W", "1900",      "-H", "1200"};
    const QImage apart = Rendered(dir.Path("apart.pdf"), draw(false), exact);
    const QImage together = Rendered(dir.Path("together.pdf"), draw(true), exact);
    ASSERT_FALSE(apart.isNull());
    EXPECT_GT(InkBox(apart).width(), 200);
    EXPECT_EQ(DifferingShare(apart, together, 0), 0.0);
    EXPECT_EQ(Operators(dir.Path("apart.pdf"), "BT"), 3);
    EXPECT_EQ(Operators(dir.Path("together.pdf"), "BT"), 1);
}

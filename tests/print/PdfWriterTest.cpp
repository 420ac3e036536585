#include "print/PdfWriter.h"

#include <functional>
#include <gtest/gtest.h>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>

#include "common/CanvasCell.h"
#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "gdi/FontFace.h"
#include "gdi/PainterDevice.h"
#include "print/TrueTypeSubset.h"

namespace {

using TDraw = std::function<void(TCanvas&, QPaintDevice&)>;

QPageLayout A5(double marginMM) {
    return QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                       QMarginsF(marginMM, marginMM, marginMM, marginMM), QPageLayout::Millimeter);
}

// What Draw paints at 1200 dpi through Qt's engine (ours false) or ours, to a file.
void Paint(const QString& pdf, bool ours, const QPageLayout& layout, const TDraw& draw) {
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::unique_ptr<QPaintDevice> target;
    if (ours) {
        auto writer = std::make_unique<TPdfWriter>(&file);
        writer->SetResolution(1200);
        writer->SetPageLayout(layout);
        target = std::move(writer);
    } else {
        auto writer = std::make_unique<QPdfWriter>(&file);
        writer->setResolution(1200);
        writer->setPageLayout(layout);
        target = std::move(writer);
    }
    TPainterDevice device(target.get());
    ASSERT_TRUE(device.Begin());
    TCanvas canvas(&device);
    draw(canvas, *target);
    device.End();
}

QImage Raster(const QString& pdf) {
    const QString prefix = pdf.chopped(4);
    Exec(QStringLiteral("pdftoppm"), {"-r", "200", "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

void TwoCells(TCanvas& canvas, QPaintDevice& target) {
    canvas.SetMapMode(MM_ISOTROPIC);
    canvas.SetWindowExtEx(1480, 2100);
    canvas.SetViewportExtEx(target.width(), target.height());
    for (const TPoint cell : {TPoint{75, 155}, TPoint{735, 536}}) {
        canvas.Anchor(cell.X, cell.Y);
        DrawCanvasCell(canvas, cell.X, cell.Y);
    }
    canvas.Unanchor();
}

QString Output(const QString& program, const QStringList& args) {
    return Exec(program, args).Out;
}

} // namespace

// Every kind of canvas output lands where Qt's own engine puts it, on a page with and without margins.
TEST(KxPdfWriter, ItDrawsWhatQtsEngineDraws) {
    TKxTempDir dir;
    for (double margin : {0.0, 7.5}) {
        SCOPED_TRACE(margin);
        Paint(dir.Path("qt.pdf"), false, A5(margin), TwoCells);
        Paint(dir.Path("ours.pdf"), true, A5(margin), TwoCells);
        QImage qt = Raster(dir.Path("qt.pdf")), ours = Raster(dir.Path("ours.pdf"));
        ASSERT_FALSE(qt.isNull());
        EXPECT_GT(InkBox(qt).width(), qt.width() / 2);
        // Qt's engine writes the pictures lossy, so that a 2 by 2 picture comes out one blur; ours
        // keeps their pixels. The rest matches but for edges that Qt's rounding moves by a pixel.
        EXPECT_GT(CountColour(ours, clFuchsia), 1000);
        EXPECT_EQ(CountColour(qt, clFuchsia), 0);
        const QRectF area = A5(margin).paintRectPoints();
        const double scale = area.width() * 200 / 72 / 1480; // pixels per tenth, as TwoCells maps
        for (QImage* image : {&qt, &ours}) {
            QPainter painter(image);
            painter.translate(area.topLeft() * 200 / 72);
            painter.scale(scale, scale);
            for (const TPoint cell : {TPoint{75, 155}, TPoint{735, 536}})
                painter.fillRect(QRectF(cell.X + 436, cell.Y + 196, 108, 108), Qt::white);
        }
        EXPECT_LT(DifferingShare(qt, ours, 48), 0.0003);
    }
}

// Text stays text a reader can search and copy, in embedded subsets of its faces.
TEST(KxPdfWriter, TextIsSearchableInEmbeddedSubsets) {
    TKxTempDir dir;
    Paint(dir.Path("ours.pdf"), true, A5(0), TwoCells);
    const QString text = Output("pdftotext", {dir.Path("ours.pdf"), "-"});
    EXPECT_TRUE(text.contains("Price: 12,50 EUR")) << text.toStdString();
    EXPECT_TRUE(text.contains("turned"));
    const QStringList fonts = Output("pdffonts", {dir.Path("ours.pdf")}).split('\n').mid(2, 1);
    ASSERT_EQ(fonts.size(), 1);
    // name, type, encoding, then "yes yes yes": embedded, a subset, with a map to characters.
    EXPECT_TRUE(fonts[0].contains(QRegularExpression("\\+LiberationSans.*CID TrueType.*yes +yes +yes")))
        << fonts[0].toStdString();
}

// A picture on every page, even one copied anew each time, is written once; pages count right.
TEST(KxPdfWriter, APictureOnEveryPageIsWrittenOnce) {
    TKxTempDir dir;
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 30, 30, 128));
    Paint(dir.Path("pages.pdf"), true, A5(0), [&](TCanvas& canvas, QPaintDevice& target) {
        for (int page = 0; page < 30; ++page) {
            if (page > 0) static_cast<TPdfWriter&>(target).NewPage();
            canvas.StretchDraw({100, 100, 900, 700}, page % 2 ? picture.copy() : picture);
        }
    });
    EXPECT_TRUE(Output("pdfinfo", {dir.Path("pages.pdf")}).contains(QRegularExpression("Pages: +30\n")));
    // The document is finished: painting again on its writer is refused, the file left whole.
    QFile file(dir.Path("again.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    TPdfWriter writer(&file);
    QPainter first(&writer);
    first.end();
    QPainter second;
    EXPECT_FALSE(second.begin(&writer));
    file.close();
    EXPECT_TRUE(Output("pdfinfo", {dir.Path("again.pdf")}).contains(QRegularExpression("Pages: +1\n")));
    // The picture and its transparency on all 30 pages, both one object.
    const QStringList images =
        Output("pdfimages", {"-list", dir.Path("pages.pdf")}).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size() - 2, 60);
    QSet<QString> objects;
    for (const QString& line : images.mid(2))
        objects << line.simplified().section(' ', 10, 10);
    EXPECT_EQ(objects.size(), 1) << images.join('\n').toStdString();
}

// A subset keeps the outlines of the glyphs asked for and of those they are built of, at their own
// indexes; the rest are empty.
TEST(KxTrueTypeSubset, ItKeepsTheGlyphsAskedForAndTheirParts) {
    TLogFont log;
    log.lfFaceName = QStringLiteral("Arial");
    const QRawFont font = TFontFace::For(log).RawFont(200);
    const TTrueTypeFace face([&](const char* tag) { return font.fontTable(tag); });
    ASSERT_TRUE(face.Usable());
    const QList<quint32> asked = font.glyphIndexesForString(QStringLiteral("Aé"));
    const QList<quint32> other = font.glyphIndexesForString(QStringLiteral("Z"));
    const QRawFont subset = QRawFont(face.Subset({asked.begin(), asked.end()}), 200, QFont::PreferNoHinting);
    ASSERT_TRUE(subset.isValid());
    for (quint32 glyph : asked) {
        EXPECT_FALSE(subset.pathForGlyph(glyph).isEmpty());
        EXPECT_EQ(subset.pathForGlyph(glyph), font.pathForGlyph(glyph));
    }
    EXPECT_TRUE(subset.pathForGlyph(other[0]).isEmpty());
    EXPECT_FALSE(font.pathForGlyph(other[0]).isEmpty());
    EXPECT_GT(face.Advance(asked[0]), 500);
}

// A face without TrueType outlines (a CFF face) is drawn as its outlines: the text shows, in no font.
TEST(KxPdfWriter, AFaceItCannotEmbedIsDrawnAsOutlines) {
    TLogFont log;
    log.lfFaceName = QStringLiteral("URW Gothic");
    if (TFontFace::For(log).RawFont(100).fontTable("CFF ").isEmpty()) GTEST_SKIP() << "no CFF face here";
    TKxTempDir dir;
    Paint(dir.Path("text.pdf"), true, A5(0), [&](TCanvas& canvas, QPaintDevice&) {
        canvas.Font.SetName(log.lfFaceName);
        canvas.Font.SetHeight(300);
        canvas.TextOut(500, 500, QStringLiteral("Gothic"));
    });
    EXPECT_GT(InkBox(Raster(dir.Path("text.pdf"))).width(), 100);
    // pdffonts' two heading lines and no font.
    EXPECT_EQ(Output("pdffonts", {dir.Path("text.pdf")}).split('\n', Qt::SkipEmptyParts).size(), 2);
}

#include "metafile/EmfReader.h"
#include "metafile/EmfRecords.h"
#include "metafile/EmfWriter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "common/PixelProbe.h"
#include "common/TestSupport.h"
#include "gdi/Bitmap.h"
#include "metafile/MetafileCanvas.h"
#include "MetafileSample.h"

namespace {

uint32_t U32At(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData() + at);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::unique_ptr<TMetafile> RecordSample() {
    auto page = RecordSamplePage();
    TMetafileCanvas canvas(*page);
    MapSampleRecording(canvas);
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    canvas.StretchDraw({900, 50, 1000, 100}, picture);
    return page;
}

// Record types in file order, walking the sizes.
std::vector<uint32_t> RecordTypes(const QByteArray& emf) {
    std::vector<uint32_t> types;
    for (qsizetype pos = 0; pos + 8 <= emf.size();) {
        types.push_back(U32At(emf, pos));
        const uint32_t size = U32At(emf, pos + 4);
        if (size < 8) break;
        pos += size;
    }
    return types;
}

// Inkscape's rendering of an EMF at the page's natural size, on white; null when it fails.
QImage InkscapeRender(const QString& emf, const QString& png, int width) {
    QProcess inkscape;
    inkscape.start("inkscape", {emf, "--export-type=png", "--export-filename=" + png,
                                "--export-width=" + QString::number(width), "--export-background=white",
                                "--export-background-opacity=1"});
    if (!inkscape.waitForFinished(120000) || inkscape.exitCode() != 0) return {};
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(KxEmfWriter, HeaderCountsBytesAndRecordsAndTheFileEndsWithEof) {
    const auto page = RecordSample();
    const QByteArray emf = page->SaveToEmf();
    ASSERT_GE(emf.size(), 108);
    EXPECT_EQ(U32At(emf, 0), Emf::EMR_HEADER);
    EXPECT_EQ(U32At(emf, 40), Emf::Signature);
    EXPECT_EQ(U32At(emf, 48), uint32_t(emf.size()));
    const std::vector<uint32_t> types = RecordTypes(emf);
    EXPECT_EQ(U32At(emf, 52), types.size());
    EXPECT_EQ(types.back(), Emf::EMR_EOF);
    // Frame in hundredths of a millimetre, inclusive; bounds in 96-per-inch device pixels.
    EXPECT_EQ(int32_t(U32At(emf, 32)), SamplePageWidth * 10 - 1);
    EXPECT_EQ(int32_t(U32At(emf, 36)), SamplePageHeight * 10 - 1);
    EXPECT_EQ(int32_t(U32At(emf, 16)), page->Width() - 1);

    std::map<uint32_t, int> count;
    for (uint32_t t : types)
        ++count[t];
    EXPECT_EQ(count[Emf::EMR_EXTTEXTOUTW], 4);
    EXPECT_EQ(count[Emf::EMR_STRETCHDIBITS], 1);
    EXPECT_EQ(count[Emf::EMR_ELLIPSE], 2);
    EXPECT_EQ(count[Emf::EMR_POLYGON], 2);
    // Each object created is deleted again, so a reader's handle table never overflows.
    EXPECT_EQ(count[Emf::EMR_CREATEPEN] + count[Emf::EMR_CREATEBRUSHINDIRECT] +
                  count[Emf::EMR_EXTCREATEFONTINDIRECTW],
              count[Emf::EMR_DELETEOBJECT]);
}

TEST(KxEmfWriter, TextCarriesTheLayoutAdvancesIncludingExtraSpacing) {
    TMetafile page(5000, 2000);
    {
        TMetafileCanvas c(page);
        c.Font.SetHeight(40);
        c.SetTextCharacterExtra(7);
        c.TextOut(10, 20, "AVA");
    }
    const QByteArray emf = page.SaveToEmf();
    qsizetype pos = 0;
    while (pos < emf.size() && U32At(emf, pos) != Emf::EMR_EXTTEXTOUTW)
        pos += U32At(emf, pos + 4);
    ASSERT_LT(pos, emf.size());
    EXPECT_EQ(int32_t(U32At(emf, pos + 36)), 10);
    EXPECT_EQ(int32_t(U32At(emf, pos + 40)), 20);
    ASSERT_EQ(U32At(emf, pos + 44), 3u);
    const uint32_t offString = U32At(emf, pos + 48);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(emf.constData() + pos + offString), 3),
              "AVA");
    const uint32_t offDx = U32At(emf, pos + 72);
    const TTextLayout layout = page.TextLayout(page.Records()[0]);
    int32_t sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += int32_t(U32At(emf, pos + offDx + 4 * i));
    EXPECT_EQ(sum, std::lround(layout.Width));
    EXPECT_EQ(int32_t(U32At(emf, pos + offDx)), std::lround(layout.X[1]));
}

// A picture file may give a font an em near the 32-bit limit: its text runs past that range, where
// the written advances stop instead of wrapping round.
TEST(KxEmfWriter, AdvancesOfTextPastThe32BitRangeStopAtItsEnd) {
    TMetafile page(5000, 2000);
    {
        TMetafileCanvas c(page);
        c.Font.SetHeight(-2000000000);
        c.TextOut(0, 0, "WWW");
    }
    const TTextLayout layout = page.TextLayout(page.Records()[0]);
    ASSERT_GT(layout.Width, 2.0 * INT32_MAX);
    const QByteArray emf = page.SaveToEmf();
    qsizetype pos = 0;
    while (pos < emf.size() && U32At(emf, pos) != Emf::EMR_EXTTEXTOUTW)
        pos += U32At(emf, pos + 4);
    ASSERT_LT(pos, emf.size());
    const uint32_t offDx = U32At(emf, pos + 72);
    int64_t end = 0;
    for (int i = 0; i < 3; ++i) {
        const auto dx = int32_t(U32At(emf, pos + offDx + 4 * i));
        EXPECT_GE(dx, 0) << i;
        end += dx;
    }
    EXPECT_EQ(end, INT32_MAX);
}

TEST(KxEmfRoundTrip, OurReaderDrawsOurFileLikeThePage) {
    const auto page = RecordSample();
    const auto back = ReadEmf(page->SaveToEmf(), "page.emf");
    EXPECT_EQ(back->MMWidth(), page->MMWidth());
    EXPECT_EQ(back->MMHeight(), page->MMHeight());
    const int w = page->Width() * 2;
    const int h = page->Height() * 2;
    const QImage original = page->Render(w, h);
    const QImage read = back->Render(w, h);
    EXPECT_LT(DifferingShare(original, read), 0.02);
    for (const TColor colour : {clRed, clBlue, clLime, clYellow})
        EXPECT_TRUE(NearBox(ColourBox(read, colour), ColourBox(original, colour), 3)) << colour;
}

TEST(KxEmfReadBack, InkscapeDrawsOurFileLikeOurRendering) {
    if (QStandardPaths::findExecutable("inkscape").isEmpty()) GTEST_SKIP() << "inkscape is not installed";
    const auto page = RecordSample();
    TKxTempDir dir;
    page->SaveToFile(dir.Path("page.emf"), TMetafileFormat::Emf);
    const int w = page->Width() * 2;
    const QImage theirs = InkscapeRender(dir.Path("page.emf"), dir.Path("page.png"), w);
    ASSERT_FALSE(theirs.isNull());
    ASSERT_NEAR(theirs.height(), page->Height() * 2, 2);
    const QImage ours = page->Render(theirs.width(), theirs.height());
    ours.save(dir.Path("ours.png"));
    for (const TColor colour : {clRed, clBlue, clLime, clYellow})
        EXPECT_TRUE(NearBox(NearColourBox(theirs, colour), ColourBox(ours, colour), 4))
            << colour << " theirs " << NearColourBox(theirs, colour).x() << ","
            << NearColourBox(theirs, colour).y() << " " << NearColourBox(theirs, colour).width() << "x"
            << NearColourBox(theirs, colour).height() << " ours " << ColourBox(ours, colour).x() << ","
            << ColourBox(ours, colour).y() << " " << ColourBox(ours, colour).width() << "x"
            << ColourBox(ours, colour).height();
    // Text: the ink of the first label's caption, above its line.
    const QRect caption(0, 0, theirs.width() / 3, theirs.height() / 5);
    EXPECT_TRUE(NearBox(InkBox(theirs.copy(caption)), InkBox(ours.copy(caption)), 4));
}

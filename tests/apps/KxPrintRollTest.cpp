#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QThread>
#include <vector>

#include "AppTestSupport.h"
#include "label/KxLabel.h"
#include "label/KxRoll.h"

namespace {

// The pictures a ZPL stream downloads (~DG), one per page: rows of hex nibbles (1 bits black) with
// ZPL's run lengths (G..Y repeat the next digit 1 to 19 times, g..z 20 to 400, added up), ',' ending a
// row in white, '!' in black, ':' repeating the row above.
std::vector<QImage> ZplPictures(const QByteArray& Zpl) {
    std::vector<QImage> pictures;
    qsizetype at = 0;
    while ((at = Zpl.indexOf("~DG", at)) >= 0) {
        // ~DGR:NAME,TOTAL BYTES,BYTES PER ROW,DATA
        const qsizetype total = Zpl.indexOf(',', at) + 1;
        const qsizetype perRow = Zpl.indexOf(',', total) + 1;
        const qsizetype data = Zpl.indexOf(',', perRow) + 1;
        const int rowBytes = Zpl.mid(perRow, data - perRow - 1).toInt();
        if (rowBytes <= 0) break;
        const int rows = Zpl.mid(total, perRow - total - 1).toInt() / rowBytes;
        const int nibbles = 2 * rowBytes;
        QImage picture(8 * rowBytes, rows, QImage::Format_Grayscale8);
        picture.fill(255);
        QByteArray row(nibbles, '0');
        QByteArray above = row;
        int column = 0, y = 0, repeat = 0;
        const auto endRow = [&](char Fill) {
            while (column < nibbles)
                row[column++] = Fill;
            for (int n = 0; n < nibbles; ++n) {
                const int value = QByteArray(1, row[n]).toInt(nullptr, 16);
                for (int bit = 0; bit < 4; ++bit)
                    if (value & (8 >> bit)) picture.setPixel(4 * n + bit, y, qRgb(0, 0, 0));
            }
            above = row;
            column = 0;
            ++y;
        };
        qsizetype i = data;
        for (; i < Zpl.size() && y < rows && Zpl[i] != '^' && Zpl[i] != '~'; ++i) {
            const char c = Zpl[i];
            if (c >= 'G' && c <= 'Y')
                repeat += c - 'G' + 1;
            else if (c >= 'g' && c <= 'z')
                repeat += 20 * (c - 'g' + 1);
            else if (c == ',' || c == '!')
                endRow(c == ',' ? '0' : 'F');
            else if (c == ':') {
                row = above;
                column = nibbles;
                endRow('0');
            } else if (std::isxdigit(static_cast<unsigned char>(c))) {
                for (int n = std::max(repeat, 1); n > 0 && column < nibbles; --n)
                    row[column++] = c;
                repeat = 0;
                if (column == nibbles) endRow('0');
            }
        }
        pictures.push_back(picture);
        at = i;
    }
    return pictures;
}

// The stream the queue's file device holds once Pages pages have come (at most a minute).
QByteArray WaitForPages(const QString& File, int Pages) {
    QElapsedTimer waited;
    waited.start();
    QByteArray zpl;
    while (waited.elapsed() < 60000) {
        QFile f(File);
        if (f.open(QIODevice::ReadOnly)) zpl = f.readAll();
        if (zpl.count("^IDR:") >= Pages) break;
        QThread::msleep(200);
    }
    return zpl;
}

} // namespace

// A roll printer on CUPS's own ZPL label driver, its device a file: one label per page at 203 dpi, the
// page the label plus its gaps, each page's barcode scanning as its record's.
TEST(KxPrintRoll, PrintsOneLabelPerPageThroughTheZplDriver) {
    const QString queue = qEnvironmentVariable("KXLAB_ZPL_QUEUE");
    const QString file = qEnvironmentVariable("KXLAB_ZPL_OUT");
    if (queue.isEmpty() || file.isEmpty()) GTEST_SKIP() << "no ZPL queue (KXLAB_ZPL_QUEUE, KXLAB_ZPL_OUT)";
    const QString tag = Sample(QStringLiteral("price-tag.kxl"));
    const TResult r = KxPrint({tag, "--aliases", Sample(QStringLiteral("aliases.ini")), "--roll", "--printer",
                               queue, "--from", "5", "--to", "7", "-q"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    const std::vector<QImage> pages = ZplPictures(WaitForPages(file, 3));
    ASSERT_EQ(pages.size(), 3u);
    TKxLabel label;
    label.LoadFromFile(tag);
    const TKxRollLayout roll = TKxRollLayout::Of(*label.GetMeasure());
    const auto dots = [](int32_t Lu) { return Lu / 254.0 * 203; };
    TKxTempDir dir;
    for (int p = 0; p < 3; ++p) {
        // Rows are padded to whole bytes.
        EXPECT_NEAR(pages[p].width(), dots(roll.PaperWidth), 8);
        EXPECT_NEAR(pages[p].height(), dots(roll.PaperHeight), 1.5);
        const QString png = dir.Path(QStringLiteral("page-%1.png").arg(p + 1));
        ASSERT_TRUE(pages[p].save(png));
        EXPECT_EQ(Scan(png), SampleCodes(5 + p, 5 + p)) << "page " << p + 1;
    }
}

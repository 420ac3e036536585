#include <algorithm>
#include <gtest/gtest.h>
#include <QDir>
#include <QImage>

#include "AppTestSupport.h"
#include "common/KxDecoders.h"
#include "db/Table.h"
#include "elements/KxBarCode.h"
#include "elements/KxBarcodeGeometry.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

// Every barcode kind, bound to a field of a SQLite table and printed by kxprint to PDF, SVG and EMF,
// rendered at 203 and 300 dpi (poppler for PDF, inkscape for SVG and EMF) at each angle, reads back as
// exactly the record's data with zxing-cpp, and with zbarimg where it reads the kind. One run and one
// rendering per case; every symbol is cut out of the page and given to both readers.

namespace {

// Room around each symbol on the label, and around what a reader is shown of it.
constexpr int32_t Gap = 100;
constexpr int32_t Around = 40;

// A SQLite file with one record: field k<n> holds the data of sample n.
QString MakeDatabase(const QString& Folder, const std::vector<TKxScanSample>& Samples) {
    const QString db = QDir(Folder).filePath(QStringLiteral("codes.db"));
    QStringList columns;
    QStringList values;
    for (size_t i = 0; i < Samples.size(); ++i) {
        columns << QStringLiteral("k%1 TEXT").arg(i);
        values << QStringLiteral("'%1'").arg(Samples[i].Data);
    }
    const TResult r =
        Exec(QStringLiteral("sqlite3"),
             {db, QStringLiteral("CREATE TABLE codes (id INTEGER PRIMARY KEY, %1); "
                                 "INSERT INTO codes VALUES (1, %2);")
                      .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")))});
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    return db;
}

TKxBarcodeShape ShapeOf(const TKxBarCode& Bar, const QString& Code) {
    return {Bar.BarType,   Code,           Bar.Width, Bar.Height,    Bar.FontHeight, Bar.LeftMargin,
            Bar.TopMargin, Bar.ShowNumber, Bar.Angle, Bar.CharSpace, Bar.Options};
}

// A one-label page holding every sample at Angle, bound to its field; answers where each symbol lies.
std::vector<TRect> MakeLabel(TKxLabel& Lab, const std::vector<TKxScanSample>& Samples, int32_t Angle) {
    std::vector<TRect> boxes;
    const int32_t pageWidth = 3000;
    int32_t x = Gap;
    int32_t y = Gap;
    int32_t rowHeight = 0;
    for (size_t i = 0; i < Samples.size(); ++i) {
        auto bar = std::make_unique<TKxBarCode>(&Lab);
        bar->BarType = Samples[i].Kind;
        bar->Options = Samples[i].Options;
        bar->Width = Samples[i].Width;
        bar->Height = 150;
        bar->Angle = Angle;
        bar->Field = QStringLiteral("k%1").arg(i);
        bar->DataBase = true;
        bar->Code = QStringLiteral("0"); // the record's value prints, never this
        // Shelves: the symbol's turned box decides where its anchor goes.
        const TRect box = BarcodeLayout(ShapeOf(*bar, Samples[i].Data), {0, 0}).Box;
        if (x + box.Width() + Gap > pageWidth) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        bar->P1 = {x - box.Left, y - box.Top};
        boxes.push_back({x, y, x + box.Width(), y + box.Height()});
        x += box.Width() + Gap;
        rowHeight = std::max(rowHeight, box.Height());
        Lab.AddElement(std::move(bar));
    }
    const int32_t pageHeight = y + rowHeight + Gap;
    TKxMeasure& m = *Lab.GetMeasure();
    m.SetWidth(pageWidth / 10.0f);
    m.SetHeight(pageHeight / 10.0f);
    m.SetPaperWidth(pageWidth / 10.0f);
    m.SetPaperHeight(pageHeight / 10.0f);
    m.SetMarLeft(0);
    m.SetMarTop(0);
    m.SetDiHor(0);
    m.SetDiVer(0);
    m.SetNuHor(1);
    m.SetNuVer(1);
    TKxPrintInfo& p = *Lab.GetPrintInfo();
    p.SetPaperSize(256);
    p.SetFirstLab(1);
    p.SetLastLab(1);
    TTable& table = *Lab.GetTable();
    table.SetDatabaseName(QStringLiteral("Codes"));
    table.SetTableName(QStringLiteral("codes"));
    Lab.SetDaBa(true);
    return boxes;
}

// The first page of a kxprint output as a picture at Dpi on white.
QImage Render(const QString& Output, const QString& Format, int Dpi, const QString& Png) {
    TResult r;
    if (Format == u"pdf") {
        r = Exec(QStringLiteral("pdftoppm"), {"-r", QString::number(Dpi), "-png", "-singlefile", "-f", "1",
                                              "-l", "1", Output, Png.chopped(4)});
    } else {
        r = Exec(QStringLiteral("inkscape"),
                 {Output, "--export-type=png", "--export-dpi=" + QString::number(Dpi),
                  "--export-background=white", "--export-background-opacity=1", "--export-filename=" + Png});
    }
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    return QImage(Png);
}

struct TPrintCase {
    const char* Format;
    int Dpi;
    int32_t Angle;
};

class KxPrintSymbology : public ::testing::TestWithParam<TPrintCase> {};

TEST_P(KxPrintSymbology, EveryKindReadsBackAsTheRecordsData) {
    const TPrintCase& c = GetParam();
    const QString format = QString::fromLatin1(c.Format);
    TKxTempDir dir;
    const std::vector<TKxScanSample> samples = KxScanSamples();
    const QString db = MakeDatabase(dir.Path(), samples);
    TKxLabel lab;
    const std::vector<TRect> boxes = MakeLabel(lab, samples, c.Angle);
    const QString label = dir.Path(QStringLiteral("codes.kxl"));
    lab.SaveToFile(label);

    const TResult run = KxPrint({label, "--alias", "Codes=sqlite:" + db, "--quiet", "-o",
                                 dir.Path(QStringLiteral("codes.") + format)});
    ASSERT_EQ(run.Code, 0) << run.Err.toStdString();
    // Vector formats other than PDF are written one file per sheet.
    const QString output =
        dir.Path(format == u"pdf" ? QStringLiteral("codes.pdf") : QStringLiteral("codes-1.") + format);
    const QImage page = Render(output, format, c.Dpi, dir.Path(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());

    const double scale = c.Dpi / 254.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const TKxScanSample& s = samples[i];
        SCOPED_TRACE(s.Name.toStdString());
        // The four retail kinds draw as they always have, each bar outlined by a one-pixel pen, which
        // an EMF reader strokes wider than the bar: not read back from EMF.
        if (format == u"emf" && !KxEncodedKind(s.Kind)) continue;
        const TRect& b = boxes[i];
        const QImage symbol = page.copy(QRect(
            QPoint(static_cast<int>((b.Left - Around) * scale), static_cast<int>((b.Top - Around) * scale)),
            QPoint(static_cast<int>((b.Right + Around) * scale),
                   static_cast<int>((b.Bottom + Around) * scale))));
        EXPECT_EQ(ZXingRead(symbol, s.Kind).join(u'|').toStdString(), s.ZXing.toStdString());
        if (s.Zbar.isEmpty()) continue;
        const QString png = dir.Path(QStringLiteral("symbol-%1.png").arg(i));
        ASSERT_TRUE(symbol.save(png));
        EXPECT_EQ(ZbarRead(png, s.Kind).join(u'|').toStdString(), s.Zbar.toStdString());
    }
}

std::vector<TPrintCase> Cases() {
    std::vector<TPrintCase> cases;
    for (const char* format : {"pdf", "svg", "emf"})
        for (const int dpi : {203, 300})
            for (const int32_t angle : {0, 90, 180, 270})
                cases.push_back({format, dpi, angle});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Outputs, KxPrintSymbology, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TPrintCase>& info) {
                             return QStringLiteral("%1_%2dpi_%3")
                                 .arg(QString::fromLatin1(info.param.Format))
                                 .arg(info.param.Dpi)
                                 .arg(info.param.Angle)
                                 .toStdString();
                         });

} // namespace

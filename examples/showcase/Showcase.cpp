#include "Showcase.h"

#include <memory>
#include <optional>
#include <QImage>
#include <QPainter>
#include <stdexcept>

#include "designer/KxLab.h"
#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxImage.h"
#include "elements/KxLine.h"
#include "elements/KxParagraph.h"
#include "elements/KxRect.h"
#include "elements/KxSymbol.h"
#include "elements/KxText.h"
#include "label/KxFrame.h"
#include "label/KxMeasure.h"

namespace {

// Adds an element of type T placed from (X1, Y1) to (X2, Y2) plus Offset and returns it for setting up.
template <class T>
T& Put(TKxLab& Lab, TPoint Offset, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    auto e = std::make_unique<T>(Lab.Label());
    e->P1 = TPoint{Offset.X + X1, Offset.Y + Y1};
    e->P2 = TPoint{Offset.X + X2, Offset.Y + Y2};
    T& ref = *e;
    Lab.AddElement(std::move(e));
    return ref;
}

// Gives E a border of Width label units in Colour and, when given, an opaque fill.
void Frame(TKxElement& E, int32_t Width, TColor Colour, std::optional<TColor> Fill = {}) {
    E.Border = true;
    E.PenWidth = Width;
    E.LineColor = Colour;
    E.Transparent = !Fill;
    if (Fill) E.BackColor = *Fill;
}

void AddTexts(TKxLab& Lab, TPoint O) {
    auto& title = Put<TKxText>(Lab, O, 30, 20, 600, 70);
    title.Text = QStringLiteral("Every element kind");
    title.Height = 55;
    title.Bold = true;
    title.Color = clNavy;

    auto& price = Put<TKxAddText>(Lab, O, 30, 85, 600, 130);
    price.Before = QStringLiteral("Price: ");
    price.Text = QStringLiteral("12,50");
    price.After = QStringLiteral(" EUR");
    price.Height = 40;
    price.Italic = true;
    price.Transparent = false;
    price.BackColor = clYellow;
    price.CharSpace = 3;

    // Turned a quarter right along the right edge, anchored at its baseline centre.
    auto& side = Put<TKxText>(Lab, O, 975, 400, 1000, 420);
    side.Text = QStringLiteral("turned 270");
    side.Height = 35;
    side.Angle = 270;
    side.Underline = true;
    side.Align = taCeBa;
    side.Color = clMaroon;
}

void AddParagraphs(TKxLab& Lab, TPoint O) {
    auto& justified = Put<TKxParagraph>(Lab, O, 30, 145, 470, 345);
    justified.Text = QStringLiteral(
        "A justified paragraph spreads the words of each line over the whole width of its box, "
        "keeping the last line of a paragraph flush left.\r\nA break starts a new paragraph.");
    justified.Format = taJustify;
    justified.Height = 30;
    Frame(justified, 4, clGreen);

    auto& centred = Put<TKxParagraph>(Lab, O, 490, 145, 700, 345);
    centred.Text = QStringLiteral("Centred text wrapped at word breaks on an opaque box.");
    centred.Format = tfCenter;
    centred.Height = 30;
    centred.Transparent = false;
    centred.BackColor = clAqua;
}

void AddShapes(TKxLab& Lab, TPoint O) {
    auto& line = Put<TKxLine>(Lab, O, 30, 75, 600, 75);
    line.PenWidth = 4;
    line.LineColor = clBlue;

    auto& dashed = Put<TKxLine>(Lab, O, 720, 145, 950, 345);
    dashed.PenStyle = static_cast<uint8_t>(psDash);
    dashed.LineColor = clRed;

    Frame(Put<TKxRect>(Lab, O, 720, 30, 800, 120), 5, clBlack, clLime);

    auto& rounded = Put<TKxRect>(Lab, O, 815, 30, 900, 120);
    Frame(rounded, 3, clPurple);
    rounded.Radio = 25;

    auto& ellipse = Put<TKxRect>(Lab, O, 720, 230, 830, 340);
    ellipse.Circle = true;
    Frame(ellipse, 3, clNavy, clFuchsia);
}

void AddSymbolAndPicture(TKxLab& Lab, const QString& PictureFile, TPoint O) {
    auto& symbol = Put<TKxSymbol>(Lab, O, 905, 20, 960, 120);
    symbol.FontName = QStringLiteral("DejaVu Sans");
    symbol.Symbol = 0xA7; // the section sign in Windows-1252
    symbol.Height = 100;
    symbol.Bold = true;
    symbol.Color = clTeal;

    auto& picture = Put<TKxImage>(Lab, O, 720, 370, 950, 560);
    Frame(picture, 2, clGray);
    picture.SetFileImage(PictureFile);
}

void AddBarcodes(TKxLab& Lab, TPoint O) {
    struct Row {
        TKxBar Type;
        const char* Code;
        int32_t X, Y, Width;
    };
    // Module widths of 0.3 and 0.2 mm, the sizes retail scanners read.
    static constexpr Row rows[] = {
        {baEAN13, "8410894000109", 30, 370, 3},
        {baEAN8, "96385074", 420, 370, 3},
        {baUPCA, "036000291452", 30, 590, 3},
        {baCode39, "KXLAB-42", 420, 590, 2},
    };
    for (const Row& r : rows) {
        auto& bar = Put<TKxBarCode>(Lab, O, r.X, r.Y, r.X + 10, r.Y + 10);
        bar.BarType = r.Type;
        bar.Code = QString::fromLatin1(r.Code);
        bar.Width = r.Width;
        bar.Height = 150;
        bar.FontHeight = 30;
    }
}

} // namespace

void AddEveryKind(TKxLab& Lab, const QString& PictureFile, TPoint Offset) {
    AddTexts(Lab, Offset);
    AddParagraphs(Lab, Offset);
    AddShapes(Lab, Offset);
    AddSymbolAndPicture(Lab, PictureFile, Offset);
    AddBarcodes(Lab, Offset);
}

void MakeShowcase(TKxLab& Lab, const QString& PictureFile) {
    TKxMeasure& m = *Lab.GetMeasure();
    m.SetWidth(KxShowcaseSize.cx / 10.0f);
    m.SetHeight(KxShowcaseSize.cy / 10.0f);
    m.SetLabelName(QStringLiteral("Showcase"));
    Lab.GetFrame()->SetStyle(fsSingle);
    AddEveryKind(Lab, PictureFile);
}

void WriteShowcasePicture(const QString& FileName) {
    QImage card(160, 120, QImage::Format_RGB32);
    card.fill(Qt::white);
    QPainter p(&card);
    const QColor bands[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
    for (int i = 0; i < 6; ++i)
        p.fillRect(i * card.width() / 6, 0, card.width() / 6 + 1, 80, bands[i]);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(80, 100), 14, 14);
    p.end();
    if (!card.save(FileName, "PNG")) throw std::runtime_error("cannot write " + FileName.toStdString());
}

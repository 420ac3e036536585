#include "dialogs/PrSym.h"

#include <QPainter>

#include "gdi/Bitmap.h"
#include "ui_PrSym.h"

TPropSym* PropSym = nullptr;

namespace {

constexpr TColor GridBackground = RGB(192, 192, 192);
constexpr int MarkSize = 15;
constexpr int CharHeight = 14;

} // namespace

TPropSym::TPropSym(QWidget* parent)
    : TKxForm(parent)
    , FGrid(std::make_unique<TBitmap>(GridColumns * CellSize, GridRows * CellSize)) {
    ui->PaintBox1->OnPaint = [this](QPainter& Painter) { Painter.drawImage(0, 0, FGrid->Image()); };
    ui->PaintBox1->OnMouseDown = [this](Qt::MouseButton Button, const QPoint& Pixel) {
        GridMouseDown(Button, Pixel);
    };
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::close);

    BindPoint(ui->SpEdFloatX, ui->SpEdFloatY, false);
    BindColor(ui->ShCoFont, &TKxElement::Color);
    BindAngle(ui->CbAngle);
    BindFontName(ui->ComBoxFontName);
    // The grid shows the characters of the font chosen.
    connect(ui->ComBoxFontName, &QComboBox::currentTextChanged, this, [this] { DrawGrid(); });
    BindHeight(ui->SpEdFloatAlt, true);
    BindCheck(ui->CkBoxBold, &TKxSymbol::Bold);
    BindFields(ui->CkBoxDatabase, ui->cbFields, nullptr, KxBinding::TFieldChoice::Boolean, false);
    AddLoader([this] {
        const int offset = GetElement()->Symbol - FirstCode;
        FCell = offset < 0 ? QPoint(-1, -1) : QPoint(offset % GridColumns, offset / GridColumns);
        DrawGrid();
    });
}

TPropSym::~TPropSym() = default;

QPoint TPropSym::CellAt(const QPoint& Pixel) {
    const bool inside = Pixel.x() >= 0 && Pixel.y() >= 0 && Pixel.x() < GridColumns * CellSize &&
                        Pixel.y() < GridRows * CellSize;
    // Whole cells: QPoint's own division would round.
    return inside ? QPoint(Pixel.x() / CellSize, Pixel.y() / CellSize) : QPoint(-1, -1);
}

void TPropSym::DrawGrid() {
    TCanvas& canvas = FGrid->Canvas();
    canvas.Brush = {GridBackground, bsSolid};
    canvas.FillRect({0, 0, FGrid->Width(), FGrid->Height()});
    if (FCell.x() >= 0) {
        canvas.Brush.Color = clRed;
        const int x = FCell.x() * CellSize;
        const int y = FCell.y() * CellSize;
        canvas.FillRect({x, y, x + MarkSize, y + MarkSize});
    }
    canvas.Font.SetName(GetElement() ? GetElement()->FontName : QString());
    canvas.Font.SetHeight(CharHeight);
    canvas.Font.SetStyle({});
    canvas.Font.SetColor(clBlack);
    canvas.Brush.Style = bsClear;
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    // Codes from 128 on are read as drawing reads them: the code page, or the face's symbol map.
    const TLogFont font = canvas.Font.GetLogFont();
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            const auto code = static_cast<uint8_t>(FirstCode + row * GridColumns + column);
            canvas.TextOut(column * CellSize, row * CellSize, QString(TKxSymbol::CharFor(code, font)));
        }
    ui->PaintBox1->update();
}

void TPropSym::GridMouseDown(Qt::MouseButton Button, const QPoint& Pixel) {
    const QPoint cell = CellAt(Pixel);
    if (Button != Qt::LeftButton || cell.x() < 0) return;
    Handle([&] {
        FCell = cell;
        GetElement()->Symbol = static_cast<uint8_t>(FirstCode + cell.y() * GridColumns + cell.x());
        DrawGrid();
    });
}

// Compiled here, where the form class is complete.
#include "moc_PrSym.cpp"

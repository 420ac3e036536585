#include "dialogs/KxSheetPicture.h"

#include <algorithm>

#include "base/Rounding.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/LabelCell.h"

namespace {

int Clamp(int64_t V, int64_t Low, int64_t High) {
    return static_cast<int>(std::clamp(V, Low, High));
}

// Pixels stay within what a QRect holds however long a length a file stored.
int Map(int64_t Length, int Pixels, int64_t Sheet) {
    if (Sheet <= 0) return 0;
    const int64_t limit = int64_t{1} << 24;
    return Clamp(Round(static_cast<Extended>(Length) * Pixels / Sheet), -limit, limit);
}

} // namespace

TKxSheetPicture::TKxSheetPicture(const TKxMeasure& Measure, int Orientation)
    : FMeasure(Measure) {
    const int64_t w = Measure.PaperWidthLU();
    const int64_t h = Measure.PaperHeightLU();
    FSheetW = Orientation == 1 ? h : w;
    FSheetH = Orientation == 1 ? w : h;
    if (!Valid()) return;
    const double ratio = static_cast<double>(FSheetW) / static_cast<double>(FSheetH);
    FSize = ratio < 0.7 ? QSize(Clamp(Round(TallHeight * ratio), 0, WideWidth), TallHeight)
                        : QSize(WideWidth, Clamp(Round(WideWidth / ratio), 0, TallHeight));
}

int TKxSheetPicture::MapW2Sx(int64_t Length) const {
    return Map(Length, FSize.width(), FSheetW);
}

int TKxSheetPicture::MapW2Sy(int64_t Length) const {
    return Map(Length, FSize.height(), FSheetH);
}

QRect TKxSheetPicture::Span(int Left, int Top, int Right, int Bottom) {
    return QRect(Left, Top, Right - Left, Bottom - Top);
}

QRect TKxSheetPicture::CellRect(int32_t Col, int32_t Row) const {
    const TRect cell = LabelCellRect(FMeasure, Col, Row);
    return Span(MapW2Sx(cell.Left), MapW2Sy(cell.Top), MapW2Sx(cell.Right), MapW2Sy(cell.Bottom));
}

QSize TKxSheetPicture::VisibleCells() const {
    if (!Valid()) return {0, 0};
    const auto count = [](int64_t Margin, int64_t Pitch, int64_t Sheet, int32_t Cells) {
        if (Margin >= Sheet) return 0;
        if (Pitch <= 0) return static_cast<int>(std::max(Cells, 0));
        return static_cast<int>(std::clamp<int64_t>((Sheet - Margin + Pitch - 1) / Pitch, 0, Cells));
    };
    return {count(FMeasure.MarLeftLU(), int64_t{FMeasure.WidthLU()} + FMeasure.DiHorLU(), FSheetW,
                  FMeasure.GetNuVer()),
            count(FMeasure.MarTopLU(), int64_t{FMeasure.HeightLU()} + FMeasure.DiVerLU(), FSheetH,
                  FMeasure.GetNuHor())};
}

QRect TKxSheetPicture::PrintableRect(const TKxPrinterMetrics& Printer) const {
    return Span(MapW2Sx(Printer.MaLeft), MapW2Sy(Printer.MaTop),
                MapW2Sx(int64_t{FMeasure.PaperWidthLU()} - Printer.MaRight),
                MapW2Sy(int64_t{FMeasure.PaperHeightLU()} - Printer.MaBottom));
}

QPoint TKxSheetPicture::FirstCellAt(const QPoint& Pixel, const QPoint& Current) const {
    if (!Valid() || FMeasure.WidthLU() == 0 || FMeasure.HeightLU() == 0) return Current;
    const int pitchX = MapW2Sx(int64_t{FMeasure.WidthLU()} + FMeasure.DiHorLU());
    const int pitchY = MapW2Sy(int64_t{FMeasure.HeightLU()} + FMeasure.DiVerLU());
    if (pitchX == 0 || pitchY == 0) return Current;
    // Integer division truncates towards zero, as the first label's rule counts.
    const auto pick = [](int Offset, int Pitch, int Cells) {
        return std::clamp(Offset / Pitch + 1, 1, std::max(Cells, 1));
    };
    return {pick(Pixel.x() - MapW2Sx(FMeasure.MarLeftLU()), pitchX, FMeasure.GetNuVer()),
            pick(Pixel.y() - MapW2Sy(FMeasure.MarTopLU()), pitchY, FMeasure.GetNuHor())};
}

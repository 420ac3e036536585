#include "print/CalibrationSheet.h"

#include <cmath>

#include "gdi/Canvas.h"
#include "print/Printer.h"

namespace {

// One axis of KxCalibrationFromMeasures. Printed with offset Off0 and scale S0 about the printable
// corner M, the mark at P lands at a + b (M + Off0 + S0 (P - M)); the measures give the slope k = b S0 and
// the intercept m = a + b (M + Off0 - S0 M). The new offset and scale solve a + b (M + Off + S (P - M)) = P.
void Solve(double P1, double P2, double Measured1, double Measured2, double Off0, double Scale0, double M,
           double& Off, double& Scale) {
    const double s0 = Scale0 / 100;
    const double k = P2 != P1 ? (Measured2 - Measured1) / (P2 - P1) : 0;
    if (!std::isfinite(k) || k <= 0) {
        Off = std::nan("");
        Scale = std::nan("");
        return;
    }
    const double b = k / s0;
    const double a = Measured1 - k * P1 - b * (M + Off0 - s0 * M);
    Scale = 100 / b;
    Off = (M - a - b * M) / b;
}

constexpr int32_t Mm = 10; // logical units per millimetre

// A crosshair at (X, Y); its caption below right of it, or above left (Before) where the paper ends.
void Cross(TCanvas& C, int32_t X, int32_t Y, const QString& Caption, bool Before) {
    C.MoveTo(X - 8 * Mm, Y);
    C.LineTo(X + 8 * Mm + 1, Y);
    C.MoveTo(X, Y - 8 * Mm);
    C.LineTo(X, Y + 8 * Mm + 1);
    C.Ellipse(X - 3 * Mm, Y - 3 * Mm, X + 3 * Mm, Y + 3 * Mm);
    if (Before)
        C.TextOut(X - 4 * Mm - C.TextWidth(Caption), Y - 4 * Mm - C.TextHeight(Caption), Caption);
    else
        C.TextOut(X + 4 * Mm, Y + 4 * Mm, Caption);
}

// A ruler along one edge from Start to End logical units, ticks every millimetre, longer every 5 and 10,
// numbered every 10 with the distance from the paper's edge (Offset millimetres before Start).
void Ruler(TCanvas& C, bool Across, int32_t Start, int32_t End, double Offset) {
    for (int32_t at = Start, mm = 0; at <= End; at += Mm, ++mm) {
        const double fromEdge = Offset + mm;
        const bool ten = std::lround(fromEdge) % 10 == 0;
        const int32_t tick = ten ? 5 * Mm : std::lround(fromEdge) % 5 == 0 ? 3 * Mm : 2 * Mm;
        if (Across) {
            C.MoveTo(at, 0);
            C.LineTo(at, tick);
            if (ten && mm > 0) C.TextOut(at + Mm / 2, tick, QString::number(std::lround(fromEdge)));
        } else {
            C.MoveTo(0, at);
            C.LineTo(tick, at);
            if (ten && mm > 0) C.TextOut(tick + Mm / 2, at, QString::number(std::lround(fromEdge)));
        }
    }
}

} // namespace

TKxCalibrationMarks TKxCalibrationMarks::ForPaper(double WidthMM, double HeightMM) {
    const double inX = std::min(20.0, WidthMM / 3);
    const double inY = std::min(20.0, HeightMM / 3);
    return {{inX, inY}, {WidthMM - inX, HeightMM - inY}};
}

void KxPrintCalibrationSheet(TPrinter& Printer, const TKxCalibration& Printed) {
    Printer.BeginDoc();
    TCanvas& c = Printer.Canvas();
    const double dpmm = Printer.Dpi() / 25.4;
    const double marginX = Printer.PhysicalOffsetX() / dpmm;
    const double marginY = Printer.PhysicalOffsetY() / dpmm;
    const int32_t width = static_cast<int32_t>(std::lround(Printer.PrintableWidthMM() * Mm));
    const int32_t height = static_cast<int32_t>(std::lround(Printer.PrintableHeightMM() * Mm));
    Printed.Map(c, width, height, Printer.PageWidth(), Printer.PageHeight());
    c.Pen.Width = 2; // 0.2 mm: thin enough to measure against, thick enough for any printer
    c.Brush.Style = bsClear;
    c.Font.SetName(QStringLiteral("Arial"));
    c.Font.SetHeight(-3 * Mm);
    Ruler(c, true, 0, width - 1, marginX);
    Ruler(c, false, 0, height - 1, marginY);
    const TKxCalibrationMarks marks =
        TKxCalibrationMarks::ForPaper(Printer.PaperWidthMM(), Printer.PaperHeightMM());
    const auto logical = [](double MM, double Margin) {
        return static_cast<int32_t>(std::lround((MM - Margin) * Mm));
    };
    const auto caption = [](const char* Name, QPointF P) {
        return QStringLiteral("%1: %2, %3 mm")
            .arg(QLatin1String(Name))
            .arg(P.x(), 0, 'f', 1)
            .arg(P.y(), 0, 'f', 1);
    };
    Cross(c, logical(marks.A.x(), marginX), logical(marks.A.y(), marginY), caption("A", marks.A), false);
    Cross(c, logical(marks.B.x(), marginX), logical(marks.B.y(), marginY), caption("B", marks.B), true);
    Printer.EndDoc();
}

TKxCalibration KxCalibrationFromMeasures(const TKxCalibrationMarks& Marks, QPointF MeasuredA,
                                         QPointF MeasuredB, const TKxCalibration& Printed, QPointF Margin) {
    TKxCalibration c;
    Solve(Marks.A.x(), Marks.B.x(), MeasuredA.x(), MeasuredB.x(), Printed.OffsetX, Printed.ScaleX, Margin.x(),
          c.OffsetX, c.ScaleX);
    Solve(Marks.A.y(), Marks.B.y(), MeasuredA.y(), MeasuredB.y(), Printed.OffsetY, Printed.ScaleY, Margin.y(),
          c.OffsetY, c.ScaleY);
    return c;
}

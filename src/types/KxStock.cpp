#include "types/KxStock.h"

#include <cmath>

namespace {

// The smallest label a sheet may hold: narrower or lower ones are clamped by the label's setters.
constexpr double MinWidth = 10.0;
constexpr double MinHeight = 5.0;
// Catalogues write pitches rounded to their unit, so neighbours may overlap by a hair; trimming up to
// this much off the label keeps every cell where the stock has it.
constexpr double OverlapTrim = 0.5;
constexpr double MaxLength = 10000.0;
constexpr int32_t MaxCount = 1000;

bool Overlaps(int32_t Count, double Pitch, double Size) {
    return Count > 1 && Pitch < Size - OverlapTrim;
}

} // namespace

TKxStockIssue TKxStock::Issue() const {
    if (Layouts == 0) return TKxStockIssue::Original;
    if (Shape != TKxStockShape::Rectangle && Shape != TKxStockShape::Round) return TKxStockIssue::Shape;
    if (Layouts != 1) return TKxStockIssue::SeveralLayouts;
    if (PaperWidth <= 0 || PaperHeight <= 0) return TKxStockIssue::Paper;
    if (Width < MinWidth || Height < MinHeight) return TKxStockIssue::TooSmall;
    if (Overlaps(Columns, PitchX, Width) || Overlaps(Rows, PitchY, Height)) return TKxStockIssue::Overlap;
    return TKxStockIssue::None;
}

QPointF StockCellOrigin(const TKxStock& Stock, int32_t Col, int32_t Row) {
    return {Stock.Left + (Col - 1) * Stock.PitchX, Stock.Top + (Row - 1) * Stock.PitchY};
}

std::optional<double> KxParseStockLength(QStringView Text) {
    Text = Text.trimmed();
    qsizetype split = Text.size();
    while (split > 0 && Text[split - 1].isLetter())
        --split;
    const QStringView unit = Text.mid(split);
    double factor = 0;
    if (unit.isEmpty() || unit == u"pt")
        factor = 25.4 / 72.0;
    else if (unit == u"in")
        factor = 25.4;
    else if (unit == u"mm")
        factor = 1.0;
    else if (unit == u"cm")
        factor = 10.0;
    else if (unit == u"pc")
        factor = 25.4 / 6.0;
    else
        return std::nullopt;
    bool ok = false;
    const double value = Text.left(split).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value * factor;
}

QString KxStockNumbersError(const TKxStock& Stock) {
    const auto bad = [](double V, bool Positive) {
        return !std::isfinite(V) || V < 0 || (Positive && V <= 0) || V > MaxLength;
    };
    struct TLength {
        const char* Name;
        double Value;
        bool Positive;
    };
    const TLength lengths[] = {{"width", Stock.Width, true},
                               {"height", Stock.Height, true},
                               {"corner radius", Stock.CornerRadius.value_or(0), false},
                               {"hole", Stock.HoleRadius, false},
                               {"x0", Stock.Left, false},
                               {"y0", Stock.Top, false},
                               {"dx", Stock.PitchX, false},
                               {"dy", Stock.PitchY, false},
                               {"paper width", Stock.PaperWidth, false},
                               {"paper height", Stock.PaperHeight, false}};
    for (const TLength& l : lengths)
        if (bad(l.Value, l.Positive))
            return QStringLiteral("%1 %2: %3 mm is not a length a sheet can have")
                .arg(Stock.Name(), QLatin1String(l.Name))
                .arg(l.Value);
    for (const int32_t count : {Stock.Columns, Stock.Rows})
        if (count < 1 || count > MaxCount)
            return QStringLiteral("%1: %2 labels in a row or column (1 to %3)")
                .arg(Stock.Name())
                .arg(count)
                .arg(MaxCount);
    if (Stock.Shape == TKxStockShape::Round && 2 * Stock.HoleRadius >= Stock.Width)
        return QStringLiteral("%1: its hole is as wide as the label").arg(Stock.Name());
    if (Stock.Left + (Stock.Columns - 1) * Stock.PitchX > MaxLength ||
        Stock.Top + (Stock.Rows - 1) * Stock.PitchY > MaxLength)
        return QStringLiteral("%1: its labels reach beyond ten metres").arg(Stock.Name());
    return {};
}

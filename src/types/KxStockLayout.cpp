#include "types/KxStockLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Units(double Mm) {
    return static_cast<int32_t>(std::lround(Mm * 10.0));
}

struct TAxis {
    int32_t Margin = 0;
    int32_t Size = 0;
    int32_t Gap = 0;
    /// How far the worst cell lies from the stock's, in millimetres.
    double Off = 0;
};

// One direction of the layout: the first cell at Origin, Count cells Pitch apart, each Size long. Of the
// pitches just below and above the stock's, and the margins around the one that starts half the row's
// drift early, the pair whose worst cell (the first or the last) is nearest the stock's wins; the
// margin cannot go below the paper's edge.
TAxis Axis(double Origin, double Pitch, double Size, int32_t Count) {
    TAxis a;
    a.Size = Units(Size);
    if (Count < 2) {
        a.Margin = std::max(Units(Origin), 0);
        a.Off = std::abs(a.Margin / 10.0 - Origin);
        return a;
    }
    const auto worst = [&](int32_t Margin, int32_t Step) {
        const double last = (Margin + (Count - 1.0) * Step) / 10.0 - (Origin + (Count - 1.0) * Pitch);
        return std::max(std::abs(Margin / 10.0 - Origin), std::abs(last));
    };
    double best = -1;
    int32_t pitch = 0;
    for (const double step : {std::floor(Pitch * 10.0), std::ceil(Pitch * 10.0)}) {
        const double drift = step / 10.0 - Pitch;
        const double start = (Origin - (Count - 1) * drift / 2) * 10.0;
        for (const double margin : {std::floor(start), std::ceil(start)}) {
            const int32_t m = std::max(static_cast<int32_t>(margin), 0);
            const double off = worst(m, static_cast<int32_t>(step));
            if (best < 0 || off < best - 1e-12) {
                best = off;
                a.Margin = m;
                pitch = static_cast<int32_t>(step);
            }
        }
    }
    a.Size = std::min(a.Size, pitch);
    a.Gap = pitch - a.Size;
    a.Off = best;
    return a;
}

// Paper names of the catalogues and the paper rows they are; the size decides in the end.
struct TPaperName {
    const char16_t* Name;
    int Index;
};
constexpr TPaperName PaperNames[] = {{u"A4", 0},  {u"US-Letter", 3}, {u"US-Legal", 4}, {u"US-Executive", 2},
                                     {u"A5", 5},  {u"A3", 6},        {u"B4", 22},      {u"dl", 12},
                                     {u"c5", 13}, {u"c6", 16}};

} // namespace

int KxStockPaperIndex(const TKxStock& Stock) {
    for (const TPaperName& p : PaperNames) {
        if (Stock.PaperName.compare(QStringView(p.Name), Qt::CaseInsensitive) != 0) continue;
        const TPaperType& paper = Papers()[p.Index];
        if (std::abs(paper.MMWidth - Stock.PaperWidth) <= 0.5 &&
            std::abs(paper.MMHeight - Stock.PaperHeight) <= 0.5)
            return p.Index;
    }
    return UserPaperIndex;
}

TKxStockLayout KxStockLayout(const TKxStock& Stock) {
    TKxStockLayout l;
    const TAxis x = Axis(Stock.Left, Stock.PitchX, Stock.Width, Stock.Columns);
    const TAxis y = Axis(Stock.Top, Stock.PitchY, Stock.Height, Stock.Rows);
    l.MarLeft = x.Margin;
    l.MarTop = y.Margin;
    l.Width = x.Size;
    l.Height = y.Size;
    l.DiHor = x.Gap;
    l.DiVer = y.Gap;
    l.Off = std::max(x.Off, y.Off);
    l.NuVer = Stock.Columns;
    l.NuHor = Stock.Rows;
    if (Stock.Shape == TKxStockShape::Round) {
        // A circle stays a circle: both sides take the smaller, the gaps what is left of the pitch.
        l.LabelType = ltCircle;
        const int32_t side = std::min(l.Width, l.Height);
        l.DiHor += l.Width - side;
        l.DiVer += l.Height - side;
        l.Width = l.Height = side;
        l.InnerCircle = Units(Stock.HoleRadius);
    } else {
        if (Stock.CornerRadius) l.Radio = Units(2 * *Stock.CornerRadius);
    }
    l.PaperIndex = KxStockPaperIndex(Stock);
    const TPaperType& paper = Papers()[l.PaperIndex];
    l.PaperSize = paper.PaperSize;
    l.PaperWidth = l.PaperIndex == UserPaperIndex ? Units(Stock.PaperWidth) : Units(paper.MMWidth);
    l.PaperHeight = l.PaperIndex == UserPaperIndex ? Units(Stock.PaperHeight) : Units(paper.MMHeight);
    return l;
}

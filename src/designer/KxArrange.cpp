#include "designer/KxArrange.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <QCoreApplication>

namespace {

// Half of D rounded down, so a box one unit wider than its reference sits the same way at either sign.
int64_t HalfDown(int64_t D) {
    return D >= 0 ? D / 2 : -((-D + 1) / 2);
}

TRect Shifted(const TRect& R, int64_t DX, int64_t DY) {
    return {Saturate32(R.Left + DX), Saturate32(R.Top + DY), Saturate32(R.Right + DX),
            Saturate32(R.Bottom + DY)};
}

// The boxes spread along one axis: Low and High read and Move shifts a box along it.
template <typename TLow, typename THigh, typename TMove>
std::vector<TRect> Distributed(const std::vector<TRect>& Boxes, TLow Low, THigh High, TMove Move) {
    std::vector<TRect> out = Boxes;
    const size_t n = Boxes.size();
    if (n < 3) return out;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t A, size_t B) { return Low(Boxes[A]) < Low(Boxes[B]); });
    int64_t first = INT64_MAX, last = INT64_MIN, sizes = 0;
    for (const TRect& r : Boxes) {
        first = std::min<int64_t>(first, Low(r));
        last = std::max<int64_t>(last, High(r));
        sizes += int64_t{High(r)} - Low(r);
    }
    const int64_t gaps = static_cast<int64_t>(n) - 1;
    const int64_t free = last - first - sizes;
    int64_t at = first;
    for (size_t k = 0; k < n; ++k) {
        const TRect& r = Boxes[order[k]];
        // Gap k of the n - 1 takes its share of the whole, so the last box ends on the last edge.
        const int64_t before = free * static_cast<int64_t>(k) / gaps;
        out[order[k]] = Move(r, at + before - Low(r));
        at += int64_t{High(r)} - Low(r);
    }
    return out;
}

} // namespace

QString KxArrangeStepName(TKxArrange Kind) {
    static constexpr std::array Names{QT_TRANSLATE_NOOP("KxSteps", "Align Left"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Align Centre"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Align Right"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Align Top"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Align Middle"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Align Bottom"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Distribute Horizontally"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Distribute Vertically"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Same Width"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Same Height"),
                                      QT_TRANSLATE_NOOP("KxSteps", "Centre on Label")};
    return QCoreApplication::translate("KxSteps", Names.at(static_cast<size_t>(Kind)));
}

int KxArrangeMinimum(TKxArrange Kind) {
    switch (Kind) {
    case TKxArrange::DistributeHorizontally:
    case TKxArrange::DistributeVertically: return 3;
    default: return 1;
    }
}

TRect KxBoxAround(const std::vector<TRect>& Boxes) {
    if (Boxes.empty()) return {};
    TRect r = Boxes.front();
    for (const TRect& b : Boxes)
        r = {std::min(r.Left, b.Left), std::min(r.Top, b.Top), std::max(r.Right, b.Right),
             std::max(r.Bottom, b.Bottom)};
    return r;
}

std::vector<TRect> KxArrangeBoxes(TKxArrange Kind, const std::vector<TRect>& Boxes, const TRect& Reference,
                                  const TRect& Label) {
    const auto x = [](const TRect& R) { return R.Left; };
    const auto right = [](const TRect& R) { return R.Right; };
    const auto y = [](const TRect& R) { return R.Top; };
    const auto bottom = [](const TRect& R) { return R.Bottom; };
    const auto alongX = [](const TRect& R, int64_t D) { return Shifted(R, D, 0); };
    const auto alongY = [](const TRect& R, int64_t D) { return Shifted(R, 0, D); };
    if (Kind == TKxArrange::DistributeHorizontally) return Distributed(Boxes, x, right, alongX);
    if (Kind == TKxArrange::DistributeVertically) return Distributed(Boxes, y, bottom, alongY);

    const TRect around = KxBoxAround(Boxes);
    const int64_t labelDX =
        Label.Left + HalfDown(int64_t{Label.Width()} - around.Width()) - int64_t{around.Left};
    const int64_t labelDY =
        Label.Top + HalfDown(int64_t{Label.Height()} - around.Height()) - int64_t{around.Top};
    std::vector<TRect> out;
    out.reserve(Boxes.size());
    for (const TRect& r : Boxes) {
        const int64_t centreX = Reference.Left + HalfDown(int64_t{Reference.Width()} - r.Width());
        const int64_t centreY = Reference.Top + HalfDown(int64_t{Reference.Height()} - r.Height());
        switch (Kind) {
        case TKxArrange::AlignLeft: out.push_back(Shifted(r, int64_t{Reference.Left} - r.Left, 0)); break;
        case TKxArrange::AlignCentre: out.push_back(Shifted(r, centreX - r.Left, 0)); break;
        case TKxArrange::AlignRight: out.push_back(Shifted(r, int64_t{Reference.Right} - r.Right, 0)); break;
        case TKxArrange::AlignTop: out.push_back(Shifted(r, 0, int64_t{Reference.Top} - r.Top)); break;
        case TKxArrange::AlignMiddle: out.push_back(Shifted(r, 0, centreY - r.Top)); break;
        case TKxArrange::AlignBottom:
            out.push_back(Shifted(r, 0, int64_t{Reference.Bottom} - r.Bottom));
            break;
        case TKxArrange::SameWidth:
            out.push_back({r.Left, r.Top, Saturate32(int64_t{r.Left} + Reference.Width()), r.Bottom});
            break;
        case TKxArrange::SameHeight:
            out.push_back({r.Left, r.Top, r.Right, Saturate32(int64_t{r.Top} + Reference.Height())});
            break;
        case TKxArrange::CentreOnLabel: out.push_back(Shifted(r, labelDX, labelDY)); break;
        default: out.push_back(r); break;
        }
    }
    return out;
}

TPoint KxMoveWithin(const TPoint& Delta, const TRect& Extent, const TRect& Label) {
    const auto axis = [](int64_t D, int64_t Low, int64_t High, int64_t Min, int64_t Max) {
        return Saturate32(std::clamp(D, std::min<int64_t>(0, Min - Low), std::max<int64_t>(0, Max - High)));
    };
    return {axis(Delta.X, Extent.Left, Extent.Right, Label.Left, Label.Right),
            axis(Delta.Y, Extent.Top, Extent.Bottom, Label.Top, Label.Bottom)};
}

#include <array>
#include <QRegion>

#include "designer/KxLab.h"
#include "designer/KxRulerScale.h"
#include "gdi/Bitmap.h"
#include "gdi/Canvas.h"
#include "label/KxBackSurf.h"
#include "label/KxMeasure.h"
#include "label/KxRulers.h"

namespace {

constexpr int32_t RulerDepth = 20;
// Ticks run from this depth of the strip towards its outer edge.
constexpr int32_t TickBase = 17;
constexpr int32_t LongTickEnd = 9;
constexpr int32_t ShortTickEnd = 13;
// Room for a number centred on a tick just outside the strip.
constexpr int32_t NumberSlack = 40;

} // namespace

void TKxLab::DrawRulers(TKxDrawRuler Which) {
    if (!GetRulers()->GetVisible()) return;
    if (Which == duBoth || Which == duTop) DrawRulerStrip(true);
    if (Which == duBoth || Which == duLeft) DrawRulerStrip(false);
    DrawRulerCorner();
    PasteRulers();
}

void TKxLab::DrawRulerStrip(bool Top) {
    const TKxRulers& rulers = *GetRulers();
    TCanvas& canvas = (Top ? FTopRuler : FLeftRuler)->Canvas();
    // The numbers of the left strip read upwards.
    TLogFont font = rulers.GetFont().GetLogFont();
    font.lfEscapement = Top ? 0 : 900;
    canvas.Font.SetLogFont(font);
    canvas.Font.SetColor(rulers.GetFont().Color());
    canvas.Brush = TBrush{.Color = rulers.GetColor(), .Style = bsSolid};
    canvas.Pen = TPen{.Color = rulers.GetColor(), .Width = 0, .Style = psSolid, .Mode = pmCopy};
    canvas.FillRect(Top ? TRect{0, 0, width(), RulerDepth} : TRect{0, 0, RulerDepth, height()});

    canvas.Pen.Color = rulers.GetTickColor();
    const int32_t length = Top ? GetMeasure()->WidthLU() : GetMeasure()->HeightLU();
    const int32_t extent = Top ? width() : height();
    const auto toPixel = [&](int32_t pos) { return (Top ? WindowX(pos) : WindowY(pos)) - RulerDepth; };
    const auto toLabel = [&](int32_t px) { return Top ? CoordX(px) : CoordY(px); };
    const auto line = [&](int32_t along, int32_t from, int32_t to) {
        if (Top) {
            canvas.MoveTo(along, from);
            canvas.LineTo(along, to);
        } else {
            canvas.MoveTo(from, along);
            canvas.LineTo(to, along);
        }
    };
    for (const TKxRulerTick& tick : KxRulerTicks(GetUnits(), length, toLabel(RulerDepth - NumberSlack),
                                                 toLabel(RulerDepth + extent + NumberSlack))) {
        const int32_t at = toPixel(tick.Pos);
        if (!tick.Number.isEmpty()) {
            const int32_t half = canvas.TextWidth(tick.Number) / 2;
            if (Top)
                canvas.TextOut(at - half, 0, tick.Number);
            else
                canvas.TextOut(0, at + half + 1, tick.Number);
        }
        line(at, TickBase, tick.Long ? LongTickEnd : ShortTickEnd);
    }

    if (rulers.GetBorder()) {
        // Along the inner edge: a line in the surround colour, then one in the strip colour.
        const auto across = [&](int32_t depth, int32_t to) {
            canvas.MoveTo(Top ? 0 : depth, Top ? depth : 0);
            canvas.LineTo(Top ? to : depth, Top ? depth : to);
        };
        canvas.Pen.Color = FColor;
        across(18, Top ? FLabScreen->Width() : FLabScreen->Height());
        canvas.Pen.Color = rulers.GetColor();
        across(19, Top ? extent : FLabScreen->Height());
    }
    // The guide's marker: a small triangle pointing at the guide from the strip's outer half.
    canvas.Pen.Color = rulers.GetTickColor();
    canvas.Brush = TBrush{.Color = GetBackSurf()->GetAlignColor(), .Style = bsSolid};
    // A guide from a file may sit at the 32-bit limits: its marker stops there.
    const int64_t at = int64_t{Top ? GetXLeft() : GetYTop()} - RulerDepth;
    const int32_t g = Saturate32(at);
    const int32_t before = Saturate32(at - 4);
    const int32_t after = Saturate32(at + 4);
    const std::array<TPoint, 3> marker = Top ? std::array<TPoint, 3>{{{before, 12}, {g, 17}, {after, 12}}}
                                             : std::array<TPoint, 3>{{{12, before}, {17, g}, {12, after}}};
    canvas.Polygon(marker);
}

void TKxLab::DrawRulerCorner() {
    const TKxRulers& rulers = *GetRulers();
    TCanvas& canvas = FRulerCorner->Canvas();
    canvas.Brush = TBrush{.Color = rulers.GetColor(), .Style = bsSolid};
    canvas.FillRect({0, 0, RulerDepth, RulerDepth});
    TFont font;
    font.SetName(rulers.GetFont().Name());
    font.SetHeight(rulers.GetFont().Height());
    font.SetColor(rulers.GetFont().Color());
    canvas.Font = font;
    canvas.TextOut(2, 4, GetUnits() == unMM ? QStringLiteral("mm") : QStringLiteral("inch"));
    if (!rulers.GetBorder()) return;
    canvas.Pen = TPen{.Color = FColor, .Width = 0, .Style = psSolid, .Mode = pmCopy};
    canvas.MoveTo(18, 18);
    canvas.LineTo(20, 18);
    canvas.MoveTo(18, 18);
    canvas.LineTo(18, 20);
    canvas.SetPixels(19, 19, rulers.GetColor());
}

void TKxLab::PasteRulers() {
    TCanvas& canvas = FLabScreen->Canvas();
    canvas.Draw(0, RulerDepth, *FLeftRuler);
    canvas.Draw(RulerDepth, 0, *FTopRuler);
    canvas.Draw(0, 0, *FRulerCorner);
}

void TKxLab::PasteRulers1() {
    // The surface holds the same strips (every recomposition pastes them), so repainting the strip
    // areas from it is the copy; what it removes are the mouse-position marks.
    FOverlay.ClearRulerMarks();
    QRegion strips(0, RulerDepth, RulerDepth, height());
    strips += QRect(RulerDepth, 0, width(), RulerDepth);
    strips += QRect(0, 0, RulerDepth, RulerDepth);
    update(strips);
}

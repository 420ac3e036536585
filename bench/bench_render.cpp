#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>

#include "BenchLab.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "platform/Canvas.h"

namespace {

// Stand-ins for the element kinds: each draws what its kind mostly draws, through the owner's
// canvas in label units, as a real element does.
class TBenchElement : public TKxElement {
public:
    TBenchElement(TKxOwner* owner, int kind, TRect box)
        : TKxElement(owner)
        , FKind(kind) {
        P1 = box.TopLeft();
        P2 = box.BottomRight();
    }
    void Draw(const TPoint& O, TKxDrawType DrawType, bool) override {
        TCanvas* c = Owner->GetCanvas(DrawType);
        if (!c) return;
        const TRect r{O.X + P1.X, O.Y + P1.Y, O.X + P2.X, O.Y + P2.Y};
        switch (FKind) {
        case 0: // single-line text
            c->Font.SetName("Arial");
            c->Font.SetHeight(40);
            c->Brush.Style = bsClear;
            c->TextOut(r.Left, r.Top, "Label 8410894000109");
            break;
        case 1: // rectangle with a border
            c->Pen = {clBlack, 3, psInsideFrame, pmCopy};
            c->Brush = {clYellow, bsSolid};
            c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 20, 20);
            break;
        case 2: // barcode-like bars
            c->Brush = {clBlack, bsSolid};
            for (int x = r.Left; x + 3 < r.Right; x += 7)
                c->FillRect({x, r.Top, x + 3, r.Bottom});
            break;
        case 3: // line
            c->Pen = {clBlue, 5, psSolid, pmCopy};
            c->MoveTo(r.Left, r.Top);
            c->LineTo(r.Right, r.Bottom);
            break;
        default: { // paragraph
            c->Font.SetName("Arial");
            c->Font.SetHeight(30);
            TRect t = r;
            c->DrawText("two short words of a paragraph", t, DT_WORDBREAK | DT_NOPREFIX);
            break;
        }
        }
    }
    void Properties() override {}
    TKxEle ElementType() const override { return deRect; }

private:
    int FKind;
};

// A 1000 x 700 designer with a 90 x 60 mm label: frame, grid, and 100 elements of five kinds.
std::unique_ptr<TKxLab> MakeLab(TKxZoom zoom) {
    auto lab = MakeBenchLab();
    for (int i = 0; i < 100; ++i) {
        const int x = (i % 10) * 88;
        const int y = (i / 10) * 58;
        lab->AddElement(std::make_unique<TBenchElement>(lab.get(), i % 5, TRect{x, y, x + 80, y + 50}));
    }
    lab->SetZoom(zoom);
    return lab;
}

void BM_DrawAll(benchmark::State& state) {
    const auto zoom = static_cast<TKxZoom>(state.range(0));
    const auto style = static_cast<TKxBackStyle>(state.range(1));
    auto lab = MakeLab(zoom);
    lab->GetBackSurf()->SetColor(clWhite);
    lab->GetBackSurf()->SetToColor(clAqua);
    lab->GetBackSurf()->SetStyle(style);
    for (auto _ : state)
        lab->DrawAll(duBoth);
    state.SetLabel(QString("%1 %2").arg(KxEnumName(zoom), KxEnumName(style)).toStdString());
}

} // namespace

BENCHMARK(BM_DrawAll)
    ->ArgsProduct({{zm100, zm400}, {biNone, biGradHor}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

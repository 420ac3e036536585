#pragma once

#include <array>
#include <optional>
#include <QString>
#include <vector>

#include "elements/KxOwner.h"
#include "platform/Metafile.h"
#include "platform/MetafileCanvas.h"

/// One recorded operation, read back from a page in the terms tests assert on (logical units).
struct TPageOp {
    TMetaOp Kind = TMetaOp::Line;
    TDrawState State;
    /// The figure's rectangle, or a text's clip rectangle.
    TRect Rect;
    TPoint At;
    QString Text;
    /// Text: the laid-out width; whether the output was clipped.
    double Width = 0;
    bool Clipped = false;
};

/// The operations of a page, optionally of one kind only.
inline std::vector<TPageOp> RecordedOps(const TMetafile& page, std::optional<TMetaOp> only = {}) {
    std::vector<TPageOp> out;
    for (const TMetaRecord& r : page.Records()) {
        if (only && r.Op != *only) continue;
        TPageOp op{r.Op, page.States().at(r.State), r.Box, r.Box.TopLeft(), {}, 0, false};
        if (r.Op == TMetaOp::Text) {
            op.Text = page.Texts().at(r.A);
            op.Width = page.TextLayout(r).Width;
            op.Clipped = r.B >= 0;
            op.Rect = op.Clipped ? page.Clips().at(r.B) : TRect{};
        }
        out.push_back(op);
    }
    return out;
}

/// An owner whose three drawing targets record into pages. The mapping to client pixels halves
/// label units and shifts by (10, 20), so Bounds tests see a real conversion. A test may point a
/// target at another canvas (a bitmap) or at none, and bind a table.
class TRecordingOwner : public TKxOwner {
public:
    TRecordingOwner() {
        for (size_t i = 0; i < Canvases.size(); ++i)
            Canvases[i] = &FCanvas[i];
    }

    const TMetafile& Page(TKxDrawType target) const { return FPage.at(target); }
    std::vector<TPageOp> Ops(TKxDrawType target) const { return RecordedOps(Page(target)); }
    std::vector<TPageOp> Texts(TKxDrawType target) const { return RecordedOps(Page(target), TMetaOp::Text); }
    void ClearPage(TKxDrawType target) { FPage.at(target).Clear(); }

    std::array<TCanvas*, 3> Canvases{};
    TTable* Table = nullptr;
    QString Launched;

    TKxUnits GetUnits() const override { return unMM; }
    int32_t WindowX(int32_t x) const override { return x / 2 + 10; }
    int32_t WindowY(int32_t y) const override { return y / 2 + 20; }
    int32_t GetScale() const override { return 2; }
    TCanvas* GetCanvas(TKxDrawType DrawType) override { return Canvases.at(DrawType); }
    TTable* GetTable() override { return Table; }
    int32_t GetGuideLeft() const override { return 0; }
    int32_t GetGuideTop() const override { return 0; }
    void PropTxt() override { Launched += "Txt"; }
    void PropAdTxt() override { Launched += "AdTxt"; }
    void PropPar() override { Launched += "Par"; }
    void PropBar() override { Launched += "Bar"; }
    void PropSymbol() override { Launched += "Symbol"; }
    void PropLin() override { Launched += "Lin"; }
    void PropRect() override { Launched += "Rect"; }
    void PropImage(bool) override { Launched += "Image"; }

private:
    std::array<TMetafile, 3> FPage;
    std::array<TMetafileCanvas, 3> FCanvas{TMetafileCanvas(FPage[0]), TMetafileCanvas(FPage[1]),
                                           TMetafileCanvas(FPage[2])};
};

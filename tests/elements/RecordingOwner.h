#pragma once

#include <array>
#include <QString>
#include <vector>

#include "elements/KxOwner.h"
#include "platform/Canvas.h"
#include "platform/CanvasDevice.h"

/// One canvas operation as a device received it, coordinates in logical units.
struct TRecordedOp {
    enum TKind {
        OpLine,
        OpRectangle,
        OpRoundRect,
        OpEllipse,
        OpPolygon,
        OpFillRect,
        OpPixel,
        OpText,
        OpImage
    };
    TKind Kind = OpLine;
    TDrawState State;
    TRect Rect;
    TPoint At;
    QString Text;
    /// Text: the laid-out width in logical units; whether the output was clipped.
    double Width = 0;
    bool Clipped = false;
};

/// A device that keeps the operations it receives, for assertions on what was drawn where.
class TRecordingDevice : public TCanvasDevice {
public:
    std::vector<TRecordedOp> Ops;

    std::vector<TRecordedOp> OfKind(TRecordedOp::TKind kind) const {
        std::vector<TRecordedOp> out;
        for (const TRecordedOp& op : Ops)
            if (op.Kind == kind) out.push_back(op);
        return out;
    }
    std::vector<TRecordedOp> Texts() const { return OfKind(TRecordedOp::OpText); }

    void Line(const TDrawState& s, const TPoint& a, const TPoint& b) override {
        Ops.push_back({TRecordedOp::OpLine, s, {a.X, a.Y, b.X, b.Y}, a, {}, 0, false});
    }
    void Rectangle(const TDrawState& s, const TRect& r) override { Add(TRecordedOp::OpRectangle, s, r); }
    void RoundRect(const TDrawState& s, const TRect& r, int32_t, int32_t) override {
        Add(TRecordedOp::OpRoundRect, s, r);
    }
    void Ellipse(const TDrawState& s, const TRect& r) override { Add(TRecordedOp::OpEllipse, s, r); }
    void Polygon(const TDrawState& s, std::span<const TPoint>) override {
        Add(TRecordedOp::OpPolygon, s, {});
    }
    void FillRect(const TDrawState& s, const TRect& r) override { Add(TRecordedOp::OpFillRect, s, r); }
    void SetPixel(const TDrawState& s, const TPoint& p, TColor) override {
        Ops.push_back({TRecordedOp::OpPixel, s, {}, p, {}, 0, false});
    }
    TColor GetPixel(const TDrawState&, const TPoint&) const override { return clNone; }
    void TextOut(const TDrawState& s, const TPoint& p, const QString& text, const TTextLayout& layout,
                 const TRect* clip) override {
        Ops.push_back(
            {TRecordedOp::OpText, s, clip ? *clip : TRect{}, p, text, layout.Width, clip != nullptr});
    }
    void StretchImage(const TDrawState& s, const TRect& r, const QImage&) override {
        Add(TRecordedOp::OpImage, s, r);
    }
    QImage GrabImage(const TDrawState&, const TRect&) const override { return {}; }

private:
    void Add(TRecordedOp::TKind kind, const TDrawState& s, const TRect& r) {
        Ops.push_back({kind, s, r, {}, {}, 0, false});
    }
};

/// An owner whose three drawing targets record what is drawn on them. The mapping to client pixels
/// halves label units and shifts by (10, 20), so Bounds tests see a real conversion. A test may point
/// a target at another canvas (a bitmap) or at none, and bind a table.
class TRecordingOwner : public TKxOwner {
public:
    TRecordingOwner() {
        for (size_t i = 0; i < Canvases.size(); ++i)
            Canvases[i] = &FCanvas[i];
    }

    TRecordingDevice& Recorded(TKxDrawType target) { return FDevice.at(target); }

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
    std::array<TRecordingDevice, 3> FDevice;
    std::array<TCanvas, 3> FCanvas{TCanvas(&FDevice[0]), TCanvas(&FDevice[1]), TCanvas(&FDevice[2])};
};

#pragma once

#include <array>
#include <cstdint>
#include <QString>
#include <vector>

#include "elements/KxOwner.h"
#include "platform/Canvas.h"
#include "platform/CanvasDevice.h"
#include "platform/Rounding.h"

/// One operation a canvas handed to its device, with the state it came with.
struct TRecordedOp {
    enum class TKind { Line, Rectangle, FillRect, Text, Other };
    TKind Kind = TKind::Other;
    TDrawState State;
    TRect R;
    TPoint A;
    TPoint B;
    QString Text;
};

/// A device that keeps every operation in label units, as the element gave them.
class TRecordingDevice : public TCanvasDevice {
public:
    std::vector<TRecordedOp> Ops;

    std::vector<TRecordedOp> OfKind(TRecordedOp::TKind kind) const;

    void Line(const TDrawState& state, const TPoint& a, const TPoint& b) override;
    void Rectangle(const TDrawState& state, const TRect& r) override;
    void RoundRect(const TDrawState& state, const TRect&, int32_t, int32_t) override { Other(state); }
    void Ellipse(const TDrawState& state, const TRect&) override { Other(state); }
    void Polygon(const TDrawState& state, std::span<const TPoint>) override { Other(state); }
    void FillRect(const TDrawState& state, const TRect& r) override;
    void SetPixel(const TDrawState& state, const TPoint&, TColor) override { Other(state); }
    TColor GetPixel(const TDrawState&, const TPoint&) const override { return clNone; }
    void TextOut(const TDrawState& state, const TPoint& p, const QString& text, const TTextLayout&,
                 const TRect*) override;
    void StretchImage(const TDrawState& state, const TRect&, const QImage&) override { Other(state); }
    QImage GrabImage(const TDrawState&, const TRect&) const override { return {}; }

private:
    TRecordedOp& Add(TRecordedOp::TKind kind, const TDrawState& state);
    void Other(const TDrawState& state);
};

/// An owner with one recording canvas per drawing target and a zoomed, scrolled mapping:
/// WindowX(x) = Round(x / Scale) + Offset.
class TBarcodeOwner : public TKxOwner {
public:
    TKxUnits Units = unMM;
    int32_t Scale = 4;
    int32_t Offset = 20;
    TTable* Table = nullptr;
    int BarLaunches = 0;
    std::array<TRecordingDevice, 3> Devices;
    std::array<TCanvas, 3> Canvases{TCanvas(&Devices[0]), TCanvas(&Devices[1]), TCanvas(&Devices[2])};
    /// When set, every target draws on this canvas instead.
    TCanvas* Target = nullptr;

    TRecordingDevice& Device(TKxDrawType t) { return Devices[t]; }

    TKxUnits GetUnits() const override { return Units; }
    int32_t WindowX(int32_t x) const override {
        return static_cast<int32_t>(Round(Extended(x) / Scale)) + Offset;
    }
    int32_t WindowY(int32_t y) const override {
        return static_cast<int32_t>(Round(Extended(y) / Scale)) + Offset;
    }
    int32_t GetScale() const override { return Scale; }
    TCanvas* GetCanvas(TKxDrawType t) override { return Target ? Target : &Canvases[t]; }
    TTable* GetTable() override { return Table; }
    int32_t GetGuideLeft() const override { return 0; }
    int32_t GetGuideTop() const override { return 0; }
    void PropTxt() override {}
    void PropAdTxt() override {}
    void PropPar() override {}
    void PropBar() override { ++BarLaunches; }
    void PropSymbol() override {}
    void PropLin() override {}
    void PropRect() override {}
    void PropImage(bool) override {}
};

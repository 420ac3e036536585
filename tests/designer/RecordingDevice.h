#pragma once

#include <QImage>
#include <QString>
#include <span>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasDevice.h"

/// A canvas device that keeps every operation with its state, so tests read back what was drawn
/// in the caller's logical units.
class TRecordingDevice : public TCanvasDevice {
public:
    enum class TOp { Line, Rectangle, RoundRect, Ellipse, Polygon, FillRect, Pixel, Text, Image };
    struct TRecord {
        TOp Op = TOp::Line;
        TDrawState State;
        TRect R;
        std::vector<TPoint> Points;
        TColor Color = clNone;
        QString Text;
        int32_t CornerW = 0;
        int32_t CornerH = 0;
    };

    std::vector<TRecord> Records;

    /// The records of one kind, in order.
    std::vector<TRecord> Of(TOp Op) const {
        std::vector<TRecord> out;
        for (const TRecord& r : Records)
            if (r.Op == Op) out.push_back(r);
        return out;
    }

    void Line(const TDrawState& s, const TPoint& a, const TPoint& b) override {
        Add(TOp::Line, s).Points = {a, b};
    }
    void Rectangle(const TDrawState& s, const TRect& r) override { Add(TOp::Rectangle, s).R = r; }
    void RoundRect(const TDrawState& s, const TRect& r, int32_t w, int32_t h) override {
        TRecord& rec = Add(TOp::RoundRect, s);
        rec.R = r;
        rec.CornerW = w;
        rec.CornerH = h;
    }
    void Ellipse(const TDrawState& s, const TRect& r) override { Add(TOp::Ellipse, s).R = r; }
    void Polygon(const TDrawState& s, std::span<const TPoint> p) override {
        Add(TOp::Polygon, s).Points.assign(p.begin(), p.end());
    }
    void FillRect(const TDrawState& s, const TRect& r) override { Add(TOp::FillRect, s).R = r; }
    void SetPixel(const TDrawState& s, const TPoint& p, TColor c) override {
        TRecord& rec = Add(TOp::Pixel, s);
        rec.Points = {p};
        rec.Color = c;
    }
    TColor GetPixel(const TDrawState&, const TPoint&) const override { return clNone; }
    void TextOut(const TDrawState& s, const TPoint& p, const QString& text, const TTextLayout&,
                 const TRect*) override {
        TRecord& rec = Add(TOp::Text, s);
        rec.Points = {p};
        rec.Text = text;
    }
    void StretchImage(const TDrawState& s, const TRect& r, const QImage&) override {
        Add(TOp::Image, s).R = r;
    }
    QImage GrabImage(const TDrawState&, const TRect&) const override { return {}; }

private:
    TRecord& Add(TOp Op, const TDrawState& State) {
        TRecord& rec = Records.emplace_back();
        rec.Op = Op;
        rec.State = State;
        return rec;
    }
};

/// Points a canvas at a recording device for the guard's lifetime.
class TRecordOn {
public:
    TRecordOn(TCanvas& Canvas, TRecordingDevice& Device)
        : FCanvas(Canvas)
        , FPrevious(Canvas.Device()) {
        FCanvas.SetDevice(&Device);
    }
    ~TRecordOn() { FCanvas.SetDevice(FPrevious); }
    TRecordOn(const TRecordOn&) = delete;
    TRecordOn& operator=(const TRecordOn&) = delete;

private:
    TCanvas& FCanvas;
    TCanvasDevice* FPrevious;
};

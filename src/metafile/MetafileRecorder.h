#pragma once

#include "gdi/CanvasDevice.h"
#include "metafile/Metafile.h"

/// The recording device: appends every canvas call, with its state, to a metafile. It keeps no
/// pixels, so reading pixels answers clNone and grabbing answers a null image.
class TMetafileRecorder : public TCanvasDevice {
public:
    explicit TMetafileRecorder(TMetafile& target)
        : FTarget(target) {}

    TMetafile& Target() const { return FTarget; }

    void Line(const TDrawState& state, const TPoint& a, const TPoint& b) override;
    void Rectangle(const TDrawState& state, const TRect& r) override;
    void RoundRect(const TDrawState& state, const TRect& r, int32_t cornerWidth,
                   int32_t cornerHeight) override;
    void Ellipse(const TDrawState& state, const TRect& r) override;
    void Polygon(const TDrawState& state, std::span<const TPoint> points) override;
    void FillRect(const TDrawState& state, const TRect& r) override;
    void SetPixel(const TDrawState& state, const TPoint& p, TColor color) override;
    TColor GetPixel(const TDrawState& state, const TPoint& p) const override;
    void TextOut(const TDrawState& state, const TPoint& p, const QString& text, const TTextLayout& layout,
                 const TRect* clip) override;
    void StretchImage(const TDrawState& state, const TRect& r, const QImage& image) override;
    QImage GrabImage(const TDrawState& state, const TRect& r) const override;

private:
    void Add(const TDrawState& state, TMetaOp op, const TRect& box, int32_t a = 0, int32_t b = 0);

    TMetafile& FTarget;
};

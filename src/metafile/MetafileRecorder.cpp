#include "metafile/MetafileRecorder.h"

void TMetafileRecorder::Add(const TDrawState& state, TMetaOp op, const TRect& box, int32_t a, int32_t b) {
    FTarget.Append(state, {op, 0, box, a, b});
}

void TMetafileRecorder::Line(const TDrawState& state, const TPoint& a, const TPoint& b) {
    Add(state, TMetaOp::Line, {a.X, a.Y, b.X, b.Y});
}

void TMetafileRecorder::Rectangle(const TDrawState& state, const TRect& r) {
    Add(state, TMetaOp::Rectangle, r);
}

void TMetafileRecorder::RoundRect(const TDrawState& state, const TRect& r, int32_t cornerWidth,
                                  int32_t cornerHeight) {
    Add(state, TMetaOp::RoundRect, r, cornerWidth, cornerHeight);
}

void TMetafileRecorder::Ellipse(const TDrawState& state, const TRect& r) {
    Add(state, TMetaOp::Ellipse, r);
}

void TMetafileRecorder::Polygon(const TDrawState& state, std::span<const TPoint> points) {
    if (points.empty()) return;
    const int32_t first = FTarget.AddPoints(points);
    Add(state, TMetaOp::Polygon, {}, first, static_cast<int32_t>(points.size()));
}

void TMetafileRecorder::FillRect(const TDrawState& state, const TRect& r) {
    Add(state, TMetaOp::FillRect, r);
}

void TMetafileRecorder::SetPixel(const TDrawState& state, const TPoint& p, TColor color) {
    Add(state, TMetaOp::Pixel, {p.X, p.Y, p.X, p.Y}, color);
}

TColor TMetafileRecorder::GetPixel(const TDrawState& /*state*/, const TPoint& /*p*/) const {
    return clNone;
}

void TMetafileRecorder::TextOut(const TDrawState& state, const TPoint& p, const QString& text,
                                const TTextLayout& /*layout*/, const TRect* clip) {
    // The layout follows from the state and the text, so the page keeps only those.
    if (text.isEmpty()) return;
    const int32_t index = FTarget.AddText(text);
    Add(state, TMetaOp::Text, {p.X, p.Y, p.X, p.Y}, index, clip ? FTarget.AddClip(*clip) : -1);
}

void TMetafileRecorder::StretchImage(const TDrawState& state, const TRect& r, const QImage& image) {
    if (image.isNull()) return;
    Add(state, TMetaOp::Image, r, FTarget.AddImage(image));
}

QImage TMetafileRecorder::GrabImage(const TDrawState& /*state*/, const TRect& /*r*/) const {
    return {};
}

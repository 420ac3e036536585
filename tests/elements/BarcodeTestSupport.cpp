#include "elements/BarcodeTestSupport.h"

std::vector<TRecordedOp> TRecordingDevice::OfKind(TRecordedOp::TKind kind) const {
    std::vector<TRecordedOp> out;
    for (const TRecordedOp& op : Ops)
        if (op.Kind == kind) out.push_back(op);
    return out;
}

TRecordedOp& TRecordingDevice::Add(TRecordedOp::TKind kind, const TDrawState& state) {
    TRecordedOp& op = Ops.emplace_back();
    op.Kind = kind;
    op.State = state;
    return op;
}

void TRecordingDevice::Line(const TDrawState& state, const TPoint& a, const TPoint& b) {
    TRecordedOp& op = Add(TRecordedOp::TKind::Line, state);
    op.A = a;
    op.B = b;
}

void TRecordingDevice::Rectangle(const TDrawState& state, const TRect& r) {
    Add(TRecordedOp::TKind::Rectangle, state).R = r;
}

void TRecordingDevice::FillRect(const TDrawState& state, const TRect& r) {
    Add(TRecordedOp::TKind::FillRect, state).R = r;
}

void TRecordingDevice::TextOut(const TDrawState& state, const TPoint& p, const QString& text,
                               const TTextLayout&, const TRect*) {
    TRecordedOp& op = Add(TRecordedOp::TKind::Text, state);
    op.A = p;
    op.Text = text;
}

void TRecordingDevice::Other(const TDrawState& state) {
    Add(TRecordedOp::TKind::Other, state);
}

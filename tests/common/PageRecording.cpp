#include "common/PageRecording.h"

std::vector<TRecordedOp> RecordedOps(const TMetafile& page, std::optional<TMetaOp> only) {
    std::vector<TRecordedOp> out;
    for (const TMetaRecord& r : page.Records()) {
        if (only && r.Op != *only) continue;
        TRecordedOp& op = out.emplace_back();
        op.Kind = r.Op;
        op.State = page.States().at(r.State);
        op.Rect = r.Box;
        op.At = r.Box.TopLeft();
        switch (r.Op) {
        case TMetaOp::Line: op.Points = {r.Box.TopLeft(), r.Box.BottomRight()}; break;
        case TMetaOp::Polygon: {
            const auto first = page.Points().begin() + r.A;
            op.Points.assign(first, first + r.B);
            op.At = op.Points.front();
            break;
        }
        case TMetaOp::Pixel:
            op.Points = {op.At};
            op.Color = r.A;
            break;
        case TMetaOp::Text:
            op.Points = {op.At};
            op.Text = page.Texts().at(r.A);
            op.Width = page.TextLayout(r).Width;
            op.Clipped = r.B >= 0;
            op.Rect = op.Clipped ? page.Clips().at(r.B) : TRect{};
            break;
        case TMetaOp::RoundRect:
            op.CornerW = r.A;
            op.CornerH = r.B;
            break;
        default: break;
        }
    }
    return out;
}

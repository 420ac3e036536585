#pragma once

#include <cstdint>
#include <optional>
#include <QString>
#include <vector>

#include "base/Color.h"
#include "base/Geometry.h"
#include "gdi/CanvasDevice.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileRecorder.h"

/// One recorded canvas call, read back from a page in the terms tests assert on: the caller's
/// logical units and the state the call was made in.
struct TRecordedOp {
    TMetaOp Kind = TMetaOp::Line;
    TDrawState State;
    /// The figure's rectangle (a line's ends as its corners); for a text its clip rectangle, empty
    /// when the text is not clipped.
    TRect Rect;
    /// The call's points: a line's two ends, a polygon's corners, a pixel's or a text's reference
    /// point; empty for the rectangle figures.
    std::vector<TPoint> Points;
    /// The first point, or the figure's top-left corner.
    TPoint At;
    QString Text;
    /// Text: the laid-out width in logical units, and whether the output was clipped.
    double Width = 0;
    bool Clipped = false;
    /// Pixel: the colour set.
    TColor Color = clNone;
    /// RoundRect: width and height of the corner ellipse.
    int32_t CornerW = 0;
    int32_t CornerH = 0;
};

/// The operations of a page in order, optionally of one kind only.
std::vector<TRecordedOp> RecordedOps(const TMetafile& page, std::optional<TMetaOp> only = {});

/// A page and the recording device that appends to it: point a canvas at Device(), draw, then read
/// the calls back with Ops().
class TPageRecording {
public:
    TPageRecording() = default;
    TPageRecording(const TPageRecording&) = delete;
    TPageRecording& operator=(const TPageRecording&) = delete;

    TCanvasDevice& Device() { return FDevice; }
    const TMetafile& Page() const { return FPage; }
    std::vector<TRecordedOp> Ops(std::optional<TMetaOp> only = {}) const { return RecordedOps(FPage, only); }
    bool Empty() const { return FPage.Records().empty(); }
    void Clear() { FPage.Clear(); }

private:
    TMetafile FPage;
    TMetafileRecorder FDevice{FPage};
};

#pragma once

#include <vector>

#include "base/Geometry.h"
#include "kxlab_export.h"
#include "types/Kxtypes.h"

/// The editor's transient state of one designer control: what is selected and how it can be
/// dragged, the marks painted over the surface (client pixels) and the drag in progress.
struct KXLAB_EXPORT TKxMarks {
    TKxDrag DragState = drNone;
    TKxDragType DragType = dtMove;
    /// Outline of the selected element.
    TRect SelRect;
    /// Resize handles of a selected box element, outside the outline, centred on its sides.
    TRect HandleLeft;
    TRect HandleRight;
    TRect HandleTop;
    TRect HandleBottom;
    /// Handles on the two end points of a selected line.
    TRect LineHandle1;
    TRect LineHandle2;
    /// Hit areas of the two alignment-guide markers in the rulers.
    TRect AlignLeftMark;
    TRect AlignTopMark;
    /// Outlines of the other elements of a selection of several, shown lighter than the current one's.
    std::vector<TRect> GroupMarks;

    /// A left press grabbed a mark and the button is still down.
    bool Pressed = false;
    /// The pointer has left the point of the press while a mark was grabbed.
    bool Dragged = false;
    TPoint PressPoint;
    /// A left press started a rubber band for a new shape.
    bool ShapeActive = false;
    TPoint ShapeStart;
    TPoint ShapeEnd;
    /// The grab moves every selected element: GroupRect is the box around them as it follows the
    /// mouse, GroupStart its top-left corner at the press.
    bool GroupDrag = false;
    TRect GroupRect;
    TPoint GroupStart;
    /// A left press on empty surface with the selection tool started a selecting band.
    bool Banding = false;
    /// The band adds to the selection (Shift or Ctrl held) instead of replacing it.
    bool BandAdds = false;
    TPoint BandStart;
    TPoint BandEnd;
    /// From the grabbed edge or corner to the mouse at the press.
    TPoint GrabOffset;
    /// Last mouse position, for the ruler marks and a guide being dragged.
    TPoint MousePos;

    /// Empties the outlines and the six handles; the guide markers stay.
    void ClearHandles() {
        SelRect = HandleLeft = HandleRight = HandleTop = HandleBottom = LineHandle1 = LineHandle2 = TRect{};
        GroupMarks.clear();
    }

    /// Places the four resize handles round the outline with corners P1 and P2: 6 by 7 pixels
    /// outside each side, centred on it (the centre truncated towards zero, as integer division does).
    void PlaceSizeHandles(const TPoint& P1, const TPoint& P2) {
        const int64_t cx = P1.X + (int64_t{P2.X} - P1.X) / 2;
        const int64_t cy = P1.Y + (int64_t{P2.Y} - P1.Y) / 2;
        HandleLeft = Box(int64_t{P1.X} - 6, cy - 3, P1.X, cy + 4);
        HandleRight = Box(P2.X, cy - 3, int64_t{P2.X} + 6, cy + 4);
        HandleTop = Box(cx - 3, int64_t{P1.Y} - 6, cx + 4, P1.Y);
        HandleBottom = Box(cx - 3, P2.Y, cx + 4, int64_t{P2.Y} + 6);
    }

    /// The 7 by 7 pixel handle centred on a line's end point E.
    static TRect LineHandleAround(const TPoint& E) {
        return Box(int64_t{E.X} - 3, int64_t{E.Y} - 3, int64_t{E.X} + 4, int64_t{E.Y} + 4);
    }

    /// Places the two guide markers for guides at client pixels GX (left guide) and GY (top guide).
    void PlaceAlignMarks(int32_t GX, int32_t GY) {
        AlignLeftMark = Box(int64_t{GX} - 4, 10, int64_t{GX} + 4, 19);
        AlignTopMark = Box(10, int64_t{GY} - 4, 19, int64_t{GY} + 4);
    }

private:
    // Outlines and guides come from file values that may sit at the 32-bit limits: a mark beyond
    // them is clipped there rather than wrapped round onto the surface.
    static TRect Box(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom) {
        return {Saturate32(Left), Saturate32(Top), Saturate32(Right), Saturate32(Bottom)};
    }
};

#pragma once

#include "platform/Geometry.h"
#include "types/Kxtypes.h"

/// The editor's transient state of one designer control: what is selected and how it can be
/// dragged, the marks painted over the surface (client pixels) and the drag in progress.
struct TKxMarks {
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

    /// A left press grabbed a mark and the button is still down.
    bool Pressed = false;
    /// A left press started a rubber band for a new shape.
    bool ShapeActive = false;
    TPoint ShapeStart;
    TPoint ShapeEnd;
    /// From the grabbed edge or corner to the mouse at the press.
    TPoint GrabOffset;
    /// Last mouse position, for the ruler marks and a guide being dragged.
    TPoint MousePos;

    /// Empties the outline and the six handles; the guide markers stay.
    void ClearHandles() {
        SelRect = HandleLeft = HandleRight = HandleTop = HandleBottom = LineHandle1 = LineHandle2 = TRect{};
    }
};

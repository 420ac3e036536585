#pragma once

#include "types/KxScreenMap.h"
#include "types/Kxtypes.h"

class TCanvas;
class TTable;

/// What an element draws with, given by whoever draws it: the canvas, the target the canvas stands
/// for, whether bound elements show data and which record, and for the design surface the mapping the
/// element's Bounds are kept in. An element never asks its label for any of these.
struct TKxDrawContext {
    TKxDrawContext() = default;
    TKxDrawContext(TCanvas* ACanvas, TKxDrawType ATarget, bool AWithData = false, TTable* ARecord = nullptr,
                   const TKxScreenMap& AScreen = {})
        : Canvas(ACanvas)
        , Target(ATarget)
        , WithData(AWithData)
        , Record(ARecord)
        , Screen(AScreen) {}

    /// Where to draw; null draws nothing.
    TCanvas* Canvas = nullptr;
    /// The design surface (tdLab), paper (tdPrint) or a recorded page (tdPreview). Paper and pages
    /// show only printable elements.
    TKxDrawType Target = tdLab;
    /// Bound elements show data: on the design surface the field's name, elsewhere the record's value.
    bool WithData = false;
    /// The record being printed; null when there is none to take a value from.
    TTable* Record = nullptr;
    /// The design surface's mapping, for Bounds (tdLab only).
    TKxScreenMap Screen;
};

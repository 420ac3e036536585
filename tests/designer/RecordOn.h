#pragma once

#include "common/PageRecording.h"
#include "gdi/Canvas.h"
#include "gdi/CanvasDevice.h"

/// Points a canvas at a page recording for the guard's lifetime, so a test reads back what the
/// control drew on it in the control's logical units.
class TRecordOn {
public:
    TRecordOn(TCanvas& Canvas, TPageRecording& Recording)
        : FCanvas(Canvas)
        , FPrevious(Canvas.Device()) {
        FCanvas.SetDevice(&Recording.Device());
    }
    ~TRecordOn() { FCanvas.SetDevice(FPrevious); }
    TRecordOn(const TRecordOn&) = delete;
    TRecordOn& operator=(const TRecordOn&) = delete;

private:
    TCanvas& FCanvas;
    TCanvasDevice* FPrevious;
};

#include "print/PdfWriter.h"

#include <climits>
#include <cmath>

TPdfWriter::TPdfWriter(QIODevice* device)
    : FEngine(std::make_unique<TPdfEngine>(FSettings)) {
    FSettings.Device = device;
}

TPdfWriter::~TPdfWriter() = default;

void TPdfWriter::SetResolution(int dpi) {
    if (dpi > 0) FSettings.Resolution = dpi;
}

void TPdfWriter::NewPage() {
    FEngine->NewPage();
}

QPaintEngine* TPdfWriter::paintEngine() const {
    return FEngine.get();
}

int TPdfWriter::metric(PaintDeviceMetric metric) const {
    const QRect pixels = FSettings.Layout.paintRectPixels(FSettings.Resolution);
    const QRectF mm = FSettings.Layout.paintRect(QPageLayout::Millimeter);
    switch (metric) {
    case PdmWidth: return pixels.width();
    case PdmHeight: return pixels.height();
    case PdmWidthMM: return static_cast<int>(std::lround(mm.width()));
    case PdmHeightMM: return static_cast<int>(std::lround(mm.height()));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return FSettings.Resolution;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return 0;
    }
}

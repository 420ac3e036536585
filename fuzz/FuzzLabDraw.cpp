// Label files drawn: any input the reader accepts is drawn on the design surface at two zooms and
// previewed, every element in every cell of the run, and must draw without a crash, a sanitizer
// report, a hang or an exception other than the preview's own refusal of a run too large. The file's
// sheet, settings and elements are kept; only the run is cut to a few labels without data, so that
// one input stays quick.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <QApplication>
#include <QByteArray>

#include "base/KxError.h"
#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "designer/KxLab.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"

namespace {

// One shown control for every input: showing a window per input would cost more than the drawing.
TKxLab& Shown() {
    static const std::unique_ptr<TKxLab> lab = [] {
        auto l = std::make_unique<TKxLab>();
        l->resize(400, 300);
        l->show();
        QApplication::processEvents();
        return l;
    }();
    return *lab;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TKxLab& lab = Shown();
    lab.Clear();
    try {
        KxLoadFromBytes(lab, QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)));
    } catch (const EStreamError&) {
        return 0;
    }
    lab.SetDaBa(false);
    for (const TKxZoom zoom : {zm50, zm400}) {
        lab.SetZoom(zoom);
        lab.DrawAll(duBoth);
    }
    TKxRunSettings run = lab.RunSettings();
    run.Labs = std::min(run.Labs, 8);
    run.UseData = false;
    try {
        TKxPrintRun(*lab.Label(), run).Record([](std::unique_ptr<TMetafile>) {});
    } catch (const EKxError&) {
    }
    return 0;
}

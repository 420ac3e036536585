// The label file reader under fuzzing: any input either loads, and then saves and reloads to the
// same bytes, or raises the stream error and leaves the label as it was. Anything else (a crash,
// a sanitizer report, another exception, a broken round trip) is a finding.
#include <cstdint>
#include <cstdlib>
#include <QByteArray>

#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "label/KxLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TKxLabel lab;
    const QByteArray untouched = KxSaveToBytes(lab);
    try {
        KxLoadFromBytes(lab, QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)));
    } catch (const EStreamError&) {
        if (KxSaveToBytes(lab) != untouched || lab.ElementCount() != 0) std::abort();
        return 0;
    }
    const QByteArray saved = KxSaveToBytes(lab);
    TKxLabel again;
    KxLoadFromBytes(again, saved);
    if (KxSaveToBytes(again) != saved) std::abort();
    return 0;
}

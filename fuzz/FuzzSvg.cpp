// SVG picture bytes, as a picture file, a label's background or a database picture field brings them:
// any input either loads or raises EInvalidGraphic, and a picture that loads draws on a small bitmap.
// The check that keeps the renderer inside the picture's own bytes is ours, so the target runs in a
// folder of pipes named with every letter and digit: an input that gets the renderer to open one of
// them hangs, and libFuzzer reports the hang.
#include <cstdint>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "metafile/SvgCheck.h"
#include "PictureInput.h"

namespace {

// Megabytes one picture that Qt decodes may claim (a PNG embedded in the SVG).
constexpr int DecoderLimitMB = 16;

bool SetUpTraps() {
    QImageReader::setAllocationLimit(DecoderLimitMB);
    static QTemporaryDir traps;
    if (!traps.isValid()) return false;
    const QString names = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    for (const QChar c : names)
        if (mkfifo(QFile::encodeName(QDir(traps.path()).filePath(c)).constData(), 0600) != 0) return false;
    return QDir::setCurrent(traps.path());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const bool trapped = SetUpTraps();
    if (!trapped) __builtin_trap();
    const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    if (!LooksLikeSvg(bytes) && QtImageFormat(bytes) != "svg") return 0;
    TPicture picture;
    LoadAndDraw(bytes, picture);
    return 0;
}

// Picture bytes, as a picture file or a database picture field brings them: any input either loads
// or raises EInvalidGraphic, a picture that loads draws on a small bitmap, and the page a metafile
// records saves as EMF, as a label's page with the picture on it is exported. The code under test is
// ours: the EMF and WMF readers with the DIB reader behind their bitmap records, the replay of the
// page they record and our EMF writer. Qt's own decoders are capped rather than fuzzed.
#include <cstdint>
#include <QByteArray>
#include <QImageReader>

#include "metafile/Metafile.h"
#include "PictureInput.h"

namespace {

// Megabytes one image that Qt decodes may claim (a BMP, PNG or JPEG, or one embedded in a metafile's
// bitmap record): enough for what a label shows, small enough that a lying header costs nothing.
constexpr int DecoderLimitMB = 16;

// What starts with '<' goes to Qt's SVG renderer, which no allocation limit caps: not ours to fuzz.
bool ForQtSvg(const QByteArray& bytes) {
    const QByteArray head = bytes.left(1024).trimmed();
    return head.startsWith('<');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const bool capped = [] {
        QImageReader::setAllocationLimit(DecoderLimitMB);
        return true;
    }();
    (void)capped;
    const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    if (ForQtSvg(bytes)) return 0;
    TPicture picture;
    if (!LoadAndDraw(bytes, picture)) return 0;
    if (const TMetafile* page = picture.Metafile()) page->SaveToEmf();
    return 0;
}

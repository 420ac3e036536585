#pragma once

#include <QByteArray>
#include <QString>

#include "base/InvalidGraphic.h"
#include "gdi/Bitmap.h"
#include "metafile/Picture.h"

/// Loads picture bytes as a picture file or a database field brings them, then draws what loaded
/// on a small bitmap; false when the bytes were refused (EInvalidGraphic), as they may be.
inline bool LoadAndDraw(const QByteArray& Bytes, TPicture& Picture) {
    try {
        Picture.LoadFromBytes(Bytes, QStringLiteral("fuzz"));
    } catch (const EInvalidGraphic&) {
        return false;
    }
    TBitmap target(48, 32);
    target.Canvas().StretchDraw({2, 2, 46, 30}, Picture);
    return true;
}

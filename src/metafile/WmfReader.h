#pragma once

#include <memory>
#include <QByteArray>
#include <QString>

#include "metafile/Metafile.h"

/// Reads a Windows Metafile (with or without the placeable header) into a recorded page: lines,
/// figures, polygons, pixels, text, device-independent bitmaps and the object, mapping and state
/// records they need; other records are skipped. The page is the placeable header's box (in its
/// units per inch), or else the window the file sets, at 96 units per inch. Throws EInvalidGraphic
/// for a file that is not a WMF or is damaged; source names the file in messages.
std::unique_ptr<TMetafile> ReadWmf(const QByteArray& data, const QString& source);

/// True when data starts like a Windows Metafile.
bool IsWmf(const QByteArray& data);

#pragma once

#include <memory>
#include <QByteArray>
#include <QString>

#include "metafile/Metafile.h"

/// Reads an Enhanced Metafile into a recorded page: the drawing records of lines, figures, polygons
/// and polylines (32- and 16-bit), curves, paths, pixels, text (wide and 8-bit), bitmaps (stretched
/// and block transfers) with the object, mapping, transform and state records they need. Records
/// it does not know are skipped. The page's size is the file's frame. source names the file in
/// messages. Throws EInvalidGraphic for a file that is not an EMF or is damaged.
std::unique_ptr<TMetafile> ReadEmf(const QByteArray& data, const QString& source);

/// True when data starts like an Enhanced Metafile.
bool IsEmf(const QByteArray& data);

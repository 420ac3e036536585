#pragma once

#include <cstdint>
#include <QDataStream>
#include <QString>

#include "base/Geometry.h"
#include "kxlab_export.h"

/// The label file version this code writes; records of any other version are read as the
/// previous format.
inline constexpr int32_t KxFileVersion = 14;

// Field codecs of element records: little-endian integers, one-byte Booleans and enumerations,
// strings as an i32 byte count followed by Windows-1252 text. The caller sets the stream's byte
// order. A read that runs past the data, or a string count that is negative or larger than what
// remains, marks the stream ReadCorruptData and yields an empty value: callers check the status
// once at the end instead of after every field.

KXLAB_EXPORT void WriteI32(QDataStream& S, int32_t v);
KXLAB_EXPORT void WriteByte(QDataStream& S, uint8_t v);
KXLAB_EXPORT void WriteBool(QDataStream& S, bool v);
KXLAB_EXPORT void WriteStr(QDataStream& S, const QString& v);
KXLAB_EXPORT void WritePoint(QDataStream& S, const TPoint& P);

KXLAB_EXPORT int32_t ReadI32(QDataStream& S);
KXLAB_EXPORT uint8_t ReadByte(QDataStream& S);
/// Any non-zero byte is true.
KXLAB_EXPORT bool ReadBool(QDataStream& S);
/// A length-prefixed run of bytes; empty, with the stream's status set, when the length is negative or
/// larger than what is left.
KXLAB_EXPORT QByteArray ReadBytes(QDataStream& S);
KXLAB_EXPORT QString ReadStr(QDataStream& S);
KXLAB_EXPORT TPoint ReadPoint(QDataStream& S);

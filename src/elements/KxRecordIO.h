#pragma once

#include <cstdint>
#include <QDataStream>
#include <QString>

#include "base/Geometry.h"

/// The label file version this code writes; records of any other version are read as the
/// previous format.
inline constexpr int32_t KxFileVersion = 14;

// Field codecs of element records: little-endian integers, one-byte Booleans and enumerations,
// strings as an i32 byte count followed by Windows-1252 text. The caller sets the stream's byte
// order. A read that runs past the data, or a string count that is negative or larger than what
// remains, marks the stream ReadCorruptData and yields an empty value: callers check the status
// once at the end instead of after every field.

void WriteI32(QDataStream& S, int32_t v);
void WriteByte(QDataStream& S, uint8_t v);
void WriteBool(QDataStream& S, bool v);
void WriteStr(QDataStream& S, const QString& v);
void WritePoint(QDataStream& S, const TPoint& P);

int32_t ReadI32(QDataStream& S);
uint8_t ReadByte(QDataStream& S);
/// Any non-zero byte is true.
bool ReadBool(QDataStream& S);
QString ReadStr(QDataStream& S);
TPoint ReadPoint(QDataStream& S);

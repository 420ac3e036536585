#pragma once

#include <cstdint>
#include <memory>
#include <QByteArray>
#include <QString>

class TKxElement;
class TKxLab;
class TKxLabel;
class TKxOwner;

/// Label file data written field by field in the file's encoding, for tests that build files
/// byte by byte.
class TKxBytes {
public:
    TKxBytes& I32(int32_t v);
    TKxBytes& I16(int16_t v);
    TKxBytes& Byte(uint8_t v);
    /// Count and Windows-1252 bytes.
    TKxBytes& Str(const QString& v);
    const QByteArray& Data() const { return FData; }

private:
    QByteArray FData;
};

/// The label as its SaveToStream writes it.
QByteArray KxSaveToBytes(const TKxLabel& Lab);
QByteArray KxSaveToBytes(const TKxLab& Lab);
/// LoadFromStream from Bytes.
void KxLoadFromBytes(TKxLabel& Lab, const QByteArray& Bytes);
void KxLoadFromBytes(TKxLab& Lab, const QByteArray& Bytes);
/// Gives every stored setting of Lab a value other than its default (the background picture file
/// name names a file that does not exist, which reports a message).
void KxSetEverySetting(TKxLab& Lab);
void KxSetEverySetting(TKxLabel& Lab);
/// An element of kind Tag with every field other than its default (and other than the same field of
/// the other kinds); null for a tag without a class.
std::unique_ptr<TKxElement> KxSampleElement(int Tag, TKxOwner* Owner);
/// Appends one element of every kind, each with every field other than its default.
void KxAddEveryKind(TKxLab& Lab);
void KxAddEveryKind(TKxLabel& Lab);

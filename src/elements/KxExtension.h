#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <QByteArray>
#include <QDataStream>
#include <QString>

#include "kxlab_export.h"

/// The tag of an extension record in a label file's list of element records. Readers older than the
/// features an extension carries take it for an unknown element kind and refuse the file, so a label
/// that uses a newer feature is refused by them instead of misread; a label that uses none writes no
/// extension record and reads exactly as before.
inline constexpr uint8_t KxExtensionTag = 64;

/// Values of features newer than the label file format, by key. Two places hold them:
/// - an extension record, for what changes the printed label or what an editor must not lose unnoticed
///   (a locked element): in front of the element record it belongs to, or, for the label's own, after
///   the last element. Each reader takes the keys it knows; a key left over belongs to a feature this
///   version does not know, and the file is refused rather than read without it.
/// - the notes behind the element list (TKxLabel), for what neither depends on (the stock a layout came
///   from): older readers stop before them and read the label whole, and keys a reader does not know are
///   dropped.
///
/// Record: tag, scope byte, i32 byte count of the body; body: i32 pair count, then per pair the key and
/// the value, each an i32 byte count and its bytes (keys ASCII, texts UTF-8, integers little-endian).
class KXLAB_EXPORT TKxExtension {
public:
    enum class TScope : uint8_t { Label = 0, NextElement = 1 };

    bool IsEmpty() const { return FValues.empty(); }

    void SetBytes(const QString& Key, const QByteArray& Value);
    void SetInt(const QString& Key, int32_t Value);
    void SetText(const QString& Key, const QString& Value);
    void SetBool(const QString& Key, bool Value) { SetInt(Key, Value ? 1 : 0); }

    /// Takes a value out, or nothing when the key is absent. A value of the wrong size raises
    /// EStreamError.
    std::optional<QByteArray> TakeBytes(const QString& Key);
    std::optional<int32_t> TakeInt(const QString& Key);
    std::optional<QString> TakeText(const QString& Key);
    std::optional<bool> TakeBool(const QString& Key);

    /// Raises EStreamError naming the first key nobody took.
    void RequireAllTaken() const;

    /// The pairs as the record's body holds them.
    QByteArray Body() const;
    /// Reads a body written by Body; false when it is short or corrupt.
    bool ReadBody(const QByteArray& Body);

    /// Writes the record, tag first; nothing when empty.
    void Write(QDataStream& S, TScope Scope) const;
    /// Reads a record's scope and body; the tag has been read. A short or corrupt record marks the
    /// stream corrupt and yields an empty extension.
    static TKxExtension Read(QDataStream& S, TScope& Scope);

private:
    std::map<QString, QByteArray> FValues;
};

/// A length-prefixed block of bytes as extension records and notes write them.
KXLAB_EXPORT void WriteBlock(QDataStream& S, const QByteArray& Bytes);
/// Reads a block written by WriteBlock; a count beyond the data marks the stream corrupt and yields
/// nothing, so a hostile count never allocates.
KXLAB_EXPORT QByteArray ReadBlock(QDataStream& S);

#pragma once

#include <cstdint>
#include <QByteArray>
#include <QString>

/// Reads little-endian fields from a window of a byte buffer. Every read is checked against the end
/// of the window, so a short or damaged file ends in EInvalidGraphic (naming the source and the byte
/// offset) instead of a read past the buffer.
class TByteReader {
public:
    /// The window [begin, end) of data; end < 0 means the end of the data.
    TByteReader(const QByteArray& data, QString source, qsizetype begin = 0, qsizetype end = -1);

    /// Absolute offset in the data.
    qsizetype Pos() const { return FPos; }
    qsizetype End() const { return FEnd; }
    qsizetype Remaining() const { return FEnd - FPos; }
    /// Moves to an absolute offset inside the window.
    void Seek(qsizetype pos);
    void Skip(qsizetype count) { Seek(FPos + count); }

    uint8_t U8();
    uint16_t U16();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint32_t U32();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32();
    /// count bytes from the current position, which moves past them.
    QByteArray Bytes(qsizetype count);
    /// A reader over [pos, pos + length) of the same data, checked to lie inside this window.
    TByteReader Window(qsizetype pos, qsizetype length) const;

    /// Throws EInvalidGraphic: "<source>: <what> at byte <offset>".
    [[noreturn]] void Fail(const QString& what) const;

private:
    void Need(qsizetype count) const;

    const QByteArray& FData;
    QString FSource;
    qsizetype FBegin = 0;
    qsizetype FEnd = 0;
    qsizetype FPos = 0;
};

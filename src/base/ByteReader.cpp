#include "base/ByteReader.h"

#include <cstring>
#include <utility>

#include "base/InvalidGraphic.h"

TByteReader::TByteReader(const QByteArray& data, QString source, qsizetype begin, qsizetype end)
    : FData(data)
    , FSource(std::move(source)) {
    FEnd = end < 0 || end > data.size() ? data.size() : end;
    FBegin = std::min(std::max<qsizetype>(begin, 0), FEnd);
    FPos = FBegin;
}

void TByteReader::Fail(const QString& what) const {
    throw EInvalidGraphic(QStringLiteral("%1: %2 at byte %3").arg(FSource, what).arg(FPos));
}

void TByteReader::Need(qsizetype count) const {
    if (count < 0 || count > FEnd - FPos) Fail(QStringLiteral("unexpected end of data"));
}

void TByteReader::Seek(qsizetype pos) {
    if (pos < FBegin || pos > FEnd) Fail(QStringLiteral("offset %1 outside the record").arg(pos));
    FPos = pos;
}

uint8_t TByteReader::U8() {
    Need(1);
    return static_cast<uint8_t>(FData[FPos++]);
}

uint16_t TByteReader::U16() {
    Need(2);
    const auto* p = reinterpret_cast<const uint8_t*>(FData.constData() + FPos);
    FPos += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t TByteReader::U32() {
    Need(4);
    const auto* p = reinterpret_cast<const uint8_t*>(FData.constData() + FPos);
    FPos += 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

float TByteReader::F32() {
    const uint32_t bits = U32();
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray TByteReader::Bytes(qsizetype count) {
    Need(count);
    QByteArray out = FData.mid(FPos, count);
    FPos += count;
    return out;
}

TByteReader TByteReader::Window(qsizetype pos, qsizetype length) const {
    if (pos < FBegin || length < 0 || pos > FEnd || length > FEnd - pos)
        Fail(QStringLiteral("block of %1 bytes at %2 outside the record").arg(length).arg(pos));
    return TByteReader(FData, FSource, pos, pos + length);
}

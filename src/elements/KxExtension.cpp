#include "elements/KxExtension.h"

#include <QIODevice>
#include <QtEndian>

#include "base/StreamError.h"
#include "elements/KxRecordIO.h"

void WriteBlock(QDataStream& S, const QByteArray& Bytes) {
    WriteI32(S, static_cast<int32_t>(Bytes.size()));
    S.writeRawData(Bytes.constData(), static_cast<int>(Bytes.size()));
}

QByteArray ReadBlock(QDataStream& S) {
    return ReadBytes(S);
}

namespace {

[[noreturn]] void BadValue(const QString& Key) {
    throw EStreamError(QStringLiteral("The label file's value of \"%1\" is corrupt").arg(Key));
}

} // namespace

void TKxExtension::SetBytes(const QString& Key, const QByteArray& Value) {
    FValues[Key] = Value;
}

void TKxExtension::SetInt(const QString& Key, int32_t Value) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(Value, bytes.data());
    FValues[Key] = bytes;
}

void TKxExtension::SetText(const QString& Key, const QString& Value) {
    FValues[Key] = Value.toUtf8();
}

std::optional<QByteArray> TKxExtension::TakeBytes(const QString& Key) {
    const auto it = FValues.find(Key);
    if (it == FValues.end()) return std::nullopt;
    QByteArray value = std::move(it->second);
    FValues.erase(it);
    return value;
}

std::optional<int32_t> TKxExtension::TakeInt(const QString& Key) {
    const std::optional<QByteArray> bytes = TakeBytes(Key);
    if (!bytes) return std::nullopt;
    if (bytes->size() != 4) BadValue(Key);
    return qFromLittleEndian<qint32>(bytes->constData());
}

std::optional<QString> TKxExtension::TakeText(const QString& Key) {
    const std::optional<QByteArray> bytes = TakeBytes(Key);
    if (!bytes) return std::nullopt;
    return QString::fromUtf8(*bytes);
}

std::optional<bool> TKxExtension::TakeBool(const QString& Key) {
    const std::optional<int32_t> value = TakeInt(Key);
    if (!value) return std::nullopt;
    if (*value != 0 && *value != 1) BadValue(Key);
    return *value == 1;
}

void TKxExtension::RequireAllTaken() const {
    if (FValues.empty()) return;
    throw EStreamError(QStringLiteral("The label file uses a feature this version does not know (\"%1\")")
                           .arg(FValues.begin()->first));
}

QByteArray TKxExtension::Body() const {
    QByteArray body;
    QDataStream B(&body, QIODevice::WriteOnly);
    B.setByteOrder(QDataStream::LittleEndian);
    WriteI32(B, static_cast<int32_t>(FValues.size()));
    for (const auto& [key, value] : FValues) {
        WriteBlock(B, key.toLatin1());
        WriteBlock(B, value);
    }
    return body;
}

bool TKxExtension::ReadBody(const QByteArray& Body) {
    FValues.clear();
    QDataStream B(Body);
    B.setByteOrder(QDataStream::LittleEndian);
    const int32_t pairs = ReadI32(B);
    // Each pair takes at least its two counts.
    if (pairs < 0 || pairs > (Body.size() - 4) / 8) B.setStatus(QDataStream::ReadCorruptData);
    for (int32_t i = 0; i < pairs && B.status() == QDataStream::Ok; ++i) {
        const QString key = QString::fromLatin1(ReadBlock(B));
        const QByteArray value = ReadBlock(B);
        if (key.isEmpty() || FValues.count(key)) B.setStatus(QDataStream::ReadCorruptData);
        FValues.emplace(key, value);
    }
    if (B.status() == QDataStream::Ok && B.atEnd()) return true;
    FValues.clear();
    return false;
}

void TKxExtension::Write(QDataStream& S, TScope Scope) const {
    if (FValues.empty()) return;
    WriteByte(S, KxExtensionTag);
    WriteByte(S, static_cast<uint8_t>(Scope));
    WriteBlock(S, Body());
}

TKxExtension TKxExtension::Read(QDataStream& S, TScope& Scope) {
    const uint8_t scope = ReadByte(S);
    if (scope > static_cast<uint8_t>(TScope::NextElement)) S.setStatus(QDataStream::ReadCorruptData);
    Scope = static_cast<TScope>(scope);
    const QByteArray body = ReadBlock(S);
    TKxExtension x;
    if (S.status() == QDataStream::Ok && !x.ReadBody(body)) S.setStatus(QDataStream::ReadCorruptData);
    return x;
}

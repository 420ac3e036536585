#include "db/Field.h"

#include "db/Table.h"

#include <cmath>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <utility>

namespace {

struct TTypeWord {
    const char* Word;
    TFieldType Type;
};

// Checked in order: the first word the declared type contains wins, as SQLite's affinity rules do
// ("DATETIME" before "DATE" and "TIME", "INTERVAL" and "POINT" before "INT").
constexpr TTypeWord TypeWords[] = {
    {"bool", TFieldType::Boolean},       {"interval", TFieldType::String},
    {"point", TFieldType::Unknown},      {"money", TFieldType::Currency},
    {"currency", TFieldType::Currency},  {"datetime", TFieldType::DateTime},
    {"timestamp", TFieldType::DateTime}, {"date", TFieldType::Date},
    {"time", TFieldType::Time},          {"int", TFieldType::Integer},
    {"oid", TFieldType::Integer},        {"graphic", TFieldType::Graphic},
    {"image", TFieldType::Graphic},      {"picture", TFieldType::Graphic},
    {"blob", TFieldType::Blob},          {"bytea", TFieldType::Blob},
    {"binary", TFieldType::Blob},        {"clob", TFieldType::Memo},
    {"memo", TFieldType::Memo},          {"json", TFieldType::Memo},
    {"xml", TFieldType::Memo},           {"longtext", TFieldType::Memo},
    {"char", TFieldType::String},        {"text", TFieldType::String},
    {"uuid", TFieldType::String},        {"name", TFieldType::String},
    {"real", TFieldType::Float},         {"floa", TFieldType::Float},
    {"doub", TFieldType::Float},         {"dec", TFieldType::BCD},
    {"numeric", TFieldType::BCD},
};

// Shortest text that reads back as the same double, without exponents for everyday magnitudes.
QString FormatFloat(double value) {
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-6 && magnitude < 1e21);
    return QString::number(value, plain ? 'f' : 'g', QLocale::FloatingPointShortest);
}

bool IsTextValue(const QVariant& v) {
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
}

bool TextIsTrue(const QString& text) {
    const QString t = text.trimmed();
    return !t.isEmpty() &&
           (t.startsWith(QLatin1Char('t'), Qt::CaseInsensitive) ||
            t.startsWith(QLatin1Char('y'), Qt::CaseInsensitive) || t.startsWith(QLatin1Char('1')));
}

QString TimeText(const QTime& time) {
    return time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

// SQLite keeps dates and times as ISO text; a value that is not one is shown as stored.
QString DateText(const QVariant& v) {
    QDate date = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
    if (IsTextValue(v)) date = QDate::fromString(v.toString().left(10), Qt::ISODate);
    return date.isValid() ? date.toString(Qt::ISODate) : v.toString();
}

QString TimeValueText(const QVariant& v) {
    const QTime time =
        IsTextValue(v) ? QTime::fromString(v.toString().trimmed(), Qt::ISODateWithMs) : v.toTime();
    return time.isValid() ? TimeText(time) : v.toString();
}

QString DateTimeText(const QVariant& v) {
    QDateTime stamp = v.toDateTime();
    if (IsTextValue(v)) {
        QString text = v.toString().trimmed();
        if (text.size() > 10 && text.at(10) == QLatin1Char(' ')) text[10] = QLatin1Char('T');
        stamp = QDateTime::fromString(text, Qt::ISODateWithMs);
    }
    if (!stamp.isValid()) return v.toString();
    return stamp.date().toString(Qt::ISODate) + QLatin1Char(' ') + TimeText(stamp.time());
}

} // namespace

TFieldType FieldTypeFromDeclared(const QString& declared) {
    const QString lower = declared.trimmed().toLower();
    if (lower.isEmpty()) return TFieldType::String; // SQLite: a column without a declared type
    for (const TTypeWord& word : TypeWords)
        if (lower.contains(QLatin1String(word.Word))) return word.Type;
    return TFieldType::Unknown;
}

bool IsQuotedFieldType(TFieldType type) {
    return type == TFieldType::String || type == TFieldType::Memo || type == TFieldType::Date ||
           type == TFieldType::Time || type == TFieldType::DateTime || type == TFieldType::Unknown;
}

TField::TField(TTable* table, int index, QString name, TFieldType type)
    : FTable(table)
    , FIndex(index)
    , FFieldName(std::move(name))
    , FDisplayLabel(FFieldName)
    , FDataType(type) {}

QVariant TField::Value() const {
    return FTable->CurrentValue(FIndex);
}

bool TField::IsNull() const {
    const QVariant v = Value();
    return !v.isValid() || v.isNull();
}

QString TField::AsString() const {
    const QVariant v = Value();
    if (!v.isValid() || v.isNull()) return {};
    switch (FDataType) {
    case TFieldType::Boolean: return AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::Float: return FormatFloat(v.toDouble());
    case TFieldType::Integer:
    case TFieldType::Currency:
    case TFieldType::BCD:
        // Exact decimals arrive as text from the server; SQLite gives numbers.
        return v.typeId() == QMetaType::Double ? FormatFloat(v.toDouble()) : v.toString();
    case TFieldType::Date: return DateText(v);
    case TFieldType::Time: return TimeValueText(v);
    case TFieldType::DateTime: return DateTimeText(v);
    case TFieldType::Blob:
    case TFieldType::Graphic: return {};
    default: return v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
    }
}

bool TField::AsBoolean() const {
    const QVariant v = Value();
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (IsTextValue(v)) return TextIsTrue(v.toString());
    return v.toDouble() != 0.0;
}

QByteArray TField::AsBytes() const {
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QByteArray) return v.toByteArray();
    return AsString().toUtf8();
}

#include "label/KxQuantities.h"

#include <algorithm>
#include <cmath>
#include <QRegularExpression>
#include <QVariant>

#include "db/Table.h"

namespace {

// A quantity as read, or why it is none: a whole number, in text or a number type, of any sign and size
// up to what a 64-bit count holds; the caller checks the range.
struct TRead {
    int64_t Value = 0;
    QString Problem;
};

// The value as an error message shows it.
QString Shown(const QVariant& Value) {
    return Value.typeId() == QMetaType::QString ? QStringLiteral("\"%1\"").arg(Value.toString())
                                                : Value.toString();
}

TRead Whole(const QVariant& Value) {
    if (Value.isNull()) return {0, QStringLiteral("is empty (NULL)")};
    const auto notWhole = [&] {
        return TRead{0, QStringLiteral("holds %1, which is not a whole number").arg(Shown(Value))};
    };
    switch (Value.typeId()) {
    case QMetaType::Bool: return notWhole();
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short: return {Value.toLongLong(), {}};
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
        return {static_cast<int64_t>(std::min<qulonglong>(Value.toULongLong(), INT64_MAX)), {}};
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = Value.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d)) return notWhole();
        return {static_cast<int64_t>(std::clamp(d, -9.0e18, 9.0e18)), {}};
    }
    default: break;
    }
    // Text, and exact decimals as the server sends them ("3.00"): a fraction of zeros is whole.
    static const QRegularExpression number(QStringLiteral("^([+-]?)0*(\\d*?)(?:\\.(\\d*))?$"));
    const QString text = Value.toString().trimmed();
    const QRegularExpressionMatch m = number.match(text);
    const bool digits = text.contains(QRegularExpression(QStringLiteral("\\d")));
    if (!m.hasMatch() || !digits || m.captured(3).contains(QRegularExpression(QStringLiteral("[1-9]"))))
        return notWhole();
    const QString integer = m.captured(2);
    // More digits than the cap has are over it, however many.
    const int64_t magnitude = integer.size() > 18 ? INT64_MAX : integer.toLongLong();
    return {m.captured(1) == u'-' ? -magnitude : magnitude, {}};
}

// "record 7" and, when the table has a key, its value there: "record 7 (id = 12)".
QString RecordName(TTable& Table, int64_t Record) {
    QStringList key;
    for (const QString& name : Table.KeyFields())
        if (const TField* field = Table.FindField(name))
            key.append(QStringLiteral("%1 = %2").arg(name, field->AsString()));
    return key.isEmpty() ? QStringLiteral("record %1").arg(Record)
                         : QStringLiteral("record %1 (%2)").arg(Record).arg(key.join(QStringLiteral(", ")));
}

[[noreturn]] void Refuse(TTable& Table, int64_t Record, const QString& Field, const QString& Problem) {
    throw EKxQuantityError(QStringLiteral("%1 of table \"%2\": the quantity field \"%3\" %4; a record prints "
                                          "0 to %5 labels")
                               .arg(RecordName(Table, Record), Table.TableName(), Field, Problem)
                               .arg(KxMaxRecordQuantity));
}

// Restores the table's read limit on every way out.
class TReadLimit {
public:
    TReadLimit(TTable& Table, int64_t Limit)
        : FTable(Table)
        , FBefore(Table.ReadLimit()) {
        FTable.SetReadLimit(Limit);
    }
    ~TReadLimit() { FTable.SetReadLimit(FBefore); }
    TReadLimit(const TReadLimit&) = delete;
    TReadLimit& operator=(const TReadLimit&) = delete;

private:
    TTable& FTable;
    qint64 FBefore;
};

} // namespace

TKxQuantities::TKxQuantities(int64_t FirstRecord, std::vector<int64_t> Ends)
    : FFirst(FirstRecord)
    , FEnds(std::move(Ends)) {}

int64_t TKxQuantities::Copies(int64_t Record) const {
    const int64_t i = Record - FFirst;
    if (i < 0 || i >= Records()) return 0;
    return FEnds[static_cast<size_t>(i)] - (i > 0 ? FEnds[static_cast<size_t>(i - 1)] : 0);
}

TKxQuantities::TPlace TKxQuantities::Locate(int64_t Label) const {
    // The first record whose labels end after Label holds it.
    const auto it = std::upper_bound(FEnds.begin(), FEnds.end(), Label);
    if (Label < 0 || it == FEnds.end()) return {};
    return {FFirst + (it - FEnds.begin()), *it - Label};
}

TKxQuantities::TPlace TKxQuantities::NextAfter(int64_t Record) const {
    const int64_t i = Record - FFirst;
    if (i < 0) return Locate(0);
    if (i >= Records()) return {};
    return Locate(FEnds[static_cast<size_t>(i)]);
}

TKxQuantities KxReadQuantities(TTable& Table, const QString& Field, int64_t First, int64_t Last,
                               int32_t Repetition) {
    const TField* field = Table.FindField(Field);
    if (!field) {
        QStringList names;
        for (int i = 0; i < Table.FieldCount(); ++i)
            names.append(Table.Fields(i).FieldName());
        throw EKxQuantityError(QStringLiteral("the quantity field \"%1\" is not a field of table \"%2\"; its "
                                              "fields are: %3")
                                   .arg(Field, Table.TableName(), names.join(QStringLiteral(", "))),
                               true);
    }
    const int index = field->Index();
    First = std::max<int64_t>(First, 1);
    const int64_t copies = std::max(Repetition, 1);
    std::vector<int64_t> ends;
    if (Last < First) return {First, std::move(ends)};
    const TReadLimit limit(Table, Last);
    ends.reserve(
        static_cast<size_t>(std::clamp<int64_t>(Table.RecordCount() - First + 1, 0, KxMaxQuantityRecords)));
    int64_t total = 0;
    for (Table.FirstFrom(First); !Table.Eof() && Table.RecNo() <= Last; Table.Next()) {
        const int64_t record = Table.RecNo();
        if (static_cast<int64_t>(ends.size()) >= KxMaxQuantityRecords)
            throw EKxQuantityError(
                QStringLiteral("the run reads the quantities of more than %1 records of table "
                               "\"%2\" (quantity record limit): print it in parts with a "
                               "record range")
                    .arg(KxMaxQuantityRecords)
                    .arg(Table.TableName()));
        const QVariant value = Table.CurrentValue(index);
        const TRead read = Whole(value);
        if (!read.Problem.isEmpty()) Refuse(Table, record, Field, read.Problem);
        if (read.Value < 0)
            Refuse(Table, record, Field, QStringLiteral("holds %1, which is negative").arg(Shown(value)));
        if (read.Value > KxMaxRecordQuantity)
            Refuse(Table, record, Field,
                   QStringLiteral("holds %1, more than a record may print").arg(Shown(value)));
        // Both factors are bounded, so the product fits; the sum is checked before it could overflow.
        const int64_t labels = read.Value * copies;
        if (total > KxMaxQuantityLabels - labels)
            throw EKxQuantityError(
                QStringLiteral("the quantities of table \"%1\" from record %2 to %3, times %4 "
                               "repetition(s), add up to more than %5 labels")
                    .arg(Table.TableName())
                    .arg(First)
                    .arg(record)
                    .arg(copies)
                    .arg(KxMaxQuantityLabels));
        total += labels;
        ends.push_back(total);
    }
    return {First, std::move(ends)};
}

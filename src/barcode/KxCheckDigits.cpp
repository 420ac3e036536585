#include "barcode/KxCheckDigits.h"

#include <algorithm>
#include <cstring>
#include <QCoreApplication>

namespace {

// The order of the modulo 43 values, which differs from the drawing table's order: '*' has no value.
constexpr char Code39Values[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

QString Tr(const char* Text) {
    return QCoreApplication::translate("KxBarcode", Text);
}

} // namespace

bool KxAllDigits(QStringView Text) {
    return !Text.isEmpty() &&
           std::all_of(Text.begin(), Text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int KxGS1CheckDigit(QStringView Digits) {
    int sum = 0;
    for (qsizetype i = 0; i < Digits.size(); ++i) {
        const int weight = (Digits.size() - i) % 2 == 1 ? 3 : 1;
        sum += (Digits[i].unicode() - u'0') * weight;
    }
    return (10 - sum % 10) % 10;
}

QString KxWrongCheckDigit(QChar Given, QChar Expected) {
    return Tr("Wrong check digit: the code ends in %1, but its check digit is %2").arg(Given).arg(Expected);
}

TKxCheckedNumber KxCheckedNumber(const QString& Code, int Length, const QString& KindName) {
    if (!KxAllDigits(Code) || (Code.size() != Length && Code.size() != Length - 1))
        return {
            {},
            Tr("%1 takes %2 digits, or %3 with its check digit").arg(KindName).arg(Length - 1).arg(Length)};
    const QChar expected(u'0' + KxGS1CheckDigit(QStringView(Code).left(Length - 1)));
    if (Code.size() == Length - 1) return {Code + expected, {}};
    if (Code.back() != expected) return {{}, KxWrongCheckDigit(Code.back(), expected)};
    return {Code, {}};
}

QChar KxCode39CheckChar(QStringView Code) {
    int sum = 0;
    for (const QChar c : Code) {
        const char* at =
            c.unicode() < 128 ? std::strchr(Code39Values, static_cast<char>(c.unicode())) : nullptr;
        if (at && *at) sum += static_cast<int>(at - Code39Values);
    }
    return QLatin1Char(Code39Values[sum % 43]);
}

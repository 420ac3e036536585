#include "barcode/KxDigitalLink.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUrl>

#include "barcode/KxCheckDigits.h"

namespace {

// Whether Digits is a number of one of the lengths with its check digit last.
bool CheckedKey(const QString& Digits, std::initializer_list<int> Lengths) {
    if (!KxAllDigits(Digits)) return false;
    for (const int length : Lengths)
        if (Digits.size() == length)
            return Digits.back().unicode() - u'0' == KxGS1CheckDigit(QStringView(Digits).chopped(1));
    return false;
}

} // namespace

QString KxDigitalLinkProblem(const QString& Url) {
    const QUrl url(Url, QUrl::StrictMode);
    const bool web =
        url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") && !url.host().isEmpty();
    if (web) {
        const QStringList segments = url.path().split(u'/', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 1 < segments.size(); ++i) {
            const QString& ai = segments[i];
            const QString& key = segments[i + 1];
            if ((ai == u"01" && CheckedKey(key, {8, 12, 13, 14})) || (ai == u"00" && CheckedKey(key, {18})) ||
                (ai == u"414" && CheckedKey(key, {13})))
                return {};
        }
    }
    return QCoreApplication::translate("KxBarcode", "A GS1 Digital Link is a web address whose path names a "
                                                    "GTIN with its check digit, as in %1")
        .arg(QStringLiteral("https://id.example.com/01/09501101530003/10/AB-12"));
}

#include "base/CodePage.h"

#include <array>

namespace {

// 0x80..0x9F; zero marks the five bytes the code page leaves unassigned.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QChar CodePageChar(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return QChar(kHigh[b - 0x80]);
    return QChar(static_cast<char16_t>(b));
}

char CodePageByte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        // The unassigned bytes decode to C1 controls of the same value and encode back.
        if ((kHigh[i] != 0 && kHigh[i] == u) || (kHigh[i] == 0 && u == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

QString FromCodePage(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(CodePageChar(static_cast<unsigned char>(b)));
    return out;
}

QByteArray ToCodePage(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(CodePageByte(c));
    return out;
}

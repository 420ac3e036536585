#include "elements/KxBarcodeGeometry.h"

#include <algorithm>
#include <limits>

#include "base/Rounding.h"
#include "base/Saturate.h"
#include "gdi/CanvasTypes.h"

namespace {

// Lengths come from files and dialogs as any 32-bit value, and a Code 39 string may be long: the
// walk runs in 64 bits and saturates (SatAdd, SatMul), and results are clamped to the 32-bit
// coordinate range.

// A point of the unturned symbol, turned about K.
TPoint Turned(int64_t x, int64_t y, const TPoint& K, int32_t Angle) {
    TPoint P{Saturate32(x), Saturate32(y)};
    Rotate(P, K, Angle);
    return P;
}

// The rectangle between two corners of the unturned symbol, turned about K, edges ordered.
TRect TurnedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const TPoint& K, int32_t Angle) {
    const TPoint a = Turned(x1, y1, K, Angle);
    const TPoint b = Turned(x2, y2, K, Angle);
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool AllDigits(const QString& Code, qsizetype Count) {
    return Code.size() == Count &&
           std::all_of(Code.begin(), Code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Position of the character in the Code 39 alphabet from 0, or -1.
int Code39Index(QChar c) {
    for (int k = 0; k < Code39Count; ++k)
        if (c == QLatin1Char(Code39Alphabet[k])) return k;
    return -1;
}

int Digit(const QString& Code, int i) {
    return Code[i].unicode() - u'0';
}

// Number of modules the box leaves for the symbol: one more than the symbol has.
int64_t BoxModules(TKxBar BarType) {
    return BarType == baEAN8 ? 68 : 96;
}

// Where each group of the human-readable line starts, in module widths right of the quiet zone
// (or, with a non-zero fixed offset, in label units of its own).
struct TTextGroup {
    int First;
    int Count;
    int64_t Modules;
    int64_t Fixed;
};

std::vector<TTextGroup> TextGroups(TKxBar BarType) {
    switch (BarType) {
    case baEAN13: return {{0, 1, 0, -25}, {1, 6, 5, 0}, {7, 6, 52, 0}};
    case baEAN8: return {{0, 4, 5, 0}, {4, 4, 38, 0}};
    case baUPCA: return {{0, 1, 0, -20}, {1, 5, 11, 0}, {6, 5, 51, 0}, {11, 1, 98, 0}};
    default: return {};
    }
}

void LayoutModules(const TKxBarcodeShape& S, const TPoint& K, int32_t Angle, TKxBarcodeLayout& L) {
    const int64_t w = S.Width;
    const int64_t h = S.Height;
    const int64_t x0 = int64_t{K.X} + S.LeftMargin;
    const int64_t y0 = int64_t{K.Y} + S.TopMargin;
    const int64_t extra = S.ShowNumber ? int64_t{S.FontHeight} : KxLongBarExtension;
    L.Box = TurnedRect(K.X, K.Y, int64_t{K.X} + 2 * int64_t{S.LeftMargin} + BoxModules(S.BarType) * w,
                       int64_t{K.Y} + h + 2 * int64_t{S.TopMargin} + extra, K, Angle);

    // Touching dark modules make one bar: separate rectangles meeting on fractional device pixels
    // leave hairlines in smoothing viewers and make larger documents.
    int64_t m = 1;
    int64_t e = 0;
    int64_t first = 0; // first module of the open bar, 0 when none is open
    const auto close = [&] {
        if (first) L.Bars.push_back(TurnedRect(x0 + m * w, y0, x0 + first * w, y0 + h + e, K, Angle));
        first = 0;
    };
    for (const QChar c : BarcodePattern(S.BarType, S.Code)) {
        switch (c.unicode()) {
        case u'3':
            close();
            e = KxLongBarExtension;
            break;
        case u'4':
            close();
            e = 0;
            break;
        case u'0':
            close();
            ++m;
            break;
        case u'1':
            if (!first) first = m;
            ++m;
            break;
        default: break;
        }
    }
    close();

    if (!S.ShowNumber) return;
    L.TextAlign = TA_LEFT | TA_TOP;
    for (const TTextGroup& g : TextGroups(S.BarType))
        L.Texts.push_back(
            {Turned(x0 + g.Modules * w + g.Fixed, y0 + h, K, Angle), S.Code.mid(g.First, g.Count)});
}

void LayoutCode39(const TKxBarcodeShape& S, const TPoint& K, int32_t Angle, TKxBarcodeLayout& L) {
    const int64_t n = S.Width;
    const int64_t W = 3 * n;
    const QString s = QStringLiteral("*") + S.Code + QStringLiteral("*");
    const int64_t T = SatAdd(SatMul(s.size(), 3 * W + 7 * n), 2 * int64_t{S.LeftMargin});
    const int64_t Hb = int64_t{S.Height} + S.TopMargin + (S.ShowNumber ? S.FontHeight : 0);
    L.Box = TurnedRect(K.X, K.Y, SatAdd(K.X, T), K.Y + Hb, K, Angle);

    // Past this distance every further bar would lie at the clamped edge of the coordinate range.
    constexpr int64_t reach = int64_t{1} << 33;
    int64_t x = int64_t{K.X} + S.LeftMargin;
    const int64_t y = int64_t{K.Y} + S.TopMargin;
    for (const QChar ch : s) {
        if (x - K.X > reach || K.X - x > reach) break;
        const char* entry = Code39Table + Code39Index(ch) * Code39Width;
        for (int j = 0; j < Code39Width; ++j) {
            const int64_t width = entry[j] == 'W' ? W : n;
            if (j % 2 == 0) L.Bars.push_back(TurnedRect(x, y, x + width, y + S.Height, K, Angle));
            x += width;
        }
        x += n;
    }

    if (!S.ShowNumber) return;
    L.TextAlign = TA_CENTER | TA_TOP;
    const int64_t half = Round(static_cast<Extended>(T) / 2);
    L.Texts.push_back({Turned(SatAdd(K.X, half), y + S.Height, K, Angle), s});
}

} // namespace

bool BarcodeCodeValid(TKxBar BarType, const QString& Code) {
    switch (BarType) {
    case baEAN13: return AllDigits(Code, 13);
    case baEAN8: return AllDigits(Code, 8);
    case baUPCA: return AllDigits(Code, 12);
    case baCode39: return std::all_of(Code.begin(), Code.end(), [](QChar c) { return Code39Index(c) >= 0; });
    }
    return true;
}

QString BarcodePattern(TKxBar BarType, const QString& Code) {
    if (BarType == baCode39 || !BarcodeCodeValid(BarType, Code)) return {};
    // EAN-13 carries its leading digit only in the A/B choice of digits 3 to 7; every other left-hand
    // digit takes set A.
    const char* sets = BarType == baEAN13 ? CodLeft[Digit(Code, 0)] : nullptr;
    const auto left = [&](int i) {
        const int d = Digit(Code, i);
        return QLatin1String(sets && i >= 2 && sets[i - 2] == 'B' ? LEFT_B[d] : LEFT_A[d]);
    };
    const auto right = [&](int i) { return QLatin1String(RIGHT[Digit(Code, i)]); };
    QString p;
    switch (BarType) {
    case baEAN13:
    case baEAN8: {
        const int first = BarType == baEAN13 ? 1 : 0;
        const int half = static_cast<int>(Code.size()) / 2;
        p += QLatin1String("31014");
        for (int i = first; i < first + half; ++i)
            p += left(i);
        p += QLatin1String("3010104");
        for (int i = first + half; i < Code.size(); ++i)
            p += right(i);
        p += QLatin1String("31014");
        break;
    }
    case baUPCA:
        // The guards and the bars of the first and the last digit are long.
        p += QLatin1String("3101");
        p += left(0);
        p += QLatin1Char('4');
        for (int i = 1; i <= 5; ++i)
            p += left(i);
        p += QLatin1String("3010104");
        for (int i = 6; i <= 10; ++i)
            p += right(i);
        p += QLatin1Char('3');
        p += right(11);
        p += QLatin1String("1014");
        break;
    default: break;
    }
    return p;
}

int32_t BarcodeDrawAngle(int32_t Angle) {
    return Angle == 90 || Angle == 180 || Angle == 270 ? Angle : 0;
}

TKxBarcodeLayout BarcodeLayout(const TKxBarcodeShape& Shape, const TPoint& K) {
    TKxBarcodeLayout L;
    if (!BarcodeCodeValid(Shape.BarType, Shape.Code)) return L;
    const int32_t angle = BarcodeDrawAngle(Shape.Angle);
    L.Escapement = angle * 10;
    switch (Shape.BarType) {
    case baEAN13:
    case baEAN8:
    case baUPCA: LayoutModules(Shape, K, angle, L); break;
    case baCode39: LayoutCode39(Shape, K, angle, L); break;
    default: break;
    }
    return L;
}

TKxInvalidMark InvalidMarkLayout(const TPoint& K, int32_t Height, int32_t Angle) {
    const int32_t angle = BarcodeDrawAngle(Angle);
    const int64_t x2 = int64_t{K.X} + KxInvalidMarkWidth;
    const int64_t y2 = int64_t{K.Y} + Height;
    TKxInvalidMark M;
    M.Box = TurnedRect(K.X, K.Y, x2, y2, K, angle);
    M.Diagonal1 = {Turned(K.X, K.Y, K, angle), Turned(x2, y2, K, angle)};
    M.Diagonal2 = {Turned(K.X, y2, K, angle), Turned(x2, K.Y, K, angle)};
    return M;
}

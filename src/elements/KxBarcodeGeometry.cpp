#include "elements/KxBarcodeGeometry.h"

#include <algorithm>
#include <cmath>
#include <QCoreApplication>

#include "barcode/KxCheckDigits.h"
#include "base/Rounding.h"
#include "base/Saturate.h"
#include "elements/KxBarcodeTurn.h"
#include "elements/KxSymbolLayout.h"
#include "gdi/CanvasTypes.h"

namespace {

// Lengths come from files and dialogs as any 32-bit value, and a Code 39 string may be long: the
// walk runs in 64 bits and saturates (SatAdd, SatMul), and results are clamped to the 32-bit
// coordinate range.

// Position of the character in the Code 39 alphabet from 0, or -1.
int Code39Index(QChar c) {
    for (int k = 0; k < Code39Count; ++k)
        if (c == QLatin1Char(Code39Alphabet[k])) return k;
    return -1;
}

int Digit(const QString& Code, int i) {
    return Code[i].unicode() - u'0';
}

// Where each group of the human-readable line starts, in module widths right of the quiet zone
// (or, with a non-zero fixed offset, in label units of its own), and the module where the next bars
// begin, which its digits must not reach (0 when no bars follow).
struct TTextGroup {
    int First;
    int Count;
    int64_t Modules;
    int64_t Fixed;
    int64_t End;
    /// Above the bars (an add-on's digits) instead of under them.
    bool Top = false;
};

// A retail symbol ready to lay out: its pattern, the digits it shows and where.
struct TRetailSymbol {
    QString Pattern;
    QString Digits;
    /// Modules the box leaves for the symbol: one more than the symbol has.
    int64_t BoxModules = 0;
    std::vector<TTextGroup> Groups;
};

std::vector<TTextGroup> TextGroups(TKxBar BarType) {
    switch (BarType) {
    case baEAN13:
    case baEAN13AddOn: return {{0, 1, 0, -25, 1}, {1, 6, 5, 0, 46}, {7, 6, 52, 0, 93}};
    case baEAN8: return {{0, 4, 5, 0, 32}, {4, 4, 38, 0, 65}};
    case baUPCA:
    case baUPCAAddOn: return {{0, 1, 0, -20, 1}, {1, 5, 11, 0, 46}, {6, 5, 51, 0, 86}, {11, 1, 98, 0, 0}};
    case baUPCE: return {{0, 1, 0, -20, 1}, {1, 6, 5, 0, 46}, {7, 1, 53, 0, 0}};
    default: return {};
    }
}

// Module indexes (from 0) where a marker goes in front of the module: the guard bars of each kind.
std::vector<std::pair<int, QChar>> GuardMarkers(TKxBar BarType) {
    switch (BarType) {
    case baEAN13AddOn: return {{0, u'3'}, {3, u'4'}, {45, u'3'}, {50, u'4'}, {92, u'3'}, {95, u'4'}};
    case baUPCAAddOn: return {{0, u'3'}, {10, u'4'}, {45, u'3'}, {50, u'4'}, {85, u'3'}, {95, u'4'}};
    case baUPCE: return {{0, u'3'}, {3, u'4'}, {45, u'3'}};
    default: return {};
    }
}

// UPC-E and the kinds with an add-on, from their encoder's modules.
TRetailSymbol EncodedRetail(const TKxBarcodeShape& S) {
    const TKxEncodedSymbol E = KxEncodeSymbol(S.BarType, S.Code, S.Options);
    TRetailSymbol R;
    if (!E.Ok() || E.Rows != 1) return R;
    std::vector<std::pair<int, QChar>> markers = GuardMarkers(S.BarType);
    int addOn = 0;
    if (S.BarType != baUPCE) {
        // The add-on starts with the first bar after the main symbol's 95 modules and the gap.
        for (addOn = 95; addOn < E.Columns && !E.Dark(0, addOn); ++addOn) {
        }
        markers.push_back({addOn, u'5'});
    }
    size_t next = 0;
    for (int c = 0; c < E.Columns; ++c) {
        while (next < markers.size() && markers[next].first == c)
            R.Pattern += markers[next++].second;
        R.Pattern += E.Dark(0, c) ? u'1' : u'0';
    }
    R.Digits = QString(E.Text).remove(u'+');
    R.BoxModules = E.Columns + 1;
    R.Groups = TextGroups(S.BarType);
    if (addOn) {
        // The last digits under the main symbol end before the add-on; the add-on's stand above it.
        R.Groups.back().End = addOn + 1;
        const int first = S.BarType == baEAN13AddOn ? 13 : 12;
        R.Groups.push_back(
            {first, static_cast<int>(R.Digits.size()) - first, addOn + 1, 0, E.Columns + 1, true});
    }
    return R;
}

TRetailSymbol Retail(const TKxBarcodeShape& S) {
    if (KxRetailKind(S.BarType)) return EncodedRetail(S);
    TRetailSymbol R;
    R.Digits = BarcodeFullCode(S.BarType, S.Code, S.Options);
    R.Pattern = BarcodePattern(S.BarType, R.Digits);
    R.BoxModules = S.BarType == baEAN8 ? 68 : 96;
    R.Groups = TextGroups(S.BarType);
    return R;
}

// The font of the digits as the shape asks, made smaller (cell height and character space alike)
// where a group would reach the bars that follow it.
void FitDigits(const TKxBarcodeShape& S, const std::vector<TTextGroup>& Groups, TKxBarcodeLayout& L) {
    L.FontHeight = S.FontHeight;
    L.CharSpace = S.CharSpace;
    double factor = 1;
    for (const TTextGroup& g : Groups) {
        if (!g.End) continue;
        const double room = static_cast<double>(g.End - g.Modules) * S.Width - static_cast<double>(g.Fixed);
        const double need = g.Count * (KxDigitAdvance * S.FontHeight + S.CharSpace);
        if (need > room) factor = std::min(factor, room > 0 ? room / need : 0.0);
    }
    if (factor >= 1) return;
    L.FontHeight = static_cast<int32_t>(std::floor(S.FontHeight * factor));
    L.CharSpace = static_cast<int32_t>(std::floor(S.CharSpace * factor));
}

void LayoutModules(const TKxBarcodeShape& S, const TRetailSymbol& R, const TPoint& K, int32_t Angle,
                   TKxBarcodeLayout& L) {
    const int64_t w = S.Width;
    const int64_t h = S.Height;
    const int64_t x0 = int64_t{K.X} + S.LeftMargin;
    const int64_t y0 = int64_t{K.Y} + S.TopMargin;
    const int64_t extra = S.ShowNumber ? int64_t{S.FontHeight} : KxLongBarExtension;
    L.Box = BarcodeTurnedRect(K.X, K.Y, int64_t{K.X} + 2 * int64_t{S.LeftMargin} + R.BoxModules * w,
                              int64_t{K.Y} + h + 2 * int64_t{S.TopMargin} + extra, K, Angle);
    FitDigits(S, R.Groups, L);
    const bool digits = S.ShowNumber && L.FontHeight > 0;

    // Touching dark modules make one bar: separate rectangles meeting on fractional device pixels
    // leave hairlines in smoothing viewers and make larger documents.
    int64_t m = 1;
    int64_t e = 0;
    int64_t top = 0;
    int64_t first = 0; // first module of the open bar, 0 when none is open
    const auto close = [&] {
        if (first)
            L.Bars.push_back(BarcodeTurnedRect(x0 + m * w, y0 + top, x0 + first * w, y0 + h + e, K, Angle));
        first = 0;
    };
    for (const QChar c : R.Pattern) {
        switch (c.unicode()) {
        case u'3':
            close();
            e = KxLongBarExtension;
            break;
        case u'4':
            close();
            e = 0;
            break;
        case u'5':
            // The add-on's digits stand above its bars, which reach down as far as the guards.
            close();
            e = KxLongBarExtension;
            top = digits ? int64_t{L.FontHeight} + w : 0;
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

    if (!digits) return;
    L.TextAlign = TA_LEFT | TA_TOP;
    for (const TTextGroup& g : R.Groups)
        L.Texts.push_back({BarcodeTurned(x0 + g.Modules * w + g.Fixed, g.Top ? y0 : y0 + h, K, Angle),
                           R.Digits.mid(g.First, g.Count)});
}

void LayoutCode39(const TKxBarcodeShape& S, const TPoint& K, int32_t Angle, TKxBarcodeLayout& L) {
    const int64_t n = S.Width;
    const int64_t W = 3 * n;
    const QString s =
        QStringLiteral("*") + BarcodeFullCode(S.BarType, S.Code, S.Options) + QStringLiteral("*");
    const int64_t T = SatAdd(SatMul(s.size(), 3 * W + 7 * n), 2 * int64_t{S.LeftMargin});
    const int64_t Hb = int64_t{S.Height} + S.TopMargin + (S.ShowNumber ? S.FontHeight : 0);
    L.Box = BarcodeTurnedRect(K.X, K.Y, SatAdd(K.X, T), K.Y + Hb, K, Angle);
    L.FontHeight = S.FontHeight;
    L.CharSpace = S.CharSpace;

    // Past this distance every further bar would lie at the clamped edge of the coordinate range.
    constexpr int64_t reach = int64_t{1} << 33;
    int64_t x = int64_t{K.X} + S.LeftMargin;
    const int64_t y = int64_t{K.Y} + S.TopMargin;
    for (const QChar ch : s) {
        if (x - K.X > reach || K.X - x > reach) break;
        const char* entry = Code39Table + Code39Index(ch) * Code39Width;
        for (int j = 0; j < Code39Width; ++j) {
            const int64_t width = entry[j] == 'W' ? W : n;
            if (j % 2 == 0) L.Bars.push_back(BarcodeTurnedRect(x, y, x + width, y + S.Height, K, Angle));
            x += width;
        }
        x += n;
    }

    if (!S.ShowNumber) return;
    L.TextAlign = TA_CENTER | TA_TOP;
    const int64_t half = Round(static_cast<Extended>(T) / 2);
    L.Texts.push_back({BarcodeTurned(SatAdd(K.X, half), y + S.Height, K, Angle), s});
}

QString Code39Problem(const QString& Code, bool Check) {
    for (const QChar c : Code)
        if (Code39Index(c) < 0 || (Check && c == u'*'))
            return QCoreApplication::translate("KxBarcode",
                                               "%1 cannot encode \u201c%2\u201d: it takes digits, "
                                               "capital letters, space and - . $ / + %")
                .arg(KxKindName(baCode39), c);
    return {};
}

} // namespace

QString BarcodeProblem(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options) {
    switch (BarType) {
    case baEAN13: return KxCheckedNumber(Code, 13, KxKindName(BarType)).Problem;
    case baEAN8: return KxCheckedNumber(Code, 8, KxKindName(BarType)).Problem;
    case baUPCA: return KxCheckedNumber(Code, 12, KxKindName(BarType)).Problem;
    case baCode39: return Code39Problem(Code, Options.Code39Check);
    default: break;
    }
    return KxEncodedKind(BarType) ? KxEncodeSymbol(BarType, Code, Options).Problem : QString();
}

bool BarcodeCodeValid(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options) {
    return BarcodeProblem(BarType, Code, Options).isEmpty();
}

QString BarcodeFullCode(TKxBar BarType, const QString& Code, const TKxSymbolOptions& Options) {
    const int length = BarType == baEAN13 ? 13 : BarType == baEAN8 ? 8 : BarType == baUPCA ? 12 : 0;
    if (length) {
        const TKxCheckedNumber number = KxCheckedNumber(Code, length, {});
        return number.Problem.isEmpty() ? number.Digits : Code;
    }
    if (BarType == baCode39 && Options.Code39Check && Code39Problem(Code, true).isEmpty())
        return Code + KxCode39CheckChar(Code);
    return Code;
}

QString BarcodePattern(TKxBar BarType, const QString& Entered) {
    if (KxRetailKind(BarType)) {
        TKxBarcodeShape shape;
        shape.BarType = BarType;
        shape.Code = Entered;
        return EncodedRetail(shape).Pattern;
    }
    if (BarType == baCode39 || !BarcodeCodeValid(BarType, Entered)) return {};
    const QString Code = BarcodeFullCode(BarType, Entered);
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
    const int32_t angle = BarcodeDrawAngle(Shape.Angle);
    L.Escapement = angle * 10;
    switch (Shape.BarType) {
    case baEAN13:
    case baEAN8:
    case baUPCA:
    case baUPCE:
    case baEAN13AddOn:
    case baUPCAAddOn: {
        const TRetailSymbol R = Retail(Shape);
        if (R.Pattern.isEmpty()) return L;
        LayoutModules(Shape, R, K, angle, L);
        break;
    }
    case baCode39:
        if (!BarcodeCodeValid(Shape.BarType, Shape.Code, Shape.Options)) return L;
        LayoutCode39(Shape, K, angle, L);
        break;
    default:
        if (!KxEncodedKind(Shape.BarType)) break;
        {
            const TKxEncodedSymbol E = KxEncodeSymbol(Shape.BarType, Shape.Code, Shape.Options);
            if (!E.Ok()) return L;
            LayoutEncodedSymbol(Shape, E, K, angle, L);
        }
        break;
    }
    L.Valid = true;
    return L;
}

TKxInvalidMark InvalidMarkLayout(const TPoint& K, int32_t Height, int32_t Angle) {
    const int32_t angle = BarcodeDrawAngle(Angle);
    const int64_t x2 = int64_t{K.X} + KxInvalidMarkWidth;
    const int64_t y2 = int64_t{K.Y} + Height;
    TKxInvalidMark M;
    M.Box = BarcodeTurnedRect(K.X, K.Y, x2, y2, K, angle);
    M.Diagonal1 = {BarcodeTurned(K.X, K.Y, K, angle), BarcodeTurned(x2, y2, K, angle)};
    M.Diagonal2 = {BarcodeTurned(K.X, y2, K, angle), BarcodeTurned(x2, K.Y, K, angle)};
    return M;
}

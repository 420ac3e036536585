#include "types/Kxtypes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include "types/KxStrings.h"

namespace {

constexpr int64_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp(v, Int32Min, Int32Max));
}

// Brings x into the 32-bit range before any integer conversion, which would overflow otherwise.
Extended ClampToInt32(Extended x) {
    if (std::isnan(x)) return 0;
    return std::clamp(x, static_cast<Extended>(Int32Min), static_cast<Extended>(Int32Max));
}

} // namespace

int32_t Coord(Extended x) {
    return static_cast<int32_t>(Round(ClampToInt32(x * 10.0L)));
}

Extended InCoord(int32_t i) {
    return i * 0.1L;
}

float MMTOINCH(float x) {
    return static_cast<float>(x * 0.03937007874015748L);
}

float INCHTOMM(float x) {
    return static_cast<float>(x * 25.4L);
}

int32_t Ceil(Extended x) {
    x = ClampToInt32(x);
    return Saturate(Trunc(x) + (Frac(x) > 0 ? 1 : 0));
}

int32_t Floor(Extended x) {
    x = ClampToInt32(x);
    return Saturate(Trunc(x) - (Frac(x) < 0 ? 1 : 0));
}

int32_t MyRound(Extended x) {
    x = ClampToInt32(x);
    return Saturate(Trunc(x) + (Frac(x) >= 0.5L ? 1 : 0));
}

int32_t MinInt(int32_t a, int32_t b) {
    return std::min(a, b);
}

int32_t MaxInt(int32_t a, int32_t b) {
    return std::max(a, b);
}

void Rotate(TPoint& P, const TPoint& C, int Angle) {
    const int64_t dx = int64_t{P.X} - C.X;
    const int64_t dy = int64_t{P.Y} - C.Y;
    switch (Angle) {
    case 0: return;
    case 90: P = {Saturate(C.X + dy), Saturate(C.Y - dx)}; return;
    case 180: P = {Saturate(C.X - dx), Saturate(C.Y - dy)}; return;
    case 270: P = {Saturate(C.X - dy), Saturate(C.Y + dx)}; return;
    default: return;
    }
}

void RotateBorder(TRect& R, int Angle, int32_t X, int32_t Y, int32_t W, int32_t H) {
    const int64_t x = X, y = Y;
    switch (Angle) {
    case 0: R = {X, Y, Saturate(x + W), Saturate(y + H)}; return;
    case 90: R = {X, Saturate(y - W), Saturate(x + H), Y}; return;
    case 180: R = {Saturate(x - W), Saturate(y - H), X, Y}; return;
    case 270: R = {Saturate(x - H), Y, X, Saturate(y + W)}; return;
    default: return;
    }
}

TRect NormalizeRect(const TRect& R, int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY) {
    // The steps run in this order on purpose: the near bounds go last and win.
    int64_t left = std::min(R.Left, R.Right), right = std::max(R.Left, R.Right);
    int64_t top = std::min(R.Top, R.Bottom), bottom = std::max(R.Top, R.Bottom);
    if (right - left < 8) right = left + 8;
    if (bottom - top < 8) bottom = top + 8;
    if (right > MaxX) {
        left -= right - MaxX;
        right = MaxX;
    }
    if (bottom > MaxY) {
        top -= bottom - MaxY;
        bottom = MaxY;
    }
    if (left < MinX) {
        right += MinX - left;
        left = MinX;
    }
    if (top < MinY) {
        bottom += MinY - top;
        top = MinY;
    }
    return {Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

void ResizeRect(const TRect& R, TRect& Out) {
    Out = {Saturate(int64_t{R.Left} + 2), Saturate(int64_t{R.Top} + 2), Saturate(int64_t{R.Right} - 2),
           Saturate(int64_t{R.Bottom} - 2)};
}

void MoveRect(TRect& R, int32_t X, int32_t Y) {
    const int64_t w = int64_t{R.Right} - R.Left;
    const int64_t h = int64_t{R.Bottom} - R.Top;
    R = {X, Y, Saturate(X + w), Saturate(Y + h)};
}

void RectLeft(TRect& R, int32_t V) {
    R.Left = V;
}

void RectRight(TRect& R, int32_t V) {
    R.Right = V;
}

void RectTop(TRect& R, int32_t V) {
    R.Top = V;
}

void RectBottom(TRect& R, int32_t V) {
    R.Bottom = V;
}

void AdjustRect(TRect& R) {
    R.Right = Saturate(int64_t{R.Right} + 1);
    R.Bottom = Saturate(int64_t{R.Bottom} + 1);
}

void PascalStr(QString& S) {
    S.replace(QLatin1Char('\''), QLatin1String("''"));
    S = QLatin1Char('\'') + S + QLatin1Char('\'');
}

void ComaStr(QString& S) {
    S.replace(QLatin1Char(','), QLatin1Char('.'));
}

namespace {

struct TPaperRow {
    float MMWidth, MMHeight, InchWidth, InchHeight;
    const char* FixedName;             // the same in every language
    std::optional<TKxStringId> NameId; // else read from the interface strings
    int32_t PaperSize;
};

// clang-format off
constexpr std::array<TPaperRow, PaperCount> PaperRows{{
    {210.0f, 297.0f, 8.268f, 11.693f, "A4", {}, 9},
    {139.7f, 215.9f, 5.5f, 8.5f, "STATEMENT", {}, 6},
    {184.1f, 266.7f, 7.25f, 10.5f, "EXECUTIVE", {}, 7},
    {215.9f, 279.4f, 8.5f, 11.0f, "LETTER", {}, 1},
    {215.9f, 355.6f, 8.5f, 14.0f, "LEGAL", {}, 5},
    {148.0f, 210.0f, 5.827f, 8.268f, "A5", {}, 11},
    {297.0f, 420.0f, 11.693f, 16.535f, "A3", {}, 8},
    {279.4f, 431.8f, 11.0f, 17.0f, "TABLOID", {}, 3},
    {431.8f, 279.4f, 17.0f, 11.0f, "LEDGER", {}, 4},
    {250.0f, 354.0f, 9.842f, 13.937f, "B4", {}, 12},
    {182.0f, 257.0f, 7.165f, 10.118f, "B5", {}, 13},
    {215.0f, 275.0f, 8.465f, 10.827f, "Quarto", {}, 15},
    {110.0f, 220.0f, 4.331f, 8.661f, nullptr, KxEnDL, 27},
    {162.0f, 229.0f, 6.378f, 9.016f, nullptr, KxEnC5, 28},
    {324.0f, 458.0f, 12.756f, 18.031f, nullptr, KxEnC3, 29},
    {229.0f, 324.0f, 9.016f, 12.756f, nullptr, KxEnC4, 30},
    {114.0f, 162.0f, 4.488f, 6.378f, nullptr, KxEnC6, 31},
    {114.0f, 229.0f, 4.488f, 9.016f, nullptr, KxEnC65, 32},
    {250.0f, 353.0f, 9.842f, 13.898f, nullptr, KxEnB4, 33},
    {176.0f, 250.0f, 6.929f, 9.842f, nullptr, KxEnB5, 34},
    {176.0f, 125.0f, 6.929f, 4.921f, nullptr, KxEnB6, 35},
    {110.0f, 230.0f, 4.331f, 9.055f, "Italy", {}, 36},
    {250.0f, 353.0f, 9.842f, 13.898f, "B4 (ISO)", {}, 42},
    {100.0f, 148.0f, 3.937f, 5.827f, "Japanese Postcard", {}, 43},
    {200.0f, 148.0f, 7.874f, 5.827f, "Japanese Doble", {}, 82},
    {220.0f, 220.0f, 8.661f, 8.661f, nullptr, KxEnInv, 47},
    {200.0f, 200.0f, 7.874f, 7.874f, nullptr, KxUser, 256},
}};
// clang-format on

void FillPaperNames(std::array<TPaperType, PaperCount>& papers) {
    for (size_t i = 0; i < papers.size(); ++i) {
        const TPaperRow& row = PaperRows[i];
        papers[i].Name = row.NameId ? KxStr(*row.NameId) : QString::fromLatin1(row.FixedName);
    }
}

/// Renames the catalogue's translated rows whenever the application's language changes.
class TPaperNameWatch : public QObject {
public:
    TPaperNameWatch(std::array<TPaperType, PaperCount>& papers, QObject* app)
        : QObject(app)
        , FPapers(papers) {
        app->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) FillPaperNames(FPapers);
        return QObject::eventFilter(watched, event);
    }

private:
    std::array<TPaperType, PaperCount>& FPapers;
};

} // namespace

const std::array<TPaperType, PaperCount>& Papers() {
    static std::array<TPaperType, PaperCount> papers = [] {
        std::array<TPaperType, PaperCount> p;
        for (size_t i = 0; i < p.size(); ++i) {
            const TPaperRow& row = PaperRows[i];
            p[i] = {row.MMWidth, row.MMHeight, row.InchWidth, row.InchHeight, {}, row.PaperSize};
        }
        return p;
    }();
    // The watch belongs to the application object; when there is none yet, or the one it watched is
    // gone, the names are read now and the watch is set up with the next application.
    static QPointer<TPaperNameWatch> watch;
    static bool named = false;
    if (!watch) {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            watch = new TPaperNameWatch(papers, app);
            named = false;
        }
    }
    if (!named || !watch) {
        FillPaperNames(papers);
        named = watch != nullptr;
    }
    return papers;
}

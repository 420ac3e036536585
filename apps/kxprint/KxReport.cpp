#include "KxReport.h"

#include <algorithm>
#include <QElapsedTimer>
#include <unistd.h>

namespace {

// Milliseconds since the first call.
int64_t Clock() {
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return timer.elapsed();
}

bool Reorders(char16_t C) {
    return (C >= 0x202A && C <= 0x202E) || (C >= 0x2066 && C <= 0x2069) || C == 0x200E || C == 0x200F;
}

} // namespace

QString KxTerminalText(const QString& Text) {
    QString out;
    out.reserve(Text.size());
    for (const QChar c : Text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            out += QLatin1String("\\n");
        else if (u == u'\t')
            out += QLatin1String("\\t");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else if (Reorders(u))
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

TKxReport::TKxReport(std::FILE* Err, bool Quiet)
    : FErr(Err)
    , FQuiet(Quiet)
    , FProgress(!Quiet && isatty(fileno(Err))) {
    FPrevious =
        SetMessageHook({[this](const QString& Text) { Warning(Text); }, [](unsigned) {}, [](bool) {}});
}

TKxReport::~TKxReport() {
    SetMessageHook(std::move(FPrevious));
}

int TKxReport::Error(int Code, const QString& Text) {
    FHeld.clear();
    std::fprintf(FErr, "%skxprint: %s\n", FLineOpen ? "\n" : "",
                 KxTerminalText(Text).toLocal8Bit().constData());
    std::fflush(FErr);
    FLineOpen = false;
    return Code;
}

void TKxReport::Warning(const QString& Text) {
    if (FQuiet) return;
    if (FHolding) {
        FHeld.append(Text);
        return;
    }
    std::fprintf(FErr, "%skxprint: warning: %s\n", FLineOpen ? "\n" : "",
                 KxTerminalText(Text).toLocal8Bit().constData());
    std::fflush(FErr);
    FLineOpen = false;
}

void TKxReport::Note(const QString& Text) {
    if (FQuiet) return;
    std::fprintf(FErr, "%skxprint: %s\n", FLineOpen ? "\n" : "",
                 KxTerminalText(Text).toLocal8Bit().constData());
    std::fflush(FErr);
    FLineOpen = false;
}

void TKxReport::Hold() {
    FHolding = true;
}

void TKxReport::Release() {
    FHolding = false;
    const QStringList held = std::exchange(FHeld, {});
    for (const QString& text : held)
        Warning(text);
}

void TKxReport::Progress(int64_t Labels, int64_t Sheets, bool Final) {
    if (!FProgress) return;
    const int64_t now = Clock();
    if (FStarted < 0) FStarted = now;
    if (!Final && FLastShown >= 0 && now - FLastShown < 100) return;
    FLastShown = now;
    const double seconds = std::max<int64_t>(now - FStarted, 1) / 1000.0;
    std::fprintf(FErr, "\r%12lld labels  %9lld sheets  %8.0f labels/s%s", static_cast<long long>(Labels),
                 static_cast<long long>(Sheets), Labels / seconds, Final ? "\n" : "");
    std::fflush(FErr);
    FLineOpen = !Final;
}

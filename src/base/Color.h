#pragma once

#include <cstdint>
#include <QColor>
#include <QVariant>

#include "kxlab_export.h"

/// A colour as the label file stores it: $00BBGGRR, red in the low byte.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
/// The system window colour, resolved to white when a colour is needed.
constexpr TColor clWindow = static_cast<TColor>(0x80000005);

constexpr int GetRValue(TColor c) {
    return c & 0xFF;
}
constexpr int GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}
constexpr TColor RGB(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

/// The plain RGB value of a colour (system colours resolved; the high byte dropped).
KXLAB_EXPORT TColor ColorToRGB(TColor c);
KXLAB_EXPORT QColor ToQColor(TColor c);
KXLAB_EXPORT TColor FromQColor(const QColor& c);
/// A colour given as a QColor (Qt Designer, a host), or as a TColor number, as forms kept colours
/// before they were edited as colours.
KXLAB_EXPORT TColor ColorFromVariant(const QVariant& v);

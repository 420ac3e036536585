#include "base/Color.h"

TColor ColorToRGB(TColor c) {
    if (c == clWindow) return clWhite;
    return c & 0x00FFFFFF;
}

QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

TColor ColorFromVariant(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<QColor>()) return FromQColor(v.value<QColor>());
    return v.toInt();
}

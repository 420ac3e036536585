#include "gdi/Font.h"

void TFont::SetName(const QString& name) {
    FLog.lfFaceName = name;
    Rebuilt();
}

void TFont::SetHeight(int32_t height) {
    FLog.lfHeight = height;
    Rebuilt();
}

TFontStyles TFont::Style() const {
    TFontStyles style;
    style.setFlag(fsBold, FLog.lfWeight >= FW_BOLD);
    style.setFlag(fsItalic, FLog.lfItalic != 0);
    style.setFlag(fsUnderline, FLog.lfUnderline != 0);
    style.setFlag(fsStrikeOut, FLog.lfStrikeOut != 0);
    return style;
}

void TFont::SetStyle(TFontStyles style) {
    FLog.lfWeight = style.testFlag(fsBold) ? FW_BOLD : FW_NORMAL;
    FLog.lfItalic = style.testFlag(fsItalic) ? 1 : 0;
    FLog.lfUnderline = style.testFlag(fsUnderline) ? 1 : 0;
    FLog.lfStrikeOut = style.testFlag(fsStrikeOut) ? 1 : 0;
    Rebuilt();
}

void TFont::SetCharset(uint8_t charset) {
    FLog.lfCharSet = charset;
    Rebuilt();
}

#pragma once

#include <cstdint>
#include <QFlags>
#include <QString>

#include "base/Color.h"
#include "kxlab_export.h"

enum class TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)
using enum TFontStyle;

constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;

/// The logical-font record: what a font handle is made from and read back as.
struct KXLAB_EXPORT TLogFont {
    /// Positive: character cell height (ascent + descent); negative: em height; 0: the default.
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    /// Tenths of a degree, counter-clockwise on the page.
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = FW_NORMAL;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = DEFAULT_CHARSET;
    QString lfFaceName;

    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

/// A canvas font. Changing the face, height, style or character set rebuilds the font from those
/// properties, which drops any escapement set through the logical-font record; the colour is not
/// part of the record and changes nothing else.
class KXLAB_EXPORT TFont {
public:
    const QString& Name() const { return FLog.lfFaceName; }
    void SetName(const QString& name);
    /// Logical units: positive is the character cell height, negative the em height.
    int32_t Height() const { return FLog.lfHeight; }
    void SetHeight(int32_t height);
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    uint8_t Charset() const { return FLog.lfCharSet; }
    void SetCharset(uint8_t charset);
    /// Tenths of a degree counter-clockwise; set only through SetLogFont.
    int32_t Escapement() const { return FLog.lfEscapement; }

    /// Reads the font as a logical-font record.
    TLogFont GetLogFont() const { return FLog; }
    /// Makes the font from a record (the way to set the escapement); the colour is kept.
    void SetLogFont(const TLogFont& log) { FLog = log; }

    friend bool operator==(const TFont&, const TFont&) = default;

private:
    void Rebuilt() { FLog.lfEscapement = FLog.lfOrientation = 0; }

    TLogFont FLog{.lfHeight = -11, .lfFaceName = QStringLiteral("Arial")};
    TColor FColor = clBlack;
};

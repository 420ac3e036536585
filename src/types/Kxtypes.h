#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <QMetaEnum>
#include <QObject>
#include <QString>

#include "base/Geometry.h"
#include "base/Rounding.h"
#include "kxlab_export.h"

/// The shared enumerations. They live in a Qt namespace so their spellings are reachable through
/// QMetaEnum and they can serve as Q_PROPERTY types (name them as KxEnums::TKxUnits there); the
/// using-declarations below bring the types and their values to global scope. Ordinals are fixed:
/// the label file stores them as one byte.
namespace KxEnums {
Q_NAMESPACE_EXPORT(KXLAB_EXPORT)

/// The unit of the designer's public lengths.
enum TKxUnits : uint8_t { unMM, unINCH };
Q_ENUM_NS(TKxUnits)

/// Zoom step of the design surface.
enum TKxZoom : uint8_t { zm50, zm75, zm100, zm200, zm400 };
Q_ENUM_NS(TKxZoom)

/// Drawing target: design surface, printer, recorded preview page.
enum TKxDrawType : uint8_t { tdLab, tdPrint, tdPreview };
Q_ENUM_NS(TKxDrawType)

/// What a mouse drag on the design surface does.
enum TKxDrawTool : uint8_t {
    dwLine,
    dwRect,
    dwText,
    dwBarCode,
    dwSelection,
    dwSymbol,
    dwAddText,
    dwImage,
    dwParagraph
};
Q_ENUM_NS(TKxDrawTool)

/// Element kind; the tag of each element record. No element class answers dePoint.
enum TKxEle : uint8_t { dePoint, deLine, deText, deBar, deRect, deSymbol, dePoliText, deImage, deParagraph };
Q_ENUM_NS(TKxEle)

/// Label background.
enum TKxBackStyle : uint8_t { biNone, biImage, biGradHor, biGradVer, biGraCircle };
Q_ENUM_NS(TKxBackStyle)

/// Label frame: none, one line, two lines.
enum TKxFrameStyle : uint8_t { fsNone, fsSingle, fsDoble };
Q_ENUM_NS(TKxFrameStyle)

/// Snapping of mouse positions while editing.
enum TKxSnap : uint8_t { snPoint, snGrid, snNone };
Q_ENUM_NS(TKxSnap)

/// Shape of one label.
enum TKxLabelType : uint8_t { ltRect, ltCircle };
Q_ENUM_NS(TKxLabelType)

/// State of a mouse drag in progress.
enum TKxDrag : uint8_t { drNone, drLine, drObject, drSizes, drAligns };
Q_ENUM_NS(TKxDrag)

/// Which part of an element or guide is being dragged.
enum TKxDragType : uint8_t {
    dtMove,
    dtTop,
    dtLeft,
    dtBottom,
    dtRight,
    dtPoint1,
    dtPoint2,
    dtLine,
    dtAlignLeft,
    dtAlignTop
};
Q_ENUM_NS(TKxDragType)

/// Which rulers a repaint redraws.
enum TKxDrawRuler : uint8_t { duBoth, duTop, duLeft, duNone };
Q_ENUM_NS(TKxDrawRuler)

/// Alignment of an element to the guides; only eaLeft and eaTop move an element.
enum TKxEleAlign : uint8_t { eaLeft, eaTop, eaRight, eaBottom };
Q_ENUM_NS(TKxEleAlign)

/// Barcode symbology: the four retail kinds with their own encoder, then the kinds encoded by libzint.
/// New kinds are appended; a label file keeps a kind after the four in an extension record.
enum TKxBar : uint8_t {
    baEAN13,
    baEAN8,
    baCode39,
    baUPCA,
    baCode128,
    baGS1128,
    baITF14,
    baUPCE,
    baEAN13AddOn,
    baUPCAAddOn,
    baQR,
    baDataMatrix,
    baPDF417,
    baAztec
};
Q_ENUM_NS(TKxBar)

/// Anchor of a single-line text: left/centre/right with baseline/bottom/top.
enum TTextAlign : uint8_t { taLeBa, taCeBa, taRiBa, taLeBo, taCeBo, taRiBo, taLeTo, taCeTo, taRiTo };
Q_ENUM_NS(TTextAlign)

/// Line format of a paragraph; the fourth value really is spelled taJustify.
enum TTextFormat : uint8_t { tfLeft, tfRight, tfCenter, taJustify };
Q_ENUM_NS(TTextFormat)
} // namespace KxEnums

using KxEnums::TKxBackStyle;
using KxEnums::TKxBar;
using KxEnums::TKxDrag;
using KxEnums::TKxDragType;
using KxEnums::TKxDrawRuler;
using KxEnums::TKxDrawTool;
using KxEnums::TKxDrawType;
using KxEnums::TKxEle;
using KxEnums::TKxEleAlign;
using KxEnums::TKxFrameStyle;
using KxEnums::TKxLabelType;
using KxEnums::TKxSnap;
using KxEnums::TKxUnits;
using KxEnums::TKxZoom;
using KxEnums::TTextAlign;
using KxEnums::TTextFormat;
using enum KxEnums::TKxBackStyle;
using enum KxEnums::TKxBar;
using enum KxEnums::TKxDrag;
using enum KxEnums::TKxDragType;
using enum KxEnums::TKxDrawRuler;
using enum KxEnums::TKxDrawTool;
using enum KxEnums::TKxDrawType;
using enum KxEnums::TKxEle;
using enum KxEnums::TKxEleAlign;
using enum KxEnums::TKxFrameStyle;
using enum KxEnums::TKxLabelType;
using enum KxEnums::TKxSnap;
using enum KxEnums::TKxUnits;
using enum KxEnums::TKxZoom;
using enum KxEnums::TTextAlign;
using enum KxEnums::TTextFormat;

/// The spelling of an enumeration value ("unMM", "zm100"); empty for a value outside the type.
template <typename E>
QString KxEnumName(E value) {
    const char* key = QMetaEnum::fromType<E>().valueToKey(static_cast<int>(value));
    return key ? QString::fromLatin1(key) : QString();
}

/// The designer's right-button event: select tells whether an element was hit; X, Y in client pixels.
using TKxRightClickEvent = std::function<void(QObject* Sender, bool select, int X, int Y)>;
/// The designer's selection event.
using TKxSelectEvent = std::function<void(QObject* Sender)>;

// Unit conversion. A label unit is a tenth of a millimetre, held as a 32-bit integer.

/// Millimetres to label units: x * 10 rounded half to even. Saturates at the 32-bit range; NaN gives 0.
KXLAB_EXPORT int32_t Coord(Extended x);
/// Label units to millimetres: i * 0.1.
KXLAB_EXPORT Extended InCoord(int32_t i);
/// Millimetres to inches, the product rounded to single precision.
KXLAB_EXPORT float MMTOINCH(float x);
/// Inches to millimetres, the product rounded to single precision.
KXLAB_EXPORT float INCHTOMM(float x);

/// Trunc(x), plus 1 when the fraction is positive.
KXLAB_EXPORT int32_t Ceil(Extended x);
/// Trunc(x), minus 1 when the fraction is negative.
KXLAB_EXPORT int32_t Floor(Extended x);
/// Trunc(x), plus 1 when the fraction is at least 0.5; negative values therefore truncate (-2.7 -> -2).
KXLAB_EXPORT int32_t MyRound(Extended x);
KXLAB_EXPORT int32_t MinInt(int32_t a, int32_t b);
KXLAB_EXPORT int32_t MaxInt(int32_t a, int32_t b);

/// A point in the designer's current unit (millimetres or inches).
struct KXLAB_EXPORT TPoint2D {
    float X = 0;
    float Y = 0;

    friend bool operator==(const TPoint2D&, const TPoint2D&) = default;
};

/// A rectangle of four singles; kept for hosts, nothing in the library reads it.
struct KXLAB_EXPORT TRect2D {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;

    friend bool operator==(const TRect2D&, const TRect2D&) = default;
};

inline TPoint2D Point2D(float X, float Y) {
    return {X, Y};
}
inline TRect2D Rect2D(float Left, float Top, float Right, float Bottom) {
    return {Left, Top, Right, Bottom};
}

// Point and rectangle helpers. Results that leave the 32-bit range saturate instead of wrapping.

/// Turns P about C by Angle degrees, a quarter turn counter-clockwise on the page (y down) per 90.
/// Only 0, 90, 180 and 270 are defined; any other angle leaves P as it is.
KXLAB_EXPORT void Rotate(TPoint& P, const TPoint& C, int Angle);
/// R := the bounding rectangle of a W x H box anchored at (X, Y) and turned like Rotate.
/// Any angle other than 0, 90, 180 and 270 leaves R as it is.
KXLAB_EXPORT void RotateBorder(TRect& R, int Angle, int32_t X, int32_t Y, int32_t W, int32_t H);
/// Orders the edges, makes the rectangle at least 8 x 8, then shifts it inside the bounds: the far
/// bounds first, then the near ones, which win when the rectangle is larger than the bounds.
KXLAB_EXPORT TRect NormalizeRect(const TRect& R, int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY);
/// Out := R shrunk by 2 on every side.
KXLAB_EXPORT void ResizeRect(const TRect& R, TRect& Out);
/// Moves R so that its top-left corner is (X, Y), keeping its size.
KXLAB_EXPORT void MoveRect(TRect& R, int32_t X, int32_t Y);
KXLAB_EXPORT void RectLeft(TRect& R, int32_t V);
KXLAB_EXPORT void RectRight(TRect& R, int32_t V);
KXLAB_EXPORT void RectTop(TRect& R, int32_t V);
KXLAB_EXPORT void RectBottom(TRect& R, int32_t V);
/// Grows Right and Bottom by 1, for drawing calls that exclude the far edge.
KXLAB_EXPORT void AdjustRect(TRect& R);

// Text helpers for building filter conditions.

/// Doubles every single quote of S and encloses it in single quotes: O'Hara -> 'O''Hara'.
KXLAB_EXPORT void PascalStr(QString& S);
/// Replaces every comma of S by a point: 3,25 -> 3.25.
KXLAB_EXPORT void ComaStr(QString& S);

/// One row of the paper catalogue. Sizes are single-precision constants; PaperSize is the
/// printer driver's paper code (256 for a user-defined size).
struct KXLAB_EXPORT TPaperType {
    float MMWidth = 0;
    float MMHeight = 0;
    float InchWidth = 0;
    float InchHeight = 0;
    QString Name;
    int32_t PaperSize = 0;
};

inline constexpr int PaperCount = 27;
/// Row of the user-defined size, the only one whose width and height the user may edit.
inline constexpr int UserPaperIndex = 26;

/// The paper catalogue. The envelope and user rows are named from the interface strings; their
/// names follow the application's language: they are read on first use and again whenever the
/// QCoreApplication receives a LanguageChange (a translator was installed or removed).
KXLAB_EXPORT const std::array<TPaperType, PaperCount>& Papers();

// Barcode symbol tables. Modules: '1' bar, '0' space, leftmost first. Widths: 'W'/'1' wide,
// 'N'/'0' narrow.

/// EAN/UPC left-hand number set A (odd parity), by digit.
inline constexpr std::array<const char*, 10> LEFT_A{"0001101", "0011001", "0010011", "0111101", "0100011",
                                                    "0110001", "0101111", "0111011", "0110111", "0001011"};
/// EAN left-hand number set B (even parity), by digit.
inline constexpr std::array<const char*, 10> LEFT_B{"0100111", "0110011", "0011011", "0100001", "0011101",
                                                    "0111001", "0000101", "0010001", "0001001", "0010111"};
/// EAN/UPC right-hand number set C, by digit.
inline constexpr std::array<const char*, 10> RIGHT{"1110010", "1100110", "1101100", "1000010", "1011100",
                                                   "1001110", "1010000", "1000100", "1001000", "1110100"};
/// Number sets of the 3rd to 7th digits of an EAN-13, by the leading digit (the 2nd is always A).
inline constexpr std::array<const char*, 10> CodLeft{"AAAAA", "ABABB", "ABBAB", "ABBBA", "BAABB",
                                                     "BBAAB", "BBBAA", "BABAB", "BABBA", "BBABA"};

/// The Code 39 alphabet; a character's position here selects its entry of Code39Table.
inline constexpr char Code39Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
inline constexpr int Code39Count = 44;
inline constexpr int Code39Width = 9;
/// Code 39 element widths, 9 per character (bar, space, ... bar), entries back to back in
/// alphabet order; entry k (from 0) starts at k * Code39Width.
inline constexpr char Code39Table[] = "NNNWWNWNN"
                                      "WNNWNNNNW"
                                      "NNWWNNNNW"
                                      "WNWWNNNNN"
                                      "NNNWWNNNW"
                                      "WNNWWNNNN"
                                      "NNWWWNNNN"
                                      "NNNWNNWNW"
                                      "WNNWNNWNN"
                                      "NNWWNNWNN"
                                      "WNNNNWNNW"
                                      "NNWNNWNNW"
                                      "WNWNNWNNN"
                                      "NNNNWWNNW"
                                      "WNNNWWNNN"
                                      "NNWNWWNNN"
                                      "NNNNNWWNW"
                                      "WNNNNWWNN"
                                      "NNWNNWWNN"
                                      "NNNNWWWNN"
                                      "WNNNNNNWW"
                                      "NNWNNNNWW"
                                      "WNWNNNNWN"
                                      "NNNNWNNWW"
                                      "WNNNWNNWN"
                                      "NNWNWNNWN"
                                      "NNNNNNWWW"
                                      "WNNNNNWWN"
                                      "NNWNNNWWN"
                                      "NNNNWNWWN"
                                      "WWNNNNNNW"
                                      "NWWNNNNNW"
                                      "WWWNNNNNN"
                                      "NWNNWNNNW"
                                      "WWNNWNNNN"
                                      "NWWNWNNNN"
                                      "NWNNNNWNW"
                                      "WWNNNNWNN"
                                      "NWWNNNWNN"
                                      "NWNNWNWNN"
                                      "NWNWNWNNN"
                                      "NWNWNNNWN"
                                      "NWNNNWNWN"
                                      "NNNWNWNWN";
static_assert(sizeof(Code39Table) == Code39Count * Code39Width + 1);
static_assert(sizeof(Code39Alphabet) == Code39Count + 1);

inline constexpr int Int25Width = 5;
/// Interleaved 2 of 5 widths of the digits 0..9, 5 per digit back to back.
inline constexpr char Int25Table[] = "00110"
                                     "10001"
                                     "01001"
                                     "11000"
                                     "00101"
                                     "10100"
                                     "01100"
                                     "00011"
                                     "10010"
                                     "01010";
static_assert(sizeof(Int25Table) == 10 * Int25Width + 1);

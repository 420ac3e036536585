#pragma once

#include <cstdint>
#include <QObject>
#include <QString>

#include "kxlab_export.h"

/// Identifiers of the interface strings. Each names one English text that a translation may replace
/// at run time; two identifiers may share a text ("Back") and still translate differently.
namespace KxStringIds {
Q_NAMESPACE_EXPORT(KXLAB_EXPORT)

enum TKxStringId : uint16_t {
    KxLinePro,
    KxBarCodePro,
    KxTextPro,
    KxAddTextPro,
    KxSymbolPro,
    KxParaPro,
    KxRecPro,
    KxImaPro,
    KxLabPro,
    KxPrintPr,
    KxColor,
    KxBack1,
    KxBack,
    KxTransparent,
    KxFont,
    KxName,
    KxBold,
    KxHeight,
    KxStyle,
    KxItalic,
    KxUnderline,
    KxText,
    KxAngle,
    KxCaracDist,
    KxInsert,
    KxDataBase,
    KxField,
    KxExtract,
    KxFirstP,
    KxSecondP,
    KxPenWidth,
    KxBorder,
    KxShow,
    KxCircle,
    KxImage,
    KxBefore,
    KxAfter,
    KxBarCode,
    KxBarType,
    KxProperties,
    KxShowNumber,
    KxBarWidth,
    KxLeftMargin,
    KxTopMargin,
    KxNumberHeight,
    KxDim,
    KxWidth,
    KxSep,
    KxHor,
    KxVer,
    KxSize,
    KxLabelType,
    KxPrint,
    KxGrid,
    KxRow,
    KxCol,
    KxPaper,
    KxRect,
    KxInnerRadio,
    KxPortrait,
    KxLandscape,
    KxGridY,
    KxGridX,
    KxFrame,
    KxD1Frame,
    KxD2Frame,
    KxSnapGrid,
    KxShowGrid,
    KxShowMar,
    KxRepe,
    KxAlignOb,
    KxAlignLeft,
    KxAlignTop,
    KxNuLabs,
    KxFirstCol,
    KxFirstRow,
    KxPrintFrom,
    KxTo,
    KxPrMarg,
    KxDis,
    KxShowLines,
    KxLeft,
    KxTop,
    KxTable,
    KxColSelect,
    KxPrintBack,
    KxGradientFrom,
    KxGradientTo,
    KxBackStyle,
    KxUser,
    KxClose,
    KxEnDL,
    KxEnC5,
    KxEnC3,
    KxEnC4,
    KxEnC6,
    KxEnC65,
    KxEnB5,
    KxEnB4,
    KxEnB6,
    KxEnInv,
    KxInvalidFile,
    KxInvalidImageField
};
Q_ENUM_NS(TKxStringId)
} // namespace KxStringIds

using KxStringIds::TKxStringId;
using enum KxStringIds::TKxStringId;

inline constexpr int KxStringCount = KxInvalidImageField + 1;

/// The text of an identifier in the application's current language, read now. Translations are looked
/// up in the context "KxStrings" with the identifier's spelling as disambiguation.
KXLAB_EXPORT QString KxStr(TKxStringId id);
/// The built-in English text of an identifier (what KxStr answers when no translation has it).
KXLAB_EXPORT const char* KxStrEnglish(TKxStringId id);

/// Installs the translation kxlab_<language> embedded in the library, replacing the one installed
/// before; an empty language removes it (English). Answers false, and changes nothing, when there is
/// no such translation or no QCoreApplication. Installing or removing sends LanguageChange.
KXLAB_EXPORT bool KxLoadLanguage(const QString& language);

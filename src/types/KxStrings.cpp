#include "types/KxStrings.h"

#include <array>
#include <memory>
#include <QCoreApplication>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTranslator>

namespace {

struct TKxStringEntry {
    TKxStringId Id;
    const char* English;
};

// clang-format off
constexpr std::array<TKxStringEntry, KxStringCount> KxStringTable{{
    {KxLinePro, "Line Properties"},
    {KxBarCodePro, "BarCode Properties"},
    {KxTextPro, "Text Properties"},
    {KxAddTextPro, "Compound Text Properties"},
    {KxSymbolPro, "Symbol Properties"},
    {KxParaPro, "Paragraph Properties"},
    {KxRecPro, "Rectangle Properties"},
    {KxImaPro, "Image Properties"},
    {KxLabPro, "Label Properties"},
    {KxPrintPr, "Print Preview"},
    {KxColor, "Color"},
    {KxBack1, "Back"},
    {KxBack, "Back"},
    {KxTransparent, "Transparent"},
    {KxFont, "Font"},
    {KxName, "Name"},
    {KxBold, "Bold"},
    {KxHeight, "Height"},
    {KxStyle, "Style"},
    {KxItalic, "Italic"},
    {KxUnderline, "Underline"},
    {KxText, "Text"},
    {KxAngle, "Angle"},
    {KxCaracDist, "Caracter distance"},
    {KxInsert, "Position"},
    {KxDataBase, "DataBase"},
    {KxField, "Field"},
    {KxExtract, "Extract"},
    {KxFirstP, "First Point"},
    {KxSecondP, "Second Point"},
    {KxPenWidth, "Pen Width"},
    {KxBorder, "Border"},
    {KxShow, "Show"},
    {KxCircle, "Circle"},
    {KxImage, "Image"},
    {KxBefore, "Before"},
    {KxAfter, "After"},
    {KxBarCode, "BarCode"},
    {KxBarType, "Kind"},
    {KxProperties, "Properties"},
    {KxShowNumber, "Show Number"},
    {KxBarWidth, "Bar Width"},
    {KxLeftMargin, "L. Margin"},
    {KxTopMargin, "T. Margin"},
    {KxNumberHeight, "Number H."},
    {KxDim, "Dimensions"},
    {KxWidth, "Width"},
    {KxSep, "Separation"},
    {KxHor, "Horizontal"},
    {KxVer, "Vertical"},
    {KxSize, "Label Type"},
    {KxLabelType, "Label Type"},
    {KxPrint, "Print"},
    {KxGrid, "Grid"},
    {KxRow, "Rows"},
    {KxCol, "Columns"},
    {KxPaper, "Paper"},
    {KxRect, "Rectangle"},
    {KxInnerRadio, "Inner Radio"},
    {KxPortrait, "Portrait"},
    {KxLandscape, "Landscape"},
    {KxGridY, "Vertical distance"},
    {KxGridX, "Horizontal distance"},
    {KxFrame, "Frame"},
    {KxD1Frame, "Frame 1 Distance"},
    {KxD2Frame, "Frame 2 Distance"},
    {KxSnapGrid, "Snap to Grid"},
    {KxShowGrid, "Show Grid"},
    {KxShowMar, "Show Margins"},
    {KxRepe, "Repetitions"},
    {KxAlignOb, "Align Objects"},
    {KxAlignLeft, "Left"},
    {KxAlignTop, "Top"},
    {KxNuLabs, "Number of labels"},
    {KxFirstCol, "First Column"},
    {KxFirstRow, "First Row"},
    {KxPrintFrom, "Print From"},
    {KxTo, "To"},
    {KxPrMarg, "Margins"},
    {KxDis, "Distribution"},
    {KxShowLines, "Show Lines"},
    {KxLeft, "Left: "},
    {KxTop, "Top: "},
    {KxTable, "Table"},
    {KxColSelect, "Selection Color"},
    {KxPrintBack, "Print Back"},
    {KxGradientFrom, "Gradient From"},
    {KxGradientTo, "Gradient To"},
    {KxBackStyle, "Back Style:"},
    {KxUser, "User"},
    {KxClose, "Close"},
    {KxEnDL, "Envelope DL"},
    {KxEnC5, "Envelope C5"},
    {KxEnC3, "Envelope C3"},
    {KxEnC4, "Envelope C4"},
    {KxEnC6, "Envelope C6"},
    {KxEnC65, "Envelope C65"},
    {KxEnB5, "Envelope B5"},
    {KxEnB4, "Envelope B4"},
    {KxEnB6, "Envelope B6"},
    {KxEnInv, "Envelope Invite"},
    {KxInvalidFile, "Invalid filename: "},
    {KxInvalidImageField, "Invalid Field Name "},
}};
// clang-format on

constexpr bool TableFollowsIdentifiers() {
    for (size_t i = 0; i < KxStringTable.size(); ++i) {
        if (KxStringTable[i].Id != i) return false;
    }
    return true;
}
static_assert(TableFollowsIdentifiers(), "every identifier needs its row, in identifier order");

// Where the build embeds the compiled translations.
const QString TranslationFolder = QStringLiteral(":/kxlab/i18n");

std::unique_ptr<QTranslator>& InstalledTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

const char* KxStrEnglish(TKxStringId id) {
    return id < KxStringTable.size() ? KxStringTable[id].English : "";
}

QString KxStr(TKxStringId id) {
    // The identifier's spelling is the disambiguation, so equal English texts translate apart.
    const char* name = QMetaEnum::fromType<TKxStringId>().valueToKey(id);
    return QCoreApplication::translate("KxStrings", KxStrEnglish(id), name);
}

bool KxLoadLanguage(const QString& language) {
    if (!QCoreApplication::instance()) return false;
    std::unique_ptr<QTranslator>& installed = InstalledTranslator();
    if (language.isEmpty()) {
        if (installed) QCoreApplication::removeTranslator(installed.get());
        installed.reset();
        return true;
    }
    // A language is a locale name (es, es_ES); anything else could reach outside the folder.
    static const QRegularExpression localeName(QStringLiteral("^[A-Za-z]{2,3}([_-][A-Za-z0-9]{1,8}){0,2}$"));
    if (!localeName.match(language).hasMatch()) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("kxlab_") + language, TranslationFolder)) return false;
    // Translators added later are searched first, so the new one takes over before the old one goes.
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    if (installed) QCoreApplication::removeTranslator(installed.get());
    installed = std::move(translator);
    return true;
}

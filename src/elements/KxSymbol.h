#pragma once

#include <cstdint>
#include <QByteArray>
#include <QChar>

#include "elements/KxData.h"
#include "gdi/Font.h"
#include "kxlab_export.h"

class TCanvas;
class TTable;

/// One character of a chosen font (a symbol font as a rule) with its cell's top-left corner at P1,
/// turned by Angle. Bound to a field, it prints only on the labels of records whose field is true;
/// the design surface always shows it.
class KXLAB_EXPORT TKxSymbol : public TKxData {
public:
    explicit TKxSymbol(TKxOwner* AOwner);

    /// Draws on every target for an unbound symbol; a bound one reaches paper and preview only with
    /// data and a true field. A field the table lacks raises the table's EDBEngineError.
    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;
    TKxEle ElementType() const override { return deSymbol; }

    /// The character a font shows for a byte: the private-use symbol range (U+F000 + Code) when the
    /// face maps its glyphs through a symbol character map, the Windows-1252 character otherwise.
    static QChar CharFor(uint8_t Code, const TLogFont& Font);
    /// True when a font's character-map table ("cmap", as stored in the font file) has a symbol
    /// encoding (platform 3, encoding 0).
    static bool IsSymbolCharMap(const QByteArray& CmapTable);

    /// The character code drawn.
    uint8_t Symbol = 128;
    bool Bold = false;

private:
    void PrepareCanvas(TCanvas& Canvas) const;
    bool FieldIsTrue(TTable* Record) const;
};

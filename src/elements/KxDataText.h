#pragma once

#include <cstdint>
#include <QString>

#include "base/Geometry.h"
#include "elements/KxData.h"
#include "kxlab_export.h"

class TCanvas;

/// What every text element shares: the text, its anchor and its font styles, the preparation of a
/// canvas for writing it and the rules by which a bound text takes its content.
class KXLAB_EXPORT TKxDataText : public TKxData {
public:
    explicit TKxDataText(TKxOwner* AOwner);

    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;

    /// Prepares the canvas for this element's text, in this order: font (default character set,
    /// Color, FontName, Height as the cell height in logical units), bold, italic and underline
    /// added or removed (other style bits kept), escapement Angle x 10 tenths of a degree, the text
    /// alignment of Align, the brush (BackColor, clear when Transparent) and CharSpace as the
    /// character extra.
    void AdjustCanvas(TCanvas& Canvas) const;

    /// Written when no database value replaces it.
    QString Text = QStringLiteral("text");
    /// Which point of the text lies at P1. The name hides TKxElement::Align(TKxEleAlign) in text
    /// classes; call that through a TKxElement pointer or reference.
    TTextAlign Align = taLeTo;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

protected:
    /// The content to write. Bound and with data, the design surface shows the field's name and
    /// keeps it as Text for good; print and preview take the current record's value and leave Text
    /// alone. A field the table lacks raises the data layer's error; without a table Text is written.
    QString Content(const TKxDrawContext& C);
    /// Writes Before + content + After at Origin + P1 on the target's canvas; on the design surface
    /// also sets Bounds from the written extent, P1 taken as the unturned top-left corner.
    void DrawLine(const TPoint& Origin, const TKxDrawContext& C, const QString& Before, const QString& After);
};

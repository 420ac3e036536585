#pragma once

#include <QString>

#include "base/Geometry.h"
#include "elements/KxDataText.h"
#include "kxlab_export.h"

class TCanvas;

/// Running text word-wrapped inside the box from P1 to P2, flush left, flush right, centred or
/// justified, over an optional fill and inside an optional frame. The text sits PenWidth + 5 label
/// units inside the box on every side, framed or not.
class KXLAB_EXPORT TKxParagraph : public TKxDataText {
public:
    explicit TKxParagraph(TKxOwner* AOwner);

    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    /// Opens the paragraph dialog.
    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;
    TKxEle ElementType() const override { return deParagraph; }

    /// Writes Text justified to both edges of Box (logical units) on a canvas that AdjustCanvas has
    /// prepared. Runs of CR, LF and spaces are one separator; a line break ends a paragraph only
    /// directly after a word, and the last line of each paragraph is flush left. Lines step down by
    /// Height; they are never clipped, but those starting at or below Box's bottom are left out.
    void JustifyText(TCanvas& Canvas, const TRect& Box, const QString& Text) const;

    TTextFormat Format = tfLeft;
};

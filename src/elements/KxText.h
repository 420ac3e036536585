#pragma once

#include "elements/KxDataText.h"
#include "kxlab_export.h"

/// One line of text written at P1 with the anchor that Align names.
class KXLAB_EXPORT TKxText : public TKxDataText {
public:
    explicit TKxText(TKxOwner* AOwner);

    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    /// Opens the text dialog.
    void SaveToStream(QDataStream& S) const override;
    TKxEle ElementType() const override { return deText; }
};

#pragma once

#include <QString>

#include "elements/KxDataText.h"
#include "kxlab_export.h"

/// A compound text: Before, the content and After written as one line, with no spaces added.
class KXLAB_EXPORT TKxAddText : public TKxDataText {
public:
    explicit TKxAddText(TKxOwner* AOwner);

    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    /// Opens the compound text dialog.
    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;
    TKxEle ElementType() const override { return dePoliText; }

    QString Before = QStringLiteral("Pre");
    QString After = QStringLiteral("Post");
};

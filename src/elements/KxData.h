#pragma once

#include <cstdint>
#include <QString>

#include "elements/KxElement.h"
#include "kxlab_export.h"

class TCanvas;

/// An element whose content may come from a database field: symbols, barcodes, pictures, texts.
class KXLAB_EXPORT TKxData : public TKxElement {
public:
    explicit TKxData(TKxOwner* AOwner);

    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;

    /// Height in the owner's unit (no clamp).
    float GetHeight() const;
    void SetHeight(float Value);

    /// Character height, or bar height for barcodes; label units.
    int32_t Height = 50;
    QString FontName = QStringLiteral("Arial");
    /// Name of the database field that supplies the content.
    QString Field;
    /// Use Field instead of the element's own content when data is available.
    bool DataBase = false;

protected:
    /// Prepares the canvas to write this element's characters: font name, Height, Color, the three
    /// styles as given (strike-out left as it is), the Angle as escapement, and the background brush.
    void PrepareText(TCanvas& Canvas, bool Bold, bool Italic, bool Underline) const;
};

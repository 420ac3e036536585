#pragma once

#include <QString>

#include "elements/KxData.h"

/// What every text element shares: the text, its anchor and its font styles.
class TKxDataText : public TKxData {
public:
    explicit TKxDataText(TKxOwner* AOwner);

    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;

    /// Written when no database value replaces it.
    QString Text = QStringLiteral("text");
    /// Which point of the text lies at P1. The name hides TKxElement::Align(TKxEleAlign) in text
    /// classes; call that through a TKxElement pointer or reference.
    TTextAlign Align = taLeTo;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

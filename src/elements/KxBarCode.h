#pragma once

#include <cstdint>
#include <QString>

#include "elements/KxData.h"
#include "kxlab_export.h"

class TCanvas;
struct TKxBarcodeShape;

/// A one-dimensional barcode: EAN-13, EAN-8, UPC-A or Code 39, with an optional human-readable line
/// under the bars, turned by 0, 90, 180 or 270 degrees about P1. Lengths are label units (tenths of
/// a millimetre). The check digit is part of Code as entered: never computed or verified.
class KXLAB_EXPORT TKxBarCode : public TKxData {
public:
    explicit TKxBarCode(TKxOwner* AOwner);

    /// The symbol, or the invalid mark when the code cannot be drawn. On tdPrint and tdPreview, with
    /// WithData and DataBase, the current record's value of Field is drawn; Code itself is kept.
    void Draw(const TPoint& Origin, const TKxDrawContext& C) override;
    void SaveToStream(QDataStream& S) const override;
    void LoadFromStream(QDataStream& S, int Version) override;
    TKxEle ElementType() const override { return deBar; }

    /// Whether Code can be drawn as BarType.
    bool ValidCode() const;

    /// Module width in millimetres whatever the owner's unit.
    float GetWidth() const;
    void SetWidth(float Value);
    /// Bar separation in millimetres whatever the owner's unit; kept, but no drawing uses it.
    float GetDistance() const;
    void SetDistance(float Value);
    /// Height of the human-readable line, in the owner's unit.
    float GetFontHeight() const;
    void SetFontHeight(float Value);
    /// Quiet zone left of the symbol, in the owner's unit.
    float GetLeftMargin() const;
    void SetLeftMargin(float Value);
    /// Space above the bars, in the owner's unit.
    float GetTopMargin() const;
    void SetTopMargin(float Value);

    /// Module width; a wide Code 39 element is three.
    int32_t Width = 3;
    int32_t Distance = 3;
    int32_t FontHeight = 30;
    int32_t LeftMargin = 30;
    int32_t TopMargin = 0;
    /// The text to encode, check digit included.
    QString Code = QStringLiteral("8410894000109");
    /// A file may hold an ordinal outside the four; such a barcode draws nothing.
    TKxBar BarType = baEAN13;
    bool ShowNumber = true;

private:
    TKxBarcodeShape Shape(const QString& Text) const;
    void DrawSymbol(const QString& Text, const TPoint& Origin, const TKxDrawContext& C);
    void DrawInvalidMark(const TPoint& Origin, const TKxDrawContext& C);
    /// The content for this drawing: the record's value when bound and data may be used.
    QString DrawnText(const TKxDrawContext& C) const;
};

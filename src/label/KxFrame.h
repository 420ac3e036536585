#pragma once

#include <cstdint>

#include "base/Color.h"
#include "kxlab_export.h"
#include "label/KxSettings.h"

/// The frame drawn round each label: none, one or two (rounded) lines inset from the edge.
class KXLAB_EXPORT TKxFrame : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(KxEnums::TKxFrameStyle Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(float Dist1 READ GetDist1 WRITE SetDist1)
    Q_PROPERTY(float Dist2 READ GetDist2 WRITE SetDist2)
    Q_PROPERTY(float PenWidth READ GetPenWidth WRITE SetPenWidth)
    Q_PROPERTY(float Radio READ GetRadio WRITE SetRadio)
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
public:
    explicit TKxFrame(TKxSettingsOwner* AOwner = nullptr);

    /// Copies every setting from another TKxFrame; no repaint.
    void Assign(const QObject* Source);

    TKxFrameStyle GetStyle() const { return FStyle; }
    void SetStyle(TKxFrameStyle Value);
    /// Inset of the first line from the label edge.
    float GetDist1() const { return ToUnits(FDist1); }
    void SetDist1(float Value);
    /// Further inset of the second line of a double frame.
    float GetDist2() const { return ToUnits(FDist2); }
    void SetDist2(float Value);
    /// Corner ellipse width and height.
    float GetRadio() const { return ToUnits(FRadio); }
    void SetRadio(float Value);
    /// Line width, in the owner's unit like every other length here.
    float GetPenWidth() const { return ToUnits(FPenWidth); }
    void SetPenWidth(float Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);

    int32_t Dist1LU() const { return FDist1; }
    int32_t Dist2LU() const { return FDist2; }
    int32_t RadioLU() const { return FRadio; }
    int32_t PenWidthLU() const { return FPenWidth; }

    /// The stored fields in label file order.
    template <class TIO>
    void Transfer(TIO& IO) {
        IO(FColor);
        IO(FDist1);
        IO(FDist2);
        IO(FRadio);
        IO.Enum(FStyle, fsDoble);
        IO(FPenWidth);
    }

private:
    /// Stores a length without clamp and repaints: every length of the frame behaves so.
    void StoreLength(int32_t& Field, float Value);

    TKxFrameStyle FStyle = fsNone;
    int32_t FDist1 = 0;
    int32_t FDist2 = 10;
    int32_t FRadio = 0;
    int32_t FPenWidth = 2;
    TColor FColor = clBlack;
};

#pragma once

#include <cstdint>

#include "base/Color.h"
#include "kxlab_export.h"
#include "label/KxSettings.h"

/// The design grid: dots every IncX by IncY on the surface, and the snap points of the editor.
class KXLAB_EXPORT TKxGrid : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
    Q_PROPERTY(float IncX READ GetIncX WRITE SetIncX)
    Q_PROPERTY(float IncY READ GetIncY WRITE SetIncY)
    Q_PROPERTY(bool Show READ GetShow WRITE SetShow)
public:
    explicit TKxGrid(TKxSettingsOwner* AOwner = nullptr);

    /// Copies Color, IncX and IncY (not Show) from another TKxGrid; no repaint.
    void Assign(const QObject* Source);

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetShow() const { return FShow; }
    void SetShow(bool Value);
    float GetIncX() const { return ToUnits(FIncX); }
    /// At most the label width, then at least 1 mm.
    void SetIncX(float Value);
    float GetIncY() const { return ToUnits(FIncY); }
    /// At most the label height, then at least 1 mm.
    void SetIncY(float Value);

    int32_t IncXLU() const { return FIncX; }
    int32_t IncYLU() const { return FIncY; }
    /// The steps the grid is drawn and snapped with, in label units: IncX and IncY, or 1 mm for a
    /// step below one unit, which only a label file can hold (the setters never store one).
    int32_t StepX() const { return FIncX >= 1 ? FIncX : MinStep; }
    int32_t StepY() const { return FIncY >= 1 ? FIncY : MinStep; }

    /// Steps as a label file stores them, past the setters' clamps; no repaint.
    void SetRawSteps(int32_t IncX, int32_t IncY) {
        FIncX = IncX;
        FIncY = IncY;
    }

    /// The stored fields in label file order.
    template <class TIO>
    void Transfer(TIO& IO) {
        IO(FColor);
        IO(FIncX);
        IO(FIncY);
        IO(FShow);
    }

private:
    static constexpr int32_t MinStep = 10;
    /// Clamps an increment to [1 mm, Limit] in the order the setters need: the upper bound first,
    /// so a label narrower than 1 mm still gets a 1 mm step.
    void StoreIncrement(int32_t& Field, float Value, int32_t Limit);

    TColor FColor = clRed;
    int32_t FIncX = 100;
    int32_t FIncY = 100;
    bool FShow = false;
};

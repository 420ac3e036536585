#pragma once

#include <cstdint>
#include <QObject>

#include "types/Kxtypes.h"

class TKxLab;

/// Common base of the control's settings objects: the owner link and the owner operations the
/// setters call. An object without an owner (a free-standing value to Assign from) works in
/// millimetres and repaints nothing.
class TKxSettings : public QObject {
    Q_OBJECT
public:
    /// The designer control that created the object; null for a free-standing object.
    TKxLab* GetOwner() const { return FOwner; }

protected:
    explicit TKxSettings(TKxLab* AOwner);

    TKxUnits Units() const;
    /// A length in label units as a value in the owner's unit, and back.
    float ToUnits(int32_t lu) const;
    int32_t FromUnits(float value) const;

    void OwnerAdjustScroll() const;
    void OwnerFlip(TKxDrawRuler Which) const;
    void OwnerPaint(bool Repaint) const;

private:
    TKxLab* FOwner = nullptr;
};

#pragma once

#include <cstdint>
#include <QObject>

#include "kxlab_export.h"
#include "types/Kxtypes.h"

class TKxSettingsOwner;

/// Common base of the label's settings objects: the owner link and the owner requests the setters
/// make. An object without an owner (a free-standing value to Assign from) works in millimetres and
/// repaints nothing.
///
/// Each settings class lists its stored fields in file order in a Transfer member template, the
/// label file's only way past the setters: values read from a file are kept as stored.
class KXLAB_EXPORT TKxSettings : public QObject {
    Q_OBJECT
public:
    /// The label the object belongs to; null for a free-standing object.
    TKxSettingsOwner* GetOwner() const { return FOwner; }

protected:
    explicit TKxSettings(TKxSettingsOwner* AOwner);

    TKxUnits Units() const;
    /// A length in label units as a value in the owner's unit, and back.
    float ToUnits(int32_t lu) const;
    int32_t FromUnits(float value) const;

    /// Stores Value when it differs from Field; true when it did, so the caller repaints.
    template <class T>
    static bool Store(T& Field, const T& Value) {
        if (Field == Value) return false;
        Field = Value;
        return true;
    }

    void OwnerAdjustScroll() const;
    void OwnerFlip(TKxDrawRuler Which) const;
    void OwnerPaint(bool Repaint) const;

private:
    TKxSettingsOwner* FOwner = nullptr;
};

#pragma once

#include <cstdint>
#include <functional>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>

#include "controls/SpinEditFloat.h"
#include "dialogs/KxPropDialog.h"

/// An element dialog for element class E: the typed element and the binders that name E's members.
template <class E>
class TKxElementDialog : public TKxPropDialog {
public:
    using TKxPropDialog::TKxPropDialog;

    void SetElement(E* Element) { FElement = Element; }
    E* GetElement() const { return FElement; }

protected:
    TKxElement* Edited() const override { return FElement; }

    void BindCheck(QCheckBox* Box, bool E::*Flag) {
        AddLoader([this, Box, Flag] { Box->setChecked(FElement->*Flag); });
        OnChange(Box, &QCheckBox::toggled, [this, Flag](bool On) { FElement->*Flag = On; });
    }
    void BindInt(QSpinBox* Box, int32_t E::*Value) {
        AddLoader([this, Box, Value] { Box->setValue(FElement->*Value); });
        OnChange(Box, &QSpinBox::valueChanged, [this, Value](int V) { FElement->*Value = V; });
    }
    /// A float box written through the element's setter, in the owner's unit or millimetres.
    void BindFloat(TSpinEditFloat* Box, std::function<float(const E&)> Get,
                   std::function<void(E&, float)> Set) {
        AddLoader([this, Box, Get] { Box->SetValue(Get(*FElement)); });
        OnChange(Box, &TSpinEditFloat::changed,
                 [this, Box, Set] { Set(*FElement, static_cast<float>(Box->GetValue())); });
    }
    /// A text; unless WriteEmpty, an empty editor keeps the element's last text.
    void BindText(QLineEdit* Edit, QString E::*Text, bool WriteEmpty) {
        AddLoader([this, Edit, Text] { Edit->setText(FElement->*Text); });
        OnChange(Edit, &QLineEdit::textChanged, [this, Text, WriteEmpty](const QString& V) {
            if (WriteEmpty || !V.isEmpty()) FElement->*Text = V;
        });
    }

private:
    E* FElement = nullptr;
};

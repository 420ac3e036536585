#pragma once

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxBarCode.h"

namespace Ui {
class TPropCoBar;
}

/// The barcode's dialog: pages "BarCode", "Properties" and "Position". The "Options" group under the
/// code shows the options of the kinds that have them (QR, Data Matrix, Code 39), and a line under the
/// code says what keeps it from being drawn.
class TPropCoBar : public TKxForm<TKxElementDialog<TKxBarCode>, Ui::TPropCoBar> {
    Q_OBJECT
public:
    explicit TPropCoBar(QWidget* parent = nullptr);
    ~TPropCoBar() override;

    /// The kind list's index of a barcode kind ("EAN 13", "EAN 8", "UPC A", "CODE 39", then the kinds
    /// after the four in enumeration order), and back; -1 for a kind outside the enumeration.
    static int KindIndex(TKxBar Kind);
    static TKxBar KindOfIndex(int Index);

protected:
    void SpinOverrides(bool Inch) override;
    void Changed() override;

private:
    void BindKind();
    void BindOptions();
    /// Shows the options of the element's kind and what is wrong with its code.
    void ShowKind();
};

/// The barcode dialog while it is shown.
extern TPropCoBar* PropCoBar;

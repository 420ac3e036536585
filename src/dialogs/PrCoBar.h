#pragma once

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxBarCode.h"

namespace Ui {
class TPropCoBar;
}

/// The barcode's dialog: pages "BarCode", "Properties" and "Position".
class TPropCoBar : public TKxForm<TKxElementDialog<TKxBarCode>, Ui::TPropCoBar> {
    Q_OBJECT
public:
    explicit TPropCoBar(QWidget* parent = nullptr);
    ~TPropCoBar() override;

    /// The kind list's index of a barcode kind ("EAN 13", "EAN 8", "UPC A", "CODE 39"), and back;
    /// -1 for a kind outside the four.
    static int KindIndex(TKxBar Kind);
    static TKxBar KindOfIndex(int Index);

protected:
    void SpinOverrides(bool Inch) override;

private:
    void BindKind();
};

/// The barcode dialog while it is shown.
extern TPropCoBar* PropCoBar;

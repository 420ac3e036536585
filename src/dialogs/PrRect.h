#pragma once

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxRect.h"

namespace Ui {
class TProRect;
}

/// The rectangle's dialog: its box, pen, colours, corner radius and the circle switch.
class TProRect : public TKxForm<TKxElementDialog<TKxRect>, Ui::TProRect> {
    Q_OBJECT
public:
    explicit TProRect(QWidget* parent = nullptr);
    ~TProRect() override;

    /// A rectangle has no field: nothing depends on open data.
    void Ini() { IniSteps(false); }
};

/// The rectangle dialog while it is shown.
extern TProRect* ProRect;

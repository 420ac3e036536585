#pragma once

#include "dialogs/KxElementDialog.h"
#include "dialogs/KxForm.h"
#include "elements/KxLine.h"

namespace Ui {
class TProLin;
}

/// The line's dialog: its two points, colour and pen width.
class TProLin : public TKxForm<TKxElementDialog<TKxLine>, Ui::TProLin> {
    Q_OBJECT
public:
    explicit TProLin(QWidget* parent = nullptr);
    ~TProLin() override;

    /// A line has no field: nothing depends on open data.
    void Ini() { IniSteps(false); }
};

/// The line dialog while it is shown.
extern TProLin* ProLin;

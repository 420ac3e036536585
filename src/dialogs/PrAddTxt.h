#pragma once

#include "dialogs/KxForm.h"
#include "dialogs/KxTextDialog.h"
#include "elements/KxAddText.h"

namespace Ui {
class TProAddText;
}

/// The compound text's dialog: the text dialog's pages, the middle text between "Before" and "After".
class TProAddText : public TKxForm<TKxTextDialog<TKxAddText>, Ui::TProAddText> {
    Q_OBJECT
public:
    explicit TProAddText(QWidget* parent = nullptr);
    ~TProAddText() override;
};

/// The compound text dialog while it is shown.
extern TProAddText* ProAddText;

#pragma once

#include "dialogs/KxForm.h"
#include "dialogs/KxTextDialog.h"
#include "elements/KxText.h"

namespace Ui {
class TPropText;
}

/// The text element's dialog: pages "Text", "Font" and "Position".
class TPropText : public TKxForm<TKxTextDialog<TKxText>, Ui::TPropText> {
    Q_OBJECT
public:
    explicit TPropText(QWidget* parent = nullptr);
    ~TPropText() override;
};

/// The text dialog while it is shown.
extern TPropText* PropText;

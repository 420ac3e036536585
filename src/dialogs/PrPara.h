#pragma once

#include "dialogs/KxForm.h"
#include "dialogs/KxTextDialog.h"
#include "elements/KxParagraph.h"

namespace Ui {
class TPropPara;
}

/// The paragraph's dialog: pages "Text", "Font" (with the four alignment buttons) and "Position".
class TPropPara : public TKxForm<TKxTextDialog<TKxParagraph>, Ui::TPropPara> {
    Q_OBJECT
public:
    explicit TPropPara(QWidget* parent = nullptr);
    ~TPropPara() override;

private:
    void BindMemo();
    void BindFormat();
};

/// The paragraph dialog while it is shown.
extern TPropPara* PropPara;

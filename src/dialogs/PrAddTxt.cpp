#include "dialogs/PrAddTxt.h"

#include "ui_PrAddTxt.h"

TProAddText* ProAddText = nullptr;

TProAddText::TProAddText(QWidget* parent)
    : TKxForm(parent) {
    BindLineForm(*ui, true);
    // The fixed texts may be emptied; only the middle text keeps its last non-empty value.
    BindText(ui->EdBefore, &TKxAddText::Before, true);
    BindText(ui->EdAfter, &TKxAddText::After, true);
}

TProAddText::~TProAddText() = default;

// Compiled here, where the form class is complete.
#include "moc_PrAddTxt.cpp"

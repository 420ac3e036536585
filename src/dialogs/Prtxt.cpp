#include "dialogs/Prtxt.h"

#include "ui_Prtxt.h"

TPropText* PropText = nullptr;

TPropText::TPropText(QWidget* parent)
    : TKxForm(parent) {
    BindLineForm(*ui, false);
}

TPropText::~TPropText() = default;

// Compiled here, where the form class is complete.
#include "moc_Prtxt.cpp"

#include "dialogs/Prline.h"

#include "ui_Prline.h"

TProLin* ProLin = nullptr;

TProLin::TProLin(QWidget* parent)
    : TKxForm(parent) {
    FRepaintAfterIni = false;
    BindPoint(ui->SpEdFloatX1, ui->SpEdFloatY1, false);
    BindPoint(ui->SpEdFloatX2, ui->SpEdFloatY2, true);
    BindColor(ui->ShCoLine, &TKxElement::Color);
    BindPenWidth(ui->SpEdFloatPen);
}

TProLin::~TProLin() = default;

// Compiled here, where the form class is complete.
#include "moc_Prline.cpp"

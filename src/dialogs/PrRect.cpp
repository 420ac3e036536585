#include "dialogs/PrRect.h"

#include "ui_PrRect.h"

TProRect* ProRect = nullptr;

TProRect::TProRect(QWidget* parent)
    : TKxForm(parent) {
    FRepaintAfterIni = false;
    // Rectangles are placed more finely in inches than the other elements.
    FInchStep = 0.02;
    BindPoint(ui->SpEdFloatX1, ui->SpEdFloatY1, false);
    BindPoint(ui->SpEdFloatX2, ui->SpEdFloatY2, true);
    BindPenWidth(ui->SpEdFloatPen);
    BindColor(ui->ShCoBorder, &TKxElement::LineColor);
    BindColor(ui->ShFillCo, &TKxElement::BackColor);
    BindFloat(ui->SpEdFloatRadio, &TKxRect::GetRadio, &TKxRect::SetRadio);
    BindCheck(ui->CkBoxCircle, &TKxRect::Circle);
}

TProRect::~TProRect() = default;

// Compiled here, where the form class is complete.
#include "moc_PrRect.cpp"

#include "dialogs/KxHostButtons.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>

#include "dialogs/KxDialog.h"

namespace {

// The box layout under Root that holds Widget directly, or null.
QBoxLayout* LayoutHolding(QLayout* Root, QWidget* Widget) {
    if (!Root) return nullptr;
    if (Root->indexOf(Widget) >= 0) return qobject_cast<QBoxLayout*>(Root);
    for (int i = 0; i < Root->count(); ++i)
        if (QBoxLayout* found = LayoutHolding(Root->itemAt(i)->layout(), Widget)) return found;
    return nullptr;
}

} // namespace

void KxAddHostButtons(TKxDialog& Dialog) {
    auto* own = Dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QBoxLayout* ownRow = own ? LayoutHolding(Dialog.layout(), own) : nullptr;
    const auto kinds = ownRow ? QDialogButtonBox::Cancel : QDialogButtonBox::Close | QDialogButtonBox::Cancel;
    auto* buttons = new QDialogButtonBox(kinds, &Dialog);
    buttons->setObjectName(QStringLiteral("KxHostButtons"));
    // Neither button is the default one: Return in a box of the form must not end the dialog.
    for (QAbstractButton* b : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b)) push->setAutoDefault(false);
    // Both buttons have the reject role: each is connected by itself, not through rejected().
    QObject::connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, &Dialog,
                     &TKxDialog::Cancel);
    if (QPushButton* close = buttons->button(QDialogButtonBox::Close))
        QObject::connect(close, &QPushButton::clicked, &Dialog, &QDialog::close);
    if (ownRow)
        ownRow->insertWidget(ownRow->indexOf(own), buttons);
    else if (auto* column = qobject_cast<QBoxLayout*>(Dialog.layout()))
        column->addWidget(buttons);
    else if (auto* grid = qobject_cast<QGridLayout*>(Dialog.layout()))
        grid->addWidget(buttons, grid->rowCount(), 0, 1, grid->columnCount());
}

#include "dialogs/KxNavigator.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>

#include "dialogs/KxDialog.h"
#include "dialogs/KxRecordModel.h"

TKxNavigator::TKxNavigator(QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FFirst = AddButton("nbFirst", QStringLiteral("|\u25C0"), &TKxRecordModel::First);
    FPrior = AddButton("nbPrior", QStringLiteral("\u25C0"), &TKxRecordModel::Prior);
    FNext = AddButton("nbNext", QStringLiteral("\u25B6"), &TKxRecordModel::Next);
    FLast = AddButton("nbLast", QStringLiteral("\u25B6|"), &TKxRecordModel::Last);
    Retranslate();
    CheckButtons();
}

QToolButton* TKxNavigator::AddButton(const char* Name, const QString& Glyph, void (TKxRecordModel::*Move)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(Name));
    button->setText(Glyph);
    button->setMinimumSize(28, 24);
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, Move] {
        if (FSource) TKxDialog::Guarded([&] { (FSource->*Move)(); });
        CheckButtons();
    });
    return button;
}

void TKxNavigator::SetDataSource(TKxRecordModel* Source) {
    if (FSource) disconnect(FSource, nullptr, this, nullptr);
    FSource = Source;
    if (FSource) {
        connect(FSource, &TKxRecordModel::currentRowChanged, this, &TKxNavigator::CheckButtons);
        connect(FSource, &TKxRecordModel::modelReset, this, &TKxNavigator::CheckButtons);
    }
    CheckButtons();
}

void TKxNavigator::CheckButtons() {
    const bool back = FSource && FSource->CanMoveBack();
    const bool on = FSource && FSource->CanMoveOn();
    FFirst->setEnabled(back);
    FPrior->setEnabled(back);
    FNext->setEnabled(on);
    FLast->setEnabled(on);
}

void TKxNavigator::Retranslate() {
    FFirst->setToolTip(tr("First record"));
    FPrior->setToolTip(tr("Prior record"));
    FNext->setToolTip(tr("Next record"));
    FLast->setToolTip(tr("Last record"));
}

void TKxNavigator::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QWidget::changeEvent(event);
}

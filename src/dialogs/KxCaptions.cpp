#include "dialogs/KxCaptions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMetaEnum>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

#include "types/KxStrings.h"

namespace {

void SetCaption(QWidget& Root, QWidget& W, const QString& Text) {
    if (&W == &Root) {
        W.setWindowTitle(Text);
    } else if (auto* label = qobject_cast<QLabel*>(&W)) {
        label->setText(Text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&W)) {
        button->setText(Text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&W)) {
        group->setTitle(Text);
    } else if (auto* stack = qobject_cast<QStackedWidget*>(W.parentWidget())) {
        // A tab page sits in the tab widget's stack.
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setTabText(tabs->indexOf(&W), Text);
    }
}

} // namespace

void KxFillCaptions(QWidget& Root) {
    static const QMetaEnum ids = QMetaEnum::fromType<TKxStringId>();
    QList<QWidget*> widgets = Root.findChildren<QWidget*>();
    widgets.prepend(&Root);
    for (QWidget* w : widgets) {
        const QByteArray name = w->property("kxString").toByteArray();
        if (name.isEmpty()) continue;
        bool known = false;
        const int id = ids.keyToValue(name.constData(), &known);
        if (known) SetCaption(Root, *w, KxStr(static_cast<TKxStringId>(id)));
    }
}

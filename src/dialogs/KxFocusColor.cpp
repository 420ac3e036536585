#include "dialogs/KxFocusColor.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

void TKxFocusColor::Follow(QObject* Parent, const QList<QWidget*>& Boxes) {
    auto* follower = new TKxFocusColor(Parent);
    for (QWidget* box : Boxes)
        box->installEventFilter(follower);
}

bool TKxFocusColor::eventFilter(QObject* Watched, QEvent* Event) {
    const QEvent::Type type = Event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        auto* box = static_cast<QWidget*>(Watched);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, type == QEvent::FocusIn
                                             ? ToQColor(FocusColor)
                                             : QApplication::palette(box).color(QPalette::Base));
        box->setPalette(palette);
    }
    return QObject::eventFilter(Watched, Event);
}

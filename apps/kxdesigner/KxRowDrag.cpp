#include "KxRowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTreeWidget>

TKxRowDrag::TKxRowDrag(QTreeWidget* List)
    : QObject(List)
    , FList(List)
    , FViewport(List->viewport()) {
    FViewport->installEventFilter(this);
}

int TKxRowDrag::RowAt(const QPoint& P) const {
    const int count = FList->topLevelItemCount();
    if (count == 0) return -1;
    QTreeWidgetItem* item = FList->itemAt(P);
    if (item) return FList->indexOfTopLevelItem(item);
    const QRect last = FList->visualItemRect(FList->topLevelItem(count - 1));
    return P.y() < last.top() ? 0 : count - 1;
}

bool TKxRowDrag::eventFilter(QObject* Watched, QEvent* Event) {
    // The viewport also reports while the list is being destroyed: the list is not asked then.
    if (Watched != FViewport) return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* e = static_cast<QMouseEvent*>(Event);
        FDragging = false;
        FFrom = -1;
        // A check box keeps its click; only the text of a row starts a drag.
        if (e->button() != Qt::LeftButton || e->modifiers() != Qt::NoModifier) return false;
        QTreeWidgetItem* item = FList->itemAt(e->position().toPoint());
        if (!item || FList->columnAt(e->position().toPoint().x()) != 0) return false;
        FFrom = FList->indexOfTopLevelItem(item);
        FPressAt = e->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(Event);
        if (FFrom < 0 || !(e->buttons() & Qt::LeftButton)) return false;
        if (!FDragging &&
            (e->position().toPoint() - FPressAt).manhattanLength() < QApplication::startDragDistance())
            return false;
        if (!FDragging) FViewport->setCursor(Qt::ClosedHandCursor);
        FDragging = true;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* e = static_cast<QMouseEvent*>(Event);
        if (e->button() != Qt::LeftButton || !FDragging) {
            FFrom = -1;
            return false;
        }
        FDragging = false;
        FViewport->unsetCursor();
        const int from = FFrom;
        FFrom = -1;
        const int to = RowAt(e->position().toPoint());
        if (to >= 0 && to != from) emit Moved(from, to);
        return true;
    }
    default: return false;
    }
}

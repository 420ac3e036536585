#pragma once

#include <QObject>

#include "base/Color.h"

class QWidget;

/// Paints an edit box's background aqua while it has the input focus, and the window colour again
/// when it loses it, so the box being typed into stands out.
class TKxFocusColor : public QObject {
    Q_OBJECT
public:
    static constexpr TColor FocusColor = clAqua;

    /// Follows the focus of every widget in Boxes; the follower is a child of Parent.
    static void Follow(QObject* Parent, const QList<QWidget*>& Boxes);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    using QObject::QObject;
};

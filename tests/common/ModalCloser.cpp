#include "common/ModalCloser.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class TKxModalCloser::TFilter : public QObject {
public:
    int Closed = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Show && Watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(Watched);
            // A modal loop starts only after the window shows: close it from inside the loop.
            if (w->isWindow() && w->isModal())
                QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(w)] {
                    if (window && window->isVisible()) {
                        ++Closed;
                        window->close();
                    }
                });
        }
        return false;
    }
};

TKxModalCloser::TKxModalCloser()
    : FFilter(std::make_unique<TFilter>()) {
    QApplication::instance()->installEventFilter(FFilter.get());
}

TKxModalCloser::~TKxModalCloser() {
    if (QApplication::instance()) QApplication::instance()->removeEventFilter(FFilter.get());
}

int TKxModalCloser::Closed() const {
    return FFilter->Closed;
}

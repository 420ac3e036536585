#include "base/Messages.h"

#include <cstdio>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

TMessageHook& Hook() {
    static TMessageHook hook;
    return hook;
}

// A box only where someone can answer it: a widget application on a real display.
bool HasInteractiveDisplay() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void DefaultShow(const QString& text, QMessageBox::Icon icon) {
    if (HasInteractiveDisplay()) {
        QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void DefaultBeep(unsigned) {
    if (HasInteractiveDisplay()) QApplication::beep();
}

void DefaultBusy(bool busy) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace

void ShowMessage(const QString& text) {
    Hook().Show ? Hook().Show(text) : DefaultShow(text, QMessageBox::Information);
}

void ShowError(const QString& text) {
    if (Hook().Error)
        Hook().Error(text);
    else if (Hook().Show)
        Hook().Show(text);
    else
        DefaultShow(text, QMessageBox::Critical);
}

void MessageBeep(unsigned type) {
    Hook().Beep ? Hook().Beep(type) : DefaultBeep(type);
}

void SetBusyCursor(bool busy) {
    Hook().Busy ? Hook().Busy(busy) : DefaultBusy(busy);
}

TMessageHook SetMessageHook(TMessageHook hook) {
    TMessageHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

TMessageCapture::TMessageCapture() {
    FPrevious = SetMessageHook({[this](const QString& t) { Messages.append(t); },
                                [this](unsigned) { ++Beeps; }, [this](bool b) { BusyDepth += b ? 1 : -1; },
                                [this](const QString& t) {
                                    Messages.append(t);
                                    Errors.append(t);
                                }});
}

TMessageCapture::~TMessageCapture() {
    SetMessageHook(std::move(FPrevious));
}

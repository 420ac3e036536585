#pragma once

#include <functional>
#include <QDialog>

class QEvent;

/// A dialog laid out by a .ui form whose captions come from the interface strings: the element
/// dialogs and the preview window. It follows the language while open, and no error of its handlers
/// leaves them: each is shown through the message hook.
class TKxDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    /// The window title and the captions designed with an interface string.
    void FillLanguage();

protected:
    /// Runs Action with every error reported through the message hook.
    static void Guarded(const std::function<void()>& Action);
    /// The form's designed texts again (the form's retranslateUi).
    virtual void Retranslate() = 0;
    /// On a language change: the designed texts, then the interface strings over them.
    void changeEvent(QEvent* event) override;
};

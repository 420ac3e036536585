#include "dialogs/KxDialog.h"

#include <exception>
#include <QEvent>

#include "base/KxError.h"
#include "base/Messages.h"
#include "db/DBEngineError.h"
#include "dialogs/KxCaptions.h"

void TKxDialog::FillLanguage() {
    KxFillCaptions(*this);
}

void TKxDialog::Guarded(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EDBEngineError& e) {
        ShowMessage(e.Message());
    } catch (const EKxError& e) {
        ShowMessage(e.Message());
    } catch (const std::exception& e) {
        ShowMessage(QString::fromUtf8(e.what()));
    }
}

void TKxDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        FillLanguage();
    }
    QDialog::changeEvent(event);
}

#include "KxErrorText.h"

#include "base/KxException.h"
#include "base/Messages.h"

namespace {

QString OwnText(const std::exception& Error) {
    if (const auto* e = dynamic_cast<const EKxException*>(&Error)) return e->Message();
    return QString::fromUtf8(Error.what());
}

} // namespace

QString KxErrorText(const std::exception& Error) {
    QString text = OwnText(Error);
    try {
        std::rethrow_if_nested(Error);
    } catch (const std::exception& cause) {
        text += QLatin1Char('\n') + KxErrorText(cause);
    } catch (...) {
    }
    return text;
}

bool KxShowErrors(const std::function<void()>& Action) {
    try {
        Action();
        return true;
    } catch (const std::exception& e) {
        ShowError(KxErrorText(e));
    }
    return false;
}

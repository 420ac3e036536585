#include "types/KxStepNames.h"

#include <array>
#include <QCoreApplication>

namespace {

constexpr std::array Names{QT_TRANSLATE_NOOP("KxSteps", "Add"),
                           QT_TRANSLATE_NOOP("KxSteps", "Delete"),
                           QT_TRANSLATE_NOOP("KxSteps", "Cut"),
                           QT_TRANSLATE_NOOP("KxSteps", "Paste"),
                           QT_TRANSLATE_NOOP("KxSteps", "Move"),
                           QT_TRANSLATE_NOOP("KxSteps", "Resize"),
                           QT_TRANSLATE_NOOP("KxSteps", "Change"),
                           QT_TRANSLATE_NOOP("KxSteps", "Order"),
                           QT_TRANSLATE_NOOP("KxSteps", "Align"),
                           QT_TRANSLATE_NOOP("KxSteps", "Transparent"),
                           QT_TRANSLATE_NOOP("KxSteps", "Label Settings"),
                           QT_TRANSLATE_NOOP("KxSteps", "Database"),
                           QT_TRANSLATE_NOOP("KxSteps", "Insert"),
                           QT_TRANSLATE_NOOP("KxSteps", "Label Stock"),
                           QT_TRANSLATE_NOOP("KxSteps", "Lock"),
                           QT_TRANSLATE_NOOP("KxSteps", "Unlock"),
                           QT_TRANSLATE_NOOP("KxSteps", "Roll Layout")};

} // namespace

QString KxStepName(TKxStep Step) {
    return QCoreApplication::translate("KxSteps", Names.at(static_cast<size_t>(Step)));
}

#include "KxWidgetPlugin.h"

#include <utility>

TKxWidgetPlugin::TKxWidgetPlugin(TKxWidgetDescription Description, QObject* parent)
    : QObject(parent)
    , FDescription(std::move(Description)) {}

QString TKxWidgetPlugin::group() const {
    return QStringLiteral("KxLab");
}

QWidget* TKxWidgetPlugin::createWidget(QWidget* parent) {
    return FDescription.Create(parent, FDesigning);
}

void TKxWidgetPlugin::initialize(QDesignerFormEditorInterface* core) {
    FInitialized = true;
    // Only Designer's form editor hands over a core; a loader that initialises without one leaves
    // widgets in their run-time state.
    if (core) FDesigning = true;
}

QString TKxWidgetPlugin::domXml() const {
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(FDescription.ClassName, FDescription.ObjectName)
        .arg(FDescription.DefaultSize.width())
        .arg(FDescription.DefaultSize.height());
}

#pragma once

#include <functional>
#include <QIcon>
#include <QObject>
#include <QSize>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class QDesignerFormEditorInterface;

/// What Qt Designer shows of one widget class and how it makes one.
struct TKxWidgetDescription {
    QString ClassName;
    /// The header a form's generated code includes, relative to the installed include folder.
    QString IncludeFile;
    QString ToolTip;
    QString WhatsThis;
    /// The object name and size a widget dropped on a form starts with.
    QString ObjectName;
    QSize DefaultSize;
    QIcon Icon;
    /// Makes a widget; Designing is true inside Qt Designer's form editor, false in QUiLoader.
    std::function<QWidget*(QWidget* Parent, bool Designing)> Create;
};

/// One widget class of the collection, as Qt Designer and QUiLoader ask for it.
class TKxWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TKxWidgetPlugin(TKxWidgetDescription Description, QObject* parent);

    QString name() const override { return FDescription.ClassName; }
    QString group() const override;
    QString toolTip() const override { return FDescription.ToolTip; }
    QString whatsThis() const override { return FDescription.WhatsThis; }
    QString includeFile() const override { return FDescription.IncludeFile; }
    QIcon icon() const override { return FDescription.Icon; }
    bool isContainer() const override { return false; }
    /// A widget in its design-time state once Designer's form editor has initialised the plugin;
    /// QUiLoader never does, so forms loaded at run time get working widgets.
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    /// The widget's entry in a form: class, object name and default geometry.
    QString domXml() const override;

private:
    TKxWidgetDescription FDescription;
    bool FInitialized = false;
    bool FDesigning = false;
};

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiTools/QUiLoader>
#include <vector>

#include "controls/SpinEditFloat.h"
#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "ui_KxPluginForm.h"

namespace {

// What KxPluginForm.ui sets, each value other than a new widget's.
struct TFormValue {
    const char* Widget;
    const char* Property;
    QVariant Value;
};

const std::vector<TFormValue>& FormValues() {
    static const std::vector<TFormValue> values = {
        {"kxLab", "Units", int(unINCH)},
        {"kxLab", "Color", 65280},
        {"kxLab", "ShowMargins", true},
        {"kxLab", "AllowEdit", false},
        {"kxLab", "Snap", int(snGrid)},
        {"kxLab", "Zoom", int(zm200)},
        {"kxLab", "DrawTool", int(dwRect)},
        {"kxLab", "SelColor", 16711680},
        {"kxLab", "BorderStyle", int(TKxLab::bsNone)},
        {"kxLab", "AliasCatalogue",
         R"([{"Name":"Shop","Tables":[{"Caption":"Customers","Name":"cust.db"}]}])"},
        // Lengths in inches: the form sets Units first. A round label is as high as it is wide.
        {"kxLab", "MeasureHeight", 3.5},
        {"kxLab", "MeasureWidth", 3.5},
        {"kxLab", "MeasureMarLeft", 0.5},
        {"kxLab", "MeasureNuHor", 4},
        {"kxLab", "MeasureNuVer", 2},
        {"kxLab", "MeasureLabelName", "Price tag"},
        {"kxLab", "MeasureLabelType", int(ltCircle)},
        {"kxLab", "FrameStyle", int(fsDoble)},
        {"kxLab", "FrameDist1", 0.5},
        {"kxLab", "FrameColor", 255},
        {"kxLab", "GridIncX", 0.5},
        {"kxLab", "GridShow", true},
        // Allowed only on a round label: the form sets the shape first.
        {"kxLab", "BackSurfStyle", int(biGraCircle)},
        {"kxLab", "BackSurfToColor", 16776960},
        {"kxLab", "BackSurfAlignLeft", 1.0},
        {"kxLab", "RulersVisible", false},
        {"spinEditFloat", "Digits", 3},
        {"spinEditFloat", "MinValue", 1.0},
        {"spinEditFloat", "MaxValue", 10.0},
        {"spinEditFloat", "Increment", 0.25},
        {"spinEditFloat", "Value", 2.5},
        {"alignEdit", "Alignment", int(TAlignEdit::taRightJustify)},
    };
    return values;
}

bool SameValue(const QVariant& Actual, const QVariant& Expected) {
    // A colour property reads as the colour that the TColor number names.
    if (Actual.metaType() == QMetaType::fromType<QColor>() && Expected.typeId() == QMetaType::Int)
        return Actual.value<QColor>() == ToQColor(Expected.toInt());
    if (Expected.typeId() == QMetaType::Double) return qAbs(Actual.toDouble() - Expected.toDouble()) < 1e-5;
    if (Expected.typeId() == QMetaType::Int) return Actual.toInt() == Expected.toInt();
    return Actual == Expected;
}

// Every value of the table on the widgets under Form, and the bold rulers font.
void ExpectFormValues(const QWidget& Form) {
    for (const TFormValue& v : FormValues()) {
        const QObject* widget = Form.findChild<QObject*>(v.Widget);
        ASSERT_NE(widget, nullptr) << v.Widget;
        const QVariant actual = widget->property(v.Property);
        EXPECT_TRUE(SameValue(actual, v.Value))
            << v.Widget << "." << v.Property << " is " << actual.toString().toStdString();
    }
    const auto* lab = Form.findChild<TKxLab*>("kxLab");
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->GetRulersFont().family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(lab->GetRulersFont().bold());
    // The inch lengths reached the label in label units.
    EXPECT_EQ(lab->GetMeasure()->WidthLU(), 889);
}

std::unique_ptr<QWidget> LoadForm() {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(KXLAB_DESIGNER_PLUGIN)).absolutePath());
    EXPECT_TRUE(loader.availableWidgets().contains("TKxLab"));
    QFile file(QStringLiteral(KXLAB_PLUGIN_FORM));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    EXPECT_TRUE(loader.errorString().isEmpty()) << loader.errorString().toStdString();
    return form;
}

} // namespace

TEST(KxPluginForm, EveryValueDiffersFromANewWidgets) {
    TKxLab lab;
    TSpinEditFloat spin;
    TAlignEdit edit;
    for (const TFormValue& v : FormValues()) {
        const QObject* fresh = v.Widget == std::string("kxLab")       ? static_cast<QObject*>(&lab)
                               : v.Widget == std::string("alignEdit") ? static_cast<QObject*>(&edit)
                                                                      : static_cast<QObject*>(&spin);
        EXPECT_FALSE(SameValue(fresh->property(v.Property), v.Value)) << v.Property;
    }
}

TEST(KxPluginForm, LoadsThroughQUiLoaderWithItsValues) {
    const std::unique_ptr<QWidget> form = LoadForm();
    ASSERT_NE(form, nullptr);
    // Made by the plugin: real classes, not stand-ins.
    EXPECT_NE(form->findChild<TKxLab*>("kxLab"), nullptr);
    EXPECT_NE(form->findChild<TSpinEditFloat*>("spinEditFloat"), nullptr);
    EXPECT_NE(form->findChild<TAlignEdit*>("alignEdit"), nullptr);
    ExpectFormValues(*form);
    EXPECT_FALSE(form->findChild<TKxLab*>("kxLab")->GetDesigning());
}

TEST(KxPluginForm, CompilesThroughUicWithItsValues) {
    QWidget form;
    Ui::KxPluginForm ui;
    ui.setupUi(&form);
    ExpectFormValues(form);
}

TEST(KxPluginForm, DesignerEditsEveryPropertyItShows) {
    // Qt Designer cannot edit object-valued properties: those are hidden, and their values shown flat.
    const QMetaObject& meta = TKxLab::staticMetaObject;
    int shown = 0;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty p = meta.property(i);
        const bool object = p.metaType().flags().testFlag(QMetaType::PointerToQObject);
        if (object) {
            EXPECT_FALSE(p.isDesignable()) << p.name();
        }
        if (!p.isDesignable()) continue;
        ++shown;
        EXPECT_TRUE(p.isWritable()) << p.name();
        EXPECT_NE(p.metaType().id(), QMetaType::Float) << p.name() << ": Designer has no editor for float";
        EXPECT_TRUE(p.isStored()) << p.name();
    }
    EXPECT_GE(shown, 50);
}

TEST(KxPluginForm, UnitsComesBeforeEverySettingsValue) {
    // Designer writes a form's properties in declaration order, and the loaders apply them in that
    // order: lengths must find the unit they are written in already set.
    const QMetaObject& meta = TKxLab::staticMetaObject;
    const int units = meta.indexOfProperty("Units");
    ASSERT_GE(units, meta.propertyOffset());
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta.property(i).name());
        for (const char* object : {"Measure", "Frame", "Grid", "BackSurf", "Rulers"})
            if (name.startsWith(QLatin1String(object)) && name != QLatin1String(object)) {
                EXPECT_GT(i, units) << name.toStdString();
            }
    }
}

struct TFlatCase {
    const char* Flat;
    const char* Object;
    const char* Property;
    QVariant Value;
};

void PrintTo(const TFlatCase& Case, std::ostream* Out) {
    *Out << Case.Flat;
}

class KxFlatProperty : public ::testing::TestWithParam<TFlatCase> {};

TEST_P(KxFlatProperty, IsTheSettingsObjectsValue) {
    TKxLab lab;
    const TFlatCase& c = GetParam();
    const QObject* object = lab.property(c.Object).value<QObject*>();
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(lab.setProperty(c.Flat, c.Value));
    EXPECT_TRUE(SameValue(object->property(c.Property), c.Value)) << c.Flat;
    EXPECT_TRUE(SameValue(lab.property(c.Flat), object->property(c.Property))) << c.Flat;
}

INSTANTIATE_TEST_SUITE_P(Settings, KxFlatProperty,
                         ::testing::Values(TFlatCase{"MeasureDiVer", "Measure", "DiVer", 2.5},
                                           TFlatCase{"MeasurePaperWidth", "Measure", "PaperWidth", 150.0},
                                           TFlatCase{"MeasurePaperName", "Measure", "PaperName", "Roll"},
                                           TFlatCase{"MeasureInnerCircle", "Measure", "InnerCircle", 4.0},
                                           TFlatCase{"FramePenWidth", "Frame", "PenWidth", 0.5},
                                           TFlatCase{"FrameRadio", "Frame", "Radio", 3.0},
                                           TFlatCase{"GridIncY", "Grid", "IncY", 2.0},
                                           TFlatCase{"GridColor", "Grid", "Color", 128},
                                           TFlatCase{"BackSurfShowAlign", "BackSurf", "ShowAlign", true},
                                           TFlatCase{"BackSurfPrint", "BackSurf", "Print", true},
                                           TFlatCase{"BackSurfAlignTop", "BackSurf", "AlignTop", 5.0},
                                           TFlatCase{"RulersMarkColor", "Rulers", "MarkColor", 255},
                                           TFlatCase{"RulersBorder", "Rulers", "Border", false},
                                           TFlatCase{"RulersFontColor", "Rulers", "FontColor", 32768}),
                         [](const auto& info) { return std::string(info.param.Flat); });

// Last in the executable: once Designer's core has initialised the plugin, every widget it makes in
// this process is in its design-time state.
TEST(KxPluginFormZ, InQtDesignerTheDesignerIsInItsDesignTimeState) {
    QPluginLoader loader(QStringLiteral(KXLAB_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    QDesignerFormEditorInterface core;
    QWidget parent;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        w->initialize(&core);
        EXPECT_TRUE(w->isInitialized());
        QWidget* widget = w->createWidget(&parent);
        if (auto* lab = qobject_cast<TKxLab*>(widget)) {
            EXPECT_TRUE(lab->GetDesigning());
        } else {
            EXPECT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
        }
    }
}

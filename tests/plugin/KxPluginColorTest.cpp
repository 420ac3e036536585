#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QMetaProperty>
#include <QtUiTools/QUiLoader>

#include "designer/KxLab.h"
#include "label/KxFrame.h"
#include "label/KxRulers.h"
#include "ui_KxPluginColorForm.h"

namespace {

// Each colour property of the control and the TColor it holds, read through the integer API.
struct TColorProperty {
    const char* Name;
    TColor (*Read)(const TKxLab&);
};

void PrintTo(const TColorProperty& P, std::ostream* Out) {
    *Out << P.Name;
}

const TColorProperty ColorProperties[] = {
    {"Color", [](const TKxLab& L) { return L.GetColor(); }},
    {"SelColor", [](const TKxLab& L) { return L.GetSelColor(); }},
    {"FrameColor", [](const TKxLab& L) { return L.GetFrameColor(); }},
    {"GridColor", [](const TKxLab& L) { return L.GetGridColor(); }},
    {"BackSurfColor", [](const TKxLab& L) { return L.GetBackSurfColor(); }},
    {"BackSurfToColor", [](const TKxLab& L) { return L.GetBackSurfToColor(); }},
    {"BackSurfAlignColor", [](const TKxLab& L) { return L.GetBackSurfAlignColor(); }},
    {"RulersColor", [](const TKxLab& L) { return L.GetRulersColor(); }},
    {"RulersMarkColor", [](const TKxLab& L) { return L.GetRulersMarkColor(); }},
    {"RulersTickColor", [](const TKxLab& L) { return L.GetRulersTickColor(); }},
    {"RulersFontColor", [](const TKxLab& L) { return L.GetRulersFontColor(); }},
};

class KxColorProperty : public ::testing::TestWithParam<TColorProperty> {};

// A form holding one TKxLab with one property, loaded through QUiLoader with the plugin.
std::unique_ptr<QWidget> LoadOne(const char* Property, const char* ValueXml) {
    QByteArray form = QByteArrayLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>F</class><widget class="QWidget" name="F"><layout class="QVBoxLayout" name="l">
<item><widget class="TKxLab" name="kxLab"><property name="%1">%2</property></widget></item></layout></widget>
<customwidgets><customwidget><class>TKxLab</class><extends>QWidget</extends><header>designer/KxLab.h</header>
</customwidget></customwidgets></ui>)");
    form.replace("%1", Property).replace("%2", ValueXml);
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(KXLAB_DESIGNER_PLUGIN)).absolutePath());
    std::unique_ptr<QWidget> widget(loader.load(&buffer));
    EXPECT_TRUE(loader.errorString().isEmpty()) << loader.errorString().toStdString();
    return widget;
}

} // namespace

TEST_P(KxColorProperty, DesignerSeesAColourAndAHostMaySetEitherKind) {
    TKxLab lab;
    const QMetaObject& meta = TKxLab::staticMetaObject;
    const QMetaProperty p = meta.property(meta.indexOfProperty(GetParam().Name));
    ASSERT_TRUE(p.isValid());
    EXPECT_TRUE(p.isDesignable());
    // Qt Designer picks its editor from the value it reads.
    EXPECT_EQ(lab.property(GetParam().Name).metaType(), QMetaType::fromType<QColor>());
    ASSERT_TRUE(lab.setProperty(GetParam().Name, QColor(10, 20, 30)));
    EXPECT_EQ(GetParam().Read(lab), RGB(10, 20, 30));
    EXPECT_EQ(lab.property(GetParam().Name).value<QColor>(), QColor(10, 20, 30));
    ASSERT_TRUE(lab.setProperty(GetParam().Name, 0x0000FF));
    EXPECT_EQ(GetParam().Read(lab), clRed);
    EXPECT_EQ(lab.property(GetParam().Name).value<QColor>(), QColor(255, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Control, KxColorProperty, ::testing::ValuesIn(ColorProperties));

namespace {

struct TFormColor {
    const char* Property;
    const char* ValueXml;
    QColor Expected;
};

void PrintTo(const TFormColor& C, std::ostream* Out) {
    *Out << C.Property << " " << C.ValueXml;
}

class KxFormColor : public ::testing::TestWithParam<TFormColor> {};

} // namespace

TEST_P(KxFormColor, LoadsThroughQUiLoaderAsTheSameColour) {
    const std::unique_ptr<QWidget> form = LoadOne(GetParam().Property, GetParam().ValueXml);
    ASSERT_NE(form, nullptr);
    const auto* lab = form->findChild<TKxLab*>(QStringLiteral("kxLab"));
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->property(GetParam().Property).value<QColor>(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KxFormColor,
    ::testing::Values(TFormColor{"SelColor", "<number>255</number>", QColor(255, 0, 0)},
                      TFormColor{"SelColor", "<color><red>0</red><green>128</green><blue>255</blue></color>",
                                 QColor(0, 128, 255)},
                      TFormColor{"Color", "<number>65280</number>", QColor(0, 255, 0)},
                      TFormColor{"GridColor", "<number>16711680</number>", QColor(0, 0, 255)},
                      TFormColor{"RulersFontColor",
                                 "<color><red>1</red><green>2</green><blue>3</blue></color>",
                                 QColor(1, 2, 3)}));

TEST(KxFormColor, AnIntegerSelColorReachesTheIntegerApi) {
    const std::unique_ptr<QWidget> form = LoadOne("SelColor", "<number>255</number>");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->findChild<TKxLab*>(QStringLiteral("kxLab"))->GetSelColor(), 255);
}

TEST(KxFormColor, AFormWithColourValuesCompilesThroughUic) {
    QWidget form;
    Ui::KxPluginColorForm ui;
    ui.setupUi(&form);
    EXPECT_EQ(ui.kxLab->GetSelColor(), RGB(0, 128, 255));
    EXPECT_EQ(ui.kxLab->GetFrame()->GetColor(), RGB(200, 10, 20));
    EXPECT_EQ(ui.kxLab->GetRulers()->GetFontColor(), clRed);
}

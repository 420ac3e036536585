#include <gtest/gtest.h>
#include <ostream>
#include <QFile>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QXmlStreamReader>

#include "controls/SpinEditFloat.h"
#include "designer/KxLab.h"
#include "gdi/Bitmap.h"

namespace {

// The plugin as Qt Designer loads it. It stays loaded for the whole process: widgets it made may
// outlive any one test.
QDesignerCustomWidgetCollectionInterface* Collection() {
    static QPluginLoader loader(QStringLiteral(KXLAB_DESIGNER_PLUGIN));
    return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
}

QDesignerCustomWidgetInterface* WidgetPlugin(const QString& Name) {
    if (!Collection()) return nullptr;
    for (QDesignerCustomWidgetInterface* w : Collection()->customWidgets())
        if (w->name() == Name) return w;
    return nullptr;
}

struct TDomWidget {
    QString ClassName;
    QString ObjectName;
    int Width = 0;
    int Height = 0;
};

// The widget element of a plugin's domXml and the size of its geometry.
TDomWidget ParseDom(const QString& Xml) {
    TDomWidget dom;
    QXmlStreamReader reader(Xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        if (reader.name() == QLatin1String("widget")) {
            dom.ClassName = reader.attributes().value("class").toString();
            dom.ObjectName = reader.attributes().value("name").toString();
        } else if (reader.name() == QLatin1String("width")) {
            dom.Width = reader.readElementText().toInt();
        } else if (reader.name() == QLatin1String("height")) {
            dom.Height = reader.readElementText().toInt();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return dom;
}

struct TWidgetCase {
    const char* ClassName;
    const char* Header;
    int Width;
    int Height;
};

void PrintTo(const TWidgetCase& Case, std::ostream* Out) {
    *Out << Case.ClassName;
}

class KxDesignerPluginWidget : public ::testing::TestWithParam<TWidgetCase> {};

} // namespace

TEST(KxDesignerPlugin, LoadsAsAWidgetCollection) {
    QPluginLoader loader(QStringLiteral(KXLAB_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    EXPECT_EQ(loader.metaData().value("IID").toString(),
              QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
    EXPECT_NE(Collection(), nullptr);
}

TEST(KxDesignerPlugin, OffersTheDesignerThenTheSpinEditThenTheAlignedEdit) {
    ASSERT_NE(Collection(), nullptr);
    QStringList names;
    for (QDesignerCustomWidgetInterface* w : Collection()->customWidgets())
        names << w->name();
    EXPECT_EQ(names, QStringList({"TKxLab", "TSpinEditFloat", "TAlignEdit"}));
}

TEST_P(KxDesignerPluginWidget, SitsInTheKxLabGroupWithIconAndTips) {
    QDesignerCustomWidgetInterface* w = WidgetPlugin(GetParam().ClassName);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->group(), QStringLiteral("KxLab"));
    EXPECT_FALSE(w->icon().isNull());
    EXPECT_FALSE(w->icon().availableSizes().isEmpty());
    EXPECT_FALSE(w->toolTip().isEmpty());
    EXPECT_GT(w->whatsThis().size(), w->toolTip().size());
    EXPECT_FALSE(w->isContainer());
}

TEST_P(KxDesignerPluginWidget, NamesAnInstalledHeaderThatDeclaresTheClass) {
    QDesignerCustomWidgetInterface* w = WidgetPlugin(GetParam().ClassName);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->includeFile(), QString::fromLatin1(GetParam().Header));
    QFile header(QStringLiteral(KXLAB_SOURCE_DIR "/src/") + w->includeFile());
    ASSERT_TRUE(header.open(QIODevice::ReadOnly)) << header.fileName().toStdString();
    EXPECT_TRUE(header.readAll().contains(QByteArray("class KXLAB_EXPORT ") + GetParam().ClassName));
}

TEST_P(KxDesignerPluginWidget, DropsOnAFormWithItsDefaultSize) {
    QDesignerCustomWidgetInterface* w = WidgetPlugin(GetParam().ClassName);
    ASSERT_NE(w, nullptr);
    const TDomWidget dom = ParseDom(w->domXml());
    EXPECT_EQ(dom.ClassName, QString::fromLatin1(GetParam().ClassName));
    EXPECT_FALSE(dom.ObjectName.isEmpty());
    EXPECT_EQ(dom.Width, GetParam().Width);
    EXPECT_EQ(dom.Height, GetParam().Height);
}

TEST_P(KxDesignerPluginWidget, CreatesAWidgetOfItsClass) {
    QDesignerCustomWidgetInterface* w = WidgetPlugin(GetParam().ClassName);
    ASSERT_NE(w, nullptr);
    QWidget parent;
    QWidget* widget = w->createWidget(&parent);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_STREQ(widget->metaObject()->className(), GetParam().ClassName);
}

INSTANTIATE_TEST_SUITE_P(Classes, KxDesignerPluginWidget,
                         ::testing::Values(TWidgetCase{"TKxLab", "designer/KxLab.h", 320, 240},
                                           TWidgetCase{"TSpinEditFloat", "controls/SpinEditFloat.h", 121, 24},
                                           TWidgetCase{"TAlignEdit", "controls/SpinEditFloat.h", 121, 24}),
                         [](const auto& info) { return std::string(info.param.ClassName); });

TEST(KxDesignerPlugin, MakesAWorkingSpinEdit) {
    QWidget parent;
    auto* spin = qobject_cast<TSpinEditFloat*>(WidgetPlugin("TSpinEditFloat")->createWidget(&parent));
    ASSERT_NE(spin, nullptr);
    spin->SetValue(4);
    spin->UpClick();
    EXPECT_DOUBLE_EQ(static_cast<double>(spin->GetValue()), 4.5);
    EXPECT_EQ(spin->text(), QStringLiteral("4.50"));
}

TEST(KxDesignerPlugin, MakesACentredAlignedEdit) {
    QWidget parent;
    auto* edit = qobject_cast<TAlignEdit*>(WidgetPlugin("TAlignEdit")->createWidget(&parent));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Alignment(), TAlignEdit::taCenter);
    EXPECT_TRUE(edit->alignment() & Qt::AlignHCenter);
}

TEST(KxDesignerPlugin, MakesAWorkingDesignerOutsideQtDesigner) {
    QWidget parent;
    auto* lab = qobject_cast<TKxLab*>(WidgetPlugin("TKxLab")->createWidget(&parent));
    ASSERT_NE(lab, nullptr);
    EXPECT_FALSE(lab->GetDesigning());
    lab->resize(320, 240);
    parent.show();
    // The default 60 x 35 mm label at 100 %, its corner 28 pixels in.
    EXPECT_EQ(lab->View().LabWidth, 150);
    EXPECT_EQ(lab->View().LabHeight, 88);
    EXPECT_EQ(lab->WindowX(100), 53);
    const QImage& surface = lab->GetLabScreen().Image();
    EXPECT_EQ(surface.pixelColor(lab->GetMinLeft() + 10, lab->GetMinTop() + 10), QColor(Qt::white));
    EXPECT_EQ(surface.pixelColor(lab->GetMaxRight() + 5, lab->GetMaxBottom() + 5), QColor(128, 128, 128));
}

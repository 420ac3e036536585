#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PrCoBar.h"
#include "elements/KxBarCode.h"
#include "types/KxStrings.h"

// The barcode dialog's options group shows the options of the element's kind only, writes them into
// the element, and the line under the code says what keeps the code from being drawn.

namespace {

struct TOptionCase {
    const char* Name;
    TKxBar Kind;
    /// Object names of the option controls shown for the kind; empty: the group is hidden.
    QStringList Shown;
};

const QStringList OptionControls{"CbQrLevel", "CbDataMode", "CbDmShape", "CkBoxDmGS1", "CkBoxCheckChar"};

class PrCoBarOptions : public ::testing::TestWithParam<TOptionCase> {};

TEST_P(PrCoBarOptions, OnlyTheKindsOwnOptionsShow) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = GetParam().Kind;
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    d.Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    EXPECT_EQ(d.Find<QWidget>("GroupOptions")->isVisible(), !GetParam().Shown.isEmpty());
    for (const QString& name : OptionControls)
        EXPECT_EQ(d.Find<QWidget>(name.toLatin1().constData())->isVisible(), GetParam().Shown.contains(name))
            << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PrCoBarOptions,
    ::testing::Values(TOptionCase{"EAN13", baEAN13, {}}, TOptionCase{"Code39", baCode39, {"CkBoxCheckChar"}},
                      TOptionCase{"Code128", baCode128, {}}, TOptionCase{"GS1128", baGS1128, {}},
                      TOptionCase{"QR", baQR, {"CbQrLevel", "CbDataMode"}},
                      TOptionCase{"DataMatrix", baDataMatrix, {"CbDmShape", "CkBoxDmGS1"}},
                      TOptionCase{"PDF417", baPDF417, {}}, TOptionCase{"Aztec", baAztec, {}}),
    [](const ::testing::TestParamInfo<TOptionCase>& info) { return info.param.Name; });

TEST(PrCoBarOptionsWrite, EachControlWritesItsOptionAndIniShowsIt) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = baQR;
    bar->Options.QrLevel = TKxQrLevel::Q;
    {
        TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
        EXPECT_EQ(d.Find<QComboBox>("CbQrLevel")->currentIndex(), 2);
        d.Find<QComboBox>("CbQrLevel")->setCurrentIndex(3);
        d.Find<QComboBox>("CbDataMode")->setCurrentIndex(2);
        d.Find<QComboBox>("ComBoxType")->setCurrentIndex(TPropCoBar::KindIndex(baDataMatrix));
        d.Find<QComboBox>("CbDmShape")->setCurrentIndex(1);
        ClickCheck(d.Find<QCheckBox>("CkBoxDmGS1"));
        d.Find<QComboBox>("ComBoxType")->setCurrentIndex(TPropCoBar::KindIndex(baCode39));
        ClickCheck(d.Find<QCheckBox>("CkBoxCheckChar"));
    }
    EXPECT_EQ(bar->BarType, baCode39);
    EXPECT_EQ(bar->Options.QrLevel, TKxQrLevel::H);
    EXPECT_EQ(bar->Options.QrMode, TKxDataMode::DigitalLink);
    EXPECT_TRUE(bar->Options.DmRectangular);
    EXPECT_TRUE(bar->Options.DmGS1);
    EXPECT_TRUE(bar->Options.Code39Check);
}

TEST(PrCoBarProblem, AWrongCheckDigitSaysWhichDigitWasExpectedAndAGoodCodeSaysNothing) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = baEAN13;
    bar->Code = QStringLiteral("8410894000109");
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    auto* problem = d.Find<QLabel>("LabelProblem");
    EXPECT_FALSE(problem->isVisible());
    auto* edit = d.Find<QLineEdit>("EdNum");
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("8410894000108"));
    EXPECT_TRUE(problem->isVisible());
    EXPECT_NE(problem->text().indexOf(u'9'), -1) << problem->text().toStdString();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("841089400010"));
    EXPECT_FALSE(problem->isVisible());
    EXPECT_EQ(bar->Code, "841089400010");
}

TEST(PrCoBarProblem, DataTooLongForTheQrLevelIsReported) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = baQR;
    bar->Code = QString(3000, u'A');
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    auto* problem = d.Find<QLabel>("LabelProblem");
    EXPECT_FALSE(problem->isVisible());
    d.Find<QComboBox>("CbQrLevel")->setCurrentIndex(3);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_NE(problem->text().indexOf(u'H'), -1) << problem->text().toStdString();
}

TEST(PrCoBarWidth, TheRetailKindsKeepTheirModuleRangeAndTheOthersTakeLargerModules) {
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    auto* width = d.Find<TSpinEditFloat>("SpEdFloatWidth");
    EXPECT_DOUBLE_EQ(static_cast<double>(width->MaxValue()), 0.3);
    d.Find<QComboBox>("ComBoxType")->setCurrentIndex(TPropCoBar::KindIndex(baQR));
    EXPECT_GT(static_cast<double>(width->MaxValue()), 0.3);
    TypeInto(width, QStringLiteral("0.8"));
    EXPECT_EQ(bar->Width, 8);
    EXPECT_FALSE(d.Find<QCheckBox>("CkBoxShowNumber")->isEnabled());
}

// The dialog for a QR code and a GS1-128 in English and Spanish, grabbed as the user sees it; with
// KXLAB_SCREENSHOT_DIR set the pictures are kept there.
struct TShotCase {
    const char* Name;
    TKxBar Kind;
    const char* Code;
    const char* Language;
};

class PrCoBarScreenshot : public ::testing::TestWithParam<TShotCase> {
protected:
    void TearDown() override { KxLoadLanguage(QString()); }
};

TEST_P(PrCoBarScreenshot, TheDialogShowsTheKindAndItsOptionsInTheLanguage) {
    ASSERT_TRUE(KxLoadLanguage(QString::fromLatin1(GetParam().Language)) ||
                QString::fromLatin1(GetParam().Language).isEmpty());
    TDialogLab s;
    auto* bar = dynamic_cast<TKxBarCode*>(s.Add(deBar));
    bar->BarType = GetParam().Kind;
    bar->Code = QString::fromUtf8(GetParam().Code);
    bar->Options.QrLevel = TKxQrLevel::Q;
    bar->Options.QrMode = TKxDataMode::DigitalLink;
    TShownDialog<TPropCoBar, TKxBarCode> d(s.Lab, bar);
    d.Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    EXPECT_EQ(d.Find<QComboBox>("ComBoxType")->currentText(), KxKindName(GetParam().Kind));
    EXPECT_EQ(d.Dialog.windowTitle(), KxStr(KxBarCodePro));
    const QImage shot = d.Dialog.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOT_DIR"); !folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("barcode-%1.png").arg(GetParam().Name))));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shots, PrCoBarScreenshot,
    ::testing::Values(TShotCase{"qr-en", baQR, "https://id.example.com/01/09501101530003/10/AB-12", ""},
                      TShotCase{"qr-es", baQR, "https://id.example.com/01/09501101530003/10/AB-12", "es"},
                      TShotCase{"gs1-128-en", baGS1128, "(01)09501101530003(17)270101(10)AB-12", ""},
                      TShotCase{"gs1-128-es", baGS1128, "(01)09501101530003(17)271301(10)AB-12", "es"}),
    [](const ::testing::TestParamInfo<TShotCase>& info) {
        return QString::fromLatin1(info.param.Name).remove(u'-').toStdString();
    });

} // namespace

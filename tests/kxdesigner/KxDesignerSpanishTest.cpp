#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>
#include <vector>

#include "base/Messages.h"
#include "DesignerTestSupport.h"
#include "dialogs/DialogTestSupport.h"
#include "KxDesignSurface.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"
#include "KxTitleFit.h"
#include "label/KxMeasure.h"
#include "types/KxStrings.h"

namespace {

// The designer in Locale's language while it lives; English again after.
class TLanguage {
public:
    explicit TLanguage(const QLocale& Locale)
        : FTranslators(KxInstallLanguage(Locale)) {
        QCoreApplication::sendPostedEvents();
    }
    ~TLanguage() {
        FTranslators.clear();
        KxLoadLanguage({});
        QCoreApplication::sendPostedEvents();
    }
    TLanguage(const TLanguage&) = delete;
    TLanguage& operator=(const TLanguage&) = delete;

private:
    std::vector<std::unique_ptr<QTranslator>> FTranslators;
};

struct TLanguageCase {
    QLocale::Language Language;
    const char* Text;      // a drawn text's words
    const char* LabelName; // a new label's name
    const char* CannotCreate;
};

class KxDesignerInLanguage : public ::testing::TestWithParam<TLanguageCase> {};

} // namespace

TEST_P(KxDesignerInLanguage, ANewLabelIsNamedInTheLanguage) {
    TDesignerUser user;
    const TLanguage language{QLocale(GetParam().Language)};
    const auto w = ShownWindow();
    EXPECT_EQ(w->Lab()->Label()->GetMeasure()->GetLabelName(), QString::fromUtf8(GetParam().LabelName));
    EXPECT_FALSE(w->IsModified());
    w->Lab()->Label()->GetMeasure()->SetLabelName(QStringLiteral("Prices"));
    Trigger(*w, "actionNew");
    EXPECT_EQ(w->Lab()->Label()->GetMeasure()->GetLabelName(), QString::fromUtf8(GetParam().LabelName));
}

TEST_P(KxDesignerInLanguage, ADrawnTextSaysTextInTheLanguage) {
    TDesignerUser user;
    const TLanguage language{QLocale(GetParam().Language)};
    const auto w = ShownWindow();
    QString shown;
    Trigger(*w, "tool_dwText");
    WhenModal("TPropText", [&](QWidget& D) { shown = D.findChild<QLineEdit*>("EdText")->text(); });
    QTest::mouseClick(w->Lab(), Qt::LeftButton, {}, At(*w->Lab(), 40, 40));
    EXPECT_EQ(shown, QString::fromUtf8(GetParam().Text));
}

TEST_P(KxDesignerInLanguage, SavingIntoAMissingFolderIsAnErrorInTheLanguage) {
    TDesignerUser user;
    const TLanguage language{QLocale(GetParam().Language)};
    const auto w = ShownWindow();
    const TMessageCapture capture;
    EXPECT_FALSE(w->SaveFile(user.Path("missing/label.kxl")));
    ASSERT_EQ(capture.Errors.size(), 1);
    const QString& error = capture.Errors[0];
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(GetParam().CannotCreate))) << error.toStdString();
    EXPECT_TRUE(error.contains(user.Path("missing/label.kxl"))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, KxDesignerInLanguage,
    ::testing::Values(TLanguageCase{QLocale::English, "text", "My Label", "Cannot create \""},
                      TLanguageCase{QLocale::Spanish, "texto", "Mi etiqueta", "No se puede crear \""}));

namespace {

struct TTitleCase {
    QLocale::Language Language;
    const char* Title;
    bool FixedLayout; // the form's layout fixes its size, as the property dialogs' do
};

class KxDialogTitle : public ::testing::TestWithParam<TTitleCase> {};

} // namespace

TEST_P(KxDialogTitle, ANarrowDialogIsWidenedToShowItsWholeTitle) {
    TDesignerUser user;
    const TLanguage language{QLocale(GetParam().Language)};
    const auto w = ShownWindow();
    QDialog dialog(w.get());
    dialog.setWindowTitle(QString::fromUtf8(GetParam().Title));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Text"), &dialog));
    if (GetParam().FixedLayout) layout->setSizeConstraint(QLayout::SetFixedSize);
    dialog.resize(120, 80);
    dialog.show();
    const int needed = TKxTitleFit::TitleWidth(dialog);
    // The title, the application's name and the window's buttons do not fit in 120 pixels.
    EXPECT_GT(needed, 120);
    QCoreApplication::processEvents();
    EXPECT_GE(dialog.width(), needed);
    dialog.setWindowTitle(dialog.windowTitle() + QStringLiteral(" and a longer title"));
    QCoreApplication::processEvents();
    EXPECT_GE(dialog.width(), TKxTitleFit::TitleWidth(dialog));
}

INSTANTIATE_TEST_SUITE_P(Titles, KxDialogTitle,
                         ::testing::Values(TTitleCase{QLocale::English, "Compound Text Properties", true},
                                           TTitleCase{QLocale::Spanish, "Propiedades de texto compuesto",
                                                      true},
                                           TTitleCase{QLocale::English, "Compound Text Properties", false},
                                           TTitleCase{QLocale::Spanish, "Alias", false}));

TEST(KxDialogTitle, AWideDialogKeepsItsWidth) {
    TDesignerUser user;
    const auto w = ShownWindow();
    QDialog dialog(w.get());
    dialog.setWindowTitle(QStringLiteral("Alias"));
    dialog.resize(900, 80);
    dialog.show();
    EXPECT_EQ(dialog.width(), 900);
}

#include <gtest/gtest.h>
#include <memory>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTranslator>
#include <QUndoStack>

#include "db/Table.h"
#include "DesignerTestSupport.h"
#include "KxDesignSurface.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"
#include "KxPostgresDialog.h"
#include "types/KxStrings.h"

namespace {

struct TFilterCase {
    const char* Filter;
    bool Filtered;
    const char* Shown; // the status bar's text; empty: the field is hidden
};

void PrintTo(const TFilterCase& C, std::ostream* Out) {
    *Out << '"' << C.Filter << '"' << (C.Filtered ? " filtered" : "");
}

class KxStatusFilter : public ::testing::TestWithParam<TFilterCase> {};

QLabel& FilterField(TKxMainWindow& W) {
    return *W.findChild<QLabel*>(QStringLiteral("filter"));
}

// Binds the window's label to a filter as the label dialog does: one step.
void SetFilter(TKxMainWindow& W, const QString& Filter, bool Filtered) {
    TTable& table = *W.Lab()->Label()->GetTable();
    table.SetFilter(Filter);
    table.SetFiltered(Filtered);
    W.Lab()->Label()->NotifyBinding();
}

} // namespace

TEST_P(KxStatusFilter, TheStatusBarShowsTheFilterInForce) {
    TDesignerUser user;
    const auto w = ShownWindow();
    EXPECT_TRUE(FilterField(*w).isHidden());
    SetFilter(*w, QString::fromUtf8(GetParam().Filter), GetParam().Filtered);
    EXPECT_EQ(FilterField(*w).text(), QString::fromUtf8(GetParam().Shown));
    EXPECT_EQ(FilterField(*w).isHidden(), QString::fromUtf8(GetParam().Shown).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Filters, KxStatusFilter,
                         ::testing::Values(TFilterCase{"price > 2", true, "Filter: price > 2"},
                                           TFilterCase{" name = 'Apple' ", true, "Filter: name = 'Apple'"},
                                           TFilterCase{"price > 2", false, ""}, TFilterCase{"", true, ""},
                                           TFilterCase{"  ", true, ""}));

TEST(KxStatusFilter, AnUndoneFilterLeavesTheStatusBar) {
    TDesignerUser user;
    const auto w = ShownWindow();
    SetFilter(*w, QStringLiteral("price > 2"), true);
    ASSERT_FALSE(FilterField(*w).isHidden());
    Trigger(*w, "actionUndo");
    EXPECT_TRUE(FilterField(*w).isHidden());
    Trigger(*w, "actionRedo");
    EXPECT_EQ(FilterField(*w).text(), QStringLiteral("Filter: price > 2"));
}

TEST(KxStatusFilter, TheFilterIsNamedInSpanish) {
    TDesignerUser user;
    const auto w = ShownWindow();
    SetFilter(*w, QStringLiteral("price > 2"), true);
    {
        const auto translators = KxInstallLanguage(QLocale(QLocale::Spanish, QLocale::Spain));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(FilterField(*w).text(), QStringLiteral("Filtro: price > 2"));
    }
    KxLoadLanguage({});
    QCoreApplication::sendPostedEvents();
}

namespace {

// The connection form filled with the test server's values, Database replaced.
void FillServer(TKxPostgresDialog& Form, const QString& Database) {
    Form.FName->setText(QStringLiteral("Shared"));
    Form.FHost->setText(qEnvironmentVariable("KXLAB_PG_HOST", "127.0.0.1"));
    Form.FPort->setValue(qEnvironmentVariableIntValue("KXLAB_PG_PORT"));
    Form.FDatabase->setText(Database);
    Form.FUser->setText(qEnvironmentVariable("KXLAB_PG_USER", "postgres"));
}

QString TestConnection(TKxPostgresDialog& Form) {
    QTest::mouseClick(Form.findChild<QPushButton*>(QStringLiteral("testConnection")), Qt::LeftButton);
    return Form.findChild<QLabel*>(QStringLiteral("testResult"))->text();
}

} // namespace

TEST(KxPostgresTest, AConnectionThatWorksSaysSoAndCountsTheTables) {
    if (!qEnvironmentVariableIsSet("KXLAB_PG_PORT")) GTEST_SKIP() << "no PostgreSQL server";
    TKxPostgresDialog form;
    FillServer(form, qEnvironmentVariable("KXLAB_PG_DB", "kxtest"));
    form.show();
    EXPECT_TRUE(TestConnection(form).startsWith(QStringLiteral("Connected: ")))
        << TestConnection(form).toStdString();
    EXPECT_TRUE(form.isVisible()) << "testing does not end the form";
}

TEST(KxPostgresTest, AConnectionThatFailsGivesTheServersError) {
    if (!qEnvironmentVariableIsSet("KXLAB_PG_PORT")) GTEST_SKIP() << "no PostgreSQL server";
    TKxPostgresDialog form;
    FillServer(form, QStringLiteral("no_such_database"));
    const QString said = TestConnection(form);
    EXPECT_TRUE(said.contains(QStringLiteral("\"no_such_database\" does not exist"))) << said.toStdString();
    EXPECT_FALSE(said.startsWith(QStringLiteral("Connected")));
}

TEST(KxPostgresTest, AFormWithoutADatabaseSaysWhatIsMissing) {
    TKxPostgresDialog form;
    FillServer(form, QString());
    const QString said = TestConnection(form);
    EXPECT_FALSE(said.isEmpty());
    EXPECT_FALSE(said.startsWith(QStringLiteral("Connected")));
}

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>

#include "base/Messages.h"
#include "db/AliasFile.h"
#include "db/DBEngineError.h"
#include "db/Session.h"
#include "DesignerTestSupport.h"
#include "KxAliasesDialog.h"
#include "KxPostgresDialog.h"
#include "KxUserAliases.h"

namespace {

TDBAlias Lite(const QString& Name, const QString& Path) {
    TDBAlias a;
    a.Name = Name;
    a.Path = Path;
    return a;
}

TDBAlias Postgres(const QString& Name, const QString& PasswordEnv = {}) {
    TDBAlias a;
    a.Name = Name;
    a.Driver = TDBDriver::PostgreSQL;
    a.Host = qEnvironmentVariable("KXLAB_PG_HOST", "127.0.0.1");
    a.Port = qEnvironmentVariableIntValue("KXLAB_PG_PORT");
    if (a.Port == 0) a.Port = 5432;
    a.Database = qEnvironmentVariable("KXLAB_PG_DB", "kxtest");
    a.User = qEnvironmentVariable("KXLAB_PG_USER", "postgres");
    a.PasswordEnv = PasswordEnv;
    return a;
}

} // namespace

TEST(KxUserAliases, AnAddedAliasIsInTheSessionAndTheUsersFile) {
    TDesignerUser user;
    TSession session;
    KxAddUserAlias(session, Lite("Shop", user.Path("shop.db")));
    EXPECT_TRUE(session.IsAlias("Shop"));
    EXPECT_TRUE(KxIsUserAlias("shop"));
    EXPECT_EQ(KxReadAliasFile(KxUserAliasFile()).at(0).Path, user.Path("shop.db"));
    KxRemoveUserAlias(session, "SHOP");
    EXPECT_FALSE(session.IsAlias("Shop"));
    EXPECT_FALSE(KxIsUserAlias("Shop"));
}

TEST(KxUserAliases, ARefusedAliasChangesNeitherTheSessionNorTheFile) {
    TDesignerUser user;
    TSession session;
    session.AddAlias(Lite("Taken", user.Path("t.db")));
    KxAddUserAlias(session, Lite("Mine", user.Path("m.db")));
    const QByteArray before = FileBytes(KxUserAliasFile());
    TDBAlias noDatabase = Postgres("NoDb");
    noDatabase.Database.clear();
    for (const TDBAlias& bad : {Lite("taken", user.Path("x.db")), Lite("", user.Path("x.db")), noDatabase}) {
        EXPECT_THROW(KxAddUserAlias(session, bad), EDBEngineError);
        EXPECT_EQ(FileBytes(KxUserAliasFile()), before);
    }
    QStringList names;
    session.GetAliasNames(names);
    EXPECT_EQ(names, (QStringList{"Taken", "Mine"}));
}

TEST(KxUserAliases, ATypedPasswordStaysInThisProcessAndOutOfTheFile) {
    TDesignerUser user;
    TSession session;
    KxAddUserAlias(session, Postgres("Shared", "SOME_VAR"), "s3cret-typed");
    const TDBAlias* inSession = session.FindAlias("Shared");
    ASSERT_NE(inSession, nullptr);
    EXPECT_EQ(inSession->SessionPassword, "s3cret-typed");
    EXPECT_TRUE(inSession->PasswordEnv.isEmpty());
    // A program started from here never finds it.
    EXPECT_FALSE(Exec("env", {}).Out.contains("s3cret-typed"));
    const QByteArray file = FileBytes(KxUserAliasFile());
    EXPECT_FALSE(file.contains("s3cret-typed"));
    EXPECT_FALSE(file.contains("PasswordEnv="));
    EXPECT_TRUE(file.contains("Database="));
    if (qEnvironmentVariableIsSet("KXLAB_PG_PORT")) {
        QStringList tables;
        EXPECT_NO_THROW(session.GetTableNames("Shared", {}, false, false, tables));
    }
    KxRemoveUserAlias(session, "Shared");
}

TEST(KxAliasesDialog, ThePostgresFormGivesTheAliasAndWhereItsPasswordComesFrom) {
    TKxPostgresDialog form;
    form.FName->setText(" Shared ");
    form.FHost->setText("db.example.org");
    form.FPort->setValue(6543);
    form.FDatabase->setText("labels");
    form.FUser->setText("labeller");
    form.FVariable->setText("LABELS_PG_PASS");
    form.FPassword->setText("typed");
    const std::vector<std::tuple<int, QString, QString, bool, bool>> cases{
        {TKxPostgresDialog::psLibpq, "", "", false, false},
        {TKxPostgresDialog::psEnvironment, "LABELS_PG_PASS", "", true, false},
        {TKxPostgresDialog::psSession, "", "typed", false, true}};
    for (const auto& [source, env, password, variableOn, passwordOn] : cases) {
        form.FSource->setCurrentIndex(source);
        const TDBAlias a = form.Alias();
        EXPECT_EQ(a.Name, "Shared");
        EXPECT_EQ(a.Driver, TDBDriver::PostgreSQL);
        EXPECT_EQ(a.Port, 6543);
        EXPECT_EQ(a.PasswordEnv, env);
        EXPECT_EQ(form.SessionPassword(), password);
        EXPECT_EQ(form.FVariable->isEnabled(), variableOn);
        EXPECT_EQ(form.FPassword->isEnabled(), passwordOn);
    }
}

TEST(KxAliasesDialog, ListsTheSessionsAliasesAndWhereEachIsKept) {
    TDesignerUser user;
    TMessageCapture messages;
    Session().AddAlias(Lite("FromTheHost", user.Path("host.db")));
    TKxAliasesDialog dialog;
    EXPECT_TRUE(dialog.AddAlias(Lite("Mine", user.Path("mine.db"))));
    EXPECT_FALSE(dialog.AddAlias(Lite("mine", user.Path("other.db"))));
    EXPECT_EQ(messages.Messages.size(), 1);
    QTreeWidget* list = dialog.List();
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(3);
    EXPECT_TRUE(rows.contains("FromTheHost | this session"));
    EXPECT_TRUE(rows.contains("Mine | your aliases file"));
    KxRemoveUserAlias(Session(), "Mine");
    Session().DeleteAlias("FromTheHost");
}

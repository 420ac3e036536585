#include "db/AliasFile.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <tuple>

#include "common/TestSupport.h"
#include "db/DBEngineError.h"
#include "db/Session.h"

namespace {

TDBAlias Lite(const QString& Name, const QString& Path) {
    TDBAlias a;
    a.Name = Name;
    a.Path = Path;
    return a;
}

TDBAlias Postgres(const QString& Name) {
    TDBAlias a;
    a.Name = Name;
    a.Driver = TDBDriver::PostgreSQL;
    a.Host = QStringLiteral("db.example.org");
    a.Port = 6543;
    a.Database = QStringLiteral("labels");
    a.User = QStringLiteral("labeller");
    a.PasswordEnv = QStringLiteral("LABELS_PG_PASS");
    return a;
}

auto Fields(const TDBAlias& a) {
    return std::tuple(a.Name, a.Driver, a.Path, a.Host, a.Port, a.Database, a.User, a.PasswordEnv);
}

QByteArray Bytes(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Points the user's configuration folder and KXLAB_ALIASES where a test wants them, for its lifetime.
class TUserConfig {
public:
    explicit TUserConfig(const QString& Folder, const QByteArray& Named = {})
        : FOldConfig(qgetenv("XDG_CONFIG_HOME"))
        , FOldNamed(qgetenv(TSession::AliasFileVariable())) {
        qputenv("XDG_CONFIG_HOME", Folder.toLocal8Bit());
        qputenv(TSession::AliasFileVariable(), Named);
    }
    ~TUserConfig() {
        qputenv("XDG_CONFIG_HOME", FOldConfig);
        qputenv(TSession::AliasFileVariable(), FOldNamed);
    }

private:
    QByteArray FOldConfig;
    QByteArray FOldNamed;
};

} // namespace

TEST(AliasFile, WrittenAliasesReadBackTheSame) {
    TKxTempDir dir;
    const QString path = dir.Path("conf/aliases.ini");
    const QString db = dir.Path("shop.db");
    std::vector<TDBAlias> written{Lite("Shop", db), Postgres("Shared")};
    KxSaveAliasFile(path, written);
    const std::vector<TDBAlias> read = KxReadAliasFile(path);
    ASSERT_EQ(read.size(), 2u);
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(Fields(read[i]), Fields(written[i]));
    TSession session;
    session.LoadAliasFile(path);
    EXPECT_TRUE(session.IsAlias("shared"));
    EXPECT_FALSE(Bytes(path).toLower().contains("password="));
}

TEST(AliasFile, ARelativeSqlitePathIsWrittenAbsolute) {
    TKxTempDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.Path());
    KxSaveAliasFile(dir.Path("sub/aliases.ini"), {Lite("Here", "data.db")});
    QDir::setCurrent(old);
    EXPECT_EQ(KxReadAliasFile(dir.Path("sub/aliases.ini")).at(0).Path, QDir(dir.Path()).filePath("data.db"));
}

TEST(AliasFile, AValueThatCannotBeWrittenLeavesTheOldFileWhole) {
    TKxTempDir dir;
    const QString path = dir.Path("aliases.ini");
    KxSaveAliasFile(path, {Lite("Shop", dir.Path("shop.db"))});
    const QByteArray before = Bytes(path);
    TDBAlias broken = Postgres("Broken");
    broken.Host = "evil\n[Injected]";
    for (const TDBAlias& bad : {broken, Lite("[x]", "a.db"), Lite("  ", "a.db")}) {
        EXPECT_THROW(KxSaveAliasFile(path, {Lite("Other", "b.db"), bad}), EDBEngineError);
        EXPECT_EQ(Bytes(path), before);
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"aliases.ini"});
}

TEST(AliasFile, AFolderThatCannotBeMadeIsAnErrorNamingTheFile) {
    TKxTempDir dir;
    QFile plain(dir.Path("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    try {
        KxSaveAliasFile(dir.Path("plain/aliases.ini"), {});
        FAIL() << "no error";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.Message().contains("plain/aliases.ini")) << e.Message().toStdString();
    }
}

TEST(AliasFileUser, LivesUnderTheUsersConfigurationFolder) {
    TKxTempDir dir;
    const TUserConfig config(dir.Path());
    EXPECT_EQ(KxUserAliasFile(), dir.Path("kxlab/aliases.ini"));
}

TEST(AliasFileUser, LoadedOnlyWhenItExistsAndNoOtherFileIsNamed) {
    TKxTempDir dir;
    KxSaveAliasFile(dir.Path("kxlab/aliases.ini"), {Lite("Mine", dir.Path("mine.db"))});
    {
        const TUserConfig config(dir.Path(), dir.Path("other.ini").toLocal8Bit());
        TSession session;
        EXPECT_FALSE(KxLoadUserAliases(session));
        EXPECT_FALSE(session.IsAlias("Mine"));
    }
    {
        const TUserConfig config(dir.Path());
        TSession session;
        EXPECT_TRUE(KxLoadUserAliases(session));
        EXPECT_TRUE(session.IsAlias("Mine"));
    }
    {
        const TUserConfig config(dir.Path("elsewhere"));
        TSession session;
        EXPECT_FALSE(KxLoadUserAliases(session));
    }
}

TEST(AliasFileUser, ACorruptFileIsAnErrorAndAddsNothing) {
    TKxTempDir dir;
    QDir().mkpath(dir.Path("kxlab"));
    QFile f(dir.Path("kxlab/aliases.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Good]\nPath=a.db\n[Bad]\nColour=red\n");
    f.close();
    const TUserConfig config(dir.Path());
    TSession session;
    EXPECT_THROW(KxLoadUserAliases(session), EDBEngineError);
    EXPECT_FALSE(session.IsAlias("Good"));
}

namespace {

void WriteText(const QString& Path, const QByteArray& Text) {
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Text);
}

} // namespace

TEST(AliasFileRewrite, KeepsCommentsAndTheLinesOfWhatDidNotChange) {
    // What stays as written: the comments, an alias that does not change, the comments of one that does.
    const QByteArray kept = "; Shop aliases, kept by hand\n"
                            "\n"
                            "# the till's database, beside this file\n"
                            "[Till]\n"
                            "path = till.db\n"
                            "; moved in March\n"
                            "\n"
                            "; the office server\n"
                            "[Office]\n";
    TKxTempDir dir;
    const QString path = dir.Path("aliases.ini");
    WriteText(path, kept + "Driver=PostgreSQL\n"
                           "Database=office\n"
                           "\n"
                           "; going away\n"
                           "[Old]\n"
                           "Path=old.db\n");
    std::vector<TDBAlias> aliases = KxReadAliasFile(path);
    ASSERT_EQ(aliases.size(), 3u);
    aliases[1].Database = QStringLiteral("office2");
    aliases.pop_back();
    aliases.push_back(Lite("New", dir.Path("new.db")));
    KxSaveAliasFile(path, aliases);
    EXPECT_EQ(QString::fromUtf8(Bytes(path)),
              kept + "Driver=PostgreSQL\nPort=5432\nDatabase=office2\n\n\n[New]\nDriver=SQLite\nPath=" +
                  dir.Path("new.db") + "\n");
    const std::vector<TDBAlias> read = KxReadAliasFile(path);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].Path, dir.Path("till.db"));
    EXPECT_EQ(read[1].Database, "office2");
}

// The rewrite as the system sees it: the new file reaches the disk before it replaces the old one,
// and the folder after, so a power loss keeps one of them. The test runs itself under strace, which
// shows each file a call touches.
TEST(AliasFileRewrite, IsOnDiskBeforeTheRenameAndTheFolderAfter) {
    const QString target = qEnvironmentVariable("KXLAB_TRACED_ALIASES");
    if (!target.isEmpty()) {
        KxSaveAliasFile(target, {Lite("Shop", "/x/shop.db")});
        return;
    }
    if (Exec("strace", {"-o", "/dev/null", "true"}).Code != 0) GTEST_SKIP() << "strace cannot trace here";
    TKxTempDir dir;
    const QString path = dir.Path("aliases.ini");
    KxSaveAliasFile(path, {Lite("Old", "/x/old.db")});
    const QString log = dir.Path("trace.log");
    // LeakSanitizer cannot run under a tracer.
    const TResult r =
        Exec("env", {"KXLAB_TRACED_ALIASES=" + path, "ASAN_OPTIONS=detect_leaks=0", "strace", "-f", "-y",
                     "-o", log, "-e", "trace=fsync,fdatasync,rename,renameat,renameat2,linkat",
                     QCoreApplication::applicationFilePath(),
                     "--gtest_filter=AliasFileRewrite.IsOnDiskBeforeTheRenameAndTheFolderAfter"});
    ASSERT_EQ(r.Code, 0) << r.Out.toStdString() << r.Err.toStdString();
    const QStringList calls = QString::fromUtf8(Bytes(log)).split(u'\n');
    const QString folder = QDir(dir.Path()).canonicalPath();
    qsizetype fileSynced = -1, renamed = -1, folderSynced = -1;
    for (qsizetype i = 0; i < calls.size(); ++i) {
        const QString& call = calls[i];
        if (call.contains("sync(") && call.contains("<" + folder + "/") && fileSynced < 0) fileSynced = i;
        if ((call.contains(" rename") || call.contains(" linkat")) && call.contains(folder + "/aliases.ini"))
            renamed = i;
        if (call.contains("fsync(") && call.contains("<" + folder + ">") && renamed >= 0 && folderSynced < 0)
            folderSynced = i;
    }
    EXPECT_GE(fileSynced, 0) << Bytes(log).toStdString();
    EXPECT_GT(renamed, fileSynced) << Bytes(log).toStdString();
    EXPECT_GT(folderSynced, renamed) << Bytes(log).toStdString();
    EXPECT_EQ(KxReadAliasFile(path).at(0).Name, "Shop");
}

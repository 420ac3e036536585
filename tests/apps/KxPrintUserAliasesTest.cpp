#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "AppTestSupport.h"
#include "common/TestSupport.h"
#include "db/AliasFile.h"
#include "db/Session.h"

namespace {

// kxprint on the example label, its user's configuration folder Config, no KXLAB_ALIASES.
TResult KxPrintAs(const QString& Config, QStringList Args) {
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldNamed = qgetenv(TSession::AliasFileVariable());
    qputenv("XDG_CONFIG_HOME", Config.toLocal8Bit());
    qunsetenv(TSession::AliasFileVariable());
    const TResult r = Exec(QStringLiteral(KXPRINT_EXE), QStringList{Sample("price-tag.kxl")} + Args);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv(TSession::AliasFileVariable(), oldNamed);
    return r;
}

void WriteUserFile(const QString& Config, const QByteArray& Text) {
    QDir().mkpath(Config + "/kxlab");
    QFile f(Config + "/kxlab/aliases.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Text);
}

} // namespace

TEST(KxPrintUserAliases, TheUsersFileNamesTheAliasWhenNoOtherIsGiven) {
    TKxTempDir dir;
    TDBAlias products;
    products.Name = "Products";
    products.Path = Sample("products.db");
    KxSaveAliasFile(dir.Path("kxlab/aliases.ini"), {products});
    const TResult r = KxPrintAs(dir.Path(), {"-o", dir.Path("out.pdf"), "--to", "3", "--quiet"});
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.Path("out.pdf")));
}

TEST(KxPrintUserAliases, WithoutItTheAliasIsUnknown) {
    TKxTempDir dir;
    const TResult r = KxPrintAs(dir.Path(), {"-o", dir.Path("out.pdf"), "--quiet"});
    EXPECT_EQ(r.Code, 4) << r.Err.toStdString();
}

TEST(KxPrintUserAliases, ANamedFileWinsAndTheUsersIsNotRead) {
    TKxTempDir dir;
    WriteUserFile(dir.Path(), "[Products]\nColour=red\n");
    const TResult named = KxPrintAs(
        dir.Path(), {"--aliases", Sample("aliases.ini"), "-o", dir.Path("a.pdf"), "--to", "3", "--quiet"});
    EXPECT_EQ(named.Code, 0) << named.Err.toStdString();
    const TResult mine = KxPrintAs(dir.Path(), {"-o", dir.Path("b.pdf"), "--quiet"});
    EXPECT_EQ(mine.Code, 5);
    EXPECT_TRUE(mine.Err.contains("aliases.ini")) << mine.Err.toStdString();
}

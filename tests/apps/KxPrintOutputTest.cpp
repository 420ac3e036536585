#include <gtest/gtest.h>
#include <QFile>
#include <sys/stat.h>

#include "AppTestSupport.h"
#include "base/Messages.h"
#include "base/OutputSet.h"
#include "KxReport.h"
#include "KxSheetFiles.h"

TEST(KxOutputFile, ReplacesItsTargetOnlyOnCommit) {
    TKxTempDir dir;
    const QString target = dir.Path(QStringLiteral("out.pdf"));
    WriteBytes(target, "yesterday");
    {
        TKxOutputFile file(target);
        EXPECT_EQ(file.write("today, whole"), 12);
        file.Finish();
        // Written and synced, but the target is still yesterday's, and nothing else has a name.
        EXPECT_EQ(FileBytes(target), "yesterday");
        EXPECT_EQ(FolderEntries(dir.Path()), QStringList{"out.pdf"});
        file.Commit();
    }
    EXPECT_EQ(FileBytes(target), "today, whole");
    EXPECT_EQ(FolderEntries(dir.Path()), QStringList{"out.pdf"});
}

TEST(KxOutputFile, AFileNeverCommittedLeavesNothing) {
    TKxTempDir dir;
    const QString target = dir.Path(QStringLiteral("out.pdf"));
    WriteBytes(target, "yesterday");
    {
        TKxOutputFile file(target);
        file.write(QByteArray(200000, 'x'));
        file.Finish();
        file.Name();
        // Named now, so a run of many sheets holds no descriptor for it...
        EXPECT_EQ(FolderEntries(dir.Path()).size(), 2);
    }
    // ...and removed when the run gives up.
    EXPECT_EQ(FileBytes(target), "yesterday");
    EXPECT_EQ(FolderEntries(dir.Path()), QStringList{"out.pdf"});
}

TEST(KxOutputFile, AReplacedFileKeepsItsPermissions) {
    TKxTempDir dir;
    const QString target = dir.Path(QStringLiteral("out.svg"));
    WriteBytes(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    TKxOutputFile file(target);
    file.write("new");
    file.Finish();
    file.Commit();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A writer that goes back cannot be served by a file written front to back: the failure is kept
// with its reason, every later write fails, and Finish names the file.
TEST(KxOutputFile, AFailedWriteIsKeptAndNamedByFinish) {
    TKxTempDir dir;
    const QString target = dir.Path(QStringLiteral("out.png"));
    TKxOutputFile file(target);
    file.write("header");
    EXPECT_FALSE(file.Failed());
    EXPECT_FALSE(file.seek(2));
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(file.write("more"), -1);
    try {
        file.Finish();
        FAIL() << "a failed file finished";
    } catch (const EKxOutputError& e) {
        EXPECT_TRUE(e.Message().startsWith("cannot write \"" + target + "\": ")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Illegal seek"))) << e.Message().toStdString();
    }
}

TEST(KxOutputFile, AMissingFolderIsAnErrorAtOnce) {
    TKxTempDir dir;
    const QString target = dir.Path(QStringLiteral("no/such/out.pdf"));
    try {
        TKxOutputFile file(target);
        FAIL() << "a file was made in a missing folder";
    } catch (const EKxOutputError& e) {
        EXPECT_EQ(e.Message(), "cannot write \"" + target + "\": No such file or directory");
    }
}

// Past MaxUnnamed waiting files, finished ones take a temporary name; the commit renames them all and
// leaves nothing else.
TEST(KxOutputSet, ManySheetsAreReplacedTogether) {
    TKxTempDir dir;
    const QString output = dir.Path(QStringLiteral("s.svg"));
    const int sheets = TKxOutputSet::MaxUnnamed + 4;
    {
        TKxOutputSet set;
        for (int n = 1; n <= sheets; ++n) {
            TKxOutputFile& file = set.Add(KxSheetPath(output, n));
            file.write(QByteArray::number(n));
            set.Finish(file);
        }
        EXPECT_EQ(FolderEntries(dir.Path()).size(), 4);
        for (const QString& name : FolderEntries(dir.Path()))
            EXPECT_TRUE(name.startsWith(QStringLiteral(".kxprint-"))) << name.toStdString();
        set.Commit();
    }
    EXPECT_EQ(FolderEntries(dir.Path()).size(), sheets);
    EXPECT_EQ(FileBytes(KxSheetPath(output, 1)), "1");
    EXPECT_EQ(FileBytes(KxSheetPath(output, sheets)), QByteArray::number(sheets));
    EXPECT_EQ(KxExistingSheets(output).size(), static_cast<size_t>(sheets));
    EXPECT_EQ(KxExistingSheets(output).rbegin()->first, sheets);
}

namespace {

// Makes a file immutable (chattr +i) while it lives; Made() is false where the system does not let it.
class TImmutable {
public:
    explicit TImmutable(const QString& Path)
        : FPath(Path)
        , FMade(Exec(QStringLiteral("chattr"), {QStringLiteral("+i"), Path}).Code == 0) {}
    ~TImmutable() {
        if (FMade) Exec(QStringLiteral("chattr"), {QStringLiteral("-i"), FPath});
    }
    TImmutable(const TImmutable&) = delete;
    TImmutable& operator=(const TImmutable&) = delete;
    bool Made() const { return FMade; }

private:
    QString FPath;
    bool FMade;
};

} // namespace

// Sheets 1 and 2 are replaced before sheet 3 turns out to be immutable: the commit puts them back,
// and the folder holds yesterday's sheets only.
TEST(KxOutputSet, ASheetThatCannotBeReplacedLeavesEveryTargetAsItWas) {
    TKxTempDir dir;
    const QString output = dir.Path(QStringLiteral("s.svg"));
    for (int n = 1; n <= 3; ++n)
        WriteBytes(KxSheetPath(output, n), "old " + QByteArray::number(n));
    const TImmutable locked(KxSheetPath(output, 3));
    if (!locked.Made()) GTEST_SKIP() << "chattr +i is not allowed here";
    {
        TKxOutputSet set;
        for (int n = 1; n <= 4; ++n) {
            TKxOutputFile& file = set.Add(KxSheetPath(output, n));
            file.write("new");
            set.Finish(file);
        }
        try {
            set.Commit();
            ADD_FAILURE() << "the commit succeeded";
        } catch (const EKxOutputError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("s-3.svg"))) << e.Message().toStdString();
        }
    }
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(FileBytes(KxSheetPath(output, n)), "old " + QByteArray::number(n));
    EXPECT_EQ(FolderEntries(dir.Path()), (QStringList{"s-1.svg", "s-2.svg", "s-3.svg"}));
}

TEST(KxSheetFiles, OnlyTheOutputsOwnNumberedFilesAreSheets) {
    TKxTempDir dir;
    for (const char* name :
         {"tag-1.png", "tag-12.png", "tag-0.png", "tag-x.png", "tag-3.bmp", "tag.png", "tags-2.png"})
        WriteBytes(dir.Path(QString::fromLatin1(name)), "x");
    const std::map<int64_t, QString> sheets = KxExistingSheets(dir.Path(QStringLiteral("tag.png")));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets.begin()->second, dir.Path(QStringLiteral("tag-1.png")));
    EXPECT_EQ(sheets.rbegin()->first, 12);
}

struct TTerminalCase {
    const char* Name;
    QString Text;
    QString Shown;
};

class KxTerminalTextCase : public ::testing::TestWithParam<TTerminalCase> {};

TEST_P(KxTerminalTextCase, ShowsControlsEscaped) {
    EXPECT_EQ(KxTerminalText(GetParam().Text), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxTerminalTextCase,
    ::testing::Values(TTerminalCase{"Plain", "Precio: 1,50 EUR", "Precio: 1,50 EUR"},
                      TTerminalCase{"Escape", "field\x1b[2Jname", "field\\x1b[2Jname"},
                      TTerminalCase{"Bell", QStringLiteral("a\u0007b"), "a\\x07b"},
                      TTerminalCase{"Lines", "one\ntwo\tthree\r", "one\\ntwo\\tthree\\x0d"},
                      TTerminalCase{"Delete", QStringLiteral("x\u007fy"), "x\\x7fy"},
                      TTerminalCase{"C1", QStringLiteral("x\u009by"), "x\\x9by"},
                      TTerminalCase{"Reordering", QStringLiteral("abc\u202Efdp.exe"), "abc\\u202efdp.exe"},
                      TTerminalCase{"Accents", QStringLiteral("Año, café"), QStringLiteral("Año, café")}),
    [](const auto& info) { return std::string(info.param.Name); });

namespace {

// What a report wrote on its stream.
QString Written(std::FILE* File) {
    std::fflush(File);
    std::rewind(File);
    QByteArray bytes;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, File)) > 0)
        bytes.append(buffer, static_cast<qsizetype>(n));
    return QString::fromLocal8Bit(bytes);
}

} // namespace

TEST(KxReport, QuietShowsErrorsOnly) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    {
        TKxReport report(err, true);
        report.Warning(QStringLiteral("a warning"));
        ShowMessage(QStringLiteral("Invalid filename: x.png"));
        report.Progress(10, 1, true);
        EXPECT_EQ(report.Error(5, QStringLiteral("the error")), 5);
    }
    EXPECT_EQ(Written(err), "kxprint: the error\n");
    std::fclose(err);
}

TEST(KxReport, LibraryMessagesAreWarningsAndHeldOnesDropWithAnError) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    {
        TKxReport report(err, false);
        report.Hold();
        ShowMessage(QStringLiteral("Invalid filename: \x1b.png"));
        report.Release();
        report.Hold();
        report.Warning(QStringLiteral("dropped"));
        report.Error(3, QStringLiteral("refused"));
    }
    EXPECT_EQ(Written(err), "kxprint: warning: Invalid filename: \\x1b.png\nkxprint: refused\n");
    std::fclose(err);
}

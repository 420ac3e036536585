#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "AppTestSupport.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"

namespace {

const QString Tag = Sample(QStringLiteral("price-tag.kxl"));
const QString Aliases = Sample(QStringLiteral("aliases.ini"));

// Yesterday's outputs, whose bytes a failed or interrupted run must leave as they are.
struct TPrevious {
    explicit TPrevious(const TKxTempDir& Dir, const QStringList& Names) {
        for (const QString& name : Names) {
            const QString path = Dir.Path(name);
            WriteBytes(path, "yesterday's " + name.toUtf8());
            Files.append(path);
        }
    }
    void ExpectUnchanged() const {
        for (const QString& path : Files) {
            const QString name = path.section(u'/', -1);
            EXPECT_EQ(FileBytes(path), "yesterday's " + name.toUtf8()) << path.toStdString();
        }
    }
    QStringList Files;
};

struct TSignalCase {
    const char* Name;
    int Signal;
    const char* Output;
};

class KxPrintInterrupted : public ::testing::TestWithParam<TSignalCase> {};

} // namespace

// A long run is interrupted once its temporary output exists: the process ends by the signal, every
// previous output keeps its bytes, and no temporary file is left, even after SIGKILL: the file has
// no name until the run commits it.
TEST_P(KxPrintInterrupted, LeavesThePreviousOutputsAndNoTemporary) {
    TKxTempDir dir;
    const QString output = QString::fromLatin1(GetParam().Output);
    const bool sheets = output.endsWith(u".png");
    const TPrevious previous(dir, sheets ? QStringList{"out-1.png", "out-2.png"} : QStringList{output});
    const QStringList before = FolderEntries(dir.Path());
    TKxPrintProcess run({Tag, "-o", dir.Path(output), "--no-data", "--labs", "2000000", "--dpi", "50"});
    ASSERT_TRUE(run.WaitForUnnamed(dir.Path())) << run.Err().toStdString();
    run.Signal(GetParam().Signal);
    EXPECT_EQ(run.Finish(), -GetParam().Signal) << run.Err().toStdString();
    previous.ExpectUnchanged();
    EXPECT_EQ(FolderEntries(dir.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Signals, KxPrintInterrupted,
                         ::testing::Values(TSignalCase{"TermPdf", SIGTERM, "out.pdf"},
                                           TSignalCase{"IntPdf", SIGINT, "out.pdf"},
                                           TSignalCase{"HupPdf", SIGHUP, "out.pdf"},
                                           TSignalCase{"KillPdf", SIGKILL, "out.pdf"},
                                           TSignalCase{"TermSheets", SIGTERM, "out.png"},
                                           TSignalCase{"HupSheets", SIGHUP, "out.png"},
                                           TSignalCase{"KillSheets", SIGKILL, "out.png"}),
                         [](const auto& info) { return std::string(info.param.Name); });

namespace {

// A label of one small cell per sheet, saved in Dir.
QString OneCellLabel(const TKxTempDir& Dir) {
    return SaveLabel(Dir.Path(QStringLiteral("one.kxl")), [](TKxLabel& L) {
        L.GetMeasure()->SetPaperWidth(20);
        L.GetMeasure()->SetPaperHeight(20);
        L.GetMeasure()->SetNuHor(1);
        L.GetMeasure()->SetNuVer(1);
    });
}

} // namespace

// A run of more sheets than may wait unnamed gives the later ones temporary names in the folder; an
// interrupt removes them, and those a killed run could not remove go with the next run there.
TEST(KxPrintInterruptedSheets, NamedTemporariesAreRemovedBySignalsOrByTheNextRun) {
    TKxTempDir dir;
    const QString label = OneCellLabel(dir);
    const QString out = dir.Path(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkdir(out));
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        WriteBytes(out + QStringLiteral("/s-1.svg"), "yesterday's s-1.svg");
        TKxPrintProcess run({label, "-o", out + QStringLiteral("/s.svg"), "--no-data", "--labs", "1000000"});
        QElapsedTimer waited;
        waited.start();
        bool named = false;
        while (!named && waited.elapsed() < 120000) {
            for (const QString& name : FolderEntries(out))
                named = named || name.startsWith(QStringLiteral(".kxprint-"));
            QThread::msleep(20);
        }
        ASSERT_TRUE(named) << "no named temporary file appeared";
        run.Signal(signal);
        EXPECT_EQ(run.Finish(), -signal);
        EXPECT_EQ(FileBytes(out + QStringLiteral("/s-1.svg")), "yesterday's s-1.svg");
        if (signal == SIGKILL) {
            EXPECT_GT(FolderEntries(out).size(), 1);
            const TResult next =
                KxPrint({label, "-o", out + QStringLiteral("/s.svg"), "--no-data", "--labs", "2"});
            EXPECT_EQ(next.Code, 0) << next.Err.toStdString();
            EXPECT_EQ(FolderEntries(out), (QStringList{"s-1.svg", "s-2.svg"}));
        } else {
            EXPECT_EQ(FolderEntries(out), QStringList{"s-1.svg"});
        }
    }
}

// Sheets hold no descriptor each while they wait: a run of many sheets works with few open files.
TEST(KxPrintSheets, ManySheetsNeedFewOpenFiles) {
    TKxTempDir dir;
    const QString label = OneCellLabel(dir);
    const TResult r =
        KxPrintWithLimit(QStringLiteral("-n"), 64,
                         {label, "-o", dir.Path(QStringLiteral("s.svg")), "--no-data", "--labs", "200"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 201);
}

// A full disk, as a file-size limit makes it: the write fails, the run says which file and why, and
// the previous outputs stay.
TEST(KxPrintFullDisk, AFailedWriteIsExitSixNamingTheFileAndTheReason) {
    TKxTempDir dir;
    const TPrevious previous(dir, {"out.pdf", "out-1.png", "out-2.png"});
    const QStringList before = FolderEntries(dir.Path());
    for (const char* output : {"out.pdf", "out.png"}) {
        SCOPED_TRACE(output);
        const QString target = dir.Path(QString::fromLatin1(output));
        const TResult r = KxPrintWithFileLimit(20, {Tag, "--aliases", Aliases, "-o", target, "--dpi", "150"});
        EXPECT_EQ(r.Code, 6) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains(QStringLiteral("File too large"))) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains(QStringLiteral("cannot write \"%1").arg(dir.Path(QStringLiteral("out")))))
            << r.Err.toStdString();
    }
    previous.ExpectUnchanged();
    EXPECT_EQ(FolderEntries(dir.Path()), before);
}

// Two runs writing the same PDF at once: both succeed, and the file is one run's, whole.
TEST(KxPrintConcurrent, TwoRunsLeaveOnePdfEqualToASingleRun) {
    TKxTempDir dir;
    const QStringList args{Tag, "--aliases", Aliases, "--to", "60"};
    const TResult single = KxPrint(args + QStringList{"-o", dir.Path(QStringLiteral("single.pdf"))});
    ASSERT_EQ(single.Code, 0) << single.Err.toStdString();
    const QString shared = dir.Path(QStringLiteral("shared.pdf"));
    {
        TKxPrintProcess first(args + QStringList{"-o", shared});
        TKxPrintProcess second(args + QStringList{"-o", shared});
        EXPECT_EQ(first.Finish(), 0) << first.Err().toStdString();
        EXPECT_EQ(second.Finish(), 0) << second.Err().toStdString();
    }
    EXPECT_EQ(PdfPages(shared), 3);
    const auto text = [](const QString& Pdf) { return Exec(QStringLiteral("pdftotext"), {Pdf, "-"}).Out; };
    EXPECT_EQ(text(shared), text(dir.Path(QStringLiteral("single.pdf"))));
    EXPECT_EQ(FolderEntries(dir.Path()), (QStringList{"shared.pdf", "single.pdf"}));
}

// Two runs writing the same sheets at once: every sheet is the same run's.
TEST(KxPrintConcurrent, TwoRunsLeaveTheSheetsOfOne) {
    TKxTempDir dir;
    const QStringList first{Tag, "--aliases", Aliases, "--from", "1", "--to", "42", "--dpi", "50"};
    const QStringList second{Tag, "--aliases", Aliases, "--from", "43", "--to", "84", "--dpi", "50"};
    ASSERT_EQ(KxPrint(first + QStringList{"-o", dir.Path(QStringLiteral("a.png"))}).Code, 0);
    ASSERT_EQ(KxPrint(second + QStringList{"-o", dir.Path(QStringLiteral("b.png"))}).Code, 0);
    const QString shared = dir.Path(QStringLiteral("s.png"));
    for (int round = 0; round < 3; ++round) {
        TKxPrintProcess a(first + QStringList{"-o", shared});
        TKxPrintProcess b(second + QStringList{"-o", shared});
        EXPECT_EQ(a.Finish(), 0) << a.Err().toStdString();
        EXPECT_EQ(b.Finish(), 0) << b.Err().toStdString();
        const QString from =
            FileBytes(dir.Path(QStringLiteral("s-1.png"))) == FileBytes(dir.Path(QStringLiteral("a-1.png")))
                ? QStringLiteral("a")
                : QStringLiteral("b");
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(FileBytes(dir.Path(QStringLiteral("s-%1.png").arg(n))),
                      FileBytes(dir.Path(QStringLiteral("%1-%2.png").arg(from).arg(n))))
                << "round " << round << ", sheet " << n;
    }
}

// Sheets appear all together; those of an earlier, longer run are reported and left as they were.
TEST(KxPrintSheets, EarlierSheetsAreReportedNeverDeleted) {
    TKxTempDir dir;
    const TPrevious previous(dir, {"t-3.png", "t-4.png", "t-5.png"});
    WriteBytes(dir.Path(QStringLiteral("t-1.png")), "old");
    const TResult r = KxPrint(
        {Tag, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("t.png")), "--to", "25", "--dpi", "50"});
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QStringLiteral("3 sheet file(s) of an earlier, longer run remain beside the 2 "
                                              "written, left as they were: t-3.png, t-4.png, t-5.png")))
        << r.Err.toStdString();
    EXPECT_NE(FileBytes(dir.Path(QStringLiteral("t-1.png"))), "old");
    EXPECT_TRUE(FileBytes(dir.Path(QStringLiteral("t-2.png"))).startsWith("\x89PNG"));
    previous.ExpectUnchanged();
    // Quiet: not a word.
    const TResult quiet = KxPrint({Tag, "--aliases", Aliases, "-o", dir.Path(QStringLiteral("t.png")), "--to",
                                   "25", "--dpi", "50", "-q"});
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_TRUE(quiet.Err.isEmpty()) << quiet.Err.toStdString();
}

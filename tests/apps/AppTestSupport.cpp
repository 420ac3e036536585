#include "AppTestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sys/stat.h>

#include "common/DBTestDatabase.h"
#include "db/DBAlias.h"
#include "db/Session.h"
#include "label/KxLabel.h"

QString Sample(const QString& Name) {
    return QDir(QStringLiteral(KXLAB_SAMPLE_DIR)).filePath(Name);
}

QStringList Scan(const QString& Png) {
    QStringList codes = Exec(QStringLiteral("zbarimg"), {"--nodbus", "--quiet", "--raw", Png})
                            .Out.split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

QString Rasterise(const QString& Pdf, int Page, const QString& Prefix) {
    Exec(QStringLiteral("pdftoppm"), {"-r", "300", "-png", "-singlefile", "-f", QString::number(Page), "-l",
                                      QString::number(Page), Pdf, Prefix});
    return Prefix + QStringLiteral(".png");
}

QStringList SampleCodes(int From, int To) {
    const TResult r =
        Exec(QStringLiteral("sqlite3"),
             {Sample(QStringLiteral("products.db")),
              QStringLiteral("SELECT ean FROM products WHERE id BETWEEN %1 AND %2").arg(From).arg(To)});
    QStringList codes = r.Out.split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

QStringList ShowcaseCodes() {
    return {"0036000291452", "8410894000109", "96385074", "KXLAB-42"};
}

TResult KxPrint(const QStringList& Args) {
    return Exec(QStringLiteral(KXPRINT_EXE), Args);
}

TResult KxPrintWithFileLimit(int Blocks, const QStringList& Args) {
    return KxPrintWithLimit(QStringLiteral("-f"), Blocks, Args);
}

TResult KxPrintWithLimit(const QString& Option, int Value, const QStringList& Args) {
    return Exec(QStringLiteral("/bin/sh"),
                QStringList{"-c", QStringLiteral("ulimit %1 %2 && exec \"$0\" \"$@\"").arg(Option).arg(Value),
                            KXPRINT_EXE} +
                    Args);
}

QString PostgresAliases(const TKxTempDir& Dir, const TTestDatabase& Db) {
    const TDBAlias& alias = *Session().FindAlias(Db.Alias());
    const QString path = Dir.Path(QStringLiteral("aliases.ini"));
    WriteBytes(path, QStringLiteral("[Products]\nDriver=PostgreSQL\nHost=%1\nPort=%2\nDatabase=%3\nUser=%4\n")
                         .arg(alias.Host)
                         .arg(alias.Port)
                         .arg(alias.Database, alias.User)
                         .toUtf8());
    return path;
}

QString PdfInfo(const QString& Pdf, const QString& Key) {
    const TResult r = Exec(QStringLiteral("pdfinfo"), {Pdf});
    for (const QString& line : r.Out.split(u'\n'))
        if (line.startsWith(Key + u':')) return line.mid(Key.size() + 1).trimmed();
    return {};
}

int PdfPages(const QString& Pdf) {
    const QString pages = PdfInfo(Pdf, QStringLiteral("Pages"));
    return pages.isEmpty() ? -1 : pages.toInt();
}

QByteArray FileBytes(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& Path, const QByteArray& Bytes) {
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << Path.toStdString();
    f.write(Bytes);
}

QStringList FolderEntries(const QString& Folder) {
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QString SaveLabel(const QString& Path, const std::function<void(TKxLabel&)>& Change) {
    TKxLabel label;
    label.LoadFromFile(Sample(QStringLiteral("price-tag.kxl")));
    Change(label);
    label.SaveToFile(Path);
    return Path;
}

// Prints Run whole, then in 1, 3 and 8 parts: the parts' pages, joined in order, are the whole run's.
void ExpectPartsJoinToTheWholeRun(const TKxTempDir& Dir, const QStringList& Run) {
    const auto text = [](const QString& Pdf) { return Exec(QStringLiteral("pdftotext"), {Pdf, "-"}).Out; };
    const QString single = Dir.Path(QStringLiteral("single.pdf"));
    ASSERT_EQ(KxPrint(Run + QStringList{"-o", single}).Code, 0);
    const int pages = PdfPages(single);
    ASSERT_GT(pages, 8);
    for (const int parts : {1, 3, 8}) {
        QString joined;
        int joinedPages = 0;
        for (int part = 1; part <= parts; ++part) {
            const TResult r = KxPrint(Run + QStringList{"-o", Dir.Path(QStringLiteral("t.pdf")), "--shard",
                                                        QStringLiteral("%1/%2").arg(part).arg(parts)});
            ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
            const QString pdf = Dir.Path(QStringLiteral("t.part-%1-of-%2.pdf").arg(part).arg(parts));
            joined += text(pdf);
            joinedPages += PdfPages(pdf);
        }
        EXPECT_EQ(joinedPages, pages) << parts;
        EXPECT_EQ(joined, text(single)) << parts;
    }
    const TResult empty = KxPrint(Run + QStringList{"-o", Dir.Path(QStringLiteral("e.pdf")), "--shard",
                                                    QStringLiteral("1/%1").arg(pages + 1)});
    EXPECT_EQ(empty.Code, 2);
    EXPECT_TRUE(empty.Err.contains("holds no sheet")) << empty.Err.toStdString();
}

TKxPrintProcess::TKxPrintProcess(const QStringList& Args) {
    FProcess.start(QStringLiteral(KXPRINT_EXE), Args);
    EXPECT_TRUE(FProcess.waitForStarted()) << "kxprint did not start";
}

TKxPrintProcess::~TKxPrintProcess() {
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.kill();
        FProcess.waitForFinished();
    }
}

QString TKxPrintProcess::Unnamed(const QString& Folder) const {
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(FProcess.processId()));
    const QString prefix = QDir(Folder).canonicalPath() + QStringLiteral("/#");
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (target.startsWith(prefix)) return fds.filePath(fd);
    }
    return {};
}

bool TKxPrintProcess::WaitForUnnamed(const QString& Folder) {
    return WaitForBytes(Folder, 0);
}

bool TKxPrintProcess::WaitForBytes(const QString& Folder, qint64 Bytes) {
    QElapsedTimer waited;
    waited.start();
    while (FProcess.state() == QProcess::Running && waited.elapsed() < 60000) {
        const QString fd = Unnamed(Folder);
        struct stat st {};
        if (!fd.isEmpty() && ::stat(QFile::encodeName(fd).constData(), &st) == 0 && st.st_size >= Bytes)
            return true;
        FProcess.waitForFinished(20);
    }
    return false;
}

void TKxPrintProcess::Signal(int Number) {
    ::kill(static_cast<pid_t>(FProcess.processId()), Number);
}

int TKxPrintProcess::Finish() {
    if (!FProcess.waitForFinished(300000)) FProcess.kill();
    FProcess.waitForFinished();
    FErr = QString::fromUtf8(FProcess.readAllStandardError());
    // QProcess tells a crash from an exit, not which signal it was: a signal's death is its number.
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -FProcess.exitCode();
}

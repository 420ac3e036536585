#include "AppTestSupport.h"

#include <QDir>
#include <QProcess>

TResult Exec(const QString& Program, const QStringList& Args) {
    QProcess p;
    p.start(Program, Args);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString Sample(const QString& Name) {
    return QDir(QStringLiteral(KXLAB_SAMPLE_DIR)).filePath(Name);
}

QStringList Scan(const QString& Png) {
    QStringList codes = Exec(QStringLiteral("zbarimg"), {"--nodbus", "--quiet", "--raw", Png})
                            .Out.split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

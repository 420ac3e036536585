#include "AppTestSupport.h"

#include <QDir>

QString Sample(const QString& Name) {
    return QDir(QStringLiteral(KXLAB_SAMPLE_DIR)).filePath(Name);
}

QStringList Scan(const QString& Png) {
    QStringList codes = Exec(QStringLiteral("zbarimg"), {"--nodbus", "--quiet", "--raw", Png})
                            .Out.split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

#include "KxSheetFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

std::map<int64_t, QString> KxExistingSheets(const QString& Output) {
    const QFileInfo info(Output);
    const QRegularExpression pattern(QStringLiteral("^%1-([1-9][0-9]{0,17})\\.%2$")
                                         .arg(QRegularExpression::escape(info.completeBaseName()),
                                              QRegularExpression::escape(info.suffix())));
    std::map<int64_t, QString> sheets;
    const QDir folder = info.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (m.hasMatch()) sheets.emplace(m.captured(1).toLongLong(), folder.filePath(name));
    }
    return sheets;
}

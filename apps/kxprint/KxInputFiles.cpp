#include "KxInputFiles.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include "KxJobFailure.h"

namespace {

bool SameFile(const struct stat& A, const struct stat& B) {
    return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

} // namespace

void KxRequireRegularFile(const QString& Path, const QString& What, int Code) {
    const QFileInfo info(Path);
    if (!info.exists()) throw EKxJobFailure(Code, QStringLiteral("no %1 \"%2\"").arg(What, Path));
    if (!info.isFile())
        throw EKxJobFailure(Code, QStringLiteral("the %1 \"%2\" is not a regular file").arg(What, Path));
}

void KxCheckOutputsApart(const std::vector<TKxInput>& Inputs, const QStringList& Outputs) {
    for (const QString& output : Outputs) {
        struct stat out {};
        if (::stat(QFile::encodeName(output).constData(), &out) != 0) continue;
        for (const TKxInput& input : Inputs) {
            struct stat in {};
            if (::stat(QFile::encodeName(input.Path).constData(), &in) == 0 && SameFile(in, out))
                throw EKxJobFailure(ecUsage, QStringLiteral("the output \"%1\" is the %2 \"%3\": it would be "
                                                            "overwritten; choose another output")
                                                 .arg(output, input.What, input.Path));
        }
    }
}

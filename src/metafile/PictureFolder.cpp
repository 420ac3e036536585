#include "metafile/PictureFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString& CurrentFolder() {
    static QString folder;
    return folder;
}

} // namespace

TPictureFolder::TPictureFolder(const QString& Folder)
    : FPrevious(CurrentFolder()) {
    CurrentFolder() = Folder;
}

TPictureFolder::~TPictureFolder() {
    CurrentFolder() = FPrevious;
}

QString PicturePath(const QString& Name) {
    if (Name.isEmpty() || QFileInfo(Name).isAbsolute() || QFileInfo::exists(Name) ||
        CurrentFolder().isEmpty())
        return Name;
    const QString beside = QDir(CurrentFolder()).filePath(Name);
    return QFileInfo::exists(beside) ? beside : Name;
}

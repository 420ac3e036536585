#pragma once

#include <QString>

#include "kxlab_export.h"

/// While it lives, a relative picture name that the working folder does not hold is looked up in
/// Folder too: the folder of the label file being read, so a label finds the pictures stored beside
/// it from any working folder. The name stored in the label stays as it was. Scopes nest; the
/// innermost one counts.
class KXLAB_EXPORT TPictureFolder {
public:
    explicit TPictureFolder(const QString& Folder);
    ~TPictureFolder();
    TPictureFolder(const TPictureFolder&) = delete;
    TPictureFolder& operator=(const TPictureFolder&) = delete;

private:
    QString FPrevious;
};

/// The file a picture name is read from: the name itself when it is absolute or the working folder
/// holds it; else the name in the folder of the label being read (TPictureFolder) when that holds
/// it; else the name itself.
KXLAB_EXPORT QString PicturePath(const QString& Name);

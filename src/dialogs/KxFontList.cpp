#include "dialogs/KxFontList.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace {

QString ResolvedFamily(const QString& Name) {
    return QFontInfo(QFont(Name)).family();
}

} // namespace

bool KxFontInstalled(const QString& Name) {
    if (Name.isEmpty()) return false;
    if (QFontDatabase::families().contains(Name, Qt::CaseInsensitive)) return true;
    static const QString fallback = ResolvedFamily(QStringLiteral("KxLab No Such Font"));
    return ResolvedFamily(Name) != fallback;
}

QStringList KxScreenFonts(const QString& Current) {
    QStringList fonts = QFontDatabase::families();
    if (!fonts.contains(Current, Qt::CaseInsensitive) && KxFontInstalled(Current)) fonts << Current;
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

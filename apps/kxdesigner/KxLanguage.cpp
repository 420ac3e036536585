#include "KxLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "types/KxStrings.h"

std::vector<std::unique_ptr<QTranslator>> KxInstallLanguage(const QLocale& Locale) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    const QString language = QLocale::languageToCode(Locale.language());
    if (!KxLoadLanguage(language)) return installed;
    const auto install = [&](const QString& Name, const QString& Folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(Name + language, Folder) &&
            QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    };
    install(QStringLiteral("kxdesigner_"), QStringLiteral(":/kxdesigner/i18n"));
    install(QStringLiteral("qtbase_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed;
}

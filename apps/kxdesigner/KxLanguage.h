#pragma once

#include <memory>
#include <QLocale>
#include <vector>

class QTranslator;

/// Installs the translations matching Locale's language, when one is shipped (Spanish): the library's
/// interface strings, the designer's own texts and Qt's standard dialogs when the system has them.
/// Answers the translators installed, which must live as long as they are used; none for English.
std::vector<std::unique_ptr<QTranslator>> KxInstallLanguage(const QLocale& Locale);

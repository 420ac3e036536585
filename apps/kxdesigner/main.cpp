// kxdesigner: the label designer application.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTranslator>

#include "db/AliasFile.h"
#include "db/Session.h"
#include "KxErrorText.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KxLab"));
    QApplication::setApplicationName(QStringLiteral("kxdesigner"));
    QApplication::setApplicationDisplayName(QStringLiteral("KxLab Designer"));
    const auto translators = KxInstallLanguage(QLocale::system());

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Designs KxLab labels."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("label"),
                                 QCoreApplication::translate("main", "A label file to open."),
                                 QStringLiteral("[LABEL]"));
    parser.process(app);

    KxShowErrors([] { KxLoadUserAliases(Session()); });
    TKxMainWindow window;
    window.show();
    if (!parser.positionalArguments().isEmpty()) window.OpenFile(parser.positionalArguments().first());
    return QApplication::exec();
}

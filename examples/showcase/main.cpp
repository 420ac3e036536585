// Makes the showcase label, one element of every kind, and a picture of it in the designer:
//     make_showcase FILE.kxl FILE.png
// The label's picture element shows showcase-card.png, written beside FILE.kxl. FILE.png is the
// designer at 200 % with rulers, frame and every element, as a user sees it.
#include <cstdio>
#include <exception>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include "designer/KxLab.h"
#include "Showcase.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_showcase FILE.kxl FILE.png\n");
        return 2;
    }
    try {
        const QString card = QFileInfo(args.at(1)).dir().filePath(QStringLiteral("showcase-card.png"));
        WriteShowcasePicture(card);
        TKxLab lab;
        lab.resize(830, 690);
        lab.show();
        MakeShowcase(lab, card);
        lab.SetZoom(zm200);
        lab.SaveToFile(args.at(1));
        QApplication::processEvents();
        if (!lab.grab().save(args.at(2), "PNG")) {
            std::fprintf(stderr, "make_showcase: cannot write %s\n", qPrintable(args.at(2)));
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_showcase: %s\n", e.what());
        return 1;
    }
    return 0;
}

#include <algorithm>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "types/KxStrings.h"
#include "types/Kxtypes.h"

// Prints the paper catalogue: kxsmoke [language], e.g. "kxsmoke es" for the Spanish names.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && !KxLoadLanguage(args[1])) {
        QTextStream(stderr) << "kxsmoke: no translation for \"" << args[1] << "\"\n";
        return 2;
    }

    const auto& papers = Papers();
    qsizetype nameWidth = 4;
    for (const TPaperType& p : papers)
        nameWidth = std::max(nameWidth, p.Name.size());

    out << "KxLab paper catalogue (" << PaperCount << " sizes)\n\n";
    out << qSetFieldWidth(3) << Qt::right << "#" << qSetFieldWidth(0) << "  " << qSetFieldWidth(nameWidth)
        << Qt::left << "Name" << qSetFieldWidth(0) << "  " << qSetFieldWidth(15) << Qt::right << "mm"
        << qSetFieldWidth(17) << "inches" << qSetFieldWidth(7) << "code" << qSetFieldWidth(0) << "\n";
    for (int i = 0; i < PaperCount; ++i) {
        const TPaperType& p = papers[i];
        const QString mm = QStringLiteral("%1 x %2").arg(p.MMWidth, 0, 'f', 1).arg(p.MMHeight, 0, 'f', 1);
        const QString inches =
            QStringLiteral("%1 x %2").arg(p.InchWidth, 0, 'f', 3).arg(p.InchHeight, 0, 'f', 3);
        out << qSetFieldWidth(3) << Qt::right << i << qSetFieldWidth(0) << "  " << qSetFieldWidth(nameWidth)
            << Qt::left << p.Name << qSetFieldWidth(0) << "  " << qSetFieldWidth(15) << Qt::right << mm
            << qSetFieldWidth(17) << inches << qSetFieldWidth(7) << p.PaperSize << qSetFieldWidth(0) << "\n";
    }
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}

// Writes the seed corpus of the label file fuzz target: small real files from the current writer,
// covering every setting, every element kind and the older format.
#include <cstdio>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "base/Messages.h"
#include "common/LabelSamples.h"
#include "elements/KxElementFactory.h"
#include "label/KxLabel.h"

namespace {

bool Write(const QDir& Dir, const QString& Name, const QByteArray& Bytes) {
    QFile file(Dir.filePath(Name));
    return file.open(QIODevice::WriteOnly) && file.write(Bytes) == Bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TMessageCapture quiet;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) return 1;

    bool ok = true;
    TKxLabel plain;
    ok &= Write(dir, QStringLiteral("default.kxl"), KxSaveToBytes(plain));
    // The older format: version 13 without the background's end colour and print flag.
    QByteArray older = KxSaveToBytes(plain);
    older[34] = 13;
    older.remove(107, 1).remove(89, 4);
    ok &= Write(dir, QStringLiteral("older.kxl"), older);

    TKxLabel settings;
    KxSetEverySetting(settings);
    ok &= Write(dir, QStringLiteral("settings.kxl"), KxSaveToBytes(settings));
    for (int tag = 1; tag <= 8; ++tag) {
        TKxLabel one;
        std::unique_ptr<TKxElement> e = TKxElementFactory::Create(tag, &one);
        if (!e) continue;
        one.AddElement(std::move(e));
        ok &= Write(dir, QStringLiteral("kind-%1.kxl").arg(tag), KxSaveToBytes(one));
    }
    TKxLabel every;
    KxSetEverySetting(every);
    KxAddEveryKind(every);
    ok &= Write(dir, QStringLiteral("every-kind.kxl"), KxSaveToBytes(every));
    return ok ? 0 : 1;
}

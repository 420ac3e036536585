// Writes the seed corpus of the label file fuzz target: small real files from the current writer,
// covering every setting, every element kind and the older format.
#include "common/LabelSamples.h"
#include "CorpusMain.h"
#include "elements/KxElementFactory.h"
#include "label/KxLabel.h"

namespace {

bool WriteLabels(const QDir& dir) {
    bool ok = true;
    TKxLabel plain;
    ok &= WriteCorpusFile(dir, QStringLiteral("default.kxl"), KxSaveToBytes(plain));
    // The older format: version 13 without the background's end colour and print flag.
    QByteArray older = KxSaveToBytes(plain);
    older[34] = 13;
    older.remove(107, 1).remove(89, 4);
    ok &= WriteCorpusFile(dir, QStringLiteral("older.kxl"), older);

    TKxLabel settings;
    KxSetEverySetting(settings);
    ok &= WriteCorpusFile(dir, QStringLiteral("settings.kxl"), KxSaveToBytes(settings));
    for (int tag = 1; tag <= 8; ++tag) {
        TKxLabel one;
        std::unique_ptr<TKxElement> e = TKxElementFactory::Create(tag, &one);
        if (!e) continue;
        one.AddElement(std::move(e));
        ok &= WriteCorpusFile(dir, QStringLiteral("kind-%1.kxl").arg(tag), KxSaveToBytes(one));
    }
    TKxLabel every;
    KxSetEverySetting(every);
    KxAddEveryKind(every);
    ok &= WriteCorpusFile(dir, QStringLiteral("every-kind.kxl"), KxSaveToBytes(every));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "", [](const QDir& dir, int, char**) { return WriteLabels(dir); });
}

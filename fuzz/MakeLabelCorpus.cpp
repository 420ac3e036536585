// Writes the seed corpus of the label file fuzz target: small real files from the current writer,
// covering every setting, every element kind and the older format.
#include "barcode/KxSymbology.h"
#include "common/LabelSamples.h"
#include "CorpusMain.h"
#include "elements/KxBarCode.h"
#include "elements/KxElementFactory.h"
#include "label/KxLabel.h"

namespace {

// A barcode of each kind libzint encodes, with data in the kind's own words and every option away
// from its default, turned so the drawing walks each angle; and all of them on one label.
bool WriteBarcodeKinds(const QDir& dir) {
    bool ok = true;
    TKxLabel all;
    for (int kind = baCode128; kind <= baAztec; ++kind) {
        TKxLabel one;
        for (TKxLabel* label : {&one, &all}) {
            auto bar = std::make_unique<TKxBarCode>(label);
            bar->BarType = static_cast<TKxBar>(kind);
            bar->Code = KxKindSample(bar->BarType);
            if (bar->BarType == baQR) bar->Code = QStringLiteral("Grüße ✓ KxLab");
            if (bar->BarType == baDataMatrix) bar->Code = QStringLiteral("(01)09501101530003(10)AB-12");
            bar->Options.QrLevel = TKxQrLevel::H;
            bar->Options.DmRectangular = true;
            bar->Options.DmGS1 = true;
            bar->Angle = 90 * (kind % 4);
            bar->P1 = {100 + 50 * (kind % 3), 100 + 40 * (kind - baCode128)};
            label->AddElement(std::move(bar));
        }
        ok &= WriteCorpusFile(dir, QStringLiteral("barcode-%1.kxl").arg(kind), KxSaveToBytes(one));
    }
    TKxLabel checked;
    auto code39 = std::make_unique<TKxBarCode>(&checked);
    code39->BarType = baCode39;
    code39->Code = QStringLiteral("KX-39");
    code39->Options.Code39Check = true;
    checked.AddElement(std::move(code39));
    ok &= WriteCorpusFile(dir, QStringLiteral("barcode-code39-check.kxl"), KxSaveToBytes(checked));
    ok &= WriteCorpusFile(dir, QStringLiteral("barcode-every-kind.kxl"), KxSaveToBytes(all));
    return ok;
}

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
    return ok && WriteBarcodeKinds(dir);
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "", [](const QDir& dir, int, char**) { return WriteLabels(dir); });
}

#include <exception>
#include <QFile>

#include "base/KxError.h"
#include "base/Messages.h"
#include "designer/KxLab.h"
#include "types/KxMessages.h"

void TKxLab::SaveToStream(QIODevice& Stream) const {
    FLabel->SaveToStream(Stream);
}

void TKxLab::LoadFromStream(QIODevice& Stream) {
    FLabel->LoadFromStream(Stream);
}

void TKxLab::SaveToFile(const QString& FileName) const {
    FLabel->SaveToFile(FileName);
}

void TKxLab::LoadFromFile(const QString& FileName) {
    FLabel->LoadFromFile(FileName);
}

void TKxLab::SaveLab(const QString& FileName) const {
    SaveToFile(FileName);
}

void TKxLab::LoadLab(const QString& FileName) {
    const TBusyCursor busy;
    try {
        FLabel->ReplaceFromFile(FileName);
    } catch (...) {
        std::throw_with_nested(EKxError(QString::fromUtf8(KxCannotReadLabel)));
    }
    try {
        ValidData();
        AdjustPrint();
        DrawAll(duBoth);
    } catch (...) {
        std::throw_with_nested(EKxError(QString::fromUtf8(KxCannotReadLabel)));
    }
}

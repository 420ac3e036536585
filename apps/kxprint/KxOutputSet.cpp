#include "KxOutputSet.h"

#include "KxSignals.h"

TKxOutputFile& TKxOutputSet::Add(const QString& Target) {
    FFiles.push_back(std::make_unique<TKxOutputFile>(Target));
    return *FFiles.back();
}

void TKxOutputSet::Finish(TKxOutputFile& File) {
    File.Finish();
    if (++FUnnamed > MaxUnnamed) File.Name();
}

void TKxOutputSet::Commit() {
    const TKxSignalBlock block;
    // Every file is named first: a failure then leaves all targets untouched.
    for (const auto& file : FFiles)
        file->Name();
    for (const auto& file : FFiles)
        file->Commit();
}

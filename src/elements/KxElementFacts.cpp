#include "elements/KxElementFacts.h"

#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxData.h"
#include "elements/KxDataText.h"
#include "elements/KxImage.h"

TKxData* KxDataOf(TKxElement* E) {
    return dynamic_cast<TKxData*>(E);
}

const TKxData* KxDataOf(const TKxElement* E) {
    return dynamic_cast<const TKxData*>(E);
}

int64_t KxTextLength(const TKxElement& E) {
    int64_t length = E.ID.size();
    if (const auto* d = dynamic_cast<const TKxData*>(&E)) length += d->FontName.size() + d->Field.size();
    if (const auto* t = dynamic_cast<const TKxDataText*>(&E)) length += t->Text.size();
    if (const auto* a = dynamic_cast<const TKxAddText*>(&E)) length += a->Before.size() + a->After.size();
    if (const auto* b = dynamic_cast<const TKxBarCode*>(&E)) length += b->Code.size();
    return length;
}

QString KxPictureFile(const TKxElement& E) {
    const auto* image = dynamic_cast<const TKxImage*>(&E);
    return image && !image->DataBase ? image->FileImage : QString();
}

#include "elements/KxText.h"

#include "elements/KxRecordIO.h"

TKxText::TKxText(TKxOwner* AOwner)
    : TKxDataText(AOwner) {}

void TKxText::Draw(const TPoint& Origin, TKxDrawType DrawType, bool WithData) {
    DrawLine(Origin, DrawType, WithData, {}, {});
}

void TKxText::Properties() {
    if (Owner) Owner->PropTxt();
}

void TKxText::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxDataText::SaveToStream(S);
}

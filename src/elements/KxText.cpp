#include "elements/KxText.h"

#include "elements/KxRecordIO.h"

TKxText::TKxText(TKxOwner* AOwner)
    : TKxDataText(AOwner) {}

void TKxText::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    DrawLine(Origin, C, {}, {});
}

void TKxText::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxDataText::SaveToStream(S);
}

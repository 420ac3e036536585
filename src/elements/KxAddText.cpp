#include "elements/KxAddText.h"

#include "elements/KxRecordIO.h"

TKxAddText::TKxAddText(TKxOwner* AOwner)
    : TKxDataText(AOwner) {}

void TKxAddText::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    DrawLine(Origin, C, Before, After);
}

void TKxAddText::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxDataText::SaveToStream(S);
    WriteStr(S, Before);
    WriteStr(S, After);
}

void TKxAddText::LoadFromStream(QDataStream& S, int Version) {
    TKxDataText::LoadFromStream(S, Version);
    Before = ReadStr(S);
    After = ReadStr(S);
}

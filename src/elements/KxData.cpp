#include "elements/KxData.h"

#include "elements/KxRecordIO.h"
#include "types/UnitLength.h"

TKxData::TKxData(TKxOwner* AOwner)
    : TKxElement(AOwner) {}

float TKxData::GetHeight() const {
    return LabelToUnits(Height, Units());
}

void TKxData::SetHeight(float Value) {
    Height = UnitsToLabel(Value, Units());
}

void TKxData::SaveToStream(QDataStream& S) const {
    TKxElement::SaveToStream(S);
    WriteStr(S, FontName);
    WriteStr(S, Field);
    WriteI32(S, Height);
    WriteBool(S, DataBase);
}

void TKxData::LoadFromStream(QDataStream& S, int Version) {
    TKxElement::LoadFromStream(S, Version);
    FontName = ReadStr(S);
    Field = ReadStr(S);
    Height = ReadI32(S);
    DataBase = ReadBool(S);
}

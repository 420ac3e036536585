#include "elements/KxDataText.h"

#include "elements/KxRecordIO.h"

TKxDataText::TKxDataText(TKxOwner* AOwner)
    : TKxData(AOwner) {}

void TKxDataText::SaveToStream(QDataStream& S) const {
    TKxData::SaveToStream(S);
    WriteStr(S, Text);
    WriteByte(S, Align);
    WriteBool(S, Bold);
    WriteBool(S, Italic);
    WriteBool(S, Underline);
}

void TKxDataText::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    Text = ReadStr(S);
    // An ordinal outside the type would be an undefined enumeration value; keep the default then.
    const uint8_t align = ReadByte(S);
    if (align <= taRiTo) Align = static_cast<TTextAlign>(align);
    Bold = ReadBool(S);
    Italic = ReadBool(S);
    Underline = ReadBool(S);
}

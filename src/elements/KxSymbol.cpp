#include "elements/KxSymbol.h"

#include <map>
#include <QtEndian>
#include <utility>

#include "base/CodePage.h"
#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "gdi/FontFace.h"

TKxSymbol::TKxSymbol(TKxOwner* AOwner)
    : TKxData(AOwner) {}

bool TKxSymbol::IsSymbolCharMap(const QByteArray& CmapTable) {
    const auto* data = reinterpret_cast<const uchar*>(CmapTable.constData());
    const qsizetype size = CmapTable.size();
    if (size < 4) return false;
    const int tables = qFromBigEndian<quint16>(data + 2);
    // Encoding records of 8 bytes follow the 4-byte header; a short table ends the walk.
    for (int i = 0; i < tables && 4 + (i + 1) * 8 <= size; ++i) {
        const uchar* record = data + 4 + i * 8;
        if (qFromBigEndian<quint16>(record) == 3 && qFromBigEndian<quint16>(record + 2) == 0) return true;
    }
    return false;
}

QChar TKxSymbol::CharFor(uint8_t Code, const TLogFont& Font) {
    // The answer depends on the face only; faces are few, so keep it per face and weight.
    static std::map<std::pair<QString, bool>, bool> symbolFaces;
    const std::pair<QString, bool> key{Font.lfFaceName, Font.lfWeight >= FW_BOLD};
    auto it = symbolFaces.find(key);
    if (it == symbolFaces.end()) {
        const QByteArray cmap = TFontFace::For(Font).RawFont(16).fontTable("cmap");
        it = symbolFaces.emplace(key, IsSymbolCharMap(cmap)).first;
    }
    return it->second ? QChar(0xF000 + Code) : CodePageChar(Code);
}

void TKxSymbol::PrepareCanvas(TCanvas& Canvas) const {
    PrepareText(Canvas, Bold, false, false);
    Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    // A text drawn before on the same canvas must not widen the character's cell.
    Canvas.SetTextCharacterExtra(0);
}

bool TKxSymbol::FieldIsTrue(TTable* Record) const {
    return Record && KxFieldBoolean(*Record, Field);
}

void TKxSymbol::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    if (C.Target != tdLab && DataBase && !(C.WithData && FieldIsTrue(C.Record))) return;
    PrepareCanvas(*canvas);
    const QString text(CharFor(Symbol, canvas->Font.GetLogFont()));
    const TPoint at = Placed(Origin, P1);
    canvas->TextOut(at.X, at.Y, text);
    if (C.Target != tdLab) return;
    Bounds = CellBounds(canvas->TextExtent(text), C.Screen);
}

void TKxSymbol::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxData::SaveToStream(S);
    WriteByte(S, Symbol);
    WriteBool(S, Bold);
}

void TKxSymbol::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    Symbol = ReadByte(S);
    Bold = ReadBool(S);
}

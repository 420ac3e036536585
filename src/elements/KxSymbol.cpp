#include "elements/KxSymbol.h"

#include <cmath>
#include <map>
#include <numbers>
#include <QtEndian>
#include <utility>

#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "platform/Canvas.h"
#include "platform/CodePage.h"
#include "platform/FontFace.h"

namespace {

// Bounds of the cell turned by any angle (degrees counter-clockwise on the page, y down) about its
// top-left corner (x, y). The four right angles go through RotateBorder; any other angle still turns
// the glyph, so the bounds follow it instead of keeping a stale rectangle.
TRect TurnedCell(int angle, int32_t x, int32_t y, int32_t w, int32_t h) {
    TRect r;
    if (angle % 90 == 0) {
        RotateBorder(r, angle, x, y, w, h);
        return r;
    }
    const double t = angle * std::numbers::pi / 180.0, c = std::cos(t), s = std::sin(t);
    // A point (u, v) of the cell lands at (x + u cos t + v sin t, y - u sin t + v cos t).
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const auto& [u, v] : {std::pair<double, double>{w, 0}, {0, h}, {w, h}}) {
        const double px = u * c + v * s, py = -u * s + v * c;
        minX = std::min(minX, px);
        maxX = std::max(maxX, px);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    }
    return {x + static_cast<int32_t>(std::floor(minX)), y + static_cast<int32_t>(std::floor(minY)),
            x + static_cast<int32_t>(std::ceil(maxX)), y + static_cast<int32_t>(std::ceil(maxY))};
}

} // namespace

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
    TFont& font = Canvas.Font;
    font.SetCharset(DEFAULT_CHARSET);
    font.SetColor(Color);
    font.SetName(FontName);
    font.SetHeight(Height);
    TFontStyles style = font.Style();
    style &= ~TFontStyles(fsBold | fsItalic | fsUnderline);
    if (Bold) style |= fsBold;
    font.SetStyle(style);
    TLogFont log = font.GetLogFont();
    // Only the angle modulo a full turn matters, and it keeps the product within range.
    log.lfEscapement = (Angle % 360) * 10;
    font.SetLogFont(log);
    Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    Canvas.Brush.Color = BackColor;
    Canvas.Brush.Style = Transparent ? bsClear : bsSolid;
}

bool TKxSymbol::FieldIsTrue() const {
    TTable* table = Owner ? Owner->GetTable() : nullptr;
    return table && KxFieldBoolean(*table, Field);
}

void TKxSymbol::Draw(const TPoint& Origin, TKxDrawType DrawType, bool WithData) {
    TCanvas* canvas = DrawCanvas(DrawType);
    if (!canvas) return;
    if (DrawType != tdLab && DataBase && !(WithData && FieldIsTrue())) return;
    PrepareCanvas(*canvas);
    const QString text(CharFor(Symbol, canvas->Font.GetLogFont()));
    const TPoint at = Placed(Origin, P1);
    canvas->TextOut(at.X, at.Y, text);
    if (DrawType != tdLab) return;
    const TSize extent = canvas->TextExtent(text);
    const int32_t x0 = Owner->WindowX(0), y0 = Owner->WindowY(0);
    const int32_t w = Owner->WindowX(extent.cx) - x0, h = Owner->WindowY(extent.cy) - y0;
    const int angle = (Angle % 360 + 360) % 360;
    Bounds = TurnedCell(angle, Owner->WindowX(P1.X), Owner->WindowY(P1.Y), w, h);
}

void TKxSymbol::Properties() {
    if (Owner) Owner->PropSymbol();
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

#include "elements/KxBarCode.h"

#include <utility>
#include <vector>

#include "base/Notices.h"

#include "base/CodePage.h"
#include "base/StreamError.h"
#include "elements/KxBarcodeGeometry.h"
#include "elements/KxExtension.h"
#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "types/UnitLength.h"

TKxBarCode::TKxBarCode(TKxOwner* AOwner)
    : TKxData(AOwner) {
    Height = 100;
}

float TKxBarCode::GetWidth() const {
    return LabelToUnits(Width, unMM);
}

void TKxBarCode::SetWidth(float Value) {
    Width = UnitsToLabel(Value, unMM);
}

float TKxBarCode::GetDistance() const {
    return LabelToUnits(Distance, unMM);
}

void TKxBarCode::SetDistance(float Value) {
    Distance = UnitsToLabel(Value, unMM);
}

float TKxBarCode::GetFontHeight() const {
    return LabelToUnits(FontHeight, Units());
}

void TKxBarCode::SetFontHeight(float Value) {
    FontHeight = UnitsToLabel(Value, Units());
}

float TKxBarCode::GetLeftMargin() const {
    return LabelToUnits(LeftMargin, Units());
}

void TKxBarCode::SetLeftMargin(float Value) {
    LeftMargin = UnitsToLabel(Value, Units());
}

float TKxBarCode::GetTopMargin() const {
    return LabelToUnits(TopMargin, Units());
}

void TKxBarCode::SetTopMargin(float Value) {
    TopMargin = UnitsToLabel(Value, Units());
}

bool TKxBarCode::ValidCode() const {
    return BarcodeCodeValid(BarType, Code, Options);
}

QString TKxBarCode::DataProblem(const QString& Data) const {
    return BarcodeProblem(BarType, Data, Options);
}

TKxBarcodeShape TKxBarCode::Shape(const QString& Text) const {
    return {BarType,   Text,       Width, Height,    FontHeight, LeftMargin,
            TopMargin, ShowNumber, Angle, CharSpace, Options};
}

QString TKxBarCode::DrawnText(const TKxDrawContext& C) const {
    if (!DataBase || !C.WithData || C.Target == tdLab || !C.Record) return Code;
    return KxFieldText(*C.Record, Field);
}

void TKxBarCode::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    if (C.Target != tdLab && !Printable) return;
    // A record's value is drawn, never stored: a print run must not change the designed label.
    const QString text = DrawnText(C);
    const TKxBarcodeLayout L = BarcodeLayout(Shape(text), Placed(Origin, P1));
    if (L.Valid) {
        DrawSymbol(L, C);
        return;
    }
    DrawInvalidMark(Origin, C);
    // The surface shows the mark; a run also says why, once with a count.
    if (C.Target == tdLab) return;
    const QString why = DataProblem(text);
    KxNote(TNoticeKind::Barcode,
           DataBase && C.WithData && C.Record ? QStringLiteral("field \"%1\"").arg(Field)
                                              : QStringLiteral("code \"%1\"").arg(Code),
           why.isEmpty() ? QStringLiteral("its kind cannot encode the data") : why);
}

void TKxBarCode::DrawSymbol(const TKxBarcodeLayout& L, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    if (L.Bars.empty() && L.Texts.empty()) return;

    TCanvas& c = *canvas;
    if (!Transparent) {
        c.Pen.Style = psClear;
        c.Brush = {BackColor, bsSolid};
        c.Rectangle(L.Box);
    }
    c.Brush = {Color, bsSolid};
    c.Pen.Color = Color;
    c.Pen.Width = 0;
    c.Pen.Style = psInsideFrame;
    // The later kinds fill their modules exactly: an outline of one device pixel, which the four retail
    // kinds keep, widens every bar, and a reader of EMF strokes it wider still.
    const bool filled = KxEncodedKind(BarType);
    for (const TRect& bar : L.Bars)
        filled ? c.FillRect(bar) : c.Rectangle(bar);

    if (!L.Texts.empty()) {
        c.Font.SetCharset(DEFAULT_CHARSET);
        c.Font.SetStyle({});
        c.Font.SetColor(Color);
        c.Font.SetHeight(L.FontHeight);
        c.Font.SetName(QStringLiteral("Arial"));
        c.Brush.Style = bsClear;
        // The digits turn with the bars.
        TLogFont log = c.Font.GetLogFont();
        log.lfEscapement = L.Escapement;
        c.Font.SetLogFont(log);
        c.SetTextAlign(L.TextAlign);
        c.SetTextCharacterExtra(L.CharSpace);
        // The digit groups are one text item: a PDF writes them as one text object.
        std::vector<std::pair<TPoint, QString>> texts;
        texts.reserve(L.Texts.size());
        for (const TKxBarcodeText& t : L.Texts)
            texts.emplace_back(t.Ref, t.Text);
        c.TextOuts(texts);
    }

    if (C.Target == tdLab) {
        const TKxScreenMap& s = C.Screen;
        Bounds = {s.X(L.Box.Left) - s.X(0), s.Y(L.Box.Top) - s.Y(0), s.X(L.Box.Right) - s.X(0),
                  s.Y(L.Box.Bottom) - s.Y(0)};
    }
}

void TKxBarCode::DrawInvalidMark(const TPoint& Origin, const TKxDrawContext& C) {
    // Angle is kept: the dialog writes Code at every keystroke and one bad record may come in a run,
    // so the mark turns with the element instead of unturning it for good.
    if (TCanvas* c = DrawCanvas(C)) {
        const TKxInvalidMark M = InvalidMarkLayout(Placed(Origin, P1), Height, Angle);
        c->Pen = {clRed, 0, psSolid, pmCopy};
        c->Brush = {clWhite, bsSolid};
        c->FillRect(M.Box);
        c->MoveTo(M.Diagonal1[0].X, M.Diagonal1[0].Y);
        c->LineTo(M.Diagonal1[1].X, M.Diagonal1[1].Y);
        c->MoveTo(M.Diagonal2[0].X, M.Diagonal2[0].Y);
        c->LineTo(M.Diagonal2[1].X, M.Diagonal2[1].Y);
    }
    if (C.Target != tdLab) return;
    const TKxScreenMap& s = C.Screen;
    RotateBorder(Bounds, BarcodeDrawAngle(Angle), s.X(P1.X), s.Y(P1.Y), s.X(KxInvalidMarkWidth) - s.X(0),
                 s.Y(Height) - s.Y(0));
}

namespace {

const QString KeyKind = QStringLiteral("bar.kind");
const QString KeyCode = QStringLiteral("bar.code");
const QString KeyQrLevel = QStringLiteral("bar.qr.ecc");
const QString KeyQrMode = QStringLiteral("bar.qr.mode");
const QString KeyDmShape = QStringLiteral("bar.dm.shape");
const QString KeyDmGS1 = QStringLiteral("bar.dm.gs1");
const QString KeyCode39Check = QStringLiteral("bar.c39.check");

// The kind the base record names for a kind after the four: the closest of them. Readers that know the
// extension replace it; readers that do not refuse the file before they draw it.
TKxBar StandIn(TKxBar Kind) {
    switch (Kind) {
    case baEAN13AddOn: return baEAN13;
    case baUPCE:
    case baUPCAAddOn: return baUPCA;
    default: return KxEncodedKind(Kind) ? baCode39 : Kind;
    }
}

int32_t TakeRange(TKxExtension& X, const QString& Key, int32_t Low, int32_t High, int32_t Default) {
    const std::optional<int32_t> v = X.TakeInt(Key);
    if (!v) return Default;
    if (*v < Low || *v > High)
        throw EStreamError(QStringLiteral("The label file's value of \"%1\" is corrupt").arg(Key));
    return *v;
}

} // namespace

void TKxBarCode::SaveExtension(TKxExtension& X) const {
    TKxData::SaveExtension(X);
    if (BarType == baCode39 && Options.Code39Check) X.SetBool(KeyCode39Check, true);
    if (!KxEncodedKind(BarType)) return;
    X.SetInt(KeyKind, BarType);
    if (FromCodePage(ToCodePage(Code)) != Code) X.SetText(KeyCode, Code);
    if (BarType == baQR) {
        X.SetInt(KeyQrLevel, static_cast<int32_t>(Options.QrLevel));
        X.SetInt(KeyQrMode, static_cast<int32_t>(Options.QrMode));
    }
    if (BarType == baDataMatrix) {
        X.SetInt(KeyDmShape, Options.DmRectangular ? 1 : 0);
        X.SetBool(KeyDmGS1, Options.DmGS1);
    }
}

void TKxBarCode::LoadExtension(TKxExtension& X) {
    TKxData::LoadExtension(X);
    const TKxSymbolOptions defaults;
    BarType = static_cast<TKxBar>(TakeRange(X, KeyKind, baCode128, baAztec, BarType));
    Code = X.TakeText(KeyCode).value_or(Code);
    Options.QrLevel =
        static_cast<TKxQrLevel>(TakeRange(X, KeyQrLevel, 1, 4, static_cast<int32_t>(defaults.QrLevel)));
    Options.QrMode =
        static_cast<TKxDataMode>(TakeRange(X, KeyQrMode, 0, 2, static_cast<int32_t>(defaults.QrMode)));
    Options.DmRectangular = TakeRange(X, KeyDmShape, 0, 1, 0) == 1;
    Options.DmGS1 = X.TakeBool(KeyDmGS1).value_or(false);
    Options.Code39Check = X.TakeBool(KeyCode39Check).value_or(false);
}

void TKxBarCode::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxData::SaveToStream(S);
    WriteStr(S, Code);
    WriteByte(S, StandIn(BarType));
    WriteI32(S, Width);
    WriteI32(S, Distance);
    WriteI32(S, FontHeight);
    WriteBool(S, ShowNumber);
    WriteI32(S, LeftMargin);
    WriteI32(S, TopMargin);
}

void TKxBarCode::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    // What an extension record in front of the record does not set is the default.
    Options = {};
    Code = ReadStr(S);
    BarType = static_cast<TKxBar>(ReadByte(S));
    Width = ReadI32(S);
    Distance = ReadI32(S);
    FontHeight = ReadI32(S);
    ShowNumber = ReadBool(S);
    LeftMargin = ReadI32(S);
    TopMargin = ReadI32(S);
}

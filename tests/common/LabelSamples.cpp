#include "common/LabelSamples.h"

#include <memory>
#include <QBuffer>

#include "base/CodePage.h"
#include "db/Table.h"
#include "designer/KxLab.h"
#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxData.h"
#include "elements/KxDataText.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxParagraph.h"
#include "elements/KxRect.h"
#include "elements/KxSymbol.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

TKxBytes& TKxBytes::I32(int32_t v) {
    for (int i = 0; i < 4; ++i)
        FData.append(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
    return *this;
}

TKxBytes& TKxBytes::I16(int16_t v) {
    FData.append(static_cast<char>(static_cast<uint16_t>(v) & 0xFF));
    FData.append(static_cast<char>(static_cast<uint16_t>(v) >> 8));
    return *this;
}

TKxBytes& TKxBytes::Byte(uint8_t v) {
    FData.append(static_cast<char>(v));
    return *this;
}

TKxBytes& TKxBytes::Str(const QString& v) {
    const QByteArray text = ToCodePage(v);
    I32(static_cast<int32_t>(text.size()));
    FData.append(text);
    return *this;
}

QByteArray KxSaveToBytes(const TKxLabel& Lab) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Lab.SaveToStream(buffer);
    return bytes;
}

void KxLoadFromBytes(TKxLabel& Lab, const QByteArray& Bytes) {
    QByteArray copy = Bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Lab.LoadFromStream(buffer);
}

QByteArray KxSaveToBytes(const TKxLab& Lab) {
    return KxSaveToBytes(*Lab.Label());
}

void KxLoadFromBytes(TKxLab& Lab, const QByteArray& Bytes) {
    KxLoadFromBytes(*Lab.Label(), Bytes);
}

namespace {

// Through the widget, a setting repaints as a host's would; the label alone only stores it.
template <class TLab>
void SetEverySetting(TLab& Lab) {
    Lab.SetSnap(snGrid);
    Lab.SetShowMargins(true);
    Lab.SetSelColor(0x00AA00);
    Lab.SetDaBa(true);
    TTable& t = *Lab.GetTable();
    t.SetDatabaseName(QStringLiteral("shop"));
    t.SetTableName(QStringLiteral("items"));
    t.SetFilter(QStringLiteral("[Price] > 1"));
    TKxMeasure& m = *Lab.GetMeasure();
    m.SetWidth(70);
    m.SetHeight(42);
    m.SetMarLeft(6);
    m.SetMarTop(11);
    m.SetDiHor(3);
    m.SetDiVer(2.5f);
    m.SetNuHor(9);
    m.SetNuVer(4);
    m.SetPaperWidth(216);
    m.SetPaperHeight(279);
    m.SetLabelName(QStringLiteral("Caja de año"));
    m.SetPaperName(QStringLiteral("Letter"));
    m.SetInnerCircle(5);
    TKxBackSurf& b = *Lab.GetBackSurf();
    b.SetFileName(QStringLiteral("no-such-background.png"));
    b.SetColor(0x112233);
    b.SetToColor(0x445566);
    b.SetAlignColor(0x778899);
    b.SetStyle(biGradVer);
    b.SetAlignLeft(12);
    b.SetAlignTop(8);
    b.SetShowAlign(true);
    b.SetPrint(true);
    TKxGrid& g = *Lab.GetGrid();
    g.SetColor(0x00FF00);
    g.SetIncX(5);
    g.SetIncY(7);
    g.SetShow(true);
    TKxFrame& f = *Lab.GetFrame();
    f.SetColor(0x0000AA);
    f.SetDist1(1.5f);
    f.SetDist2(2);
    f.SetRadio(3);
    f.SetStyle(fsDoble);
    f.SetPenWidth(0.5f);
    TKxPrintInfo& p = *Lab.GetPrintInfo();
    p.SetLabs(5);
    p.SetColor(0x00CC00);
    p.SetFirstRow(2);
    p.SetFirstCol(3);
    p.SetFirstLab(4);
    p.SetLastLab(9);
    p.SetPaperSize(1);
    p.SetOrientation(1);
    // Last: the lengths above were given in millimetres.
    Lab.SetUnits(unINCH);
}

} // namespace

void KxSetEverySetting(TKxLab& Lab) {
    SetEverySetting(Lab);
}

void KxSetEverySetting(TKxLabel& Lab) {
    SetEverySetting(Lab);
}

namespace {

// Every field of the shared blocks away from its default, differently for each kind.
void SetSharedFields(TKxElement& E, int Tag) {
    E.P1 = {10 * Tag, 20 * Tag};
    E.P2 = {10 * Tag + 150, 20 * Tag + 60};
    E.PenWidth = 3 + Tag;
    E.ID = QStringLiteral("id-%1").arg(Tag);
    E.Color = 0x010100 + Tag;
    E.BackColor = 0x020200 + Tag;
    E.LineColor = 0x030300 + Tag;
    E.PenStyle = 2;
    E.Border = true;
    E.Transparent = false;
    E.Printable = false;
    E.Angle = 90;
    E.CharSpace = Tag;
    if (auto* d = dynamic_cast<TKxData*>(&E)) {
        d->Height = 70 + Tag;
        d->FontName = QStringLiteral("Liberation Serif");
        d->Field = QStringLiteral("Field%1").arg(Tag);
        d->DataBase = true;
    }
    if (auto* t = dynamic_cast<TKxDataText*>(&E)) {
        t->Text = QStringLiteral("Año %1 €").arg(Tag);
        t->Align = taCeBo;
        t->Bold = true;
        t->Italic = true;
        t->Underline = true;
    }
}

void SetOwnFields(TKxElement& E) {
    if (auto* b = dynamic_cast<TKxBarCode*>(&E)) {
        b->Code = QStringLiteral("CODE-39");
        b->BarType = baCode39;
        b->Width = 5;
        b->Distance = 4;
        b->FontHeight = 40;
        b->ShowNumber = false;
        b->LeftMargin = 11;
        b->TopMargin = 12;
    }
    if (auto* r = dynamic_cast<TKxRect*>(&E)) {
        r->Radio = 25;
        r->Circle = true;
    }
    if (auto* s = dynamic_cast<TKxSymbol*>(&E)) {
        s->Symbol = 0x41;
        s->Bold = true;
    }
    if (auto* a = dynamic_cast<TKxAddText*>(&E)) {
        a->Before = QStringLiteral("Precio: ");
        a->After = QStringLiteral(" €");
    }
    if (auto* i = dynamic_cast<TKxImage*>(&E)) {
        // Bound, so no picture is looked for; the name is stored all the same.
        i->FileImage = QStringLiteral("no-such-picture.png");
        i->AspectRatio = false;
        i->AutoSize = true;
    }
    if (auto* p = dynamic_cast<TKxParagraph*>(&E)) {
        p->Text = QStringLiteral("first line\r\nsecond line");
        p->Format = taJustify;
    }
}

} // namespace

std::unique_ptr<TKxElement> KxSampleElement(int Tag, TKxOwner* Owner) {
    std::unique_ptr<TKxElement> e = TKxElementFactory::Create(Tag, Owner);
    if (!e) return nullptr;
    SetSharedFields(*e, Tag);
    SetOwnFields(*e);
    return e;
}

void KxAddEveryKind(TKxLab& Lab) {
    KxAddEveryKind(*Lab.Label());
}

void KxAddEveryKind(TKxLabel& Lab) {
    for (int tag = 1; tag <= 8; ++tag)
        Lab.AddElement(KxSampleElement(tag, &Lab));
}

#include "PriceTag.h"

#include <memory>

#include "db/Table.h"
#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxSymbol.h"
#include "elements/KxText.h"
#include "label/KxFrame.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

namespace {

void Place(TKxElement& E, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    E.P1 = TPoint{X1, Y1};
    E.P2 = TPoint{X2, Y2};
}

} // namespace

void MakePriceTag(TKxLabel& Lab, int LastRecord, bool Plain) {
    // Lengths in tenths of a millimetre: a 64 x 38.1 mm tag, the common 21-up A4 sheet.
    TKxMeasure& m = *Lab.GetMeasure();
    m.SetWidth(64.0f);
    m.SetHeight(38.1f);
    m.SetMarLeft(7.5f);
    m.SetMarTop(15.5f);
    m.SetDiHor(2.0f);
    m.SetDiVer(0.0f);
    m.SetNuHor(7);
    m.SetNuVer(3);
    m.SetLabelName(QStringLiteral("Price tag"));

    TKxFrame& f = *Lab.GetFrame();
    f.SetStyle(fsSingle);
    f.SetDist1(1.4f);
    f.SetPenWidth(0.4f);
    f.SetRadio(Plain ? 0.0f : 2.0f);

    auto name = std::make_unique<TKxText>(&Lab);
    Place(*name, 35, 25, 610, 70);
    name->Height = 45;
    name->Bold = true;
    name->FontName = QStringLiteral("Arial");
    name->Field = QStringLiteral("name");
    name->DataBase = true;
    Lab.AddElement(std::move(name));

    auto price = std::make_unique<TKxAddText>(&Lab);
    Place(*price, 35, 80, 610, 120);
    price->Height = 40;
    price->FontName = QStringLiteral("Arial");
    price->Before = QStringLiteral("Price: ");
    price->After = QStringLiteral(" EUR");
    price->Field = QStringLiteral("price");
    price->DataBase = true;
    Lab.AddElement(std::move(price));

    auto ean = std::make_unique<TKxBarCode>(&Lab);
    Place(*ean, 35, 135, 450, 355);
    ean->BarType = baEAN13;
    ean->Width = 3;
    ean->Height = 180;
    ean->FontHeight = 35;
    ean->LeftMargin = 30;
    ean->FontName = QStringLiteral("Arial");
    ean->Field = QStringLiteral("ean");
    ean->DataBase = true;
    Lab.AddElement(std::move(ean));

    // A large bullet, printed only on tags of products in stock.
    if (!Plain) {
        auto stock = std::make_unique<TKxSymbol>(&Lab);
        Place(*stock, 500, 180, 600, 280);
        stock->FontName = QStringLiteral("DejaVu Sans");
        stock->Symbol = 0x95;
        stock->Height = 120;
        stock->Field = QStringLiteral("instock");
        stock->DataBase = true;
        Lab.AddElement(std::move(stock));
    }

    TTable& table = *Lab.GetTable();
    table.SetDatabaseName(QStringLiteral("Products"));
    table.SetTableName(QStringLiteral("products"));
    Lab.SetDaBa(true);
    TKxPrintInfo& p = *Lab.GetPrintInfo();
    p.SetFirstLab(1);
    p.SetLastLab(LastRecord);
}

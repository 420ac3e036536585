#include "designer/KxLab.h"
#include "dialogs/LabProp.h"
#include "label/KxApplyStock.h"
#include "label/KxFrame.h"
#include "types/KxStockCatalogue.h"
#include "ui_LabProp.h"

void TPropLab::BindStock() {
    AddLoader([this] { ShowStock(); });
    connect(ui->BtnStock, &QPushButton::clicked, this, &TPropLab::ChooseStock);
}

void TPropLab::ChooseStock() {
    TKxLabel& label = *GetLab()->Label();
    const std::optional<TKxStock> stock = GetLab()->ChooseStock();
    if (!stock) return;
    Guarded([&] {
        KxApplyStock(label, *stock);
        GetLab()->AdjustPrint();
    });
    {
        // Every box of the sheet shows what the stock set, and writes nothing back.
        const TIniGuard guard(*this);
        RunLoaders(FSheetLoaders.first, FSheetLoaders.second);
        ui->SpEdFloatRadio->SetValue(Frame().GetRadio());
        FillPapers();
        CheckLabelType();
        CheckDraw();
        PageControl1Change();
    }
    RepaintPicture();
    ShowStock();
}

void TPropLab::ShowStock() {
    if (!GetLab()) return;
    const TKxLabel& label = *GetLab()->Label();
    const QString name = QStringLiteral("%1 %2").arg(label.GetStockMaker(), label.GetStockPart()).trimmed();
    if (name.isEmpty()) {
        ui->LabelStock->clear();
        return;
    }
    const TKxStock* stock = KxStocks().Lookup(label.GetStockMaker(), label.GetStockPart());
    ui->LabelStock->setText(stock && !KxSheetIsStock(label, *stock)
                                ? tr("Stock: %1 (changed since)").arg(name)
                                : tr("Stock: %1").arg(name));
}

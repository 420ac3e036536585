#include <QSignalBlocker>

#include "designer/KxLab.h"
#include "dialogs/LabProp.h"
#include "label/KxApplyStock.h"
#include "label/KxFrame.h"
#include "label/KxMeasure.h"
#include "label/KxRoll.h"
#include "types/KxStockCatalogue.h"
#include "ui_LabProp.h"

void TPropLab::BindStock() {
    AddLoader([this] { ShowStock(); });
    connect(ui->BtnStock, &QPushButton::clicked, this, &TPropLab::ChooseStock);
    AddLoader([this] { ShowRoll(); });
    connect(ui->CBRoll, &QCheckBox::toggled, this, [this](bool On) {
        if (On && !Initialising()) LayOut([this] { KxApplyRoll(*GetLab()->Label()); });
    });
    // A roll's page follows its label's size and gaps; any other change of the sheet may end the roll.
    for (TSpinEditFloat* box :
         {ui->SpEdFloatWidth, ui->SpEdFloatHeight, ui->SpEdFloatDiHor, ui->SpEdFloatDiVer})
        connect(box, &TSpinEditFloat::changed, this, [this] {
            if (!Initialising() && ui->CBRoll->isChecked()) FollowRoll();
        });
    for (TSpinEditFloat* box :
         {ui->SpEdFloatLeftMar, ui->SpEdFloatTopMar, ui->SpEdFloatPaWidth, ui->SpEdFloatPaHeight})
        connect(box, &TSpinEditFloat::changed, this, &TPropLab::ShowRoll);
    for (QSpinBox* box : {ui->SpinEdNuHor, ui->SpinEdNuVer})
        connect(box, &QSpinBox::valueChanged, this, &TPropLab::ShowRoll);
    connect(ui->CBoxPaperName, &QComboBox::currentIndexChanged, this, &TPropLab::ShowRoll);
}

void TPropLab::ChooseStock() {
    const std::optional<TKxStock> stock = GetLab()->ChooseStock();
    if (stock) LayOut([&] { KxApplyStock(*GetLab()->Label(), *stock); });
}

void TPropLab::LayOut(const std::function<void()>& Apply) {
    Guarded([&] {
        Apply();
        GetLab()->AdjustPrint();
    });
    {
        // Every box of the sheet shows what was laid out, and writes nothing back.
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
    ShowRoll();
}

void TPropLab::FollowRoll() {
    Guarded([this] { KxApplyRoll(*GetLab()->Label()); });
    // The box being typed in keeps its text; only what the roll sets is shown again.
    const TIniGuard guard(*this);
    const TKxMeasure& m = Measure();
    ui->SpEdFloatLeftMar->SetValue(m.GetMarLeft());
    ui->SpEdFloatTopMar->SetValue(m.GetMarTop());
    ui->SpEdFloatPaWidth->SetValue(m.GetPaperWidth());
    ui->SpEdFloatPaHeight->SetValue(m.GetPaperHeight());
    RepaintPicture();
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

void TPropLab::ShowRoll() {
    if (!GetLab()) return;
    const QSignalBlocker blocker(ui->CBRoll);
    ui->CBRoll->setChecked(KxSheetIsRoll(*GetLab()->Label()));
}

#include "dialogs/PrCoBar.h"

#include <array>

#include "ui_PrCoBar.h"

TPropCoBar* PropCoBar = nullptr;

namespace {

// The list shows the four retail kinds in another order than their enumeration; the kinds after them
// follow in enumeration order.
constexpr std::array<TKxBar, 14> ListedKinds{baEAN13,  baEAN8,       baUPCA,   baCode39,     baCode128,
                                             baGS1128, baITF14,      baUPCE,   baEAN13AddOn, baUPCAAddOn,
                                             baQR,     baDataMatrix, baPDF417, baAztec};

// The module width the four retail kinds keep; the later kinds, two-dimensional ones above all, are
// printed with larger modules.
constexpr double RetailMaxWidth = 0.3;
constexpr double EncodedMaxWidth = 2.0;

} // namespace

TPropCoBar::TPropCoBar(QWidget* parent)
    : TKxForm(parent) {
    for (size_t i = ui->ComBoxType->count(); i < ListedKinds.size(); ++i)
        ui->ComBoxType->addItem(KxKindName(ListedKinds[i]));
    BindKind();
    BindText(ui->EdNum, &TKxBarCode::Code, false);
    BindFields(ui->CkBoxDatabase, ui->CbFields, ui->EdNum, KxBinding::TFieldChoice::All, true);
    BindColor(ui->ShCoBar, &TKxElement::Color);
    BindColor(ui->ShFillCo, &TKxElement::BackColor);
    BindFloat(ui->SpEdFloatLeftM, &TKxBarCode::GetLeftMargin, &TKxBarCode::SetLeftMargin);
    BindFloat(ui->SpEdFloatTopM, &TKxBarCode::GetTopMargin, &TKxBarCode::SetTopMargin);
    BindFloat(ui->SpEdFloatWidth, &TKxBarCode::GetWidth, &TKxBarCode::SetWidth);
    BindFloat(ui->SpEdFloatNumberHeight, &TKxBarCode::GetFontHeight, &TKxBarCode::SetFontHeight);
    BindHeight(ui->SpEdFloatAlt, false);
    BindInt(ui->SpEdTextSpace, &TKxBarCode::CharSpace);
    BindCheck(ui->CkBoxShowNumber, &TKxBarCode::ShowNumber);
    BindPoint(ui->SpEdFloatX, ui->SpEdFloatY, false);
    BindAngle(ui->CbAngle);
    BindOptions();
    AddLoader([this] { ShowKind(); });
}

TPropCoBar::~TPropCoBar() = default;

int TPropCoBar::KindIndex(TKxBar Kind) {
    for (size_t i = 0; i < ListedKinds.size(); ++i)
        if (ListedKinds[i] == Kind) return static_cast<int>(i);
    return -1;
}

TKxBar TPropCoBar::KindOfIndex(int Index) {
    return Index >= 0 && Index < static_cast<int>(ListedKinds.size()) ? ListedKinds[Index] : baEAN13;
}

void TPropCoBar::BindKind() {
    AddLoader([this] {
        // A kind outside the list leaves the list as designed.
        if (const int index = KindIndex(GetElement()->BarType); index >= 0)
            ui->ComBoxType->setCurrentIndex(index);
    });
    OnChange(ui->ComBoxType, &QComboBox::currentIndexChanged, [this](int Index) {
        if (Index >= 0) GetElement()->BarType = KindOfIndex(Index);
    });
}

void TPropCoBar::BindOptions() {
    AddLoader([this] {
        const TKxSymbolOptions& o = GetElement()->Options;
        ui->CbQrLevel->setCurrentIndex(static_cast<int>(o.QrLevel) - 1);
        ui->CbDataMode->setCurrentIndex(static_cast<int>(o.QrMode));
        ui->CbDmShape->setCurrentIndex(o.DmRectangular ? 1 : 0);
        ui->CkBoxDmGS1->setChecked(o.DmGS1);
        ui->CkBoxCheckChar->setChecked(o.Code39Check);
    });
    OnChange(ui->CbQrLevel, &QComboBox::currentIndexChanged, [this](int Index) {
        if (Index >= 0) GetElement()->Options.QrLevel = static_cast<TKxQrLevel>(Index + 1);
    });
    OnChange(ui->CbDataMode, &QComboBox::currentIndexChanged, [this](int Index) {
        if (Index >= 0) GetElement()->Options.QrMode = static_cast<TKxDataMode>(Index);
    });
    OnChange(ui->CbDmShape, &QComboBox::currentIndexChanged,
             [this](int Index) { GetElement()->Options.DmRectangular = Index == 1; });
    OnChange(ui->CkBoxDmGS1, &QCheckBox::toggled, [this](bool On) { GetElement()->Options.DmGS1 = On; });
    OnChange(ui->CkBoxCheckChar, &QCheckBox::toggled,
             [this](bool On) { GetElement()->Options.Code39Check = On; });
}

void TPropCoBar::ShowKind() {
    const TKxBarCode& bar = *GetElement();
    const TKxBar kind = bar.BarType;
    const bool qr = kind == baQR;
    const bool matrix = kind == baDataMatrix;
    const bool code39 = kind == baCode39;
    for (QWidget* w : {static_cast<QWidget*>(ui->LabelQrLevel), static_cast<QWidget*>(ui->CbQrLevel),
                       static_cast<QWidget*>(ui->LabelDataMode), static_cast<QWidget*>(ui->CbDataMode)})
        w->setVisible(qr);
    ui->LabelDmShape->setVisible(matrix);
    ui->CbDmShape->setVisible(matrix);
    ui->CkBoxDmGS1->setVisible(matrix);
    ui->CkBoxCheckChar->setVisible(code39);
    ui->GroupOptions->setVisible(qr || matrix || code39);
    // A two-dimensional symbol has no human-readable line.
    ui->CkBoxShowNumber->setEnabled(!KxMatrixKind(kind));
    ui->SpEdFloatWidth->SetMaxValue(KxEncodedKind(kind) ? EncodedMaxWidth : RetailMaxWidth);

    // A bound barcode draws each record's value: its own code is not what prints.
    const QString problem = bar.DataBase ? QString() : bar.DataProblem(bar.Code);
    ui->LabelProblem->setText(problem);
    ui->LabelProblem->setVisible(!problem.isEmpty());
}

void TPropCoBar::Changed() {
    TKxForm::Changed();
    ShowKind();
}

void TPropCoBar::SpinOverrides(bool Inch) {
    ui->SpEdFloatNumberHeight->SetIncrement(Inch ? 0.01 : 0.1);
    ui->SpEdFloatWidth->SetIncrement(0.1);
}

// Compiled here, where the form class is complete.
#include "moc_PrCoBar.cpp"

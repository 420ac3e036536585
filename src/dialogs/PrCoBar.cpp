#include "dialogs/PrCoBar.h"

#include <array>

#include "ui_PrCoBar.h"

TPropCoBar* PropCoBar = nullptr;

namespace {

// The list shows the kinds in another order than their enumeration.
constexpr std::array<TKxBar, 4> ListedKinds{baEAN13, baEAN8, baUPCA, baCode39};

} // namespace

TPropCoBar::TPropCoBar(QWidget* parent)
    : TKxForm(parent) {
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
        // A kind outside the four leaves the list as designed.
        if (const int index = KindIndex(GetElement()->BarType); index >= 0)
            ui->ComBoxType->setCurrentIndex(index);
    });
    OnChange(ui->ComBoxType, &QComboBox::currentIndexChanged, [this](int Index) {
        if (Index >= 0) GetElement()->BarType = KindOfIndex(Index);
    });
}

void TPropCoBar::SpinOverrides(bool Inch) {
    ui->SpEdFloatNumberHeight->SetIncrement(Inch ? 0.01 : 0.1);
    ui->SpEdFloatWidth->SetIncrement(0.1);
}

// Compiled here, where the form class is complete.
#include "moc_PrCoBar.cpp"

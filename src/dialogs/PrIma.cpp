#include "dialogs/PrIma.h"

#include "designer/KxLab.h"
#include "ui_PrIma.h"

TProIma* ProIma = nullptr;

const QString TProIma::PictureFilter = QStringLiteral(
    "All (*.png *.jpg *.jpeg *.svg *.bmp *.ico *.emf *.wmf);;PNG (*.png);;JPEG (*.jpg *.jpeg);;"
    "SVG (*.svg);;Bitmaps (*.bmp);;Icons (*.ico);;Enhanced Metafiles (*.emf);;Metafiles (*.wmf)");

TProIma::TProIma(QWidget* parent)
    : TKxForm(parent) {
    FRepaintAfterIni = false;
    BindPoint(ui->SpEdFloatX1, ui->SpEdFloatY1, false);
    BindPoint(ui->SpEdFloatX2, ui->SpEdFloatY2, true);
    BindFile();
    BindFitting();
    BindColor(ui->ShCoBorder, &TKxElement::LineColor);
    BindPenWidth(ui->SpEdFloatPen);
    BindCheck(ui->CkBoxShowBorder, &TKxImage::Border);
    BindFields(ui->CkBoxDatabase, ui->cbFields, nullptr, KxBinding::TFieldChoice::Graphic, false);
}

TProIma::~TProIma() = default;

void TProIma::Ini(bool DataOpen, bool IsNew) {
    FIsNew = IsNew;
    // The box stays within the label.
    if (const TKxLab* lab = GetLab()) {
        for (TSpinEditFloat* x : {ui->SpEdFloatX1, ui->SpEdFloatX2})
            x->SetMaxValue(lab->GetMeasure()->GetWidth());
        for (TSpinEditFloat* y : {ui->SpEdFloatY1, ui->SpEdFloatY2})
            y->SetMaxValue(lab->GetMeasure()->GetHeight());
    }
    IniSteps(DataOpen);
}

void TProIma::BindFile() {
    AddLoader([this] {
        ui->EditImage->setText(GetElement()->FileImage);
        ui->EditImage->setModified(false);
    });
    // Every partial path would fail to load: the path is taken when editing ends.
    connect(ui->EditImage, &QLineEdit::editingFinished, this, [this] { Handle([this] { CommitPath(); }); });
    connect(ui->BitBtnImage, &QPushButton::clicked, this, &TProIma::OpenPicture);
}

void TProIma::CommitPath() {
    if (!ui->EditImage->isModified()) return;
    ui->EditImage->setModified(false);
    GetElement()->SetFileImage(ui->EditImage->text());
}

void TProIma::Commit() {
    CommitPath();
}

void TProIma::OpenPicture() {
    const QString name = ChoosePictureFile(PictureFilter);
    if (name.isEmpty()) return;
    Handle([&] {
        ui->EditImage->setText(name);
        ui->EditImage->setModified(false);
        GetElement()->SetFileImage(name);
    });
}

void TProIma::BindFitting() {
    BindCheck(ui->CkBoxAspect, &TKxImage::AspectRatio);
    BindCheck(ui->CkBoxAutoSize, &TKxImage::AutoSize);
    AddLoader([this] { ui->CkBoxAspect->setEnabled(!GetElement()->AutoSize); });
    // Checking one box disables the other; unchecking one disables that box and enables the other.
    const auto follow = [this](QCheckBox* Box, QCheckBox* Other) {
        connect(Box, &QCheckBox::toggled, this, [this, Box, Other](bool On) {
            if (Initialising()) return;
            Other->setEnabled(!On);
            if (!On) Box->setEnabled(false);
        });
    };
    follow(ui->CkBoxAspect, ui->CkBoxAutoSize);
    follow(ui->CkBoxAutoSize, ui->CkBoxAspect);
}

// Compiled here, where the form class is complete.
#include "moc_PrIma.cpp"

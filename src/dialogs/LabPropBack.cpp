#include <array>
#include <QSignalBlocker>

#include "designer/KxLab.h"
#include "dialogs/KxSwatch.h"
#include "dialogs/LabProp.h"
#include "ui_LabProp.h"

// The "Back" page: selection colour, background, grid, frame and alignment guides.

namespace {

// The list shows the gradients before the picture; the enumeration has the picture first.
constexpr std::array<TKxBackStyle, 5> BackStyleItems{biNone, biGradHor, biGradVer, biGraCircle, biImage};

} // namespace

const QString TPropLab::PictureFilter =
    QStringLiteral("All (*.jpg *.jpeg *.bmp *.emf *.wmf);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;"
                   "Bitmaps (*.bmp);;Enhanced Metafiles (*.emf);;Metafiles (*.wmf)");

int TPropLab::BackStyleItem(TKxBackStyle Style) {
    for (size_t i = 0; i < BackStyleItems.size(); ++i)
        if (BackStyleItems[i] == Style) return static_cast<int>(i);
    return 0;
}

TKxBackStyle TPropLab::ItemBackStyle(int Item) {
    return Item >= 0 && Item < static_cast<int>(BackStyleItems.size()) ? BackStyleItems[Item] : biNone;
}

void TPropLab::SetBackStyle() {
    const QSignalBlocker blocker(ui->ComBoxBackStyle);
    ui->ComBoxBackStyle->setCurrentIndex(BackStyleItem(BackSurf().GetStyle()));
}

void TPropLab::BindBack() {
    const auto b = [this] { return &BackSurf(); };
    BindSwatch(
        ui->ShCoSelect, [this] { return GetLab()->GetSelColor(); },
        [this](TColor C) { GetLab()->SetSelColor(C); });
    BindSwatch(
        ui->ShCoBackFrom, [b] { return b()->GetColor(); }, [b](TColor C) { b()->SetColor(C); });
    BindSwatch(
        ui->ShCoBackTo, [b] { return b()->GetToColor(); }, [b](TColor C) { b()->SetToColor(C); });
    BindFloat(
        ui->SpEdFloatAlLeft, [b] { return b()->GetAlignLeft(); }, [b](float V) { b()->SetAlignLeft(V); });
    BindFloat(
        ui->SpEdFloatAlTop, [b] { return b()->GetAlignTop(); }, [b](float V) { b()->SetAlignTop(V); });
    BindCheck(
        ui->CheckShowAlign, [b] { return b()->GetShowAlign(); }, [b](bool On) { b()->SetShowAlign(On); });
    BindSwatch(
        ui->ShCoAlign, [b] { return b()->GetAlignColor(); }, [b](TColor C) { b()->SetAlignColor(C); });
    AddLoader([this] { SetBackStyle(); });
    OnChange(ui->ComBoxBackStyle, &QComboBox::currentIndexChanged, [this](int Item) {
        BackSurf().SetStyle(ItemBackStyle(Item));
        SetBackStyle();
        GetLab()->AdjustHandle();
    });
    AddLoader([this] { ui->CkBoxBackPrint->setChecked(BackSurf().GetPrint()); });
    OnChange(ui->CkBoxBackPrint, &QCheckBox::toggled, [this](bool On) { BackSurf().SetPrint(On); });
}

void TPropLab::BindGridAndFrame() {
    const auto g = [this] { return &Grid(); };
    BindSwatch(
        ui->ShCoGrid, [g] { return g()->GetColor(); }, [g](TColor C) { g()->SetColor(C); });
    BindFloat(
        ui->SpEdFloatGX, [g] { return g()->GetIncX(); }, [g](float V) { g()->SetIncX(V); });
    BindFloat(
        ui->SpEdFloatGY, [g] { return g()->GetIncY(); }, [g](float V) { g()->SetIncY(V); });
    BindCheck(
        ui->CheckGrid, [g] { return g()->GetShow(); }, [g](bool On) { g()->SetShow(On); });
    // The box chooses between the grid and no snapping; point snapping is never set here.
    BindCheck(
        ui->CheckSnap, [this] { return GetLab()->GetSnap() == snGrid; },
        [this](bool On) { GetLab()->SetSnap(On ? snGrid : snNone); });
    const auto f = [this] { return &Frame(); };
    BindSwatch(
        ui->ShCoFrame, [f] { return f()->GetColor(); }, [f](TColor C) { f()->SetColor(C); });
    BindFloat(
        ui->SpEdFloatD1, [f] { return f()->GetDist1(); }, [f](float V) { f()->SetDist1(V); });
    BindFloat(
        ui->SpEdFloatD2, [f] { return f()->GetDist2(); }, [f](float V) { f()->SetDist2(V); });
    BindFloat(
        ui->SpEdFloatPenWidth, [f] { return f()->GetPenWidth(); }, [f](float V) { f()->SetPenWidth(V); });
    BindFloat(
        ui->SpEdFloatRadio, [f] { return f()->GetRadio(); }, [f](float V) { f()->SetRadio(V); });
    AddLoader([this] { ui->ComBoxStyle->setCurrentIndex(Frame().GetStyle()); });
    OnChange(ui->ComBoxStyle, &QComboBox::currentIndexChanged, [this](int Style) {
        if (Style < fsNone || Style > fsDoble) return;
        Frame().SetStyle(static_cast<TKxFrameStyle>(Style));
        GetLab()->AdjustHandle();
    });
}

void TPropLab::BindBackImage() {
    AddLoader([this] {
        CheckLabelType();
        ui->EditImage->setText(BackSurf().GetFileName());
        ui->EditImage->setModified(false);
    });
    // Every partial path would fail to load: the name is taken when editing ends.
    connect(ui->EditImage, &QLineEdit::editingFinished, this,
            [this] { Guarded([this] { CommitFileName(); }); });
    connect(ui->BitBtnImage, &QPushButton::clicked, this, &TPropLab::OpenPicture);
}

void TPropLab::CommitFileName() {
    if (!GetLab() || !ui->EditImage->isModified()) return;
    ui->EditImage->setModified(false);
    BackSurf().SetFileName(ui->EditImage->text());
}

void TPropLab::OpenPicture() {
    const QString name = ChoosePictureFile(PictureFilter);
    if (name.isEmpty()) return;
    Guarded([&] {
        ui->EditImage->setText(name);
        ui->EditImage->setModified(false);
        BackSurf().SetFileName(name);
        GetLab()->AdjustHandle();
    });
}

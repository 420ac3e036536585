#include "dialogs/LabProp.h"

#include <QPainter>
#include <QSignalBlocker>

#include "designer/KxLab.h"
#include "dialogs/KxFocusColor.h"
#include "dialogs/KxSheetPainter.h"
#include "dialogs/KxSheetPicture.h"
#include "dialogs/KxSwatch.h"
#include "ui_LabProp.h"

TPropLab* PropLab = nullptr;

TPropLab::TPropLab(QWidget* parent)
    : TKxForm(parent) {
    FSheetLoaders.first = LoaderCount();
    BindDimensions();
    BindPaper();
    FSheetLoaders.second = LoaderCount();
    BindStock();
    BindPrint();
    BindData();
    BindQuantity();
    BindBack();
    BindGridAndFrame();
    BindBackImage();
    AddLoader([this] {
        FillPapers();
        CheckDraw();
    });
    ui->PaintBox1->OnPaint = [this](QPainter& Painter) { PaintBox1Paint(Painter); };
    ui->PaintBox1->OnMouseDown = [this](Qt::MouseButton, const QPoint& Pixel) { PaintBox1MouseDown(Pixel); };
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &TPropLab::PageControl1Change);
    QList<QWidget*> boxes;
    for (QWidget* box : findChildren<TSpinEditFloat*>())
        boxes << box;
    for (QWidget* box : findChildren<QSpinBox*>())
        boxes << box;
    boxes << ui->EdLabName;
    TKxFocusColor::Follow(this, boxes);
}

TPropLab::~TPropLab() = default;

TKxMeasure& TPropLab::Measure() const {
    return *GetLab()->GetMeasure();
}

TKxPrintInfo& TPropLab::PrintInfo() const {
    return *GetLab()->GetPrintInfo();
}

TKxBackSurf& TPropLab::BackSurf() const {
    return *GetLab()->GetBackSurf();
}

TKxFrame& TPropLab::Frame() const {
    return *GetLab()->GetFrame();
}

TKxGrid& TPropLab::Grid() const {
    return *GetLab()->GetGrid();
}

TTable& TPropLab::Table() const {
    return *GetLab()->GetTable();
}

void TPropLab::Ini(int Page) {
    const TIniGuard guard(*this);
    FillLanguage();
    ShowPage(Page);
    UnitSteps(0.05);
    ui->SpEdFloatPenWidth->SetIncrement(0.1);
    RunLoaders();
}

void TPropLab::ShowPage(int Page) {
    ui->PageControl1->setCurrentIndex(Page >= 0 && Page < ui->PageControl1->count() ? Page : 0);
}

void TPropLab::Retranslate() {
    TKxForm::Retranslate();
    ShowStock();
    FillQuantityFields();
    for (int i = 0; i < ui->CBoxPaperName->count() && i < PaperCount; ++i)
        ui->CBoxPaperName->setItemText(i, Papers()[i].Name);
}

void TPropLab::BindFloat(TSpinEditFloat* Box, std::function<float()> Get, std::function<void(float)> Set,
                         bool Picture) {
    AddLoader([Box, Get] { Box->SetValue(Get()); });
    OnChange(Box, &TSpinEditFloat::changed, [this, Box, Set, Picture] {
        Set(static_cast<float>(Box->GetValue()));
        if (Picture) RepaintPicture();
    });
}

void TPropLab::BindInt(QSpinBox* Box, std::function<int()> Get, std::function<void(int)> Set, bool Guard,
                       bool Picture) {
    AddLoader([Box, Get] { Box->setValue(Get()); });
    const auto write = [this, Set, Picture](int Value) {
        Set(Value);
        if (Picture) RepaintPicture();
    };
    if (Guard)
        OnChange(Box, &QSpinBox::valueChanged, write);
    else
        OnWrite(Box, &QSpinBox::valueChanged, write);
}

void TPropLab::BindCheck(QCheckBox* Box, std::function<bool()> Get, std::function<void(bool)> Set) {
    AddLoader([Box, Get] { Box->setChecked(Get()); });
    OnWrite(Box, &QCheckBox::toggled, Set);
}

void TPropLab::BindSwatch(TKxSwatch* Swatch, std::function<TColor()> Get, std::function<void(TColor)> Set) {
    AddLoader([Swatch, Get] { Swatch->SetBrushColor(Get()); });
    connect(Swatch, &TKxSwatch::mouseDown, this, [this, Swatch, Set] { ChooseColor(Swatch, Set); });
}

void TPropLab::BindRadios(QRadioButton* Zero, QRadioButton* One, std::function<int()> Get,
                          std::function<void(int)> Set) {
    AddLoader([Zero, One, Get] { (Get() == 1 ? One : Zero)->setChecked(true); });
    // Toggling a pair unchecks one button too: only the one that becomes checked writes.
    for (const int value : {0, 1})
        OnWrite(value == 1 ? One : Zero, &QRadioButton::toggled, [Set, value](bool Checked) {
            if (Checked) Set(value);
        });
}

void TPropLab::BindDimensions() {
    const auto m = [this] { return &Measure(); };
    BindFloat(
        ui->SpEdFloatWidth, [m] { return m()->GetWidth(); }, [m](float V) { m()->SetWidth(V); }, true);
    BindFloat(
        ui->SpEdFloatHeight, [m] { return m()->GetHeight(); }, [m](float V) { m()->SetHeight(V); }, true);
    BindFloat(
        ui->SpEdFloatDiHor, [m] { return m()->GetDiHor(); }, [m](float V) { m()->SetDiHor(V); }, true);
    BindFloat(
        ui->SpEdFloatDiVer, [m] { return m()->GetDiVer(); }, [m](float V) { m()->SetDiVer(V); }, true);
    BindFloat(
        ui->SpEdFloatLeftMar, [m] { return m()->GetMarLeft(); }, [m](float V) { m()->SetMarLeft(V); }, true);
    BindFloat(
        ui->SpEdFloatTopMar, [m] { return m()->GetMarTop(); }, [m](float V) { m()->SetMarTop(V); }, true);
    BindInt(
        ui->SpinEdNuHor, [m] { return m()->GetNuHor(); }, [m](int V) { m()->SetNuHor(V); }, true, true);
    BindInt(
        ui->SpinEdNuVer, [m] { return m()->GetNuVer(); }, [m](int V) { m()->SetNuVer(V); }, true, true);
    AddLoader([this] { ui->EdLabName->setText(Measure().GetLabelName()); });
    OnWrite(ui->EdLabName, &QLineEdit::textChanged,
            [this](const QString& Name) { Measure().SetLabelName(Name); });
    BindFloat(
        ui->SpEdFloatInnerRadio, [m] { return m()->GetInnerCircle(); },
        [m](float V) { m()->SetInnerCircle(V); }, true);
    BindRadios(
        ui->RaBuRect, ui->RaBuCircle, [m] { return static_cast<int>(m()->GetLabelType()); },
        [this](int Type) {
            Measure().SetLabelType(Type == 1 ? ltCircle : ltRect);
            CheckLabelType();
            CheckDraw();
            RepaintPicture();
        });
}

void TPropLab::BindPaper() {
    const auto m = [this] { return &Measure(); };
    const auto sized = [this](const std::function<void()>& Set) {
        Set();
        CheckDraw();
        RepaintPicture();
    };
    BindFloat(
        ui->SpEdFloatPaWidth, [m] { return m()->GetPaperWidth(); },
        [m, sized](float V) { sized([&] { m()->SetPaperWidth(V); }); });
    BindFloat(
        ui->SpEdFloatPaHeight, [m] { return m()->GetPaperHeight(); },
        [m, sized](float V) { sized([&] { m()->SetPaperHeight(V); }); });
    OnWrite(ui->CBoxPaperName, &QComboBox::currentIndexChanged,
            [this](int Index) { CBoxPaperNameChange(Index); });
    BindRadios(
        ui->RaBuVer, ui->RaBuHor, [this] { return PrintInfo().GetOrientation(); },
        [this, sized](int Orientation) {
            sized([&] {
                PrintInfo().SetOrientation(Orientation);
                GetLab()->AdjustPrint();
            });
        });
}

void TPropLab::BindPrint() {
    const auto p = [this] { return &PrintInfo(); };
    // The box holds at most 3000: showing a larger record count must not write it back.
    AddLoader([this] { ShowLabs(); });
    OnWrite(ui->SpEdNuLabs, &QSpinBox::valueChanged, [p](int V) { p()->SetLabs(V); });
    AddLoader([this] { PageControl1Change(); });
    BindInt(
        ui->SpinEdFrom, [p] { return p()->GetFirstLab(); }, [p](int V) { p()->SetFirstLab(V); }, false);
    BindInt(
        ui->SpinEdTo, [p] { return p()->GetLastLab(); }, [p](int V) { p()->SetLastLab(V); }, false);
    BindInt(
        ui->SpEdRepe, [p] { return p()->GetRepetition(); }, [p](int V) { p()->SetRepetition(V); }, false);
    BindCheck(
        ui->CheckShow, [this] { return GetLab()->GetShowMargins(); },
        [this](bool On) { GetLab()->SetShowMargins(On); });
}

void TPropLab::ShowLabs() {
    const QSignalBlocker blocker(ui->SpEdNuLabs);
    ui->SpEdNuLabs->setValue(PrintInfo().GetLabs());
}

void TPropLab::PageControl1Change() {
    if (!GetLab()) return;
    ui->SpEdFirstCol->setValue(PrintInfo().GetFirstCol());
    ui->SpEdFirstRow->setValue(PrintInfo().GetFirstRow());
}

void TPropLab::FillPapers() {
    const QSignalBlocker blocker(ui->CBoxPaperName);
    ui->CBoxPaperName->clear();
    int selected = -1;
    for (int i = 0; i < PaperCount; ++i) {
        ui->CBoxPaperName->addItem(Papers()[i].Name);
        if (selected < 0 && Papers()[i].Name == Measure().GetPaperName()) selected = i;
    }
    ui->CBoxPaperName->setCurrentIndex(selected);
    CheckPapers();
}

void TPropLab::CheckPapers() {
    const bool user = ui->CBoxPaperName->currentIndex() >= 0 &&
                      ui->CBoxPaperName->currentText() == Papers()[UserPaperIndex].Name;
    ui->SpEdFloatPaWidth->setEnabled(user);
    ui->SpEdFloatPaHeight->setEnabled(user);
}

void TPropLab::CBoxPaperNameChange(int Index) {
    if (Index < 0 || Index >= PaperCount) return;
    CheckPapers();
    const TPaperType& paper = Papers()[Index];
    const bool inch = Inches();
    const float width = inch ? paper.InchWidth : paper.MMWidth;
    const float height = inch ? paper.InchHeight : paper.MMHeight;
    ui->SpEdFloatPaWidth->SetValue(width);
    ui->SpEdFloatPaHeight->SetValue(height);
    Measure().SetPaperWidth(width);
    Measure().SetPaperHeight(height);
    Measure().SetPaperName(paper.Name);
    PrintInfo().SetPaperSize(paper.PaperSize);
    GetLab()->AdjustPrint();
    CheckDraw();
    RepaintPicture();
}

void TPropLab::CheckLabelType() {
    ui->SpEdFloatInnerRadio->setEnabled(Measure().GetLabelType() == ltCircle);
}

void TPropLab::CheckDraw() {
    const QSize size = TKxSheetPicture(Measure(), PrintInfo().GetOrientation()).Size();
    ui->PaintBox1->setFixedSize(size);
    FBitmap = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
}

void TPropLab::DrawSheet() {
    if (FBitmap.isNull()) return;
    const TKxSheetPicture picture(Measure(), PrintInfo().GetOrientation());
    QPainter painter(&FBitmap);
    const bool circle = Measure().GetLabelType() == ltCircle;
    KxPaintSheet(painter, picture, circle, palette().color(QPalette::ToolTipBase));
    KxPaintSheetCell(painter, picture, circle, PrintInfo().GetFirstCol(), PrintInfo().GetFirstRow(),
                     ToQColor(clAqua));
    if (GetLab()->GetShowMargins()) {
        painter.setPen(QPen(ToQColor(PrintInfo().GetColor()), 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(picture.PrintableRect(PrintInfo().LiveMetrics()).adjusted(0, 0, -1, -1));
    }
}

void TPropLab::PaintBox1Paint(QPainter& Painter) {
    if (!GetLab()) return;
    DrawSheet();
    Painter.drawImage(0, 0, FBitmap);
}

void TPropLab::RepaintPicture() {
    DrawSheet();
    ui->PaintBox1->update();
}

void TPropLab::PaintBox1MouseDown(const QPoint& Pixel) {
    TKxPrintInfo& p = PrintInfo();
    const QPoint first = TKxSheetPicture(Measure(), p.GetOrientation())
                             .FirstCellAt(Pixel, QPoint(p.GetFirstCol(), p.GetFirstRow()));
    p.SetFirstCol(first.x());
    p.SetFirstRow(first.y());
    RepaintPicture();
}

void TPropLab::done(int Result) {
    Guarded([this] {
        CommitFileName();
        if (GetLab()) GetLab()->ValidData();
    });
    TKxForm::done(Result);
}

// Compiled here, where the form class is complete.
#include "moc_LabProp.cpp"

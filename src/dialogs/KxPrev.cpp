#include "dialogs/KxPrev.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <QDir>
#include <QFileDialog>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <utility>

#include "base/Color.h"
#include "base/Messages.h"
#include "designer/KxLab.h"
#include "dialogs/KxImageList.h"
#include "dialogs/KxPrevGeometry.h"
#include "dialogs/KxPrevSave.h"
#include "metafile/Metafile.h"
#include "ui_KxPrev.h"

namespace {

// The page counter's width as designed.
constexpr int KxCounterWidth = 70;

// Light grey around the sheet.
constexpr TColor BackScrollColor = 15132390;

void Fill(QWidget* W, TColor Color) {
    W->setAutoFillBackground(true);
    W->setBackgroundRole(QPalette::Window);
    QPalette palette = W->palette();
    palette.setColor(QPalette::Window, ToQColor(Color));
    W->setPalette(palette);
}

void AddShortcut(QWidget* Window, const QKeySequence& Keys, QAbstractButton* Button) {
    // Through the button, so a key does nothing while its button is disabled.
    QObject::connect(new QShortcut(Keys, Window), &QShortcut::activated, Button, &QAbstractButton::click);
}

} // namespace

TKxPrw::TKxPrw(QWidget* parent)
    : TKxForm(parent)
    , SaveImage(new QFileDialog(this))
    , ImageNormal(new TKxImageList(TKxImageList::gsNormal, this))
    , ImageHot(new TKxImageList(TKxImageList::gsHot, this))
    , ImageDis(new TKxImageList(TKxImageList::gsDisabled, this)) {
    SaveImage->setObjectName(QStringLiteral("SaveImage"));
    SaveImage->setOption(QFileDialog::DontUseNativeDialog);
    SaveImage->setAcceptMode(QFileDialog::AcceptSave);
    SaveImage->setFileMode(QFileDialog::AnyFile);
    SaveImage->setNameFilters(KxSaveFilters());
    FilterChosen(0);
    // The dialog then checks for an existing file under the name that will be written.
    connect(SaveImage, &QFileDialog::filterSelected, this,
            [this](const QString& Filter) { FilterChosen(KxSaveFilters().indexOf(Filter)); });
    ImageNormal->setObjectName(QStringLiteral("ImageNormal"));
    ImageHot->setObjectName(QStringLiteral("ImageHot"));
    ImageDis->setObjectName(QStringLiteral("ImageDis"));
    SetUpLook();
    SetUpActions();
    ui->BackScroll->installEventFilter(this);
}

TKxPrw::~TKxPrw() = default;

void TKxPrw::SetUpLook() {
    const std::pair<QAbstractButton*, TKxImageList::TGlyph> glyphs[] = {
        {ui->PageFirst, TKxImageList::glFirst},   {ui->PageAnt, TKxImageList::glPrevious},
        {ui->PageNext, TKxImageList::glNext},     {ui->PageLast, TKxImageList::glLast},
        {ui->ShowAll, TKxImageList::glWholePage}, {ui->ShowWidth, TKxImageList::glPageWidth},
        {ui->ZoomMinus, TKxImageList::glZoomOut}, {ui->ZoomPlus, TKxImageList::glZoomIn},
        {ui->Print, TKxImageList::glPrint},       {ui->Save, TKxImageList::glSave}};
    for (const auto& [button, glyph] : glyphs)
        button->setIcon(TKxImageList::Icon(*ImageNormal, *ImageHot, *ImageDis, glyph));
    // The counter is disabled so that it takes no input, yet it is read as much as any caption.
    QPalette counter = ui->AlignEdit1->palette();
    counter.setColor(QPalette::Disabled, QPalette::Text, counter.color(QPalette::Active, QPalette::Text));
    ui->AlignEdit1->setPalette(counter);
    Fill(ui->BackScroll->viewport(), BackScrollColor);
    Fill(ui->pnPaper, clWhite);
    for (QWidget* border : {ui->Panel1, ui->Panel2, ui->Panel3, ui->Panel4})
        Fill(border, clSilver);
}

void TKxPrw::SetUpActions() {
    connect(ui->PageFirst, &QToolButton::clicked, this, &TKxPrw::PageFirstClick);
    connect(ui->PageAnt, &QToolButton::clicked, this, &TKxPrw::PageAntClick);
    connect(ui->PageNext, &QToolButton::clicked, this, &TKxPrw::PageNextClick);
    connect(ui->PageLast, &QToolButton::clicked, this, &TKxPrw::PageLastClick);
    connect(ui->ShowAll, &QToolButton::clicked, this, &TKxPrw::ShowAllClick);
    connect(ui->ShowWidth, &QToolButton::clicked, this, &TKxPrw::ShowWidthClick);
    connect(ui->ZoomMinus, &QToolButton::clicked, this, &TKxPrw::ZoomMinusClick);
    connect(ui->ZoomPlus, &QToolButton::clicked, this, &TKxPrw::ZoomPlusClick);
    connect(ui->Print, &QToolButton::clicked, this, &TKxPrw::PrintClick);
    connect(ui->Save, &QToolButton::clicked, this, &TKxPrw::SaveClick);
    connect(ui->BuClose, &QToolButton::clicked, this, &TKxPrw::BuCloseClick);
    AddShortcut(this, QKeySequence(Qt::Key_Home), ui->PageFirst);
    AddShortcut(this, QKeySequence(Qt::Key_PageUp), ui->PageAnt);
    AddShortcut(this, QKeySequence(Qt::Key_PageDown), ui->PageNext);
    AddShortcut(this, QKeySequence(Qt::Key_End), ui->PageLast);
    AddShortcut(this, QKeySequence::ZoomIn, ui->ZoomPlus);
    // Ctrl and the key that carries "+" unshifted on many layouts.
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_Equal), ui->ZoomPlus);
    AddShortcut(this, QKeySequence::ZoomOut, ui->ZoomMinus);
}

void TKxPrw::Retranslate() {
    TKxForm::Retranslate();
    SaveImage->setNameFilters(KxSaveFilters());
}

const TMetafile* TKxPrw::ShownPage() const {
    return ui->PreviewPaper->HasPage() ? ui->PreviewPaper->GetPage() : nullptr;
}

bool TKxPrw::NaturalSize(int& PW, int& PH) const {
    const TMetafile* page = ShownPage();
    if (!page) return false;
    PW = page->Width();
    PH = page->Height();
    return true;
}

void TKxPrw::showEvent(QShowEvent* event) {
    TKxForm::showEvent(event);
    // A window restored from the task bar is shown again without starting over.
    if (event->spontaneous()) return;
    if (GetLab() && GetLab()->GetTotalPages() > 0) ShowPage(1);
    ShowAllClick();
    CheckButtons();
}

bool TKxPrw::eventFilter(QObject* Watched, QEvent* event) {
    if (Watched == ui->BackScroll && event->type() == QEvent::Resize) ShowAllClick();
    return TKxForm::eventFilter(Watched, event);
}

void TKxPrw::ShowPage(int N) {
    FPageNum = N;
    // A page number out of range shows nothing; so does a sheet that cannot be drawn, whose error is
    // reported now that it is asked for. The page shown is the window's to keep, whatever the control
    // does with its pages meanwhile.
    std::shared_ptr<const TMetafile> page;
    if (GetLab()) Guarded([&] { page = GetLab()->SharedPage(N); });
    ui->PreviewPaper->SetPage(std::move(page));
    CheckButtons();
}

void TKxPrw::PageLastClick() {
    ShowPage(GetLab() ? static_cast<int>(std::min<int64_t>(GetLab()->GetTotalPages(), INT32_MAX)) : 0);
}

void TKxPrw::CheckButtons() {
    const int64_t count = GetLab() ? GetLab()->GetTotalPages() : 0;
    const bool any = count > 0;
    ui->PageFirst->setEnabled(any && FPageNum != 1);
    ui->PageAnt->setEnabled(any && FPageNum != 1);
    ui->PageNext->setEnabled(any && FPageNum != count);
    ui->PageLast->setEnabled(any && FPageNum != count);
    ui->AlignEdit1->setText(QStringLiteral("%1 - %2").arg(any ? FPageNum : 0).arg(count));
    FitCounter();
    const bool shown = ShownPage() != nullptr;
    for (QWidget* w : {ui->ShowAll, ui->ShowWidth, ui->ZoomMinus, ui->ZoomPlus, ui->Save})
        w->setEnabled(shown);
    ui->Print->setEnabled(GetLab() != nullptr);
}

void TKxPrw::FitCounter() {
    // A long run's counter ("47620 - 47620") is wider than the box designed for it: the box grows and
    // what lies to its right on the tool bar moves along, so no digit is cut off.
    QLineEdit& counter = *ui->AlignEdit1;
    const int need = counter.fontMetrics().horizontalAdvance(counter.text()) + 12;
    const int wider = std::max(need - KxCounterWidth, 0) - FCounterExtra;
    if (wider == 0) return;
    const int right = counter.geometry().right();
    for (QWidget* w : counter.parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->x() > right) w->move(w->x() + wider, w->y());
    counter.resize(counter.width() + wider, counter.height());
    FCounterExtra += wider;
}

void TKxPrw::ShowAllClick() {
    if (!ShownPage()) return;
    AdjustRect();
    FZoomValue = 100;
}

void TKxPrw::AdjustRect() {
    int pw = 0, ph = 0;
    if (!NaturalSize(pw, ph)) return;
    PlacePaper(KxFitPaper(ui->BackScroll->width(), ui->BackScroll->height(), pw, ph));
}

void TKxPrw::ShowWidthClick() {
    int pw = 0, ph = 0;
    if (NaturalSize(pw, ph)) SetZoom(KxWidthZoom(ui->BackScroll->width(), pw));
}

void TKxPrw::ZoomMinusClick() {
    SetZoom(FZoomValue - KxPrevZoomStep);
}

void TKxPrw::ZoomPlusClick() {
    SetZoom(FZoomValue + KxPrevZoomStep);
}

void TKxPrw::SetZoom(int Z) {
    int pw = 0, ph = 0;
    if (Z == FZoomValue || !NaturalSize(pw, ph)) return;
    FZoomValue = KxLimitZoom(Z);
    ui->BackScroll->horizontalScrollBar()->setValue(0);
    ui->BackScroll->verticalScrollBar()->setValue(0);
    const QSize client = ui->BackScroll->viewport()->size();
    PlacePaper(KxZoomPaper(FZoomValue, pw, ph, client.width(), client.height()));
}

void TKxPrw::PlacePaper(const QRect& R) {
    QScrollArea& scroll = *ui->BackScroll;
    const QSize extent(R.x() + R.width(), R.y() + R.height());
    // Scroll bars would otherwise keep the room they took for a larger sheet, since they follow a
    // new range only after the event loop turns.
    const bool fits = extent.width() <= scroll.width() && extent.height() <= scroll.height();
    scroll.setHorizontalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    scroll.setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    ui->pnPaper->setGeometry(R);
    ui->BackSheet->resize(extent);
}

void TKxPrw::PrintClick() {
    if (!GetLab()) return;
    Guarded([this] {
        const TBusyCursor busy;
        GetLab()->Print();
    });
}

void TKxPrw::SaveClick() {
    if (!ShownPage() || SaveImage->exec() != QDialog::Accepted) return;
    // A filter chosen other than through the list sends no signal.
    const int filter = KxSaveFilters().indexOf(SaveImage->selectedNameFilter());
    FilterChosen(filter);
    const QStringList files = SaveImage->selectedFiles();
    if (!files.isEmpty()) SavePage(files.first(), filter);
}

void TKxPrw::FilterChosen(int Index) {
    const int index = std::clamp<int>(Index, 0, static_cast<int>(std::size(KxSaveFormats)) - 1);
    SaveImage->setDefaultSuffix(QLatin1String(KxSaveFormats[index].Extension));
}

void TKxPrw::SavePage(const QString& FileName, int FilterIndex) {
    const TMetafile* page = ShownPage();
    if (!page) return;
    const QString name = KxWithSaveExtension(FileName, FilterIndex);
    const std::optional<TMetafileFormat> format = KxSaveFormatOf(name);
    if (!format) {
        ShowMessage(tr("%1: a page is saved as .emf, .bmp, .pdf, .png or .svg; nothing was written.")
                        .arg(QDir::toNativeSeparators(name)));
        return;
    }
    Guarded([&] { page->SaveToFile(name, *format, KxSavedPageDpi(*page)); });
}

// Compiled here, where the form class is complete.
#include "moc_KxPrev.cpp"

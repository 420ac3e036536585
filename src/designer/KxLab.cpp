#include "designer/KxLab.h"

#include <algorithm>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>

#include "db/Table.h"
#include "designer/KxClipboard.h"
#include "elements/KxElement.h"
#include "gdi/Bitmap.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxRulers.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"

namespace {
constexpr int RulerDepth = 20;
}

TKxLab::TKxLab(QWidget* parent)
    : QWidget(parent)
    , FBackSurf(std::make_unique<TKxBackSurf>(this))
    , FFrame(std::make_unique<TKxFrame>(this))
    , FMeasure(std::make_unique<TKxMeasure>(this))
    , FGrid(std::make_unique<TKxGrid>(this))
    , FRulers(std::make_unique<TKxRulers>(this))
    , FPrintInfo(std::make_unique<TKxPrintInfo>(this))
    , FTable(std::make_unique<TTable>())
    , FLabScreen(std::make_unique<TBitmap>())
    , FTopRuler(std::make_unique<TBitmap>())
    , FLeftRuler(std::make_unique<TBitmap>())
    , FRulerCorner(std::make_unique<TBitmap>())
    , FHBar(new QScrollBar(Qt::Horizontal, this))
    , FVBar(new QScrollBar(Qt::Vertical, this)) {
    FRulerCorner->SetSize(RulerDepth, RulerDepth);
    // The surface is always painted whole from the off-screen bitmap: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    FHBar->hide();
    FVBar->hide();
    ConnectBar(FHBar, true);
    ConnectBar(FVBar, false);
    resize(160, 120);
}

TKxLab::~TKxLab() {
    // Elements first: they point at this control. The clipboard goes with any control, so no
    // record outlives the designer it came from.
    FSelected = nullptr;
    FElements.clear();
    KxClipboard().Clear();
    ClearPages();
}

void TKxLab::BeginLoad() {
    ++FLoadDepth;
}

void TKxLab::EndLoad() {
    if (FLoadDepth == 0) return;
    if (--FLoadDepth == 0) Loaded();
}

void TKxLab::Loaded() {
    DrawAll(duBoth);
    Paint();
}

void TKxLab::CreateWnd() {
    FWindowCreated = true;
    SetParams(FH, FHBar, FH.Pos, FH.Min, FH.Max);
    SetParams(FV, FVBar, FV.Pos, FV.Min, FV.Max);
    AdjustScroll();
    AdjustAligns();
    DrawAll(duBoth);
}

void TKxLab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!FWindowCreated) CreateWnd();
}

void TKxLab::resizeEvent(QResizeEvent* event) {
    FLabScreen->SetSize(width(), height());
    FTopRuler->SetSize(width(), RulerDepth);
    FLeftRuler->SetSize(RulerDepth, height());
    AdjustScroll();
    FlipLabScreen(duBoth);
    QWidget::resizeEvent(event);
}

void TKxLab::SetUnits(TKxUnits Value) {
    FUnits = Value;
    AdjustScroll();
    FlipLabScreen(duBoth);
}

void TKxLab::SetZoom(TKxZoom Value) {
    if (Value == FZoom) return;
    FZoom = Value;
    ClearSelection();
    AdjustScroll();
    FlipLabScreen(duBoth);
}

void TKxLab::SetColor(TColor Value) {
    FColor = Value;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(Value));
    setPalette(pal);
    FlipLabScreen(duBoth);
}

void TKxLab::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    // The border is part of the window's look: set the window up again as a new one would be.
    if (FWindowCreated) CreateWnd();
    update();
}

void TKxLab::SetShowMargins(bool Value) {
    if (Value == FShowMargins) return;
    FShowMargins = Value;
    PaintLabScreen(true);
}

void TKxLab::SetSnap(TKxSnap Value) {
    FSnap = Value;
}

void TKxLab::SetDaBa(bool Value) {
    FDaBa = Value;
}

void TKxLab::SetAllowEdit(bool Value) {
    FAllowEdit = Value;
}

void TKxLab::SetSelColor(TColor Value) {
    FSelColor = Value;
}

void TKxLab::SetDrawTool(TKxDrawTool Value) {
    if (Value == FDrawTool) return;
    FDrawTool = Value;
    FMarks.DragState = drNone;
}

void TKxLab::SetMeasure(TKxMeasure* Value) {
    if (Value) FMeasure->Assign(Value);
}

void TKxLab::SetFrame(TKxFrame* Value) {
    if (Value) FFrame->Assign(Value);
}

void TKxLab::SetGrid(TKxGrid* Value) {
    if (Value) FGrid->Assign(Value);
}

void TKxLab::SetBackSurf(TKxBackSurf* Value) {
    if (Value) FBackSurf->Assign(Value);
}

void TKxLab::SetRulers(TKxRulers* Value) {
    if (Value) FRulers->Assign(Value);
}

void TKxLab::SetPrintInfo(TKxPrintInfo* Value) {
    if (Value) FPrintInfo->Assign(Value);
}

void TKxLab::SetTable(const TTable* Value) {
    if (Value) FTable->Assign(*Value);
}

void TKxLab::AddElement(std::unique_ptr<TKxElement> E) {
    if (E) FElements.push_back(std::move(E));
}

bool TKxLab::RemoveElement(TKxElement* E) {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [E](const std::unique_ptr<TKxElement>& p) { return p.get() == E; });
    if (it == FElements.end()) return false;
    if (FSelected == E) FSelected = nullptr;
    FElements.erase(it);
    return true;
}

bool TKxLab::FindElement(const TPoint& P) {
    for (const auto& e : FElements) {
        if (e->PointInObject(P)) {
            FSelected = e.get();
            return true;
        }
    }
    return false;
}

bool TKxLab::ElementByID(const QString& ID) {
    for (const auto& e : FElements) {
        if (e->ID == ID) {
            FSelected = e.get();
            return true;
        }
    }
    return false;
}

void TKxLab::Clear() {
    FSelected = nullptr;
    FElements.clear();
    ClearSelection();
    PaintLabScreen(true);
}

TKxElement* TKxLab::Element(int Index) const {
    if (Index < 0 || Index >= ElementCount()) return nullptr;
    return FElements[static_cast<size_t>(Index)].get();
}

void TKxLab::SetRawLabelSize(int32_t Width, int32_t Height) {
    FMeasure->FWidth = Width;
    FMeasure->FHeight = Height;
}

void TKxLab::SetRawGridSteps(int32_t IncX, int32_t IncY) {
    FGrid->FIncX = IncX;
    FGrid->FIncY = IncY;
}

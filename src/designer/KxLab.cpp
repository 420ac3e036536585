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

namespace {
constexpr int RulerDepth = 20;
}

TKxLab::TKxLab(QWidget* parent)
    : QWidget(parent)
    , FLabel(std::make_unique<TKxLabel>(this))
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
    // Elements first: they point at this control's label. The clipboard goes with any control, so
    // no record outlives the designer it came from.
    FSelected = nullptr;
    FLabel->ClearElements();
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
    FLabel->SetUnits(Value);
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
    if (Value == GetShowMargins()) return;
    FLabel->SetShowMargins(Value);
    PaintLabScreen(true);
}

void TKxLab::SetSnap(TKxSnap Value) {
    FLabel->SetSnap(Value);
}

void TKxLab::SetDaBa(bool Value) {
    FLabel->SetDaBa(Value);
}

void TKxLab::SetAllowEdit(bool Value) {
    FAllowEdit = Value;
}

void TKxLab::SetSelColor(TColor Value) {
    FLabel->SetSelColor(Value);
}

void TKxLab::SetDrawTool(TKxDrawTool Value) {
    if (Value == FDrawTool) return;
    FDrawTool = Value;
    FMarks.DragState = drNone;
}

void TKxLab::SetMeasure(TKxMeasure* Value) {
    if (Value) GetMeasure()->Assign(Value);
}

void TKxLab::SetFrame(TKxFrame* Value) {
    if (Value) GetFrame()->Assign(Value);
}

void TKxLab::SetGrid(TKxGrid* Value) {
    if (Value) GetGrid()->Assign(Value);
}

void TKxLab::SetBackSurf(TKxBackSurf* Value) {
    if (Value) GetBackSurf()->Assign(Value);
}

void TKxLab::SetRulers(TKxRulers* Value) {
    if (Value) GetRulers()->Assign(Value);
}

void TKxLab::SetPrintInfo(TKxPrintInfo* Value) {
    if (Value) GetPrintInfo()->Assign(Value);
}

void TKxLab::SetTable(const TTable* Value) {
    if (Value) GetTable()->Assign(*Value);
}

void TKxLab::AddElement(std::unique_ptr<TKxElement> E) {
    FLabel->AddElement(std::move(E));
}

bool TKxLab::RemoveElement(TKxElement* E) {
    return FLabel->RemoveElement(E);
}

bool TKxLab::FindElement(const TPoint& P) {
    TKxElement* e = FLabel->ElementAt(P);
    if (e) FSelected = e;
    return e != nullptr;
}

bool TKxLab::ElementByID(const QString& ID) {
    TKxElement* e = FLabel->ElementWithID(ID);
    if (e) FSelected = e;
    return e != nullptr;
}

void TKxLab::Clear() {
    FLabel->ClearElements();
    ClearSelection();
    PaintLabScreen(true);
}

TKxElement* TKxLab::Element(int Index) const {
    return FLabel->Element(Index);
}

void TKxLab::ElementRemoved(const TKxElement* E) {
    if (!E || E == FSelected) FSelected = nullptr;
}

void TKxLab::MarginColorChanged() {
    if (GetShowMargins()) Paint();
}

void TKxLab::RulersShown(bool Visible) {
    FOrigin = Visible ? 30 : 10;
}

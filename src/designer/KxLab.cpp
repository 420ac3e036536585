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
#include "label/KxPreviewPages.h"
#include "label/KxPrintInfo.h"
#include "label/KxRulers.h"
#include "metafile/Metafile.h"

namespace {
constexpr int RulerDepth = 20;
}

TKxLab::TKxLab(QWidget* parent)
    : QWidget(parent)
    , FLabel(std::make_unique<TKxLabel>())
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
    // What a host or a form sets up before the control is first shown is not an undo step.
    FLabel->SetRecording(false);
    connect(FLabel.get(), &TKxLabel::SettingsChanged, this, &TKxLab::SettingsChanged);
    connect(FLabel.get(), &TKxLabel::ElementRemoving, this, &TKxLab::ElementRemoving);
    connect(FLabel.get(), &TKxLabel::ElementAdded, this, &TKxLab::ElementsChanged);
    connect(FLabel.get(), &TKxLabel::ElementChanged, this, &TKxLab::ElementsChanged);
    connect(FLabel.get(), &TKxLabel::ElementsReordered, this, &TKxLab::ElementsChanged);
    connect(FLabel.get(), &TKxLabel::Replacing, this, [this] {
        FSelectedIndex = FLabel->IndexOf(FSelected);
        FSelectionIndices.clear();
        for (const TKxElement* e : FSelection)
            FSelectionIndices.push_back(FLabel->IndexOf(e));
    });
    connect(FLabel.get(), &TKxLabel::Replaced, this, &TKxLab::LabelReplaced);
    resize(160, 120);
}

TKxLab::~TKxLab() {
    // The label goes with the control, quietly: nothing it does now is a change anyone must hear of.
    // The clipboard goes with any control, so no record outlives the designer it came from.
    FLabel->blockSignals(true);
    FLabel->SetRecording(false);
    FSelected = nullptr;
    FSelection.clear();
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
    if (!FWindowCreated) FLabel->SetRecording(true);
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
    // The label signals the change, and the view adjusts and repaints.
    FLabel->SetUnits(Value);
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
    FLabel->SetShowMargins(Value);
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

bool TKxLab::Picks(const TKxElement& E, const TPoint& P) const {
    return E.PointInObject(P, ScreenMap());
}

TKxElement* TKxLab::ElementAt(const TPoint& P) const {
    for (int i = 0; i < FLabel->ElementCount(); ++i)
        if (TKxElement* e = FLabel->Element(i); Picks(*e, P)) return e;
    return nullptr;
}

TKxElement* TKxLab::NextElementAt(const TPoint& P) const {
    TKxElement* first = nullptr;
    bool behindCurrent = false;
    for (int i = 0; i < FLabel->ElementCount(); ++i) {
        TKxElement* e = FLabel->Element(i);
        if (!Picks(*e, P)) continue;
        if (behindCurrent) return e;
        if (!first) first = e;
        behindCurrent = e == FSelected;
    }
    return first;
}

bool TKxLab::FindElement(const TPoint& P) {
    TKxElement* e = ElementAt(P);
    if (e) SetCurrent(e);
    return e != nullptr;
}

bool TKxLab::ElementByID(const QString& ID) {
    TKxElement* e = FLabel->ElementWithID(ID);
    if (e) SetCurrent(e);
    return e != nullptr;
}

void TKxLab::Clear() {
    FLabel->ClearElements();
    ClearSelection();
    PaintLabScreen(true);
}

void TKxLab::ElementRemoving(const TKxElement* E) {
    if (!E) {
        SetCurrent(nullptr);
    } else if (IsSelected(E)) {
        std::vector<TKxElement*> rest = FSelection;
        std::erase(rest, E);
        // The one selected last before it takes over; nothing when it stood alone.
        SetSelection(rest, E == FSelected ? (rest.empty() ? nullptr : rest.back()) : FSelected);
    }
    ElementsChanged();
}

void TKxLab::ElementsChanged() {
    // Commands of the view recompose the surface themselves; a host's change shows at the next paint.
    FSurfaceStale = true;
    update();
}

void TKxLab::LabelReplaced(bool Restored) {
    // An undone step keeps the element the user was working on selected.
    std::vector<TKxElement*> kept;
    if (Restored)
        for (const int i : FSelectionIndices)
            if (TKxElement* e = FLabel->Element(i)) kept.push_back(e);
    SetSelection(kept, Restored ? FLabel->Element(FSelectedIndex) : nullptr);
    ClearSelection();
    AdjustScroll();
    AdjustAligns();
    FlipLabScreen(duBoth);
    if (FSelected) AdjustHandle();
}

void TKxLab::SettingsChanged(const TKxSettingsChange& Change) {
    switch (Change.Kind) {
    case TKxSettingsChange::scNone: break;
    case TKxSettingsChange::scScroll: AdjustScroll(); break;
    case TKxSettingsChange::scFlip: FlipLabScreen(Change.Which); break;
    case TKxSettingsChange::scPaint: PaintLabScreen(Change.Repaint); break;
    case TKxSettingsChange::scAligns: AdjustAligns(); break;
    case TKxSettingsChange::scMarginColor:
        if (GetShowMargins()) Paint();
        break;
    case TKxSettingsChange::scRulersShown: FOrigin = Change.Repaint ? 30 : 10; break;
    }
}

#include "label/KxLabel.h"

#include <algorithm>

#include "base/Messages.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "elements/KxElement.h"
#include "label/KxAlias.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxLabelView.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxRulers.h"
#include "print/Printer.h"

TKxLabel::TKxLabel(TKxLabelView* View)
    : FView(View)
    , FMeasure(std::make_unique<TKxMeasure>(this))
    , FFrame(std::make_unique<TKxFrame>(this))
    , FGrid(std::make_unique<TKxGrid>(this))
    , FBackSurf(std::make_unique<TKxBackSurf>(this))
    , FRulers(std::make_unique<TKxRulers>(this))
    , FPrintInfo(std::make_unique<TKxPrintInfo>(this))
    , FTable(std::make_unique<TTable>())
    , FAlias(std::make_unique<TKxAlias>(this)) {}

TKxLabel::~TKxLabel() {
    // Elements first: they point at this label.
    FElements.clear();
}

void TKxLabel::SetStock(const QString& Maker, const QString& Part) {
    FStockMaker = Maker;
    FStockPart = Part;
}

void TKxLabel::AddElement(std::unique_ptr<TKxElement> E) {
    if (E) FElements.push_back(std::move(E));
}

bool TKxLabel::RemoveElement(TKxElement* E) {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [E](const std::unique_ptr<TKxElement>& p) { return p.get() == E; });
    if (it == FElements.end()) return false;
    if (FView) FView->ElementRemoved(E);
    FElements.erase(it);
    return true;
}

void TKxLabel::ClearElements() {
    if (FView) FView->ElementRemoved(nullptr);
    FElements.clear();
}

TKxElement* TKxLabel::Element(int Index) const {
    if (Index < 0 || Index >= ElementCount()) return nullptr;
    return FElements[static_cast<size_t>(Index)].get();
}

TKxElement* TKxLabel::ElementAt(const TPoint& P) const {
    for (const auto& e : FElements)
        if (e->PointInObject(P)) return e.get();
    return nullptr;
}

TKxElement* TKxLabel::ElementWithID(const QString& ID) const {
    for (const auto& e : FElements)
        if (e->ID == ID) return e.get();
    return nullptr;
}

bool TKxLabel::ExchangeWithEnd(const TKxElement* E, bool Front) {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [E](const std::unique_ptr<TKxElement>& p) { return p.get() == E; });
    if (it == FElements.end()) return false;
    std::iter_swap(it, Front ? FElements.begin() : FElements.end() - 1);
    return true;
}

bool TKxLabel::ValidData() {
    FDataValid = false;
    if (!FDaBa) return false;
    if (FTable->DatabaseName().isEmpty() || FTable->TableName().isEmpty()) return false;
    try {
        FTable->SetFiltered(true);
        FTable->Open();
    } catch (const EDBEngineError& e) {
        ShowMessage(e.Message());
        return false;
    }
    FDataValid = true;
    return true;
}

void TKxLabel::CloseData() {
    FTable->Close();
    FDataValid = false;
}

void TKxLabel::DrawElements(const TPoint& Origin, TKxDrawType DrawType, bool WithData) {
    // Index 0 is the front-most element: painted last, over everything behind it.
    for (auto it = FElements.rbegin(); it != FElements.rend(); ++it)
        (*it)->Draw(Origin, DrawType, WithData);
}

void TKxLabel::SetRunCanvas(TKxDrawType DrawType, TCanvas* Canvas) {
    if (DrawType == tdPrint) FPrintCanvas = Canvas;
    if (DrawType == tdPreview) FPreviewCanvas = Canvas;
}

TCanvas* TKxLabel::GetCanvas(TKxDrawType DrawType) {
    switch (DrawType) {
    case tdLab: return FView ? FView->GetCanvas(tdLab) : nullptr;
    // Outside a run, paper is the application's printer, as a host drawing on it expects.
    case tdPrint: return FPrintCanvas ? FPrintCanvas : &Printer().Canvas();
    case tdPreview: return FPreviewCanvas;
    }
    return nullptr;
}

int32_t TKxLabel::GetGuideLeft() const {
    return FBackSurf->AlignLeftLU();
}

int32_t TKxLabel::GetGuideTop() const {
    return FBackSurf->AlignTopLU();
}

int32_t TKxLabel::WindowX(int32_t x) const {
    return FView ? FView->WindowX(x) : x;
}

int32_t TKxLabel::WindowY(int32_t y) const {
    return FView ? FView->WindowY(y) : y;
}

int32_t TKxLabel::GetScale() const {
    return FView ? FView->GetScale() : 1;
}

void TKxLabel::PropTxt() {
    if (FView) FView->PropTxt();
}

void TKxLabel::PropAdTxt() {
    if (FView) FView->PropAdTxt();
}

void TKxLabel::PropPar() {
    if (FView) FView->PropPar();
}

void TKxLabel::PropBar() {
    if (FView) FView->PropBar();
}

void TKxLabel::PropSymbol() {
    if (FView) FView->PropSymbol();
}

void TKxLabel::PropLin() {
    if (FView) FView->PropLin();
}

void TKxLabel::PropRect() {
    if (FView) FView->PropRect();
}

void TKxLabel::PropImage(bool IsNew) {
    if (FView) FView->PropImage(IsNew);
}

void TKxLabel::AdjustScroll() {
    if (FView) FView->AdjustScroll();
}

void TKxLabel::FlipLabScreen(TKxDrawRuler Which) {
    if (FView) FView->FlipLabScreen(Which);
}

void TKxLabel::PaintLabScreen(bool Repaint) {
    if (FView) FView->PaintLabScreen(Repaint);
}

void TKxLabel::AdjustAligns() {
    if (FView) FView->AdjustAligns();
}

void TKxLabel::MarginColorChanged() {
    if (FView) FView->MarginColorChanged();
}

void TKxLabel::ShapeChanged(TKxLabelType Shape) {
    FBackSurf->FitStyleToShape(Shape);
}

void TKxLabel::RulersShown(bool Visible) {
    if (FView) FView->RulersShown(Visible);
}

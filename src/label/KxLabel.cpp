#include "label/KxLabel.h"

#include <algorithm>
#include <QUndoStack>

#include "base/Messages.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "elements/KxElement.h"
#include "label/KxAlias.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxLabelHistory.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxRulers.h"
#include "types/KxStepNames.h"

TKxLabel::TKxLabel(QObject* parent)
    : QObject(parent)
    , FMeasure(std::make_unique<TKxMeasure>(this))
    , FFrame(std::make_unique<TKxFrame>(this))
    , FGrid(std::make_unique<TKxGrid>(this))
    , FBackSurf(std::make_unique<TKxBackSurf>(this))
    , FRulers(std::make_unique<TKxRulers>(this))
    , FPrintInfo(std::make_unique<TKxPrintInfo>(this))
    , FTable(std::make_unique<TTable>())
    , FAlias(std::make_unique<TKxAlias>(this))
    , FUndo(std::make_unique<QUndoStack>())
    , FHistory(std::make_unique<TKxLabelHistory>(
          *FUndo, [this] { return Record(); }, [this](const QByteArray& R) { RestoreRecord(R); })) {
    FHistory->Reset();
}

TKxLabel::~TKxLabel() {
    // The steps and then the elements first: they point at this label. Nobody hears of it: whoever
    // listens to the stack may be half destroyed with the label's owner.
    FUndo->blockSignals(true);
    FUndo->clear();
    FElements.clear();
}

void TKxLabel::SetStock(const QString& Maker, const QString& Part) {
    if (Maker == FStockMaker && Part == FStockPart) return;
    FStockMaker = Maker;
    FStockPart = Part;
    Settings({TKxSettingsChange::scNone});
}

void TKxLabel::SetUnits(TKxUnits Value) {
    FUnits = Value;
    Settings({TKxSettingsChange::scScroll});
    Settings({TKxSettingsChange::scFlip, duBoth});
}

void TKxLabel::SetSnap(TKxSnap Value) {
    if (Value == FSnap) return;
    FSnap = Value;
    Settings({TKxSettingsChange::scNone});
}

void TKxLabel::SetShowMargins(bool Value) {
    if (Value == FShowMargins) return;
    FShowMargins = Value;
    Settings({TKxSettingsChange::scPaint, duBoth, true});
}

void TKxLabel::SetSelColor(TColor Value) {
    if (Value == FSelColor) return;
    FSelColor = Value;
    Settings({TKxSettingsChange::scNone});
}

void TKxLabel::SetDaBa(bool Value) {
    if (Value == FDaBa) return;
    FDaBa = Value;
    NotifyBinding();
}

void TKxLabel::AddElement(std::unique_ptr<TKxElement> E) {
    InsertElement(ElementCount(), std::move(E));
}

void TKxLabel::InsertElement(int Index, std::unique_ptr<TKxElement> E) {
    if (!E) return;
    TKxElement* raw = E.get();
    FElements.insert(FElements.begin() + std::clamp(Index, 0, ElementCount()), std::move(E));
    emit ElementAdded(raw);
    Touched(KxStepName(TKxStep::Add));
}

bool TKxLabel::RemoveElement(TKxElement* E) {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [E](const std::unique_ptr<TKxElement>& p) { return p.get() == E; });
    if (it == FElements.end()) return false;
    emit ElementRemoving(E);
    FElements.erase(it);
    Touched(KxStepName(TKxStep::Delete));
    return true;
}

void TKxLabel::ClearElements() {
    if (FElements.empty()) return;
    emit ElementRemoving(nullptr);
    FElements.clear();
    Touched(KxStepName(TKxStep::Delete));
}

TKxElement* TKxLabel::Element(int Index) const {
    if (Index < 0 || Index >= ElementCount()) return nullptr;
    return FElements[static_cast<size_t>(Index)].get();
}

int TKxLabel::IndexOf(const TKxElement* E) const {
    for (size_t i = 0; i < FElements.size(); ++i)
        if (FElements[i].get() == E) return static_cast<int>(i);
    return -1;
}

TKxElement* TKxLabel::ElementWithID(const QString& ID) const {
    for (const auto& e : FElements)
        if (e->ID == ID) return e.get();
    return nullptr;
}

bool TKxLabel::ExchangeWithEnd(const TKxElement* E, bool Front) {
    const int i = IndexOf(E);
    if (i < 0) return false;
    std::iter_swap(FElements.begin() + i, Front ? FElements.begin() : FElements.end() - 1);
    emit ElementsReordered();
    Touched(KxStepName(TKxStep::Order));
    return true;
}

bool TKxLabel::MoveElement(const TKxElement* E, int Index) {
    const int from = IndexOf(E);
    if (from < 0) return false;
    const int to = std::clamp(Index, 0, ElementCount() - 1);
    if (to == from) return true;
    auto first = FElements.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    emit ElementsReordered();
    Touched(KxStepName(TKxStep::Order));
    return true;
}

void TKxLabel::NotifyElement(TKxElement* E) {
    emit ElementChanged(E);
    Touched(KxStepName(TKxStep::Change));
}

void TKxLabel::NotifyBinding() {
    emit BindingChanged();
    Touched(KxStepName(TKxStep::Database));
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

void TKxLabel::DrawElements(const TPoint& Origin, const TKxDrawContext& C) const {
    // Index 0 is the front-most element: painted last, over everything behind it.
    for (auto it = FElements.rbegin(); it != FElements.rend(); ++it)
        (*it)->Draw(Origin, C);
}

int32_t TKxLabel::GetGuideLeft() const {
    return FBackSurf->AlignLeftLU();
}

int32_t TKxLabel::GetGuideTop() const {
    return FBackSurf->AlignTopLU();
}

void TKxLabel::AdjustScroll() {
    Settings({TKxSettingsChange::scScroll});
}

void TKxLabel::FlipLabScreen(TKxDrawRuler Which) {
    Settings({TKxSettingsChange::scFlip, Which});
}

void TKxLabel::PaintLabScreen(bool Repaint) {
    Settings({TKxSettingsChange::scPaint, duBoth, Repaint});
}

void TKxLabel::AdjustAligns() {
    Settings({TKxSettingsChange::scAligns});
}

void TKxLabel::MarginColorChanged() {
    Settings({TKxSettingsChange::scMarginColor});
}

void TKxLabel::ShapeChanged(TKxLabelType Shape) {
    FBackSurf->FitStyleToShape(Shape);
}

void TKxLabel::RulersShown(bool Visible) {
    Settings({TKxSettingsChange::scRulersShown, duBoth, Visible});
}

void TKxLabel::Settings(const TKxSettingsChange& Change) {
    emit SettingsChanged(Change);
    Touched(KxStepName(TKxStep::Settings));
}

void TKxLabel::Touched(const QString& Name) {
    // Settings objects signal while the label is being built, before it has a history.
    if (!FHistory || FStepDepth > 0 || !FRecording || FHistory->Restoring()) return;
    FHistory->Commit(Name);
}

void TKxLabel::BeginStep(const QString& Name) {
    if (FStepDepth++ == 0) FStepName = Name;
}

void TKxLabel::EndStep() {
    if (FStepDepth == 0) return;
    // An undo or redo restores through steps of its own: they record nothing.
    if (--FStepDepth == 0 && FRecording && !FHistory->Restoring()) FHistory->Commit(FStepName);
}

void TKxLabel::CancelStep() {
    if (FStepDepth == 0) return;
    FStepDepth = 0;
    if (FRecording && !FHistory->Restoring()) FHistory->Revert();
}

void TKxLabel::DropStep() {
    FStepDepth = 0;
    FHistory->Reset();
}

void TKxLabel::ResetHistory() {
    FHistory->Reset();
}

void TKxLabel::SetRecording(bool Value) {
    if (Value == FRecording) return;
    FRecording = Value;
    if (FRecording) FHistory->Reset();
}

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <QMouseEvent>
#include <utility>
#include <vector>

#include "base/Rounding.h"
#include "designer/KxClipboard.h"
#include "designer/KxDialogHost.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "label/KxBackSurf.h"
#include "label/KxGrid.h"
#include "label/KxRulers.h"
#include "types/KxStepNames.h"

namespace {

TPoint EventPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

// The grid point nearest to a label coordinate, saturated to what a pixel mapping can take.
int32_t NearestGridPoint(int32_t Coord, int32_t Step) {
    const int64_t n = Round(static_cast<Extended>(Coord) / Step);
    return static_cast<int32_t>(std::clamp<int64_t>(n * Step, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The corner of a moved outline that holds an element's first point: the text of a turned element
// starts at the corner the turn brought its top-left to. Null for an angle that has none.
const TPoint* AnchorCorner(int32_t Angle, const TPoint (&Corners)[4]) {
    switch (Angle) {
    case 0: return &Corners[0];
    case 90: return &Corners[1];
    case 180: return &Corners[2];
    case 270: return &Corners[3];
    default: return nullptr;
    }
}

TKxDrag DragStateOf(TKxEle Kind) {
    switch (Kind) {
    case deLine: return drLine;
    case deRect:
    case deImage:
    case deParagraph: return drSizes;
    default: return drObject;
    }
}

// The kind a point tool places, or dePoint for a tool that does not place at a point.
TKxEle PointToolKind(TKxDrawTool Tool) {
    switch (Tool) {
    case dwText: return deText;
    case dwBarCode: return deBar;
    case dwSymbol: return deSymbol;
    case dwAddText: return dePoliText;
    default: return dePoint;
    }
}

} // namespace

void TKxLab::ShowElementProp(bool IsNew) {
    if (!FSelected) return;
    TKxDialogHost& host = KxDialogHost();
    TKxUndoStep step(*FLabel, host.ElementStepName(*FSelected));
    if (!host.ElementProperties(*this, *FSelected, IsNew)) step.Cancel();
}

void TKxLab::ShowProp(int Page) {
    TKxDialogHost& host = KxDialogHost();
    TKxUndoStep step(*FLabel, host.LabelStepName());
    if (!host.LabelProperties(*this, Page)) step.Cancel();
}

void TKxLab::ShowPreviewWindow() {
    KxDialogHost().PreviewWindow(*this);
}

std::optional<TKxStock> TKxLab::ChooseStock() {
    return KxDialogHost().ChooseStock(*this);
}

void TKxLab::DoRightMouse(bool select, int X, int Y) {
    if (OnRightMouse) OnRightMouse(this, select, X, Y);
    emit RightMouse(this, select, X, Y);
}

void TKxLab::DoSelect() {
    if (OnSelect) OnSelect(this);
    emit Select(this);
}

void TKxLab::DoMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Buttons, Shift, X, Y);
    emit MouseMove(this, Buttons, Shift, X, Y);
}

void TKxLab::mousePressEvent(QMouseEvent* event) {
    if (!FAllowEdit) return;
    if (event->button() == Qt::LeftButton)
        LeftPress(EventPoint(event), event->modifiers());
    else if (event->button() == Qt::RightButton)
        RightPress(EventPoint(event));
}

void TKxLab::mouseMoveEvent(QMouseEvent* event) {
    const TPoint p = EventPoint(event);
    if (EditMove(p)) DoMouseMove(event->buttons(), event->modifiers(), p.X, p.Y);
}

void TKxLab::mouseReleaseEvent(QMouseEvent* event) {
    if (!FAllowEdit) return;
    const TPoint p = EventPoint(event);
    if (FMarks.GroupDrag) FinishGroupDrag();
    if (FMarks.Pressed) FinishDrag(p);
    if (FMarks.ShapeActive) FinishShape(p);
    if (FMarks.Banding) FinishBand(p);
    EndDragStep();
}

void TKxLab::BeginDragStep(TKxStep Step) {
    EndDragStep();
    FLabel->BeginStep(KxStepName(Step));
    FDragStep = true;
}

void TKxLab::EndDragStep() {
    if (!FDragStep) return;
    FDragStep = false;
    FLabel->EndStep();
}

void TKxLab::LeftPress(const TPoint& P, Qt::KeyboardModifiers Mods) {
    TKxMarks& m = FMarks;
    if (PtInRect(m.AlignLeftMark, P) || PtInRect(m.AlignTopMark, P)) {
        BeginDragStep(TKxStep::Move);
        m.Pressed = true;
        m.DragType = PtInRect(m.AlignLeftMark, P) ? dtAlignLeft : dtAlignTop;
        m.DragState = drAligns;
        return;
    }
    switch (FDrawTool) {
    case dwSelection: SelectionPress(P, Mods); return;
    case dwLine:
    case dwRect:
    case dwImage:
    case dwParagraph:
        // Nothing is drawn yet: the first move draws the band.
        m.ShapeActive = true;
        m.ShapeStart = m.ShapeEnd = P;
        return;
    default: break;
    }
    // Anchored at the press point itself: the grid snaps drags only.
    TKxUndoStep step(*FLabel, KxStepName(TKxStep::Add));
    TKxElement* e = NewElement(PointToolKind(FDrawTool));
    if (!e) return;
    e->P1 = {CoordX(P.X), CoordY(P.Y)};
    ShowElementProp(true);
}

void TKxLab::SelectionPress(const TPoint& P, Qt::KeyboardModifiers Mods) {
    if (Mods & Qt::AltModifier) {
        // Reaches the elements that lie beneath others, one press after another.
        if (TKxElement* e = NextElementAt(P)) {
            SetCurrent(e);
            DoSelect();
            ClearSelection();
            AdjustHandle();
        }
        return;
    }
    if (Mods & (Qt::ShiftModifier | Qt::ControlModifier)) {
        if (TKxElement* e = ElementAt(P)) {
            ToggleSelected(e);
            if (e == FSelected) DoSelect();
        } else {
            StartBand(P, true);
        }
        return;
    }
    if (FSelection.size() > 1) {
        // Any element of the selection carries the others along.
        if (TKxElement* e = ElementAt(P); e && IsSelected(e)) {
            if (e != FSelected) {
                SetSelection(FSelection, e);
                DoSelect();
            }
            StartGroupDrag(P);
            return;
        }
    } else if (FSelected && FSelected->Locked ? PtInRect(FMarks.SelRect, P) : GrabMark(P)) {
        // A locked element is selected by its outline, never grabbed.
        return;
    }
    if (FindElement(P)) {
        DoSelect();
        ClearSelection();
        AdjustHandle();
        return;
    }
    // A click that does not drag leaves the selection as it was.
    StartBand(P, false);
}

bool TKxLab::GrabMark(const TPoint& P) {
    // Marks are tested as they stand, stale or empty; an empty rectangle holds no point.
    TKxMarks& m = FMarks;
    const auto grab = [&](TKxDragType Type, TPoint Offset) {
        BeginDragStep(Type == dtMove || Type == dtPoint1 || Type == dtPoint2 ? TKxStep::Move
                                                                             : TKxStep::Resize);
        m.Pressed = true;
        m.Dragged = false;
        m.PressPoint = P;
        m.DragType = Type;
        m.GrabOffset = Offset;
        return true;
    };
    const auto grabLineEnd = [&](TKxDragType Type, const TRect& Grabbed, const TRect& Kept) {
        grab(Type, P - Grabbed.TopLeft());
        m.ShapeStart = m.ShapeEnd = Kept.TopLeft() + TPoint{3, 3};
        return true;
    };
    if (PtInRect(m.SelRect, P)) return grab(dtMove, P - m.SelRect.TopLeft());
    if (PtInRect(m.HandleLeft, P)) return grab(dtLeft, {P.X - m.SelRect.Left, 0});
    if (PtInRect(m.HandleRight, P)) return grab(dtRight, {P.X - m.SelRect.Right, 0});
    if (PtInRect(m.HandleTop, P)) return grab(dtTop, {0, P.Y - m.SelRect.Top});
    if (PtInRect(m.HandleBottom, P)) return grab(dtBottom, {0, P.Y - m.SelRect.Bottom});
    if (PtInRect(m.LineHandle1, P)) return grabLineEnd(dtPoint1, m.LineHandle1, m.LineHandle2);
    if (PtInRect(m.LineHandle2, P)) return grabLineEnd(dtPoint2, m.LineHandle2, m.LineHandle1);
    return false;
}

void TKxLab::RightPress(const TPoint& P) {
    bool select = false;
    const TKxScreenMap screen = ScreenMap();
    if (std::any_of(FSelection.begin(), FSelection.end(),
                    [&](const TKxElement* E) { return E->PointInObject(P, screen); })) {
        select = true;
    } else if (FSelected) {
        FMarks.ShapeActive = false;
        SetDrawTool(dwSelection);
        FMarks.DragState = drNone;
        ClearSelection();
        PaintLabScreen(true);
        SetCurrent(nullptr);
    }
    DoRightMouse(select, P.X, P.Y);
}

bool TKxLab::EditMove(const TPoint& P) {
    TKxMarks& m = FMarks;
    if (m.DragState == drAligns && m.Pressed) {
        DrawAligns(m.MousePos);
        m.MousePos = P;
        DrawAligns(m.MousePos);
        return false;
    }
    if (GetRulers()->GetVisible()) {
        PasteRulers1();
        m.MousePos = P;
        DrawMarks(m.MousePos);
    }
    HoverCursor(P);
    if (m.GroupDrag) {
        if (P != m.PressPoint) m.Dragged = true;
        const TPoint q = GridAdjust(P - m.GrabOffset);
        const auto outline = [&] {
            ToggleFigure(TKxOverlay::TKind::Frame, {m.GroupRect.TopLeft(), m.GroupRect.BottomRight()},
                         GetSelColor());
        };
        outline();
        MoveRect(m.GroupRect, q.X, q.Y);
        outline();
    }
    if (m.Banding) {
        const auto band = [&] {
            ToggleFigure(TKxOverlay::TKind::DottedFrame, {m.BandStart, m.BandEnd}, GetSelColor());
        };
        band();
        m.BandEnd = P;
        band();
    }
    if (m.Pressed) {
        if (P != m.PressPoint) m.Dragged = true;
        const TPoint q = GridAdjust(P - m.GrabOffset);
        // A snapped drag stands still while the pointer sits exactly on a grid point.
        const bool standing = q == P && GetSnap() == snGrid;
        const auto outline = [&] { DrawDrag(m.SelRect.TopLeft(), m.SelRect.BottomRight(), true); };
        switch (m.DragState) {
        case drLine: {
            if (standing) return false;
            if (m.DragType != dtPoint1 && m.DragType != dtPoint2) break;
            TRect& handle = m.DragType == dtPoint1 ? m.LineHandle1 : m.LineHandle2;
            const auto band = [&] {
                DrawDrag(m.ShapeStart, m.ShapeEnd, false);
                DrawDrag(handle.TopLeft(), handle.BottomRight(), true);
            };
            band();
            m.ShapeEnd = q;
            MoveRect(handle, q.X - 3, q.Y - 3);
            band();
            break;
        }
        case drObject:
            if (standing) return false;
            outline();
            MoveRect(m.SelRect, q.X, q.Y);
            outline();
            break;
        case drSizes:
            outline();
            switch (m.DragType) {
            case dtMove: MoveRect(m.SelRect, q.X, q.Y); break;
            case dtLeft: RectLeft(m.SelRect, q.X); break;
            case dtRight: RectRight(m.SelRect, q.X); break;
            case dtTop: RectTop(m.SelRect, q.Y); break;
            case dtBottom: RectBottom(m.SelRect, q.Y); break;
            default: break;
            }
            outline();
            break;
        default: break;
        }
    }
    if (m.ShapeActive) {
        DrawShape(m.ShapeStart, m.ShapeEnd);
        m.ShapeEnd = P;
        DrawShape(m.ShapeStart, m.ShapeEnd);
    }
    return true;
}

void TKxLab::HoverCursor(const TPoint& P) {
    const TKxMarks& m = FMarks;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (!m.Pressed) {
        // Later tests win.
        if (PtInRect(m.AlignLeftMark, P)) shape = Qt::SizeHorCursor;
        if (PtInRect(m.AlignTopMark, P)) shape = Qt::SizeVerCursor;
        if (PtInRect(m.SelRect, P)) shape = Qt::PointingHandCursor;
        if (m.DragState == drLine && (PtInRect(m.LineHandle1, P) || PtInRect(m.LineHandle2, P)))
            shape = Qt::PointingHandCursor;
        if (m.DragState == drSizes) {
            if (PtInRect(m.HandleLeft, P) || PtInRect(m.HandleRight, P)) shape = Qt::SizeHorCursor;
            if (PtInRect(m.HandleTop, P) || PtInRect(m.HandleBottom, P)) shape = Qt::SizeVerCursor;
        }
    }
    if (cursor().shape() != shape) setCursor(shape);
}

TPoint TKxLab::GridAdjust(const TPoint& P) const {
    if (GetSnap() != snGrid) return P;
    return {WindowX(NearestGridPoint(CoordX(P.X), GetGrid()->StepX())),
            WindowY(NearestGridPoint(CoordY(P.Y), GetGrid()->StepY()))};
}

void TKxLab::FinishDrag(const TPoint& P) {
    TKxMarks& m = FMarks;
    const auto label = [this](const TPoint& Pixel) { return TPoint{CoordX(Pixel.X), CoordY(Pixel.Y)}; };
    // A click on a mark moves nothing: writing its pixel position back would round the element
    // to the screen's pixel grid and shift it.
    const bool moved = m.Dragged || m.DragType == dtAlignLeft || m.DragType == dtAlignTop;
    if (moved) {
        switch (m.DragType) {
        case dtMove:
        case dtTop:
        case dtLeft:
        case dtBottom:
        case dtRight: {
            const TRect l = LabelRect();
            m.SelRect = NormalizeRect(m.SelRect, l.Left, l.Top, l.Right, l.Bottom);
            if (!FSelected) break;
            const TRect& r = m.SelRect;
            const TPoint corners[4] = {
                {r.Left, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}};
            if (const TPoint* anchor = AnchorCorner(FSelected->Angle, corners))
                FSelected->P1 = label(*anchor);
            if (m.DragState == drSizes) FSelected->P2 = label(r.BottomRight());
            FLabel->NotifyElement(FSelected);
            break;
        }
        case dtPoint1:
        case dtPoint2: {
            // Line ends are stored where they were released, even off the label.
            if (!FSelected) break;
            const bool first = m.DragType == dtPoint1;
            const TPoint end = label((first ? m.LineHandle1 : m.LineHandle2).TopLeft() + TPoint{3, 3});
            (first ? FSelected->P1 : FSelected->P2) = end;
            FLabel->NotifyElement(FSelected);
            break;
        }
        case dtAlignLeft: GetBackSurf()->SetAlignLeft(Worldx(P.X)); break;
        case dtAlignTop: GetBackSurf()->SetAlignTop(Worldy(P.Y)); break;
        default: break;
        }
    }
    m.Pressed = false;
    AdjustHandle();
}

void TKxLab::FinishShape(const TPoint& P) {
    TKxUndoStep step(*FLabel, KxStepName(TKxStep::Add));
    TKxMarks& m = FMarks;
    const TRect l = LabelRect();
    const TRect r =
        NormalizeRect({m.ShapeStart.X, m.ShapeStart.Y, P.X, P.Y}, l.Left, l.Top, l.Right, l.Bottom);
    const auto place = [this](TKxElement* E, const TPoint& A, const TPoint& B) {
        E->P1 = {CoordX(A.X), CoordY(A.Y)};
        E->P2 = {CoordX(B.X), CoordY(B.Y)};
    };
    switch (FDrawTool) {
    case dwLine:
        // A line keeps its direction and its length, however short, and may leave the label.
        if (TKxElement* e = NewElement(deLine)) place(e, m.ShapeStart, P);
        break;
    case dwRect:
        if (TKxElement* e = NewElement(deRect)) place(e, r.TopLeft(), r.BottomRight());
        break;
    case dwImage:
        if (TKxElement* e = NewElement(deImage)) {
            place(e, r.TopLeft(), r.BottomRight());
            ShowElementProp(true);
        }
        break;
    case dwParagraph:
        if (NewElement(deParagraph)) {
            place(FSelected, r.TopLeft(), r.BottomRight());
            ShowElementProp(true);
        }
        break;
    default: break;
    }
    // No marks: a new shape shows its outline once it is clicked, or when its dialog adjusts it.
    m.ShapeActive = false;
    PaintLabScreen(true);
}

void TKxLab::DrawnDefaults(TKxElement&) const {}

TKxElement* TKxLab::NewElement(TKxEle Kind) {
    std::unique_ptr<TKxElement> e = TKxElementFactory::Create(Kind, FLabel.get());
    if (!e) return nullptr;
    DrawnDefaults(*e);
    TKxElement* raw = e.get();
    AddElement(std::move(e));
    SetCurrent(raw);
    return raw;
}

void TKxLab::SelectElement(TKxElement* E) {
    if (E && FLabel->IndexOf(E) < 0) return;
    SetCurrent(E);
    ClearSelection();
    if (E) {
        AdjustHandle();
        return;
    }
    FMarks.DragState = drNone;
    PaintLabScreen(true);
}

void TKxLab::AdjustHandle() {
    PaintLabScreen(false);
    PlaceMarks();
    Paint();
}

void TKxLab::PlaceMarks() {
    if (!FSelected) return;
    TKxMarks& m = FMarks;
    if (FSelection.size() > 1) {
        // Several move only together: no handle resizes one of them.
        m.ClearHandles();
        m.DragState = drObject;
        m.SelRect = ElementBox(*FSelected);
        for (const TKxElement* e : FSelection)
            if (e != FSelected) m.GroupMarks.push_back(ElementBox(*e));
        return;
    }
    m.DragState = DragStateOf(FSelected->ElementType());
    if (m.DragState == drLine) {
        m.LineHandle1 = TKxMarks::LineHandleAround({WindowX(FSelected->P1.X), WindowY(FSelected->P1.Y)});
        m.LineHandle2 = TKxMarks::LineHandleAround({WindowX(FSelected->P2.X), WindowY(FSelected->P2.Y)});
    } else {
        // Bounds are those of the recomposition just done.
        m.SelRect = FSelected->Bounds;
        if (m.DragState == drSizes) m.PlaceSizeHandles(m.SelRect.TopLeft(), m.SelRect.BottomRight());
    }
}

void TKxLab::CopyElement() {
    QList<QByteArray> records;
    for (const TKxElement* e : SelectedElements())
        records << TKxElementFactory::Record(*e);
    if (!records.isEmpty()) KxClipboard().Store(records);
}

void TKxLab::CutElement() {
    if (!FSelected) return;
    const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Cut));
    CopyElement();
    DeleteElement();
}

void TKxLab::PasteElement() {
    const TKxClipboard& clip = KxClipboard();
    if (clip.IsEmpty()) return;
    std::vector<std::unique_ptr<TKxElement>> copies;
    for (const QByteArray& record : clip.Records()) {
        copies.push_back(TKxElementFactory::FromRecord(record, FLabel.get()));
        copies.back()->Move(GetUnits() == unINCH ? TPoint2D{0.1f, 0.1f} : TPoint2D{2.0f, 2.0f});
    }
    std::vector<TKxElement*> pasted;
    {
        const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Paste));
        // Appended in the order copied, so the copies stack among themselves as the originals did.
        for (auto& e : copies) {
            pasted.push_back(e.get());
            AddElement(std::move(e));
        }
    }
    SetSelection(pasted, pasted.back());
    ClearSelection();
    PaintLabScreen(true);
    // The copies have been drawn: their marks show where they landed.
    PlaceMarks();
    Paint();
}

bool TKxLab::CanPaste() const {
    return !KxClipboard().IsEmpty();
}

void TKxLab::DeleteElement() {
    if (!FSelected) return;
    {
        const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Delete));
        for (TKxElement* e : SelectedElements())
            RemoveElement(e);
    }
    SetCurrent(nullptr);
    ClearSelection();
    FMarks.DragState = drNone;
    PaintLabScreen(true);
}

void TKxLab::Transparent() {
    if (FSelected) {
        const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Transparent));
        FSelected->Transparent = !FSelected->Transparent;
        FLabel->NotifyElement(FSelected);
    }
    PaintLabScreen(true);
}

void TKxLab::AlignLeft() {
    AlignSelected(eaLeft);
}

void TKxLab::AlignTop() {
    AlignSelected(eaTop);
}

void TKxLab::AlignSelected(TKxEleAlign Kind) {
    if (!FSelected || FSelected->Locked) return;
    {
        const TKxUndoStep step(*FLabel, KxStepName(TKxStep::Align));
        FSelected->Align(Kind);
        FLabel->NotifyElement(FSelected);
    }
    AdjustHandle();
}

void TKxLab::Front() {
    if (FSelected && FLabel->ExchangeWithEnd(FSelected, true)) PaintLabScreen(true);
}

void TKxLab::Back() {
    if (FSelected && FLabel->ExchangeWithEnd(FSelected, false)) PaintLabScreen(true);
}

#include <algorithm>
#include <QScrollBar>
#include <QSignalBlocker>

#include "base/InvalidOperation.h"
#include "designer/KxLab.h"
#include "label/KxBackSurf.h"
#include "label/KxMeasure.h"

int32_t TKxLab::WindowX(int32_t x) const {
    return LabelToPixel(x, FScale, FOrigin, FH.Pos);
}

int32_t TKxLab::WindowY(int32_t y) const {
    return LabelToPixel(y, FScale, FOrigin, FV.Pos);
}

int32_t TKxLab::CoordX(int32_t px) const {
    return PixelToLabel(px, FScale, FOrigin, FH.Pos);
}

int32_t TKxLab::CoordY(int32_t py) const {
    return PixelToLabel(py, FScale, FOrigin, FV.Pos);
}

float TKxLab::Worldx(int32_t px) const {
    return PixelToWorld(px, FOrigin, FH.Pos, GetMeasure()->GetWidth(), FLabWidth);
}

float TKxLab::Worldy(int32_t py) const {
    return PixelToWorld(py, FOrigin, FV.Pos, GetMeasure()->GetHeight(), FLabHeight);
}

int32_t TKxLab::GetMinLeft() const {
    return FOrigin - FH.Pos;
}

int32_t TKxLab::GetMinTop() const {
    return FOrigin - FV.Pos;
}

// A label size from a file may reach the end of the coordinate range.
int32_t TKxLab::GetMaxRight() const {
    return Saturate32(int64_t{FLabWidth} + FOrigin - FH.Pos);
}

int32_t TKxLab::GetMaxBottom() const {
    return Saturate32(int64_t{FLabHeight} + FOrigin - FV.Pos);
}

TRect TKxLab::LabelRect() const {
    return {GetMinLeft(), GetMinTop(), GetMaxRight(), GetMaxBottom()};
}

int32_t TKxLab::GetXLeft() const {
    return WindowX(FLabel->GetGuideLeft());
}

int32_t TKxLab::GetYTop() const {
    return WindowY(FLabel->GetGuideTop());
}

void TKxLab::AdjustScroll() {
    const TKxZoomStep step = ZoomStep(FZoom);
    FScale = step.Scale;
    FFactor = step.Factor;
    FLabWidth = LabelPixels(GetMeasure()->WidthLU(), FFactor);
    FLabHeight = LabelPixels(GetMeasure()->HeightLU(), FFactor);
    // A label size from a file may reach the end of the range.
    FHRangeEnd = Saturate32(int64_t{FLabWidth} + FOrigin + 10);
    FVRangeEnd = Saturate32(int64_t{FLabHeight} + FOrigin + 10);
    FHBar->setVisible(FHRangeEnd > width());
    FVBar->setVisible(FVRangeEnd > height());
    LayoutBars();
    FH.Min = FV.Min = 0;
    FH.Max = FHRangeEnd;
    FV.Max = FVRangeEnd;
    FH.Pos = FV.Pos = 0;
    PushBar(FHBar, FH, width() - (FVBar->isVisibleTo(this) ? FVBar->width() : 0));
    PushBar(FVBar, FV, height() - (FHBar->isVisibleTo(this) ? FHBar->height() : 0));
}

void TKxLab::LayoutBars() {
    const bool h = FHBar->isVisibleTo(this);
    const bool v = FVBar->isVisibleTo(this);
    const int hh = FHBar->sizeHint().height();
    const int vw = FVBar->sizeHint().width();
    // Inside the single-line border, which the paint event draws over the outermost pixels.
    const int b = FBorderStyle == bsSingle ? 1 : 0;
    FHBar->setGeometry(b, height() - hh - b, width() - 2 * b - (v ? vw : 0), hh);
    FVBar->setGeometry(width() - vw - b, b, vw, height() - 2 * b - (h ? hh : 0));
}

void TKxLab::PushBar(QScrollBar* Bar, const TKxScrollAxis& Axis, int32_t Page) {
    // The bar scrolls its thumb over Max - Page + 1 positions, as a page-sized scroll bar does; a
    // bar that cannot scroll stays visible but disabled.
    const QSignalBlocker block(Bar);
    const int32_t page = std::max(Page, 1);
    Bar->setRange(Axis.Min, std::max(Axis.Min, Saturate32(int64_t{Axis.Max} - page + 1)));
    Bar->setPageStep(page);
    Bar->setSingleStep(Axis.SmallChange);
    Bar->setValue(std::clamp(Axis.Pos, Bar->minimum(), Bar->maximum()));
    Bar->setEnabled(Bar->maximum() > Bar->minimum());
}

void TKxLab::SetParams(TKxScrollAxis& Axis, QScrollBar* Bar, int32_t Position, int32_t Min, int32_t Max) {
    if (Min > Max) throw EInvalidOperation("Scrollbar property out of range");
    Position = std::clamp(Position, Min, Max);
    if (Min != Axis.Min || Max != Axis.Max || Position != Axis.Pos) {
        Axis.Min = Min;
        Axis.Max = Max;
        Axis.Pos = Position;
        if (FWindowCreated) PushBar(Bar, Axis, Bar->pageStep());
    }
}

void TKxLab::SetHParams(int32_t Position, int32_t Min, int32_t Max) {
    SetParams(FH, FHBar, Position, Min, Max);
}

void TKxLab::SetVParams(int32_t Position, int32_t Min, int32_t Max) {
    SetParams(FV, FVBar, Position, Min, Max);
}

void TKxLab::SetHPosition(int32_t Value) {
    SetHParams(Value, FH.Min, FH.Max);
}

void TKxLab::SetVPosition(int32_t Value) {
    SetVParams(Value, FV.Min, FV.Max);
}

void TKxLab::ScrollRequest(TKxScrollAxis& Axis, QScrollBar* Bar, TKxScrollCode Code, int32_t ThumbPos,
                           bool Horizontal) {
    if (FScrolling) return;
    // Cleared on every way out, so a throwing repaint cannot leave the bars dead.
    struct TGuard {
        bool& Flag;
        ~TGuard() { Flag = false; }
    } guard{FScrolling};
    FScrolling = true;
    const int32_t target = ScrollTarget(Axis, Code, ThumbPos);
    if (Horizontal)
        HScroll();
    else
        VScroll();
    SetParams(Axis, Bar, target, Axis.Min, Axis.Max);
}

void TKxLab::HScrollRequest(TKxScrollCode Code, int32_t ThumbPos) {
    ScrollRequest(FH, FHBar, Code, ThumbPos, true);
}

void TKxLab::VScrollRequest(TKxScrollCode Code, int32_t ThumbPos) {
    ScrollRequest(FV, FVBar, Code, ThumbPos, false);
}

void TKxLab::HScroll() {
    FlipLabScreen(duTop);
    ClearSelection();
}

void TKxLab::VScroll() {
    FlipLabScreen(duLeft);
    ClearSelection();
}

void TKxLab::ConnectBar(QScrollBar* Bar, bool Horizontal) {
    connect(Bar, &QAbstractSlider::actionTriggered, this, [this, Bar, Horizontal](int action) {
        TKxScrollCode code = TKxScrollCode::EndScroll;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = TKxScrollCode::LineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = TKxScrollCode::LineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = TKxScrollCode::PageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = TKxScrollCode::PageUp; break;
        case QAbstractSlider::SliderToMinimum: code = TKxScrollCode::Top; break;
        case QAbstractSlider::SliderToMaximum: code = TKxScrollCode::Bottom; break;
        case QAbstractSlider::SliderMove: code = TKxScrollCode::ThumbTrack; break;
        default: return;
        }
        const auto request = Horizontal ? &TKxLab::HScrollRequest : &TKxLab::VScrollRequest;
        (this->*request)(code, Bar->sliderPosition());
        // Each Qt action is a whole scroll action: end it as the end-scroll notification does, so
        // the surface is drawn at the final position.
        (this->*request)(TKxScrollCode::EndScroll, 0);
        // The slider applies its own position after this signal; make it ours.
        const TKxScrollAxis& axis = Horizontal ? FH : FV;
        Bar->setSliderPosition(std::clamp(axis.Pos, Bar->minimum(), Bar->maximum()));
    });
}

TKxViewState TKxLab::View() const {
    return {FScale, FFactor, FOrigin, FLabWidth, FLabHeight, FHRangeEnd, FVRangeEnd, FH, FV};
}

#pragma once

#include <QString>
#include <QStringList>

#include "designer/KxLab.h"

/// A designer that records the repaint and scroll operations it is asked for, as text
/// ("adjust", "flip:duTop", "paint:1", "draw:duBoth", "hscroll"), and can re-enter the scroll
/// handler from its notification.
class TRecordingLab : public TKxLab {
public:
    using TKxLab::TKxLab;

    QStringList Calls;
    bool ReenterOnScroll = false;
    int ScrollNotifications = 0;

    void AdjustScroll() override {
        Calls << "adjust";
        TKxLab::AdjustScroll();
    }
    void FlipLabScreen(TKxDrawRuler Which) override {
        Calls << "flip:" + KxEnumName(Which);
        TKxLab::FlipLabScreen(Which);
    }
    void PaintLabScreen(bool Repaint) override {
        Calls << QString("paint:%1").arg(Repaint ? 1 : 0);
        TKxLab::PaintLabScreen(Repaint);
    }
    void DrawAll(TKxDrawRuler Which) override {
        Calls << "draw:" + KxEnumName(Which);
        TKxLab::DrawAll(Which);
    }
    TKxMarks& Marks() { return FMarks; }
    using TKxLab::DoRightMouse;
    using TKxLab::DoSelect;
    using TKxLab::SetPreviewCanvas;
    using TKxLab::SetRawGridSteps;
    using TKxLab::SetRawLabelSize;

protected:
    void HScroll() override {
        ++ScrollNotifications;
        Calls << QString("hscroll@%1").arg(GetHScroll().Pos);
        if (ReenterOnScroll) HScrollRequest(TKxScrollCode::PageDown);
        TKxLab::HScroll();
    }
    void VScroll() override {
        ++ScrollNotifications;
        Calls << QString("vscroll@%1").arg(GetVScroll().Pos);
        TKxLab::VScroll();
    }
};

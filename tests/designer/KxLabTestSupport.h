#pragma once

#include <functional>
#include <QString>
#include <QStringList>

#include "designer/KxDialogHost.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"

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
    // The layers of the surface and the figures over it, which tests draw one by one.
    using TKxLab::DrawAligns;
    using TKxLab::DrawBackSurf;
    using TKxLab::DrawDrag;
    using TKxLab::DrawFrame;
    using TKxLab::DrawLabScreen;
    using TKxLab::DrawMarks;
    using TKxLab::DrawRulers;
    using TKxLab::DrawShape;
    using TKxLab::GetLeftRuler;
    using TKxLab::GetRulerCorner;
    using TKxLab::GetTopRuler;
    using TKxLab::PasteRulers1;
    using TKxLab::SurfaceContext;

protected:
    void HScroll() override {
        ++ScrollNotifications;
        Calls << QString("hscroll@%1").arg(View().H.Pos);
        if (ReenterOnScroll) HScrollRequest(TKxScrollCode::PageDown);
        TKxLab::HScroll();
    }
    void VScroll() override {
        ++ScrollNotifications;
        Calls << QString("vscroll@%1").arg(View().V.Pos);
        TKxLab::VScroll();
    }
};

/// A dialog host in place of the library's dialogs while it lives: it opens nothing and logs what it is
/// asked to show by element kind ("Txt", "Bar", "Image:new" for a new element, "Label:2"), running Edit
/// meanwhile as a dialog edits the label, and answering Keep (false: the user cancelled).
class TFakeDialogs : public TKxDialogHost {
public:
    TFakeDialogs() { KxSetDialogHost(this); }
    ~TFakeDialogs() override { KxSetDialogHost(nullptr); }
    TFakeDialogs(const TFakeDialogs&) = delete;
    TFakeDialogs& operator=(const TFakeDialogs&) = delete;

    QStringList Shown;
    std::function<void(TKxLab&)> Edit;
    bool Keep = true;

    bool ElementProperties(TKxLab& Lab, TKxElement& E, bool IsNew) override {
        Shown << KindName(E) + (IsNew ? ":new" : "");
        if (Edit) Edit(Lab);
        return Keep;
    }
    bool LabelProperties(TKxLab& Lab, int Page) override {
        Shown << QStringLiteral("Label:%1").arg(Page);
        if (Edit) Edit(Lab);
        return Keep;
    }
    void PreviewWindow(TKxLab&) override { Shown << QStringLiteral("Preview"); }
    QString ElementStepName(const TKxElement& E) const override { return KindName(E) + " Properties"; }
    QString LabelStepName() const override { return QStringLiteral("Label Properties"); }
    std::optional<TKxStock> ChooseStock(TKxLab&) override {
        Shown << QStringLiteral("Stock");
        return std::nullopt;
    }

private:
    static QString KindName(const TKxElement& E) {
        static const char* const names[] = {"Point",  "Lin",   "Txt",   "Bar", "Rect",
                                            "Symbol", "AdTxt", "Image", "Par"};
        const int kind = E.ElementType();
        return QString::fromLatin1(kind >= 0 && kind <= 8 ? names[kind] : "?");
    }
};

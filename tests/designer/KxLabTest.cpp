#include <gtest/gtest.h>
#include <memory>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "base/InvalidOperation.h"
#include "designer/KxClipboard.h"
#include "designer/KxLabTestSupport.h"
#include "elements/KxElement.h"

namespace {

// A box element that counts its destructions, for the list and ownership rules.
class TBox : public TKxElement {
public:
    TBox(TKxOwner* owner, TRect bounds, QString id = {}, int* destroyed = nullptr)
        : TKxElement(owner)
        , FDestroyed(destroyed) {
        Bounds = bounds;
        ID = std::move(id);
    }
    ~TBox() override {
        if (FDestroyed) ++*FDestroyed;
    }
    void Draw(const TPoint&, const TKxDrawContext&) override {}
    TKxEle ElementType() const override { return deRect; }

private:
    int* FDestroyed;
};

QScrollBar* Bar(const TKxLab& lab, Qt::Orientation o) {
    for (QScrollBar* b : lab.findChildren<QScrollBar*>())
        if (b->orientation() == o) return b;
    return nullptr;
}

} // namespace

TEST(KxLabConstruction, FieldsStartAtTheirInitialValues) {
    TKxLab lab;
    EXPECT_EQ(lab.GetUnits(), unMM);
    EXPECT_EQ(lab.GetZoom(), zm100);
    EXPECT_EQ(lab.GetColor(), clGray);
    EXPECT_EQ(lab.GetSelColor(), clRed);
    EXPECT_EQ(lab.GetSnap(), snNone);
    EXPECT_EQ(lab.GetDrawTool(), dwSelection);
    EXPECT_EQ(lab.GetBorderStyle(), TKxLab::bsSingle);
    EXPECT_TRUE(lab.GetAllowEdit());
    EXPECT_FALSE(lab.GetShowMargins());
    EXPECT_FALSE(lab.GetDaBa());
    EXPECT_FALSE(lab.GetDataValid());
    EXPECT_EQ(lab.View().Scale, 4);
    EXPECT_EQ(lab.View().Origin, 28);
    EXPECT_EQ(lab.Label()->GetFileVersion(), 14);
    EXPECT_EQ(lab.size(), QSize(160, 120));
    EXPECT_EQ(lab.Label()->ElementCount(), 0);
    EXPECT_EQ(lab.GetSelected(), nullptr);
    EXPECT_NE(lab.GetTable(), nullptr);
    EXPECT_EQ(lab.GetMeasure()->GetOwner(), lab.Label());
    EXPECT_EQ(lab.GetPrintInfo()->GetOwner(), lab.Label());
    EXPECT_TRUE(lab.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(KxLabConstruction, PropertiesAreReachableThroughTheMetaObject) {
    TKxLab lab;
    EXPECT_TRUE(lab.setProperty("Zoom", QVariant::fromValue(zm200)));
    EXPECT_EQ(lab.GetZoom(), zm200);
    auto* measure = lab.property("Measure").value<TKxMeasure*>();
    ASSERT_EQ(measure, lab.GetMeasure());
    EXPECT_TRUE(measure->setProperty("Width", 80.0f));
    EXPECT_FLOAT_EQ(lab.GetMeasure()->GetWidth(), 80.0f);
}

TEST(KxLabScroll, AdjustScrollSizesTheDefaultLabel) {
    TKxLab lab;
    lab.AdjustScroll();
    EXPECT_EQ(lab.View().LabWidth, 150);
    EXPECT_EQ(lab.View().LabHeight, 88);
    EXPECT_EQ(lab.View().HRangeEnd, 188);
    EXPECT_EQ(lab.View().VRangeEnd, 126);
    EXPECT_EQ(lab.View().H.Max, 188);
    EXPECT_EQ(lab.View().V.Max, 126);
    lab.SetZoom(zm75);
    EXPECT_EQ(lab.View().Scale, 5);
    EXPECT_EQ(lab.View().LabWidth, 120);
    EXPECT_EQ(lab.View().LabHeight, 70);
}

TEST(KxLabScroll, BarsShowOnlyWhenTheRangeExceedsTheControl) {
    TKxLab lab;
    lab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lab));
    EXPECT_TRUE(Bar(lab, Qt::Horizontal)->isVisible()); // 188 > 160
    EXPECT_TRUE(Bar(lab, Qt::Vertical)->isVisible());   // 126 > 120
    lab.resize(188, 126);                               // ranges equal the size: no bars
    EXPECT_FALSE(Bar(lab, Qt::Horizontal)->isVisible());
    EXPECT_FALSE(Bar(lab, Qt::Vertical)->isVisible());
    lab.SetZoom(zm400); // 600 x 350 pixels
    EXPECT_TRUE(Bar(lab, Qt::Horizontal)->isVisible());
    EXPECT_TRUE(Bar(lab, Qt::Vertical)->isVisible());
}

TEST(KxLabScroll, RequestsClampAndEveryAdjustmentScrollsBack) {
    TKxLab lab;
    lab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lab));
    lab.HScrollRequest(TKxScrollCode::LineDown);
    EXPECT_EQ(lab.View().H.Pos, 1);
    lab.HScrollRequest(TKxScrollCode::ThumbTrack, 1000);
    EXPECT_EQ(lab.View().H.Pos, 188);
    lab.HScrollRequest(TKxScrollCode::PageUp);
    EXPECT_EQ(lab.View().H.Pos, 178);
    lab.VScrollRequest(TKxScrollCode::Bottom);
    EXPECT_EQ(lab.View().V.Pos, 126);
    EXPECT_EQ(lab.WindowX(100), 53 - 178);
    EXPECT_EQ(lab.CoordY(28), 126 * 4);
    lab.SetUnits(unINCH);
    EXPECT_EQ(lab.View().H.Pos, 0);
    EXPECT_EQ(lab.View().V.Pos, 0);
}

TEST(KxLabScroll, SecondRequestDuringAScrollIsIgnored) {
    TRecordingLab lab;
    lab.AdjustScroll();
    lab.ReenterOnScroll = true;
    lab.HScrollRequest(TKxScrollCode::LineDown);
    EXPECT_EQ(lab.ScrollNotifications, 1);
    EXPECT_EQ(lab.View().H.Pos, 1);
    // The guard is cleared again: the next request runs.
    lab.ReenterOnScroll = false;
    lab.HScrollRequest(TKxScrollCode::LineDown);
    EXPECT_EQ(lab.View().H.Pos, 2);
}

TEST(KxLabScroll, BarActionNotifiesAtTheOldPositionThenEndsAtTheNewOne) {
    TRecordingLab lab;
    lab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lab));
    lab.Calls.clear();
    QScrollBar* bar = Bar(lab, Qt::Horizontal);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const QStringList expected{"hscroll@0", "flip:duTop", "draw:duTop",
                               "hscroll@1", "flip:duTop", "draw:duTop"};
    EXPECT_EQ(lab.Calls, expected);
    EXPECT_EQ(lab.View().H.Pos, 1);
    EXPECT_EQ(bar->value(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd); // the control's page is 10 pixels
    EXPECT_EQ(lab.View().H.Pos, 11);
    EXPECT_EQ(bar->value(), 11);
}

TEST(KxLabScroll, SetParamsRejectsAnInvertedRangeAndClampsThePosition) {
    TKxLab lab;
    lab.AdjustScroll();
    lab.SetHPosition(20);
    EXPECT_THROW(lab.SetHParams(5, 10, 9), EInvalidOperation);
    EXPECT_THROW(lab.SetVParams(0, 1, 0), EInvalidOperation);
    EXPECT_EQ(lab.View().H.Pos, 20);
    EXPECT_EQ(lab.View().H.Max, 188);
    lab.SetHParams(50, 0, 40);
    EXPECT_EQ(lab.View().H.Pos, 40);
    EXPECT_EQ(lab.View().H.Max, 40);
    lab.SetVParams(-5, 0, 40);
    EXPECT_EQ(lab.View().V.Pos, 0);
    lab.SetHPosition(-1);
    EXPECT_EQ(lab.View().H.Pos, 0);
}

TEST(KxLabMapping, MappingFollowsZoomScrollAndGuides) {
    TKxLab lab;
    lab.AdjustScroll();
    EXPECT_EQ(lab.WindowX(0), 28);
    EXPECT_EQ(lab.WindowX(100), 53);
    EXPECT_EQ(lab.WindowY(6), 30);
    EXPECT_EQ(lab.CoordX(53), 100);
    EXPECT_FLOAT_EQ(lab.Worldx(178), 60.0f);
    EXPECT_FLOAT_EQ(lab.Worldy(28 + 88), 35.0f);
    EXPECT_EQ(lab.GetMinLeft(), 28);
    EXPECT_EQ(lab.GetMaxRight(), 178);
    EXPECT_EQ(lab.GetMaxBottom(), 116);
    lab.GetBackSurf()->SetAlignLeft(10);
    lab.GetBackSurf()->SetAlignTop(2);
    EXPECT_EQ(lab.GetXLeft(), 53);
    EXPECT_EQ(lab.GetYTop(), 33);
    EXPECT_EQ(lab.GetMarks().AlignLeftMark, Rect(49, 10, 57, 19));
    EXPECT_EQ(lab.GetMarks().AlignTopMark, Rect(10, 29, 19, 37));
    lab.SetZoom(zm75);
    EXPECT_EQ(lab.CoordX(29), 5);
    lab.SetUnits(unINCH);
    EXPECT_NEAR(lab.Worldx(28 + 120), 60.0f / 25.4f, 1e-5); // zm75: 120 pixels wide
}

TEST(KxLabSetters, RepaintEffectsFollowTheSetterTable) {
    TRecordingLab lab;
    lab.Calls.clear();
    lab.SetZoom(zm100);
    EXPECT_TRUE(lab.Calls.isEmpty());
    lab.SetZoom(zm200);
    EXPECT_EQ(lab.Calls, (QStringList{"adjust", "flip:duBoth", "draw:duBoth"}));
    lab.Calls.clear();
    lab.SetUnits(unMM); // no equality test
    EXPECT_EQ(lab.Calls, (QStringList{"adjust", "flip:duBoth", "draw:duBoth"}));
    lab.Calls.clear();
    lab.SetShowMargins(false);
    lab.SetSnap(snGrid);
    lab.SetAllowEdit(false);
    lab.SetSelColor(clBlue);
    lab.SetDaBa(true);
    EXPECT_TRUE(lab.Calls.isEmpty());
    lab.SetShowMargins(true);
    EXPECT_EQ(lab.Calls, (QStringList{"paint:1", "draw:duNone"}));
    lab.Calls.clear();
    lab.SetColor(clWhite);
    EXPECT_EQ(lab.Calls, (QStringList{"flip:duBoth", "draw:duBoth"}));
}

TEST(KxLabSetters, DrawToolChangeEndsTheDragState) {
    TRecordingLab lab;
    lab.Marks().DragState = drSizes;
    lab.SetDrawTool(dwSelection);
    EXPECT_EQ(lab.GetMarks().DragState, drSizes);
    lab.SetDrawTool(dwLine);
    EXPECT_EQ(lab.GetMarks().DragState, drNone);
}

TEST(KxLabSetters, ZoomAndScrollClearTheMarksButKeepTheSelection) {
    TRecordingLab lab;
    auto* box = new TBox(lab.Label(), Rect(0, 0, 50, 50));
    lab.AddElement(std::unique_ptr<TKxElement>(box));
    ASSERT_TRUE(lab.FindElement(Point(5, 5)));
    lab.Marks().DragState = drSizes;
    lab.Marks().SelRect = Rect(1, 2, 3, 4);
    lab.Marks().HandleLeft = Rect(1, 2, 3, 4);
    lab.SetZoom(zm50);
    EXPECT_EQ(lab.GetMarks().SelRect, TRect{});
    EXPECT_EQ(lab.GetMarks().HandleLeft, TRect{});
    EXPECT_EQ(lab.GetMarks().DragState, drSizes);
    EXPECT_EQ(lab.GetSelected(), box);
    lab.Marks().SelRect = Rect(1, 2, 3, 4);
    lab.VScrollRequest(TKxScrollCode::LineDown);
    EXPECT_EQ(lab.GetMarks().SelRect, TRect{});
}

TEST(KxLabSetters, SettingsSettersAssignAndIgnoreNull) {
    TKxLab lab;
    TKxMeasure* own = lab.GetMeasure();
    lab.SetMeasure(nullptr);
    EXPECT_EQ(lab.GetMeasure(), own);
    TKxMeasure other;
    other.SetWidth(80);
    other.SetLabelName("Other");
    lab.SetMeasure(&other);
    EXPECT_EQ(lab.GetMeasure(), own);
    EXPECT_EQ(own->WidthLU(), 800);
    EXPECT_EQ(own->GetLabelName(), "Other");
    TKxGrid grid;
    grid.SetIncX(5);
    lab.SetGrid(&grid);
    EXPECT_EQ(lab.GetGrid()->IncXLU(), 50);
}

TEST(KxLabLoading, RepaintsAreIgnoredUntilTheSetUpEndsThenPaintOnce) {
    TRecordingLab lab;
    lab.Calls.clear();
    {
        TKxLab::TLoadGuard outer(lab);
        lab.BeginLoad();
        lab.SetUnits(unINCH);
        lab.GetMeasure()->SetWidth(2);
        lab.GetFrame()->SetStyle(fsDoble);
        lab.EndLoad();
        EXPECT_TRUE(lab.IsLoading());
        EXPECT_FALSE(lab.Calls.filter("draw:").size() > 0);
    }
    EXPECT_FALSE(lab.IsLoading());
    EXPECT_EQ(lab.Calls.filter("draw:"), QStringList{"draw:duBoth"});
    EXPECT_EQ(lab.GetMeasure()->WidthLU(), 508);
    lab.EndLoad(); // unbalanced: ignored
    EXPECT_FALSE(lab.IsLoading());
}

TEST(KxLabLoading, ClearSelectionIsIgnoredWhileLoading) {
    TRecordingLab lab;
    lab.Marks().SelRect = Rect(1, 1, 5, 5);
    lab.BeginLoad();
    lab.ClearSelection();
    EXPECT_EQ(lab.GetMarks().SelRect, Rect(1, 1, 5, 5));
    lab.EndLoad();
    lab.ClearSelection();
    EXPECT_EQ(lab.GetMarks().SelRect, TRect{});
}

TEST(KxLabRulers, VisibilityMovesTheOrigin) {
    TKxLab lab;
    lab.GetRulers()->SetVisible(true);
    EXPECT_EQ(lab.View().Origin, 28); // unchanged value: no effect
    lab.GetRulers()->SetVisible(false);
    EXPECT_EQ(lab.View().Origin, 10);
    lab.GetRulers()->SetVisible(true);
    EXPECT_EQ(lab.View().Origin, 30);
}

TEST(KxLabElements, ListKeepsStackingOrderAndHitTestsFrontFirst) {
    TKxLab lab;
    auto* back = new TBox(lab.Label(), Rect(0, 0, 100, 100), "a");
    auto* front = new TBox(lab.Label(), Rect(50, 50, 150, 150), "b");
    auto* twin = new TBox(lab.Label(), Rect(200, 200, 210, 210), "a");
    lab.AddElement(std::unique_ptr<TKxElement>(front));
    lab.AddElement(std::unique_ptr<TKxElement>(back));
    lab.AddElement(std::unique_ptr<TKxElement>(twin));
    lab.AddElement(nullptr);
    ASSERT_EQ(lab.Label()->ElementCount(), 3);
    EXPECT_EQ(lab.Label()->Element(0), front);
    EXPECT_EQ(lab.Label()->Element(2), twin);
    EXPECT_EQ(lab.Label()->Element(3), nullptr);
    EXPECT_EQ(lab.Label()->Element(-1), nullptr);

    EXPECT_TRUE(lab.FindElement(Point(60, 60))); // both contain it: index 0 wins
    EXPECT_EQ(lab.GetSelected(), front);
    EXPECT_TRUE(lab.FindElement(Point(10, 10)));
    EXPECT_EQ(lab.GetSelected(), back);
    EXPECT_FALSE(lab.FindElement(Point(100, 10))); // right edge is outside
    EXPECT_EQ(lab.GetSelected(), back);

    EXPECT_TRUE(lab.ElementByID("a")); // first match in list order
    EXPECT_EQ(lab.GetSelected(), back);
    EXPECT_FALSE(lab.ElementByID("A"));
    EXPECT_EQ(lab.GetSelected(), back);
    EXPECT_TRUE(lab.ElementByID("b"));
    EXPECT_EQ(lab.GetSelected(), front);
}

TEST(KxLabElements, RemoveFreesOnlyListedElementsAndDropsTheSelection) {
    int destroyed = 0;
    TRecordingLab lab;
    auto* a = new TBox(lab.Label(), Rect(0, 0, 10, 10), {}, &destroyed);
    auto* b = new TBox(lab.Label(), Rect(0, 0, 10, 10), {}, &destroyed);
    lab.AddElement(std::unique_ptr<TKxElement>(a));
    lab.AddElement(std::unique_ptr<TKxElement>(b));
    TBox stranger(lab.Label(), Rect(0, 0, 10, 10));
    lab.Calls.clear();
    EXPECT_FALSE(lab.RemoveElement(&stranger));
    EXPECT_FALSE(lab.RemoveElement(nullptr));
    EXPECT_EQ(destroyed, 0);
    ASSERT_TRUE(lab.FindElement(Point(1, 1)));
    ASSERT_EQ(lab.GetSelected(), a);
    EXPECT_TRUE(lab.RemoveElement(b));
    EXPECT_EQ(lab.GetSelected(), a);
    EXPECT_TRUE(lab.RemoveElement(a));
    EXPECT_EQ(lab.GetSelected(), nullptr);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(lab.Label()->ElementCount(), 0);
    EXPECT_TRUE(lab.Calls.isEmpty()); // removing does not repaint
}

TEST(KxLabElements, ClearFreesEverythingAndRepaints) {
    int destroyed = 0;
    TRecordingLab lab;
    for (int i = 0; i < 3; ++i)
        lab.AddElement(std::make_unique<TBox>(lab.Label(), Rect(0, 0, 10, 10), QString(), &destroyed));
    ASSERT_TRUE(lab.FindElement(Point(1, 1)));
    lab.Marks().SelRect = Rect(0, 0, 10, 10);
    lab.Calls.clear();
    lab.Clear();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(lab.Label()->ElementCount(), 0);
    EXPECT_EQ(lab.GetSelected(), nullptr);
    EXPECT_EQ(lab.GetMarks().SelRect, TRect{});
    EXPECT_EQ(lab.Calls, (QStringList{"paint:1", "draw:duNone"}));
    lab.ShowElementProp(); // nothing selected: nothing happens
}

TEST(KxLabOwnership, DestroyingTheControlFreesItsElementsAndTheClipboard) {
    int destroyed = 0;
    KxClipboard().Store({QByteArray("\x01record", 7)});
    {
        TKxLab lab;
        for (int i = 0; i < 4; ++i)
            lab.AddElement(std::make_unique<TBox>(lab.Label(), Rect(0, 0, 10, 10), QString(), &destroyed));
        ASSERT_TRUE(lab.FindElement(Point(1, 1)));
    }
    EXPECT_EQ(destroyed, 4);
    EXPECT_TRUE(KxClipboard().IsEmpty());
}

TEST(KxLabEvents, CallablesAndSignalsBothFire) {
    TRecordingLab lab;
    QSignalSpy rightSpy(&lab, &TKxLab::RightMouse);
    QSignalSpy selectSpy(&lab, &TKxLab::Select);
    QSignalSpy moveSpy(&lab, &TKxLab::MouseMove);
    QObject* selectSender = nullptr;
    bool rightSelect = false;
    int rightX = 0;
    int moves = 0;
    lab.OnSelect = [&](QObject* sender) { selectSender = sender; };
    lab.OnRightMouse = [&](QObject*, bool select, int x, int) {
        rightSelect = select;
        rightX = x;
    };
    lab.OnMouseMove = [&](QObject*, Qt::MouseButtons, Qt::KeyboardModifiers, int, int) { ++moves; };
    lab.DoSelect();
    lab.DoRightMouse(true, 7, 9);
    EXPECT_EQ(selectSender, &lab);
    EXPECT_TRUE(rightSelect);
    EXPECT_EQ(rightX, 7);
    ASSERT_EQ(selectSpy.count(), 1);
    ASSERT_EQ(rightSpy.count(), 1);
    EXPECT_EQ(rightSpy.at(0).at(3).toInt(), 9);

    lab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lab));
    QTest::mouseMove(&lab, QPoint(40, 30));
    EXPECT_EQ(moves, 1);
    ASSERT_EQ(moveSpy.count(), 1);
    EXPECT_EQ(moveSpy.at(0).at(3).toInt(), 40);
}

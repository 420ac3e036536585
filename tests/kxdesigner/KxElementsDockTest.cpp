#include "KxElementsDock.h"

#include <gtest/gtest.h>
#include <memory>
#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>
#include <QUndoStack>
#include <vector>

#include "DesignerTestSupport.h"
#include "elements/KxBarCode.h"
#include "elements/KxElementFactory.h"
#include "elements/KxText.h"
#include "KxDesignSurface.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"
#include "types/KxStrings.h"

namespace {

// The window with, front to back: 0 a text "Price", 1 a barcode, 2 a text bound to the field "name",
// 3 a rectangle. Label units.
struct TDockWindow {
    TDesignerUser User;
    std::unique_ptr<TKxMainWindow> Window = ShownWindow();
    TKxDesignSurface& Lab = *Window->Lab();
    QTreeWidget& List = *Window->ElementsDock()->List();
    std::vector<TKxElement*> E;

    TDockWindow() {
        Add(deText, {40, 40})->Text = QStringLiteral("Price");
        Add(deBar, {40, 120});
        TKxText* bound = Add(deText, {300, 40});
        bound->DataBase = true;
        bound->Field = QStringLiteral("name");
        Lab.Label()->NotifyElement(bound);
        Add(deRect, {400, 200}, {500, 300});
        Lab.PaintLabScreen(true);
    }
    TKxText* Add(int Kind, TPoint P1, TPoint P2 = {}) {
        auto e = TKxElementFactory::Create(Kind, Lab.Label());
        e->P1 = P1;
        e->P2 = P2;
        E.push_back(e.get());
        auto* text = dynamic_cast<TKxText*>(e.get());
        Lab.AddElement(std::move(e));
        return text;
    }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < List.topLevelItemCount(); ++i)
            rows << List.topLevelItem(i)->text(0);
        return rows;
    }
    void ClickRow(int Row, Qt::KeyboardModifiers Mods = {}) {
        QTest::mouseClick(List.viewport(), Qt::LeftButton, Mods,
                          List.visualItemRect(List.topLevelItem(Row)).center());
    }
    // Drags row From by its text and drops it at To, a point of the list's viewport.
    void DragRow(int From, QPoint To) {
        const QPoint from = List.visualItemRect(List.topLevelItem(From)).center();
        QTest::mousePress(List.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(List.viewport(), (from + To) / 2);
        QTest::mouseMove(List.viewport(), To);
        QTest::mouseRelease(List.viewport(), Qt::LeftButton, {}, To);
    }
    QPoint RowAt(int Row) const { return List.visualItemRect(List.topLevelItem(Row)).center(); }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int i = 0; i < List.topLevelItemCount(); ++i)
            if (List.topLevelItem(i)->isSelected()) rows.push_back(i);
        return rows;
    }
};

} // namespace

TEST(KxElementsDock, ListsTheElementsFrontToBackWithTheirKindAndWhatTheyShow) {
    TDockWindow w;
    EXPECT_EQ(w.Rows(), (QStringList{"Text: Price", "Barcode: 8410894000109", "Text: [name]", "Rectangle"}));
    w.Lab.SelectElement(w.E[3]);
    w.Lab.Front();
    EXPECT_EQ(w.Rows().front(), QStringLiteral("Rectangle"));
}

TEST(KxElementsDock, RowsClickedSelectOnTheSurfaceAndASurfaceClickSelectsTheRow) {
    TDockWindow w;
    w.ClickRow(1);
    w.ClickRow(3, Qt::ControlModifier);
    EXPECT_EQ(w.Lab.SelectedElements(), (std::vector<TKxElement*>{w.E[1], w.E[3]}));
    EXPECT_EQ(w.Lab.GetSelected(), w.E[3]);

    QTest::mouseClick(&w.Lab, Qt::LeftButton, {}, At(w.Lab, 401, 250)); // the frame's border
    EXPECT_EQ(w.SelectedRows(), (std::vector<int>{3}));
    QTest::mouseClick(&w.Lab, Qt::LeftButton, Qt::ShiftModifier, At(w.Lab, 45, 45));
    EXPECT_EQ(w.SelectedRows(), (std::vector<int>{0, 3}));
}

TEST(KxElementsDock, TheLockBoxLocksAsOneStepAndFollowsAnUndo) {
    TDockWindow w;
    const int steps = w.Window->History().count();
    w.List.topLevelItem(2)->setCheckState(1, Qt::Checked);
    EXPECT_TRUE(w.E[2]->Locked);
    EXPECT_EQ(w.Window->History().count(), steps + 1);
    w.Window->History().undo();
    EXPECT_FALSE(w.Lab.Label()->Element(2)->Locked);
    EXPECT_EQ(w.List.topLevelItem(2)->checkState(1), Qt::Unchecked);
}

TEST(KxElementsDock, DeletedElementsLeaveTheListAndComeBackWithUndo) {
    TDockWindow w;
    w.ClickRow(0);
    w.ClickRow(1, Qt::ShiftModifier);
    Trigger(*w.Window, "actionDelete");
    EXPECT_EQ(w.Rows(), (QStringList{"Text: [name]", "Rectangle"}));
    Trigger(*w.Window, "actionUndo");
    EXPECT_EQ(w.Rows().size(), 4);
}

namespace {

struct TRowDrag {
    int From;
    int To;
    std::vector<int> Order; // the original elements, front to back, after the drop
};

class KxElementsDockDrag : public ::testing::TestWithParam<TRowDrag> {};

} // namespace

TEST_P(KxElementsDockDrag, ADroppedRowMovesItsElementInTheStackAsOneStep) {
    TDockWindow w;
    const QStringList before = w.Rows();
    const int steps = w.Window->History().count();
    w.DragRow(GetParam().From, w.RowAt(GetParam().To));
    QStringList rows;
    for (size_t i = 0; i < GetParam().Order.size(); ++i) {
        const int original = GetParam().Order[i];
        EXPECT_EQ(w.Lab.Label()->Element(static_cast<int>(i)), w.E[static_cast<size_t>(original)]) << i;
        rows << before[original];
    }
    EXPECT_EQ(w.Rows(), rows);
    EXPECT_EQ(w.Window->History().count(), steps + 1);
    w.Window->History().undo();
    EXPECT_EQ(w.Rows(), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, KxElementsDockDrag,
                         ::testing::Values(TRowDrag{0, 2, {1, 2, 0, 3}}, TRowDrag{3, 0, {3, 0, 1, 2}},
                                           TRowDrag{1, 3, {0, 2, 3, 1}}, TRowDrag{2, 1, {0, 2, 1, 3}}));

TEST(KxElementsDock, ARowDroppedBelowTheRowsGoesToTheBack) {
    TDockWindow w;
    w.DragRow(0, QPoint(10, w.List.viewport()->height() - 2));
    EXPECT_EQ(w.Lab.Label()->Element(3), w.E[0]);
}

TEST(KxElementsDock, ADraggedRowBringsItsElementToTheFrontOfTheSurface) {
    TDockWindow w;
    // A filled rectangle over the price text: a press on the text then picks the rectangle.
    w.E[3]->P1 = {20, 20};
    w.E[3]->Transparent = false;
    w.Lab.Label()->NotifyElement(w.E[3]);
    w.DragRow(3, w.RowAt(0));
    QTest::mouseClick(&w.Lab, Qt::LeftButton, {}, At(w.Lab, 45, 45));
    EXPECT_EQ(w.Lab.GetSelected(), w.E[3]);
    w.DragRow(0, w.RowAt(1));
    QTest::mouseClick(&w.Lab, Qt::LeftButton, {}, At(w.Lab, 45, 45));
    EXPECT_EQ(w.Lab.GetSelected(), w.E[0]);
}

TEST(KxElementsDock, APressWithoutAMoveSelectsAndLeavesTheOrder) {
    TDockWindow w;
    const int steps = w.Window->History().count();
    w.DragRow(2, w.RowAt(2) + QPoint(1, 0));
    EXPECT_EQ(w.Lab.Label()->Element(2), w.E[2]);
    EXPECT_EQ(w.Lab.GetSelected(), w.E[2]);
    EXPECT_EQ(w.Window->History().count(), steps);
}

TEST(KxElementsDock, ThePrintableBoxFollowsTheElementAsOneStep) {
    TDockWindow w;
    EXPECT_EQ(w.List.topLevelItem(1)->checkState(2), Qt::Checked);
    const int steps = w.Window->History().count();
    w.List.topLevelItem(1)->setCheckState(2, Qt::Unchecked);
    EXPECT_FALSE(w.E[1]->Printable);
    EXPECT_EQ(w.Window->History().count(), steps + 1);
    w.Window->History().undo();
    EXPECT_TRUE(w.Lab.Label()->Element(1)->Printable);
    EXPECT_EQ(w.List.topLevelItem(1)->checkState(2), Qt::Checked);
}

TEST(KxElementsDock, ThePrintableColumnIsCaptionedInSpanish) {
    TDockWindow w;
    EXPECT_EQ(w.List.headerItem()->text(2), QStringLiteral("Printable"));
    {
        const auto translators = KxInstallLanguage(QLocale(QLocale::Spanish, QLocale::Spain));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w.List.headerItem()->text(2), QStringLiteral("Imprimible"));
    }
    KxLoadLanguage({});
    QCoreApplication::sendPostedEvents();
}

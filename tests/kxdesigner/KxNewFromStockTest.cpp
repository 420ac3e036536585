#include <algorithm>
#include <gtest/gtest.h>
#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include "DesignerTestSupport.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxStockDialog.h"
#include "KxDesignSurface.h"
#include "KxMainWindow.h"
#include "label/KxMeasure.h"

namespace {

// In the chooser, types Search and takes the first match.
void Take(const QString& Search) {
    WhenModal<TKxStockDialog>([Search](TKxStockDialog& C) {
        QTest::keyClicks(C.findChild<QLineEdit*>(QStringLiteral("EdStockSearch")), Search);
        C.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

TEST(KxDesignerNewFromStock, FileNewFromStockStartsALabelLaidOutAsTheStock) {
    TDesignerUser user;
    const auto w = ShownWindow();
    const QList<QAction*> file = w->menuBar()->actions().first()->menu()->actions();
    const auto it = std::find_if(file.begin(), file.end(), [](const QAction* A) {
        return A->objectName() == QStringLiteral("actionNewFromStock");
    });
    ASSERT_NE(it, file.end());
    EXPECT_EQ((*it)->text(), QStringLiteral("New from s&tock..."));
    Take(QStringLiteral("avery l7163"));
    Trigger(*w, "actionNewFromStock");
    const TKxMeasure& m = *w->Lab()->GetMeasure();
    EXPECT_EQ(m.WidthLU(), 991);
    EXPECT_EQ(m.HeightLU(), 381);
    EXPECT_EQ(m.GetNuHor(), 7);
    EXPECT_EQ(m.GetNuVer(), 2);
    EXPECT_EQ(w->Lab()->Label()->GetStockPart(), QStringLiteral("L7163"));
    // A new label: nothing to undo, nothing unsaved, no file.
    EXPECT_FALSE(w->History().canUndo());
    EXPECT_FALSE(w->IsModified());
    EXPECT_TRUE(w->FileName().isEmpty());
}

TEST(KxDesignerNewFromStock, CancellingTheChooserKeepsTheLabel) {
    TDesignerUser user;
    const auto w = ShownWindow();
    w->Lab()->GetMeasure()->SetWidth(77);
    WhenModal<TKxStockDialog>([](TKxStockDialog& C) { C.reject(); });
    Trigger(*w, "actionNewFromStock");
    EXPECT_EQ(w->Lab()->GetMeasure()->WidthLU(), 770);
    EXPECT_TRUE(w->History().canUndo());
}

#include <array>
#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "elements/KxElement.h"
#include "KxDesignSurface.h"
#include "KxMainWindow.h"

namespace {

// The arrange commands: object name, icon file, text, what they do.
struct TArrangeCommand {
    const char* Name;
    const char* Icon;
    const char* Text;
    TKxArrange Kind;
};

const std::array ArrangeCommands{
    TArrangeCommand{"actionAlignLefts", "align-left", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Left"),
                    TKxArrange::AlignLeft},
    TArrangeCommand{"actionAlignCentres", "align-centre", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Centre"),
                    TKxArrange::AlignCentre},
    TArrangeCommand{"actionAlignRights", "align-right", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Right"),
                    TKxArrange::AlignRight},
    TArrangeCommand{"actionAlignTops", "align-top", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Top"),
                    TKxArrange::AlignTop},
    TArrangeCommand{"actionAlignMiddles", "align-middle", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Middle"),
                    TKxArrange::AlignMiddle},
    TArrangeCommand{"actionAlignBottoms", "align-bottom", QT_TRANSLATE_NOOP("TKxMainWindow", "Align &Bottom"),
                    TKxArrange::AlignBottom},
    TArrangeCommand{"actionDistributeH", "distribute-h",
                    QT_TRANSLATE_NOOP("TKxMainWindow", "Distribute &Horizontally"),
                    TKxArrange::DistributeHorizontally},
    TArrangeCommand{"actionDistributeV", "distribute-v",
                    QT_TRANSLATE_NOOP("TKxMainWindow", "Distribute &Vertically"),
                    TKxArrange::DistributeVertically},
    TArrangeCommand{"actionSameWidth", "same-width", QT_TRANSLATE_NOOP("TKxMainWindow", "Same &Width"),
                    TKxArrange::SameWidth},
    TArrangeCommand{"actionSameHeight", "same-height", QT_TRANSLATE_NOOP("TKxMainWindow", "Same H&eight"),
                    TKxArrange::SameHeight},
    TArrangeCommand{"actionCentreOnLabel", "centre-label",
                    QT_TRANSLATE_NOOP("TKxMainWindow", "Ce&ntre on Label"), TKxArrange::CentreOnLabel},
};

QIcon ArrangeIcon(const char* Name) {
    return QIcon(QStringLiteral(":/kxdesigner/icons/%1.svg").arg(QLatin1String(Name)));
}

} // namespace

void TKxMainWindow::CreateArrangeActions() {
    for (const TArrangeCommand& c : ArrangeCommands) {
        QAction* action = NewAction(c.Name);
        action->setIcon(ArrangeIcon(c.Icon));
        connect(action, &QAction::triggered, this,
                [this, Kind = c.Kind] { Edit([this, Kind] { FLab->Arrange(Kind); }); });
    }
    QAction* all = NewAction("actionSelectAll");
    all->setShortcuts(QKeySequence::SelectAll);
    connect(all, &QAction::triggered, this, [this] { Edit([this] { FLab->SelectAll(); }); });
    QAction* lock = NewAction("actionLock");
    lock->setIcon(ArrangeIcon("lock"));
    lock->setCheckable(true);
    connect(lock, &QAction::triggered, this,
            [this](bool On) { Edit([this, On] { FLab->SetSelectionLocked(On); }); });
}

void TKxMainWindow::CreateArrangeMenu() {
    FArrangeMenu = menuBar()->addMenu(QString());
    FArrangeBar = new QToolBar(this);
    FArrangeBar->setObjectName(QStringLiteral("arrangeBar"));
    for (const TArrangeCommand& c : ArrangeCommands) {
        QAction* action = findChild<QAction*>(QLatin1String(c.Name));
        FArrangeMenu->addAction(action);
        FArrangeBar->addAction(action);
        // Aligning, spreading, sizing and centring each make a group of their own.
        if (c.Kind == TKxArrange::AlignRight || c.Kind == TKxArrange::AlignBottom ||
            c.Kind == TKxArrange::DistributeVertically || c.Kind == TKxArrange::SameHeight) {
            FArrangeMenu->addSeparator();
            FArrangeBar->addSeparator();
        }
    }
    QAction* lock = findChild<QAction*>(QStringLiteral("actionLock"));
    FArrangeMenu->addSeparator();
    FArrangeMenu->addAction(lock);
    FArrangeBar->addSeparator();
    FArrangeBar->addAction(lock);
    connect(FArrangeMenu, &QMenu::aboutToShow, this, &TKxMainWindow::UpdateActions);
}

void TKxMainWindow::UpdateArrangeActions() {
    for (const TArrangeCommand& c : ArrangeCommands)
        findChild<QAction*>(QLatin1String(c.Name))->setEnabled(FLab->CanArrange(c.Kind));
    const TKxElement* current = FLab->GetSelected();
    QAction* lock = findChild<QAction*>(QStringLiteral("actionLock"));
    lock->setEnabled(current != nullptr);
    lock->setChecked(current && current->Locked);
    findChild<QAction*>(QStringLiteral("actionSelectAll"))->setEnabled(FLab->Label()->ElementCount() > 0);
}

void TKxMainWindow::TranslateArrange() {
    for (const TArrangeCommand& c : ArrangeCommands) {
        QAction* action = findChild<QAction*>(QLatin1String(c.Name));
        action->setText(tr(c.Text));
        action->setToolTip(action->text().remove(QLatin1Char('&')));
    }
    findChild<QAction*>(QStringLiteral("actionSelectAll"))->setText(tr("Select &All"));
    findChild<QAction*>(QStringLiteral("actionLock"))->setText(tr("Loc&k"));
    FArrangeMenu->setTitle(tr("&Arrange"));
    FArrangeBar->setWindowTitle(tr("Arrange"));
}

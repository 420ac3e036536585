#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>

#include "elements/KxElement.h"
#include "KxDesignSurface.h"
#include "KxElementCaption.h"
#include "KxErrorText.h"
#include "KxMainWindow.h"
#include "label/KxGrid.h"

QUndoStack& TKxMainWindow::History() const {
    return *FLab->Label()->UndoStack();
}

bool TKxMainWindow::IsModified() const {
    return !History().isClean();
}

void TKxMainWindow::Edit(const std::function<void()>& Command) {
    KxShowErrors(Command);
    SyncControls();
}

void TKxMainWindow::RightMouse(bool Select, int X, int Y) {
    SyncControls();
    // Not exec(): the press that opens the menu is still being handled.
    (Select ? FElementMenu : FLabelMenu)->popup(FLab->mapToGlobal(QPoint(X, Y)));
}

void TKxMainWindow::SyncControls() {
    FSyncing = true;
    findChild<QAction*>(QStringLiteral("tool_") + KxEnumName(FLab->GetDrawTool()))->setChecked(true);
    findChild<QAction*>(FLab->GetUnits() == unMM ? QStringLiteral("actionMillimetres")
                                                 : QStringLiteral("actionInches"))
        ->setChecked(true);
    findChild<QAction*>(QStringLiteral("actionSnap"))->setChecked(FLab->GetSnap() == snGrid);
    findChild<QAction*>(QStringLiteral("actionGrid"))->setChecked(FLab->GetGrid()->GetShow());
    FZoom->setCurrentIndex(static_cast<int>(FLab->GetZoom()));
    FSyncing = false;
    UpdateTitle();
    UpdateActions();
    UpdateStatus();
}

void TKxMainWindow::UpdateTitle() {
    // The system ends every window's title with the application's display name unless the title ends
    // with it already: the name follows the language, so no title carries it twice or in English.
    QApplication::setApplicationDisplayName(tr("KxLab Designer"));
    const QString name = FFileName.isEmpty() ? tr("Untitled") : QFileInfo(FFileName).fileName();
    setWindowTitle(tr("%1[*] - KxLab Designer").arg(name));
    setWindowModified(IsModified());
}

void TKxMainWindow::UpdateActions() {
    const bool selected = FLab->GetSelected() != nullptr;
    for (const char* name : {"actionCut", "actionCopy", "actionDelete", "actionFront", "actionBack",
                             "actionAlignLeft", "actionAlignTop", "actionProperties"})
        findChild<QAction*>(QLatin1String(name))->setEnabled(selected);
    findChild<QAction*>(QStringLiteral("actionPaste"))->setEnabled(FLab->CanPaste());
    UpdateArrangeActions();
    // The commands name the step they undo or redo.
    const QUndoStack& history = History();
    auto* undo = findChild<QAction*>(QStringLiteral("actionUndo"));
    undo->setEnabled(history.canUndo());
    undo->setText(history.canUndo() ? tr("&Undo %1").arg(history.undoText()) : tr("&Undo"));
    auto* redo = findChild<QAction*>(QStringLiteral("actionRedo"));
    redo->setEnabled(history.canRedo());
    redo->setText(history.canRedo() ? tr("&Redo %1").arg(history.redoText()) : tr("&Redo"));
}

void TKxMainWindow::UpdateStatus() {
    const TKxElement* e = FLab->GetSelected();
    if (const auto several = static_cast<int>(FLab->SelectedElements().size()); several > 1) {
        FSelection->setText(tr("%n elements selected", nullptr, several));
        return;
    }
    if (!e) {
        FSelection->setText(tr("%n element(s)", nullptr, FLab->Label()->ElementCount()));
        return;
    }
    const TPoint2D p = e->GetP1();
    const QString unit = FLab->GetUnits() == unMM ? tr("mm") : tr("in");
    FSelection->setText(tr("%1 at %2, %3 %4")
                            .arg(KxKindName(e->ElementType()))
                            .arg(p.X, 0, 'f', 2)
                            .arg(p.Y, 0, 'f', 2)
                            .arg(unit));
}

void TKxMainWindow::ShowPosition(int X, int Y) {
    const QString unit = FLab->GetUnits() == unMM ? tr("mm") : tr("in");
    FPosition->setText(
        tr("x %1, y %2 %3").arg(FLab->Worldx(X), 0, 'f', 2).arg(FLab->Worldy(Y), 0, 'f', 2).arg(unit));
}

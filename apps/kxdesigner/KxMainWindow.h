#pragma once

#include <functional>
#include <QByteArray>
#include <QMainWindow>
#include <QString>

#include "types/Kxtypes.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QUndoStack;
class TKxDesignSurface;
class TKxElementsDock;

/// The label designer's main window: the designer control in the middle, the File and Edit menus,
/// the tool bar with the drawing tools and the view settings, the status bar, and the context menus
/// of the surface. Undo and redo are the label's own undo stack: every completed change (a drag
/// released, a dialog closed, a command) is one named step.
///
/// Commands are QActions named for tests and for shortcuts: "actionNew", "actionUndo", "tool_dwText"...
class TKxMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TKxMainWindow(QWidget* parent = nullptr);
    ~TKxMainWindow() override;

    TKxDesignSurface* Lab() const { return FLab; }
    /// The label's undo stack.
    QUndoStack& History() const;
    /// The file the label was opened from or saved to last; empty for a new label.
    const QString& FileName() const { return FFileName; }
    /// The label differs from what was opened or saved last.
    bool IsModified() const;

    /// Opens a label file, asking first about unsaved changes; false (with the reason shown) when the
    /// file cannot be read, the label on screen staying as it was, or when the user cancels.
    bool OpenFile(const QString& Path);
    /// Saves the label to Path and makes it the window's file; false with the reason shown.
    bool SaveFile(const QString& Path);
    /// Exports a whole run to Path (.pdf, .png, .svg, .emf) behind a modal progress dialog that can
    /// cancel it; false with the reason shown when it fails or is cancelled, leaving no file.
    bool ExportFile(const QString& Path);
    /// Asks whether to save unsaved changes; false when the user cancels (or the save fails).
    bool MaybeSave();

    /// Runs a command on the label (which records its own step), showing errors; the controls follow.
    void Edit(const std::function<void()>& Command);

    /// The arrange menu: align, distribute, size, centre, lock.
    QMenu* ArrangeMenu() const { return FArrangeMenu; }
    /// The context menus: the element's commands and the label's.
    QMenu* ElementMenu() const { return FElementMenu; }
    QMenu* LabelMenu() const { return FLabelMenu; }
    /// The dock that lists the elements.
    TKxElementsDock* ElementsDock() const { return FElements; }
    /// The recent files menu.
    QMenu* RecentMenu() const { return FRecentMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* NewAction(const char* Name, const QString& Shortcut = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    /// The arrange commands, Select All and Lock; their menu and tool bar.
    void CreateArrangeActions();
    void CreateArrangeMenu();
    void UpdateArrangeActions();
    void TranslateArrange();
    void Translate();
    void TranslateTools();

    void NewLabel();
    /// A new label laid out as a stock the user picks.
    void NewFromStock();
    void OpenDialog();
    bool Save();
    bool SaveAsDialog();
    void ExportDialog();
    void PrintDialog();
    void Preview();
    void AliasesDialog();
    /// "Printer calibration": each printer's correction, and the sheet to measure it on.
    void CalibrationDialog();
    void FillRecentMenu();
    /// The label has been replaced by a file's or a new one: no steps, nothing modified.
    void Started(const QString& FileName);

    void RightMouse(bool Select, int X, int Y);
    void SyncControls();
    void UpdateTitle();
    void UpdateActions();
    void UpdateStatus();
    /// The filter in force, in the status bar; nothing without one.
    void ShowFilter();
    void ShowPosition(int X, int Y);

    TKxDesignSurface* FLab = nullptr;
    QString FFileName;
    bool FSyncing = false;

    QMenu* FFileMenu = nullptr;
    QMenu* FEditMenu = nullptr;
    QMenu* FLabelPropMenu = nullptr;
    QMenu* FViewMenu = nullptr;
    QMenu* FRecentMenu = nullptr;
    QMenu* FElementMenu = nullptr;
    QMenu* FLabelMenu = nullptr;
    QMenu* FArrangeMenu = nullptr;
    QToolBar* FToolBar = nullptr;
    QToolBar* FArrangeBar = nullptr;
    QActionGroup* FTools = nullptr;
    QActionGroup* FUnits = nullptr;
    QComboBox* FZoom = nullptr;
    QLabel* FPosition = nullptr;
    QLabel* FSelection = nullptr;
    QLabel* FFilter = nullptr;
    TKxElementsDock* FElements = nullptr;
};

#include "KxMainWindow.h"

#include <array>
#include <functional>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include "db/Table.h"
#include "KxDesignSurface.h"
#include "KxElementsDock.h"
#include "KxTitleFit.h"
#include "label/KxGrid.h"

namespace {

// Every command: its object name, its text, its shortcut.
struct TCommand {
    const char* Name;
    const char* Text;
    QKeySequence::StandardKey Key;
};

const std::array Commands{
    TCommand{"actionNew", QT_TRANSLATE_NOOP("TKxMainWindow", "&New"), QKeySequence::New},
    TCommand{"actionNewFromStock", QT_TRANSLATE_NOOP("TKxMainWindow", "New from s&tock..."),
             QKeySequence::UnknownKey},
    TCommand{"actionOpen", QT_TRANSLATE_NOOP("TKxMainWindow", "&Open..."), QKeySequence::Open},
    TCommand{"actionSave", QT_TRANSLATE_NOOP("TKxMainWindow", "&Save"), QKeySequence::Save},
    TCommand{"actionSaveAs", QT_TRANSLATE_NOOP("TKxMainWindow", "Save &As..."), QKeySequence::SaveAs},
    TCommand{"actionExport", QT_TRANSLATE_NOOP("TKxMainWindow", "&Export..."), QKeySequence::UnknownKey},
    TCommand{"actionPrint", QT_TRANSLATE_NOOP("TKxMainWindow", "&Print..."), QKeySequence::Print},
    TCommand{"actionPreview", QT_TRANSLATE_NOOP("TKxMainWindow", "Print Pre&view"), QKeySequence::UnknownKey},
    TCommand{"actionAliases", QT_TRANSLATE_NOOP("TKxMainWindow", "Database A&liases..."),
             QKeySequence::UnknownKey},
    TCommand{"actionCalibration", QT_TRANSLATE_NOOP("TKxMainWindow", "Printer &calibration..."),
             QKeySequence::UnknownKey},
    TCommand{"actionQuit", QT_TRANSLATE_NOOP("TKxMainWindow", "&Quit"), QKeySequence::Quit},
    TCommand{"actionUndo", QT_TRANSLATE_NOOP("TKxMainWindow", "&Undo"), QKeySequence::Undo},
    TCommand{"actionRedo", QT_TRANSLATE_NOOP("TKxMainWindow", "&Redo"), QKeySequence::Redo},
    TCommand{"actionCut", QT_TRANSLATE_NOOP("TKxMainWindow", "Cu&t"), QKeySequence::Cut},
    TCommand{"actionCopy", QT_TRANSLATE_NOOP("TKxMainWindow", "&Copy"), QKeySequence::Copy},
    TCommand{"actionPaste", QT_TRANSLATE_NOOP("TKxMainWindow", "&Paste"), QKeySequence::Paste},
    TCommand{"actionDelete", QT_TRANSLATE_NOOP("TKxMainWindow", "&Delete"), QKeySequence::Delete},
    TCommand{"actionFront", QT_TRANSLATE_NOOP("TKxMainWindow", "Bring to &Front"), QKeySequence::UnknownKey},
    TCommand{"actionBack", QT_TRANSLATE_NOOP("TKxMainWindow", "Send to &Back"), QKeySequence::UnknownKey},
    TCommand{"actionAlignLeft", QT_TRANSLATE_NOOP("TKxMainWindow", "Align to Left &Guide"),
             QKeySequence::UnknownKey},
    TCommand{"actionAlignTop", QT_TRANSLATE_NOOP("TKxMainWindow", "Align to Top Gu&ide"),
             QKeySequence::UnknownKey},
    TCommand{"actionTransparent", QT_TRANSLATE_NOOP("TKxMainWindow", "Tr&ansparent"),
             QKeySequence::UnknownKey},
    TCommand{"actionProperties", QT_TRANSLATE_NOOP("TKxMainWindow", "Pr&operties..."),
             QKeySequence::UnknownKey},
    TCommand{"actionLabelDimensions", QT_TRANSLATE_NOOP("TKxMainWindow", "&Dimensions..."),
             QKeySequence::UnknownKey},
    TCommand{"actionLabelPrint", QT_TRANSLATE_NOOP("TKxMainWindow", "&Print Run..."),
             QKeySequence::UnknownKey},
    TCommand{"actionLabelBack", QT_TRANSLATE_NOOP("TKxMainWindow", "&Background..."),
             QKeySequence::UnknownKey},
    TCommand{"actionLabelData", QT_TRANSLATE_NOOP("TKxMainWindow", "D&atabase..."), QKeySequence::UnknownKey},
    TCommand{"actionMillimetres", QT_TRANSLATE_NOOP("TKxMainWindow", "mm"), QKeySequence::UnknownKey},
    TCommand{"actionInches", QT_TRANSLATE_NOOP("TKxMainWindow", "in"), QKeySequence::UnknownKey},
    TCommand{"actionSnap", QT_TRANSLATE_NOOP("TKxMainWindow", "Snap to Grid"), QKeySequence::UnknownKey},
    TCommand{"actionGrid", QT_TRANSLATE_NOOP("TKxMainWindow", "Show Grid"), QKeySequence::UnknownKey},
    TCommand{"actionZoomIn", QT_TRANSLATE_NOOP("TKxMainWindow", "Zoom &In"), QKeySequence::UnknownKey},
    TCommand{"actionZoomOut", QT_TRANSLATE_NOOP("TKxMainWindow", "Zoom &Out"), QKeySequence::UnknownKey},
    TCommand{"actionZoomReset", QT_TRANSLATE_NOOP("TKxMainWindow", "&Actual Size"), QKeySequence::UnknownKey},
};

// The nine drawing tools in tool bar order: the tool, its icon file, its name.
struct TTool {
    TKxDrawTool Tool;
    const char* Icon;
    const char* Text;
};

const std::array Tools{
    TTool{dwSelection, "select", QT_TRANSLATE_NOOP("TKxMainWindow", "Select")},
    TTool{dwText, "text", QT_TRANSLATE_NOOP("TKxMainWindow", "Text")},
    TTool{dwAddText, "addtext", QT_TRANSLATE_NOOP("TKxMainWindow", "Compound Text")},
    TTool{dwParagraph, "paragraph", QT_TRANSLATE_NOOP("TKxMainWindow", "Paragraph")},
    TTool{dwBarCode, "barcode", QT_TRANSLATE_NOOP("TKxMainWindow", "Barcode")},
    TTool{dwSymbol, "symbol", QT_TRANSLATE_NOOP("TKxMainWindow", "Symbol")},
    TTool{dwLine, "line", QT_TRANSLATE_NOOP("TKxMainWindow", "Line")},
    TTool{dwRect, "rect", QT_TRANSLATE_NOOP("TKxMainWindow", "Rectangle")},
    TTool{dwImage, "image", QT_TRANSLATE_NOOP("TKxMainWindow", "Picture")},
};

constexpr std::array ZoomSteps{50, 75, 100, 200, 400};

QString ToolName(TKxDrawTool Tool) {
    return QStringLiteral("tool_") + KxEnumName(Tool);
}

} // namespace

TKxMainWindow::TKxMainWindow(QWidget* parent)
    : QMainWindow(parent)
    , FLab(new TKxDesignSurface(this)) {
    setObjectName(QStringLiteral("KxDesignerMainWindow"));
    setCentralWidget(FLab);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    // Owned by the window: the dialogs it opens fit their titles while it lives.
    new TKxTitleFit(this);
    FElements = new TKxElementsDock(FLab, this);
    addDockWidget(Qt::RightDockWidgetArea, FElements);
    FViewMenu->addSeparator();
    FViewMenu->addAction(FElements->toggleViewAction());
    Translate();
    // Whatever changes the label, from the surface, a dialog or a command, shows in the title and the
    // commands.
    connect(&History(), &QUndoStack::indexChanged, this, &TKxMainWindow::SyncControls);
    connect(&History(), &QUndoStack::cleanChanged, this, &TKxMainWindow::UpdateTitle);
    connect(FLab, &TKxDesignSurface::ToolChanged, this, &TKxMainWindow::SyncControls);
    connect(FLab, &TKxDesignSurface::SelectionChanged, this, &TKxMainWindow::SyncControls);
    connect(FLab, &TKxDesignSurface::Zoomed, this, &TKxMainWindow::SyncControls);
    connect(FLab, &TKxLab::Select, this, [this] { UpdateStatus(); });
    connect(FLab, &TKxLab::RightMouse, this,
            [this](QObject*, bool Select, int X, int Y) { RightMouse(Select, X, Y); });
    connect(FLab, &TKxLab::MouseMove, this,
            [this](QObject*, Qt::MouseButtons, Qt::KeyboardModifiers, int X, int Y) { ShowPosition(X, Y); });
    const QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray())) resize(1000, 720);
    FLab->Label()->RestoreRecord(TKxDesignSurface::NewLabelRecord());
    Started({});
}

TKxMainWindow::~TKxMainWindow() = default;

QAction* TKxMainWindow::NewAction(const char* Name, const QString& Shortcut) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(Name));
    if (!Shortcut.isEmpty()) action->setShortcut(QKeySequence(Shortcut));
    addAction(action);
    return action;
}

void TKxMainWindow::CreateActions() {
    for (const TCommand& c : Commands) {
        QAction* action = NewAction(c.Name);
        if (c.Key != QKeySequence::UnknownKey) action->setShortcuts(c.Key);
    }
    // Ctrl+Y redoes, and is the key the menu shows; the platform's own redo key works as well.
    // (Twice would make the key ambiguous, and it would trigger nothing.)
    const auto keys = [this](const char* Name, QList<QKeySequence> Keys, QKeySequence::StandardKey Also) {
        for (const QKeySequence& key : QKeySequence::keyBindings(Also))
            if (!Keys.contains(key)) Keys << key;
        findChild<QAction*>(QLatin1String(Name))->setShortcuts(Keys);
    };
    keys("actionRedo", {QKeySequence(Qt::CTRL | Qt::Key_Y)}, QKeySequence::Redo);
    keys("actionZoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Equal)}, QKeySequence::ZoomIn);
    keys("actionZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, QKeySequence::ZoomOut);
    keys("actionZoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, QKeySequence::UnknownKey);
    const auto on = [this](const char* Name, auto Slot) {
        connect(findChild<QAction*>(QLatin1String(Name)), &QAction::triggered, this, Slot);
    };
    const auto edit = [this, on](const char* Name, void (TKxLab::*Command)()) {
        const std::function<void()> command = std::bind_front(Command, FLab);
        on(Name, [this, command] { Edit(command); });
    };
    on("actionNew", &TKxMainWindow::NewLabel);
    on("actionNewFromStock", &TKxMainWindow::NewFromStock);
    on("actionOpen", &TKxMainWindow::OpenDialog);
    on("actionSave", &TKxMainWindow::Save);
    on("actionSaveAs", &TKxMainWindow::SaveAsDialog);
    on("actionExport", &TKxMainWindow::ExportDialog);
    on("actionPrint", &TKxMainWindow::PrintDialog);
    on("actionPreview", &TKxMainWindow::Preview);
    on("actionAliases", &TKxMainWindow::AliasesDialog);
    on("actionCalibration", &TKxMainWindow::CalibrationDialog);
    on("actionQuit", &QWidget::close);
    on("actionUndo", [this] { Edit([this] { History().undo(); }); });
    on("actionRedo", [this] { Edit([this] { History().redo(); }); });
    // The keys zoom about the middle of the surface, the wheel about the pointer.
    const auto zoom = [this](int Steps) {
        FLab->ZoomBy(Steps, FLab->rect().center());
        SyncControls();
    };
    on("actionZoomIn", [zoom] { zoom(1); });
    on("actionZoomOut", [zoom] { zoom(-1); });
    on("actionZoomReset", [this] { Edit([this] { FLab->SetZoom(zm100); }); });
    edit("actionCut", &TKxLab::CutElement);
    edit("actionCopy", &TKxLab::CopyElement);
    edit("actionPaste", &TKxLab::PasteElement);
    edit("actionDelete", &TKxLab::DeleteElement);
    edit("actionFront", &TKxLab::Front);
    edit("actionBack", &TKxLab::Back);
    edit("actionAlignLeft", &TKxLab::AlignLeft);
    edit("actionAlignTop", &TKxLab::AlignTop);
    edit("actionTransparent", &TKxLab::Transparent);
    on("actionProperties", [this] { Edit([this] { FLab->ShowElementProp(); }); });
    int page = 0;
    for (const char* name :
         {"actionLabelDimensions", "actionLabelPrint", "actionLabelBack", "actionLabelData"})
        on(name, [this, p = page++] { Edit([this, p] { FLab->ShowProp(p); }); });

    FUnits = new QActionGroup(this);
    for (const char* name : {"actionMillimetres", "actionInches"}) {
        QAction* unit = findChild<QAction*>(QLatin1String(name));
        unit->setCheckable(true);
        FUnits->addAction(unit);
    }
    on("actionMillimetres", [this] { Edit([this] { FLab->SetUnits(unMM); }); });
    on("actionInches", [this] { Edit([this] { FLab->SetUnits(unINCH); }); });
    auto* snap = findChild<QAction*>(QStringLiteral("actionSnap"));
    snap->setCheckable(true);
    connect(snap, &QAction::triggered, this,
            [this](bool On) { Edit([this, On] { FLab->SetSnap(On ? snGrid : snNone); }); });
    auto* grid = findChild<QAction*>(QStringLiteral("actionGrid"));
    grid->setCheckable(true);
    connect(grid, &QAction::triggered, this,
            [this](bool On) { Edit([this, On] { FLab->GetGrid()->SetShow(On); }); });

    FTools = new QActionGroup(this);
    for (const TTool& t : Tools) {
        QAction* tool = NewAction(qPrintable(ToolName(t.Tool)));
        tool->setIcon(QIcon(QStringLiteral(":/kxdesigner/icons/%1.svg").arg(QLatin1String(t.Icon))));
        tool->setCheckable(true);
        FTools->addAction(tool);
        connect(tool, &QAction::triggered, this, [this, Tool = t.Tool] { FLab->SetDrawTool(Tool); });
    }
    CreateArrangeActions();
}

void TKxMainWindow::CreateMenus() {
    const auto add = [this](QMenu* Menu, std::initializer_list<const char*> Names) {
        for (const char* name : Names) {
            if (*name == 0)
                Menu->addSeparator();
            else
                Menu->addAction(findChild<QAction*>(QLatin1String(name)));
        }
    };
    FFileMenu = menuBar()->addMenu(QString());
    add(FFileMenu, {"actionNew", "actionNewFromStock", "actionOpen"});
    FRecentMenu = FFileMenu->addMenu(QString());
    connect(FRecentMenu, &QMenu::aboutToShow, this, &TKxMainWindow::FillRecentMenu);
    add(FFileMenu, {"actionSave", "actionSaveAs", "", "actionExport", "actionPrint", "actionPreview", "",
                    "actionAliases", "actionCalibration", "", "actionQuit"});
    FEditMenu = menuBar()->addMenu(QString());
    add(FEditMenu, {"actionUndo", "actionRedo", "", "actionCut", "actionCopy", "actionPaste", "actionDelete",
                    "actionSelectAll", "", "actionFront", "actionBack", "actionAlignLeft", "actionAlignTop",
                    "actionTransparent", "", "actionProperties"});
    FLabelPropMenu = FEditMenu->addMenu(QString());
    add(FLabelPropMenu, {"actionLabelDimensions", "actionLabelPrint", "actionLabelBack", "actionLabelData"});
    CreateArrangeMenu();
    FViewMenu = menuBar()->addMenu(QString());
    add(FViewMenu, {"actionZoomIn", "actionZoomOut", "actionZoomReset"});

    FElementMenu = new QMenu(this);
    add(FElementMenu, {"actionCut", "actionCopy", "actionDelete", "", "actionFront", "actionBack",
                       "actionAlignLeft", "actionAlignTop", "actionTransparent", "actionLock", ""});
    FElementMenu->addMenu(FArrangeMenu);
    add(FElementMenu, {"", "actionProperties"});
    FLabelMenu = new QMenu(this);
    add(FLabelMenu, {"actionPaste", "", "actionLabelDimensions", "actionLabelPrint", "actionLabelBack",
                     "actionLabelData", "", "actionPreview"});
    // Another designer of the process may have filled the clipboard meanwhile.
    for (QMenu* menu : {FEditMenu, FLabelMenu})
        connect(menu, &QMenu::aboutToShow, this, &TKxMainWindow::UpdateActions);
}

void TKxMainWindow::CreateToolBar() {
    FToolBar = addToolBar(QString());
    FToolBar->setObjectName(QStringLiteral("toolBar"));
    FToolBar->addActions(FTools->actions());
    FToolBar->addSeparator();
    FZoom = new QComboBox(FToolBar);
    FZoom->setObjectName(QStringLiteral("zoom"));
    for (const int percent : ZoomSteps)
        FZoom->addItem(QStringLiteral("%1 %").arg(percent));
    connect(FZoom, &QComboBox::currentIndexChanged, this, [this](int Index) {
        if (!FSyncing && Index >= 0) FLab->SetZoom(static_cast<TKxZoom>(Index));
    });
    FToolBar->addWidget(FZoom);
    FToolBar->addSeparator();
    FToolBar->addActions(FUnits->actions());
    FToolBar->addSeparator();
    for (const char* name : {"actionSnap", "actionGrid"})
        FToolBar->addAction(findChild<QAction*>(QLatin1String(name)));
    addToolBar(FArrangeBar);
}

void TKxMainWindow::CreateStatusBar() {
    FPosition = new QLabel(this);
    FPosition->setObjectName(QStringLiteral("position"));
    FPosition->setMinimumWidth(180);
    FSelection = new QLabel(this);
    FSelection->setObjectName(QStringLiteral("selection"));
    statusBar()->addWidget(FPosition);
    statusBar()->addWidget(FSelection, 1);
    FFilter = new QLabel(this);
    FFilter->setObjectName(QStringLiteral("filter"));
    statusBar()->addPermanentWidget(FFilter);
    // A change of binding (a dialog, an undo, a file read) changes what the run prints.
    connect(FLab->Label(), &TKxLabel::BindingChanged, this, &TKxMainWindow::ShowFilter);
    connect(FLab->Label(), &TKxLabel::Replaced, this, &TKxMainWindow::ShowFilter);
}

void TKxMainWindow::ShowFilter() {
    const QString filter = FLab->Label()->GetTable()->FilterInForce();
    FFilter->setText(filter.isEmpty() ? QString() : tr("Filter: %1").arg(filter));
    FFilter->setVisible(!filter.isEmpty());
}

void TKxMainWindow::Translate() {
    for (const TCommand& c : Commands)
        findChild<QAction*>(QLatin1String(c.Name))->setText(tr(c.Text));
    for (const TTool& t : Tools) {
        QAction* tool = findChild<QAction*>(ToolName(t.Tool));
        tool->setText(tr(t.Text));
        tool->setToolTip(tr(t.Text));
    }
    FFileMenu->setTitle(tr("&File"));
    FRecentMenu->setTitle(tr("Open &Recent"));
    FEditMenu->setTitle(tr("&Edit"));
    FLabelPropMenu->setTitle(tr("&Label Properties"));
    FViewMenu->setTitle(tr("&View"));
    TranslateArrange();
    FElements->Translate();
    FToolBar->setWindowTitle(tr("Tools"));
    FZoom->setToolTip(tr("Zoom"));
    UpdateTitle();
    UpdateStatus();
    ShowFilter();
}

void TKxMainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Translate();
    QMainWindow::changeEvent(event);
}

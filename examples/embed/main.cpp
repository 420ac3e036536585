#include <QAction>
#include <QApplication>
#include <QTextStream>
#include <QToolButton>
#include <QUndoStack>
#include <QWidget>

#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "ui_EmbedForm.h"

// A host form, designed in Qt Designer: the label designer and a spin edit that sets the label's width.
// Undo and redo come from the label's own undo stack, with the step names the library gives.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    Ui::EmbedForm ui;
    ui.setupUi(&window);
    QObject::connect(ui.labelWidth, &TSpinEditFloat::changed, ui.kxLab, [&ui] {
        ui.kxLab->GetMeasure()->SetWidth(static_cast<float>(ui.labelWidth->GetValue()));
    });
    QUndoStack& history = *ui.kxLab->Label()->UndoStack();
    QAction* undo = history.createUndoAction(&window);
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = history.createRedoAction(&window);
    redo->setShortcut(QKeySequence::Redo);
    window.addActions({undo, redo});
    ui.undoButton->setDefaultAction(undo);
    ui.redoButton->setDefaultAction(redo);
    // What the form set up is where the history starts.
    window.show();

    // --check prints what the form set, moves the spin edit and prints the label width it gave and the
    // step the change made, undoes and redoes it, and ends: the package's test runs it without a display.
    if (app.arguments().contains(QStringLiteral("--check"))) {
        QTextStream out(stdout);
        out << "zoom " << ui.kxLab->GetZoom() << " width " << ui.kxLab->GetMeasureWidth() << " frame "
            << ui.kxLab->GetFrameStyle() << " spin " << ui.labelWidth->text() << "\n";
        ui.labelWidth->SetValue(100);
        out << "width " << ui.kxLab->GetMeasureWidth() << " " << undo->text() << "\n";
        undo->trigger();
        out << "width " << ui.kxLab->GetMeasureWidth() << " " << redo->text() << "\n";
        redo->trigger();
        out << "width " << ui.kxLab->GetMeasureWidth() << "\n";
        return 0;
    }
    return app.exec();
}

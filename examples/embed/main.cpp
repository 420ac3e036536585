#include <QApplication>
#include <QTextStream>
#include <QWidget>

#include "designer/KxLab.h"
#include "label/KxMeasure.h"
#include "ui_EmbedForm.h"

// A host form, designed in Qt Designer: the label designer and a spin edit that sets the label's width.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    Ui::EmbedForm ui;
    ui.setupUi(&window);
    QObject::connect(ui.labelWidth, &TSpinEditFloat::changed, ui.kxLab, [&ui] {
        ui.kxLab->GetMeasure()->SetWidth(static_cast<float>(ui.labelWidth->GetValue()));
    });

    // --check prints what the form set, moves the spin edit and prints the label width it gave, and
    // ends: the package's test runs it without a display.
    if (app.arguments().contains(QStringLiteral("--check"))) {
        QTextStream out(stdout);
        out << "zoom " << ui.kxLab->GetZoom() << " width " << ui.kxLab->GetMeasureWidth() << " frame "
            << ui.kxLab->GetFrameStyle() << " spin " << ui.labelWidth->text() << "\n";
        ui.labelWidth->SetValue(100);
        out << "width " << ui.kxLab->GetMeasureWidth() << "\n";
        return 0;
    }
    window.show();
    return app.exec();
}

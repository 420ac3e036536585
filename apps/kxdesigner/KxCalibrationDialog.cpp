#include "KxCalibrationDialog.h"

#include <QPrinterInfo>
#include <QPushButton>

#include "base/KxError.h"
#include "print/Printer.h"
#include "ui_KxCalibrationDialog.h"

TKxCalibrationDialog::TKxCalibrationDialog(QWidget* Parent)
    : QDialog(Parent)
    , ui(std::make_unique<Ui::KxCalibrationDialog>()) {
    ui->setupUi(this);
    ui->CBoxPrinter->setEditable(true);
    ui->CBoxPrinter->addItems(QPrinterInfo::availablePrinterNames());
    const QString preferred = QPrinterInfo::defaultPrinterName();
    if (!preferred.isEmpty()) ui->CBoxPrinter->setCurrentText(preferred);
    connect(ui->CBoxPrinter, &QComboBox::currentTextChanged, this, &TKxCalibrationDialog::Load);
    connect(ui->BtnPrintSheet, &QPushButton::clicked, this, &TKxCalibrationDialog::PrintSheet);
    connect(ui->BtnFromMeasures, &QPushButton::clicked, this, &TKxCalibrationDialog::CorrectFromMeasures);
    connect(ui->ButtonBox->button(QDialogButtonBox::Save), &QPushButton::clicked, this,
            &TKxCalibrationDialog::Save);
    connect(ui->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Load();
}

TKxCalibrationDialog::~TKxCalibrationDialog() = default;

void TKxCalibrationDialog::SelectPrinter(const QString& Printer) {
    ui->CBoxPrinter->setCurrentText(Printer);
    Load();
}

TKxCalibration TKxCalibrationDialog::Shown() const {
    return {ui->SpOffsetX->value(), ui->SpOffsetY->value(), ui->SpScaleX->value(), ui->SpScaleY->value()};
}

void TKxCalibrationDialog::Show(const TKxCalibration& C) {
    ui->SpOffsetX->setValue(C.OffsetX);
    ui->SpOffsetY->setValue(C.OffsetY);
    ui->SpScaleX->setValue(C.ScaleX);
    ui->SpScaleY->setValue(C.ScaleY);
}

void TKxCalibrationDialog::Say(const QString& Text, bool Problem) {
    ui->LabelStatus->setText(Text);
    ui->LabelStatus->setStyleSheet(Problem ? QStringLiteral("color: #b00000") : QString());
}

void TKxCalibrationDialog::Load() {
    const QString name = ui->CBoxPrinter->currentText();
    TKxCalibration profile;
    Say(QString(), false);
    try {
        if (const std::optional<TKxCalibration> kept = KxFindCalibration(name)) profile = *kept;
    } catch (const EKxException& e) {
        Say(e.Message(), true);
    }
    Show(profile);
    FPrinted = profile;
    TKxCalibrationMarks marks;
    QPointF margin;
    const bool printer = PrinterGeometry(marks, margin);
    const auto caption = [printer](const QString& Mark, QPointF P) {
        return printer ? tr("%1 (belongs at %2, %3 mm)").arg(Mark).arg(P.x(), 0, 'f', 1).arg(P.y(), 0, 'f', 1)
                       : Mark;
    };
    ui->LabelMarkA->setText(caption(QStringLiteral("A"), marks.A));
    ui->LabelMarkB->setText(caption(QStringLiteral("B"), marks.B));
    ui->BtnPrintSheet->setEnabled(printer);
    ui->BtnFromMeasures->setEnabled(printer);
}

bool TKxCalibrationDialog::PrinterGeometry(TKxCalibrationMarks& Marks, QPointF& Margin) const {
    const QString name = ui->CBoxPrinter->currentText();
    if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) return false;
    try {
        TPrinter printer;
        printer.SetPrinterName(name);
        Marks = TKxCalibrationMarks::ForPaper(printer.PaperWidthMM(), printer.PaperHeightMM());
        const double mmPerPixel = 25.4 / std::max(printer.Dpi(), 1);
        Margin = {printer.PhysicalOffsetX() * mmPerPixel, printer.PhysicalOffsetY() * mmPerPixel};
        return true;
    } catch (const EKxException&) {
        return false;
    }
}

bool TKxCalibrationDialog::PrintSheet() {
    const TKxCalibration shown = Shown();
    try {
        TPrinter printer;
        printer.SetPrinterName(ui->CBoxPrinter->currentText());
        KxPrintCalibrationSheet(printer, shown);
    } catch (const EKxException& e) {
        Say(e.Message(), true);
        return false;
    }
    FPrinted = shown;
    Say(tr("The calibration sheet went to %1. Measure where A and B came out.")
            .arg(ui->CBoxPrinter->currentText()),
        false);
    return true;
}

bool TKxCalibrationDialog::CorrectFromMeasures() {
    TKxCalibrationMarks marks;
    QPointF margin;
    if (!PrinterGeometry(marks, margin)) return false;
    const QPointF a(ui->SpMeasuredAX->value(), ui->SpMeasuredAY->value());
    const QPointF b(ui->SpMeasuredBX->value(), ui->SpMeasuredBY->value());
    const TKxCalibration c = KxCalibrationFromMeasures(marks, a, b, FPrinted, margin);
    if (const QString problem = c.Problem(); !problem.isEmpty()) {
        Say(tr("These measures cannot be right: %1. B must lie right of and below A.").arg(problem), true);
        return false;
    }
    Show(c);
    Say(tr("Corrected from the measures: save to keep it, then print the sheet again to check."), false);
    return true;
}

bool TKxCalibrationDialog::Save() {
    const QString name = ui->CBoxPrinter->currentText();
    if (name.trimmed().isEmpty()) {
        Say(tr("Choose or name a printer first."), true);
        return false;
    }
    try {
        KxSaveCalibration(name, Shown());
    } catch (const EKxException& e) {
        Say(e.Message(), true);
        return false;
    }
    Say(tr("Saved for %1: its jobs are corrected from now on.").arg(name), false);
    return true;
}

#pragma once

#include <memory>
#include <QDialog>

#include "print/Calibration.h"
#include "print/CalibrationSheet.h"

namespace Ui {
class KxCalibrationDialog;
}

/// "Printer calibration": the correction each printer's jobs get (offset in mm, scale in %), kept per
/// printer in the per-user calibration file. Prints a calibration sheet and works the correction out from
/// where the user measured its crosshairs.
class TKxCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKxCalibrationDialog(QWidget* Parent = nullptr);
    ~TKxCalibrationDialog() override;

    /// Shows the profile of Printer (any name: a profile may serve `kxprint --calibration`).
    void SelectPrinter(const QString& Printer);
    /// The correction as the boxes show it.
    TKxCalibration Shown() const;
    /// Prints the calibration sheet on the chosen printer, corrected as shown; false, said in the
    /// status line, when it cannot.
    bool PrintSheet();
    /// Corrects the shown values by the measures of the last sheet printed; false when they cannot be used.
    bool CorrectFromMeasures();
    /// Keeps the shown values for the chosen printer; false when they cannot be kept.
    bool Save();

private:
    void Load();
    void Show(const TKxCalibration& C);
    void Say(const QString& Text, bool Problem);
    /// The marks and printable corner of the chosen printer's paper; nothing when it is not a printer.
    bool PrinterGeometry(TKxCalibrationMarks& Marks, QPointF& Margin) const;

    std::unique_ptr<Ui::KxCalibrationDialog> ui;
    /// The correction the last sheet was printed with: the measures are of that sheet.
    TKxCalibration FPrinted;
};

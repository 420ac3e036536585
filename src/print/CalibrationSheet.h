#pragma once

#include <QPointF>

#include "kxlab_export.h"
#include "print/Calibration.h"

class TPrinter;

/// Where the calibration sheet puts its two crosshairs, in millimetres from the paper's top-left corner:
/// A 20 mm in from the top-left corner, B 20 mm in from the bottom-right one (nearer on paper smaller
/// than 60 mm).
struct KXLAB_EXPORT TKxCalibrationMarks {
    QPointF A;
    QPointF B;

    static TKxCalibrationMarks ForPaper(double WidthMM, double HeightMM);
};

/// Prints the calibration sheet on Printer, one page of its paper, corrected by Printed: millimetre rulers
/// along the top and left edges of the printable area and the crosshairs of TKxCalibrationMarks, each
/// labelled with where it belongs. Raises EPrinter when the printer fails.
KXLAB_EXPORT void KxPrintCalibrationSheet(TPrinter& Printer, const TKxCalibration& Printed);

/// The calibration that puts the marks where they belong, from where the user found them on a sheet
/// printed with calibration Printed: Measured A and B in millimetres from the paper's top-left corner.
/// Margin is the corner of the printer's printable area, in millimetres from the paper's. A printer
/// that places x at a + b x makes marks measured at A' and B' give b from their distance and a from A'.
/// The result may be out of range (Problem() says so) when the measures are.
KXLAB_EXPORT TKxCalibration KxCalibrationFromMeasures(const TKxCalibrationMarks& Marks, QPointF MeasuredA,
                                                      QPointF MeasuredB, const TKxCalibration& Printed,
                                                      QPointF Margin);

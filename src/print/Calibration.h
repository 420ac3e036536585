#pragma once

#include <optional>
#include <QString>

#include "kxlab_export.h"

class TCanvas;

/// How a printer misplaces what it prints, measured by its user and undone at print time: everything is
/// moved by OffsetX/OffsetY millimetres and scaled by ScaleX/ScaleY percent about the corner of the
/// printable area. Offsets lie within +-50 mm, scales within 50 to 200 %.
struct KXLAB_EXPORT TKxCalibration {
    double OffsetX = 0;
    double OffsetY = 0;
    double ScaleX = 100;
    double ScaleY = 100;

    bool IsIdentity() const { return OffsetX == 0 && OffsetY == 0 && ScaleX == 100 && ScaleY == 100; }
    /// Why the values cannot be used, empty when they can.
    QString Problem() const;
    /// Maps Canvas so that LogicalWidth by LogicalHeight logical units cover DeviceWidth by DeviceHeight
    /// pixels, corrected by this calibration.
    void Map(TCanvas& Canvas, int32_t LogicalWidth, int32_t LogicalHeight, int32_t DeviceWidth,
             int32_t DeviceHeight) const;
};

/// The per-user calibration file, beside the aliases file: one section per printer (or profile) name.
KXLAB_EXPORT QString KxCalibrationFile();

/// The calibration File keeps for Name, or nothing. Raises EKxError naming the file and the profile when
/// the values are unreadable or out of range.
KXLAB_EXPORT std::optional<TKxCalibration> KxFindCalibration(const QString& Name,
                                                             const QString& File = KxCalibrationFile());

/// Keeps Calibration for Name in File, written aside and renamed over it; raises EKxError when it
/// cannot be written or the values are out of range.
KXLAB_EXPORT void KxSaveCalibration(const QString& Name, const TKxCalibration& Calibration,
                                    const QString& File = KxCalibrationFile());

#include "print/Calibration.h"

#include <cmath>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "base/KxError.h"
#include "gdi/Canvas.h"

namespace {

// Printer names hold any character; a section name of the file must not.
QString Section(const QString& Name) {
    return QString::fromLatin1(Name.toUtf8().toPercentEncoding());
}

int32_t Scaled(int32_t Pixels, double Percent) {
    return static_cast<int32_t>(std::lround(Pixels * Percent / 100.0));
}

} // namespace

QString TKxCalibration::Problem() const {
    const auto offset = [](double V) { return std::isfinite(V) && std::fabs(V) <= 50; };
    const auto scale = [](double V) { return std::isfinite(V) && V >= 50 && V <= 200; };
    if (!offset(OffsetX) || !offset(OffsetY)) return QStringLiteral("an offset lies outside -50 to 50 mm");
    if (!scale(ScaleX) || !scale(ScaleY)) return QStringLiteral("a scale lies outside 50 to 200 %");
    return {};
}

void TKxCalibration::Map(TCanvas& Canvas, int32_t LogicalWidth, int32_t LogicalHeight, int32_t DeviceWidth,
                         int32_t DeviceHeight) const {
    const int32_t w = std::max(LogicalWidth, 1);
    const int32_t h = std::max(LogicalHeight, 1);
    if (IsIdentity()) {
        Canvas.SetMapMode(MM_ISOTROPIC);
        Canvas.SetWindowExtEx(w, h);
        Canvas.SetViewportExtEx(DeviceWidth, DeviceHeight);
        return;
    }
    // Each axis scales on its own; a logical unit is a tenth of a millimetre.
    Canvas.SetMapMode(MM_ANISOTROPIC);
    Canvas.SetWindowExtEx(w, h);
    Canvas.SetViewportExtEx(Scaled(DeviceWidth, ScaleX), Scaled(DeviceHeight, ScaleY));
    Canvas.SetViewportOrgEx(static_cast<int32_t>(std::lround(OffsetX * 10 * DeviceWidth / w)),
                            static_cast<int32_t>(std::lround(OffsetY * 10 * DeviceHeight / h)));
}

QString KxCalibrationFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kxlab/calibration.ini"));
}

std::optional<TKxCalibration> KxFindCalibration(const QString& Name, const QString& File) {
    if (!QFileInfo(File).isFile()) return std::nullopt;
    QSettings file(File, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw EKxError(QStringLiteral("Cannot read the calibration file \"%1\"").arg(File));
    if (!file.childGroups().contains(Section(Name))) return std::nullopt;
    file.beginGroup(Section(Name));
    TKxCalibration c;
    bool ok = true;
    const auto read = [&](const char* Key, double Default) {
        bool one = true;
        const double v = file.value(QLatin1String(Key), Default).toDouble(&one);
        ok = ok && one;
        return v;
    };
    c.OffsetX = read("OffsetX", 0);
    c.OffsetY = read("OffsetY", 0);
    c.ScaleX = read("ScaleX", 100);
    c.ScaleY = read("ScaleY", 100);
    const QString problem = ok ? c.Problem() : QStringLiteral("a value is not a number");
    if (!problem.isEmpty())
        throw EKxError(
            QStringLiteral("The calibration \"%1\" in \"%2\" cannot be used: %3").arg(Name, File, problem));
    return c;
}

void KxSaveCalibration(const QString& Name, const TKxCalibration& Calibration, const QString& File) {
    if (const QString problem = Calibration.Problem(); !problem.isEmpty())
        throw EKxError(QStringLiteral("The calibration \"%1\" cannot be kept: %2").arg(Name, problem));
    QDir().mkpath(QFileInfo(File).absolutePath());
    // QSettings writes the file aside and renames it over the old one.
    QSettings file(File, QSettings::IniFormat);
    file.beginGroup(Section(Name));
    file.setValue(QStringLiteral("OffsetX"), Calibration.OffsetX);
    file.setValue(QStringLiteral("OffsetY"), Calibration.OffsetY);
    file.setValue(QStringLiteral("ScaleX"), Calibration.ScaleX);
    file.setValue(QStringLiteral("ScaleY"), Calibration.ScaleY);
    file.endGroup();
    file.sync();
    if (file.status() != QSettings::NoError)
        throw EKxError(QStringLiteral("Cannot write the calibration file \"%1\"").arg(File));
}

#include "label/KxRunPlan.h"

#include <algorithm>
#include <QFileInfo>

#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

TKxRunSettings TKxRunSettings::FromPrintInfo(const TKxPrintInfo& Info) {
    TKxRunSettings s;
    s.FirstRow = Info.GetFirstRow();
    s.FirstCol = Info.GetFirstCol();
    s.Labs = Info.GetLabs();
    s.FirstLab = Info.GetFirstLab();
    s.LastLab = Info.GetLastLab();
    s.Repetition = Info.GetRepetition();
    return s;
}

TKxRunPlan TKxRunPlan::Of(const TKxRunSettings& Settings, const TKxMeasure& Measure, bool WithData) {
    TKxRunPlan p;
    p.WithData = WithData;
    p.Start.Row = Settings.FirstRow;
    p.Start.Col = Settings.FirstCol;
    if (WithData) {
        // A first record below 1 from a file starts at the first record, never before it.
        p.FirstRecord = std::max<int64_t>(Settings.FirstLab, 1);
        p.LastRecord = std::max<int64_t>(Settings.LastLab, 0);
        p.Start.Rep = Settings.Repetition;
        p.Labels = (int64_t{Settings.LastLab} - Settings.FirstLab + 1) * Settings.Repetition;
    } else {
        p.Start.Rep = 1;
        p.Labels = Settings.Labs;
    }
    p.Labels = std::max<int64_t>(p.Labels, 0);
    p.Start.Count = p.Labels;
    p.Sheets = TKxCellWalk::PagesNeeded(Measure.GetNuHor(), Measure.GetNuVer(), p.Start);
    p.StartsOffSheet = Settings.FirstRow > std::max(Measure.GetNuHor(), 1) ||
                       Settings.FirstCol > std::max(Measure.GetNuVer(), 1);
    return p;
}

QString TKxRunPlan::OffSheetReason(const TKxMeasure& Measure) const {
    const int32_t rows = std::max(Measure.GetNuHor(), 1);
    const int32_t cols = std::max(Measure.GetNuVer(), 1);
    if (Start.Row > rows)
        return QStringLiteral("the first cell is in row %1 of a sheet of %2 rows").arg(Start.Row).arg(rows);
    if (Start.Col > cols)
        return QStringLiteral("the first cell is in column %1 of a sheet of %2 columns")
            .arg(Start.Col)
            .arg(cols);
    return {};
}

QString KxSheetPath(const QString& Output, int64_t Number) {
    const QFileInfo info(Output);
    const QString suffix = info.suffix();
    // Joined, never formatted: a '%' in the name is part of it.
    return Output.left(Output.lastIndexOf(u'/') + 1) + info.completeBaseName() + u'-' +
           QString::number(Number) + (suffix.isEmpty() ? QString() : u'.' + suffix);
}

#include "label/KxRunPlan.h"

#include <algorithm>
#include <QFileInfo>

#include "db/Table.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxQuantities.h"

TKxRunSettings TKxRunSettings::FromPrintInfo(const TKxPrintInfo& Info) {
    TKxRunSettings s;
    s.FirstRow = Info.GetFirstRow();
    s.FirstCol = Info.GetFirstCol();
    s.Labs = Info.GetLabs();
    s.FirstLab = Info.GetFirstLab();
    s.LastLab = Info.GetLastLab();
    s.Repetition = Info.GetRepetition();
    s.QuantityField = Info.GetQuantityField();
    return s;
}

namespace {

int32_t AtLeastOne(int32_t Value) {
    return std::max(Value, 1);
}

// Cells before the first cell on the first sheet.
int64_t StartOffset(const TKxRunSettings& Settings, int32_t Rows, int32_t Cols) {
    const int64_t row = std::clamp<int64_t>(Settings.FirstRow, 1, Rows);
    const int64_t col = std::clamp<int64_t>(Settings.FirstCol, 1, Cols);
    return (row - 1) * Cols + (col - 1);
}

// The labels of the whole run with data.
int64_t DataLabels(const TKxRunSettings& Settings) {
    if (Settings.Quantities) return Settings.Quantities->Labels();
    return (int64_t{Settings.LastLab} - Settings.FirstLab + 1) * Settings.Repetition;
}

// The records of the part from label Skip on, and the copies of its first record still to draw.
void PlaceRecords(TKxRunPlan& P, const TKxRunSettings& Settings, int64_t Skip) {
    if (const TKxQuantities* q = Settings.Quantities.get()) {
        if (P.Labels <= 0) {
            P.FirstRecord = q->FirstRecord();
            P.LastRecord = std::max<int64_t>(q->FirstRecord() + q->Records() - 1, 0);
            return;
        }
        const TKxQuantities::TPlace first = q->Locate(Skip);
        P.FirstRecord = first.Record;
        P.LastRecord = q->Locate(Skip + P.Labels - 1).Record;
        P.Start.Rep = first.CopiesLeft;
        P.Start.Record = first.Record;
        return;
    }
    const int64_t copies = std::max(Settings.Repetition, 1);
    P.Start.Rep = copies - Skip % copies;
    // A first record below 1 from a file starts at the first record, never before it.
    P.FirstRecord = std::max<int64_t>(Settings.FirstLab, 1) + Skip / copies;
    P.LastRecord = P.Labels > 0 ? P.FirstRecord + (Skip % copies + P.Labels - 1) / copies
                                : std::max<int64_t>(Settings.LastLab, 0);
}

} // namespace

TKxRunPlan TKxRunPlan::Of(const TKxRunSettings& Settings, const TKxMeasure& Measure, bool WithData) {
    TKxRunPlan p;
    p.WithData = WithData;
    p.Start.Row = Settings.FirstRow;
    p.Start.Col = Settings.FirstCol;
    int64_t labels = std::max<int64_t>(WithData ? DataLabels(Settings) : Settings.Labs, 0);
    // A part starts where the whole run would be after its skipped labels.
    const int64_t skip = std::clamp<int64_t>(Settings.SkipLabels, 0, labels);
    labels -= skip;
    if (Settings.TakeLabels >= 0) labels = std::min(labels, Settings.TakeLabels);
    p.Labels = labels;
    p.Start.Count = labels;
    p.Start.Rep = 1;
    if (WithData) PlaceRecords(p, Settings, skip);
    const int32_t rows = AtLeastOne(Measure.GetNuHor());
    const int32_t cols = AtLeastOne(Measure.GetNuVer());
    p.StartsOffSheet = Settings.FirstRow > rows || Settings.FirstCol > cols;
    if (skip > 0 && !p.StartsOffSheet) {
        const int64_t cell = StartOffset(Settings, rows, cols) + skip;
        const int64_t perSheet = int64_t{rows} * cols;
        p.FirstSheet = 1 + cell / perSheet;
        p.Start.Row = static_cast<int32_t>(cell % perSheet / cols + 1);
        p.Start.Col = static_cast<int32_t>(cell % cols + 1);
    }
    p.Sheets = TKxCellWalk::PagesNeeded(Measure.GetNuHor(), Measure.GetNuVer(), p.Start);
    return p;
}

TKxRunSettings TKxRunPlan::SheetRun(const TKxRunSettings& Settings, const TKxMeasure& Measure, bool WithData,
                                    int64_t First, int64_t Last) {
    TKxRunSettings whole = Settings;
    whole.SkipLabels = 0;
    whole.TakeLabels = -1;
    const int64_t labels = Of(whole, Measure, WithData).Labels;
    const int32_t rows = AtLeastOne(Measure.GetNuHor());
    const int32_t cols = AtLeastOne(Measure.GetNuVer());
    // The walk's own start: a column past the last goes on to the next row, and a row past the last
    // leaves the first sheet empty and goes on at the top, in the same column.
    int32_t row = AtLeastOne(whole.FirstRow);
    int32_t col = AtLeastOne(whole.FirstCol);
    if (col > cols) {
        col = 1;
        if (row <= rows) ++row;
    }
    const int64_t emptySheets = row > rows ? 1 : 0;
    if (emptySheets) row = 1;
    const int64_t perSheet = int64_t{rows} * cols;
    const int64_t offset = int64_t{row - 1} * cols + (col - 1);
    // Labels of the run before sheet Sheet (from 0).
    const auto before = [&](int64_t Sheet) {
        return std::clamp<int64_t>((Sheet - emptySheets) * perSheet - offset, 0, labels);
    };
    TKxRunSettings part = whole;
    if (First >= emptySheets) {
        part.FirstRow = row;
        part.FirstCol = col;
    }
    part.SkipLabels = before(First);
    part.TakeLabels = std::max<int64_t>(before(Last) - part.SkipLabels, 0);
    return part;
}

std::optional<TKxRunSettings> TKxRunPlan::Part(const TKxRunSettings& Settings, const TKxMeasure& Measure,
                                               bool WithData, int Part, int Parts) {
    TKxRunSettings whole = Settings;
    whole.SkipLabels = 0;
    whole.TakeLabels = -1;
    const TKxRunPlan plan = Of(whole, Measure, WithData);
    if (plan.Labels <= 0 || plan.StartsOffSheet || Parts < 1 || Part < 1 || Part > Parts) return std::nullopt;
    const int64_t first = (Part - 1) * plan.Sheets / Parts;
    const int64_t last = Part * plan.Sheets / Parts;
    if (last <= first) return std::nullopt;
    return SheetRun(whole, Measure, WithData, first, last);
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

void KxLoadQuantities(TKxLabel& Label, TKxRunSettings& Settings) {
    if (Settings.QuantityField.isEmpty() || Settings.Quantities || !Settings.UseData || !Label.ValidData())
        return;
    TTable& table = *Label.GetTable();
    try {
        Settings.Quantities = std::make_shared<const TKxQuantities>(KxReadQuantities(
            table, Settings.QuantityField, Settings.FirstLab, Settings.LastLab, Settings.Repetition));
    } catch (...) {
        Label.CloseData();
        throw;
    }
}

#include "label/KxPrintRun.h"

#include <algorithm>
#include <QScopedValueRollback>

#include "base/Rounding.h"
#include "base/Saturate.h"
#include "db/Table.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/LabelCell.h"
#include "metafile/Metafile.h"
#include "metafile/MetafileCanvas.h"
#include "print/Printer.h"
#include "types/KxMessages.h"

namespace {

// Closes the run's table on every way out of a run, an exception included.
class TTableCloser {
public:
    explicit TTableCloser(TTable* Table)
        : FTable(Table) {}
    ~TTableCloser() {
        if (!FTable) return;
        FTable->Close();
        // The run's read limit is the run's own: the designer browses the whole table.
        FTable->SetReadLimit(0);
    }
    TTableCloser(const TTableCloser&) = delete;
    TTableCloser& operator=(const TTableCloser&) = delete;

private:
    TTable* FTable;
};

// Ends a print job that an exception interrupts, so no job is left half open.
class TJobGuard {
public:
    explicit TJobGuard(TPrinter& P)
        : FPrinter(P) {
        FPrinter.BeginDoc();
    }
    ~TJobGuard() {
        if (FPrinter.Printing()) FPrinter.Abort();
    }
    TJobGuard(const TJobGuard&) = delete;
    TJobGuard& operator=(const TJobGuard&) = delete;

private:
    TPrinter& FPrinter;
};

// Each label cell is its canvas's anchor while the run walks the cells, so a vector page writes every
// label relative to its cell and labels that differ only in data read alike. The canvas is asked for
// at each cell: a recording run has a new one for every page.
class TCellAnchor {
public:
    explicit TCellAnchor(TCanvas* const& Canvas)
        : FCanvas(Canvas) {}
    ~TCellAnchor() {
        if (FCanvas) FCanvas->Unanchor();
    }
    TCellAnchor(const TCellAnchor&) = delete;
    TCellAnchor& operator=(const TCellAnchor&) = delete;
    void At(int32_t X, int32_t Y) const {
        if (FCanvas) FCanvas->Anchor(X, Y);
    }

private:
    TCanvas* const& FCanvas;
};

// A page edge from a file in hundredths of a millimetre: at least 1, so a size that is not positive
// still makes a (tiny) page rather than a broken mapping.
int32_t PageEdge(int32_t LabelUnits) {
    return std::max(Saturate32(int64_t{LabelUnits} * 10), 1);
}

// The margins a run subtracts from each cell's position on the sheet. A printer's logical (0, 0) is
// the corner of its printable area, so a print run subtracts the live printer's offsets. Recorded
// sheets start at the paper's corner and subtract the margins the print settings stored when they
// were last assigned, so a preview or an export comes out the same whatever printer is current.
TPoint RunMargins(bool OnPrinter, const TKxPrinterMetrics& Live, const TKxPrintInfo& Info) {
    const TKxPrinterMetrics& m = OnPrinter ? Live : Info.Snapshot();
    return {m.MaLeft, m.MaTop};
}

} // namespace

EKxRecordsVanished::EKxRecordsVanished(const QString& Table, int64_t Found, int64_t Counted)
    : EKxError(QStringLiteral("Table \"%1\" ended at record %2 of the %3 it held when the run started: "
                              "records were deleted while the run read them.")
                   .arg(Table)
                   .arg(Found)
                   .arg(Counted)) {}

EKxRunCancelled::EKxRunCancelled()
    : EKxError(QString::fromUtf8(KxRunCancelled)) {}

bool KxApplyPaper(TPrinter& Printer, const TKxLabel& Label) {
    const TKxMeasure& measure = *Label.GetMeasure();
    const TKxPrintInfo& info = *Label.GetPrintInfo();
    // A user size (code 256) takes the label's paper width and height.
    const bool known =
        Printer.SetPaperSize(info.GetPaperSize(), measure.PaperWidthLU(), measure.PaperHeightLU());
    Printer.SetOrientation(info.GetOrientation() == 1 ? poLandscape : poPortrait);
    return known;
}

TKxPrintRun::TKxPrintRun(TKxLabel& Label, const TKxRunSettings& Settings)
    : FLabel(Label)
    , FSettings(Settings) {}

TKxPrintRun::~TKxPrintRun() = default;

bool TKxPrintRun::Start(TKxRunState& State) {
    FLabels = 0;
    FSheets = 0;
    // Read before anything is drawn: a bad quantity stops the run with nothing printed.
    KxLoadQuantities(FLabel, FSettings);
    FPlan = TKxRunPlan::Of(FSettings, *FLabel.GetMeasure(), FSettings.UseData && FLabel.ValidData());
    State = FPlan.Start;
    return FPlan.WithData;
}

void TKxPrintRun::PositionTable() {
    TTable& table = *FLabel.GetTable();
    // The run reads no record past its last: a huge table, or a view without end, is not read through.
    table.SetReadLimit(std::max<int64_t>(FPlan.LastRecord, 1));
    FAvailable = std::min<int64_t>(table.RecordCount(), FPlan.LastRecord);
    // The engine skips the records before the first, so a run from far into a table starts at once.
    // Past the last record the last one repeats.
    table.FirstFrom(std::clamp<int64_t>(FPlan.FirstRecord, 1, std::max<int64_t>(FAvailable, 1)));
}

void TKxPrintRun::NextRecord() {
    TTable& table = *FLabel.GetTable();
    table.Next();
    if (table.Eof() && table.RecNo() < FAvailable)
        throw EKxRecordsVanished(table.TableName(), table.RecNo(), FAvailable);
}

void TKxPrintRun::WalkCells(TKxRunState& State, bool WithData, TKxDrawType DrawType, const TPoint& Margins,
                            const std::function<void()>& NewPage) {
    const TKxMeasure& measure = *FLabel.GetMeasure();
    TKxCellWalk walk(measure.GetNuHor(), measure.GetNuVer(), FSettings.Repetition, WithData, State,
                     FSettings.Quantities.get());
    const TCellAnchor anchor(FCanvas);
    for (;;) {
        const TKxWalkStep step = walk.Next();
        if (step.Kind == TKxWalkStep::wkEnd) return;
        if (step.Kind == TKxWalkStep::wkNewPage) {
            NewPage();
            ++FSheets;
            continue;
        }
        const TPoint cell = LabelCellOrigin(measure, step.Col, step.Row);
        const int32_t x = cell.X - Margins.X;
        const int32_t y = cell.Y - Margins.Y;
        anchor.At(x, y);
        const TKxDrawContext context{FCanvas, DrawType, WithData, WithData ? FLabel.GetTable() : nullptr, {}};
        FLabel.DrawBackSurf(x, y, context);
        FLabel.DrawElements(TPoint{x, y}, context);
        // On paper the frame lies over the elements.
        FLabel.DrawFrame(x, y, context);
        if (step.NextRecord)
            for (int64_t i = 0; i < step.Records; ++i)
                NextRecord();
        ++FLabels;
        if (FProgress && !FProgress(FLabels, FSheets)) throw EKxRunCancelled();
    }
}

void TKxPrintRun::Print(TPrinter& Printer) {
    TKxRunState state;
    const bool withData = Start(state);
    const TTableCloser closer(withData ? FLabel.GetTable() : nullptr);
    // An empty job would still feed the printer a blank sheet.
    if (state.Count <= 0) return;
    if (withData) PositionTable();
    TJobGuard job(Printer);
    PrintCells(Printer, state, true, withData);
    Printer.EndDoc();
}

void TKxPrintRun::PrintCells(TPrinter& Printer, TKxRunState& State, bool First, bool WithData) {
    TCanvas& canvas = Printer.Canvas();
    const QScopedValueRollback<TCanvas*> target(FCanvas, &canvas);
    const TKxMeasure& measure = *FLabel.GetMeasure();
    const TKxPrinterMetrics live = KxPrinterMetrics(Printer, measure.PaperWidthLU(), measure.PaperHeightLU());
    // Logical (0, 0) is the corner of the printable area; one logical unit a tenth of a millimetre.
    int previousMode = canvas.GetMapMode();
    const auto map = [&] {
        previousMode = canvas.GetMapMode();
        FSettings.Calibration.Map(canvas, live.Width, live.Height, Printer.PageWidth(), Printer.PageHeight());
    };
    if (First) {
        FSheets = std::max<int64_t>(FSheets, 1);
        map();
    }
    WalkCells(State, WithData, tdPrint, RunMargins(true, live, *FLabel.GetPrintInfo()), [&] {
        canvas.SetMapMode(previousMode);
        Printer.NewPage();
        map();
    });
}

void TKxPrintRun::Record(const TKxPageKeeper& Keep) {
    TKxRunState state;
    const bool withData = Start(state);
    const TTableCloser closer(withData ? FLabel.GetTable() : nullptr);
    const int64_t pages = FPlan.Sheets;
    const auto refuse = [](int64_t Need, int64_t Most, const char* What) {
        throw EKxError(QString::fromUtf8(KxPreviewTooLarge).arg(Need).arg(Most).arg(QLatin1String(What)));
    };
    if (pages > KxMaxPreviewPages) refuse(pages, KxMaxPreviewPages, "sheets");
    if (state.Count > KxMaxPreviewLabels) refuse(state.Count, KxMaxPreviewLabels, "labels");
    if (withData) PositionTable();
    RecordCells(state, true, withData, Keep);
}

void TKxPrintRun::Export(const TKxPageSink& Sink) {
    TKxRunState state;
    const bool withData = Start(state);
    const TTableCloser closer(withData ? FLabel.GetTable() : nullptr);
    if (withData && state.Count > 0) PositionTable();
    int64_t number = 0;
    RecordCells(state, true, withData, [&](std::unique_ptr<TMetafile> Page) { Sink(*Page, ++number); });
}

void TKxPrintRun::RecordCells(TKxRunState& State, bool First, bool WithData, const TKxPageKeeper& Keep) {
    if (First) {
        OpenPage();
        FSheets = std::max<int64_t>(FSheets, 1);
    }
    const TPoint margins = RunMargins(false, {}, *FLabel.GetPrintInfo());
    try {
        WalkCells(State, WithData, tdPreview, margins, [&] {
            Keep(ClosePage());
            OpenPage();
        });
    } catch (...) {
        ClosePage();
        throw;
    }
    Keep(ClosePage());
}

void TKxPrintRun::OpenPage() {
    // Hundredths of a millimetre; landscape sheets lie on their side.
    const TKxMeasure& measure = *FLabel.GetMeasure();
    int32_t pw = PageEdge(measure.PaperWidthLU());
    int32_t ph = PageEdge(measure.PaperHeightLU());
    if (FLabel.GetPrintInfo()->GetOrientation() == 1) std::swap(pw, ph);
    FPage = std::make_unique<TMetafile>();
    FPage->SetMMWidth(pw);
    FPage->SetMMHeight(ph);
    FRecorder = std::make_unique<TMetafileCanvas>(*FPage);
    FCanvas = FRecorder.get();
    // 0.378 reference pixels per tenth of a millimetre: 96 per inch, (0, 0) the paper's corner; a
    // calibration asked for moves and scales the page as it does a printer's.
    FSettings.Calibration.Map(*FRecorder, pw, ph,
                              static_cast<int32_t>(Round(static_cast<Extended>(pw) * 0.378L)),
                              static_cast<int32_t>(Round(static_cast<Extended>(ph) * 0.378L)));
}

std::unique_ptr<TMetafile> TKxPrintRun::ClosePage() {
    // Freeing the recorder finishes the page.
    FCanvas = nullptr;
    FRecorder.reset();
    return std::move(FPage);
}

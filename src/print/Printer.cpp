#include "print/Printer.h"

#include <cmath>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "base/PostRoutine.h"
#include "print/PdfWriter.h"

namespace {

constexpr double MMPerInch = 25.4;

int ToPixels(double mm, int dpi) {
    return static_cast<int>(std::lround(mm / MMPerInch * dpi));
}

} // namespace

std::optional<QPageSize::PageSizeId> PaperSizeId(int code) {
    switch (code) {
    case 1: return QPageSize::Letter;
    case 3: return QPageSize::Tabloid;
    case 4: return QPageSize::Ledger;
    case 5: return QPageSize::Legal;
    case 6: return QPageSize::Statement;
    case 7: return QPageSize::ExecutiveStandard; // 7.25 x 10.5 in, not Qt's 7.5 x 10 "Executive"
    case 8: return QPageSize::A3;
    case 9: return QPageSize::A4;
    case 11: return QPageSize::A5;
    case 12: return QPageSize::JisB4;
    case 13: return QPageSize::JisB5;
    case 15: return QPageSize::Quarto;
    case 27: return QPageSize::EnvelopeDL;
    case 28: return QPageSize::EnvelopeC5;
    case 29: return QPageSize::EnvelopeC3;
    case 30: return QPageSize::EnvelopeC4;
    case 31: return QPageSize::EnvelopeC6;
    case 32: return QPageSize::EnvelopeC65;
    case 33: return QPageSize::EnvelopeB4;
    case 34: return QPageSize::EnvelopeB5;
    case 35: return QPageSize::EnvelopeB6;
    case 36: return QPageSize::EnvelopeItalian;
    case 42: return QPageSize::B4;
    case 43: return QPageSize::Postcard;
    case 47: return QPageSize::EnvelopeInvite;
    case 82: return QPageSize::DoublePostcard;
    default: return std::nullopt;
    }
}

TPrinter::TPrinter()
    : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Neither a printer nor a file until one is chosen: a job never lands in a file nobody named.
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    ApplyLayout();
}

TPrinter::~TPrinter() {
    EndDoc();
}

void TPrinter::SetPrinterName(const QString& name) {
    if (FPrinting) throw EPrinter(QStringLiteral("Printing in progress"));
    if (QPrinterInfo::printerInfo(name).isNull())
        throw EPrinter(QStringLiteral("Unknown printer \"%1\"").arg(name));
    // A file name left from PDF output would send the "printer" job to that file instead.
    FPrinter->setOutputFileName(QString());
    FOutputDevice = nullptr;
    FPrinter->setOutputFormat(QPrinter::NativeFormat);
    FPrinter->setPrinterName(name);
    // Qt quietly turns an unusable queue into PDF output; that must not pass for the printer.
    if (FPrinter->outputFormat() != QPrinter::NativeFormat || FPrinter->printerName() != name)
        throw EPrinter(QStringLiteral("Printer \"%1\" is not available").arg(name));
    ApplyLayout();
}

void TPrinter::SetOutputFileName(const QString& fileName) {
    if (FPrinting) throw EPrinter(QStringLiteral("Printing in progress"));
    FPrinter->setOutputFileName(fileName);
    // Qt turns an empty name into its own default printer; here it means no choice at all.
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    FOutputDevice = nullptr;
    ApplyLayout();
}

void TPrinter::SetOutputDevice(QIODevice* device) {
    if (FPrinting) throw EPrinter(QStringLiteral("Printing in progress"));
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    FOutputDevice = device;
    ApplyLayout();
}

bool TPrinter::HasTarget() const {
    return !IsPdf() || FOutputDevice || !FPrinter->outputFileName().isEmpty();
}

bool TPrinter::UseDefaultPrinter() {
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) return false;
    SetPrinterName(name);
    return true;
}

QString TPrinter::PrinterName() const {
    return IsPdf() ? QString() : FPrinter->printerName();
}

QString TPrinter::OutputFileName() const {
    return FPrinter->outputFileName();
}

bool TPrinter::IsPdf() const {
    return FPrinter->outputFormat() == QPrinter::PdfFormat;
}

bool TPrinter::SetPaperSize(int code, int customWidth, int customHeight) {
    if (code == DMPAPER_USER) {
        if (customWidth <= 0 || customHeight <= 0) return false;
        FPaperWidthMM = customWidth / 10.0;
        FPaperHeightMM = customHeight / 10.0;
    } else {
        const std::optional<QPageSize::PageSizeId> id = PaperSizeId(code);
        if (!id) return false;
        const QSizeF size = QPageSize(*id).size(QPageSize::Millimeter);
        FPaperWidthMM = size.width();
        FPaperHeightMM = size.height();
    }
    FPaperCode = code;
    ApplyLayout();
    return true;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    FOrientation = orientation;
    ApplyLayout();
}

void TPrinter::ApplyLayout() {
    // Only the paper and the orientation: copies, tray and duplex chosen in a dialog stay.
    const std::optional<QPageSize::PageSizeId> id = PaperSizeId(FPaperCode);
    const QPageSize size = id ? QPageSize(*id)
                              : QPageSize(QSizeF(FPaperWidthMM, FPaperHeightMM), QPageSize::Millimeter,
                                          QStringLiteral("Custom"), QPageSize::ExactMatch);
    FPrinter->setFullPage(false);
    FPrinter->setPageSize(size);
    FPrinter->setPageOrientation(FOrientation == poLandscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
    const QPageLayout layout = FPrinter->pageLayout();
    FPrinter->setPageMargins(layout.minimumMargins(), layout.units());
}

double TPrinter::MarginMM(int side) const {
    const QMarginsF m = FPrinter->pageLayout().margins(QPageLayout::Millimeter);
    switch (side) {
    case 0: return m.left();
    case 1: return m.top();
    case 2: return m.right();
    default: return m.bottom();
    }
}

void TPrinter::BeginDoc() {
    if (FPrinting) throw EPrinter(QStringLiteral("Printing in progress"));
    QPaintDevice* target = FPrinter.get();
    if (FOutputDevice) {
        // The printer's own PDF output can only go to a named file; ours writes a run's pages
        // as they come, text as text and a picture once.
        FPdf = std::make_unique<TPdfWriter>(FOutputDevice);
        FPdf->SetResolution(FPrinter->resolution());
        FPdf->SetPageLayout(FPrinter->pageLayout());
        FPdf->SetTitle(FPrinter->docName());
        FPdf->SetCreator(FPrinter->creator());
        target = FPdf.get();
    }
    if (!FDevice.Begin(target)) {
        FPdf.reset();
        const QString name = FOutputDevice ? QStringLiteral("(output device)")
                             : IsPdf()     ? OutputFileName()
                                           : FPrinter->printerName();
        throw EPrinter(QStringLiteral("Cannot start printing on \"%1\"").arg(name));
    }
    FCanvas.SetMapping(TMapping{});
    FPrinting = true;
    FPageNumber = 1;
}

void TPrinter::NewPage() {
    if (!FPrinting) return;
    if (FPdf)
        FPdf->NewPage();
    else
        FPrinter->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc() {
    if (!FPrinting) return;
    FDevice.End();
    FPdf.reset();
    FPrinting = false;
}

int TPrinter::Dpi() const {
    return FPrinter->resolution();
}

double TPrinter::PaperWidthMM() const {
    return FOrientation == poLandscape ? FPaperHeightMM : FPaperWidthMM;
}

double TPrinter::PaperHeightMM() const {
    return FOrientation == poLandscape ? FPaperWidthMM : FPaperHeightMM;
}

double TPrinter::PrintableWidthMM() const {
    return PaperWidthMM() - MarginMM(0) - MarginMM(2);
}

double TPrinter::PrintableHeightMM() const {
    return PaperHeightMM() - MarginMM(1) - MarginMM(3);
}

int TPrinter::PageWidth() const {
    return ToPixels(PrintableWidthMM(), Dpi());
}

int TPrinter::PageHeight() const {
    return ToPixels(PrintableHeightMM(), Dpi());
}

int TPrinter::PhysicalOffsetX() const {
    return ToPixels(MarginMM(0), Dpi());
}

int TPrinter::PhysicalOffsetY() const {
    return ToPixels(MarginMM(1), Dpi());
}

namespace {

std::unique_ptr<TPrinter>& PrinterInstance() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

void DropPrinter() {
    PrinterInstance().reset();
}

} // namespace

TPrinter& Printer() {
    std::unique_ptr<TPrinter>& printer = PrinterInstance();
    if (!printer) {
        printer = std::make_unique<TPrinter>();
        // A QPrinter must go before the application object does, not at static destruction.
        static const TPostRoutine drop(DropPrinter);
    }
    return *printer;
}

#pragma once

#include <memory>
#include <optional>
#include <QPageSize>
#include <QString>

#include "base/KxException.h"
#include "gdi/Canvas.h"
#include "gdi/PainterDevice.h"
#include "kxlab_export.h"

class QIODevice;
class QPrinter;
class TPdfWriter;

/// A printer that cannot be selected or started; the message names the printer or file.
class KXLAB_EXPORT EPrinter : public EKxException {
public:
    using EKxException::EKxException;
};

enum class TPrinterOrientation { poPortrait, poLandscape };
using enum TPrinterOrientation;

/// Paper codes of the platform's printer interface (DMPAPER_ values) that the paper catalogue uses.
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_USER = 256;

/// The QPageSize id of a paper code, or nothing for a code without one (256 is a custom size).
KXLAB_EXPORT std::optional<QPageSize::PageSizeId> PaperSizeId(int code);

/// The application's printer: a system printer (CUPS) or a PDF file, with a canvas whose device
/// pixels are the printable area's. Reached through Printer(); tests and batch runs may make their own.
///
/// Metrics are computed from the paper size in millimetres and the resolution, never from Qt's
/// device-pixel page rectangle, because PDF page sizes are rounded to whole points.
class KXLAB_EXPORT TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    /// Prints to the named system printer; raises EPrinter when the system does not know it.
    void SetPrinterName(const QString& name);
    /// Prints to a PDF file; an empty name leaves neither a printer nor a file chosen.
    void SetOutputFileName(const QString& fileName);
    /// A printer, a PDF file or an output device has been chosen. A new printer has none.
    bool HasTarget() const;
    /// Chooses the system's default printer; false, changing nothing, when the system has none.
    bool UseDefaultPrinter();
    /// Prints to a PDF written on device instead of a file: open for writing, owned by the caller and
    /// alive until EndDoc, which leaves it open; its write errors are the caller's to check. The
    /// document's name and creator (set on Device()) become the PDF's title and creator.
    void SetOutputDevice(QIODevice* device);
    QString PrinterName() const;
    QString OutputFileName() const;
    bool IsPdf() const;
    /// The underlying QPrinter, for a print dialog. Its paper and orientation are ours to set.
    QPrinter& Device() { return *FPrinter; }

    /// Selects the paper by its code: only the paper size and orientation change, never the rest of
    /// the set-up (copies, tray, duplex). Code 256 takes customWidth by customHeight in tenths of a
    /// millimetre. Answers false, changing nothing, for an unknown code or a non-positive custom size.
    bool SetPaperSize(int code, int customWidth = 0, int customHeight = 0);
    int PaperSize() const { return FPaperCode; }
    void SetOrientation(TPrinterOrientation orientation);
    TPrinterOrientation Orientation() const { return FOrientation; }

    /// Starts a job; raises EPrinter when the printer or file cannot be opened.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    /// Ends a job without further output (the pages already sent stay sent).
    void Abort() { EndDoc(); }
    bool Printing() const { return FPrinting; }
    /// Pages started in the current or last job.
    int PageNumber() const { return FPageNumber; }
    /// The canvas of the current page (usable between BeginDoc and EndDoc).
    TCanvas& Canvas() { return FCanvas; }

    /// Pixels per inch of the device.
    int Dpi() const;
    /// Paper size in millimetres, with the orientation applied.
    double PaperWidthMM() const;
    double PaperHeightMM() const;
    /// Printable area in millimetres (the paper less the device's unprintable margins).
    double PrintableWidthMM() const;
    double PrintableHeightMM() const;
    /// Printable area in device pixels: round(millimetres / 25.4 x Dpi).
    int PageWidth() const;
    int PageHeight() const;
    /// Offsets of the printable area from the paper's corner in device pixels.
    int PhysicalOffsetX() const;
    int PhysicalOffsetY() const;

private:
    void ApplyLayout();
    double MarginMM(int side) const;

    std::unique_ptr<QPrinter> FPrinter;
    QIODevice* FOutputDevice = nullptr;
    /// The job's writer while a job prints to FOutputDevice.
    std::unique_ptr<TPdfWriter> FPdf;
    TPainterDevice FDevice;
    TCanvas FCanvas{&FDevice};
    int FPaperCode = DMPAPER_A4;
    double FPaperWidthMM = 210;
    double FPaperHeightMM = 297;
    TPrinterOrientation FOrientation = poPortrait;
    bool FPrinting = false;
    int FPageNumber = 0;
};

/// The application's printer, made on first use.
KXLAB_EXPORT TPrinter& Printer();

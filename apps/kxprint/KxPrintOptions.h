#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <utility>
#include <vector>

/// A command line kxprint cannot run; the message says what is wrong.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

/// Where the run goes: one PDF file, one file per sheet of a picture format, or a system printer.
enum class TKxOutputKind { okPdf, okPng, okBmp, okSvg, okEmf, okPrinter };

/// kxprint's command line.
struct TKxPrintOptions {
    QString Label;
    /// The output file (a per-sheet format numbers its files: out.png gives out-1.png, out-2.png...).
    QString Output;
    QString PrinterName;
    TKxOutputKind Kind = TKxOutputKind::okPdf;
    /// Raster outputs only: pixels per inch, 10 to 2400.
    int Dpi = 300;
    QString AliasesFile;
    /// Aliases of the command line: name and SQLite database path.
    std::vector<std::pair<QString, QString>> Aliases;
    std::optional<int> Labs;
    std::optional<int> From;
    std::optional<int> To;
    std::optional<int> Repeat;
    std::optional<int> FirstRow;
    std::optional<int> FirstCol;
    /// --shard K/N: part K (from 1) of N of the run, cut at sheet boundaries.
    int ShardPart = 0;
    int ShardParts = 0;
    bool NoData = false;
    bool Quiet = false;
    /// A picture that cannot be read, or a field's text cut, fails the run instead of a warning.
    bool Strict = false;
    bool Help = false;
    /// --calibration: the calibration profile a printer or PDF run corrects by, instead of the printer's own.
    QString Calibration;
    /// --quantity-field: the field whose value in each record is its number of labels, instead of the
    /// label's own (empty: none).
    std::optional<QString> QuantityField;
    /// --stock: the label stock whose layout the run takes instead of the label's.
    QString Stock;
    /// --roll: one label per page, the page the label plus its gaps, for this run.
    bool Roll = false;
    /// --list-stocks: list the stocks whose maker and part number hold StockSearch, and print nothing.
    bool ListStocks = false;
    QString StockSearch;
};

/// Reads the arguments (without the program name); raises EUsage for anything it cannot take.
TKxPrintOptions ParsePrintOptions(const QStringList& Args);

/// Output's name for part Part of Parts: tags.pdf gives tags.part-3-of-8.pdf.
QString KxPartPath(const QString& Output, int Part, int Parts);

/// The usage text shown by --help.
QString PrintUsage();

/// The aliases file KXLAB_ALIASES names becomes the one --aliases names, unless the command line
/// names one itself, so it is read, checked and kept apart from the outputs as that one is; the
/// variable is cleared, so the default session does not read it a second time.
void TakeAliasesFromEnvironment(TKxPrintOptions& Options);

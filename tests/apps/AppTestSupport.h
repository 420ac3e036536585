#pragma once

#include <functional>
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "common/TestSupport.h"

class TKxLabel;
class TTestDatabase;

/// A file of the sample folder the build makes (database, aliases, example labels).
QString Sample(const QString& Name);

/// The barcodes zbarimg reads on a picture, sorted.
QStringList Scan(const QString& Png);
/// One sheet of a PDF as a 300 dpi picture, smoothed as viewers show it: bars made of touching pieces
/// would show hairlines there and fail to scan. Answers the picture's path, Prefix plus ".png".
QString Rasterise(const QString& Pdf, int Page, const QString& Prefix);
/// The EAN-13 codes of records From to To of the sample database, sorted.
QStringList SampleCodes(int From, int To);
/// The barcodes of the showcase label, sorted as Scan gives them.
QStringList ShowcaseCodes();

/// Runs the built kxprint to its end.
TResult KxPrint(const QStringList& Args);
/// Runs the built kxprint under a file-size limit of Blocks kilobytes, as `ulimit -f` sets it.
TResult KxPrintWithFileLimit(int Blocks, const QStringList& Args);
/// Runs the built kxprint under `ulimit Option Value` ("-n", 64: at most 64 open files).
TResult KxPrintWithLimit(const QString& Option, int Value, const QStringList& Args);

/// An aliases file in Dir whose alias "Products" is Db's PostgreSQL database; answers its path.
QString PostgresAliases(const TKxTempDir& Dir, const TTestDatabase& Db);

/// pdfinfo's value for Key ("Pages", "Title"...), empty when there is none.
QString PdfInfo(const QString& Pdf, const QString& Key);
int PdfPages(const QString& Pdf);

QByteArray FileBytes(const QString& Path);
void WriteBytes(const QString& Path, const QByteArray& Bytes);
/// Every entry of Folder, hidden ones too, sorted.
QStringList FolderEntries(const QString& Folder);

/// The example price-tag label changed by Change and saved as Path.
QString SaveLabel(const QString& Path, const std::function<void(TKxLabel&)>& Change);

/// Prints Run (kxprint's arguments but the output) whole into Dir, then in 1, 3 and 8 parts: the parts'
/// pages, joined in order, are the whole run's; a part beyond the run's sheets fails, saying so.
void ExpectPartsJoinToTheWholeRun(const TKxTempDir& Dir, const QStringList& Run);

/// kxprint running in the background, for tests that interrupt it.
class TKxPrintProcess {
public:
    explicit TKxPrintProcess(const QStringList& Args);
    ~TKxPrintProcess();
    /// Waits (at most a minute) until the run holds an unnamed temporary file in Folder open; false
    /// when the run ended first.
    bool WaitForUnnamed(const QString& Folder);
    /// Waits until the unnamed temporary file in Folder holds at least Bytes bytes.
    bool WaitForBytes(const QString& Folder, qint64 Bytes);
    void Signal(int Number);
    /// Waits for the end; answers the exit status, or the signal that ended it as a negative number.
    int Finish();
    QString Err() const { return FErr; }

private:
    /// The unnamed temporary file in Folder the process holds open, as /proc shows it, or empty.
    QString Unnamed(const QString& Folder) const;

    QProcess FProcess;
    QString FErr;
};

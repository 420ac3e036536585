#pragma once

#include <cstdint>
#include <QString>

#include "base/Color.h"
#include "kxlab_export.h"
#include "label/KxSettings.h"

/// The current printer's page metrics. Margins, width and height are label units (tenths of a
/// millimetre); resolutions are pixels per inch.
struct KXLAB_EXPORT TKxPrinterMetrics {
    int32_t MaLeft = 0;
    int32_t MaTop = 0;
    int32_t MaRight = 0;
    int32_t MaBottom = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t DpiH = 0;
    int32_t DpiV = 0;

    friend bool operator==(const TKxPrinterMetrics&, const TKxPrinterMetrics&) = default;
};

class TPrinter;

/// The metrics of printer P for a paper of PaperWidth by PaperHeight label units (the right and
/// bottom margins are what the paper leaves beyond the printable area).
KXLAB_EXPORT TKxPrinterMetrics KxPrinterMetrics(const TPrinter& P, int32_t PaperWidth, int32_t PaperHeight);

/// Print-run settings, and the printer's page metrics read live from the current printer.
class KXLAB_EXPORT TKxPrintInfo : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int Labs READ GetLabs WRITE SetLabs)
    Q_PROPERTY(int Repetition READ GetRepetition WRITE SetRepetition)
    Q_PROPERTY(int FirstRow READ GetFirstRow WRITE SetFirstRow)
    Q_PROPERTY(int FirstCol READ GetFirstCol WRITE SetFirstCol)
    Q_PROPERTY(int FirstLab READ GetFirstLab WRITE SetFirstLab)
    Q_PROPERTY(int LastLab READ GetLastLab WRITE SetLastLab)
    Q_PROPERTY(int PaperSize READ GetPaperSize WRITE SetPaperSize)
    Q_PROPERTY(int Orientation READ GetOrientation WRITE SetOrientation)
    Q_PROPERTY(QString QuantityField READ GetQuantityField WRITE SetQuantityField)
public:
    explicit TKxPrintInfo(TKxSettingsOwner* AOwner = nullptr);

    /// Copies every setting, and takes the snapshot from the source's live printer metrics.
    void Assign(const QObject* Source);

    /// Colour of the printer-margin lines in the label dialog's sheet picture.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    /// Labels printed without a database; at least 1.
    int GetLabs() const { return FLabs; }
    void SetLabs(int Value);
    /// Copies of each label; at least 1.
    int GetRepetition() const { return FRepetition; }
    void SetRepetition(int Value);
    /// Row and column (from 1) of the first label on the first sheet.
    int GetFirstRow() const { return FFirstRow; }
    void SetFirstRow(int Value);
    int GetFirstCol() const { return FFirstCol; }
    void SetFirstCol(int Value);
    /// First and last record (from 1) of a run with data.
    int GetFirstLab() const { return FFirstLab; }
    void SetFirstLab(int Value);
    int GetLastLab() const { return FLastLab; }
    void SetLastLab(int Value);
    /// The printer's paper code (9 is A4, 256 a user size).
    int GetPaperSize() const { return FPaperSize; }
    void SetPaperSize(int Value) { FPaperSize = static_cast<int16_t>(Value); }
    /// 0 portrait, 1 landscape.
    int GetOrientation() const { return FOrientation; }
    void SetOrientation(int Value) { FOrientation = Value == 1 ? 1 : 0; }
    /// The field whose value in each record says how many labels the record prints (times the
    /// repetitions); empty: every record prints the repetitions. Stored outside the settings' file order,
    /// as a label-level extension value.
    const QString& GetQuantityField() const { return FQuantityField; }
    void SetQuantityField(const QString& Value) { FQuantityField = Value; }

    // Live from the current printer on every call.
    int32_t GetDpiH() const;
    int32_t GetDpiV() const;
    /// Printable width and height in label units.
    int32_t GetWidth() const;
    int32_t GetHeight() const;
    /// Unprintable margins in label units; right and bottom from the owner's paper size.
    int32_t GetMaLeft() const;
    int32_t GetMaTop() const;
    int32_t GetMaRight() const;
    int32_t GetMaBottom() const;
    /// All eight at once.
    TKxPrinterMetrics LiveMetrics() const;

    /// The metrics as they were when this object was last assigned; zero until then.
    const TKxPrinterMetrics& Snapshot() const { return FSnapshot; }
    /// Takes Source's snapshot, for a copy of its label.
    void CopySnapshot(const TKxPrintInfo& Source) { FSnapshot = Source.FSnapshot; }

    /// The stored fields in label file order.
    template <class TIO>
    void Transfer(TIO& IO) {
        IO(FLabs);
        IO(FColor);
        IO(FFirstRow);
        IO(FFirstCol);
        IO(FFirstLab);
        IO(FLastLab);
        IO(FPaperSize);
        IO(FOrientation);
    }

private:
    void StoreAtLeastOne(int32_t& Field, int Value);

    TKxPrinterMetrics FSnapshot;
    TColor FColor = clRed;
    int32_t FLabs = 1;
    int32_t FRepetition = 1;
    int32_t FFirstRow = 1;
    int32_t FFirstCol = 1;
    int32_t FFirstLab = 1;
    int32_t FLastLab = 1;
    int16_t FPaperSize = 9;
    uint8_t FOrientation = 0;
    QString FQuantityField;
};

#pragma once

#include <cstdint>
#include <memory>
#include <QObject>
#include <QString>
#include <vector>

#include "base/Color.h"
#include "base/Geometry.h"
#include "elements/KxOwner.h"
#include "elements/KxRecordIO.h"
#include "kxlab_export.h"
#include "label/KxSettingsOwner.h"
#include "types/Kxtypes.h"

class QByteArray;
class QDataStream;
class QIODevice;
class TCanvas;
class TKxAlias;
class TKxBackSurf;
class TKxElement;
class TKxExtension;
class TKxFrame;
class TKxGrid;
class TKxLabelView;
class TKxMeasure;
class TKxPrintInfo;
class TKxRulers;
class TTable;

/// One label without a window: its six settings objects, its elements in stacking order, its table
/// binding and catalogue, and its file format. Batch printing, fuzzing and benchmarks work on it
/// alone; the designer control owns one and adds the view (mapping, scrolling, rendering, editing).
///
/// It is the owner its elements and settings objects reach: it answers units, the bound table, the
/// guides and the canvases of paper runs itself, and passes the screen mapping, the surface, the
/// property dialogs and the repaint requests on to its view. Without a view the mapping is one
/// pixel per label unit, there is no surface and nothing is repainted.
class KXLAB_EXPORT TKxLabel : public QObject, public TKxOwner, public TKxSettingsOwner {
    Q_OBJECT
public:
    explicit TKxLabel(TKxLabelView* View = nullptr);
    ~TKxLabel() override;

    TKxLabelView* GetView() const { return FView; }

    // Values the label file stores beside the settings objects. Setting them repaints nothing.
    TKxUnits GetUnits() const override { return FUnits; }
    void SetUnits(TKxUnits Value) { FUnits = Value; }
    TKxSnap GetSnap() const { return FSnap; }
    void SetSnap(TKxSnap Value) { FSnap = Value; }
    bool GetShowMargins() const { return FShowMargins; }
    void SetShowMargins(bool Value) { FShowMargins = Value; }
    TColor GetSelColor() const { return FSelColor; }
    void SetSelColor(TColor Value) { FSelColor = Value; }
    /// The label is filled from its table when printed.
    bool GetDaBa() const { return FDaBa; }
    void SetDaBa(bool Value) { FDaBa = Value; }

    /// The stock (maker and part number) the sheet layout was taken from; empty when none was. Kept in
    /// the label file's notes, so older readers pass it over.
    const QString& GetStockMaker() const { return FStockMaker; }
    const QString& GetStockPart() const { return FStockPart; }
    void SetStock(const QString& Maker, const QString& Part);

    TKxMeasure* GetMeasure() const override { return FMeasure.get(); }
    TKxFrame* GetFrame() const { return FFrame.get(); }
    TKxGrid* GetGrid() const { return FGrid.get(); }
    TKxBackSurf* GetBackSurf() const { return FBackSurf.get(); }
    TKxRulers* GetRulers() const { return FRulers.get(); }
    TKxPrintInfo* GetPrintInfo() const { return FPrintInfo.get(); }
    /// The bound table; never null.
    TTable* GetTable() override { return FTable.get(); }
    const TTable* GetTable() const { return FTable.get(); }
    /// The catalogue of aliases and tables the label dialog offers; never null.
    TKxAlias* GetAlias() const { return FAlias.get(); }

    // The element list, in stacking order: index 0 is the front-most element.
    /// Appends E behind every other element and takes ownership; null does nothing.
    void AddElement(std::unique_ptr<TKxElement> E);
    /// Removes and frees E (the view forgets it first); false when E is not in the list.
    bool RemoveElement(TKxElement* E);
    /// Frees every element.
    void ClearElements();
    int ElementCount() const { return static_cast<int>(FElements.size()); }
    /// The element at Index, or null out of range.
    TKxElement* Element(int Index) const;
    /// The first element from index 0 that contains P (client pixels of the view), or null.
    TKxElement* ElementAt(const TPoint& P) const;
    /// The first element from index 0 whose ID equals ID exactly, or null.
    TKxElement* ElementWithID(const QString& ID) const;
    /// Exchanges E with the front-most (Front) or back-most element, which takes E's old place;
    /// false when E is not in the list.
    bool ExchangeWithEnd(const TKxElement* E, bool Front);

    // Data binding.
    /// Opens the bound table when the label uses data; true when records may be read. False without
    /// DaBa or without an alias and a table name; when the table cannot be opened the database
    /// layer's message is shown through ShowMessage and the answer is false. The table stays open
    /// after true. Errors other than the database layer's propagate.
    bool ValidData();
    /// True exactly when the last ValidData opened the table (and no run or load has closed it since).
    bool GetDataValid() const { return FDataValid; }
    /// Closes the bound table; GetDataValid is false afterwards.
    void CloseData();

    // The label file: little-endian, version 14 written, any other version read as the previous
    // format. Reading is all or nothing: a short or corrupt file raises and changes nothing.
    /// Writes every stored setting, then every element in list order. Errors raise EStreamError.
    void SaveToStream(QIODevice& Stream) const;
    /// Reads a label from a random-access device and takes it over, appending its elements behind
    /// those present. Raises EStreamError naming the byte offset when the data is short or corrupt;
    /// nothing changes then.
    void LoadFromStream(QIODevice& Stream);
    /// Writes the label to a temporary file beside FileName, flushes it and renames it over
    /// FileName, so a failed save leaves the previous file whole. Raises EStreamError.
    void SaveToFile(const QString& FileName) const;
    /// LoadFromStream from a file opened read-only; raises EStreamError.
    void LoadFromFile(const QString& FileName);
    /// Replaces the label (settings, binding and elements) with the file's, all or nothing: a file
    /// that cannot be read raises EStreamError and leaves the label exactly as it was.
    void ReplaceFromFile(const QString& FileName);
    /// Replaces the label with a record SaveToStream wrote (an undo step), all or nothing: the
    /// elements are cleared first, then settings, binding and elements taken over. The table is not
    /// opened, and pictures are not reported again: a picture element shows the picture the label
    /// shows now under the same file name, without reading the file again. A bad record raises
    /// EStreamError and changes nothing.
    void RestoreRecord(const QByteArray& Record);
    /// Label file format version of the file read last.
    int32_t GetFileVersion() const { return FFileVersion; }

    // Drawing shared by the screen and paper; X, Y and Origin are the label's corner in the
    // canvas's label units.
    /// The background on paper (tdPrint, tdPreview), only when BackSurf.Print is set.
    void DrawBackSurf(int32_t X, int32_t Y, TKxDrawType DrawType);
    /// The alignment guides (on the surface only, when shown) and the frame.
    void DrawFrame(int32_t X, int32_t Y, TKxDrawType DrawType);
    /// Every element from the back (last index) to the front (index 0).
    void DrawElements(const TPoint& Origin, TKxDrawType DrawType, bool WithData);

    /// The canvas of a paper target while a run draws on it (null ends it). The run engine sets it.
    void SetRunCanvas(TKxDrawType DrawType, TCanvas* Canvas);

    // TKxOwner: what the label answers itself.
    TCanvas* GetCanvas(TKxDrawType DrawType) override;
    int32_t GetGuideLeft() const override;
    int32_t GetGuideTop() const override;
    // TKxOwner: what the view answers.
    int32_t WindowX(int32_t x) const override;
    int32_t WindowY(int32_t y) const override;
    int32_t GetScale() const override;
    void PropTxt() override;
    void PropAdTxt() override;
    void PropPar() override;
    void PropBar() override;
    void PropSymbol() override;
    void PropLin() override;
    void PropRect() override;
    void PropImage(bool IsNew) override;

    // TKxSettingsOwner: the repaints settings request, for the view.
    void AdjustScroll() override;
    void FlipLabScreen(TKxDrawRuler Which) override;
    void PaintLabScreen(bool Repaint) override;
    void AdjustAligns() override;
    void MarginColorChanged() override;
    void RulersShown(bool Visible) override;
    void ShapeChanged(TKxLabelType Shape) override;

    struct TLabFile;
    /// Reads a whole label without touching this one; raises EStreamError.
    std::unique_ptr<TLabFile> ReadLabFile(QIODevice& Stream);
    /// Takes over a label read whole, replacing the elements or appending to them; each element opens
    /// its files (pictures) only now, unless OpenFiles is false because the caller has done so.
    void TakeOver(TLabFile& Lab, bool Replace, bool OpenFiles = true);

private:
    /// The label's own values of features newer than the file format (TKxExtension); none yet.
    void SaveExtension(TKxExtension& X) const;
    /// Takes the label's own extension values into a label being read.
    static void LoadExtension(TLabFile& Lab, TKxExtension& X);
    /// The label's own notes (TKxExtension): the stock its layout came from.
    void SaveNotes(TKxExtension& X) const;
    /// Takes the label's own notes into a label being read.
    static void LoadNotes(TLabFile& Lab, TKxExtension& X);
    /// Writes the notes behind the element list when the label or an element has any.
    void WriteNotes(QDataStream& S) const;
    /// Reads the notes behind the element list, when they are there, into Lab.
    static void ReadNotes(QIODevice& Stream, QDataStream& S, TLabFile& Lab);

    struct TSettingsRef;
    /// The stored settings of this label, in file order.
    TSettingsRef StoredSettings();
    /// Walks the stored settings in file order with a reader or a writer.
    template <class TIO>
    static void TransferSettings(TIO& IO, const TSettingsRef& R);
    static void CopySettings(const TSettingsRef& From, const TSettingsRef& To);

    TKxLabelView* FView = nullptr;
    TKxUnits FUnits = unMM;
    TKxSnap FSnap = snNone;
    bool FShowMargins = false;
    TColor FSelColor = clRed;
    bool FDaBa = false;
    bool FDataValid = false;
    int32_t FFileVersion = KxFileVersion;
    QString FStockMaker;
    QString FStockPart;
    std::unique_ptr<TKxMeasure> FMeasure;
    std::unique_ptr<TKxFrame> FFrame;
    std::unique_ptr<TKxGrid> FGrid;
    std::unique_ptr<TKxBackSurf> FBackSurf;
    std::unique_ptr<TKxRulers> FRulers;
    std::unique_ptr<TKxPrintInfo> FPrintInfo;
    std::unique_ptr<TTable> FTable;
    std::unique_ptr<TKxAlias> FAlias;
    std::vector<std::unique_ptr<TKxElement>> FElements;
    TCanvas* FPrintCanvas = nullptr;
    TCanvas* FPreviewCanvas = nullptr;
};

#pragma once

#include <cstdint>
#include <memory>
#include <QObject>
#include <QString>
#include <vector>

#include "base/Color.h"
#include "base/Geometry.h"
#include "elements/KxDrawContext.h"
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
class TKxLabelHistory;
class QUndoStack;
class TKxMeasure;
class TKxPrintInfo;
class TKxRulers;
class TTable;

/// What a change of the label's settings asks of a view that shows it.
struct KXLAB_EXPORT TKxSettingsChange {
    enum TKind : uint8_t {
        /// Nothing shows it (the snap, the selection colour).
        scNone,
        /// The label's size, shape or unit: scale, pixel size and scroll ranges follow, then all is drawn.
        scScroll,
        /// Recompose the surface with the rulers Which names and show it.
        scFlip,
        /// Recompose the surface without the rulers; show it when Repaint.
        scPaint,
        /// The alignment guides moved: their markers follow.
        scAligns,
        /// The colour of the printer-margin lines.
        scMarginColor,
        /// The rulers were shown (Repaint true) or hidden: the label's corner moves.
        scRulersShown
    };
    TKind Kind = scNone;
    TKxDrawRuler Which = duBoth;
    bool Repaint = false;
};

/// One label without a window: its six settings objects, its elements in stacking order, its table
/// binding and catalogue, its file format and its undo history. Batch printing, fuzzing and
/// benchmarks work on it alone; the designer control owns one and shows it.
///
/// It tells what changed through its signals, and never calls a view: views repaint from the
/// signals. Every change is recorded on its undo stack as a named step: changes between BeginStep and
/// EndStep (a drag, one opening of a dialog) make one step, and a change outside any step is a step of
/// its own. A change made by writing an element's fields directly is reported with NotifyElement.
class KXLAB_EXPORT TKxLabel : public QObject, public TKxOwner, public TKxSettingsOwner {
    Q_OBJECT
public:
    explicit TKxLabel(QObject* parent = nullptr);
    ~TKxLabel() override;

    // Values the label file stores beside the settings objects.
    TKxUnits GetUnits() const override { return FUnits; }
    /// Always signals, even when the unit does not change: views fit the unit anew.
    void SetUnits(TKxUnits Value);
    TKxSnap GetSnap() const { return FSnap; }
    void SetSnap(TKxSnap Value);
    bool GetShowMargins() const { return FShowMargins; }
    void SetShowMargins(bool Value);
    TColor GetSelColor() const { return FSelColor; }
    void SetSelColor(TColor Value);
    /// The label is filled from its table when printed.
    bool GetDaBa() const { return FDaBa; }
    void SetDaBa(bool Value);

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
    TTable* GetTable() { return FTable.get(); }
    const TTable* GetTable() const { return FTable.get(); }
    /// The catalogue of aliases and tables the label dialog offers; never null.
    TKxAlias* GetAlias() const { return FAlias.get(); }

    // The element list, in stacking order: index 0 is the front-most element.
    /// Appends E behind every other element and takes ownership; null does nothing.
    void AddElement(std::unique_ptr<TKxElement> E);
    /// Inserts E at Index (clamped into the list) and takes ownership; null does nothing.
    void InsertElement(int Index, std::unique_ptr<TKxElement> E);
    /// Removes and frees E (ElementRemoving is signalled first); false when E is not in the list.
    bool RemoveElement(TKxElement* E);
    /// Frees every element.
    void ClearElements();
    int ElementCount() const { return static_cast<int>(FElements.size()); }
    /// The element at Index, or null out of range.
    TKxElement* Element(int Index) const;
    /// E's place in the list, or -1.
    int IndexOf(const TKxElement* E) const;
    /// The first element from index 0 whose ID equals ID exactly, or null.
    TKxElement* ElementWithID(const QString& ID) const;
    /// Exchanges E with the front-most (Front) or back-most element, which takes E's old place;
    /// false when E is not in the list.
    bool ExchangeWithEnd(const TKxElement* E, bool Front);
    /// Moves E to Index (clamped), the others keeping their order; false when E is not in the list.
    bool MoveElement(const TKxElement* E, int Index);
    /// E's fields were written directly (a dialog, a drag): views redraw it and the change is recorded.
    void NotifyElement(TKxElement* E);
    /// The table binding (alias, table, filter) was changed on the table directly.
    void NotifyBinding();

    // Undo. Steps are named for menus ("Move", "Barcode Properties"); the stack's clean state is the
    // label as last read or saved, when the host marks it so (QUndoStack::setClean).
    /// The label's undo stack; never null.
    QUndoStack* UndoStack() const { return FUndo.get(); }
    /// Opens a step: the changes until the matching EndStep are one undo step named Name. Steps nest;
    /// an inner one joins the outermost, which keeps its name.
    void BeginStep(const QString& Name);
    /// Closes a step. The outermost records it when the label differs from what it was at BeginStep;
    /// a step that changed nothing records nothing.
    void EndStep();
    /// Closes the outermost step putting the label back as it was at BeginStep; records nothing.
    void CancelStep();
    /// Closes the outermost step keeping what it did, and starts the history afresh from there.
    void DropStep();
    /// A step is open.
    bool InStep() const { return FStepDepth > 0; }
    /// Forgets every step: the label as it is now is where the history starts (a label read or made
    /// new, a host's set-up done).
    void ResetHistory();
    /// While false, changes are not recorded (a host's set-up); true by default.
    void SetRecording(bool Value);
    bool GetRecording() const { return FRecording; }
    /// The label's record as the undo history keeps it: what SaveToStream writes.
    QByteArray Record() const;

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
    /// elements are cleared first, then settings, binding and elements taken over. The table stays open
    /// when the binding is unchanged, and pictures are not reported again: a picture element shows the
    /// picture the label shows now under the same file name, without reading the file again. A bad
    /// record raises EStreamError and changes nothing. Not recorded as a step.
    void RestoreRecord(const QByteArray& Record);
    /// A label of its own holding this one as it is now (its record, the pictures it shows without reading
    /// their files again, the printer margins its print settings keep), for a run that must not see later
    /// changes. Its history records nothing.
    std::unique_ptr<TKxLabel> Copy() const;
    /// Label file format version of the file read last.
    int32_t GetFileVersion() const { return FFileVersion; }

    // Drawing shared by the screen and paper, on the context's canvas; X, Y and Origin are the
    // label's corner in the canvas's label units.
    /// The background on paper (tdPrint, tdPreview), only when BackSurf.Print is set.
    void DrawBackSurf(int32_t X, int32_t Y, const TKxDrawContext& C) const;
    /// The alignment guides (on the surface only, when shown) and the frame.
    void DrawFrame(int32_t X, int32_t Y, const TKxDrawContext& C) const;
    /// Every element from the back (last index) to the front (index 0).
    void DrawElements(const TPoint& Origin, const TKxDrawContext& C) const;

    // TKxOwner.
    int32_t GetGuideLeft() const override;
    int32_t GetGuideTop() const override;

    // TKxSettingsOwner: a settings object changed; signalled and recorded.
    void AdjustScroll() override;
    void FlipLabScreen(TKxDrawRuler Which) override;
    void PaintLabScreen(bool Repaint) override;
    void AdjustAligns() override;
    void MarginColorChanged() override;
    void RulersShown(bool Visible) override;
    void ShapeChanged(TKxLabelType Shape) override;

signals:
    /// E was added to the list.
    void ElementAdded(TKxElement* E);
    /// E is about to leave the list and be freed; null: every element is.
    void ElementRemoving(const TKxElement* E);
    /// E's fields changed.
    void ElementChanged(TKxElement* E);
    /// The stacking order changed.
    void ElementsReordered();
    /// A setting changed; Change tells what a view must redo.
    void SettingsChanged(const TKxSettingsChange& Change);
    /// The data switch or the table binding changed.
    void BindingChanged();
    /// The whole label is about to be replaced.
    void Replacing();
    /// The whole label was replaced: read from a file, or Restored to an earlier state of its own (undo,
    /// redo, a cancelled step), where each element stands where it stood then.
    void Replaced(bool Restored);

public:
    struct TLabFile;
    /// Reads a whole label without touching this one; raises EStreamError.
    std::unique_ptr<TLabFile> ReadLabFile(QIODevice& Stream);
    /// Takes over a label read whole, replacing the elements or appending to them; each element opens
    /// its files (pictures) only now, unless OpenFiles is false because the caller has done so.
    void TakeOver(TLabFile& Lab, bool Replace, bool OpenFiles = true);

private:
    /// The label's own values of features newer than the file format (TKxExtension): the print run's
    /// quantity field.
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

    /// Signals a settings change and records it.
    void Settings(const TKxSettingsChange& Change);
    /// Records a change made outside any step as a step of its own.
    void Touched(const QString& Name);

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
    std::unique_ptr<QUndoStack> FUndo;
    std::unique_ptr<TKxLabelHistory> FHistory;
    int FStepDepth = 0;
    QString FStepName;
    bool FRecording = true;
};

/// One undo step for the guard's lifetime (TKxLabel::BeginStep, EndStep at the end of the scope).
class KXLAB_EXPORT TKxUndoStep {
public:
    TKxUndoStep(TKxLabel& Label, const QString& Name)
        : FLabel(Label) {
        FLabel.BeginStep(Name);
    }
    ~TKxUndoStep() {
        if (FOpen) FLabel.EndStep();
    }
    TKxUndoStep(const TKxUndoStep&) = delete;
    TKxUndoStep& operator=(const TKxUndoStep&) = delete;
    /// Puts the label back as it was when the step began; nothing is recorded.
    void Cancel() {
        if (FOpen) FLabel.CancelStep();
        FOpen = false;
    }
    /// Ends the step keeping its changes; the history starts afresh from them.
    void Forget() {
        if (FOpen) FLabel.DropStep();
        FOpen = false;
    }

private:
    TKxLabel& FLabel;
    bool FOpen = true;
};

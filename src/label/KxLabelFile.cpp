#include "label/KxLabel.h"

#include <map>
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>
#include <vector>

#include "base/Messages.h"
#include "base/StreamError.h"
#include "db/Table.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "elements/KxExtension.h"
#include "elements/KxImage.h"
#include "elements/KxRecordIO.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "metafile/Picture.h"
#include "metafile/PictureFolder.h"
#include "types/KxStepNames.h"

/// References to every setting the file stores between the version and the element count.
struct TKxLabel::TSettingsRef {
    TKxSnap& Snap;
    TKxUnits& Units;
    TKxMeasure& Measure;
    TKxBackSurf& BackSurf;
    TKxGrid& Grid;
    bool& ShowMargins;
    TColor& SelColor;
    TKxFrame& Frame;
    bool& DaBa;
    TKxPrintInfo& PrintInfo;
};

/// A label read whole from a file, held apart from the label until it is taken over.
struct TKxLabel::TLabFile {
    QString FileName;
    QString Alias;
    QString TableName;
    QString Filter;
    QString LabelName;
    QString PaperName;
    int32_t Version = KxFileVersion;
    TKxSnap Snap = snNone;
    TKxUnits Units = unMM;
    TKxMeasure Measure;
    TKxBackSurf BackSurf;
    TKxGrid Grid;
    bool ShowMargins = false;
    TColor SelColor = clRed;
    TKxFrame Frame;
    bool DaBa = false;
    TKxPrintInfo PrintInfo;
    std::vector<std::unique_ptr<TKxElement>> Elements;
    QString StockMaker;
    QString StockPart;
    QString QuantityField;

    TSettingsRef Settings() {
        return {Snap, Units, Measure, BackSurf, Grid, ShowMargins, SelColor, Frame, DaBa, PrintInfo};
    }
};

namespace {

// What starts the notes behind the element list. Bytes there that do not start with it are passed
// over, as every reader did before notes existed.
constexpr char NotesMark[] = "KXN1";
constexpr int NotesMarkSize = 4;

const QString StockMakerKey = QStringLiteral("stock.maker");
const QString StockPartKey = QStringLiteral("stock.part");
const QString QuantityFieldKey = QStringLiteral("print.quantityField");

/// The byte order of every label file, whatever the machine.
class TFileStream : public QDataStream {
public:
    explicit TFileStream(QIODevice* Device)
        : QDataStream(Device) {
        setByteOrder(LittleEndian);
    }
    explicit TFileStream(QByteArray* Bytes)
        : QDataStream(Bytes, QIODevice::WriteOnly) {
        setByteOrder(LittleEndian);
    }
    explicit TFileStream(const QByteArray& Bytes)
        : QDataStream(Bytes) {
        setByteOrder(LittleEndian);
    }
};

void CheckRead(const QDataStream& S, const char* what) {
    if (S.status() == QDataStream::Ok) return;
    const qint64 at = S.device() ? S.device()->pos() : 0;
    throw EStreamError(
        QStringLiteral("Label data short or corrupt in the %1, before byte %2").arg(what).arg(at));
}

class TSettingsWriter {
public:
    explicit TSettingsWriter(QDataStream& S)
        : FS(S) {}
    bool Current() const { return true; }
    void operator()(const int32_t& v) { WriteI32(FS, v); }
    void operator()(const int16_t& v) { FS << static_cast<qint16>(v); }
    void operator()(const uint8_t& v) { WriteByte(FS, v); }
    void operator()(const bool& v) { WriteBool(FS, v); }
    template <class TEnum>
    void Enum(const TEnum& v, TEnum) {
        WriteByte(FS, static_cast<uint8_t>(v));
    }

private:
    QDataStream& FS;
};

// Reads into the fields as stored, without clamps: files round-trip byte for byte, and every use
// that divides or loops guards itself. Only an ordinal outside its enumeration is refused.
class TSettingsReader {
public:
    TSettingsReader(QDataStream& S, bool Current)
        : FS(S)
        , FCurrent(Current) {}
    bool Current() const { return FCurrent; }
    void operator()(int32_t& v) { v = ReadI32(FS); }
    void operator()(int16_t& v) {
        qint16 x = 0;
        FS >> x;
        v = x;
    }
    void operator()(uint8_t& v) { v = ReadByte(FS); }
    void operator()(bool& v) { v = ReadBool(FS); }
    template <class TEnum>
    void Enum(TEnum& v, TEnum Last) {
        const uint8_t b = ReadByte(FS);
        if (b > static_cast<uint8_t>(Last))
            FS.setStatus(QDataStream::ReadCorruptData);
        else
            v = static_cast<TEnum>(b);
    }

private:
    QDataStream& FS;
    bool FCurrent;
};

void OpenForReading(QFile& File) {
    if (!File.open(QIODevice::ReadOnly))
        throw EStreamError(QCoreApplication::translate("KxLabelFile", "Cannot open \"%1\": %2")
                               .arg(File.fileName(), File.errorString()));
}

} // namespace

TKxLabel::TSettingsRef TKxLabel::StoredSettings() {
    return {FSnap,        FUnits,    *FMeasure, *FBackSurf, *FGrid,
            FShowMargins, FSelColor, *FFrame,   FDaBa,      *FPrintInfo};
}

template <class TIO>
void TKxLabel::TransferSettings(TIO& IO, const TSettingsRef& R) {
    IO.Enum(R.Snap, snNone);
    IO.Enum(R.Units, unINCH);
    R.Measure.Transfer(IO);
    R.BackSurf.Transfer(IO);
    R.Grid.Transfer(IO);
    IO(R.ShowMargins);
    IO(R.SelColor);
    R.Frame.Transfer(IO);
    IO(R.DaBa);
    R.PrintInfo.Transfer(IO);
}

void TKxLabel::CopySettings(const TSettingsRef& From, const TSettingsRef& To) {
    // Through the file's own encoding, so the one field list above serves the copy too.
    QByteArray bytes;
    {
        TFileStream out(&bytes);
        TSettingsWriter writer(out);
        TransferSettings(writer, From);
    }
    TFileStream in(bytes);
    TSettingsReader reader(in, true);
    TransferSettings(reader, To);
}

void TKxLabel::SaveToStream(QIODevice& Stream) const {
    TFileStream S(&Stream);
    WriteStr(S, FBackSurf->GetFileName());
    WriteStr(S, FTable->DatabaseName());
    WriteStr(S, FTable->TableName());
    WriteStr(S, FTable->Filter());
    WriteStr(S, FMeasure->GetLabelName());
    WriteStr(S, FMeasure->GetPaperName());
    WriteI32(S, KxFileVersion);
    TSettingsWriter writer(S);
    // The writer only reads through these references.
    TransferSettings(writer, const_cast<TKxLabel*>(this)->StoredSettings());
    TKxExtension extension;
    SaveExtension(extension);
    int32_t records = extension.IsEmpty() ? 0 : 1;
    for (const auto& e : FElements)
        records += TKxElementFactory::RecordCount(*e);
    WriteI32(S, records);
    for (const auto& e : FElements)
        TKxElementFactory::Write(S, *e);
    // The label's own extension comes last, so every element's record reads as before up to it.
    extension.Write(S, TKxExtension::TScope::Label);
    WriteNotes(S);
    if (S.status() != QDataStream::Ok)
        throw EStreamError(QStringLiteral("Cannot write the label: %1").arg(Stream.errorString()));
}

std::unique_ptr<TKxLabel::TLabFile> TKxLabel::ReadLabFile(QIODevice& Stream) {
    auto lab = std::make_unique<TLabFile>();
    // Fields an older file lacks keep the control's values: start from a copy of them.
    CopySettings(StoredSettings(), lab->Settings());
    TFileStream S(&Stream);
    for (QString* s :
         {&lab->FileName, &lab->Alias, &lab->TableName, &lab->Filter, &lab->LabelName, &lab->PaperName})
        *s = ReadStr(S);
    lab->Version = ReadI32(S);
    CheckRead(S, "header");
    TSettingsReader reader(S, lab->Version == KxFileVersion);
    TransferSettings(reader, lab->Settings());
    const int32_t count = ReadI32(S);
    CheckRead(S, "settings");
    // Checked before the loop, so a hostile count costs nothing.
    if (count < 0 || count > Stream.bytesAvailable() / TKxElementFactory::MinListRecordBytes)
        throw EStreamError(QStringLiteral("Element count %1 before byte %2 does not fit in the data left")
                               .arg(count)
                               .arg(Stream.pos()));
    TKxExtension extension;
    for (int32_t i = 0; i < count; ++i) {
        // The count holds an element's extension record as one record more, which older readers meet
        // as an element they do not know: the pair is read in one go and counts twice.
        const QByteArray head = Stream.peek(2);
        if (head.size() == 2 && static_cast<uint8_t>(head[0]) == KxExtensionTag &&
            static_cast<uint8_t>(head[1]) == static_cast<uint8_t>(TKxExtension::TScope::NextElement) &&
            ++i == count)
            throw EStreamError(
                QStringLiteral("The extension record at byte %1 is the last of the list: its element "
                               "is missing")
                    .arg(Stream.pos()));
        if (auto e = TKxElementFactory::Read(S, lab->Version, this, &extension))
            lab->Elements.push_back(std::move(e));
    }
    LoadExtension(*lab, extension);
    extension.RequireAllTaken();
    ReadNotes(Stream, S, *lab);
    return lab;
}

void TKxLabel::TakeOver(TLabFile& Lab, bool Replace, bool OpenFiles) {
    emit Replacing();
    FBackSurf->SetFileName(Lab.FileName);
    // The binding can only change on a closed table; an unchanged one stays open, so a restored step
    // keeps the fields it showed.
    if (FTable->DatabaseName() != Lab.Alias || FTable->TableName() != Lab.TableName ||
        FTable->Filter() != Lab.Filter)
        CloseData();
    FTable->SetDatabaseName(Lab.Alias);
    FTable->SetTableName(Lab.TableName);
    FTable->SetFilter(Lab.Filter);
    FMeasure->SetLabelName(Lab.LabelName);
    FMeasure->SetPaperName(Lab.PaperName);
    FFileVersion = Lab.Version;
    FStockMaker = Lab.StockMaker;
    FStockPart = Lab.StockPart;
    CopySettings(Lab.Settings(), StoredSettings());
    FPrintInfo->SetQuantityField(Lab.QuantityField);
    if (Replace) ClearElements();
    // Pictures open only now that the whole file has been read: a file that fails shows nothing.
    for (auto& e : Lab.Elements) {
        if (OpenFiles) e->Loaded();
        AddElement(std::move(e));
    }
    Lab.Elements.clear();
    // Only a restore takes elements whose files were opened already.
    emit Replaced(Replace && !OpenFiles);
}

void TKxLabel::LoadFromStream(QIODevice& Stream) {
    const std::unique_ptr<TLabFile> lab = ReadLabFile(Stream);
    const TKxUndoStep step(*this, KxStepName(TKxStep::Insert));
    TakeOver(*lab, false);
}

void TKxLabel::SaveToFile(const QString& FileName) const {
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(QCoreApplication::translate("KxLabelFile", "Cannot create \"%1\": %2")
                               .arg(FileName, file.errorString()));
    // Until commit the data lives in a temporary file beside the target; leaving early discards it.
    SaveToStream(file);
    if (!file.commit())
        throw EStreamError(QCoreApplication::translate("KxLabelFile", "Cannot save \"%1\": %2")
                               .arg(FileName, file.errorString()));
}

void TKxLabel::LoadFromFile(const QString& FileName) {
    QFile file(FileName);
    OpenForReading(file);
    const TPictureFolder beside(QFileInfo(FileName).absolutePath());
    LoadFromStream(file);
}

void TKxLabel::ReplaceFromFile(const QString& FileName) {
    QFile file(FileName);
    OpenForReading(file);
    const TPictureFolder beside(QFileInfo(FileName).absolutePath());
    const std::unique_ptr<TLabFile> lab = ReadLabFile(file);
    // A label read from a file starts its history.
    TKxUndoStep step(*this, QString());
    TakeOver(*lab, true);
    step.Forget();
}

QByteArray TKxLabel::Record() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    return bytes;
}

void TKxLabel::RestoreRecord(const QByteArray& Record) {
    // Every picture of a restored record was reported when it was first read.
    const TMessageCapture quiet;
    QBuffer buffer;
    buffer.setData(Record);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TLabFile> lab = ReadLabFile(buffer);
    // A picture shown now is taken as it is, without reading its file again; only a name the label
    // does not show yet is opened.
    KxReuseShownPictures(FElements, lab->Elements);
    const TKxUndoStep step(*this, KxStepName(TKxStep::Change));
    TakeOver(*lab, true, false);
}

std::unique_ptr<TKxLabel> TKxLabel::Copy() const {
    const TMessageCapture quiet;
    auto copy = std::make_unique<TKxLabel>();
    copy->SetRecording(false);
    QBuffer buffer;
    buffer.setData(Record());
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TLabFile> lab = copy->ReadLabFile(buffer);
    KxReuseShownPictures(FElements, lab->Elements);
    copy->TakeOver(*lab, true, false);
    copy->FPrintInfo->CopySnapshot(*FPrintInfo);
    return copy;
}

void TKxLabel::SaveExtension(TKxExtension& X) const {
    // A label that takes its quantities from no field writes nothing and saves exactly as before.
    if (!FPrintInfo->GetQuantityField().isEmpty())
        X.SetText(QuantityFieldKey, FPrintInfo->GetQuantityField());
}

void TKxLabel::LoadExtension(TLabFile& Lab, TKxExtension& X) {
    // A file without the value has no quantity field, whatever the label held before.
    Lab.QuantityField = X.TakeText(QuantityFieldKey).value_or(QString());
}

void TKxLabel::SaveNotes(TKxExtension& X) const {
    // A label that never used a stock writes no note, and saves exactly as before notes existed.
    if (FStockMaker.isEmpty() && FStockPart.isEmpty()) return;
    X.SetText(StockMakerKey, FStockMaker);
    X.SetText(StockPartKey, FStockPart);
}

void TKxLabel::LoadNotes(TLabFile& Lab, TKxExtension& X) {
    Lab.StockMaker = X.TakeText(StockMakerKey).value_or(QString());
    Lab.StockPart = X.TakeText(StockPartKey).value_or(QString());
}

void TKxLabel::WriteNotes(QDataStream& S) const {
    TKxExtension own;
    SaveNotes(own);
    bool any = !own.IsEmpty();
    std::vector<QByteArray> elements;
    elements.reserve(FElements.size());
    for (const auto& e : FElements) {
        TKxExtension notes;
        e->SaveNotes(notes);
        any = any || !notes.IsEmpty();
        elements.push_back(notes.Body());
    }
    if (!any) return;
    QByteArray block;
    {
        TFileStream B(&block);
        WriteBlock(B, own.Body());
        WriteI32(B, static_cast<int32_t>(elements.size()));
        for (const QByteArray& body : elements)
            WriteBlock(B, body);
    }
    S.writeRawData(NotesMark, NotesMarkSize);
    WriteBlock(S, block);
}

void TKxLabel::ReadNotes(QIODevice& Stream, QDataStream& S, TLabFile& Lab) {
    if (Stream.peek(NotesMarkSize) != QByteArray(NotesMark, NotesMarkSize)) return;
    const qint64 at = Stream.pos();
    S.skipRawData(NotesMarkSize);
    const QByteArray block = ReadBlock(S);
    TFileStream B(block);
    TKxExtension own;
    bool ok = S.status() == QDataStream::Ok && own.ReadBody(ReadBlock(B));
    const int32_t count = ReadI32(B);
    ok = ok && B.status() == QDataStream::Ok && count == static_cast<int32_t>(Lab.Elements.size());
    std::vector<TKxExtension> notes(ok ? Lab.Elements.size() : 0);
    for (TKxExtension& n : notes)
        ok = ok && n.ReadBody(ReadBlock(B));
    if (!ok || B.status() != QDataStream::Ok || !B.atEnd())
        throw EStreamError(QStringLiteral("The notes at byte %1 are short or corrupt").arg(at));
    LoadNotes(Lab, own);
    for (size_t i = 0; i < notes.size(); ++i)
        Lab.Elements[i]->LoadNotes(notes[i]);
}

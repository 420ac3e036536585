#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <random>

#include "base/KxError.h"
#include "base/Messages.h"
#include "base/StreamError.h"
#include "common/LabelSamples.h"
#include "common/TestSupport.h"
#include "db/Table.h"
#include "designer/KxClipboard.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "elements/KxElementFactory.h"
#include "elements/KxParagraph.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxRulers.h"

namespace {

// The six strings, the version and the settings of a default control, in file order.
TKxBytes DefaultHead(int32_t version = 14) {
    TKxBytes b;
    b.Str({}).Str({}).Str({}).Str({}).Str(QStringLiteral("My Label")).Str(QStringLiteral("A4")).I32(version);
    b.Byte(2).Byte(0);
    for (int32_t v : {600, 350, 50, 100, 40, 40, 7, 3, 2100, 2970, 0})
        b.I32(v);
    b.Byte(0);
    b.I32(0xFFFFFF);
    if (version == 14) b.I32(0xFFFFFF);
    b.I32(0xFF).Byte(0).I32(0).I32(0).Byte(0);
    if (version == 14) b.Byte(0);
    b.I32(0xFF).I32(100).I32(100).Byte(0);
    b.Byte(0).I32(0xFF);
    b.I32(0).I32(0).I32(10).I32(0).Byte(0).I32(2);
    b.Byte(0);
    b.I32(1).I32(0xFF).I32(1).I32(1).I32(1).I32(1).I16(9).Byte(0);
    return b;
}

// A label whose every stored field holds its own value, so a field read into the wrong place
// shows. ToColor and Print are 0x0A0B0C and true; a version other than 14 leaves them out.
QByteArray DistinctLabel(int32_t version, int32_t count = 0, const QByteArray& elements = {}) {
    TKxBytes b;
    b.Str(QStringLiteral("bg.png")).Str(QStringLiteral("shop")).Str(QStringLiteral("items"));
    b.Str(QStringLiteral("[Qty] > 2")).Str(QStringLiteral("Peña €")).Str(QStringLiteral("Letter"));
    b.I32(version).Byte(snPoint).Byte(unINCH);
    for (int32_t v = 1001; v <= 1011; ++v)
        b.I32(v);
    b.Byte(ltCircle).I32(0x010203);
    if (version == 14) b.I32(0x0A0B0C);
    b.I32(0x040506).Byte(biGraCircle).I32(1021).I32(1022).Byte(1);
    if (version == 14) b.Byte(1);
    b.I32(0x070809).I32(1031).I32(1032).Byte(1);
    b.Byte(1).I32(0x0D0E0F);
    b.I32(0x101112).I32(1041).I32(1042).I32(1043).Byte(fsSingle).I32(1044);
    b.Byte(1);
    b.I32(1051).I32(0x131415).I32(1052).I32(1053).I32(1054).I32(1055).I16(-7).Byte(1);
    b.I32(count);
    return b.Data() + elements;
}

// A barcode record; the older format lacks Printable and ID.
QByteArray BarCodeRecord(int32_t version) {
    TKxBytes b;
    b.Byte(deBar).I32(0x11).I32(0x22).I32(0x33).Byte(1).Byte(1).Byte(0);
    if (version == 14) b.Byte(1);
    b.I32(5).I32(10).I32(20).I32(30).I32(40).I32(180).I32(2);
    if (version == 14) b.Str({});
    b.Str(QStringLiteral("Arial")).Str(QStringLiteral("Code")).I32(60).Byte(1);
    b.Str(QStringLiteral("12345670")).Byte(baEAN8).I32(4).I32(5).I32(25).Byte(0).I32(7).I32(8);
    return b.Data();
}

// Three barcodes told apart by their IDs, front-most first.
void AddBarCodes(TKxLab& lab, const QStringList& ids) {
    for (const QString& id : ids) {
        std::unique_ptr<TKxElement> e = TKxElementFactory::Create(deBar, lab.Label());
        e->ID = id;
        lab.AddElement(std::move(e));
    }
}

QStringList Ids(const TKxLab& lab) {
    QStringList ids;
    for (int i = 0; i < lab.Label()->ElementCount(); ++i)
        ids << lab.Label()->Element(i)->ID;
    return ids;
}

void ExpectDistinctSettings(TKxLab& lab) {
    const TKxMeasure& m = *lab.GetMeasure();
    EXPECT_EQ(lab.GetSnap(), snPoint);
    EXPECT_EQ(lab.GetUnits(), unINCH);
    EXPECT_EQ(m.WidthLU(), 1001);
    EXPECT_EQ(m.HeightLU(), 1002);
    EXPECT_EQ(m.MarLeftLU(), 1003);
    EXPECT_EQ(m.MarTopLU(), 1004);
    EXPECT_EQ(m.DiHorLU(), 1005);
    EXPECT_EQ(m.DiVerLU(), 1006);
    EXPECT_EQ(m.GetNuHor(), 1007);
    EXPECT_EQ(m.GetNuVer(), 1008);
    EXPECT_EQ(m.PaperWidthLU(), 1009);
    EXPECT_EQ(m.PaperHeightLU(), 1010);
    EXPECT_EQ(m.InnerCircleLU(), 1011);
    EXPECT_EQ(m.GetLabelType(), ltCircle);
    EXPECT_EQ(m.GetLabelName(), QStringLiteral("Peña €"));
    EXPECT_EQ(m.GetPaperName(), QStringLiteral("Letter"));
    const TKxBackSurf& b = *lab.GetBackSurf();
    EXPECT_EQ(b.GetFileName(), QStringLiteral("bg.png"));
    EXPECT_EQ(b.GetColor(), 0x010203);
    EXPECT_EQ(b.GetAlignColor(), 0x040506);
    EXPECT_EQ(b.GetStyle(), biGraCircle);
    EXPECT_EQ(b.AlignLeftLU(), 1021);
    EXPECT_EQ(b.AlignTopLU(), 1022);
    EXPECT_TRUE(b.GetShowAlign());
    const TKxGrid& g = *lab.GetGrid();
    EXPECT_EQ(g.GetColor(), 0x070809);
    EXPECT_EQ(g.IncXLU(), 1031);
    EXPECT_EQ(g.IncYLU(), 1032);
    EXPECT_TRUE(g.GetShow());
    EXPECT_TRUE(lab.GetShowMargins());
    EXPECT_EQ(lab.GetSelColor(), 0x0D0E0F);
    const TKxFrame& f = *lab.GetFrame();
    EXPECT_EQ(f.GetColor(), 0x101112);
    EXPECT_EQ(f.Dist1LU(), 1041);
    EXPECT_EQ(f.Dist2LU(), 1042);
    EXPECT_EQ(f.RadioLU(), 1043);
    EXPECT_EQ(f.GetStyle(), fsSingle);
    EXPECT_EQ(f.PenWidthLU(), 1044);
    EXPECT_TRUE(lab.GetDaBa());
    const TKxPrintInfo& p = *lab.GetPrintInfo();
    EXPECT_EQ(p.GetLabs(), 1051);
    EXPECT_EQ(p.GetColor(), 0x131415);
    EXPECT_EQ(p.GetFirstRow(), 1052);
    EXPECT_EQ(p.GetFirstCol(), 1053);
    EXPECT_EQ(p.GetFirstLab(), 1054);
    EXPECT_EQ(p.GetLastLab(), 1055);
    EXPECT_EQ(p.GetPaperSize(), -7);
    EXPECT_EQ(p.GetOrientation(), 1);
    EXPECT_EQ(lab.GetTable()->DatabaseName(), QStringLiteral("shop"));
    EXPECT_EQ(lab.GetTable()->TableName(), QStringLiteral("items"));
    EXPECT_EQ(lab.GetTable()->Filter(), QStringLiteral("[Qty] > 2"));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the i32 at offset.
QByteArray PatchI32(QByteArray bytes, int offset, int32_t v) {
    TKxBytes b;
    b.I32(v);
    bytes.replace(offset, 4, b.Data());
    return bytes;
}

// An element whose record cannot be written: a save that fails half way.
class TUnwritable : public TKxElement {
public:
    using TKxElement::TKxElement;
    void Draw(const TPoint&, const TKxDrawContext&) override {}
    void SaveToStream(QDataStream&) const override { throw EStreamError(QStringLiteral("disk full")); }
    TKxEle ElementType() const override { return deLine; }
};

} // namespace

TEST(KxLabFileLayout, DefaultControlWritesThe179BytesInOrder) {
    TKxLab lab;
    const QByteArray bytes = KxSaveToBytes(lab);
    ASSERT_EQ(bytes.size(), 179);
    EXPECT_EQ(bytes, DefaultHead().I32(0).Data());
}

TEST(KxLabFileLayout, DefaultLineAddsItsTagAndA48ByteBaseBlock) {
    TKxLab lab;
    lab.AddElement(TKxElementFactory::Create(deLine, lab.Label()));
    TKxBytes line;
    line.Byte(deLine).I32(0).I32(0xFFFFFF).I32(0xFF).Byte(0).Byte(0).Byte(1).Byte(1).I32(1);
    line.I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).Str({});
    const QByteArray bytes = KxSaveToBytes(lab);
    ASSERT_EQ(bytes.size(), 179 + 49);
    EXPECT_EQ(bytes, DefaultHead().I32(1).Data() + line.Data());
}

TEST(KxLabFileLayout, StringsAreWindows1252WithoutTerminator) {
    TKxLab lab;
    lab.GetMeasure()->SetLabelName(QStringLiteral("Ñ€"));
    const QByteArray bytes = KxSaveToBytes(lab);
    // Four empty strings, then the label name.
    EXPECT_EQ(bytes.mid(16, 6), QByteArray("\x02\x00\x00\x00\xD1\x80", 6));
}

TEST(KxLabFileLayout, ReaderPutsEveryFieldInItsPlaceAndWriterGivesTheSameBytes) {
    TMessageCapture messages;
    TKxLab lab;
    KxLoadFromBytes(lab, DistinctLabel(14));
    ExpectDistinctSettings(lab);
    EXPECT_EQ(lab.GetBackSurf()->GetToColor(), 0x0A0B0C);
    EXPECT_TRUE(lab.GetBackSurf()->GetPrint());
    EXPECT_EQ(lab.Label()->GetFileVersion(), 14);
    EXPECT_EQ(KxSaveToBytes(lab), DistinctLabel(14));
    // The background picture goes through its setter, which reports the missing file.
    EXPECT_EQ(messages.Messages, QStringList{QStringLiteral("No se puede abrir el archivo: bg.png")});
}

TEST(KxLabFileLayout, OlderVersionLacksTheBackgroundEndColourAndPrintFlag) {
    TMessageCapture messages;
    TKxLab lab;
    // The fields the file lacks keep what the control held.
    lab.GetBackSurf()->SetToColor(0x0A0B0C);
    lab.GetBackSurf()->SetPrint(true);
    KxLoadFromBytes(lab, DistinctLabel(13));
    ExpectDistinctSettings(lab);
    EXPECT_EQ(lab.Label()->GetFileVersion(), 13);
    EXPECT_EQ(KxSaveToBytes(lab), DistinctLabel(14));
}

TEST(KxLabFileLayout, OlderElementRecordsLoadWithoutPrintableAndIDAndSaveBackCurrent) {
    TMessageCapture messages;
    TKxLab lab;
    lab.GetBackSurf()->SetToColor(0x0A0B0C);
    lab.GetBackSurf()->SetPrint(true);
    KxLoadFromBytes(lab, DistinctLabel(13, 1, BarCodeRecord(13)));
    ASSERT_EQ(lab.Label()->ElementCount(), 1);
    const TKxElement& e = *lab.Label()->Element(0);
    EXPECT_EQ(e.ElementType(), deBar);
    EXPECT_TRUE(e.Printable);
    EXPECT_TRUE(e.ID.isEmpty());
    EXPECT_EQ(e.P2, TPoint(30, 40));
    EXPECT_EQ(e.Angle, 180);
    EXPECT_EQ(KxSaveToBytes(lab), DistinctLabel(14, 1, BarCodeRecord(14)));
}

TEST(KxLabFileLayout, ClipboardRecordsAfterAnOlderLoadKeepPrintableAndID) {
    TMessageCapture messages;
    TKxLab lab;
    KxLoadFromBytes(lab, DistinctLabel(13, 1, BarCodeRecord(13)));
    ASSERT_EQ(lab.Label()->GetFileVersion(), 13);
    TKxElement& e = *lab.Label()->Element(0);
    e.Printable = false;
    e.ID = QStringLiteral("copied");
    KxClipboard().Store({TKxElementFactory::Record(e)});
    const std::unique_ptr<TKxElement> pasted =
        TKxElementFactory::FromRecord(KxClipboard().Records().front(), lab.Label());
    KxClipboard().Clear();
    EXPECT_FALSE(pasted->Printable);
    EXPECT_EQ(pasted->ID, QStringLiteral("copied"));
    EXPECT_EQ(TKxElementFactory::Record(*pasted), TKxElementFactory::Record(e));
}

TEST(KxLabFileLayout, AnyVersionButFourteenIsTheOlderFormat) {
    TKxLab lab;
    KxLoadFromBytes(lab, DefaultHead(-5).I32(0).Data());
    EXPECT_EQ(lab.Label()->GetFileVersion(), -5);
    EXPECT_EQ(KxSaveToBytes(lab), DefaultHead(14).I32(0).Data());
}

TEST(KxLabFileLayout, ValuesTheSettersWouldClampAreKeptAsStored) {
    TKxLab lab;
    // NuHor, IncX and Labs at zero: the setters would refuse all three.
    QByteArray bytes = DefaultHead().I32(0).Data();
    bytes = PatchI32(bytes, 38 + 2 + 6 * 4, 0);
    bytes = PatchI32(bytes, 108 + 4, 0);
    bytes = PatchI32(bytes, 148, 0);
    KxLoadFromBytes(lab, bytes);
    EXPECT_EQ(lab.GetMeasure()->GetNuHor(), 0);
    EXPECT_EQ(lab.GetGrid()->IncXLU(), 0);
    EXPECT_EQ(lab.GetPrintInfo()->GetLabs(), 0);
    EXPECT_EQ(KxSaveToBytes(lab), bytes);
}

// One stored setting changed through its public setter.
struct TSettingCase {
    const char* Name;
    std::function<void(TKxLab&)> Change;
};

class KxLabFileSetting : public ::testing::TestWithParam<TSettingCase> {};

TEST_P(KxLabFileSetting, IsWrittenAndReadBack) {
    TMessageCapture messages;
    TKxLab lab;
    const QByteArray before = KxSaveToBytes(lab);
    GetParam().Change(lab);
    const QByteArray saved = KxSaveToBytes(lab);
    EXPECT_NE(saved, before) << "the setting is not stored";
    TKxLab other;
    KxLoadFromBytes(other, saved);
    EXPECT_EQ(KxSaveToBytes(other), saved);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStoredSetting, KxLabFileSetting,
    ::testing::Values(TSettingCase{"BackgroundFile",
                                   [](TKxLab& l) { l.GetBackSurf()->SetFileName("none.png"); }},
                      TSettingCase{"Alias", [](TKxLab& l) { l.GetTable()->SetDatabaseName("shop"); }},
                      TSettingCase{"TableName", [](TKxLab& l) { l.GetTable()->SetTableName("items"); }},
                      TSettingCase{"Filter", [](TKxLab& l) { l.GetTable()->SetFilter("[A] = 1"); }},
                      TSettingCase{"LabelName", [](TKxLab& l) { l.GetMeasure()->SetLabelName("Box"); }},
                      TSettingCase{"PaperName", [](TKxLab& l) { l.GetMeasure()->SetPaperName("A5"); }},
                      TSettingCase{"Snap", [](TKxLab& l) { l.SetSnap(snGrid); }},
                      TSettingCase{"Units", [](TKxLab& l) { l.SetUnits(unINCH); }},
                      TSettingCase{"Width", [](TKxLab& l) { l.GetMeasure()->SetWidth(70); }},
                      TSettingCase{"Height", [](TKxLab& l) { l.GetMeasure()->SetHeight(40); }},
                      TSettingCase{"MarLeft", [](TKxLab& l) { l.GetMeasure()->SetMarLeft(7); }},
                      TSettingCase{"MarTop", [](TKxLab& l) { l.GetMeasure()->SetMarTop(7); }},
                      TSettingCase{"DiHor", [](TKxLab& l) { l.GetMeasure()->SetDiHor(7); }},
                      TSettingCase{"DiVer", [](TKxLab& l) { l.GetMeasure()->SetDiVer(7); }},
                      TSettingCase{"NuHor", [](TKxLab& l) { l.GetMeasure()->SetNuHor(8); }},
                      TSettingCase{"NuVer", [](TKxLab& l) { l.GetMeasure()->SetNuVer(8); }},
                      TSettingCase{"PaperWidth", [](TKxLab& l) { l.GetMeasure()->SetPaperWidth(200); }},
                      TSettingCase{"PaperHeight", [](TKxLab& l) { l.GetMeasure()->SetPaperHeight(200); }},
                      TSettingCase{"InnerCircle", [](TKxLab& l) { l.GetMeasure()->SetInnerCircle(4); }},
                      TSettingCase{"LabelType", [](TKxLab& l) { l.GetMeasure()->SetLabelType(ltCircle); }},
                      TSettingCase{"BackColor", [](TKxLab& l) { l.GetBackSurf()->SetColor(0x123456); }},
                      TSettingCase{"BackToColor", [](TKxLab& l) { l.GetBackSurf()->SetToColor(0x123456); }},
                      TSettingCase{"AlignColor", [](TKxLab& l) { l.GetBackSurf()->SetAlignColor(0x123456); }},
                      TSettingCase{"BackStyle", [](TKxLab& l) { l.GetBackSurf()->SetStyle(biGradHor); }},
                      TSettingCase{"AlignLeft", [](TKxLab& l) { l.GetBackSurf()->SetAlignLeft(9); }},
                      TSettingCase{"AlignTop", [](TKxLab& l) { l.GetBackSurf()->SetAlignTop(9); }},
                      TSettingCase{"ShowAlign", [](TKxLab& l) { l.GetBackSurf()->SetShowAlign(true); }},
                      TSettingCase{"BackPrint", [](TKxLab& l) { l.GetBackSurf()->SetPrint(true); }},
                      TSettingCase{"GridColor", [](TKxLab& l) { l.GetGrid()->SetColor(0x123456); }},
                      TSettingCase{"IncX", [](TKxLab& l) { l.GetGrid()->SetIncX(5); }},
                      TSettingCase{"IncY", [](TKxLab& l) { l.GetGrid()->SetIncY(5); }},
                      TSettingCase{"GridShow", [](TKxLab& l) { l.GetGrid()->SetShow(true); }},
                      TSettingCase{"ShowMargins", [](TKxLab& l) { l.SetShowMargins(true); }},
                      TSettingCase{"SelColor", [](TKxLab& l) { l.SetSelColor(0x123456); }},
                      TSettingCase{"FrameColor", [](TKxLab& l) { l.GetFrame()->SetColor(0x123456); }},
                      TSettingCase{"Dist1", [](TKxLab& l) { l.GetFrame()->SetDist1(2); }},
                      TSettingCase{"Dist2", [](TKxLab& l) { l.GetFrame()->SetDist2(2); }},
                      TSettingCase{"Radio", [](TKxLab& l) { l.GetFrame()->SetRadio(2); }},
                      TSettingCase{"FrameStyle", [](TKxLab& l) { l.GetFrame()->SetStyle(fsSingle); }},
                      TSettingCase{"FramePenWidth", [](TKxLab& l) { l.GetFrame()->SetPenWidth(1); }},
                      TSettingCase{"DaBa", [](TKxLab& l) { l.SetDaBa(true); }},
                      TSettingCase{"Labs", [](TKxLab& l) { l.GetPrintInfo()->SetLabs(4); }},
                      TSettingCase{"PrintColor", [](TKxLab& l) { l.GetPrintInfo()->SetColor(0x123456); }},
                      TSettingCase{"FirstRow", [](TKxLab& l) { l.GetPrintInfo()->SetFirstRow(4); }},
                      TSettingCase{"FirstCol", [](TKxLab& l) { l.GetPrintInfo()->SetFirstCol(4); }},
                      TSettingCase{"FirstLab", [](TKxLab& l) { l.GetPrintInfo()->SetFirstLab(4); }},
                      TSettingCase{"LastLab", [](TKxLab& l) { l.GetPrintInfo()->SetLastLab(4); }},
                      TSettingCase{"PaperSize", [](TKxLab& l) { l.GetPrintInfo()->SetPaperSize(256); }},
                      TSettingCase{"Orientation", [](TKxLab& l) { l.GetPrintInfo()->SetOrientation(1); }}),
    [](const ::testing::TestParamInfo<TSettingCase>& info) { return std::string(info.param.Name); });

TEST(KxLabFileSettings, NotStoredSettingsSurviveALoad) {
    TKxLab lab;
    lab.SetZoom(zm200);
    lab.GetPrintInfo()->SetRepetition(3);
    lab.GetRulers()->SetColor(0x123456);
    KxLoadFromBytes(lab, DefaultHead().I32(0).Data());
    EXPECT_EQ(lab.GetZoom(), zm200);
    EXPECT_EQ(lab.GetPrintInfo()->GetRepetition(), 3);
    EXPECT_EQ(lab.GetRulers()->GetColor(), 0x123456);
}

TEST(KxLabFileSettings, LoadClosesTheBoundTableBeforeRebinding) {
    TMessageCapture messages;
    TKxLab lab;
    lab.GetTable()->SetDatabaseName("old");
    KxLoadFromBytes(lab, DistinctLabel(14));
    EXPECT_FALSE(lab.GetTable()->Active());
    EXPECT_FALSE(lab.GetDataValid());
    EXPECT_EQ(lab.GetTable()->DatabaseName(), QStringLiteral("shop"));
}

TEST(KxLabFileFiles, SaveToFileAndLoadLabRoundTripEverySetting) {
    TMessageCapture messages;
    TKxTempDir dir;
    TKxLab lab;
    KxSetEverySetting(lab);
    KxAddEveryKind(lab);
    lab.SaveLab(dir.Path("a.kxl"));
    const QByteArray saved = ReadFile(dir.Path("a.kxl"));
    EXPECT_EQ(saved, KxSaveToBytes(lab));
    TKxLab other;
    other.LoadLab(dir.Path("a.kxl"));
    EXPECT_EQ(KxSaveToBytes(other), saved);
    EXPECT_EQ(other.Label()->ElementCount(), lab.Label()->ElementCount());
}

TEST(KxLabFileFiles, LoadLabShowsTheBusyCursorAndRestoresIt) {
    TMessageCapture messages;
    TKxTempDir dir;
    TKxLab lab;
    lab.SaveLab(dir.Path("a.kxl"));
    int busyCalls = 0;
    TMessageHook hook;
    hook.Busy = [&](bool busy) { busyCalls += busy ? 1 : 100; };
    const TMessageHook previous = SetMessageHook(hook);
    lab.LoadLab(dir.Path("a.kxl"));
    EXPECT_THROW(lab.LoadLab(dir.Path("missing.kxl")), EKxError);
    SetMessageHook(previous);
    EXPECT_EQ(busyCalls, 202);
}

TEST(KxLabFileFiles, LoadFromFileAppendsInStackingOrderWhileLoadLabReplaces) {
    TMessageCapture messages;
    TKxTempDir dir;
    TKxLab source;
    AddBarCodes(source, {"a", "b", "c"});
    source.SaveToFile(dir.Path("abc.kxl"));
    TKxLab lab;
    AddBarCodes(lab, {"mine"});
    lab.LoadFromFile(dir.Path("abc.kxl"));
    EXPECT_EQ(Ids(lab), QStringList({"mine", "a", "b", "c"}));
    lab.LoadLab(dir.Path("abc.kxl"));
    EXPECT_EQ(Ids(lab), QStringList({"a", "b", "c"}));
    for (int i = 0; i < lab.Label()->ElementCount(); ++i)
        EXPECT_EQ(lab.Label()->Element(i)->Owner, lab.Label());
}

TEST(KxLabFileFiles, LoadLabDrawsAJustifiedParagraphWithAHugeLineHeight) {
    // Found by the byte-flip suite: the line step overflowed while walking the lines.
    TMessageCapture messages;
    TKxTempDir dir;
    TKxLab source;
    std::unique_ptr<TKxElement> e = TKxElementFactory::Create(deParagraph, source.Label());
    auto& paragraph = dynamic_cast<TKxParagraph&>(*e);
    paragraph.Text = QStringLiteral("one two\nthree four\nfive");
    paragraph.Format = taJustify;
    paragraph.P1 = {0, 2130706000};
    paragraph.P2 = {600, 2130706400};
    paragraph.Height = 2130706000;
    source.AddElement(std::move(e));
    source.SaveLab(dir.Path("p.kxl"));
    TKxLab lab;
    lab.resize(400, 300);
    lab.LoadLab(dir.Path("p.kxl"));
    EXPECT_EQ(lab.Label()->ElementCount(), 1);
}

TEST(KxLabFileFiles, AFailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
    TKxTempDir dir;
    TKxLab lab;
    const QString path = dir.Path("a.kxl");
    lab.SaveToFile(path);
    const QByteArray first = ReadFile(path);
    lab.GetMeasure()->SetLabelName("second");
    lab.AddElement(std::make_unique<TUnwritable>(lab.Label()));
    EXPECT_THROW(lab.SaveToFile(path), EStreamError);
    EXPECT_EQ(ReadFile(path), first);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"a.kxl"});
}

TEST(KxLabFileFiles, SaveToAFolderThatDoesNotExistRaises) {
    TKxTempDir dir;
    TKxLab lab;
    EXPECT_THROW(lab.SaveToFile(dir.Path("no/such/folder/a.kxl")), EStreamError);
}

TEST(KxLabFileFiles, LoadFromFileOfAMissingFileNamesIt) {
    TKxLab lab;
    try {
        lab.LoadFromFile("/nonexistent/label.kxl");
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().contains("/nonexistent/label.kxl")) << e.Message().toStdString();
    }
}

TEST(KxLabFileFiles, LoadFromFileOpensReadOnly) {
    // Nothing may open this one for writing, not even the superuser; the read gets as far as the
    // content, which is not a label.
    TKxLab lab;
    try {
        lab.LoadFromFile("/proc/self/cmdline");
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_FALSE(e.Message().startsWith("Cannot open")) << e.Message().toStdString();
    }
}

TEST(KxLabFileFiles, LoadLabErrorCarriesTheFixedMessageAndTheCause) {
    TKxLab lab;
    try {
        lab.LoadLab("/nonexistent/label.kxl");
        FAIL() << "no error";
    } catch (const EKxError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No se puede leer el archivo elegido"));
        EXPECT_THROW(std::rethrow_if_nested(e), EStreamError);
    }
}

// The corrupt-file suite: whatever the damage, LoadLab ends in its error and the label stays as
// it was, and LoadFromStream raises the stream error with nothing changed.
class KxLabFileCorrupt : public ::testing::Test {
protected:
    void SetUp() override {
        KxSetEverySetting(FSource);
        KxAddEveryKind(FSource);
        FValid = KxSaveToBytes(FSource);
        // The label under test holds other work, which a failed load must keep.
        FLab.GetMeasure()->SetLabelName("unsaved work");
        FLab.SetZoom(zm50);
        FBefore = KxSaveToBytes(FLab);
    }

    // Loads bytes both ways; answers whether they were accepted. On refusal checks the error and
    // that nothing changed.
    bool Load(const QByteArray& bytes) {
        const QString path = FDir.Path("c.kxl");
        WriteFile(path, bytes);
        bool accepted = true;
        try {
            FLab.LoadLab(path);
        } catch (const EKxError& e) {
            accepted = false;
            EXPECT_EQ(e.Message(), QStringLiteral("No se puede leer el archivo elegido"));
            EXPECT_EQ(KxSaveToBytes(FLab), FBefore);
            EXPECT_EQ(FLab.Label()->GetFileVersion(), 14);
            EXPECT_EQ(FLab.GetZoom(), zm50);
        }
        if (accepted) {
            // Back to the work the next case starts from.
            WriteFile(path, FBefore);
            FLab.LoadLab(path);
        }
        TKxLab fresh;
        const QByteArray freshBytes = KxSaveToBytes(fresh);
        try {
            KxLoadFromBytes(fresh, bytes);
            EXPECT_TRUE(accepted) << "LoadFromStream accepts what LoadLab refuses";
        } catch (const EStreamError&) {
            EXPECT_FALSE(accepted) << "LoadLab accepts what LoadFromStream refuses";
            EXPECT_EQ(KxSaveToBytes(fresh), freshBytes);
            EXPECT_EQ(fresh.Label()->ElementCount(), 0);
        }
        return accepted;
    }

    TMessageCapture FMessages;
    TKxTempDir FDir;
    TKxLab FSource;
    TKxLab FLab;
    QByteArray FValid;
    QByteArray FBefore;
};

TEST_F(KxLabFileCorrupt, EveryTruncationIsRefused) {
    for (int size = 0; size < FValid.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Load(FValid.left(size)));
    }
    EXPECT_TRUE(Load(FValid));
}

TEST_F(KxLabFileCorrupt, RandomByteFlipsNeverCrash) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> offset(0, static_cast<int>(FValid.size()) - 1);
    std::uniform_int_distribution<int> value(0, 255);
    int refused = 0;
    for (int run = 0; run < 400; ++run) {
        QByteArray bytes = FValid;
        for (int flips = 1 + run % 4; flips > 0; --flips)
            bytes[offset(random)] = static_cast<char>(value(random));
        if (!Load(bytes)) ++refused;
        if (::testing::Test::HasFailure()) break;
    }
    // Most single flips land in lengths and colours, which any value fits; some must hit a count.
    EXPECT_GT(refused, 0);
}

TEST_F(KxLabFileCorrupt, HugeAndNegativeCountsAreRefusedWithoutAllocating) {
    const QByteArray empty = DefaultHead().I32(0).Data();
    for (int32_t count : {-1, INT32_MIN, INT32_MAX, 0x10000000}) {
        SCOPED_TRACE(count);
        // The first string count, and the element count.
        EXPECT_FALSE(Load(PatchI32(FValid, 0, count)));
        EXPECT_FALSE(Load(PatchI32(empty, 175, count)));
    }
}

TEST_F(KxLabFileCorrupt, AnElementCountThatCannotFitIsRefusedBeforeReading) {
    // Forty bytes left cannot hold forty records, nor even one.
    const QByteArray bytes = DefaultHead().I32(40).Data() + QByteArray(40, '\x01');
    EXPECT_FALSE(Load(bytes));
    TKxLab lab;
    try {
        KxLoadFromBytes(lab, bytes);
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().startsWith("Element count 40")) << e.Message().toStdString();
    }
}

TEST_F(KxLabFileCorrupt, EnumerationsOutsideTheirTypeAreRefused) {
    const int snap = 38;
    const int labelType = 38 + 2 + 11 * 4;
    for (int offset : {snap, snap + 1, labelType}) {
        QByteArray bytes = DefaultHead().I32(0).Data();
        bytes[offset] = '\x07';
        EXPECT_FALSE(Load(bytes));
    }
}

TEST_F(KxLabFileCorrupt, TagsWithoutAClassAreRefused) {
    for (int tag : {0, 9, 255}) {
        SCOPED_TRACE(tag);
        // A good record first: it must not stay behind either.
        QByteArray bytes = DefaultHead().I32(2).Data() + BarCodeRecord(14);
        bytes.append(static_cast<char>(tag));
        bytes.append(QByteArray(60, '\0'));
        EXPECT_FALSE(Load(bytes));
    }
}

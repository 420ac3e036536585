#include <gtest/gtest.h>

#include <QFile>
#include <sys/stat.h>

#include "base/StreamError.h"
#include "common/TestSupport.h"
#include "types/KxStockXml.h"

namespace {

QByteArray Templates(const QByteArray& Body, const QByteArray& Root = "Glabels-templates") {
    return "<?xml version=\"1.0\"?>\n<" + Root + " xmlns=\"http://example.org/ns/\">\n" + Body + "\n</" +
           Root + ">\n";
}

const QByteArray Rectangle =
    R"(<Template brand="Avery" part="L7160" size="A4" _description="Address labels">
         <Meta category="label"/>
         <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="1.5mm">
           <Markup-margin size="1mm"/>
           <Layout nx="3" ny="7" x0="7.21mm" y0="15.15mm" dx="66.04mm" dy="38.1mm"/>
         </Label-rectangle>
       </Template>)";

const TKxStock& Only(const TKxStockXmlFile& File) {
    EXPECT_EQ(File.Stocks.size(), 1U);
    static const TKxStock none;
    return File.Stocks.empty() ? none : File.Stocks.front();
}

TEST(KxStockXml, ReadsARectangleAndItsLayout) {
    const TKxStockXmlFile file = TKxStockXml::Read(Templates(Rectangle), QStringLiteral("avery.xml"));
    const TKxStock& s = Only(file);
    EXPECT_EQ(s.Maker, QStringLiteral("Avery"));
    EXPECT_EQ(s.Part, QStringLiteral("L7160"));
    EXPECT_EQ(s.Description, QStringLiteral("Address labels"));
    EXPECT_EQ(s.PaperName, QStringLiteral("A4"));
    EXPECT_EQ(s.Shape, TKxStockShape::Rectangle);
    EXPECT_DOUBLE_EQ(s.Width, 63.5);
    EXPECT_DOUBLE_EQ(s.Height, 38.1);
    EXPECT_EQ(s.CornerRadius, 1.5);
    EXPECT_EQ(s.Columns, 3);
    EXPECT_EQ(s.Rows, 7);
    EXPECT_DOUBLE_EQ(s.Left, 7.21);
    EXPECT_DOUBLE_EQ(s.Top, 15.15);
    EXPECT_DOUBLE_EQ(s.PitchX, 66.04);
    EXPECT_DOUBLE_EQ(s.PitchY, 38.1);
    EXPECT_EQ(s.Layouts, 1);
    EXPECT_EQ(s.Source, TKxStockSource::Xml);
    EXPECT_EQ(s.File, QStringLiteral("avery.xml"));
}

TEST(KxStockXml, LengthsWithoutAUnitArePointsAndCountsMayBeHexadecimal) {
    const TKxStockXmlFile file = TKxStockXml::Read(Templates(R"(<Template brand="B" part="P" size="US-Letter">
          <Label-rectangle id="0" width="144" height="72">
            <Layout nx="0x2" ny="010" x0="0.5in" y0="1cm" dx="2in"/>
          </Label-rectangle></Template>)"),
                                                   QStringLiteral("b.xml"));
    const TKxStock& s = Only(file);
    EXPECT_DOUBLE_EQ(s.Width, 50.8);
    EXPECT_DOUBLE_EQ(s.Height, 25.4);
    EXPECT_EQ(s.Columns, 2);
    EXPECT_EQ(s.Rows, 8);
    EXPECT_DOUBLE_EQ(s.Left, 12.7);
    EXPECT_DOUBLE_EQ(s.Top, 10);
    EXPECT_DOUBLE_EQ(s.PitchX, 50.8);
    // A pitch the layout leaves out is 0.
    EXPECT_DOUBLE_EQ(s.PitchY, 0);
    EXPECT_EQ(s.CornerRadius, 0.0);
}

TEST(KxStockXml, AnEmptyValueOrABareUnitIsAValueLeftOut) {
    // As catalogues in use write them: round="in", x0="".
    const TKxStockXmlFile file = TKxStockXml::Read(Templates(R"(<Template brand="B" part="P" size="A4">
          <Label-rectangle id="0" width="40mm" height="30mm" round="in">
            <Layout nx="2" ny="2" x0="" y0=" mm " dx="45mm" dy="35mm"/>
          </Label-rectangle></Template>)"),
                                                   QStringLiteral("b.xml"));
    const TKxStock& s = Only(file);
    EXPECT_EQ(s.CornerRadius, 0.0);
    EXPECT_DOUBLE_EQ(s.Left, 0);
    EXPECT_DOUBLE_EQ(s.Top, 0);
    EXPECT_DOUBLE_EQ(s.PitchX, 45);
}

TEST(KxStockXml, KeepsEveryShapeAndMarksWhatCannotBeDrawn) {
    const QByteArray body = R"(
      <Template brand="M" part="Round" size="A4"><Label-round id="0" radius="20mm">
        <Layout nx="4" ny="6" x0="10mm" y0="10mm" dx="45mm" dy="45mm"/></Label-round></Template>
      <Template brand="M" part="Disc" size="A4"><Label-cd id="0" radius="58.5mm" hole="20.5mm">
        <Layout nx="1" ny="2" x0="46mm" y0="20mm" dx="0" dy="140mm"/></Label-cd></Template>
      <Template brand="M" part="CardDisc" size="A4"><Label-cd id="0" radius="30mm" hole="8mm" width="60mm" height="40mm">
        <Layout nx="2" ny="5" x0="20mm" y0="20mm" dx="80mm" dy="50mm"/></Label-cd></Template>
      <Template brand="M" part="Oval" size="A4"><Label-ellipse id="0" width="60mm" height="40mm">
        <Layout nx="2" ny="5" x0="20mm" y0="20mm" dx="80mm" dy="50mm"/></Label-ellipse></Template>
      <Template brand="M" part="Star" size="A4"><Label-path id="0" d="M 0 0 L 10 10">
        <Layout nx="2" ny="5" x0="20mm" y0="20mm" dx="80mm" dy="50mm"/></Label-path></Template>
      <Template brand="M" part="Two" size="A4"><Label-rectangle id="0" width="60mm" height="40mm">
        <Layout nx="1" ny="2" x0="0" y0="0" dx="0" dy="50mm"/>
        <Layout nx="1" ny="2" x0="100mm" y0="0" dx="0" dy="50mm"/></Label-rectangle></Template>
      <Template brand="M" part="Twins" size="A4">
        <Label-rectangle id="0" width="60mm" height="40mm"><Layout nx="1" ny="1"/></Label-rectangle>
        <Label-round id="1" radius="10mm"><Layout nx="1" ny="1" x0="100mm"/></Label-round></Template>
      <Template brand="M" part="Copy" equiv="Round"/>)";
    const TKxStockXmlFile file = TKxStockXml::Read(Templates(body), QStringLiteral("m.xml"));
    ASSERT_EQ(file.Stocks.size(), 8U);
    const auto& s = file.Stocks;
    EXPECT_EQ(s[0].Shape, TKxStockShape::Round);
    EXPECT_DOUBLE_EQ(s[0].Width, 40);
    EXPECT_DOUBLE_EQ(s[0].Height, 40);
    EXPECT_EQ(s[1].Shape, TKxStockShape::Round);
    EXPECT_DOUBLE_EQ(s[1].Width, 117);
    EXPECT_DOUBLE_EQ(s[1].HoleRadius, 20.5);
    EXPECT_EQ(s[2].Shape, TKxStockShape::CutDisc);
    EXPECT_EQ(s[3].Shape, TKxStockShape::Ellipse);
    EXPECT_EQ(s[4].Shape, TKxStockShape::Other);
    EXPECT_EQ(s[4].ShapeName, QStringLiteral("path"));
    EXPECT_EQ(s[5].Layouts, 2);
    EXPECT_EQ(s[6].Layouts, 2);
    EXPECT_EQ(s[7].Equivalent, QStringLiteral("Round"));
    // Its layout is its original's, which the catalogue finds.
    EXPECT_EQ(s[7].Layouts, 0);
    for (int i : {2, 3, 4})
        EXPECT_EQ(s[i].Issue(), TKxStockIssue::Shape) << i;
    for (int i : {5, 6})
        EXPECT_EQ(s[i].Issue(), TKxStockIssue::SeveralLayouts) << i;
}

TEST(KxStockXml, ReadsPaperSizesAndPassesOverOtherFiles) {
    const TKxStockXmlFile papers = TKxStockXml::Read(
        Templates(R"(<Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
                     <Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>)",
                  "Glabels-paper-sizes"),
        QStringLiteral("paper-sizes.xml"));
    ASSERT_EQ(papers.Papers.size(), 2U);
    EXPECT_EQ(papers.Papers[1].Id, QStringLiteral("US-Letter"));
    EXPECT_DOUBLE_EQ(papers.Papers[1].Width, 215.9);
    EXPECT_DOUBLE_EQ(papers.Papers[1].Height, 279.4);
    const TKxStockXmlFile vendors =
        TKxStockXml::Read(Templates(R"(<Vendor name="Avery" url="http://example.org"/>)", "Glabels-vendors"),
                          QStringLiteral("v.xml"));
    EXPECT_TRUE(vendors.Stocks.empty());
    EXPECT_TRUE(vendors.Papers.empty());
}

TEST(KxStockXml, AnOtherPaperTakesTheTemplatesOwnSize) {
    const TKxStockXmlFile file = TKxStockXml::Read(
        Templates(R"(<Template brand="B" part="Roll" size="Other" width="62mm" height="100mm">
          <Label-rectangle id="0" width="62mm" height="100mm"><Layout nx="1" ny="1"/></Label-rectangle></Template>)"),
        QStringLiteral("b.xml"));
    const TKxStock& s = Only(file);
    EXPECT_DOUBLE_EQ(s.PaperWidth, 62);
    EXPECT_DOUBLE_EQ(s.PaperHeight, 100);
}

struct TBadCase {
    const char* Name;
    QByteArray Document;
    const char* Reason;
};

QByteArray Nested(int Depth) {
    QByteArray open;
    QByteArray close;
    for (int i = 0; i < Depth; ++i) {
        open += "<Meta>";
        close.prepend("</Meta>");
    }
    return Templates(R"(<Template brand="B" part="P" size="A4">)" + open + close + "</Template>");
}

QByteArray WithLayout(const QByteArray& Label, const QByteArray& Layout) {
    return Templates(R"(<Template brand="B" part="P" size="A4">)" + Label + Layout +
                     "</Label-rectangle></Template>");
}

const QByteArray Label = R"(<Label-rectangle id="0" width="60mm" height="40mm">)";

std::vector<TBadCase> BadCases() {
    return {
        {"NotWellFormed", Templates("<Template brand=\"B\" part=\"P\">"), ""},
        {"Truncated", Templates(Rectangle).left(200), ""},
        {"Empty", "", ""},
        {"OnlyAComment", "<?xml version=\"1.0\"?><!-- nothing -->", ""},
        {"TwoRoots", Templates(Rectangle) + "<Glabels-templates/>", ""},
        {"Dtd",
         "<?xml version=\"1.0\"?><!DOCTYPE Glabels-templates [<!ENTITY a \"aaaa\">]>" + Templates(Rectangle),
         "DTD"},
        {"BillionLaughs",
         "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 "
         "\"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">]><Glabels-templates>&lol2;</"
         "Glabels-templates>",
         "DTD"},
        {"ExternalEntity",
         "<?xml version=\"1.0\"?><!DOCTYPE t [<!ENTITY x SYSTEM "
         "\"file:///etc/passwd\">]><Glabels-templates>&x;"
         "</Glabels-templates>",
         "DTD"},
        {"UndeclaredEntity", Templates("<Template brand=\"&x;\" part=\"P\"/>"), ""},
        {"EntityInText", Templates("&nbsp;" + Rectangle), ""},
        {"DeepNesting", Nested(20), "deeper than 16"},
        {"NoBrand",
         Templates(R"(<Template part="P"><Label-rectangle id="0" width="1in" height="1in"/></Template>)"),
         "no brand"},
        {"NoShape", Templates(R"(<Template brand="B" part="P" size="A4"><Meta category="x"/></Template>)"),
         "no label shape"},
        {"NoLayout", WithLayout(Label, ""), "no layout"},
        {"NoWidth", WithLayout(R"(<Label-rectangle id="0" height="40mm">)", R"(<Layout nx="1" ny="1"/>)"),
         "no width"},
        {"NotALength", WithLayout(Label, R"(<Layout nx="1" ny="1" x0="ten"/>)"), "not a length"},
        {"HugeWidth",
         WithLayout(R"(<Label-rectangle id="0" width="1e12mm" height="40mm">)", R"(<Layout nx="1" ny="1"/>)"),
         "not a length a sheet can have"},
        {"NegativeOrigin", WithLayout(Label, R"(<Layout nx="1" ny="1" x0="-5mm"/>)"),
         "not a length a sheet can have"},
        {"ZeroColumns", WithLayout(Label, R"(<Layout nx="0" ny="1"/>)"), "1 to 1000"},
        {"MillionRows", WithLayout(Label, R"(<Layout nx="1" ny="999999"/>)"), "1 to 1000"},
        {"CountBeyondInt", WithLayout(Label, R"(<Layout nx="1" ny="99999999999999999999"/>)"), "not a count"},
        {"NegativeCount", WithLayout(Label, R"(<Layout nx="-3" ny="1"/>)"), "not a count"},
        {"BeyondTenMetres", WithLayout(Label, R"(<Layout nx="1" ny="1000" dy="20mm"/>)"), "ten metres"},
        {"NanPitch", WithLayout(Label, R"(<Layout nx="2" ny="1" dx="nan"/>)"), "not a length"},
    };
}

class KxStockXmlRefuses : public ::testing::TestWithParam<TBadCase> {};

TEST_P(KxStockXmlRefuses, AHostileOrMalformedFileNamingItAndWhy) {
    try {
        TKxStockXml::Read(GetParam().Document, QStringLiteral("bad-templates.xml"));
        FAIL() << "read without a complaint";
    } catch (const EStreamError& e) {
        const QString message = e.Message();
        EXPECT_TRUE(message.startsWith(QStringLiteral("bad-templates.xml, line "))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().Reason))) << message.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, KxStockXmlRefuses, ::testing::ValuesIn(BadCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(KxStockXml, NestingUpToTheCapIsRead) {
    // Root, template and the metas: 16 levels in all, read through to the template's missing shape.
    try {
        TKxStockXml::Read(Nested(14), QStringLiteral("n.xml"));
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no label shape"))) << e.Message().toStdString();
    }
}

TEST(KxStockXml, TooManyEntriesAreRefused) {
    const QByteArray one = R"(<Template brand="B" part="P" equiv="Q"/>)";
    EXPECT_NO_THROW(
        TKxStockXml::Read(Templates(one.repeated(TKxStockXml::MaxEntries)), QStringLiteral("x.xml")));
    EXPECT_THROW(
        TKxStockXml::Read(Templates(one.repeated(TKxStockXml::MaxEntries + 1)), QStringLiteral("x.xml")),
        EStreamError);
}

TEST(KxStockXml, AFileLargerThanTheCapIsRefusedUnread) {
    TKxTempDir dir;
    const QString path = dir.Path(QStringLiteral("huge-templates.xml"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Sparse: the reader must refuse it by its size, not read a gigabyte.
    ASSERT_TRUE(file.resize(qint64{1} << 30));
    file.close();
    try {
        TKxStockXml::ReadFile(path);
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("huge-templates.xml: larger than")))
            << e.Message().toStdString();
    }
    const QByteArray padded = Templates(Rectangle) + QByteArray(TKxStockXml::MaxFileBytes, ' ');
    EXPECT_THROW(TKxStockXml::Read(padded, QStringLiteral("p.xml")), EStreamError);
}

TEST(KxStockXml, OnlyRegularFilesAreRead) {
    TKxTempDir dir;
    const QString fifo = dir.Path(QStringLiteral("fifo-templates.xml"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // A pipe nobody writes would block the reader for ever.
    EXPECT_THROW(TKxStockXml::ReadFile(fifo), EStreamError);
    EXPECT_THROW(TKxStockXml::ReadFile(dir.Path()), EStreamError);
    EXPECT_THROW(TKxStockXml::ReadFile(dir.Path(QStringLiteral("missing.xml"))), EStreamError);
}

} // namespace

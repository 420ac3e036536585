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

QByteArray Template(const QByteArray& Label, const QByteArray& Layout,
                    const QByteArray& Close = "Label-rectangle") {
    return R"(<Template brand="B" part="P" size="A4">)" + Label + Layout + "</" + Close + "></Template>";
}

std::vector<TKxStock> Read(const QByteArray& Body) {
    return TKxStockXml::Read(Templates(Body), QStringLiteral("t.xml")).Stocks;
}

TEST(KxStockXml, ReadsAStockInEveryUnitItsFileUses) {
    const auto s = Read(R"(<Template brand="Avery" part="L7160" size="A4" _description="Address labels">
        <Meta category="label"/><Label-rectangle id="0" width="63.5mm" height="72" round="in"><Markup-margin size="1mm"/>
        <Layout nx="0x3" ny="07" x0="" y0="1cm" dx="2.6in" dy="72pt"/></Label-rectangle></Template>)");
    ASSERT_EQ(s.size(), 1U);
    EXPECT_EQ(s[0].Name(), QStringLiteral("Avery L7160"));
    EXPECT_EQ(s[0].Description, QStringLiteral("Address labels"));
    EXPECT_EQ(s[0].PaperName, QStringLiteral("A4"));
    EXPECT_EQ(s[0].Shape, TKxStockShape::Rectangle);
    EXPECT_DOUBLE_EQ(s[0].Width, 63.5);
    EXPECT_DOUBLE_EQ(s[0].Height, 25.4);
    // A value left out as "" or a bare unit, as files in use write some, is not given.
    EXPECT_EQ(s[0].CornerRadius, 0.0);
    EXPECT_DOUBLE_EQ(s[0].Left, 0);
    EXPECT_EQ(s[0].Columns, 3);
    EXPECT_EQ(s[0].Rows, 7);
    EXPECT_DOUBLE_EQ(s[0].Top, 10);
    EXPECT_DOUBLE_EQ(s[0].PitchX, 66.04);
    EXPECT_DOUBLE_EQ(s[0].PitchY, 25.4);
    EXPECT_EQ(s[0].Source, TKxStockSource::Xml);
    EXPECT_EQ(s[0].File, QStringLiteral("t.xml"));
}

TEST(KxStockXml, KeepsEveryShapeAndMarksWhatCannotBeDrawn) {
    const QByteArray layout = R"(<Layout nx="1" ny="2" x0="20mm" y0="20mm" dx="0" dy="140mm"/>)";
    const auto s =
        Read(Template(R"(<Label-round id="0" radius="20mm">)", layout, "Label-round") +
             Template(R"(<Label-cd id="0" radius="58.5mm" hole="20.5mm">)", layout, "Label-cd") +
             Template(R"(<Label-cd id="0" radius="30mm" hole="8mm" width="60mm" height="40mm">)", layout,
                      "Label-cd") +
             Template(R"(<Label-ellipse id="0" width="60mm" height="40mm">)", layout, "Label-ellipse") +
             Template(R"(<Label-path id="0" d="M 0 0 L 10 10">)", layout, "Label-path") +
             Template(R"(<Label-rectangle id="0" width="60mm" height="40mm">)", layout + layout) +
             R"(<Template brand="M" part="Copy" equiv="Round"/>)");
    ASSERT_EQ(s.size(), 7U);
    EXPECT_EQ(s[0].Shape, TKxStockShape::Round);
    EXPECT_DOUBLE_EQ(s[0].Height, 40);
    EXPECT_EQ(s[1].Shape, TKxStockShape::Round);
    EXPECT_DOUBLE_EQ(s[1].HoleRadius, 20.5);
    EXPECT_EQ(s[2].Shape, TKxStockShape::CutDisc);
    EXPECT_EQ(s[3].Shape, TKxStockShape::Ellipse);
    EXPECT_EQ(s[4].ShapeName, QStringLiteral("path"));
    EXPECT_EQ(s[5].Layouts, 2);
    for (int i : {2, 3, 4})
        EXPECT_EQ(s[i].Issue(), TKxStockIssue::Shape) << i;
    EXPECT_EQ(s[5].Issue(), TKxStockIssue::SeveralLayouts);
    // An equivalent waits for the catalogue to find its original.
    EXPECT_EQ(s[6].Equivalent, QStringLiteral("Round"));
    EXPECT_EQ(s[6].Issue(), TKxStockIssue::Original);
}

TEST(KxStockXml, ReadsPaperSizesAndTheSizeOfAnOtherPaperAndPassesOverOtherFiles) {
    const TKxStockXmlFile papers = TKxStockXml::Read(
        Templates(R"(<Paper-size id="US-Letter" pwg_size="na_letter" width="8.5in" height="11in"/>)",
                  "Glabels-paper-sizes"),
        QStringLiteral("p.xml"));
    ASSERT_EQ(papers.Papers.size(), 1U);
    EXPECT_EQ(papers.Papers[0].Id, QStringLiteral("US-Letter"));
    EXPECT_DOUBLE_EQ(papers.Papers[0].Height, 279.4);
    const auto other = Read(R"(<Template brand="B" part="Roll" size="Other" width="62mm" height="100mm">
        <Label-rectangle id="0" width="62mm" height="100mm"><Layout nx="1" ny="1"/></Label-rectangle></Template>)");
    EXPECT_DOUBLE_EQ(other.at(0).PaperWidth, 62);
    const TKxStockXmlFile vendors =
        TKxStockXml::Read(Templates(R"(<Vendor name="Avery"/>)", "Glabels-vendors"), QStringLiteral("v.xml"));
    EXPECT_TRUE(vendors.Stocks.empty() && vendors.Papers.empty());
}

QByteArray Nested(int Depth) {
    return Templates(R"(<Template brand="B" part="P" size="A4">)" + QByteArray("<Meta>").repeated(Depth) +
                     QByteArray("</Meta>").repeated(Depth) + "</Template>");
}

const QByteArray Label = R"(<Label-rectangle id="0" width="60mm" height="40mm">)";

struct TBadCase {
    const char* Name;
    QByteArray Document;
    const char* Reason;
};

class KxStockXmlRefuses : public ::testing::TestWithParam<TBadCase> {};

TEST_P(KxStockXmlRefuses, AHostileOrMalformedFileNamingItTheLineAndWhy) {
    try {
        TKxStockXml::Read(GetParam().Document, QStringLiteral("bad-templates.xml"));
        FAIL() << "read without a complaint";
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("bad-templates.xml, line "))) << e.what();
        EXPECT_TRUE(e.Message().contains(QString::fromUtf8(GetParam().Reason))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, KxStockXmlRefuses,
    ::testing::Values(
        TBadCase{"NotWellFormed", Templates("<Template brand=\"B\" part=\"P\">"), ""},
        TBadCase{"Empty", "", ""}, TBadCase{"TwoRoots", Templates("") + "<Glabels-templates/>", ""},
        TBadCase{"Dtd", "<!DOCTYPE t [<!ENTITY a \"aaaa\">]>" + Templates(""), "DTD"},
        TBadCase{
            "BillionLaughs",
            "<!DOCTYPE t [<!ENTITY l \"lol\"><!ENTITY l2 \"&l;&l;&l;&l;&l;&l;\">]><Glabels-templates>&l2;"
            "</Glabels-templates>",
            "DTD"},
        TBadCase{"UndeclaredEntity", Templates("<Template brand=\"&x;\" part=\"P\"/>"), ""},
        TBadCase{"EntityInText", Templates("&nbsp;"), ""},
        TBadCase{"DeepNesting", Nested(15), "deeper than 16"},
        TBadCase{"NoBrand", Templates(R"(<Template part="P"/>)"), "no brand"},
        TBadCase{"NoShape", Templates(R"(<Template brand="B" part="P"><Meta/></Template>)"),
                 "no label shape"},
        TBadCase{"NoLayout", Templates(Template(Label, "")), "no layout"},
        TBadCase{"NotALength", Templates(Template(Label, R"(<Layout nx="1" ny="1" x0="ten"/>)")),
                 "not a length"},
        TBadCase{"HugeWidth",
                 Templates(Template(R"(<Label-rectangle id="0" width="1e12mm" height="4mm">)",
                                    "<Layout nx='1' ny='1'/>")),
                 "not a length a sheet can have"},
        TBadCase{"NegativeOrigin", Templates(Template(Label, R"(<Layout nx="1" ny="1" x0="-5mm"/>)")),
                 "sheet can have"},
        TBadCase{"ZeroColumns", Templates(Template(Label, R"(<Layout nx="0" ny="1"/>)")), "1 to 1000"},
        TBadCase{"CountBeyondInt", Templates(Template(Label, R"(<Layout nx="1" ny="99999999999"/>)")),
                 "not a count"},
        TBadCase{"BeyondTenMetres", Templates(Template(Label, R"(<Layout nx="1" ny="1000" dy="20mm"/>)")),
                 "ten metres"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(KxStockXml, ReadsUpToItsLimitsOfNestingAndEntries) {
    // Root, template and fourteen metas: 16 levels, read through to the template's missing shape.
    try {
        TKxStockXml::Read(Nested(14), QStringLiteral("n.xml"));
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no label shape"))) << e.what();
    }
    const QByteArray one = R"(<Template brand="B" part="P" equiv="Q"/>)";
    EXPECT_NO_THROW(
        TKxStockXml::Read(Templates(one.repeated(TKxStockXml::MaxEntries)), QStringLiteral("x.xml")));
    EXPECT_THROW(
        TKxStockXml::Read(Templates(one.repeated(TKxStockXml::MaxEntries + 1)), QStringLiteral("x.xml")),
        EStreamError);
}

TEST(KxStockXml, ReadsOnlyRegularFilesWithinTheSizeCap) {
    TKxTempDir dir;
    const QString huge = dir.Path(QStringLiteral("huge-templates.xml"));
    QFile file(huge);
    // Sparse: the reader must refuse it by its size, not read a gigabyte.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64{1} << 30));
    file.close();
    EXPECT_THROW(TKxStockXml::ReadFile(huge), EStreamError);
    EXPECT_THROW(TKxStockXml::Read(QByteArray(TKxStockXml::MaxFileBytes + 1, ' '), QStringLiteral("p.xml")),
                 EStreamError);
    // A pipe nobody writes would block the reader for ever.
    const QString fifo = dir.Path(QStringLiteral("fifo-templates.xml"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_THROW(TKxStockXml::ReadFile(fifo), EStreamError);
    EXPECT_THROW(TKxStockXml::ReadFile(dir.Path()), EStreamError);
}

} // namespace

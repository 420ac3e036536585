// Writes the seed corpus of the stocks fuzz target: catalogue files with every shape, unit, layout and
// attribute the XML catalogue uses, a paper sizes file, a file of another kind, and files that break
// each of the reader's limits.
#include "CorpusMain.h"

namespace {

QByteArray Templates(const QByteArray& Body, const QByteArray& Root = "Glabels-templates") {
    return "<?xml version=\"1.0\"?>\n<" + Root + " xmlns=\"http://example.org/ns/\">\n" + Body + "\n</" +
           Root + ">\n";
}

const QByteArray Seeds[] = {
    Templates(R"(<Template brand="Avery" part="L7160" size="A4" _description="Address labels">
  <Meta category="label"/><Meta product_url="http://example.org/l7160"/>
  <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="1.5mm" x_waste="0mm" y_waste="0mm">
    <Markup-margin size="1mm"/><Markup-line x1="0" y1="0" x2="1in" y2="1in"/>
    <Layout nx="3" ny="7" x0="7.21mm" y0="15.15mm" dx="66.04mm" dy="38.1mm"/>
  </Label-rectangle>
</Template>
<Template brand="Avery" part="J8160" equiv="L7160"/>)"),
    Templates(R"(<Template brand="Avery" part="5160" size="US-Letter" description="Address Labels">
  <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in">
    <Layout nx="3" ny="10" x0="0.15625in" y0="0.5in" dx="2.78125in" dy="1in"/>
  </Label-rectangle>
</Template>)"),
    Templates(R"(<Template brand="Herma" part="4614" size="A4">
  <Label-rectangle id="0" width="187.086" height="95.811" round="0">
    <Layout nx="3" ny="8" x0="16.1575" y0="36.8504" dx="187.086" dy="95.811"/>
  </Label-rectangle>
</Template>)"),
    Templates(R"(<Template brand="Acme" part="R-1" size="A4"><Label-round id="0" radius="20mm" waste="1mm">
  <Layout nx="4" ny="6" x0="10mm" y0="10mm" dx="45mm" dy="45mm"/></Label-round></Template>
<Template brand="Acme" part="CD-1" size="A4"><Label-cd id="0" radius="58.5mm" hole="20.5mm" waste="2mm">
  <Markup-circle x0="58.5mm" y0="58.5mm" radius="56.5mm"/>
  <Layout nx="1" ny="2" x0="46mm" y0="20mm" dx="0" dy="140mm"/></Label-cd></Template>
<Template brand="Acme" part="CD-card" size="A4"><Label-cd id="0" radius="30mm" hole="8mm" width="60mm" height="40mm">
  <Layout nx="2" ny="5" x0="20mm" y0="20mm" dx="80mm" dy="50mm"/></Label-cd></Template>)"),
    Templates(R"(<Template brand="Acme" part="OV" size="A4"><Label-ellipse id="0" width="60mm" height="40mm">
  <Markup-ellipse x1="1mm" y1="1mm" w="58mm" h="38mm"/>
  <Layout nx="2" ny="5" x0="20mm" y0="20mm" dx="80mm" dy="50mm"/></Label-ellipse></Template>
<Template brand="Acme" part="Path" size="A4"><Label-path id="0" d="M 0 0 L 10 10">
  <Layout nx="2" ny="5"/></Label-path></Template>)"),
    Templates(
        R"(<Template brand="Acme" part="Two" size="A4"><Label-rectangle id="0" width="60mm" height="40mm">
  <Markup-rect x1="-1.5mm" y1="-3mm" w="29mm" h="90mm" r="1.5mm"/>
  <Layout nx="1" ny="2" x0="0" y0="0" dx="0" dy="50mm"/>
  <Layout nx="1" ny="2" x0="100mm" y0="0" dx="0" dy="50mm"/></Label-rectangle></Template>)"),
    Templates(R"(<Template brand="Brother" part="DK-1201" size="Other" width="82pt" height="255pt">
  <Label-rectangle id="0" width="82pt" height="255pt" round="4pt" x_waste="0" y_waste="0">
  <Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/></Label-rectangle></Template>
<Template brand="Odd" part="Bare" size="A4"><Label-rectangle id="0" width="40mm" height="30mm" round="in">
  <Layout nx="0x2" ny="010" x0="" y0="1cm" dx="2pc" dy="3.5e1mm"/></Label-rectangle></Template>)"),
    Templates(R"(<Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
<Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>)",
              "Glabels-paper-sizes"),
    Templates(R"(<Vendor name="Avery" url="http://example.org"/>)", "Glabels-vendors"),
    "<?xml version=\"1.0\"?><!DOCTYPE t [<!ENTITY a \"aaaa\">]><Glabels-templates>&a;</Glabels-templates>",
    Templates("<Template brand=\"&x;\" part=\"P\"/>"),
    Templates(R"(<Template brand="B" part="P" size="A4"><Meta><Meta><Meta><Meta><Meta><Meta><Meta><Meta><Meta>
  <Meta><Meta><Meta><Meta><Meta><Meta><Meta></Meta></Meta></Meta></Meta></Meta></Meta></Meta></Meta></Meta>
  </Meta></Meta></Meta></Meta></Meta></Meta></Meta></Template>)"),
    Templates(R"(<Template brand="B" part="P" size="A4"><Label-rectangle id="0" width="1e12mm" height="40mm">
  <Layout nx="1000" ny="99999999999" x0="-5mm" dx="nan"/></Label-rectangle></Template>)"),
};

bool WriteSeeds(const QDir& Dir) {
    bool ok = true;
    int n = 0;
    for (const QByteArray& seed : Seeds)
        ok &= WriteCorpusFile(Dir, QStringLiteral("stocks-%1.xml").arg(++n, 2, 10, QLatin1Char('0')), seed);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "", [](const QDir& Dir, int, char**) { return WriteSeeds(Dir); });
}

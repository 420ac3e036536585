// Writes the seed corpus of the SVG fuzz target: pictures the renderer draws (shapes, paths, text,
// gradients and uses by id, transforms, styles, embedded PNG and SVG data) and pictures that reach
// outside themselves in every way the check refuses (links of pictures and uses, style imports and
// url()s, style sheet instructions, external entities, compressed and deeply nested SVG), plus copies
// of the files named after the folder.
#include "common/PictureSamples.h"
#include "CorpusMain.h"

namespace {

QByteArray Svg(const QByteArray& Body, const QByteArray& Head = {}) {
    return Head +
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"60\" height=\"40\" viewBox=\"0 0 60 40\">" +
           Body + "</svg>";
}

struct TSeed {
    const char* Name;
    QByteArray Bytes;
};

bool WriteSvgs(const QDir& dir, int count, char** files) {
    const QByteArray inner = Svg("<circle cx=\"30\" cy=\"20\" r=\"15\" fill=\"blue\"/>");
    const TSeed seeds[] = {
        {"shapes.svg",
         Svg("<rect x=\"2\" y=\"2\" width=\"20\" height=\"10\" rx=\"3\" fill=\"#f00\" stroke=\"black\"/>"
             "<ellipse cx=\"40\" cy=\"20\" rx=\"10\" ry=\"5\"/><line x1=\"0\" y1=\"0\" x2=\"60\" "
             "y2=\"40\" stroke=\"green\" stroke-width=\"2\"/><polygon points=\"1,1 9,1 5,9\"/>")},
        {"path.svg", Svg("<path d=\"M 5 5 C 10 30 40 -10 55 35 Q 30 20 5 35 A 5 5 0 0 1 5 5 Z\" "
                         "fill-rule=\"evenodd\" transform=\"rotate(10 30 20) scale(0.9)\"/>")},
        {"text.svg", Svg("<text x=\"2\" y=\"20\" font-family=\"Liberation Sans\" font-size=\"12\" "
                         "font-weight=\"bold\">Kx<tspan fill=\"red\">Lab</tspan></text>")},
        {"gradient.svg", Svg("<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"#0f0\"/><stop "
                             "offset=\"1\" stop-color=\"#00f\"/></linearGradient><radialGradient id=\"r\" "
                             "xlink:href=\"#g\"/><rect id=\"box\" width=\"20\" height=\"20\"/></defs><use "
                             "xlink:href=\"#box\" fill=\"url(#g)\"/><use xlink:href=\"#box\" x=\"30\" "
                             "style=\"fill:url(#r)\"/>")},
        {"style.svg", Svg("<style>.a{fill:#123456;stroke:url(#g)} rect{opacity:0.5}</style><rect "
                          "class=\"a\" width=\"30\" height=\"30\"/>")},
        {"embedded-png.svg", Svg("<image width=\"60\" height=\"40\" xlink:href=\"" +
                                 DataUrl("image/png", PlainPng(6, 4, qRgba(200, 30, 30, 180))) + "\"/>")},
        {"embedded-svg.svg",
         Svg("<image width=\"60\" height=\"40\" xlink:href=\"" + DataUrl("image/svg+xml", inner) + "\"/>")},
        {"doctype.svg", Svg("<rect width=\"9\" height=\"9\" fill=\"&c;\"/>",
                            "<?xml version=\"1.0\"?><!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
                            "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\" [<!ENTITY c \"red\">]>")},
        {"outside-image.svg", Svg("<image width=\"60\" height=\"40\" xlink:href=\"a\"/>")},
        {"outside-use.svg", Svg("<use xlink:href=\"b#box\"/>")},
        {"outside-style.svg", Svg("<style>@import url(c);</style><rect style=\"fill:url(d)\"/>")},
        {"outside-sheet.svg", Svg({}, "<?xml-stylesheet href=\"e\"?>")},
        {"outside-entity.svg", Svg("<text>&f;</text>", "<!DOCTYPE svg [<!ENTITY f SYSTEM \"f\">]>")},
        {"outside-nested.svg",
         Svg("<image xlink:href=\"" + DataUrl("image/svg+xml", Svg("<image xlink:href=\"g\"/>")) + "\"/>")},
        {"compressed-nested.svg",
         Svg("<image xlink:href=\"" + DataUrl("image/svg+xml", QByteArray("\x1f\x8b\x08\x00", 4)) + "\"/>")},
    };
    bool ok = true;
    for (const TSeed& seed : seeds)
        ok &= WriteCorpusFile(dir, QString::fromLatin1(seed.Name), seed.Bytes);
    return CopyCorpusFiles(dir, count, files) && ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunCorpusMaker(argc, argv, "[files to copy...]", WriteSvgs);
}

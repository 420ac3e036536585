#include "print/PdfFont.h"

#include <cstdio>
#include <set>

#include "print/PdfFile.h"

namespace {

void AppendHex4(std::string& out, uint32_t v) {
    char b[8];
    std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
    out += b;
}

// A PDF name's characters: letters and digits only, which every reader takes.
std::string NameOf(const QString& s) {
    std::string out;
    for (QChar c : s)
        if (c.unicode() < 128 && c.isLetterOrNumber()) out += static_cast<char>(c.unicode());
    return out.empty() ? std::string("Font") : out;
}

} // namespace

TPdfFont::TPdfFont(const QRawFont& font, int object)
    : FFace([&font](const char* tag) { return font.fontTable(tag); })
    , FName(font.familyName() + QLatin1Char('-') + font.styleName())
    , FObject(object) {}

double TPdfFont::Advance(uint32_t glyph) {
    return FFace.Advance(glyph);
}

void TPdfFont::Use(uint32_t glyph, char32_t character) {
    FUsed.emplace(glyph, character);
}

std::string TPdfFont::Widths() const {
    std::string out = "[";
    for (const auto& [glyph, character] : FUsed) {
        out += std::to_string(glyph) + "[";
        AppendPdfNumber(out, FFace.Advance(glyph));
        out += "]";
    }
    return out + "]";
}

std::string TPdfFont::ToUnicode() const {
    std::string out = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                      "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
    std::vector<std::pair<uint32_t, char32_t>> known;
    for (const auto& [glyph, character] : FUsed)
        if (character != 0) known.emplace_back(glyph, character);
    for (size_t at = 0; at < known.size(); at += 100) {
        const size_t n = std::min<size_t>(100, known.size() - at);
        out += std::to_string(n) + " beginbfchar\n";
        for (size_t i = at; i < at + n; ++i) {
            out += '<';
            AppendHex4(out, known[i].first);
            out += "><";
            const QString text = QString::fromUcs4(&known[i].second, 1);
            for (QChar c : text)
                AppendHex4(out, c.unicode());
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    return out + "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
}

void TPdfFont::Write(TPdfFile& file, int index) const {
    std::set<uint32_t> glyphs;
    for (const auto& [glyph, character] : FUsed)
        glyphs.insert(glyph);
    const QByteArray subset = FFace.Subset(glyphs);
    // A subset's name starts with six capitals of its own.
    std::string tag;
    for (int i = 0, v = index; i < 6; ++i, v /= 26)
        tag += static_cast<char>('A' + v % 26);
    const std::string name = tag + "+" + NameOf(FName);

    const int fontFile = file.Reserve(), descriptor = file.Reserve(), cidFont = file.Reserve(),
              toUnicode = file.Reserve();
    file.Stream(fontFile, "/Length1 " + std::to_string(subset.size()),
                std::string_view(subset.constData(), subset.size()));
    std::string d = "<</Type/FontDescriptor/FontName/" + name + "/Flags 4/FontBBox[";
    for (double v : {FFace.BoxLeft(), FFace.BoxBottom(), FFace.BoxRight(), FFace.BoxTop()}) {
        AppendPdfNumber(d, v);
        d += ' ';
    }
    d += "]/ItalicAngle 0/Ascent ";
    AppendPdfNumber(d, FFace.Ascent());
    d += "/Descent ";
    AppendPdfNumber(d, FFace.Descent());
    d += "/CapHeight ";
    AppendPdfNumber(d, FFace.Ascent());
    d += "/StemV 80/FontFile2 " + std::to_string(fontFile) + " 0 R>>";
    file.Object(descriptor, d);
    file.Object(cidFont,
                "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name +
                    "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor " +
                    std::to_string(descriptor) + " 0 R/CIDToGIDMap/Identity/W " + Widths() + ">>");
    file.Stream(toUnicode, "", ToUnicode());
    file.Object(FObject, "<</Type/Font/Subtype/Type0/BaseFont/" + name +
                             "/Encoding/Identity-H/DescendantFonts[" + std::to_string(cidFont) +
                             " 0 R]/ToUnicode " + std::to_string(toUnicode) + " 0 R>>");
}

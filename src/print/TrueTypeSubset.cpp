#include "print/TrueTypeSubset.h"

#include <algorithm>
#include <map>
#include <QtEndian>

namespace {

uint16_t U16(const QByteArray& b, qsizetype at) {
    return at >= 0 && at + 2 <= b.size() ? qFromBigEndian<quint16>(b.constData() + at) : 0;
}

int16_t S16(const QByteArray& b, qsizetype at) {
    return static_cast<int16_t>(U16(b, at));
}

uint32_t U32(const QByteArray& b, qsizetype at) {
    return at >= 0 && at + 4 <= b.size() ? qFromBigEndian<quint32>(b.constData() + at) : 0;
}

void Put16(QByteArray& b, qsizetype at, uint16_t v) {
    qToBigEndian<quint16>(v, b.data() + at);
}

void Append16(QByteArray& b, uint16_t v) {
    char c[2];
    qToBigEndian<quint16>(v, c);
    b.append(c, 2);
}

void Append32(QByteArray& b, uint32_t v) {
    char c[4];
    qToBigEndian<quint32>(v, c);
    b.append(c, 4);
}

uint32_t Checksum(const QByteArray& b) {
    uint32_t sum = 0;
    for (qsizetype i = 0; i < b.size(); i += 4) {
        uint32_t word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < b.size() ? static_cast<uint8_t>(b[i + k]) : 0);
        sum += word;
    }
    return sum;
}

// The components a composite glyph is built of.
std::vector<uint32_t> Components(const QByteArray& outline) {
    std::vector<uint32_t> parts;
    if (S16(outline, 0) >= 0) return parts;
    constexpr uint16_t ArgsAreWords = 0x1, Scale = 0x8, More = 0x20, XYScale = 0x40, TwoByTwo = 0x80;
    qsizetype at = 10;
    for (;;) {
        if (at + 4 > outline.size()) break;
        const uint16_t flags = U16(outline, at);
        parts.push_back(U16(outline, at + 2));
        at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
        at += (flags & Scale) ? 2 : (flags & XYScale) ? 4 : (flags & TwoByTwo) ? 8 : 0;
        if (!(flags & More)) break;
    }
    return parts;
}

} // namespace

TTrueTypeFace::TTrueTypeFace(const std::function<QByteArray(const char* tag)>& table)
    : FHead(table("head"))
    , FHhea(table("hhea"))
    , FMaxp(table("maxp"))
    , FGlyf(table("glyf"))
    , FHmtx(table("hmtx"))
    , FCvt(table("cvt "))
    , FFpgm(table("fpgm"))
    , FPrep(table("prep")) {
    const QByteArray loca = table("loca");
    if (FHead.size() < 54 || FHhea.size() < 36 || FMaxp.size() < 6 || FGlyf.isEmpty() || loca.isEmpty())
        return;
    FGlyphCount = U16(FMaxp, 4);
    FHMetrics = U16(FHhea, 34);
    FUnitsPerEm = U16(FHead, 18);
    const bool longLoca = S16(FHead, 50) == 1;
    if (FGlyphCount == 0 || FUnitsPerEm == 0 || FHMetrics == 0 || FHmtx.size() < FHMetrics * 4 ||
        loca.size() < (FGlyphCount + 1) * (longLoca ? 4 : 2))
        return;
    FLoca.resize(FGlyphCount + 1);
    for (int g = 0; g <= FGlyphCount; ++g)
        FLoca[g] = longLoca ? U32(loca, g * 4) : U16(loca, g * 2) * 2u;
    for (int g = 0; g < FGlyphCount; ++g)
        if (FLoca[g] > FLoca[g + 1] || FLoca[g + 1] > static_cast<uint32_t>(FGlyf.size())) return;
    for (int i = 0; i < 4; ++i)
        FBox[i] = S16(FHead, 36 + 2 * i);
    FAscent = S16(FHhea, 4);
    FDescent = S16(FHhea, 6);
    FUsable = true;
}

double TTrueTypeFace::Advance(uint32_t glyph) const {
    if (!FUsable) return 0;
    const int metric = std::min<int>(static_cast<int>(std::min<uint32_t>(glyph, 0xFFFF)), FHMetrics - 1);
    return Scaled(U16(FHmtx, metric * 4));
}

QByteArray TTrueTypeFace::Outline(uint32_t glyph) const {
    if (glyph >= static_cast<uint32_t>(FGlyphCount)) return {};
    return FGlyf.mid(FLoca[glyph], FLoca[glyph + 1] - FLoca[glyph]);
}

QByteArray TTrueTypeFace::Subset(const std::set<uint32_t>& glyphs) const {
    if (!FUsable) return {};
    // Glyph 0 and every component of a kept composite stay.
    std::vector<bool> keep(FGlyphCount, false);
    std::vector<uint32_t> todo(glyphs.begin(), glyphs.end());
    todo.push_back(0);
    while (!todo.empty()) {
        const uint32_t g = todo.back();
        todo.pop_back();
        if (g >= keep.size() || keep[g]) continue;
        keep[g] = true;
        for (uint32_t part : Components(Outline(g)))
            todo.push_back(part);
    }

    QByteArray glyf, loca, hmtx = FHmtx;
    for (int g = 0; g < FGlyphCount; ++g) {
        Append32(loca, static_cast<uint32_t>(glyf.size()));
        if (keep[g]) {
            glyf += Outline(g);
            while (glyf.size() % 4)
                glyf.append('\0');
        } else if (g < FHMetrics) {
            Put16(hmtx, g * 4, 0);
            Put16(hmtx, g * 4 + 2, 0);
        } else if (FHMetrics * 4 + (g - FHMetrics) * 2 + 2 <= hmtx.size()) {
            Put16(hmtx, FHMetrics * 4 + (g - FHMetrics) * 2, 0);
        }
    }
    Append32(loca, static_cast<uint32_t>(glyf.size()));
    QByteArray head = FHead;
    Put16(head, 50, 1); // long offsets in loca
    head.replace(8, 4, QByteArray(4, '\0'));

    std::map<QByteArray, QByteArray> tables{{"glyf", glyf}, {"head", head}, {"hhea", FHhea},
                                            {"hmtx", hmtx}, {"loca", loca}, {"maxp", FMaxp}};
    if (!FCvt.isEmpty()) tables["cvt "] = FCvt;
    if (!FFpgm.isEmpty()) tables["fpgm"] = FFpgm;
    if (!FPrep.isEmpty()) tables["prep"] = FPrep;

    const auto count = static_cast<uint16_t>(tables.size());
    uint16_t power = 1, log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    QByteArray font;
    Append32(font, 0x00010000);
    Append16(font, count);
    Append16(font, power * 16);
    Append16(font, log);
    Append16(font, count * 16 - power * 16);
    uint32_t offset = 12 + 16u * count;
    qsizetype headAt = 0;
    for (const auto& [tag, data] : tables) {
        font += tag;
        Append32(font, Checksum(data));
        Append32(font, offset);
        Append32(font, static_cast<uint32_t>(data.size()));
        if (tag == "head") headAt = offset;
        offset += (data.size() + 3) & ~3;
    }
    for (const auto& [tag, data] : tables) {
        font += data;
        while (font.size() % 4)
            font.append('\0');
    }
    const uint32_t adjust = 0xB1B0AFBAu - Checksum(font);
    qToBigEndian<quint32>(adjust, font.data() + headAt + 8);
    return font;
}

#include "gdi/FontFace.h"

#include <algorithm>
#include <map>
#include <memory>
#include <QFont>
#include <QTransform>
#include <tuple>

namespace {

// Large enough that the 1/64-pixel rounding of advances is negligible.
constexpr double ReferencePixels = 2048.0;
// The em of a font whose height is left at 0.
constexpr double DefaultEm = 12.0;
// Sizes kept per face: the few sizes of one label at one zoom fit many times over, while the glyph
// caches they hold stay bounded whatever is drawn.
constexpr std::size_t KeptSizes = 32;

} // namespace

TFontFace::TFontFace(const QRawFont& font)
    : FFont(font) {
    if (!FFont.isValid()) return;
    const double size = FFont.pixelSize();
    FAscent = FFont.ascent() / size;
    FDescent = FFont.descent() / size;
    FUnderline = FFont.underlinePosition() / size;
    FThickness = std::max(FFont.lineThickness() / size, 0.02);
    if (FFont.xHeight() > 0) FStrikeOut = FFont.xHeight() / 2 / size;
}

const TFontFace& TFontFace::For(const TLogFont& log) {
    using TKey = std::tuple<QString, int32_t, bool>;
    // Faces by the family the system resolved, and the face of every name asked for: names that
    // resolve alike (an alias, or unknown names falling back to the default family) share one face,
    // so a file full of made-up font names cannot pile up font engines.
    static std::map<TKey, std::unique_ptr<TFontFace>> faces;
    static std::map<TKey, const TFontFace*> named;
    const bool bold = log.lfWeight >= 600;
    const int32_t weight = bold ? 700 : 400;
    const TKey key{log.lfFaceName, weight, log.lfItalic != 0};
    if (const auto it = named.find(key); it != named.end()) return *it->second;

    QFont font(log.lfFaceName);
    font.setPixelSize(static_cast<int>(ReferencePixels));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(log.lfItalic != 0);
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    raw.setPixelSize(ReferencePixels);
    const TKey resolved{raw.familyName(), weight, log.lfItalic != 0};
    auto face = faces.find(resolved);
    if (face == faces.end())
        face = faces.emplace(resolved, std::unique_ptr<TFontFace>(new TFontFace(raw))).first;
    return *named.emplace(key, face->second.get()).first->second;
}

double TFontFace::EmFor(int32_t height) const {
    if (height == 0) return DefaultEm;
    if (height < 0) return -static_cast<double>(height);
    const double cell = FAscent + FDescent;
    return cell > 0 ? height / cell : height;
}

std::vector<quint32> TFontFace::Glyphs(const QString& text) const {
    const QList<uint> points = text.toUcs4();
    std::vector<quint32> glyphs(points.size(), 0);
    if (!FFont.isValid() || text.isEmpty()) return glyphs;
    const QList<quint32> found = FFont.glyphIndexesForString(text);
    // Characters the face lacks leave 0 (the missing-glyph box), as the platform draws them.
    for (qsizetype i = 0; i < found.size() && i < static_cast<qsizetype>(glyphs.size()); ++i)
        glyphs[i] = found[i];
    return glyphs;
}

std::vector<double> TFontFace::Advances(const std::vector<quint32>& glyphs) const {
    std::vector<double> result(glyphs.size(), 0.0);
    if (!FFont.isValid() || glyphs.empty()) return result;
    // The engine loads the outline of every glyph asked for, each time: measuring is most of the work
    // of laying text out, so each glyph is measured once.
    QList<quint32> missing;
    for (quint32 g : glyphs)
        if (!FAdvances.contains(g)) missing.append(g);
    if (!missing.isEmpty()) {
        const QList<QPointF> advances = FFont.advancesForGlyphIndexes(missing, QRawFont::UseDesignMetrics);
        for (qsizetype i = 0; i < missing.size(); ++i)
            FAdvances[missing[i]] = i < advances.size() ? advances[i].x() / FFont.pixelSize() : 0.0;
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        result[i] = FAdvances[glyphs[i]];
    return result;
}

QRawFont TFontFace::RawFont(double pixelSize) const {
    // Every size is a font engine of its own with its own glyph cache; making one per call rendered
    // every glyph again on every draw.
    if (const auto it = FSized.find(pixelSize); it != FSized.end()) return it->second;
    if (FSized.size() >= KeptSizes) FSized.clear();
    QRawFont raw = FFont;
    raw.setPixelSize(pixelSize);
    FSized.emplace(pixelSize, raw);
    return raw;
}

QPainterPath TFontFace::Outlines(const QList<quint32>& glyphs, const QList<QPointF>& positions,
                                 double pixelSize) const {
    QPainterPath outlines;
    if (!FFont.isValid()) return outlines;
    const double scale = pixelSize / FFont.pixelSize();
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const QTransform place =
            QTransform::fromTranslate(positions[i].x(), positions[i].y()).scale(scale, scale);
        outlines.addPath(place.map(FFont.pathForGlyph(glyphs[i])));
    }
    return outlines;
}

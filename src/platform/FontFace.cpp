#include "platform/FontFace.h"

#include <algorithm>
#include <map>
#include <memory>
#include <QFont>
#include <tuple>

namespace {

// Large enough that the 1/64-pixel rounding of advances is negligible.
constexpr double ReferencePixels = 2048.0;
// The em of a font whose height is left at 0.
constexpr double DefaultEm = 12.0;

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
    static std::map<TKey, std::unique_ptr<TFontFace>> faces;
    const bool bold = log.lfWeight >= 600;
    const TKey key{log.lfFaceName, bold ? 700 : 400, log.lfItalic != 0};
    auto it = faces.find(key);
    if (it == faces.end()) {
        QFont font(log.lfFaceName);
        font.setPixelSize(static_cast<int>(ReferencePixels));
        font.setWeight(bold ? QFont::Bold : QFont::Normal);
        font.setItalic(log.lfItalic != 0);
        font.setHintingPreference(QFont::PreferNoHinting);
        QRawFont raw = QRawFont::fromFont(font);
        raw.setPixelSize(ReferencePixels);
        it = faces.emplace(key, std::unique_ptr<TFontFace>(new TFontFace(raw))).first;
    }
    return *it->second;
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
    const QList<quint32> list(glyphs.begin(), glyphs.end());
    const QList<QPointF> advances = FFont.advancesForGlyphIndexes(list, QRawFont::UseDesignMetrics);
    for (qsizetype i = 0; i < advances.size() && i < static_cast<qsizetype>(result.size()); ++i)
        result[i] = advances[i].x() / FFont.pixelSize();
    return result;
}

QRawFont TFontFace::RawFont(double pixelSize) const {
    QRawFont raw = FFont;
    raw.setPixelSize(pixelSize);
    return raw;
}

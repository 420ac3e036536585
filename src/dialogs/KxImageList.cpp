#include "dialogs/KxImageList.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const char* const GlyphFiles[] = {"first",     "previous", "next",   "last",  "wholepage",
                                  "pagewidth", "zoomout",  "zoomin", "print", "save"};
static_assert(std::size(GlyphFiles) == TKxImageList::GlyphCount);

// The drawings use three colours: ink for outlines, accent for the part that acts, paper for fills.
struct TGlyphColours {
    const char* Ink;
    const char* Accent;
    const char* Paper;
};
constexpr TGlyphColours StateColours[] = {
    {"#1f3a5f", "#2e7bd6", "#ffffff"},
    {"#0b2545", "#e8890c", "#fff4dc"},
    {"#9a9a9a", "#bdbdbd", "#eeeeee"},
};

QByteArray Recoloured(QByteArray Svg, const TGlyphColours& Colours) {
    const TGlyphColours& drawn = StateColours[TKxImageList::gsNormal];
    Svg.replace(drawn.Ink, Colours.Ink);
    Svg.replace(drawn.Accent, Colours.Accent);
    Svg.replace(drawn.Paper, Colours.Paper);
    return Svg;
}

} // namespace

TKxImageList::TKxImageList(TGlyphState State, QObject* parent)
    : QObject(parent)
    , FState(State) {}

QByteArray TKxImageList::Svg(int Index) const {
    if (Index < 0 || Index >= GlyphCount) return {};
    QFile file(QStringLiteral(":/kxlab/glyphs/%1.svg").arg(QLatin1String(GlyphFiles[Index])));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Recoloured(file.readAll(), StateColours[FState]);
}

QPixmap TKxImageList::Pixmap(int Index, int Side) const {
    QSvgRenderer renderer(Svg(Index));
    if (!renderer.isValid() || Side <= 0) return {};
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon TKxImageList::Icon(const TKxImageList& Normal, const TKxImageList& Hot, const TKxImageList& Disabled,
                         int Index) {
    QIcon icon;
    // Twice the size too, for screens that scale.
    for (const int side : {GlyphSize, 2 * GlyphSize}) {
        icon.addPixmap(Normal.Pixmap(Index, side), QIcon::Normal);
        icon.addPixmap(Hot.Pixmap(Index, side), QIcon::Active);
        icon.addPixmap(Disabled.Pixmap(Index, side), QIcon::Disabled);
    }
    return icon;
}

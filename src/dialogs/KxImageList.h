#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QString>

/// The preview tool bar's glyphs in one state, as an image list: the same drawings coloured for the
/// normal, the hot (under the mouse) or the disabled look. The drawings are SVG resources in the
/// normal colours; each list recolours them for its state.
class TKxImageList : public QObject {
    Q_OBJECT
public:
    enum TGlyphState { gsNormal, gsHot, gsDisabled };
    Q_ENUM(TGlyphState)

    /// The glyphs in list order: first, previous, next, last, whole page, page width, zoom out,
    /// zoom in, print, save.
    enum TGlyph {
        glFirst,
        glPrevious,
        glNext,
        glLast,
        glWholePage,
        glPageWidth,
        glZoomOut,
        glZoomIn,
        glPrint,
        glSave
    };
    static constexpr int GlyphCount = glSave + 1;
    /// Side of a glyph in pixels.
    static constexpr int GlyphSize = 16;

    TKxImageList(TGlyphState State, QObject* parent = nullptr);

    TGlyphState State() const { return FState; }
    int Count() const { return GlyphCount; }
    /// The SVG drawing of glyph Index in this state's colours; empty out of range.
    QByteArray Svg(int Index) const;
    /// Glyph Index drawn Side pixels square; null out of range.
    QPixmap Pixmap(int Index, int Side = GlyphSize) const;

    /// Glyph Index as a button icon: Normal as drawn, Hot under the mouse, Disabled when disabled.
    static QIcon Icon(const TKxImageList& Normal, const TKxImageList& Hot, const TKxImageList& Disabled,
                      int Index);

private:
    TGlyphState FState;
};

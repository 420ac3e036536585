#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QTransform>

/// A paint engine that takes glyphs as glyphs: a document writer that embeds the face and keeps the
/// text searchable. TPainterDevice hands its glyph runs here when its painter's engine is one.
class TGlyphSink {
public:
    /// The glyphs of one run, in one colour. Positions are baseline origins in the painter's
    /// coordinates, which Transform takes to device pixels; the painter's own transform and clip may
    /// not have reached the engine yet, so the run carries them.
    struct TRun {
        /// The face (stable for the process) and the face at the em's pixel size.
        const void* Face = nullptr;
        QRawFont Font;
        QList<quint32> Glyphs;
        QList<QPointF> Positions;
        /// The characters, one code point per glyph: what a reader copies out of the text.
        QString Text;
        QColor Color;
        QTransform Transform;
        /// Device pixels the run is clipped to, or null.
        const QRect* Clip = nullptr;
    };

    /// False, drawing nothing, for a face the sink cannot embed: the caller fills the outlines.
    virtual bool DrawGlyphs(const TRun& run) = 0;

protected:
    ~TGlyphSink() = default;
};

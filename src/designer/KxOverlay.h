#pragma once

#include <array>
#include <cstdint>
#include <QRegion>
#include <vector>

#include "base/Color.h"
#include "base/Geometry.h"
#include "designer/KxMarks.h"
#include "gdi/CanvasTypes.h"
#include "kxlab_export.h"

class TCanvas;

/// What the window shows over the copied surface, in client pixels: the selection marks as the
/// last Paint drew them, the not-xor rubber bands drawn since, and the mouse-position marks in the
/// rulers. The widget draws it after copying the off-screen bitmap, so the surface itself is never
/// recomposed for them. Every change answers the client region it touches, to repaint only that.
class KXLAB_EXPORT TKxOverlay {
public:
    enum class TKind : uint8_t { Line, Frame, Triangle, DottedFrame };
    /// One not-xor figure: a line from A to B (B left out), a hollow rectangle with corners A and B
    /// (solid, or dotted for a selecting band), or a triangle A, B, C filled and outlined in Color.
    struct TFigure {
        TKind Kind = TKind::Line;
        std::array<TPoint, 3> P{};
        TColor Color = clBlack;

        friend bool operator==(const TFigure&, const TFigure&) = default;
    };

    /// The window after a copy of the surface: Marks (by their DragState) will be outlined in
    /// Color; rubber bands and ruler marks are gone; the window's pen mode is copy again.
    void Reset(const TKxMarks& Marks, TColor Color);
    /// Draws F not-xor. Drawing an equal figure a second time removes it, exactly as a second
    /// not-xor drawing restores the pixels; the order of not-xor figures does not matter.
    QRegion Toggle(const TFigure& F);
    /// Mouse-position marks: a line down the top strip at P.X and one across the left strip at
    /// P.Y, in Color and the window's current pen mode. Earlier marks stay until ClearRulerMarks.
    QRegion AddRulerMarks(const TPoint& P, TColor Color);
    /// Drops every ruler mark (the strips were copied over them); answers the region they covered.
    QRegion ClearRulerMarks();

    /// The pen mode the window's canvas was last left in: not-xor after a rubber band, copy after Reset.
    TPenMode PenMode() const { return FPenMode; }
    const std::vector<TFigure>& Figures() const { return FFigures; }
    TKxDrag ShownState() const { return FShown.DragState; }
    const TKxMarks& Shown() const { return FShown; }
    int RulerMarkCount() const { return static_cast<int>(FRuler.size()); }

    /// Draws marks, rubber bands and ruler marks, in that order, on a canvas in client pixels. The
    /// other elements of a selection of several are outlined dotted.
    void Draw(TCanvas& Canvas) const;

    /// The client region a figure covers.
    static QRegion Region(const TFigure& F);

private:
    struct TRulerMarks {
        TPoint P;
        TColor Color = clRed;
        TPenMode Mode = pmCopy;
    };
    static QRegion RulerRegion(const TPoint& P);

    TKxMarks FShown;
    TColor FShownColor = clRed;
    std::vector<TFigure> FFigures;
    std::vector<TRulerMarks> FRuler;
    TPenMode FPenMode = pmCopy;
};

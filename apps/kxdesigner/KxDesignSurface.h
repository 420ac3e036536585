#pragma once

#include <QByteArray>

#include "designer/KxLab.h"

class QKeyEvent;
class QMouseEvent;
class QPoint;
class QWheelEvent;

/// The designer control as the application uses it. Presses pick what the user sees: the front-most
/// element whose drawn shape is under the pointer (a transparent frame on its border, a line near its
/// stroke), a press on nothing drops the selection and starts a selecting band, a right press selects
/// before the menu, a double click opens the element's properties; Shift or Ctrl and a press add or
/// remove an element, a press on any element of a selection of several drags them all, and Alt and a
/// press select, one press after another, each element drawn under the pointer from the front. It
/// takes the keyboard: arrow keys nudge the selected elements that are not locked by one label unit of
/// the unit shown (0.1 mm, 0.01 in), Shift by one grid step, with snap on to the next grid point,
/// never past the label's edge, each press one undo step; Escape ends a drawing tool, else drops the
/// selection; Ctrl and the wheel zoom about the pointer. It says when it changed the tool or the zoom
/// itself; the control says when the selection changes.
class TKxDesignSurface : public TKxLab {
    Q_OBJECT
public:
    explicit TKxDesignSurface(QWidget* parent = nullptr);

    /// Moves the selected elements by DirX, DirY (each -1, 0 or 1) steps as the arrow keys do, as a
    /// group; Grid: by a grid step (Shift). The steps follow the current element (else the first that
    /// is not locked). Nothing without a selection.
    void Nudge(int DirX, int DirY, bool Grid);

    /// Zooms Steps zoom steps in (out when negative), within the control's steps, keeping the label
    /// point under About (client pixels) where it is.
    void ZoomBy(int Steps, const QPoint& About);

    /// A new label as the designer starts one (TKxLabel::Record): the library's defaults, the label's
    /// name in the current language.
    static QByteArray NewLabelRecord();

signals:
    /// The surface changed the drawing tool itself (Escape, a right press that drops the selection).
    void ToolChanged();
    /// The surface changed its zoom itself (Ctrl and the wheel).
    void Zoomed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    /// Ctrl and the wheel zoom about the pointer.
    void wheelEvent(QWheelEvent* event) override;
    /// By the drawn shape (KxShapeHit).
    bool Picks(const TKxElement& E, const TPoint& P) const override;
    /// A text drawn says "text" in the current language.
    void DrawnDefaults(TKxElement& E) const override;

private:
    /// Selects the front-most element drawn under P (nothing when none is), telling the host when
    /// the selection changes; Left: as a left press, which fires OnSelect. The element, or null.
    TKxElement* SelectUnder(const TPoint& P, bool Left);
    /// Selects what a press lands on before the control handles it; false when the press is done.
    bool Pick(const QMouseEvent* event);
    /// One nudge along an axis, label units: Pos the anchor's coordinate, Step the grid step.
    int32_t NudgeStep(int Dir, bool Grid, int32_t Pos, int32_t Step) const;
};

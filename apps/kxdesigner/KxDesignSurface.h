#pragma once

#include "designer/KxLab.h"

class QKeyEvent;
class QMouseEvent;

/// The designer control as the application uses it: it says when a mouse action or a key has ended,
/// so that the window can record the change as one step, and it takes the keyboard: arrow keys nudge
/// the selected element by one grid step (Shift: ten), Escape ends a drawing tool.
class TKxDesignSurface : public TKxLab {
    Q_OBJECT
public:
    explicit TKxDesignSurface(QWidget* parent = nullptr);

    /// Moves the selected element by StepsX grid steps across and StepsY down; nothing without a
    /// selection.
    void Nudge(int StepsX, int StepsY);

signals:
    /// A press (with the dialog a drawing tool opens), a release or a key is done; the label may
    /// have changed.
    void Edited();
    /// The surface changed the drawing tool itself (Escape, a right press that drops the selection).
    void ToolChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

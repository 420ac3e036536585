#pragma once

#include "designer/KxLab.h"

class QKeyEvent;
class QMouseEvent;

/// The designer control as the application uses it: it takes the keyboard (arrow keys nudge the selected
/// element by one grid step, Shift by ten, as one undo step; Escape ends a drawing tool) and says when
/// it changed the drawing tool itself.
class TKxDesignSurface : public TKxLab {
    Q_OBJECT
public:
    explicit TKxDesignSurface(QWidget* parent = nullptr);

    /// Moves the selected element by StepsX grid steps across and StepsY down; nothing without a
    /// selection.
    void Nudge(int StepsX, int StepsY);

signals:
    /// The surface changed the drawing tool itself (Escape, a right press that drops the selection).
    void ToolChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

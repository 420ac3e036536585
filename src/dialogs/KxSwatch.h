#pragma once

#include <QFrame>

#include "base/Color.h"

/// A colour swatch: a framed rectangle filled with its brush colour. A left press is reported as
/// mouseDown, on which the dialogs open their colour choice.
class TKxSwatch : public QFrame {
    Q_OBJECT
    Q_PROPERTY(int BrushColor READ GetBrushColor WRITE SetBrushColor)
public:
    explicit TKxSwatch(QWidget* parent = nullptr);

    TColor GetBrushColor() const { return FColor; }
    void SetBrushColor(TColor Value);
    QSize sizeHint() const override { return {41, 22}; }

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TColor FColor = clWhite;
};

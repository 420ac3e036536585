#pragma once

#include <functional>
#include <QPoint>
#include <QWidget>

class QPainter;

/// A plain drawing area: its owner paints it through OnPaint and hears its presses through
/// OnMouseDown (button and client pixel), as a form's paint box does.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> OnPaint;
    std::function<void(Qt::MouseButton, const QPoint&)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

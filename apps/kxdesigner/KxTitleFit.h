#pragma once

#include <QObject>

class QWidget;

/// Keeps the title of every dialog the application shows readable: a window manager writes the title
/// followed by the application's name in the title bar and clips what does not fit, so a dialog
/// narrower than that text is widened when it shows and when its title changes.
class TKxTitleFit : public QObject {
    Q_OBJECT
public:
    /// Watches every dialog of the application while it lives.
    explicit TKxTitleFit(QObject* parent);

    /// The width in pixels Dialog needs for its title bar: the title as the window manager shows
    /// it, in the title bar's font, and room for the window's buttons.
    static int TitleWidth(const QWidget& Dialog);
    /// Widens Dialog to TitleWidth when it is narrower.
    static void Fit(QWidget& Dialog);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
};

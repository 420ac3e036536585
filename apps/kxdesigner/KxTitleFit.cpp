#include "KxTitleFit.h"

#include <algorithm>
#include <QDialog>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QVariant>

namespace {

// The window manager's icon, buttons and margins beside the title text.
constexpr int ButtonsWidth = 150;
// Marks a form whose fixed size this class took over from its layout.
constexpr const char* FixedByTitle = "kxFixedByTitle";

} // namespace

TKxTitleFit::TKxTitleFit(QObject* parent)
    : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

int TKxTitleFit::TitleWidth(const QWidget& Dialog) {
    QString title = Dialog.windowTitle().remove(QStringLiteral("[*]"));
    // As the platform forms the title bar's text: the application's name follows unless it ends it.
    const QString name = QGuiApplication::applicationDisplayName();
    if (!name.isEmpty() && !title.endsWith(name)) title += QStringLiteral(" \u2014 ") + name;
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + ButtonsWidth;
}

void TKxTitleFit::Fit(QWidget& Dialog) {
    const int width = TitleWidth(Dialog);
    QLayout* layout = Dialog.layout();
    const bool fixed = layout && (layout->sizeConstraint() == QLayout::SetFixedSize ||
                                  Dialog.property(FixedByTitle).toBool());
    if (fixed) {
        // A form sized by its layout would shrink back: its size is fixed here instead, as wide as
        // its contents or its title, as high as its contents.
        const QSize contents = Dialog.sizeHint();
        if (contents.width() >= width && !Dialog.property(FixedByTitle).toBool()) return;
        layout->setSizeConstraint(QLayout::SetDefaultConstraint);
        Dialog.setProperty(FixedByTitle, true);
        Dialog.setFixedSize(std::max(width, contents.width()), contents.height());
        return;
    }
    if (Dialog.width() >= width) return;
    if (Dialog.maximumWidth() < width) Dialog.setMaximumWidth(width);
    Dialog.resize(width, Dialog.height());
}

bool TKxTitleFit::eventFilter(QObject* Watched, QEvent* Event) {
    const QEvent::Type type = Event->type();
    if (type != QEvent::Show && type != QEvent::WindowTitleChange) return false;
    auto* dialog = qobject_cast<QDialog*>(Watched);
    if (dialog && dialog->isWindow() && (type == QEvent::Show || dialog->isVisible())) Fit(*dialog);
    return false;
}

#include "DesignerTestSupport.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTest>

#include "db/Session.h"
#include "designer/KxLab.h"
#include "KxMainWindow.h"

TDesignerUser::TDesignerUser()
    : FOldConfig(qgetenv("XDG_CONFIG_HOME"))
    , FOldNamed(qgetenv(TSession::AliasFileVariable())) {
    qputenv("XDG_CONFIG_HOME", FDir.Path().toLocal8Bit());
    qunsetenv(TSession::AliasFileVariable());
    QCoreApplication::setOrganizationName(QStringLiteral("KxLab"));
    QCoreApplication::setApplicationName(QStringLiteral("kxdesigner"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.Path());
}

TDesignerUser::~TDesignerUser() {
    qputenv("XDG_CONFIG_HOME", FOldConfig);
    qputenv(TSession::AliasFileVariable(), FOldNamed);
}

std::unique_ptr<TKxMainWindow> ShownWindow() {
    auto window = std::make_unique<TKxMainWindow>();
    window->resize(900, 700);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
}

QPoint At(const TKxLab& Lab, int X, int Y) {
    return {Lab.WindowX(X), Lab.WindowY(Y)};
}

void Trigger(TKxMainWindow& Window, const char* Name) {
    auto* action = Window.findChild<QAction*>(QLatin1String(Name));
    ASSERT_NE(action, nullptr) << Name;
    action->trigger();
}

QByteArray FileBytes(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

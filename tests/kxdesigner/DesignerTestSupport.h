#pragma once

#include <memory>
#include <QByteArray>
#include <QPoint>
#include <QString>

#include "common/TestSupport.h"

class TKxLab;
class TKxMainWindow;

/// A user of the designer with a configuration folder of their own (settings, recent files, aliases
/// file) for the test's lifetime, and the application's name set as main sets it.
class TDesignerUser {
public:
    TDesignerUser();
    ~TDesignerUser();
    TDesignerUser(const TDesignerUser&) = delete;
    TDesignerUser& operator=(const TDesignerUser&) = delete;

    QString Path(const QString& Name = {}) const { return FDir.Path(Name); }

private:
    TKxTempDir FDir;
    QByteArray FOldConfig;
    QByteArray FOldNamed;
};

/// A main window shown offscreen and exposed.
std::unique_ptr<TKxMainWindow> ShownWindow();

/// Client pixels of the label point X, Y (label units) on the designer.
QPoint At(const TKxLab& Lab, int X, int Y);

/// Triggers the window's command of that object name; fails the test when there is none.
void Trigger(TKxMainWindow& Window, const char* Name);

/// The bytes of a file.
QByteArray FileBytes(const QString& Path);

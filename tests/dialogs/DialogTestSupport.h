#pragma once

#include <functional>
#include <memory>
#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "designer/KxLab.h"

class QComboBox;

class QAbstractButton;
class TKxElement;
class TSpinEditFloat;

/// A designer that counts its recompositions.
class TCountingLab : public TKxLab {
public:
    int Paints = 0;
    void PaintLabScreen(bool Repaint) override {
        ++Paints;
        TKxLab::PaintLabScreen(Repaint);
    }
};

/// A designer shown offscreen, 400 x 300, holding the elements a test adds.
struct TDialogLab {
    TCountingLab Lab;
    TDialogLab();
    /// The sample element of kind Tag (every field away from its default), unbound unless Bound,
    /// appended and selected.
    TKxElement* Add(int Tag, bool Bound = false);
};

/// The element's file record.
QByteArray RecordOf(const TKxElement& E);

/// Runs Check on the first modal widget of class T to show within Wait milliseconds, then closes
/// it; fails the test, closing whatever modal widget stands, when none shows.
void WhenModal(const char* ClassName, std::function<void(QWidget&)> Check, int Wait = 5000);
template <class T>
void WhenModal(std::function<void(T&)> Check, int Wait = 5000) {
    WhenModal(
        T::staticMetaObject.className(), [Check](QWidget& W) { Check(static_cast<T&>(W)); }, Wait);
}

/// Closes every modal widget that shows while it lives, counting them.
class TModalWatch {
public:
    TModalWatch();
    ~TModalWatch();
    int Seen = 0;

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

/// Replaces a float box's text as a user does: select all, type.
void TypeInto(TSpinEditFloat* Box, const QString& Text);

/// A click on a check box's indicator.
void ClickCheck(QAbstractButton* Box);

/// The texts of a list's items, top to bottom.
QStringList ComboItems(const QComboBox* List);

/// Ini of any element dialog, with the arguments its kind takes.
template <class TDialog>
void IniDialog(TDialog& D, bool DataOpen) {
    if constexpr (requires { D.Ini(); })
        D.Ini();
    else if constexpr (requires { D.Ini(DataOpen, false); })
        D.Ini(DataOpen, false);
    else
        D.Ini(DataOpen);
}

/// An element dialog opened without a modal loop on an element of the designer, shown offscreen.
template <class TDialog, class TElement>
struct TShownDialog {
    TDialog Dialog;
    TShownDialog(TKxLab& Lab, TKxElement* E, bool DataOpen = false) {
        Dialog.SetElement(dynamic_cast<TElement*>(E));
        Dialog.SetLab(&Lab);
        IniDialog(Dialog, DataOpen);
        Dialog.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Dialog);
    }
    template <class T>
    T* Find(const char* Name) {
        return Dialog.template findChild<T*>(QString::fromLatin1(Name));
    }
};

#pragma once

#include <QTabWidget>
#include <QTest>

#include "designer/KxLab.h"
#include "dialogs/LabProp.h"

/// The label properties dialog opened without a modal loop on a designer, at Page, shown offscreen.
struct TShownLabProp {
    TPropLab Dialog;
    explicit TShownLabProp(TKxLab& Lab, int Page = 0) {
        Dialog.SetLab(&Lab);
        Dialog.Ini(Page);
        Dialog.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&Dialog);
    }
    template <class T>
    T* Find(const char* Name) {
        return Dialog.template findChild<T*>(QString::fromLatin1(Name));
    }
    /// Shows the page that holds W.
    void ShowPageOf(QWidget* W) {
        auto* tabs = Find<QTabWidget>("PageControl1");
        for (QWidget* w = W; w; w = w->parentWidget())
            if (tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
    }
};

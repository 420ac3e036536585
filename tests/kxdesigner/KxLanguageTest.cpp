#include "KxLanguage.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include "DesignerTestSupport.h"
#include "KxMainWindow.h"
#include "types/KxStrings.h"

TEST(KxDesignerLanguage, SpanishSystemsGetTheSpanishDesigner) {
    TDesignerUser user;
    auto w = ShownWindow();
    {
        const auto translators = KxInstallLanguage(QLocale(QLocale::Spanish, QLocale::Spain));
        EXPECT_FALSE(translators.empty());
        // Installing a translator posts the language change.
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Sin título[*] - Diseñador KxLab"));
        // The system adds no English suffix to a title that ends with the display name.
        EXPECT_EQ(QApplication::applicationDisplayName(), QString::fromUtf8("Diseñador KxLab"));
        EXPECT_EQ(w->menuBar()->actions().at(0)->text(), "&Archivo");
        EXPECT_EQ(w->RecentMenu()->title(), "Abrir &reciente");
        EXPECT_NE(KxStr(KxLabPro), KxStrEnglish(KxLabPro));
    }
    KxLoadLanguage({});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(w->windowTitle(), "Untitled[*] - KxLab Designer");
    EXPECT_EQ(QApplication::applicationDisplayName(), "KxLab Designer");
}

TEST(KxDesignerLanguage, EnglishNeedsNoTranslation) {
    EXPECT_TRUE(KxInstallLanguage(QLocale(QLocale::English, QLocale::UnitedStates)).empty());
    EXPECT_TRUE(KxInstallLanguage(QLocale(QLocale::Japanese)).empty());
    EXPECT_EQ(KxStr(KxLabPro), KxStrEnglish(KxLabPro));
}

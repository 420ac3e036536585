#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QUndoStack>
#include <vector>

#include "DesignerTestSupport.h"
#include "dialogs/DialogTestSupport.h"
#include "elements/KxElementFactory.h"
#include "KxDesignSurface.h"
#include "KxLanguage.h"
#include "KxMainWindow.h"
#include "types/KxStrings.h"

namespace {

// The modal window showing now, as the user sees it: the whole screen under a window manager, title
// bar included; the window alone elsewhere.
void Shoot(QWidget& Modal, const QString& Path) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Modal));
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // The window manager decorates the window after it maps.
        QTest::qWait(400);
        EXPECT_EQ(QProcess::execute(QStringLiteral("import"), {"-window", "root", Path}), 0);
        return;
    }
    EXPECT_TRUE(Modal.grab().save(Path));
}

struct TShot {
    const char* Name;
    std::function<void(TKxMainWindow&)> Open;
};

void Select(TKxMainWindow& W, int Index) {
    W.Lab()->SelectElement(W.Lab()->Label()->Element(Index));
    Trigger(W, "actionProperties");
}

} // namespace

TEST(KxDialogScreens, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    const std::vector<TShot> shots = {
        {"text", [](TKxMainWindow& W) { Select(W, 0); }},
        {"compound-text", [](TKxMainWindow& W) { Select(W, 1); }},
        {"paragraph", [](TKxMainWindow& W) { Select(W, 2); }},
        {"barcode", [](TKxMainWindow& W) { Select(W, 3); }},
        {"symbol", [](TKxMainWindow& W) { Select(W, 4); }},
        {"line", [](TKxMainWindow& W) { Select(W, 5); }},
        {"rectangle", [](TKxMainWindow& W) { Select(W, 6); }},
        {"picture", [](TKxMainWindow& W) { Select(W, 7); }},
        {"label", [](TKxMainWindow& W) { Trigger(W, "actionLabelDimensions"); }},
        {"label-database", [](TKxMainWindow& W) { Trigger(W, "actionLabelData"); }},
        {"preview", [](TKxMainWindow& W) { Trigger(W, "actionPreview"); }},
        {"stock", [](TKxMainWindow& W) { Trigger(W, "actionNewFromStock"); }},
        {"aliases", [](TKxMainWindow& W) { Trigger(W, "actionAliases"); }},
        {"save-error", [](TKxMainWindow& W) { W.SaveFile(QStringLiteral("/nonexistent/folder/label.kxl")); }},
        {"unsaved", [](TKxMainWindow& W) { Trigger(W, "actionNew"); }},
    };
    for (const char* language : {"en", "es"}) {
        const auto translators = KxInstallLanguage(QLocale(QString::fromLatin1(language)));
        QCoreApplication::sendPostedEvents();
        TDesignerUser user;
        auto w = ShownWindow();
        for (const TKxEle kind :
             {deText, dePoliText, deParagraph, deBar, deSymbol, deLine, deRect, deImage}) {
            auto e = TKxElementFactory::Create(kind, w->Lab()->Label());
            e->P1 = {100, 100};
            e->P2 = {300, 200};
            w->Lab()->AddElement(std::move(e));
        }
        for (const TShot& shot : shots) {
            const QString path = folder + QStringLiteral("/dialog-%1-%2.png").arg(shot.Name, language);
            WhenModal("QWidget", [&](QWidget& Modal) {
                Shoot(Modal, path);
                if (std::string(shot.Name) != "aliases") return;
                for (QPushButton* b : Modal.findChildren<QPushButton*>())
                    if (b->text().contains(QStringLiteral("PostgreSQL"))) {
                        WhenModal("TKxPostgresDialog", [&](QWidget& Pg) {
                            Shoot(Pg, folder + QStringLiteral("/dialog-postgres-%1.png").arg(language));
                        });
                        b->click();
                    }
            });
            shot.Open(*w);
        }
        w->Lab()->Label()->UndoStack()->setClean();
        w->close();
    }
    KxLoadLanguage({});
    QCoreApplication::sendPostedEvents();
}

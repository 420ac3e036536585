#include <gtest/gtest.h>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTranslator>

#include "common/TestSupport.h"
#include "DesignerTestSupport.h"
#include "KxCalibrationDialog.h"
#include "KxLanguage.h"
#include "print/Calibration.h"

namespace {

// The dialog on the test script's CUPS queue, with a calibration file of its own.
struct TCalibrating {
    TKxTempDir Dir;
    QByteArray Previous = qgetenv("XDG_CONFIG_HOME");
    QString Queue = qEnvironmentVariable("KXLAB_CUPS_QUEUE");
    TCalibrating() { qputenv("XDG_CONFIG_HOME", Dir.Path(QStringLiteral("config")).toUtf8()); }
    ~TCalibrating() { qputenv("XDG_CONFIG_HOME", Previous); }
    static void Set(TKxCalibrationDialog& D, const char* Box, double Value) {
        D.findChild<QDoubleSpinBox*>(QLatin1String(Box))->setValue(Value);
    }
};

} // namespace

// Values typed and saved become the printer's profile and come back when the dialog opens again; measures
// of the crosshairs give the correction; the sheet goes to the printer.
TEST(KxCalibrationDialog, KeepsEachPrintersCorrectionAndWorksItOutFromMeasures) {
    TCalibrating c;
    if (c.Queue.isEmpty()) GTEST_SKIP() << "no CUPS queue (KXLAB_CUPS_QUEUE)";
    {
        TKxCalibrationDialog d;
        d.SelectPrinter(c.Queue);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Printer calibration"));
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("LabelMarkA"))->text(),
                  QStringLiteral("A (belongs at 20.0, 20.0 mm)"));
        // The queue's page is A4 without margins: A belongs at 20, 20 and B at 190, 277.
        TCalibrating::Set(d, "SpMeasuredAX", 21);
        TCalibrating::Set(d, "SpMeasuredAY", 19);
        TCalibrating::Set(d, "SpMeasuredBX", 191.85);
        TCalibrating::Set(d, "SpMeasuredBY", 280.6);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("BtnFromMeasures")), Qt::LeftButton);
        const TKxCalibration shown = d.Shown();
        EXPECT_NEAR(shown.ScaleX, 100 / 1.005, 0.01);
        EXPECT_NEAR(shown.OffsetX, -0.9 / 1.005, 0.01);
        EXPECT_NEAR(shown.ScaleY, 100 * 257 / 261.6, 0.01);
        EXPECT_NEAR(shown.OffsetY, (20 * 261.6 / 257 - 19) * 257 / 261.6, 0.01);
        // Measures that no printer makes change nothing.
        TCalibrating::Set(d, "SpMeasuredBX", 10);
        EXPECT_FALSE(d.CorrectFromMeasures());
        EXPECT_EQ(d.Shown().ScaleX, shown.ScaleX);
        d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
        ASSERT_TRUE(KxFindCalibration(c.Queue).has_value());
        EXPECT_NEAR(KxFindCalibration(c.Queue)->OffsetY, shown.OffsetY, 0.005);
    }
    TKxCalibrationDialog again;
    again.SelectPrinter(c.Queue);
    EXPECT_NEAR(again.Shown().ScaleY, 100 * 257 / 261.6, 0.005);
    again.SelectPrinter(QStringLiteral("Elsewhere"));
    EXPECT_EQ(again.Shown().ScaleY, 100);
    EXPECT_FALSE(again.findChild<QPushButton*>(QStringLiteral("BtnPrintSheet"))->isEnabled());
    again.SelectPrinter(c.Queue);
    const QString out = qEnvironmentVariable("KXLAB_CUPS_OUT");
    const QStringList before = QDir(out).entryList({"*.pdf"}, QDir::Files);
    EXPECT_TRUE(again.PrintSheet());
    QElapsedTimer waited;
    waited.start();
    while (QDir(out).entryList({"*.pdf"}, QDir::Files).size() <= before.size() && waited.elapsed() < 60000)
        QThread::msleep(200);
    EXPECT_GT(QDir(out).entryList({"*.pdf"}, QDir::Files).size(), before.size());
}

// Opt-in: the dialog in English and Spanish, with measures entered and the correction worked out.
TEST(KxCalibrationDialog, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    TCalibrating c;
    for (const bool spanish : {false, true}) {
        const auto translators = spanish ? KxInstallLanguage(QLocale(QLocale::Spanish, QLocale::Spain))
                                         : decltype(KxInstallLanguage({})){};
        TKxCalibrationDialog d;
        if (!c.Queue.isEmpty()) d.SelectPrinter(c.Queue);
        TCalibrating::Set(d, "SpMeasuredAX", 21);
        TCalibrating::Set(d, "SpMeasuredAY", 19);
        TCalibrating::Set(d, "SpMeasuredBX", 191.85);
        TCalibrating::Set(d, "SpMeasuredBY", 280.6);
        d.CorrectFromMeasures();
        d.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(
            d.grab().save(QStringLiteral("%1/calibration-%2.png").arg(folder, spanish ? "es" : "en")));
    }
}

// The label and its run engine without a widget: this executable starts only a QGuiApplication, as
// a batch printer does.
#include <gtest/gtest.h>
#include <memory>
#include <QBuffer>
#include <QCoreApplication>

#include "common/TestSupport.h"
#include "elements/KxText.h"
#include "label/KxLabel.h"
#include "label/KxPrintInfo.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"
#include "print/Printer.h"

namespace {

QByteArray Bytes(const TKxLabel& Label) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Label.SaveToStream(buffer);
    return buffer.data();
}

// A label with one text, "Headless", in each of its 3 x 7 cells.
std::unique_ptr<TKxLabel> TextLabel() {
    auto label = std::make_unique<TKxLabel>();
    auto text = std::make_unique<TKxText>(label.get());
    text->P1 = {20, 20};
    text->Text = QStringLiteral("Headless");
    text->FontName = QStringLiteral("Arial");
    text->Height = 40;
    label->AddElement(std::move(text));
    return label;
}

TKxRunSettings Labels(int Count) {
    TKxRunSettings run;
    run.Labs = Count;
    return run;
}

} // namespace

TEST(KxHeadlessRun, PrintsThroughTheEngineWithoutWidgetsAndLeavesTheLabelAsItWas) {
    ASSERT_FALSE(QCoreApplication::instance()->inherits("QApplication"));
    const auto label = TextLabel();
    const QByteArray before = Bytes(*label);
    TKxTempDir dir;
    TPrinter printer;
    printer.SetOutputFileName(dir.Path("run.pdf"));
    ASSERT_TRUE(KxApplyPaper(printer, *label));
    TKxPrintRun run(*label, Labels(25));
    run.Print(printer);
    EXPECT_EQ(run.GetLabels(), 25);
    EXPECT_EQ(run.GetSheets(), 2);
    const TResult text = Exec(QStringLiteral("pdftotext"), {dir.Path("run.pdf"), QStringLiteral("-")});
    ASSERT_EQ(text.Code, 0) << text.Err.toStdString();
    EXPECT_EQ(text.Out.count(QStringLiteral("Headless")), 25);
    EXPECT_EQ(Bytes(*label), before);
    EXPECT_EQ(label->GetPrintInfo()->GetLabs(), 1);
}

TEST(KxHeadlessRun, ACancelFromTheProgressEndsTheRunWithoutAnotherSheet) {
    const auto label = TextLabel();
    int pages = 0;
    TKxPrintRun run(*label, Labels(100));
    run.SetProgress([](int64_t Labels, int64_t) { return Labels < 30; });
    EXPECT_THROW(run.Export([&](TMetafile&, int64_t) { ++pages; }), EKxRunCancelled);
    // The first sheet of 21 was complete and handed on; the second was cut off and never was.
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(run.GetLabels(), 30);

    TKxTempDir dir;
    TPrinter printer;
    printer.SetOutputFileName(dir.Path("cut.pdf"));
    EXPECT_THROW(run.Print(printer), EKxRunCancelled);
    EXPECT_FALSE(printer.Printing());
}

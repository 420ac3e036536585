#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <set>

#include "AppTestSupport.h"
#include "common/TestSupport.h"
#include "designer/KxLab.h"
#include "elements/KxElement.h"
#include "elements/KxImage.h"
#include "Showcase.h"

namespace {

class Showcase : public ::testing::TestWithParam<TKxZoom> {};

// The designer draws every barcode kind well enough for a scanner at the zooms where a module is at
// least a pixel and a half wide.
TEST_P(Showcase, DesignerShowsScannableBarcodes) {
    TKxTempDir dir;
    const QString card = dir.Path(QStringLiteral("card.png"));
    WriteShowcasePicture(card);
    TKxLab lab;
    lab.resize(1200, 1000);
    lab.show();
    MakeShowcase(lab, card);
    lab.SetZoom(GetParam());
    QApplication::processEvents();
    const QString png = dir.Path(QStringLiteral("screen.png"));
    ASSERT_TRUE(lab.grab().save(png, "PNG"));
    EXPECT_EQ(Scan(png), ShowcaseCodes());
}

INSTANTIATE_TEST_SUITE_P(Zooms, Showcase, ::testing::Values(zm200, zm400));

// The label the build made holds one element of every kind, and loading and saving it again writes the
// same bytes, the picture found again.
TEST(ShowcaseFile, HoldsEveryKindAndRoundTrips) {
    const QString file = Sample(QStringLiteral("showcase.kxl"));
    const QByteArray bytes = FileBytes(file);
    ASSERT_FALSE(bytes.isEmpty()) << "the build did not make " << file.toStdString();
    TKxLab lab;
    lab.LoadFromFile(file);
    std::set<TKxEle> kinds;
    for (int i = 0; i < lab.Label()->ElementCount(); ++i) {
        kinds.insert(lab.Label()->Element(i)->ElementType());
        if (auto* image = dynamic_cast<TKxImage*>(lab.Label()->Element(i))) {
            EXPECT_TRUE(image->ImageLoaded);
        }
    }
    EXPECT_EQ(kinds,
              (std::set<TKxEle>{deText, dePoliText, deParagraph, deBar, deLine, deRect, deSymbol, deImage}));
    TKxTempDir dir;
    const QString again = dir.Path(QStringLiteral("again.kxl"));
    lab.SaveToFile(again);
    EXPECT_EQ(FileBytes(again), bytes);
    EXPECT_EQ(Scan(Sample(QStringLiteral("showcase.png"))), ShowcaseCodes());
}

} // namespace

#include <gtest/gtest.h>
#include <memory>

#include "base/Messages.h"
#include "common/TestOwner.h"
#include "elements/ElementTestSupport.h"
#include "elements/KxElementFactory.h"
#include "elements/KxImage.h"
#include "elements/KxLine.h"
#include "elements/KxRect.h"
#include "elements/KxSymbol.h"

namespace {

struct TKindCase {
    TKxEle Kind;
    int RecordSize; // tag included, empty ID, default font name
};

std::unique_ptr<TKxElement> Make(TKxEle kind, TTestOwner& owner) {
    std::unique_ptr<TKxElement> e;
    switch (kind) {
    case deLine: e = std::make_unique<TKxLine>(&owner); break;
    case deRect: e = std::make_unique<TKxRect>(&owner); break;
    case deSymbol: e = std::make_unique<TKxSymbol>(&owner); break;
    default: e = std::make_unique<TKxImage>(&owner); break;
    }
    e->P1 = {20, 20};
    e->P2 = {120, 90};
    return e;
}

bool Drawn(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}

class KxShapeKinds : public ::testing::TestWithParam<TKindCase> {
protected:
    KxShapeKinds() { Owner.DrawOnBitmaps(); }

    TMessageCapture Messages; // the picture element has no file
    TTestOwner Owner;
};

} // namespace

TEST_P(KxShapeKinds, PrintableDecidesPaperAndPreviewOnly) {
    auto e = Make(GetParam().Kind, Owner);
    for (bool printable : {true, false}) {
        Owner.DrawOnBitmaps();
        e->Printable = printable;
        for (TKxDrawType target : {tdLab, tdPrint, tdPreview})
            KxTestDraw(*e, {}, target, false);
        EXPECT_TRUE(Drawn(Owner.Image(tdLab)));
        EXPECT_EQ(Drawn(Owner.Image(tdPrint)), printable);
        EXPECT_EQ(Drawn(Owner.Image(tdPreview)), printable);
    }
    // No page being recorded: nothing to draw on, and no failure.
    Owner.Canvases[tdPreview] = nullptr;
    e->Printable = true;
    KxTestDraw(*e, {}, tdPreview, false);
}

// Only the three targets draw, whatever canvas comes with another.
TEST_P(KxShapeKinds, UnknownTargetDrawsNothing) {
    TTestOwner owner;
    auto e = Make(GetParam().Kind, Owner);
    auto probe = TKxElementFactory::FromRecord(SaveRecord(*e), &owner);
    ASSERT_NE(probe, nullptr);
    for (const auto target : {static_cast<TKxDrawType>(3), static_cast<TKxDrawType>(-1)})
        probe->Draw({}, {owner.GetCanvas(tdPrint), target});
    EXPECT_TRUE(owner.Ops(tdPrint).empty());
    probe->Draw({}, {owner.GetCanvas(tdPrint), tdPrint});
    EXPECT_FALSE(owner.Ops(tdPrint).empty());
}

TEST_P(KxShapeKinds, KindAndRecordRoundTrip) {
    auto e = Make(GetParam().Kind, Owner);
    EXPECT_EQ(e->ElementType(), GetParam().Kind);
    e->Color = 0x123456;
    e->ID = "x";
    const QByteArray bytes = SaveRecord(*e);
    EXPECT_EQ(bytes.size(), GetParam().RecordSize + 1);
    EXPECT_EQ(uint8_t(bytes[0]), GetParam().Kind);
    auto copy = Make(GetParam().Kind, Owner);
    EXPECT_EQ(LoadRecord(*copy, bytes), 0);
    EXPECT_EQ(copy->Color, 0x123456);
    EXPECT_EQ(SaveRecord(*copy), bytes);
}

// Base block 48 bytes (+1 for the ID "x"); data block adds "Arial", an empty field, height and flag.
INSTANTIATE_TEST_SUITE_P(Kinds, KxShapeKinds,
                         ::testing::Values(TKindCase{deLine, 49}, TKindCase{deRect, 54},
                                           TKindCase{deSymbol, 49 + 9 + 4 + 4 + 1 + 2},
                                           TKindCase{deImage, 49 + 18 + 4 + 2}),
                         [](const auto& info) { return KxEnumName(info.param.Kind).toStdString(); });

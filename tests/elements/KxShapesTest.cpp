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
    const char* Launcher;
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

// Hands its paper canvas out for any target it is asked about, known or not.
class TAnyTargetOwner : public TTestOwner {
public:
    TCanvas* GetCanvas(TKxDrawType DrawType) override {
        return Canvases.at(DrawType <= tdPreview ? DrawType : tdPrint);
    }
};

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
            e->Draw({}, target, false);
        EXPECT_TRUE(Drawn(Owner.Image(tdLab)));
        EXPECT_EQ(Drawn(Owner.Image(tdPrint)), printable);
        EXPECT_EQ(Drawn(Owner.Image(tdPreview)), printable);
    }
    // No page being recorded: nothing to draw on, and no failure.
    Owner.Canvases[tdPreview] = nullptr;
    e->Printable = true;
    e->Draw({}, tdPreview, false);
}

// Only the three targets draw; the element does not leave that to the owner.
TEST_P(KxShapeKinds, UnknownTargetDrawsNothing) {
    TAnyTargetOwner owner;
    auto e = Make(GetParam().Kind, Owner);
    auto probe = TKxElementFactory::FromRecord(SaveRecord(*e), &owner);
    ASSERT_NE(probe, nullptr);
    probe->Draw({}, static_cast<TKxDrawType>(3), false);
    probe->Draw({}, static_cast<TKxDrawType>(-1), false);
    EXPECT_TRUE(owner.Ops(tdPrint).empty());
    probe->Draw({}, tdPrint, false);
    EXPECT_FALSE(owner.Ops(tdPrint).empty());
}

TEST_P(KxShapeKinds, LauncherKindAndRecordRoundTrip) {
    auto e = Make(GetParam().Kind, Owner);
    e->Properties();
    EXPECT_EQ(Owner.Launched, GetParam().Launcher);
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
                         ::testing::Values(TKindCase{deLine, "PropLin", 49},
                                           TKindCase{deRect, "PropRect", 54},
                                           TKindCase{deSymbol, "PropSymbol", 49 + 9 + 4 + 4 + 1 + 2},
                                           TKindCase{deImage, "PropImage", 49 + 18 + 4 + 2}),
                         [](const auto& info) { return KxEnumName(info.param.Kind).toStdString(); });

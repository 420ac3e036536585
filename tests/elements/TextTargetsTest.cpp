#include <gtest/gtest.h>

#include "common/TestOwner.h"
#include "TextKinds.h"

namespace {

struct TTargetCase {
    TKxEle Kind;
    TKxDrawType Target;
    bool Printable;
    bool Drawn;
};

std::string TargetCaseName(const ::testing::TestParamInfo<TTargetCase>& info) {
    const TTargetCase& c = info.param;
    return (KxEnumName(c.Kind) + "_" + KxEnumName(c.Target) + (c.Printable ? "" : "_NotPrintable"))
        .toStdString();
}

class TextTargets : public ::testing::TestWithParam<TTargetCase> {};

} // namespace

// Each kind writes at Origin + P1 (a paragraph 0.6 mm further in) on its target's canvas only, and
// only the design surface refreshes Bounds.
TEST_P(TextTargets, DrawsOnItsTargetOnly) {
    const TTargetCase& c = GetParam();
    TTestOwner owner{2, 10, 20};
    auto e = MakeTextKind(c.Kind, &owner);
    e->P1 = {100, 100};
    e->Printable = c.Printable;
    KxTestDraw(*e, {30, 40}, c.Target, false);

    for (TKxDrawType other : {tdLab, tdPrint, tdPreview}) {
        if (other != c.Target) {
            EXPECT_TRUE(owner.Ops(other).empty());
        }
    }
    const auto texts = owner.Texts(c.Target);
    ASSERT_EQ(texts.size(), c.Drawn ? 1u : 0u);
    EXPECT_EQ(e->Bounds.IsEmpty(), c.Target != tdLab);
    if (!c.Drawn) return;
    const int32_t inset = c.Kind == deParagraph ? e->PenWidth + 5 : 0;
    EXPECT_EQ(texts[0].At, (TPoint{130 + inset, 140 + inset}));
    EXPECT_EQ(texts[0].Text, Composed(c.Kind, "text"));
    EXPECT_EQ(texts[0].State.Font.lfFaceName, "Arial");
    EXPECT_EQ(texts[0].State.Font.lfHeight, 50);
    EXPECT_EQ(texts[0].State.Brush.Style, bsClear);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, TextTargets, ::testing::ValuesIn([] {
                             std::vector<TTargetCase> cases;
                             for (TKxEle kind : {deText, dePoliText, deParagraph}) {
                                 cases.push_back({kind, tdLab, false, true});
                                 for (TKxDrawType target : {tdPrint, tdPreview}) {
                                     cases.push_back({kind, target, true, true});
                                     cases.push_back({kind, target, false, false});
                                 }
                             }
                             return cases;
                         }()),
                         TargetCaseName);

TEST(TextTargets, UnknownTargetOrMissingCanvasDrawsNothing) {
    TTestOwner owner{2, 10, 20};
    owner.Canvases[tdPreview] = nullptr;
    for (TKxEle kind : {deText, dePoliText, deParagraph}) {
        auto e = MakeTextKind(kind, &owner);
        KxTestDraw(*e, {}, tdPreview, false);
        KxTestDraw(*e, {}, static_cast<TKxDrawType>(7), false);
    }
    for (TKxDrawType target : {tdLab, tdPrint})
        EXPECT_TRUE(owner.Ops(target).empty());
}

// Without a table there is no record to take a value from: a bound text writes its own.
TEST(TextTargets, BoundTextWithoutATableWritesItsText) {
    TTestOwner owner{2, 10, 20};
    for (TKxEle kind : {deText, dePoliText, deParagraph}) {
        auto e = MakeTextKind(kind, &owner);
        e->DataBase = true;
        e->Field = "name";
        KxTestDraw(*e, {}, tdPrint, true);
        EXPECT_EQ(owner.Texts(tdPrint).at(0).Text, Composed(kind, "text"));
        EXPECT_EQ(e->Text, "text");
        owner.ClearPage(tdPrint);
    }
}

TEST(TextKinds, TypeCodes) {
    TTestOwner owner{2, 10, 20};
    for (const TKxEle kind : {deText, dePoliText, deParagraph})
        EXPECT_EQ(MakeTextKind(kind, &owner)->ElementType(), kind);
}

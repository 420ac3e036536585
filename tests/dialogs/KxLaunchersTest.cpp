#include <gtest/gtest.h>
#include <QDialog>
#include <QTest>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/Prline.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prtxt.h"
#include "elements/KxText.h"
#include "types/KxStrings.h"

namespace {

struct TKindCase {
    int Tag;
    const char* Dialog;
    TKxStringId Title;
    /// The dialog while it is shown.
    QDialog* (*Shown)();
};

const TKindCase KindCases[] = {
    {deText, "TPropText", KxTextPro, []() -> QDialog* { return PropText; }},
    {dePoliText, "TProAddText", KxAddTextPro, []() -> QDialog* { return ProAddText; }},
    {deParagraph, "TPropPara", KxParaPro, []() -> QDialog* { return PropPara; }},
    {deBar, "TPropCoBar", KxBarCodePro, []() -> QDialog* { return PropCoBar; }},
    {deSymbol, "TPropSym", KxSymbolPro, []() -> QDialog* { return PropSym; }},
    {deLine, "TProLin", KxLinePro, []() -> QDialog* { return ProLin; }},
    {deRect, "TProRect", KxRecPro, []() -> QDialog* { return ProRect; }},
    {deImage, "TProIma", KxImaPro, []() -> QDialog* { return ProIma; }},
};

class KxElementLaunch : public ::testing::TestWithParam<TKindCase> {
protected:
    TDialogLab S;
};

std::string KindName(const ::testing::TestParamInfo<TKindCase>& Info) {
    return Info.param.Dialog;
}

} // namespace

TEST_P(KxElementLaunch, ShowElementPropOpensTheKindsDialogModallyAndFreesItOnClose) {
    S.Add(GetParam().Tag);
    QPointer<QWidget> shown;
    WhenModal(GetParam().Dialog, [&](QWidget& W) {
        shown = &W;
        EXPECT_TRUE(W.isModal());
        EXPECT_EQ(GetParam().Shown(), &W);
    });
    S.Lab.ShowElementProp();
    EXPECT_TRUE(shown.isNull()) << "the dialog outlives its showing";
    EXPECT_EQ(GetParam().Shown(), nullptr);
}

TEST_P(KxElementLaunch, OpeningAndClosingChangesNothingInEitherUnit) {
    for (const bool bound : {false, true})
        for (const TKxUnits unit : {unMM, unINCH}) {
            S.Lab.SetUnits(unit);
            const TKxElement* e = S.Add(GetParam().Tag, bound);
            const QByteArray before = RecordOf(*e);
            WhenModal(GetParam().Dialog, [](QWidget& W) {
                // Focus walks every control, as a user tabbing through would.
                for (int i = 0; i < 40; ++i)
                    QTest::keyClick(&W, Qt::Key_Tab);
            });
            S.Lab.ShowElementProp();
            EXPECT_EQ(RecordOf(*e), before) << "bound " << bound << ", unit " << unit;
        }
}

TEST_P(KxElementLaunch, CaptionsComeFromTheStringsAndFollowTheLanguageWhileOpen) {
    S.Add(GetParam().Tag);
    WhenModal(GetParam().Dialog, [](QWidget& W) {
        EXPECT_EQ(W.windowTitle(), KxStr(GetParam().Title));
        ASSERT_TRUE(KxLoadLanguage("es"));
        QCoreApplication::processEvents();
        EXPECT_EQ(W.windowTitle(), KxStr(GetParam().Title));
        EXPECT_NE(W.windowTitle(), KxStrEnglish(GetParam().Title));
        KxLoadLanguage("");
        QCoreApplication::processEvents();
        EXPECT_EQ(W.windowTitle(), KxStrEnglish(GetParam().Title));
    });
    S.Lab.ShowElementProp();
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxElementLaunch, ::testing::ValuesIn(KindCases), KindName);

TEST(KxElementLaunchSelection, NothingSelectedOpensNothing) {
    TDialogLab s;
    TModalWatch watch;
    s.Lab.ShowElementProp();
    EXPECT_EQ(watch.Seen, 0);
}

TEST(KxPointTool, AClickShowsTheNewTextOnTheSurfaceWhileItsDialogIsOpen) {
    TDialogLab s;
    const QImage empty = s.Lab.grab().toImage();
    s.Lab.SetDrawTool(dwText);
    bool drawn = false;
    WhenModal("TPropText", [&](QWidget&) {
        const QImage surface = s.Lab.grab().toImage();
        // The default text "text" lies right of and below the click.
        for (int y = 100; y < 130; ++y)
            for (int x = 100; x < 160; ++x)
                drawn = drawn || surface.pixel(x, y) != empty.pixel(x, y);
    });
    QTest::mouseClick(&s.Lab, Qt::LeftButton, {}, {100, 100});
    EXPECT_TRUE(drawn);
    ASSERT_EQ(s.Lab.ElementCount(), 1);
    EXPECT_NE(dynamic_cast<TKxText*>(s.Lab.Element(0)), nullptr);
}

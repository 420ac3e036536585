#include <gtest/gtest.h>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxSwatch.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/Prline.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prtxt.h"
#include "elements/KxText.h"

// Rules every element dialog follows, each shown on one dialog that has the control.

namespace {

struct TStepCase {
    int Tag;
    TKxUnits Unit;
    const char* Box;
    double Increment;
    int Digits;
    double Min;
};

class KxDialogSpinSettings : public ::testing::TestWithParam<TStepCase> {};

template <class TDialog, class TElement>
void CheckSteps(const TStepCase& C) {
    TDialogLab s;
    s.Lab.SetUnits(C.Unit);
    TShownDialog<TDialog, TElement> d(s.Lab, s.Add(C.Tag));
    const auto* box = d.template Find<TSpinEditFloat>(C.Box);
    ASSERT_NE(box, nullptr) << C.Box;
    EXPECT_DOUBLE_EQ(box->Increment(), C.Increment);
    EXPECT_EQ(box->Digits(), C.Digits);
    EXPECT_DOUBLE_EQ(box->MinValue(), C.Min);
}

} // namespace

TEST_P(KxDialogSpinSettings, FollowTheUnitAndTheDialogsOverrides) {
    const TStepCase& c = GetParam();
    switch (c.Tag) {
    case deText: CheckSteps<TPropText, TKxText>(c); break;
    case deBar: CheckSteps<TPropCoBar, TKxBarCode>(c); break;
    case deSymbol: CheckSteps<TPropSym, TKxSymbol>(c); break;
    case deRect: CheckSteps<TProRect, TKxRect>(c); break;
    case deLine: CheckSteps<TProLin, TKxLine>(c); break;
    default: CheckSteps<TPropPara, TKxParagraph>(c); break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KxDialogSpinSettings,
                         ::testing::Values(TStepCase{deText, unMM, "SpEdFloatX", 0.5, 1, 0},
                                           TStepCase{deText, unINCH, "SpEdFloatY", 0.05, 2, 0},
                                           TStepCase{deText, unMM, "SpEdFloatAlt", 0.5, 1, 0.5},
                                           TStepCase{deText, unINCH, "SpEdFloatAlt", 0.05, 2, 0.02},
                                           TStepCase{deSymbol, unINCH, "SpEdFloatAlt", 0.05, 2, 0.02},
                                           TStepCase{deParagraph, unINCH, "SpEdFloatAlt", 0.05, 2, 0},
                                           TStepCase{deRect, unINCH, "SpEdFloatX2", 0.02, 2, 0},
                                           TStepCase{deRect, unMM, "SpEdFloatRadio", 0.5, 1, 0},
                                           TStepCase{deRect, unINCH, "SpEdFloatPen", 0.1, 2, 0},
                                           TStepCase{deLine, unMM, "SpEdFloatPen", 0.1, 1, 0},
                                           TStepCase{deParagraph, unMM, "SpEdFloatWidth", 0.1, 1, 0},
                                           TStepCase{deBar, unMM, "SpEdFloatNumberHeight", 0.1, 1, 0},
                                           TStepCase{deBar, unINCH, "SpEdFloatNumberHeight", 0.01, 2, 0},
                                           TStepCase{deBar, unINCH, "SpEdFloatWidth", 0.1, 2, 0.2},
                                           TStepCase{deBar, unINCH, "SpEdFloatLeftM", 0.05, 2, 0}));

class KxDialogRules : public ::testing::Test {
protected:
    TDialogLab S;
};

TEST_F(KxDialogRules, EitherBoxOfAPointSetsTheWholePointAndRepaints) {
    auto* e = S.Add(deText);
    TShownDialog<TPropText, TKxText> d(S.Lab, e);
    const float x = d.Find<TSpinEditFloat>("SpEdFloatX")->GetValue();
    const int paints = S.Lab.Paints;
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatY"), "12");
    EXPECT_EQ(e->GetP1(), (TPoint2D{x, 12}));
    EXPECT_GT(S.Lab.Paints, paints);
}

TEST_F(KxDialogRules, ArrowKeysStepTheElementByTheUnitsIncrement) {
    S.Lab.SetUnits(unINCH);
    auto* e = S.Add(deLine);
    TShownDialog<TProLin, TKxLine> d(S.Lab, e);
    auto* box = d.Find<TSpinEditFloat>("SpEdFloatX2");
    const double before = box->GetValue();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    // Stored in label units: within a tenth of a millimetre.
    EXPECT_NEAR(e->GetP2().X, before + 0.05, 0.004);
    EXPECT_EQ(box->text(), QLocale().toString(before + 0.05, 'f', 2));
}

TEST_F(KxDialogRules, TheAngleListStoresItsNumberAndKeepsOtherAngles) {
    auto* e = S.Add(deText);
    e->Angle = 45;
    TShownDialog<TPropText, TKxText> d(S.Lab, e);
    auto* list = d.Find<QComboBox>("CbAngle");
    EXPECT_EQ(list->currentText(), "0") << "any other angle leaves the list as designed";
    list->setCurrentIndex(list->findText("270"));
    EXPECT_EQ(e->Angle, 270);
}

TEST_F(KxDialogRules, AnAngleThatIsNoNumberIsReportedWhenEditingEndsAndKept) {
    auto* e = S.Add(deBar);
    TShownDialog<TPropCoBar, TKxBarCode> d(S.Lab, e);
    auto* edit = d.Find<QComboBox>("CbAngle")->lineEdit();
    TMessageCapture messages;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_TRUE(messages.Messages.isEmpty()) << "an empty box while retyping says nothing";
    QTest::keyClicks(edit, "9x");
    EXPECT_EQ(e->Angle, 9);
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(messages.Messages.size(), 1);
    EXPECT_TRUE(messages.Messages[0].contains("9x"));
    EXPECT_EQ(e->Angle, 9);
    EXPECT_EQ(edit->text(), "9");
    EXPECT_TRUE(d.Dialog.isVisible());
}

TEST_F(KxDialogRules, ASwatchOpensTheColourChoicePresetAndStoresWhatIsConfirmed) {
    auto* e = S.Add(deRect);
    TShownDialog<TProRect, TKxRect> d(S.Lab, e);
    auto* swatch = d.Find<TKxSwatch>("ShFillCo");
    const TColor before = e->BackColor;
    QColor preset;
    WhenModal<QColorDialog>([&](QColorDialog& C) {
        EXPECT_EQ(&C, d.Dialog.ColorDialog1);
        preset = C.currentColor();
        C.setCurrentColor(QColor(10, 20, 30));
        C.accept();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(preset, ToQColor(before));
    EXPECT_EQ(e->BackColor, RGB(10, 20, 30));
    EXPECT_EQ(swatch->GetBrushColor(), RGB(10, 20, 30));

    WhenModal<QColorDialog>([](QColorDialog& C) {
        C.setCurrentColor(Qt::yellow);
        C.reject();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(e->BackColor, RGB(10, 20, 30)) << "cancelling changes nothing";
}

TEST_F(KxDialogRules, WithoutOpenDataTheDataBaseBoxIsDisabledAndShowsTheStoredState) {
    for (const bool bound : {false, true}) {
        TShownDialog<TPropText, TKxText> d(S.Lab, S.Add(deText, bound));
        auto* box = d.Find<QCheckBox>("CkBoxDatabase");
        auto* fields = d.Find<QComboBox>("cbFields");
        EXPECT_FALSE(box->isEnabled());
        EXPECT_EQ(box->isChecked(), bound);
        EXPECT_EQ(fields->isEnabled(), bound);
        EXPECT_EQ(fields->count(), 0);
    }
}

TEST_F(KxDialogRules, TheElementsFontShowsSelectedAliasesIncluded) {
    for (const QString& font : {QStringLiteral("Arial"), QStringLiteral("Liberation Serif")}) {
        auto* e = dynamic_cast<TKxText*>(S.Add(deText));
        e->FontName = font;
        TShownDialog<TPropText, TKxText> d(S.Lab, e);
        EXPECT_EQ(d.Find<QComboBox>("ComBoxFontName")->currentText(), font);
    }
    auto* e = dynamic_cast<TKxText*>(S.Add(deText));
    e->FontName = "KxLab Font That Is Not There";
    TShownDialog<TPropText, TKxText> d(S.Lab, e);
    EXPECT_EQ(d.Find<QComboBox>("ComBoxFontName")->currentIndex(), -1);
}

class KxDialogFields : public TProductsTest {
protected:
    TDialogLab S;
    void SetUp() override {
        TProductsTest::SetUp();
        if (IsSkipped()) return;
        S.Lab.GetTable()->SetDatabaseName(FDb->Alias());
        S.Lab.GetTable()->SetTableName("products");
        S.Lab.SetDaBa(true);
        ASSERT_TRUE(S.Lab.ValidData());
    }
    static QStringList Items(QComboBox* List) {
        QStringList items;
        for (int i = 0; i < List->count(); ++i)
            items << List->itemText(i);
        return items;
    }
};

TEST_P(KxDialogFields, ListsEveryFieldBooleanFieldsOrGraphicFields) {
    TShownDialog<TPropText, TKxText> text(S.Lab, S.Add(deText), true);
    EXPECT_EQ(Items(text.Find<QComboBox>("cbFields")).size(), 11);
    TShownDialog<TPropSym, TKxSymbol> symbol(S.Lab, S.Add(deSymbol), true);
    EXPECT_EQ(Items(symbol.Find<QComboBox>("cbFields")), QStringList{"instock"});
    TShownDialog<TProIma, TKxImage> image(S.Lab, S.Add(deImage), true);
    EXPECT_EQ(Items(image.Find<QComboBox>("cbFields")), QStringList{"pic"});
    EXPECT_TRUE(image.Find<QCheckBox>("CkBoxDatabase")->isEnabled());
}

TEST_P(KxDialogFields, CheckingDataBaseStoresTheShownFieldAsFieldAndTextAndLocksTheText) {
    auto* e = dynamic_cast<TKxText*>(S.Add(deText));
    TShownDialog<TPropText, TKxText> d(S.Lab, e, true);
    auto* fields = d.Find<QComboBox>("cbFields");
    EXPECT_TRUE(d.Find<QLineEdit>("EdText")->isEnabled());
    ClickCheck(d.Find<QCheckBox>("CkBoxDatabase"));
    EXPECT_TRUE(e->DataBase);
    EXPECT_TRUE(fields->isEnabled());
    EXPECT_FALSE(d.Find<QLineEdit>("EdText")->isEnabled());
    EXPECT_EQ(e->Field, fields->currentText());
    EXPECT_EQ(e->Text, fields->currentText());
    fields->setCurrentIndex(fields->findText("price"));
    EXPECT_EQ(e->Field, "price");
    EXPECT_EQ(e->Text, "price");
}

TEST_P(KxDialogFields, ABoundElementShowsItsFieldSelected) {
    auto* e = dynamic_cast<TKxBarCode*>(S.Add(deBar, true));
    e->Field = "name";
    TShownDialog<TPropCoBar, TKxBarCode> d(S.Lab, e, true);
    EXPECT_EQ(d.Find<QComboBox>("CbFields")->currentText(), "name");
    EXPECT_FALSE(d.Find<QLineEdit>("EdNum")->isEnabled());
}

TEST_P(KxDialogFields, ATableThatCannotBeOpenedIsReportedAndTheDialogStaysUsable) {
    S.Lab.GetTable()->Close();
    S.Lab.GetTable()->SetTableName("no_such_table");
    auto* e = S.Add(deText);
    TMessageCapture messages;
    TShownDialog<TPropText, TKxText> d(S.Lab, e, true);
    ASSERT_EQ(messages.Messages.size(), 1);
    EXPECT_TRUE(messages.Messages[0].contains("no_such_table"));
    EXPECT_EQ(d.Find<QComboBox>("cbFields")->count(), 0);
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatX"), "7");
    EXPECT_FLOAT_EQ(e->GetP1().X, 7);
}

KXLAB_INSTANTIATE_ENGINES(KxDialogFields);

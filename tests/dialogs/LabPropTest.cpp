#include <functional>
#include <gtest/gtest.h>
#include <QBuffer>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "base/Messages.h"
#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/KxSheetPicture.h"
#include "dialogs/KxSwatch.h"
#include "dialogs/LabPropTestSupport.h"
#include "dialogs/PaintBox.h"
#include "types/KxStrings.h"

// The label properties dialog's pages "Dimensions", "Print" and "Back", and its launch.

namespace {

class KxLabProp : public ::testing::Test {
protected:
    TDialogLab S;
    TKxMeasure& M() { return *S.Lab.GetMeasure(); }
    TKxPrintInfo& P() { return *S.Lab.GetPrintInfo(); }
    QByteArray LabelBytes() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        S.Lab.SaveToStream(buffer);
        return buffer.data();
    }
    static void ChoosePaper(TShownLabProp& D, const QString& Name) {
        auto* list = D.Find<QComboBox>("CBoxPaperName");
        list->setCurrentIndex(list->findText(Name));
    }
};

struct TPageCase {
    int Page;
    int Shown;
};

class KxLabPropLaunch : public ::testing::TestWithParam<TPageCase> {
protected:
    TDialogLab S;
};

} // namespace

TEST_P(KxLabPropLaunch, ShowPropOpensTheDialogModallyAtThePageAndFreesIt) {
    QPointer<QWidget> shown;
    int page = -2;
    WhenModal<TPropLab>([&](TPropLab& D) {
        shown = &D;
        EXPECT_EQ(PropLab, &D);
        EXPECT_EQ(D.GetLab(), &S.Lab);
        page = D.findChild<QTabWidget*>("PageControl1")->currentIndex();
    });
    S.Lab.ShowProp(GetParam().Page);
    EXPECT_EQ(page, GetParam().Shown);
    EXPECT_TRUE(shown.isNull()) << "the dialog outlives its showing";
    EXPECT_EQ(PropLab, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Pages, KxLabPropLaunch,
                         ::testing::Values(TPageCase{0, 0}, TPageCase{1, 1}, TPageCase{2, 2}, TPageCase{3, 3},
                                           TPageCase{4, 0}, TPageCase{-1, 0}));

TEST_F(KxLabProp, CaptionsComeFromTheStringsAndFollowTheLanguageWhileOpen) {
    TShownLabProp d(S.Lab);
    auto* tabs = d.Find<QTabWidget>("PageControl1");
    const auto check = [&](const char* Language) {
        EXPECT_EQ(d.Dialog.windowTitle(), KxStr(KxLabPro)) << Language;
        EXPECT_EQ(tabs->tabText(0), KxStr(KxDim));
        EXPECT_EQ(tabs->tabText(2), KxStr(KxBack1));
        EXPECT_EQ(tabs->tabText(3), KxStr(KxDataBase));
        EXPECT_EQ(d.Find<QLabel>("LabelSpEdFloatLeftMar")->text(), KxStr(KxLeft));
        EXPECT_EQ(d.Find<QCheckBox>("CheckSnap")->text(), KxStr(KxSnapGrid));
        EXPECT_EQ(d.Find<QComboBox>("CBoxPaperName")->itemText(UserPaperIndex), KxStr(KxUser));
    };
    check("en");
    EXPECT_EQ(d.Find<QLabel>("LabelSpEdFloatLeftMar")->text(), "Left: ") << "the blank stays";
    ASSERT_TRUE(KxLoadLanguage("es"));
    QCoreApplication::processEvents();
    EXPECT_NE(d.Dialog.windowTitle(), KxStrEnglish(KxLabPro));
    check("es");
    KxLoadLanguage("");
    QCoreApplication::processEvents();
    check("en again");
}

TEST_F(KxLabProp, FloatBoxesStepByTheUnitAndThePenWidthByATenth) {
    for (const auto& [unit, step, digits] : {std::tuple{unMM, 0.5, 1}, {unINCH, 0.05, 2}}) {
        S.Lab.SetUnits(unit);
        TShownLabProp d(S.Lab);
        for (const char* name : {"SpEdFloatWidth", "SpEdFloatAlTop", "SpEdFloatPenWidth"}) {
            const auto* box = d.Find<TSpinEditFloat>(name);
            EXPECT_DOUBLE_EQ(box->Increment(), QByteArray(name) == "SpEdFloatPenWidth" ? 0.1 : step) << name;
            EXPECT_EQ(box->Digits(), digits) << name;
        }
    }
}

namespace {

/// A control of the dialog and how to read the setting it writes.
template <class T>
struct TControlCase {
    const char* Control;
    std::function<T(TKxLab&)> Read;
};

template <class T>
class KxLabPropControl : public ::testing::TestWithParam<TControlCase<T>> {
protected:
    TDialogLab S;
};

using TFloatCase = TControlCase<float>;
using TIntCase = TControlCase<int>;
using TCheckCase = TControlCase<bool>;
using TSwatchCase = TControlCase<TColor>;
class KxLabPropFloats : public KxLabPropControl<float> {};
class KxLabPropInts : public KxLabPropControl<int> {};
class KxLabPropChecks : public KxLabPropControl<bool> {};
class KxLabPropSwatches : public KxLabPropControl<TColor> {};

} // namespace

TEST_P(KxLabPropFloats, TypingWritesTheSetting) {
    TShownLabProp d(S.Lab, 0);
    auto* box = d.Find<TSpinEditFloat>(GetParam().Control);
    ASSERT_NE(box, nullptr);
    d.ShowPageOf(box);
    TypeInto(box, "12.5");
    EXPECT_FLOAT_EQ(GetParam().Read(S.Lab), 12.5f) << GetParam().Control;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, KxLabPropFloats,
    ::testing::Values(TFloatCase{"SpEdFloatWidth", [](TKxLab& L) { return L.GetMeasure()->GetWidth(); }},
                      TFloatCase{"SpEdFloatHeight", [](TKxLab& L) { return L.GetMeasure()->GetHeight(); }},
                      TFloatCase{"SpEdFloatLeftMar", [](TKxLab& L) { return L.GetMeasure()->GetMarLeft(); }},
                      TFloatCase{"SpEdFloatDiVer", [](TKxLab& L) { return L.GetMeasure()->GetDiVer(); }},
                      TFloatCase{"SpEdFloatGX", [](TKxLab& L) { return L.GetGrid()->GetIncX(); }},
                      TFloatCase{"SpEdFloatD2", [](TKxLab& L) { return L.GetFrame()->GetDist2(); }},
                      TFloatCase{"SpEdFloatPenWidth", [](TKxLab& L) { return L.GetFrame()->GetPenWidth(); }},
                      TFloatCase{"SpEdFloatAlTop",
                                 [](TKxLab& L) { return L.GetBackSurf()->GetAlignTop(); }}));

TEST_P(KxLabPropInts, ChangingTheBoxWritesTheSetting) {
    TShownLabProp d(S.Lab);
    d.Find<QSpinBox>(GetParam().Control)->setValue(5);
    EXPECT_EQ(GetParam().Read(S.Lab), 5) << GetParam().Control;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, KxLabPropInts,
    ::testing::Values(TIntCase{"SpinEdNuHor", [](TKxLab& L) { return L.GetMeasure()->GetNuHor(); }},
                      TIntCase{"SpinEdNuVer", [](TKxLab& L) { return L.GetMeasure()->GetNuVer(); }},
                      TIntCase{"SpEdNuLabs", [](TKxLab& L) { return L.GetPrintInfo()->GetLabs(); }},
                      TIntCase{"SpEdRepe", [](TKxLab& L) { return L.GetPrintInfo()->GetRepetition(); }}));

TEST_P(KxLabPropChecks, TheBoxWritesTheSwitch) {
    TShownLabProp d(S.Lab);
    auto* box = d.Find<QCheckBox>(GetParam().Control);
    for (const bool on : {true, false}) {
        box->setChecked(on);
        EXPECT_EQ(GetParam().Read(S.Lab), on) << GetParam().Control;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, KxLabPropChecks,
    ::testing::Values(TCheckCase{"CheckShow", [](TKxLab& L) { return L.GetShowMargins(); }},
                      TCheckCase{"CheckGrid", [](TKxLab& L) { return L.GetGrid()->GetShow(); }},
                      TCheckCase{"CheckShowAlign", [](TKxLab& L) { return L.GetBackSurf()->GetShowAlign(); }},
                      TCheckCase{"CkBoxBackPrint", [](TKxLab& L) { return L.GetBackSurf()->GetPrint(); }}));

TEST_P(KxLabPropSwatches, TheConfirmedColourGoesToSwatchAndSetting) {
    TShownLabProp d(S.Lab, 2);
    auto* swatch = d.Find<TKxSwatch>(GetParam().Control);
    const TColor before = GetParam().Read(S.Lab);
    QColor preset;
    WhenModal<QColorDialog>([&](QColorDialog& C) {
        preset = C.currentColor();
        C.setCurrentColor(QColor(10, 20, 30));
        C.accept();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(preset, ToQColor(before));
    EXPECT_EQ(GetParam().Read(S.Lab), RGB(10, 20, 30)) << GetParam().Control;
    EXPECT_EQ(swatch->GetBrushColor(), RGB(10, 20, 30));
}

INSTANTIATE_TEST_SUITE_P(
    Swatches, KxLabPropSwatches,
    ::testing::Values(TSwatchCase{"ShCoSelect", [](TKxLab& L) { return L.GetSelColor(); }},
                      TSwatchCase{"ShCoBackFrom", [](TKxLab& L) { return L.GetBackSurf()->GetColor(); }},
                      TSwatchCase{"ShCoBackTo", [](TKxLab& L) { return L.GetBackSurf()->GetToColor(); }},
                      TSwatchCase{"ShCoGrid", [](TKxLab& L) { return L.GetGrid()->GetColor(); }},
                      TSwatchCase{"ShCoFrame", [](TKxLab& L) { return L.GetFrame()->GetColor(); }},
                      TSwatchCase{"ShCoAlign", [](TKxLab& L) { return L.GetBackSurf()->GetAlignColor(); }}));

TEST_F(KxLabProp, OpeningAndClosingWritesNothingBack) {
    // In inches a width of 473 label units shows as 1.86 and would come back as 472.
    S.Lab.SetUnits(unINCH);
    M().SetRawSize(473, 331);
    S.Lab.SetSnap(snPoint);
    S.Lab.GetFrame()->SetStyle(fsDoble);
    S.Lab.GetBackSurf()->SetStyle(biGradVer);
    P().SetLabs(12);
    P().SetLastLab(12);
    const QByteArray before = LabelBytes();
    WhenModal<TPropLab>([](TPropLab& D) {
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(&D, Qt::Key_Tab);
    });
    S.Lab.ShowProp(0);
    EXPECT_EQ(LabelBytes(), before);
    EXPECT_EQ(S.Lab.GetSnap(), snPoint);
}

TEST_F(KxLabProp, ThePictureTakesTheSheetsAspectInEitherOrientation) {
    TShownLabProp d(S.Lab);
    auto* box = d.Find<TPaintBox>("PaintBox1");
    EXPECT_EQ(box->size(), QSize(192, 272));
    EXPECT_EQ(d.Dialog.Bitmap().size(), QSize(192, 272));
    d.Find<QRadioButton>("RaBuHor")->click();
    EXPECT_EQ(P().GetOrientation(), 1);
    EXPECT_EQ(box->size(), QSize(192, 136));
    d.Find<QRadioButton>("RaBuVer")->click();
    EXPECT_EQ(P().GetOrientation(), 0);
    ChoosePaper(d, KxStr(KxUser));
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatPaWidth"), "100");
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatPaHeight"), "200");
    EXPECT_EQ(box->size(), QSize(138, 276));
}

TEST_F(KxLabProp, AClickOnTheSheetMakesThatCellTheFirstLabel) {
    TShownLabProp d(S.Lab);
    auto* box = d.Find<TPaintBox>("PaintBox1");
    const TKxSheetPicture picture(M(), 0);
    const QRect second = picture.CellRect(2, 3);
    QTest::mouseClick(box, Qt::LeftButton, {}, second.center());
    EXPECT_EQ(P().GetFirstCol(), 2);
    EXPECT_EQ(P().GetFirstRow(), 3);
    EXPECT_EQ(d.Dialog.Bitmap().pixelColor(second.center()), ToQColor(clAqua));
    EXPECT_EQ(d.Dialog.Bitmap().pixelColor(picture.CellRect(1, 1).center()), QColor(Qt::white));
    QTest::mouseClick(box, Qt::LeftButton, {}, {box->width() - 1, second.center().y()});
    EXPECT_EQ(P().GetFirstCol(), 3) << "right of the last column";
}

TEST_F(KxLabProp, EditingTheFirstRowBoxChangesNothingAndTheBoxShowsTheClickedRowOnTheNextPage) {
    TShownLabProp d(S.Lab, 1);
    auto* row = d.Find<QSpinBox>("SpEdFirstRow");
    row->setValue(4);
    EXPECT_EQ(P().GetFirstRow(), 1);
    auto* tabs = d.Find<QTabWidget>("PageControl1");
    tabs->setCurrentIndex(0);
    QTest::mouseClick(d.Find<TPaintBox>("PaintBox1"), Qt::LeftButton, {},
                      TKxSheetPicture(M(), 0).CellRect(1, 5).center());
    EXPECT_EQ(P().GetFirstRow(), 5);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(row->value(), 5);
}

TEST_F(KxLabProp, LetterInInchesShowsItsSizeInLockedBoxesAndUserUnlocksThem) {
    S.Lab.SetUnits(unINCH);
    TShownLabProp d(S.Lab);
    auto* width = d.Find<TSpinEditFloat>("SpEdFloatPaWidth");
    auto* height = d.Find<TSpinEditFloat>("SpEdFloatPaHeight");
    ChoosePaper(d, "LETTER");
    EXPECT_EQ(width->text(), QLocale().toString(8.5, 'f', 2));
    EXPECT_EQ(height->text(), QLocale().toString(11.0, 'f', 2));
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(height->isEnabled());
    EXPECT_EQ(M().GetPaperName(), "LETTER");
    EXPECT_EQ(M().PaperWidthLU(), 2159);
    EXPECT_EQ(P().GetPaperSize(), 1);
    ChoosePaper(d, KxStr(KxUser));
    EXPECT_TRUE(width->isEnabled());
    EXPECT_TRUE(height->isEnabled());
}

TEST_F(KxLabProp, AnUnknownPaperNameSelectsNothingAndIsNotApplied) {
    M().SetPaperName("Napkin");
    M().SetPaperWidth(123);
    TShownLabProp d(S.Lab);
    EXPECT_EQ(d.Find<QComboBox>("CBoxPaperName")->currentIndex(), -1);
    d.Dialog.CBoxPaperNameChange(PaperCount);
    EXPECT_EQ(M().GetPaperName(), "Napkin");
    EXPECT_FLOAT_EQ(M().GetPaperWidth(), 123);
}

TEST_F(KxLabProp, AUserPaperWithoutWidthHasNoPictureAndIgnoresClicks) {
    TShownLabProp d(S.Lab);
    ChoosePaper(d, KxStr(KxUser));
    TypeInto(d.Find<TSpinEditFloat>("SpEdFloatPaWidth"), "0");
    EXPECT_EQ(M().PaperWidthLU(), 0);
    EXPECT_TRUE(d.Find<TPaintBox>("PaintBox1")->size().isEmpty());
    EXPECT_TRUE(d.Dialog.Bitmap().isNull());
    d.Dialog.PaintBox1MouseDown({5, 5});
    d.Dialog.DrawSheet();
    EXPECT_EQ(P().GetFirstCol(), 1);
}

TEST_F(KxLabProp, ACircularLabelDrawsRoundCellsAndUnlocksTheInnerRadius) {
    TShownLabProp d(S.Lab);
    auto* inner = d.Find<TSpinEditFloat>("SpEdFloatInnerRadio");
    EXPECT_FALSE(inner->isEnabled());
    const QPoint corner = TKxSheetPicture(M(), 0).CellRect(2, 2).topLeft() + QPoint(2, 2);
    EXPECT_EQ(d.Dialog.Bitmap().pixelColor(corner), QColor(Qt::white));
    d.Find<QRadioButton>("RaBuCircle")->click();
    EXPECT_EQ(M().GetLabelType(), ltCircle);
    EXPECT_TRUE(inner->isEnabled());
    EXPECT_NE(d.Dialog.Bitmap().pixelColor(corner), QColor(Qt::white)) << "outside the circle";
    d.Find<QRadioButton>("RaBuRect")->click();
    EXPECT_EQ(M().GetLabelType(), ltRect);
    EXPECT_FALSE(inner->isEnabled());
}

TEST_F(KxLabProp, ThePrintableAreaIsDottedInTheMarginColourOnlyWhenMarginsShow) {
    P().SetColor(clBlue);
    const auto blue = [](const QImage& Image) {
        int n = 0;
        for (int i = 0; i < Image.width() * Image.height(); ++i)
            n += Image.pixelColor(i % Image.width(), i / Image.width()) == QColor(Qt::blue);
        return n;
    };
    TShownLabProp d(S.Lab);
    d.Dialog.DrawSheet();
    EXPECT_EQ(blue(d.Dialog.Bitmap()), 0);
    d.Find<QCheckBox>("CheckShow")->setChecked(true);
    d.Dialog.DrawSheet();
    EXPECT_GT(blue(d.Dialog.Bitmap()), 100);
}

TEST_F(KxLabProp, UncheckingSnapToGridSetsNoSnappingNotPointSnapping) {
    S.Lab.SetSnap(snPoint);
    TShownLabProp d(S.Lab, 2);
    auto* snap = d.Find<QCheckBox>("CheckSnap");
    EXPECT_FALSE(snap->isChecked());
    ClickCheck(snap);
    EXPECT_EQ(S.Lab.GetSnap(), snGrid);
    ClickCheck(snap);
    EXPECT_EQ(S.Lab.GetSnap(), snNone);
}

TEST(KxLabPropBackStyles, ListItemsMapToTheEnumerationBothWays) {
    const std::pair<int, TKxBackStyle> items[] = {
        {0, biNone}, {1, biGradHor}, {2, biGradVer}, {3, biGraCircle}, {4, biImage}};
    for (const auto& [item, style] : items) {
        EXPECT_EQ(TPropLab::ItemBackStyle(item), style) << item;
        EXPECT_EQ(TPropLab::BackStyleItem(style), item) << item;
    }
    EXPECT_EQ(static_cast<int>(TPropLab::ItemBackStyle(4)), 1) << "Image is enumeration value 1";
    EXPECT_EQ(TPropLab::ItemBackStyle(5), biNone);
}

TEST_F(KxLabProp, ChoosingImageStoresTheImageStyleAndTheListShowsIt) {
    TMessageCapture messages;
    S.Lab.GetBackSurf()->SetFileName(QStringLiteral(KXLAB_TEST_DATA_DIR "/shapes.emf"));
    ASSERT_TRUE(messages.Messages.isEmpty());
    TShownLabProp d(S.Lab, 2);
    auto* list = d.Find<QComboBox>("ComBoxBackStyle");
    list->setCurrentIndex(4);
    EXPECT_EQ(S.Lab.GetBackSurf()->GetStyle(), biImage);
    EXPECT_EQ(list->currentText(), "Image");
    list->setCurrentIndex(3);
    EXPECT_EQ(S.Lab.GetBackSurf()->GetStyle(), biNone) << "no circular gradient on a rectangle";
    EXPECT_EQ(list->currentText(), "None") << "the list shows what was stored";
}

TEST_F(KxLabProp, TheFrameKindListStoresTheStyle) {
    TShownLabProp d(S.Lab, 2);
    auto* list = d.Find<QComboBox>("ComBoxStyle");
    EXPECT_EQ(list->itemText(1), "One ");
    list->setCurrentIndex(2);
    EXPECT_EQ(S.Lab.GetFrame()->GetStyle(), fsDoble);
}

TEST_F(KxLabProp, TheBackgroundFileIsLoadedWhenEditingEndsNotAtEveryKeystroke) {
    TShownLabProp d(S.Lab, 2);
    auto* edit = d.Find<QLineEdit>("EditImage");
    TMessageCapture messages;
    edit->setFocus();
    QTest::keyClicks(edit, "/no/such/file.bmp");
    EXPECT_TRUE(messages.Messages.isEmpty());
    EXPECT_TRUE(S.Lab.GetBackSurf()->GetFileName().isEmpty());
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(messages.Messages.size(), 1);
    EXPECT_TRUE(messages.Messages[0].startsWith("No se puede abrir el archivo: "));
    EXPECT_EQ(S.Lab.GetBackSurf()->GetFileName(), "/no/such/file.bmp");
}

TEST_F(KxLabProp, TheLabelNameIsStoredAtEveryKeystroke) {
    TShownLabProp d(S.Lab);
    auto* edit = d.Find<QLineEdit>("EdLabName");
    edit->selectAll();
    QTest::keyClicks(edit, "Ab");
    EXPECT_EQ(M().GetLabelName(), "Ab");
}

TEST_F(KxLabProp, WithoutDataTheRangeIsOneToLabsAndOnlyTheNumberOfLabelsIsEnabled) {
    P().SetLabs(12);
    TShownLabProp d(S.Lab, 1);
    auto* from = d.Find<QSpinBox>("SpinEdFrom");
    auto* to = d.Find<QSpinBox>("SpinEdTo");
    EXPECT_EQ(from->value(), 1);
    EXPECT_EQ(to->value(), 12);
    EXPECT_EQ(to->maximum(), 12);
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(to->isEnabled());
    EXPECT_TRUE(d.Find<QSpinBox>("SpEdNuLabs")->isEnabled());
    EXPECT_EQ(P().GetFirstLab(), 1);
    EXPECT_EQ(P().GetLastLab(), 12);
}

TEST_F(KxLabProp, AFocusedBoxIsAquaAndReturnsToTheWindowColour) {
    TShownLabProp d(S.Lab, 0);
    d.Dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d.Dialog));
    for (const char* name : {"SpEdFloatWidth", "SpinEdNuHor", "EdLabName", "SpEdNuLabs"}) {
        auto* box = d.Find<QWidget>(name);
        d.ShowPageOf(box);
        box->setFocus();
        EXPECT_EQ(box->palette().color(QPalette::Base), ToQColor(clAqua)) << name;
        d.Find<QTabWidget>("PageControl1")->setFocus();
        EXPECT_EQ(box->palette().color(QPalette::Base), QApplication::palette(box).color(QPalette::Base));
    }
}

#include "controls/SpinEditFloat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Messages.h"

// Failure messages show texts as text.
void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace {

struct TFormatCase {
    long double V;
    int Precision;
    int Digits;
    const char* Decimal;
    const char* Group;
    const char* Expected;
};

class KxFormatFloatNumber : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(KxFormatFloatNumber, Formats) {
    const TFormatCase& c = GetParam();
    EXPECT_EQ(FormatFloatNumber(c.V, c.Precision, c.Digits, c.Decimal, c.Group), QString(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, KxFormatFloatNumber,
    ::testing::Values(TFormatCase{4.5L, 9, 2, ".", ",", "4.50"},
                      TFormatCase{1234.5L, 9, 2, ".", ",", "1,234.50"},
                      TFormatCase{-1234567.891L, 9, 2, ".", ",", "-1,234,567.89"},
                      TFormatCase{1234.5L, 9, 2, ",", ".", "1.234,50"},
                      TFormatCase{0.125L, 9, 2, ".", ",", "0.13"}, // halves away from zero
                      TFormatCase{2.5L, 9, 0, ".", ",", "3"}, TFormatCase{-0.001L, 9, 2, ".", ",", "0.00"},
                      TFormatCase{0.006L, 9, 2, ".", ",", "0.01"},
                      TFormatCase{999.996L, 9, 2, ".", ",", "1,000.00"},
                      TFormatCase{123456.789L, 4, 2, ".", ",", "1.235E+05"},
                      TFormatCase{1.5e12L, 9, 2, ".", ",", "1.5E+12"},
                      TFormatCase{3.14159L, 9, -1, ".", ",", "3"}, TFormatCase{0, 9, 3, ".", ",", "0.000"},
                      TFormatCase{std::numeric_limits<long double>::quiet_NaN(), 9, 2, ".", ",", "NAN"}));

TEST(KxParseFloatNumber, AcceptsPlainNumbersOnly) {
    const struct {
        const char* Text;
        const char* Decimal;
        bool Ok;
        long double Value;
    } cases[] = {{"1.5", ".", true, 1.5L},   {"+3", ".", true, 3},       {".5", ".", true, 0.5L},
                 {"5.", ".", true, 5},       {"-2e3", ".", true, -2000}, {"1,5", ",", true, 1.5L},
                 {"", ".", false, 0},        {"-", ".", false, 0},       {"1.2.3", ".", false, 0},
                 {"abc", ".", false, 0},     {"1,5", ".", false, 0},     {"+-1", ".", false, 0},
                 {"1e99999", ".", false, 0}, {"nan", ".", false, 0}};
    for (const auto& c : cases) {
        Extended value = -99;
        EXPECT_EQ(ParseFloatNumber(c.Text, c.Decimal, value), c.Ok) << c.Text;
        EXPECT_EQ(value, c.Ok ? c.Value : -99) << c.Text;
    }
}

// A shown, active window holding the editor and a second field to take the focus.
class TSpinWindow {
public:
    explicit TSpinWindow(QWidget* window = new QWidget)
        : Window(window) {
        auto* layout = new QVBoxLayout(Window.get());
        Edit = new TSpinEditFloat(Window.get());
        Other = new QLineEdit(Window.get());
        layout->addWidget(Edit);
        layout->addWidget(Other);
        Window->show();
        Window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Edit->setFocus();
    }
    std::unique_ptr<QWidget> Window;
    TSpinEditFloat* Edit = nullptr;
    QLineEdit* Other = nullptr;
};

// Runs each test in a point-decimal and in a comma-decimal locale.
class KxSpinLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(FPrevious); }
    // Writes a number given with '.' decimals and ',' groups in the current locale's separators.
    static QString Loc(const QString& en) {
        QString out;
        for (const QChar c : en)
            out += c == u'.' ? QLocale().decimalPoint() : c == u',' ? QLocale().groupSeparator() : QString(c);
        return out;
    }

private:
    QLocale FPrevious;
};

TEST_P(KxSpinLocale, ReadsTextAsValue) {
    TSpinEditFloat edit;
    EXPECT_EQ(edit.text(), Loc("0.00"));
    const struct {
        QString Text;
        long double Value;
    } cases[] = {{Loc("(1.50)"), -1.5L},
                 {Loc("1,234.50"), 1234.5L},
                 {QLocale().toCurrencyString(1.5), 1.5L},
                 {Loc(" -2.25 "), -2.25L},
                 {"abc", 2}};
    edit.SetMinValue(2);
    edit.SetMaxValue(5);
    for (const auto& c : cases) {
        edit.setText(c.Text);
        EXPECT_EQ(edit.GetValue(), c.Value) << c.Text.toStdString();
    }
}

TEST_P(KxSpinLocale, WritesValueFormattedAndClamped) {
    TSpinEditFloat edit;
    QSignalSpy changed(&edit, &TSpinEditFloat::changed);
    edit.SetValue(1234567.125L); // no bounds by default
    EXPECT_EQ(edit.text(), Loc("1,234,567.13"));
    edit.SetValue(1234567.125L);
    EXPECT_EQ(changed.count(), 1); // the same text changes nothing
    edit.SetMinValue(-1);
    edit.SetMaxValue(10);
    edit.SetValue(12);
    EXPECT_EQ(edit.text(), Loc("10.00"));
    edit.SetValue(-7);
    EXPECT_EQ(edit.text(), Loc("-1.00"));
    edit.SetValue(4.5L);
    edit.SetDigits(3);
    EXPECT_EQ(edit.text(), Loc("4.500"));
    edit.SetDigits(0);
    EXPECT_EQ(edit.text(), "5");
    edit.SetPrecision(1);
    edit.SetDigits(2);
    edit.SetValue(7.25L);
    EXPECT_EQ(edit.text(), Loc("7.00"));
    EXPECT_EQ(changed.count(), 8);
}

struct TKeyCase {
    const char* Name;
    const char* Text;
    int Start;
    int Length;
    int Digits;
    const char* Keys;
    const char* Expected;
    int Caret;
    int Beeps;
};

class KxSpinKeys : public KxSpinLocale {};

const TKeyCase KeyCases[] = {
    {"SeparatorPresentMovesCaret", "3.25", 0, 0, 2, ".", "3.25", 2, 0},
    {"SeparatorCollapsesSelection", "3.25", 0, 2, 2, ".", "3.25", 2, 0},
    {"AllDecimalsTypedBeeps", "3.25", 4, 0, 2, "4", "3.25", 4, 1},
    {"DigitOverwritesFirstDecimal", "3.25", 2, 0, 2, "9", "3.95", 3, 0},
    {"DigitOverwritesSecondDecimal", "3.25", 3, 0, 2, "9", "3.29", 4, 0},
    {"LeadingZeroAtCaret0Replaced", "0.00", 0, 0, 2, "7", "7.00", 1, 0},
    {"LeadingZeroAtCaret1Replaced", "0.00", 1, 0, 2, "7", "7.00", 1, 0},
    {"WholeSelectionResetsToZero", "12.50", 0, 5, 2, "4", "4.00", 1, 0},
    {"PartialSelectionKeptCaretAfterIt", "12.50", 0, 2, 2, "3", "123.50", 3, 0},
    {"IntegerDigitInserted", "12.50", 1, 0, 2, "3", "132.50", 2, 0},
    {"TypedNumber", "0.00", 0, 0, 2, "12.5", "12.50", 4, 0},
    {"SeparatorInsertedAtCaret", "12", 1, 0, 2, ".", "1.2", 2, 0},
    {"NegativeDigitsSeparatorAtEnd", "12", 0, 0, -1, ".", "12.", 3, 0},
    {"WithoutSeparatorNoDecimalLimit", "57", 2, 0, 2, "3", "573", 3, 0},
    {"InvalidCharBeeps", "3.25", 1, 0, 2, "a", "3.25", 1, 1},
    {"MinusPassesThrough", "0.00", 0, 0, 2, "-", "-0.00", 1, 0},
    {"PlusIsInserted", "3.25", 0, 0, 2, "+", "+3.25", 1, 0},
};

TEST_P(KxSpinKeys, TypesAsTheTableSays) {
    for (const TKeyCase& c : KeyCases) {
        TSpinWindow w;
        TMessageCapture capture;
        w.Edit->SetDigits(c.Digits);
        w.Edit->setText(Loc(c.Text));
        c.Length > 0 ? w.Edit->setSelection(c.Start, c.Length) : w.Edit->setCursorPosition(c.Start);
        QTest::keyClicks(w.Edit, Loc(c.Keys));
        EXPECT_EQ(w.Edit->text(), Loc(c.Expected)) << c.Name;
        EXPECT_EQ(w.Edit->cursorPosition(), c.Caret) << c.Name;
        EXPECT_FALSE(w.Edit->hasSelectedText()) << c.Name;
        EXPECT_EQ(capture.Beeps, c.Beeps) << c.Name;
    }
}

TEST_P(KxSpinLocale, BackspaceAndDeleteEditNormally) {
    TSpinWindow w;
    w.Edit->setText(Loc("3.25"));
    QTest::keyClick(w.Edit, Qt::Key_Backspace);
    EXPECT_EQ(w.Edit->text(), Loc("3.2"));
    w.Edit->setCursorPosition(0);
    QTest::keyClick(w.Edit, Qt::Key_Delete);
    EXPECT_EQ(w.Edit->text(), Loc(".2"));
    EXPECT_EQ(w.Edit->GetValue(), 0.2L);
}

TEST_P(KxSpinLocale, KeypadDecimalKeyTypesTheLocaleSeparator) {
    TSpinWindow w;
    w.Edit->setText("12");
    QTest::keyClick(w.Edit, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(w.Edit->text(), Loc("12."));
}

TEST_P(KxSpinLocale, ArrowsStepAndReadOnlyBeeps) {
    TSpinWindow w;
    TMessageCapture capture;
    w.Edit->SetValue(4);
    QTest::keyClick(w.Edit, Qt::Key_Up);
    EXPECT_EQ(w.Edit->text(), Loc("4.50"));
    QTest::keyClick(w.Edit, Qt::Key_Down);
    QTest::keyClick(w.Edit, Qt::Key_Down);
    EXPECT_EQ(w.Edit->text(), Loc("3.50"));
    w.Edit->setReadOnly(true);
    QTest::keyClick(w.Edit, Qt::Key_Up);
    QTest::mouseClick(w.Edit->Button()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(w.Edit->text(), Loc("3.50"));
    EXPECT_EQ(capture.Beeps, 2);
}

TEST_P(KxSpinLocale, ArrowButtonsStepAndTakeTheFocus) {
    TSpinWindow w;
    w.Other->setFocus();
    w.Edit->SetIncrement(0.25L);
    QTest::mouseClick(w.Edit->Button()->UpButton(), Qt::LeftButton);
    EXPECT_TRUE(w.Edit->hasFocus());
    QTest::mouseClick(w.Edit->Button()->UpButton(), Qt::LeftButton);
    QTest::mouseClick(w.Edit->Button()->UpButton(), Qt::LeftButton);
    QTest::mouseClick(w.Edit->Button()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(w.Edit->text(), Loc("0.50"));
}

TEST_P(KxSpinLocale, TypedValueSteppedPastMaxAndClampedOnExit) {
    TSpinWindow w;
    w.Edit->SetMaxValue(10);
    w.Edit->selectAll();
    QTest::keyClicks(w.Edit, Loc("9.5"));
    EXPECT_EQ(w.Edit->text(), Loc("9.50"));
    QTest::keyClick(w.Edit, Qt::Key_Up);
    QTest::mouseClick(w.Edit->Button()->UpButton(), Qt::LeftButton);
    EXPECT_EQ(w.Edit->text(), Loc("10.00"));
    w.Edit->selectAll();
    QTest::keyClicks(w.Edit, "12");
    EXPECT_EQ(w.Edit->text(), Loc("12.00"));
    QTest::keyClick(w.Edit, Qt::Key_Tab);
    EXPECT_TRUE(w.Other->hasFocus());
    EXPECT_EQ(w.Edit->text(), Loc("10.00"));
}

TEST_P(KxSpinLocale, DisabledEditorRefusesEditingButSteps) {
    TSpinWindow w;
    TMessageCapture capture;
    w.Edit->SetEditorEnabled(false);
    w.Edit->SetValue(3.25L);
    QApplication::clipboard()->setText("7");
    QTest::keyClicks(w.Edit, Loc("5.-"));
    QTest::keyClick(w.Edit, Qt::Key_Backspace);
    QTest::keyClick(w.Edit, Qt::Key_Delete);
    EXPECT_EQ(capture.Beeps, 5);
    w.Edit->selectAll();
    QTest::keyClick(w.Edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.Edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(w.Edit->text(), Loc("3.25"));
    EXPECT_EQ(capture.Beeps, 5); // paste and cut are ignored silently
    QTest::keyClick(w.Edit, Qt::Key_Up);
    EXPECT_EQ(w.Edit->text(), Loc("3.75"));
    w.Edit->SetEditorEnabled(true);
    w.Edit->selectAll();
    QTest::keyClick(w.Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Edit->text(), "7");
}

TEST_P(KxSpinLocale, EnterClicksDefaultButtonKeepingFocusAndSelection) {
    auto* dialog = new QDialog;
    auto* button = new QPushButton("OK", dialog);
    auto* plain = new QPushButton("Other", dialog);
    button->setDefault(true);
    TSpinWindow w(dialog);
    dialog->layout()->addWidget(button);
    dialog->layout()->addWidget(plain);
    w.Edit->SetMaxValue(10);
    long double seen = 0;
    int plainClicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { seen = w.Edit->GetValue(); });
    QObject::connect(plain, &QPushButton::clicked, [&] { ++plainClicks; });
    TMessageCapture capture;
    w.Edit->setText(Loc("12.00"));
    QTest::keyClick(w.Edit, Qt::Key_Return);
    EXPECT_EQ(seen, 10); // leaving the edit clamped it before the click
    EXPECT_EQ(plainClicks, 0);
    EXPECT_TRUE(w.Edit->hasFocus());
    EXPECT_EQ(w.Edit->selectedText(), Loc("10.00"));
    w.Edit->SetAutoSelect(false);
    w.Edit->setSelection(1, 2);
    seen = 0;
    QTest::keyClick(w.Edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(seen, 10);
    EXPECT_TRUE(w.Edit->hasFocus());
    EXPECT_EQ(w.Edit->selectionStart(), 1);
    EXPECT_EQ(w.Edit->selectedText().size(), 2);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(capture.Beeps, 0);
    button->setDefault(false);
    QTest::keyClick(w.Edit, Qt::Key_Return);
    EXPECT_EQ(capture.Beeps, 1); // no default button to press
}

INSTANTIATE_TEST_SUITE_P(Locales, KxSpinLocale, ::testing::Values("en_US", "de_DE"));
INSTANTIATE_TEST_SUITE_P(Locales, KxSpinKeys, ::testing::Values("en_US", "de_DE"));

TEST(KxSpinFocus, AutoSelectOnTabNotOnClick) {
    TSpinWindow w;
    w.Edit->SetValue(3);
    w.Other->setFocus();
    QTest::keyClick(w.Other, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(w.Edit->hasFocus());
    EXPECT_EQ(w.Edit->selectedText(), w.Edit->text());
    w.Other->setFocus();
    QTest::mouseClick(w.Edit, Qt::LeftButton, {}, QPoint(4, w.Edit->height() / 2));
    EXPECT_TRUE(w.Edit->hasFocus());
    EXPECT_FALSE(w.Edit->hasSelectedText());
    w.Edit->SetAutoSelect(false);
    w.Edit->setCursorPosition(2);
    w.Other->setFocus();
    QTest::keyClick(w.Other, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(w.Edit->hasSelectedText());
    EXPECT_EQ(w.Edit->cursorPosition(), 2);
}

TEST(KxSpinGeometry, ArrowsAtTheRightAndTextKeptClearOfThem) {
    TSpinWindow w;
    TSpinEditFloat* edit = w.Edit;
    const QRect arrows = edit->Button()->geometry();
    const int gap = edit->width() - arrows.right();
    EXPECT_EQ(arrows.width(), 15);
    EXPECT_LT(arrows.right(), edit->width());
    EXPECT_GT(arrows.left(), edit->width() - 25);
    EXPECT_EQ(edit->textMargins().right(), 18);
    EXPECT_EQ(edit->GetMinHeight(), QFontMetrics(edit->font()).height() + 7);
    EXPECT_GE(edit->sizeHint().height(), edit->GetMinHeight());
    EXPECT_EQ(edit->sizeHint().width(), 121);
    edit->setMinimumHeight(0);
    edit->resize(200, 5);
    EXPECT_EQ(edit->height(), edit->GetMinHeight());
    EXPECT_EQ(edit->width() - edit->Button()->geometry().right(), gap);
}

TEST(KxSpinProperties, PublishedWithTheirDefaults) {
    TSpinEditFloat edit;
    EXPECT_EQ(edit.property("Precision").toInt(), 9);
    EXPECT_EQ(edit.property("Digits").toInt(), 2);
    EXPECT_EQ(edit.property("MinValue").toDouble(), 0.0);
    EXPECT_EQ(edit.property("MaxValue").toDouble(), 0.0);
    EXPECT_EQ(edit.property("Increment").toDouble(), 0.5);
    EXPECT_TRUE(edit.property("EditorEnabled").toBool());
    EXPECT_TRUE(edit.property("AutoSelect").toBool());
    EXPECT_TRUE(edit.setProperty("Value", 2.25));
    EXPECT_EQ(edit.property("Value").toDouble(), 2.25);
}

class KxAlignEdit : public ::testing::TestWithParam<std::pair<TAlignEdit::TAlignment, Qt::Alignment>> {};

TEST_P(KxAlignEdit, AlignmentPropertySetsTextAlignment) {
    TAlignEdit edit;
    EXPECT_EQ(edit.Alignment(), TAlignEdit::taCenter);
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    edit.SetAlignment(TAlignEdit::taLeftJustify);
    ASSERT_TRUE(edit.setProperty("Alignment", QVariant::fromValue(GetParam().first)));
    EXPECT_EQ(edit.property("Alignment").value<TAlignEdit::TAlignment>(), GetParam().first);
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, KxAlignEdit,
                         ::testing::Values(std::pair{TAlignEdit::taLeftJustify, Qt::Alignment(Qt::AlignLeft)},
                                           std::pair{TAlignEdit::taRightJustify,
                                                     Qt::Alignment(Qt::AlignRight)},
                                           std::pair{TAlignEdit::taCenter, Qt::Alignment(Qt::AlignHCenter)}));

} // namespace

namespace {

TEST(KxSpinMenu, DisabledEditorOffersNoPasteOrCut) {
    TSpinWindow w;
    QApplication::clipboard()->setText("7");
    for (const bool enabled : {true, false}) {
        w.Edit->SetEditorEnabled(enabled);
        w.Edit->selectAll();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), w.Edit->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(w.Edit, &event);
        std::unique_ptr<QMenu> menu(w.Edit->findChild<QMenu*>());
        ASSERT_TRUE(menu);
        int editing = 0;
        for (const QAction* action : menu->actions()) {
            const QString text = QString(action->text()).remove(u'&');
            if (action->isEnabled() && (text.startsWith("Paste") || text.startsWith("Cut"))) ++editing;
        }
        EXPECT_EQ(editing, enabled ? 2 : 0);
        EXPECT_FALSE(w.Edit->isReadOnly());
    }
}

} // namespace

// uic sets a form's designed properties through these spellings.
TEST(KxSpinEditFloatDesigned, UicSettersSetTheDesignedProperties) {
    TSpinEditFloat edit;
    edit.setMinValue(1);
    edit.setMaxValue(5);
    edit.setIncrement(0.25);
    edit.setDigits(3);
    edit.setValue(9);
    EXPECT_EQ(edit.MinValue(), 1);
    EXPECT_EQ(edit.MaxValue(), 5);
    EXPECT_EQ(edit.Increment(), 0.25);
    EXPECT_EQ(edit.text(), QLocale().toString(5.0, 'f', 3));
    edit.setEditorEnabled(false);
    EXPECT_FALSE(edit.EditorEnabled());

    TAlignEdit align;
    align.setAlignment(TAlignEdit::taRightJustify);
    EXPECT_EQ(align.Alignment(), TAlignEdit::taRightJustify);
    EXPECT_EQ(align.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

#include "controls/SpinEditFloat.h"
#include "dialogs/DialogTestSupport.h"
#include "elements/KxElement.h"

namespace {

// How a user ends a dialog, and whether the label keeps what the dialog changed.
enum class TEnd { Escape, CancelButton, CloseButton, WindowClose };

struct TEndCase {
    TEnd End;
    bool Keeps;
    const char* Name;
};

const TEndCase EndCases[] = {
    {TEnd::Escape, false, "Escape"},
    {TEnd::CancelButton, false, "CancelButton"},
    {TEnd::CloseButton, true, "CloseButton"},
    {TEnd::WindowClose, true, "WindowClose"},
};

void EndDialog(QWidget& W, TEnd End) {
    auto* buttons = W.findChild<QDialogButtonBox*>(QStringLiteral("KxHostButtons"));
    ASSERT_NE(buttons, nullptr) << "the host adds its buttons under the form";
    switch (End) {
    case TEnd::Escape: {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && W.isAncestorOf(focus) ? focus : &W, Qt::Key_Escape);
        break;
    }
    case TEnd::CancelButton:
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        break;
    case TEnd::CloseButton: {
        QPushButton* close = buttons->button(QDialogButtonBox::Close);
        if (!close) close = W.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        ASSERT_NE(close, nullptr);
        QTest::mouseClick(close, Qt::LeftButton);
        break;
    }
    case TEnd::WindowClose: W.close(); break;
    }
    EXPECT_FALSE(W.isVisible());
}

struct TKindCase {
    int Tag;
    const char* Dialog;
    const char* XBox;
};

const TKindCase KindCases[] = {
    {deText, "TPropText", "SpEdFloatX"},       {dePoliText, "TProAddText", "SpEdFloatX"},
    {deParagraph, "TPropPara", "SpEdFloatX1"}, {deBar, "TPropCoBar", "SpEdFloatX"},
    {deSymbol, "TPropSym", "SpEdFloatX"},      {deLine, "TProLin", "SpEdFloatX1"},
    {deRect, "TProRect", "SpEdFloatX1"},       {deImage, "TProIma", "SpEdFloatX1"},
};

class KxElementDialogEnd : public ::testing::TestWithParam<std::tuple<TKindCase, TEndCase>> {
protected:
    TDialogLab S;
};

std::string EndName(const ::testing::TestParamInfo<std::tuple<TKindCase, TEndCase>>& Info) {
    return std::string(std::get<0>(Info.param).Dialog) + "_" + std::get<1>(Info.param).Name;
}

} // namespace

TEST_P(KxElementDialogEnd, CancelPutsTheElementBackWithoutAStepCloseKeepsTheEditAsOneStep) {
    const auto& [kind, end] = GetParam();
    TKxElement* e = S.Add(kind.Tag);
    QUndoStack& history = *S.Lab.Label()->UndoStack();
    history.setClean();
    const int steps = history.count();
    const QByteArray before = RecordOf(*e);
    QByteArray edited;
    WhenModal(kind.Dialog, [&](QWidget& W) {
        auto* x = W.findChild<TSpinEditFloat*>(QString::fromLatin1(kind.XBox));
        ASSERT_NE(x, nullptr);
        TypeInto(x, QStringLiteral("3.5"));
        edited = RecordOf(*e);
        EndDialog(W, end.End);
    });
    S.Lab.ShowElementProp();
    ASSERT_NE(edited, before) << "the dialog edits live";
    // Putting the label back rebuilds its elements; the selection stays on the edited one.
    const TKxElement* now = S.Lab.GetSelected();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(RecordOf(*now), end.Keeps ? edited : before);
    EXPECT_EQ(history.count(), steps + (end.Keeps ? 1 : 0));
    EXPECT_EQ(history.isClean(), !end.Keeps);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxElementDialogEnd,
                         ::testing::Combine(::testing::ValuesIn(KindCases), ::testing::ValuesIn(EndCases)),
                         EndName);

namespace {

class KxLabelDialogEnd : public ::testing::TestWithParam<TEndCase> {
protected:
    TDialogLab S;
};

std::string LabelEndName(const ::testing::TestParamInfo<TEndCase>& Info) {
    return Info.param.Name;
}

} // namespace

TEST_P(KxLabelDialogEnd, OpeningAndEndingWithoutAChangeLeavesTheLabelUnmodified) {
    QUndoStack& history = *S.Lab.Label()->UndoStack();
    history.setClean();
    const QByteArray before = S.Lab.Label()->Record();
    for (int page = 0; page < 4; ++page) {
        WhenModal("TPropLab", [&](QWidget& W) { EndDialog(W, GetParam().End); });
        S.Lab.ShowProp(page);
    }
    if (!GetParam().Keeps) {
        EXPECT_EQ(S.Lab.Label()->Record(), before);
    }
    EXPECT_TRUE(history.isClean());
    EXPECT_EQ(history.count(), 0);
}

TEST_P(KxLabelDialogEnd, CancelPutsTheSheetBackCloseKeepsIt) {
    QUndoStack& history = *S.Lab.Label()->UndoStack();
    const int rows = S.Lab.GetMeasure()->GetNuHor();
    WhenModal("TPropLab", [&](QWidget& W) {
        auto* box = W.findChild<QSpinBox*>(QStringLiteral("SpinEdNuHor"));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::number(rows + 2));
        ASSERT_EQ(S.Lab.GetMeasure()->GetNuHor(), rows + 2) << "the dialog edits live";
        EndDialog(W, GetParam().End);
    });
    S.Lab.ShowProp(0);
    EXPECT_EQ(S.Lab.GetMeasure()->GetNuHor(), GetParam().Keeps ? rows + 2 : rows);
    EXPECT_EQ(history.count(), GetParam().Keeps ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Ends, KxLabelDialogEnd, ::testing::ValuesIn(EndCases), LabelEndName);

namespace {

class KxHostButtonsPlace : public ::testing::TestWithParam<TKindCase> {
protected:
    TDialogLab S;
};

} // namespace

TEST_P(KxHostButtonsPlace, TheButtonsStandInsideTheDialogClearOfTheForm) {
    S.Add(GetParam().Tag);
    WhenModal(GetParam().Dialog, [&](QWidget& W) {
        const auto* buttons = W.findChild<QDialogButtonBox*>(QStringLiteral("KxHostButtons"));
        ASSERT_NE(buttons, nullptr);
        EXPECT_TRUE(W.rect().contains(buttons->geometry())) << "outside the dialog";
        for (const QWidget* w : W.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w == buttons || !w->isVisible() || w->isWindow()) continue;
            EXPECT_FALSE(w->geometry().intersects(buttons->geometry())) << w->objectName().toStdString();
        }
        for (const QAbstractButton* b : buttons->buttons())
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString() << " is clipped";
    });
    S.Lab.ShowElementProp();
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxHostButtonsPlace, ::testing::ValuesIn(KindCases),
                         [](const ::testing::TestParamInfo<TKindCase>& Info) {
                             return std::string(Info.param.Dialog);
                         });

TEST(KxHostButtons, Screenshots) {
    const QString folder = qEnvironmentVariable("KXLAB_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "KXLAB_SCREENSHOTS names no folder";
    TDialogLab s;
    for (const auto& [tag, name] : {std::pair{deText, "TPropText"}, std::pair{deSymbol, "TPropSym"}}) {
        s.Add(tag);
        WhenModal(name, [&](QWidget& W) {
            EXPECT_TRUE(W.grab().save(QStringLiteral("%1/%2.png").arg(folder, QLatin1String(name))));
        });
        s.Lab.ShowElementProp();
    }
    WhenModal("TPropLab", [&](QWidget& W) { EXPECT_TRUE(W.grab().save(folder + "/TPropLab.png")); });
    s.Lab.ShowProp(1);
}

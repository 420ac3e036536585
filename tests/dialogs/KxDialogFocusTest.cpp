#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "dialogs/DialogTestSupport.h"
#include "elements/KxElement.h"

namespace {

struct TFocusCase {
    int Tag;
    const char* Dialog;
    const char* Content;
};

const TFocusCase FocusCases[] = {
    {deText, "TPropText", "EdText"},
    {dePoliText, "TProAddText", "EdText"},
    {deParagraph, "TPropPara", "MemText"},
    {deBar, "TPropCoBar", "EdNum"},
};

class KxContentFocus : public ::testing::TestWithParam<TFocusCase> {
protected:
    TDialogLab S;
};

std::string FocusName(const ::testing::TestParamInfo<TFocusCase>& Info) {
    return Info.param.Dialog;
}

QString ContentText(QWidget& W) {
    if (auto* line = qobject_cast<QLineEdit*>(&W)) return line->text();
    return static_cast<QPlainTextEdit&>(W).toPlainText();
}

} // namespace

TEST_P(KxContentFocus, TypingRightAfterOpeningReplacesTheContent) {
    S.Add(GetParam().Tag);
    QString typed;
    WhenModal(GetParam().Dialog, [&](QWidget& W) {
        QWidget* focus = W.focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QLatin1String(GetParam().Content));
        QTest::keyClicks(focus, QStringLiteral("123"));
        typed = ContentText(*focus);
    });
    S.Lab.ShowElementProp();
    EXPECT_EQ(typed, QStringLiteral("123"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, KxContentFocus, ::testing::ValuesIn(FocusCases), FocusName);

#include "base/Messages.h"

#include <gtest/gtest.h>

TEST(KxMessages, CaptureCollectsAndRestores) {
    {
        TMessageCapture outer;
        {
            TMessageCapture inner;
            ShowMessage("one");
            MessageBeep();
            {
                TBusyCursor busy;
                EXPECT_EQ(inner.BusyDepth, 1);
            }
            EXPECT_EQ(inner.Messages, QStringList{"one"});
            EXPECT_EQ(inner.Beeps, 1);
            EXPECT_EQ(inner.BusyDepth, 0);
        }
        ShowMessage("two");
        EXPECT_EQ(outer.Messages, QStringList{"two"});
        EXPECT_EQ(outer.Beeps, 0);
    }
}

TEST(KxMessages, ErrorsAreToldApartFromNotices) {
    TMessageCapture capture;
    ShowMessage("notice");
    ShowError("error");
    EXPECT_EQ(capture.Messages, (QStringList{"notice", "error"}));
    EXPECT_EQ(capture.Errors, QStringList{"error"});
}

TEST(KxMessages, AHostThatTakesOnlyMessagesAlsoGetsTheErrors) {
    QStringList shown;
    TMessageHook previous = SetMessageHook({[&](const QString& t) { shown.append(t); }, {}, {}});
    ShowError("error");
    SetMessageHook(std::move(previous));
    EXPECT_EQ(shown, QStringList{"error"});
}

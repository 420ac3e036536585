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

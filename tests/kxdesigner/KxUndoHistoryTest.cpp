#include "KxUndoHistory.h"

#include <gtest/gtest.h>

TEST(KxUndoHistory, AStepHoldsTheRecordBeforeAndAfter) {
    TKxUndoHistory h;
    h.Reset("a");
    EXPECT_FALSE(h.CanUndo());
    EXPECT_TRUE(h.Commit("b"));
    EXPECT_TRUE(h.Commit("c"));
    EXPECT_EQ(h.Current(), "c");
    EXPECT_EQ(h.Undo(), QByteArray("b"));
    EXPECT_EQ(h.Undo(), QByteArray("a"));
    EXPECT_EQ(h.Undo(), std::nullopt);
    EXPECT_EQ(h.Redo(), QByteArray("b"));
    EXPECT_EQ(h.Redo(), QByteArray("c"));
    EXPECT_EQ(h.Redo(), std::nullopt);
    EXPECT_EQ(h.Current(), "c");
}

TEST(KxUndoHistory, EqualBytesAreNoStep) {
    TKxUndoHistory h;
    h.Reset("a");
    EXPECT_FALSE(h.Commit("a"));
    EXPECT_TRUE(h.Commit("b"));
    EXPECT_FALSE(h.Commit("b"));
    EXPECT_EQ(h.UndoCount(), 1u);
}

TEST(KxUndoHistory, ANewStepDropsWhatCouldBeRedone) {
    TKxUndoHistory h;
    h.Reset("a");
    h.Commit("b");
    h.Commit("c");
    h.Undo();
    EXPECT_EQ(h.RedoCount(), 1u);
    EXPECT_TRUE(h.Commit("d"));
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.Undo(), QByteArray("b"));
}

TEST(KxUndoHistory, UndoingBackToARecordAndCommittingItIsNoStep) {
    TKxUndoHistory h;
    h.Reset("a");
    h.Commit("b");
    h.Undo();
    EXPECT_FALSE(h.Commit("a"));
    EXPECT_EQ(h.RedoCount(), 1u);
}

TEST(KxUndoHistory, KeepsTheNewestStepsUpToItsLimit) {
    for (const size_t limit : {size_t{1}, size_t{100}, TKxUndoHistory::DefaultLimit}) {
        TKxUndoHistory h(limit);
        h.Reset("0");
        for (size_t i = 1; i <= limit + 5; ++i)
            h.Commit(QByteArray::number(qulonglong(i)));
        EXPECT_EQ(h.UndoCount(), limit);
        std::optional<QByteArray> last;
        while (const auto r = h.Undo())
            last = r;
        EXPECT_EQ(last, QByteArray::number(qulonglong(5)));
    }
    EXPECT_GE(TKxUndoHistory::DefaultLimit, 100u);
}

TEST(KxUndoHistory, ResetForgetsEveryStep) {
    TKxUndoHistory h;
    h.Reset("a");
    h.Commit("b");
    h.Undo();
    h.Reset("x");
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.Current(), "x");
}

#include <functional>
#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QStringList>
#include <QUndoStack>

#include "common/LabelSamples.h"
#include "common/TestSupport.h"
#include "elements/KxRect.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"

namespace {

TKxRect* AddRect(TKxLabel& Label, int32_t X) {
    auto rect = std::make_unique<TKxRect>(&Label);
    rect->P1 = {X, 10};
    rect->P2 = {X + 100, 60};
    TKxRect* raw = rect.get();
    Label.AddElement(std::move(rect));
    return raw;
}

// The names of the signals a label sends, in order.
struct TSignalLog {
    explicit TSignalLog(TKxLabel& Label) {
        const auto log = [this](const char* Name) {
            return [this, Name] { Names << QString::fromLatin1(Name); };
        };
        QObject::connect(&Label, &TKxLabel::ElementAdded, log("added"));
        QObject::connect(&Label, &TKxLabel::ElementRemoving, log("removing"));
        QObject::connect(&Label, &TKxLabel::ElementChanged, log("changed"));
        QObject::connect(&Label, &TKxLabel::ElementsReordered, log("reordered"));
        QObject::connect(&Label, &TKxLabel::SettingsChanged, log("settings"));
        QObject::connect(&Label, &TKxLabel::BindingChanged, log("binding"));
        QObject::connect(&Label, &TKxLabel::Replaced, log("replaced"));
    }
    QStringList Names;
};

// What a change of the label signals, and the step it makes when made on its own.
struct TChangeCase {
    const char* Name;
    std::function<void(TKxLabel&)> Change;
    const char* Signal;
    const char* Step;
};

void PrintTo(const TChangeCase& C, std::ostream* os) {
    *os << C.Name;
}

const TChangeCase ChangeCases[] = {
    {"add", [](TKxLabel& L) { AddRect(L, 300); }, "added", "Add"},
    {"remove", [](TKxLabel& L) { L.RemoveElement(L.Element(0)); }, "removing", "Delete"},
    {"reorder", [](TKxLabel& L) { L.MoveElement(L.Element(0), 1); }, "reordered", "Order"},
    {"to front", [](TKxLabel& L) { L.ExchangeWithEnd(L.Element(1), true); }, "reordered", "Order"},
    {"element edited",
     [](TKxLabel& L) {
         L.Element(0)->P1.X += 10;
         L.NotifyElement(L.Element(0));
     },
     "changed", "Change"},
    {"size", [](TKxLabel& L) { L.GetMeasure()->SetWidth(80); }, "settings", "Label Settings"},
    {"frame", [](TKxLabel& L) { L.GetFrame()->SetStyle(fsDoble); }, "settings", "Label Settings"},
    {"unit", [](TKxLabel& L) { L.SetUnits(unINCH); }, "settings", "Label Settings"},
    {"data switch", [](TKxLabel& L) { L.SetDaBa(true); }, "binding", "Database"},
};

class KxLabelChange : public ::testing::TestWithParam<TChangeCase> {
protected:
    KxLabelChange() {
        AddRect(Label, 0);
        AddRect(Label, 200);
        Label.ResetHistory();
    }
    TKxLabel Label;
};

} // namespace

TEST_P(KxLabelChange, IsSignalledAndIsOneNamedStepThatUndoesAndRedoesByteForByte) {
    const QByteArray before = Label.Record();
    const TSignalLog log(Label);
    GetParam().Change(Label);
    EXPECT_TRUE(log.Names.contains(GetParam().Signal)) << log.Names.join(' ').toStdString();
    const QByteArray after = Label.Record();
    ASSERT_NE(after, before);
    QUndoStack& history = *Label.UndoStack();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoText(), GetParam().Step);

    QSignalSpy replaced(&Label, &TKxLabel::Replaced);
    history.undo();
    EXPECT_EQ(Label.Record(), before);
    EXPECT_EQ(replaced.count(), 1);
    history.redo();
    EXPECT_EQ(Label.Record(), after);
    EXPECT_EQ(history.count(), 1) << "undoing and redoing records nothing";
}

INSTANTIATE_TEST_SUITE_P(Kinds, KxLabelChange, ::testing::ValuesIn(ChangeCases), [](const auto& Info) {
    QString name = QString::fromLatin1(Info.param.Name);
    name.remove(' ');
    return name.toStdString();
});

TEST(KxLabelSteps, ChangesBetweenBeginAndEndAreOneStepNamedByTheOutermost) {
    TKxLabel label;
    const QByteArray before = label.Record();
    label.BeginStep("Stock");
    AddRect(label, 0);
    label.BeginStep("inner");
    label.GetMeasure()->SetWidth(90);
    label.GetGrid()->SetShow(true);
    label.EndStep();
    EXPECT_EQ(label.UndoStack()->count(), 0);
    label.EndStep();
    ASSERT_EQ(label.UndoStack()->count(), 1);
    EXPECT_EQ(label.UndoStack()->undoText(), "Stock");
    label.UndoStack()->undo();
    EXPECT_EQ(label.Record(), before);
}

TEST(KxLabelSteps, AStepThatChangesNothingIsNoStep) {
    TKxLabel label;
    AddRect(label, 0);
    label.ResetHistory();
    label.UndoStack()->setClean();
    {
        const TKxUndoStep step(label, "Rectangle Properties");
        // A dialog writes back what it shows: the same values.
        label.GetMeasure()->SetWidth(label.GetMeasure()->GetWidth());
        label.NotifyElement(label.Element(0));
    }
    EXPECT_EQ(label.UndoStack()->count(), 0);
    EXPECT_TRUE(label.UndoStack()->isClean());
}

TEST(KxLabelSteps, ACancelledStepPutsEverythingBackAndRecordsNothing) {
    TKxLabel label;
    AddRect(label, 0);
    label.ResetHistory();
    const QByteArray before = label.Record();
    {
        TKxUndoStep step(label, "Label Properties");
        label.GetMeasure()->SetWidth(120);
        AddRect(label, 500);
        label.Element(0)->Color = clBlue;
        step.Cancel();
    }
    EXPECT_EQ(label.Record(), before);
    EXPECT_EQ(label.ElementCount(), 1);
    EXPECT_EQ(label.UndoStack()->count(), 0);
}

TEST(KxLabelSteps, NothingIsRecordedWhileRecordingIsOffAndTheHistoryStartsWhenItComesBack) {
    TKxLabel label;
    label.SetRecording(false);
    AddRect(label, 0);
    label.GetMeasure()->SetWidth(70);
    EXPECT_EQ(label.UndoStack()->count(), 0);
    label.SetRecording(true);
    const QByteArray start = label.Record();
    AddRect(label, 200);
    ASSERT_EQ(label.UndoStack()->count(), 1);
    label.UndoStack()->undo();
    EXPECT_EQ(label.Record(), start);
}

TEST(KxLabelSteps, ALabelReadFromAFileStartsItsHistory) {
    TKxTempDir dir;
    TKxLabel source;
    KxAddEveryKind(source);
    source.SaveToFile(dir.Path("every.kxl"));
    TKxLabel label;
    AddRect(label, 0);
    ASSERT_EQ(label.UndoStack()->count(), 1);
    QSignalSpy replaced(&label, &TKxLabel::Replaced);
    label.ReplaceFromFile(dir.Path("every.kxl"));
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(label.UndoStack()->count(), 0);
    EXPECT_EQ(label.Record(), source.Record());
}

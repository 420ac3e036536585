#include <gtest/gtest.h>
#include <QSpinBox>

#include "dialogs/DialogTestSupport.h"
#include "label/KxPrintInfo.h"

namespace {

struct TRangeCase {
    const char* Name;
    int Labs;
    int First;
    int Last;
};

// Without data the record-count step shows 1 to the number of labels, whatever range was stored.
const TRangeCase RangeCases[] = {
    {"InsideTheRun", 12, 3, 5},      {"FromAlreadyOne", 12, 1, 5}, {"ToAlreadyTheNumberOfLabels", 12, 3, 12},
    {"BothAlreadyShown", 12, 1, 12}, {"PastTheRun", 12, 20, 40},   {"OneLabel", 1, 1, 1},
};

class KxLabPropRange : public ::testing::TestWithParam<TRangeCase> {
protected:
    TDialogLab S;
};

std::string RangeName(const ::testing::TestParamInfo<TRangeCase>& Info) {
    return Info.param.Name;
}

} // namespace

TEST_P(KxLabPropRange, ThePrintPageStoresTheRangeItShows) {
    const TRangeCase& c = GetParam();
    TKxPrintInfo& info = *S.Lab.GetPrintInfo();
    info.SetLabs(c.Labs);
    info.SetFirstLab(c.First);
    info.SetLastLab(c.Last);
    int from = 0, to = 0;
    WhenModal("TPropLab", [&](QWidget& W) {
        from = W.findChild<QSpinBox*>(QStringLiteral("SpinEdFrom"))->value();
        to = W.findChild<QSpinBox*>(QStringLiteral("SpinEdTo"))->value();
    });
    S.Lab.ShowProp(1);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, c.Labs);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetFirstLab(), from);
    EXPECT_EQ(S.Lab.GetPrintInfo()->GetLastLab(), to);
}

INSTANTIATE_TEST_SUITE_P(Ranges, KxLabPropRange, ::testing::ValuesIn(RangeCases), RangeName);

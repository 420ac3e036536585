#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "common/DBTestDatabase.h"
#include "label/KxCellWalk.h"
#include "label/KxMeasure.h"
#include "label/KxQuantities.h"
#include "label/KxRunPlan.h"

namespace {

// Running totals of Copies per record from record First on.
std::shared_ptr<const TKxQuantities> Totals(int64_t First, const std::vector<int64_t>& Copies) {
    std::vector<int64_t> ends;
    int64_t total = 0;
    for (const int64_t c : Copies)
        ends.push_back(total += c);
    return std::make_shared<const TKxQuantities>(First, std::move(ends));
}

// The record of every label, each record written out as many times as it has copies.
std::vector<int64_t> Expanded(int64_t First, const std::vector<int64_t>& Copies) {
    std::vector<int64_t> records;
    for (size_t i = 0; i < Copies.size(); ++i)
        records.insert(records.end(), static_cast<size_t>(Copies[i]), First + static_cast<int64_t>(i));
    return records;
}

struct TCopiesCase {
    int64_t First;
    std::vector<int64_t> Copies;
};

class KxQuantities : public ::testing::TestWithParam<TCopiesCase> {};

} // namespace

// Every part of a run (from label Skip, Take of them) starts at the record and copy that writing every
// label out gives, and its walk moves through the records of that part exactly, past records of none.
TEST_P(KxQuantities, EveryPartOfTheRunFindsItsRecordsByTheRunningTotals) {
    const TCopiesCase& c = GetParam();
    const std::vector<int64_t> all = Expanded(c.First, c.Copies);
    const int64_t labels = static_cast<int64_t>(all.size());
    TKxMeasure measure;
    measure.SetNuHor(2);
    measure.SetNuVer(3);
    for (int64_t skip = 0; skip <= labels; ++skip)
        for (int64_t take = -1; take <= labels - skip; ++take) {
            TKxRunSettings s;
            s.Quantities = Totals(c.First, c.Copies);
            s.SkipLabels = skip;
            s.TakeLabels = take;
            const TKxRunPlan plan = TKxRunPlan::Of(s, measure, true);
            const int64_t end = take < 0 ? labels : skip + take;
            const std::vector<int64_t> part(all.begin() + skip, all.begin() + end);
            ASSERT_EQ(plan.Labels, static_cast<int64_t>(part.size())) << skip << "+" << take;
            if (part.empty()) continue;
            EXPECT_EQ(plan.FirstRecord, part.front()) << skip << "+" << take;
            EXPECT_EQ(plan.LastRecord, part.back()) << skip << "+" << take;
            TKxRunState state = plan.Start;
            TKxCellWalk walk(2, 3, 1, true, state, s.Quantities.get());
            std::vector<int64_t> walked;
            int64_t record = plan.FirstRecord;
            for (TKxWalkStep step = walk.Next(); step.Kind != TKxWalkStep::wkEnd; step = walk.Next()) {
                if (step.Kind != TKxWalkStep::wkCell) continue;
                walked.push_back(record);
                if (step.NextRecord) record += step.Records;
            }
            EXPECT_EQ(walked, part) << skip << "+" << take;
        }
}

INSTANTIATE_TEST_SUITE_P(Copies, KxQuantities,
                         ::testing::Values(TCopiesCase{5, {0, 2, 0, 0, 3, 1}}, TCopiesCase{1, {1, 1, 1}},
                                           TCopiesCase{1, {4, 0, 0, 0, 0, 0, 0, 2}},
                                           TCopiesCase{3, {0, 0, 0}}, TCopiesCase{1, {}},
                                           TCopiesCase{2, {7}}));

TEST(KxQuantities, RecordsOutsideTheRunHaveNoCopiesAndNothingFollowsTheLast) {
    const auto q = Totals(5, {0, 2, 0, 0, 3, 1});
    EXPECT_EQ(q->Labels(), 6);
    EXPECT_EQ(q->Records(), 6);
    for (const auto& [record, copies] :
         std::vector<std::pair<int64_t, int64_t>>{{4, 0}, {5, 0}, {6, 2}, {7, 0}, {9, 3}, {10, 1}, {11, 0}})
        EXPECT_EQ(q->Copies(record), copies) << record;
    EXPECT_EQ(q->NextAfter(4).Record, 6);
    EXPECT_EQ(q->NextAfter(6).Record, 9);
    EXPECT_EQ(q->NextAfter(9).Record, 10);
    EXPECT_EQ(q->NextAfter(10).Record, 0);
    EXPECT_EQ(q->Locate(6).Record, 0);
    EXPECT_EQ(q->Locate(-1).Record, 0);
}

// Quantities at the cap with the most repetitions a run takes add up past what a run may count: the
// reading stops at the record where they do, before the total could overflow.
TEST(KxQuantities, ATotalBeyondWhatARunCountsIsRefused) {
    TTestDatabase db(TTestEngine::SQLite);
    ASSERT_TRUE(
        db.Exec("CREATE TABLE big (id INTEGER PRIMARY KEY, qty INTEGER);\n"
                "INSERT INTO big (id, qty) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                "n WHERE i < 25000) SELECT i, 100000 FROM n"));
    TTable table;
    table.SetDatabaseName(db.Alias());
    table.SetTableName(QStringLiteral("big"));
    table.Open();
    EXPECT_EQ(KxReadQuantities(table, "qty", 1, 25000, 1000).Labels(), int64_t{25000} * 100000 * 1000);
    try {
        KxReadQuantities(table, "qty", 1, 25000, INT32_MAX);
        FAIL() << "counted";
    } catch (const EKxQuantityError& e) {
        // 2^62 / (100,000 x (2^31 - 1)) records fit.
        EXPECT_EQ(e.Message(), "the quantities of table \"big\" from record 1 to 21475, times 2147483647 "
                               "repetition(s), add up to more than 4611686018427387904 labels");
    }
    EXPECT_EQ(table.ReadLimit(), 0);
}

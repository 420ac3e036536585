#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <vector>

#include "common/DBTestDatabase.h"
#include "common/PageRecording.h"
#include "elements/KxText.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPreviewPages.h"
#include "label/KxPrintRun.h"
#include "label/KxQuantities.h"

namespace {

// A bill of materials: records with keys 11, 12, 13... named A, B, C..., each with a quantity of the
// column type the case gives, on a label that shows the name.
struct TBomLabel {
    explicit TBomLabel(TTestEngine Engine)
        : Db(Engine) {}
    bool Fill(const QString& QtyType, const std::vector<QVariant>& Quantities) {
        if (!Db.Exec(QStringLiteral("CREATE TABLE bom (id INTEGER PRIMARY KEY, name VARCHAR(20), qty %1)")
                         .arg(QtyType)))
            return false;
        std::vector<QVariantList> rows;
        for (size_t i = 0; i < Quantities.size(); ++i)
            rows.push_back(
                {static_cast<int>(11 + i), QString(QChar(u'A' + static_cast<char16_t>(i))), Quantities[i]});
        if (!Db.Insert(QStringLiteral("bom"), {"id", "name", "qty"}, rows)) return false;
        Label.GetTable()->SetDatabaseName(Db.Alias());
        Label.GetTable()->SetTableName(QStringLiteral("bom"));
        Label.SetDaBa(true);
        auto text = std::make_unique<TKxText>(&Label);
        text->P2 = {400, 60};
        text->Field = QStringLiteral("name");
        text->DataBase = true;
        Label.AddElement(std::move(text));
        return true;
    }
    TTestDatabase Db;
    TKxLabel Label;
};

TKxRunSettings QuantityRun(int32_t FirstLab, int32_t LastLab, int32_t Repetition,
                           const QString& Field = "qty") {
    TKxRunSettings s;
    s.FirstLab = FirstLab;
    s.LastLab = LastLab;
    s.Repetition = Repetition;
    s.QuantityField = Field;
    return s;
}

// The names a run prints, sheet by sheet in cell order, and its sheets.
struct TPrinted {
    QStringList Names;
    std::vector<QByteArray> Sheets;
};

TPrinted Record(TKxLabel& Label, const TKxRunSettings& Settings) {
    TPrinted p;
    TKxPrintRun(Label, Settings).Record([&](std::unique_ptr<TMetafile> Page) {
        for (const TRecordedOp& op : RecordedOps(*Page, TMetaOp::Text))
            p.Names.append(op.Text);
        p.Sheets.push_back(Page->SaveToEmf());
    });
    return p;
}

class TQuantityEngineTest : public ::testing::TestWithParam<TTestEngine> {
protected:
    void SetUp() override {
        QString reason;
        if (!TTestDatabase::Configured(GetParam(), &reason)) GTEST_SKIP() << reason.toStdString();
        FBom = std::make_unique<TBomLabel>(GetParam());
    }
    std::unique_ptr<TBomLabel> FBom;
};

struct TGoodCase {
    const char* Type;
    std::vector<QVariant> Quantities;
    int32_t FirstLab;
    int32_t LastLab;
    int32_t Repetition;
    const char* Printed;
};

class KxQuantityRun : public TQuantityEngineTest {};

} // namespace

TEST_P(KxQuantityRun, EachRecordPrintsItsQuantityTimesTheRepetitionsInOrder) {
    const std::vector<TGoodCase> cases{
        {"INTEGER", {3, 0, 2}, 1, 3, 2, "A A A A A A C C C C"},
        {"INTEGER", {3, 0, 2}, 1, 3, 1, "A A A C C"},
        {"INTEGER", {0, 0, 1, 0}, 1, 4, 3, "C C C"},
        {"INTEGER", {2, 1, 2, 5}, 2, 3, 1, "B C C"},
        {"VARCHAR(20)", {"3", " 0 ", "+2"}, 1, 3, 2, "A A A A A A C C C C"},
        {"NUMERIC(10,2)", {3.0, 0, 2.0}, 1, 3, 1, "A A A C C"},
        {"INTEGER", {1, 2}, 1, 9, 1, "A B B"},
        {"INTEGER", {0, 0, 0}, 1, 3, 4, ""},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const TGoodCase& c = cases[i];
        TBomLabel bom(GetParam());
        ASSERT_TRUE(bom.Fill(c.Type, c.Quantities)) << i;
        const TPrinted p = Record(bom.Label, QuantityRun(c.FirstLab, c.LastLab, c.Repetition));
        EXPECT_EQ(p.Names.join(u' '), QString::fromUtf8(c.Printed)) << "case " << i;
        // The plan counts what prints.
        TKxRunSettings s = QuantityRun(c.FirstLab, c.LastLab, c.Repetition);
        KxLoadQuantities(bom.Label, s);
        EXPECT_EQ(TKxRunPlan::Of(s, *bom.Label.GetMeasure(), true).Labels, p.Names.size()) << "case " << i;
    }
}

struct TBadCase {
    const char* Type;
    QVariant Value;
    const char* Says;
};

TEST_P(KxQuantityRun, ABadQuantityStopsTheRunBeforeAnySheetNamingTheRecordAndItsKey) {
    const std::vector<TBadCase> cases{
        {"INTEGER", -1, "holds -1, which is negative"},
        {"VARCHAR(20)", "abc", "holds \"abc\", which is not a whole number"},
        {"VARCHAR(20)", "2.5", "holds \"2.5\", which is not a whole number"},
        {"VARCHAR(20)", "", "which is not a whole number"},
        {"NUMERIC(10,2)", 2.5, "which is not a whole number"},
        {"DOUBLE PRECISION", 0.5, "holds 0.5, which is not a whole number"},
        {"INTEGER", 100001, "holds 100001, more than a record may print"},
        {"VARCHAR(40)", "99999999999999999999999", "more than a record may print"},
        {"INTEGER", QVariant(), "is empty (NULL)"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const TBadCase& c = cases[i];
        TBomLabel bom(GetParam());
        ASSERT_TRUE(bom.Fill(c.Type, {1, c.Value, 1})) << i;
        int sheets = 0;
        try {
            TKxPrintRun(bom.Label, QuantityRun(1, 3, 2)).Record([&](std::unique_ptr<TMetafile>) {
                ++sheets;
            });
            ADD_FAILURE() << "case " << i << " printed";
        } catch (const EKxQuantityError& e) {
            const QString text = e.Message();
            EXPECT_TRUE(
                text.startsWith(QStringLiteral("record 2 (id = 12) of table \"bom\": the quantity field "
                                               "\"qty\" ")))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.Says))) << text.toStdString();
            EXPECT_TRUE(text.endsWith(QStringLiteral("a record prints 0 to 100000 labels")))
                << text.toStdString();
        }
        EXPECT_EQ(sheets, 0) << "case " << i;
        EXPECT_FALSE(bom.Label.GetTable()->Active()) << "case " << i;
    }
}

// Three parts of a run cut at sheet boundaries are the whole run; the preview draws the run's sheets.
TEST_P(KxQuantityRun, PartsAndThePreviewDrawTheWholeRunsSheets) {
    std::vector<QVariant> quantities;
    for (int i = 0; i < 24; ++i)
        quantities.emplace_back(i * 7 % 5);
    ASSERT_TRUE(FBom->Fill("INTEGER", quantities));
    for (const auto& [row, col, from, to, rep] : {std::tuple{1, 1, 1, 24, 1}, std::tuple{3, 2, 2, 20, 2},
                                                  std::tuple{7, 3, 5, 24, 3}, std::tuple{1, 2, 1, 3, 1}}) {
        TKxRunSettings whole = QuantityRun(from, to, rep);
        whole.FirstRow = row;
        whole.FirstCol = col;
        const TPrinted all = Record(FBom->Label, whole);
        TKxRunSettings loaded = whole;
        KxLoadQuantities(FBom->Label, loaded);
        FBom->Label.CloseData();
        const TKxMeasure& measure = *FBom->Label.GetMeasure();
        const TKxRunPlan plan = TKxRunPlan::Of(loaded, measure, true);
        ASSERT_EQ(plan.Sheets, static_cast<int64_t>(all.Sheets.size())) << row << col << from << to << rep;
        TPrinted joined;
        for (int k = 1; k <= 3; ++k)
            if (const std::optional<TKxRunSettings> part = TKxRunPlan::Part(loaded, measure, true, k, 3)) {
                const TPrinted p = Record(FBom->Label, *part);
                joined.Names += p.Names;
                joined.Sheets.insert(joined.Sheets.end(), p.Sheets.begin(), p.Sheets.end());
            }
        EXPECT_EQ(joined.Names, all.Names) << row << col << from << to << rep;
        EXPECT_EQ(joined.Sheets, all.Sheets) << row << col << from << to << rep;
        TKxPreviewPages preview(FBom->Label, whole);
        ASSERT_EQ(preview.Count(), plan.Sheets);
        for (int64_t n = preview.Count(); n >= 1; --n)
            EXPECT_EQ(preview.Page(n)->SaveToEmf(), all.Sheets[static_cast<size_t>(n - 1)]) << "sheet " << n;
    }
}

KXLAB_INSTANTIATE_ENGINES(KxQuantityRun);

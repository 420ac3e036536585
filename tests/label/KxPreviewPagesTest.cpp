#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "base/KxError.h"
#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "db/Table.h"
#include "elements/KxRect.h"
#include "elements/KxText.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPreviewPages.h"
#include "label/KxPrintRun.h"
#include "metafile/Metafile.h"

namespace {

// A label showing field "name" of table items, records "R1" to "R100", beside a rectangle.
struct TItemsLabel {
    TTestDatabase Db{TTestEngine::SQLite};
    TKxLabel Label;
    TItemsLabel() {
        Db.Exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(20))"));
        std::vector<QVariantList> rows;
        for (int i = 1; i <= 100; ++i)
            rows.push_back({i, QStringLiteral("R%1").arg(i)});
        Db.Insert(QStringLiteral("items"), {QStringLiteral("id"), QStringLiteral("name")}, rows);
        Label.GetTable()->SetDatabaseName(Db.Alias());
        Label.GetTable()->SetTableName(QStringLiteral("items"));
        Label.SetDaBa(true);
        auto text = std::make_unique<TKxText>(&Label);
        text->P1 = {10, 10};
        text->P2 = {500, 60};
        text->Field = QStringLiteral("name");
        text->DataBase = true;
        Label.AddElement(std::move(text));
        auto rect = std::make_unique<TKxRect>(&Label);
        rect->P1 = {0, 0};
        rect->P2 = {100, 50};
        Label.AddElement(std::move(rect));
    }
};

TKxRunSettings Settings(int32_t Row, int32_t Col, int32_t FirstLab, int32_t LastLab, int32_t Repetition,
                        bool UseData = true) {
    TKxRunSettings s;
    s.FirstRow = Row;
    s.FirstCol = Col;
    s.FirstLab = FirstLab;
    s.LastLab = LastLab;
    s.Labs = 50;
    s.Repetition = Repetition;
    s.UseData = UseData;
    return s;
}

} // namespace

// Sheets drawn on demand, in any order, are the sheets the whole run records, byte for byte.
TEST(KxPreviewPages, SheetsDrawnOnDemandAreTheWholeRunsSheets) {
    TItemsLabel s;
    for (const TKxRunSettings& run :
         {Settings(1, 1, 1, 100, 1), Settings(3, 2, 7, 60, 2), Settings(7, 4, 90, 110, 1),
          Settings(8, 2, 1, 30, 3), Settings(2, 3, 1, 1, 1, false)}) {
        std::vector<QByteArray> whole;
        TKxPrintRun(s.Label, run).Record([&](std::unique_ptr<TMetafile> P) {
            whole.push_back(P->SaveToEmf());
        });
        TKxPreviewPages pages(s.Label, run);
        ASSERT_EQ(pages.Count(), static_cast<int64_t>(whole.size())) << run.FirstRow << "," << run.FirstCol;
        std::vector<int64_t> order;
        for (int64_t n = pages.Count(); n >= 1; n -= 2)
            order.push_back(n);
        for (int64_t n = 1; n <= pages.Count(); ++n)
            order.push_back(n);
        for (const int64_t n : order)
            EXPECT_EQ(pages.Page(n)->SaveToEmf(), whole[static_cast<size_t>(n - 1)]) << "sheet " << n;
        EXPECT_EQ(pages.Page(0), nullptr);
        EXPECT_EQ(pages.Page(pages.Count() + 1), nullptr);
    }
    EXPECT_FALSE(s.Label.GetTable()->Active());
}

// The pages show the label as it was when the preview began; a sheet whose table is gone is an error
// when it is asked for, and the sheets held are still shown.
TEST(KxPreviewPages, PagesKeepThePreviewedLabelAndASheetThatCannotBeDrawnRaises) {
    TItemsLabel s;
    std::vector<QByteArray> whole;
    TKxPrintRun(s.Label, Settings(1, 1, 1, 100, 1)).Record([&](std::unique_ptr<TMetafile> P) {
        whole.push_back(P->SaveToEmf());
    });
    TKxPreviewPages pages(s.Label, Settings(1, 1, 1, 100, 1));
    s.Label.GetMeasure()->SetNuHor(2);
    s.Label.AddElement(std::make_unique<TKxRect>(&s.Label));
    EXPECT_EQ(pages.Count(), 5);
    EXPECT_EQ(pages.Page(2)->SaveToEmf(), whole[1]);
    s.Db.Exec(QStringLiteral("DROP TABLE items"));
    const TMessageCapture messages;
    EXPECT_THROW(pages.Page(5), EKxError);
    EXPECT_EQ(pages.Page(2)->SaveToEmf(), whole[1]);
}

#include "designer/KxAlias.h"

#include <gtest/gtest.h>
#include <QStringList>

#include "platform/InvalidOperation.h"
#include "platform/Messages.h"

namespace {

// A catalogue: alias names, each with "name|caption" table entries (caption set only when given).
void Fill(TKxAlias& Alias, const std::vector<std::pair<QString, QStringList>>& Entries) {
    for (const auto& [name, tables] : Entries) {
        TKxAliasItem* item = Alias.Add();
        item->SetName(name);
        for (const QString& table : tables) {
            TKxTableItem* entry = item->GetTables()->Add();
            entry->SetName(table.section('|', 0, 0));
            if (table.contains('|')) entry->SetCaption(table.section('|', 1));
        }
    }
}

QStringList Names(const TKxAlias& Alias) {
    QStringList names;
    for (int i = 0; i < Alias.Count(); ++i)
        names << Alias.Items(i)->GetName();
    return names;
}

QStringList Tables(const TKxAliasItem& Item) {
    QStringList tables;
    for (int i = 0; i < Item.GetTables()->Count(); ++i)
        tables << Item.GetTables()->Items(i)->GetName() + '|' + Item.GetTables()->Items(i)->GetCaption();
    return tables;
}

} // namespace

TEST(KxTableItemNaming, NameFillsAnEmptyCaptionOnly) {
    TKxTableItem item;
    item.SetName("Alpha");
    EXPECT_EQ(item.GetCaption(), "Alpha");
    item.SetName("Beta");
    EXPECT_EQ(item.GetName(), "Beta");
    EXPECT_EQ(item.GetCaption(), "Alpha");
    item.SetCaption("");
    item.SetName("Gamma");
    EXPECT_EQ(item.GetCaption(), "Gamma");
}

TEST(KxTableItemNaming, CaptionChangesOnlyCaption) {
    TKxTableItem item;
    item.SetCaption("Customers");
    item.SetName("cust.db");
    EXPECT_EQ(item.GetName(), "cust.db");
    EXPECT_EQ(item.GetCaption(), "Customers");
}

TEST(KxCatalogueDisplayName, NameOrTheClassName) {
    TKxAlias alias;
    TKxAliasItem* item = alias.Add();
    TKxTableItem* table = item->GetTables()->Add();
    EXPECT_EQ(item->GetDisplayName(), "TKxAliasItem");
    EXPECT_EQ(table->GetDisplayName(), "TKxTableItem");
    item->SetName("Shop");
    table->SetName("cust.db");
    table->SetCaption("Customers");
    EXPECT_EQ(item->GetDisplayName(), "Shop");
    EXPECT_EQ(table->GetDisplayName(), "cust.db");
}

TEST(KxCatalogueCollection, OwnersAndIndexes) {
    QObject control;
    TKxAlias alias(&control);
    EXPECT_EQ(alias.GetOwner(), &control);
    EXPECT_EQ(alias.Count(), 0);
    TKxAliasItem* a = alias.Add();
    TKxAliasItem* b = alias.Add();
    EXPECT_EQ(alias.Count(), 2);
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(b->GetCollection(), &alias);
    EXPECT_EQ(alias.Items(1), b);
    EXPECT_EQ(b->GetTables()->GetOwner(), b);
    EXPECT_EQ(b->GetTables()->Add()->GetCollection(), b->GetTables());
    alias.Delete(0);
    EXPECT_EQ(b->Index(), 0);
    EXPECT_EQ(TKxTableItem().Index(), -1);
    EXPECT_THROW(alias.Items(1), EInvalidOperation);
    EXPECT_THROW(alias.Items(-1), EInvalidOperation);
    EXPECT_THROW(alias.Delete(3), EInvalidOperation);
}

TEST(KxCatalogueAssign, AliasItemCopiesNameOnly) {
    TKxAlias source, target;
    Fill(source, {{"Shop", {"cust.db|Customers"}}});
    Fill(target, {{"Old", {"orders"}}});
    target.SetItems(0, *source.Items(0));
    EXPECT_EQ(target.Items(0)->GetName(), "Shop");
    EXPECT_EQ(Tables(*target.Items(0)), QStringList{"orders|orders"});
}

TEST(KxCatalogueAssign, CatalogueCopiesNamesInOrderWithoutTables) {
    TKxAlias source, target;
    Fill(source, {{"A", {"t1|One"}}, {"B", {}}, {"C", {"t2"}}});
    Fill(target, {{"Z", {"x"}}});
    target.Assign(source);
    EXPECT_EQ(Names(target), (QStringList{"A", "B", "C"}));
    for (int i = 0; i < target.Count(); ++i)
        EXPECT_EQ(target.Items(i)->GetTables()->Count(), 0) << i;
    EXPECT_EQ(Tables(*source.Items(0)), QStringList{"t1|One"});
    target.Assign(target);
    EXPECT_EQ(target.Count(), 3);
}

TEST(KxCatalogueAssign, TableItemTakesTheSourceCaptionEvenEmpty) {
    TKxTableItem source, target;
    source.SetName("cust.db");
    source.SetCaption("");
    target.Assign(source);
    EXPECT_EQ(target.GetName(), "cust.db");
    EXPECT_EQ(target.GetCaption(), "");

    TKxTableItem renamed;
    renamed.SetName("orders");
    renamed.SetCaption("Orders");
    target.Assign(renamed);
    EXPECT_EQ(target.GetCaption(), "Orders");
}

TEST(KxCatalogueAssign, TablesCopyEveryEntry) {
    TKxAlias source;
    Fill(source, {{"Shop", {"cust.db|Customers", "orders", "parts|"}}});
    TKxAliasItem target;
    target.SetTables(source.Items(0)->GetTables());
    EXPECT_EQ(Tables(target), (QStringList{"cust.db|Customers", "orders|orders", "parts|"}));
    target.SetTables(nullptr);
    EXPECT_EQ(target.GetTables()->Count(), 3);
}

TEST(KxCatalogueAssign, OtherKindsAreRefused) {
    TKxAliasItem alias;
    TKxTableItem table;
    alias.SetName("Keep");
    EXPECT_THROW(alias.Assign(table), EInvalidOperation);
    EXPECT_THROW(table.Assign(alias), EInvalidOperation);
    EXPECT_EQ(alias.GetName(), "Keep");
    TKxAlias catalogue;
    Fill(catalogue, {{"Keep", {}}});
    TKxTables tables;
    EXPECT_THROW(catalogue.Assign(tables), EInvalidOperation);
    EXPECT_EQ(catalogue.Count(), 1);
}

TEST(KxCatalogueText, RoundTripsEveryDetail) {
    TKxAlias source;
    Fill(source, {{"Shop", {"cust.db|Customers", "orders", "parts|"}}, {"", {}}, {"Ünïcode \"q\"", {"a|b"}}});
    const QString text = source.GetCatalogue();
    TKxAlias copy;
    ASSERT_TRUE(copy.SetCatalogue(text));
    EXPECT_EQ(Names(copy), Names(source));
    for (int i = 0; i < source.Count(); ++i)
        EXPECT_EQ(Tables(*copy.Items(i)), Tables(*source.Items(i))) << i;
    EXPECT_EQ(copy.GetCatalogue(), text);
}

TEST(KxCatalogueText, HandWrittenTextFollowsTheNameRule) {
    TKxAlias alias;
    ASSERT_TRUE(alias.SetCatalogue(R"([{"Name":"Shop","Tables":[{"Name":"cust.db"},
        {"Name":"orders","Caption":"Orders"}]},{"Name":"Stock"}])"));
    EXPECT_EQ(Names(alias), (QStringList{"Shop", "Stock"}));
    EXPECT_EQ(Tables(*alias.Items(0)), (QStringList{"cust.db|cust.db", "orders|Orders"}));
    EXPECT_EQ(alias.Items(1)->GetTables()->Count(), 0);
    ASSERT_TRUE(alias.SetCatalogue(" "));
    EXPECT_EQ(alias.Count(), 0);
    EXPECT_EQ(alias.GetCatalogue(), "");
}

class KxCatalogueBadText : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(KxCatalogueBadText, IsReportedAndChangesNothing) {
    TKxAlias alias;
    Fill(alias, {{"Keep", {"t"}}});
    TMessageCapture capture;
    EXPECT_FALSE(alias.SetCatalogue(QString::fromUtf8(GetParam().first)));
    ASSERT_EQ(capture.Messages.size(), 1);
    EXPECT_TRUE(capture.Messages[0].startsWith("Invalid alias catalogue: "))
        << capture.Messages[0].toStdString();
    EXPECT_TRUE(capture.Messages[0].contains(GetParam().second)) << capture.Messages[0].toStdString();
    EXPECT_EQ(Names(alias), QStringList{"Keep"});
    EXPECT_EQ(alias.Items(0)->GetTables()->Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KxCatalogueBadText,
    testing::Values(std::pair{"[{\"Name\":\"A\"", "offset"}, std::pair{"{\"Name\":\"A\"}", "array"},
                    std::pair{"[\"A\"]", "alias entry 1: not an object"},
                    std::pair{"[{\"Name\":\"A\"},{\"Nmae\":\"B\"}]", "alias entry 2: unknown key \"Nmae\""},
                    std::pair{"[{\"Name\":1}]", "\"Name\" must be a string"},
                    std::pair{"[{\"Name\":\"A\",\"Tables\":{}}]", "\"Tables\" must be an array"},
                    std::pair{"[{\"Name\":\"A\",\"Tables\":[{\"Name\":\"t\",\"Caption\":null}]}]",
                              "alias entry 1, table entry 1: \"Caption\" must be a string"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

#include "label/KxAlias.h"

#include <gtest/gtest.h>
#include <QStringList>

#include "base/InvalidOperation.h"
#include "base/Messages.h"

namespace {

// Builds a catalogue from "alias:table|caption,table" lines; a caption is set only when written.
void Fill(TKxAlias& Alias, const QStringList& Lines) {
    for (const QString& line : Lines) {
        TKxAliasItem* item = Alias.Add();
        item->SetName(line.section(':', 0, 0));
        for (const QString& table : line.section(':', 1).split(',', Qt::SkipEmptyParts)) {
            TKxTableItem* entry = item->GetTables()->Add();
            entry->SetName(table.section('|', 0, 0));
            if (table.contains('|')) entry->SetCaption(table.section('|', 1));
        }
    }
}

// The catalogue in the same notation, every caption written out.
QStringList Lines(const TKxAlias& Alias) {
    QStringList lines;
    for (int i = 0; i < Alias.Count(); ++i) {
        QStringList tables;
        const TKxTables* t = Alias.Items(i)->GetTables();
        for (int j = 0; j < t->Count(); ++j)
            tables << t->Items(j)->GetName() + '|' + t->Items(j)->GetCaption();
        lines << Alias.Items(i)->GetName() + ':' + tables.join(',');
    }
    return lines;
}

} // namespace

TEST(KxCatalogueNames, CaptionFollowsNameOnlyWhileEmpty) {
    TKxTableItem item;
    item.SetName("Alpha");
    EXPECT_EQ(item.GetCaption(), "Alpha");
    item.SetName("Beta");
    EXPECT_EQ(item.GetCaption(), "Alpha");
    item.SetCaption("");
    item.SetName("Gamma");
    EXPECT_EQ(item.GetCaption(), "Gamma");
    item.SetCaption("Customers");
    EXPECT_EQ(item.GetName(), "Gamma");
}

TEST(KxCatalogueNames, DisplayNameIsTheNameOrTheClassName) {
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

TEST(KxCatalogueCollection, OwnersIndexesAndRange) {
    QObject control;
    TKxAlias alias(&control);
    EXPECT_EQ(alias.GetOwner(), &control);
    TKxAliasItem* a = alias.Add();
    TKxAliasItem* b = alias.Add();
    EXPECT_EQ(alias.Items(1), b);
    EXPECT_EQ(b->GetCollection(), &alias);
    EXPECT_EQ(b->GetTables()->GetOwner(), b);
    EXPECT_EQ(b->GetTables()->Add()->GetCollection(), b->GetTables());
    EXPECT_EQ(a->Index(), 0);
    alias.Delete(0);
    EXPECT_EQ(b->Index(), 0);
    EXPECT_EQ(TKxTableItem().Index(), -1);
    EXPECT_THROW(alias.Items(1), EInvalidOperation);
    EXPECT_THROW(alias.Items(-1), EInvalidOperation);
    EXPECT_THROW(alias.Delete(3), EInvalidOperation);
}

TEST(KxCatalogueAssign, AliasEntriesCopyNamesOnly) {
    TKxAlias source, target;
    Fill(source, {"A:t1|One", "B:", "C:t2"});
    Fill(target, {"Z:x"});
    target.SetItems(0, *source.Items(0));
    EXPECT_EQ(Lines(target), QStringList{"A:x|x"});
    target.Assign(source);
    EXPECT_EQ(Lines(target), (QStringList{"A:", "B:", "C:"}));
    target.Assign(target);
    EXPECT_EQ(target.Count(), 3);
}

TEST(KxCatalogueAssign, TableEntriesTakeNameThenCaption) {
    TKxAlias source;
    Fill(source, {"Shop:cust.db|Customers,orders,parts|"});
    TKxAliasItem target;
    target.GetTables()->Add()->SetName("old");
    target.SetTables(source.Items(0)->GetTables());
    target.SetTables(nullptr);
    TKxAlias shown;
    shown.Add()->SetTables(target.GetTables());
    // parts keeps its empty caption: Assign sets it after the name.
    EXPECT_EQ(Lines(shown), QStringList{":cust.db|Customers,orders|orders,parts|"});
}

TEST(KxCatalogueAssign, OtherKindsAreRefusedUnchanged) {
    TKxAliasItem alias;
    TKxTableItem table;
    alias.SetName("Keep");
    EXPECT_THROW(alias.Assign(table), EInvalidOperation);
    EXPECT_THROW(table.Assign(alias), EInvalidOperation);
    EXPECT_EQ(alias.GetName(), "Keep");
    TKxAlias catalogue;
    Fill(catalogue, {"Keep:"});
    EXPECT_THROW(catalogue.Assign(TKxTables()), EInvalidOperation);
    EXPECT_EQ(catalogue.Count(), 1);
}

TEST(KxCatalogueText, RoundTripsAndFollowsTheNameRule) {
    TKxAlias source;
    Fill(source, {"Shop:cust.db|Customers,orders,parts|", ":", "Ünï \"q\":a|b"});
    TKxAlias copy;
    ASSERT_TRUE(copy.SetCatalogue(source.GetCatalogue()));
    EXPECT_EQ(Lines(copy), Lines(source));

    ASSERT_TRUE(copy.SetCatalogue(R"([{"Name":"Shop","Tables":[{"Name":"cust.db"},{"Name":"o","Caption":""}]},
                                     {"Name":"Stock"}])"));
    EXPECT_EQ(Lines(copy), (QStringList{"Shop:cust.db|cust.db,o|", "Stock:"}));
    ASSERT_TRUE(copy.SetCatalogue(" "));
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copy.GetCatalogue(), "");
}

class KxCatalogueBadText : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(KxCatalogueBadText, IsReportedAndChangesNothing) {
    TKxAlias alias;
    Fill(alias, {"Keep:t"});
    TMessageCapture capture;
    EXPECT_FALSE(alias.SetCatalogue(QString::fromUtf8(GetParam().first)));
    ASSERT_EQ(capture.Messages.size(), 1);
    EXPECT_TRUE(capture.Messages[0].startsWith("Invalid alias catalogue: "))
        << capture.Messages[0].toStdString();
    EXPECT_TRUE(capture.Messages[0].contains(GetParam().second)) << capture.Messages[0].toStdString();
    EXPECT_EQ(Lines(alias), QStringList{"Keep:t|t"});
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

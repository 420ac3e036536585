#include "designer/KxLab.h"

#include <gtest/gtest.h>
#include <tuple>

#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/Table.h"

TEST(KxLabBinding, NewControlHasNoBinding) {
    TKxLab lab;
    EXPECT_FALSE(lab.GetDaBa());
    EXPECT_FALSE(lab.GetDataValid());
    ASSERT_NE(lab.GetTable(), nullptr);
    EXPECT_TRUE(lab.GetTable()->DatabaseName().isEmpty());
    EXPECT_TRUE(lab.GetTable()->TableName().isEmpty());
    EXPECT_TRUE(lab.GetTable()->Filter().isEmpty());
    ASSERT_NE(lab.GetAlias(), nullptr);
    EXPECT_EQ(lab.GetAlias()->Count(), 0);
    EXPECT_EQ(lab.GetAlias()->GetOwner(), lab.Label());
}

TEST(KxLabBinding, SettersCopyIntoTheOwnedObjects) {
    TKxLab lab;
    TTable* owned = lab.GetTable();
    TTable source;
    source.SetDatabaseName("Shop");
    source.SetTableName("cust.db");
    source.SetFilter("([City] = 'Lima')");
    source.SetFiltered(true);
    lab.SetTable(&source);
    EXPECT_EQ(lab.GetTable(), owned);
    EXPECT_EQ(owned->DatabaseName(), "Shop");
    EXPECT_EQ(owned->TableName(), "cust.db");
    EXPECT_EQ(owned->Filter(), "([City] = 'Lima')");
    EXPECT_TRUE(owned->Filtered());

    TKxAlias catalogue;
    catalogue.Add()->SetName("Shop");
    catalogue.Items(0)->GetTables()->Add()->SetName("cust.db");
    TKxAlias* ownedAlias = lab.GetAlias();
    lab.SetAlias(&catalogue);
    EXPECT_EQ(lab.GetAlias(), ownedAlias);
    ASSERT_EQ(ownedAlias->Count(), 1);
    EXPECT_EQ(ownedAlias->Items(0)->GetName(), "Shop");
    EXPECT_EQ(ownedAlias->Items(0)->GetTables()->Count(), 0);
    lab.SetAlias(nullptr);
    EXPECT_EQ(ownedAlias->Count(), 1);
}

TEST(KxLabBinding, CatalogueTravelsAsAProperty) {
    TKxLab lab;
    const QString text = R"([{"Name":"Shop","Tables":[{"Caption":"Customers","Name":"cust.db"}]}])";
    ASSERT_TRUE(lab.setProperty("AliasCatalogue", text));
    EXPECT_EQ(lab.GetAlias()->Items(0)->GetTables()->Items(0)->GetCaption(), "Customers");
    EXPECT_EQ(lab.property("AliasCatalogue").toString(), text);
    EXPECT_EQ(lab.property("Alias").value<TKxAlias*>(), lab.GetAlias());
}

TEST(KxLabBinding, NoDataOrNoTableAnswersFalseQuietly) {
    TKxLab lab;
    TMessageCapture capture;
    EXPECT_FALSE(lab.ValidData());
    lab.SetDaBa(true);
    for (const auto& [alias, table] : {std::pair{"", ""}, std::pair{"Shop", ""}, std::pair{"", "cust.db"}}) {
        TTable source;
        source.SetDatabaseName(alias);
        source.SetTableName(table);
        lab.SetTable(&source);
        EXPECT_FALSE(lab.ValidData());
        EXPECT_FALSE(lab.GetDataValid());
    }
    EXPECT_TRUE(capture.Messages.isEmpty());
}

class KxLabValidData : public TEngineTest {
protected:
    void SetUp() override {
        TEngineTest::SetUp();
        if (IsSkipped() || HasFailure()) return;
        ASSERT_TRUE(FDb->CreateProducts());
        Bind(FDb->Alias(), "products", "([qty] >= 0)");
    }

    void Bind(const QString& Alias, const QString& Table, const QString& Filter) {
        TTable source;
        source.SetDatabaseName(Alias);
        source.SetTableName(Table);
        source.SetFilter(Filter);
        FLab.GetTable()->Close();
        FLab.SetTable(&source);
    }

    // The message the database layer gives for opening the lab's current binding.
    QString LayerMessage() {
        TTable probe;
        probe.Assign(*FLab.GetTable());
        probe.SetFiltered(true);
        try {
            probe.Open();
        } catch (const EDBEngineError& e) {
            return e.Message();
        }
        return {};
    }

    TKxLab FLab;
    TMessageCapture FCapture;
};

TEST_P(KxLabValidData, OpensFilteredAndStaysOpen) {
    EXPECT_FALSE(FLab.GetTable()->Filtered());
    EXPECT_FALSE(FLab.ValidData());
    FLab.SetDaBa(true);
    EXPECT_TRUE(FLab.ValidData());
    EXPECT_TRUE(FLab.GetDataValid());
    EXPECT_TRUE(FLab.GetTable()->Active());
    EXPECT_TRUE(FLab.GetTable()->Filtered());
    EXPECT_EQ(ReadFieldTexts(*FLab.GetTable(), "id"), (QStringList{"5", "7", "9"}));
    EXPECT_TRUE(FLab.ValidData());
    EXPECT_TRUE(FCapture.Messages.isEmpty());
    FLab.SetDaBa(false);
    EXPECT_FALSE(FLab.ValidData());
    EXPECT_FALSE(FLab.GetDataValid());
}

TEST_P(KxLabValidData, OpeningFailureShowsTheLayerMessage) {
    FLab.SetDaBa(true);
    ASSERT_TRUE(FLab.ValidData());
    // An unknown table, a filter on a field the table lacks, an unknown alias.
    for (const auto& [alias, table, filter, named] :
         {std::tuple{FDb->Alias(), "absent", "", "absent"},
          std::tuple{FDb->Alias(), "products", "([colour] = 1)", "colour"},
          std::tuple{QString("no-such-alias"), "products", "", "no-such-alias"}}) {
        Bind(alias, table, filter);
        const QString expected = LayerMessage();
        EXPECT_TRUE(expected.contains(named)) << expected.toStdString();
        FCapture.Messages.clear();
        EXPECT_FALSE(FLab.ValidData());
        EXPECT_FALSE(FLab.GetDataValid());
        EXPECT_EQ(FCapture.Messages, QStringList{expected});
        EXPECT_FALSE(FLab.GetTable()->Active());
    }
}

KXLAB_INSTANTIATE_ENGINES(KxLabValidData);

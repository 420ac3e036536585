#include "elements/KxFieldValues.h"

#include <gtest/gtest.h>

#include "common/DBTestDatabase.h"
#include "db/DBEngineError.h"
#include "db/Table.h"

using KxFieldValues = TProductsTest;

TEST_P(KxFieldValues, FollowTheCurrentRecord) {
    // Records in key order: 2 O'Hara, 4 all NULL, 5 Apple.
    EXPECT_EQ(KxFieldText(FTable, "name"), "O'Hara");
    EXPECT_EQ(KxFieldText(FTable, "made"), "2023-12-31");
    EXPECT_FALSE(KxFieldBoolean(FTable, "instock"));
    EXPECT_TRUE(KxFieldPicture(FTable, "pic").isEmpty());
    FTable.Next();
    EXPECT_EQ(KxFieldText(FTable, "name"), "");
    EXPECT_FALSE(KxFieldBoolean(FTable, "instock"));
    FTable.Next();
    EXPECT_EQ(KxFieldText(FTable, "NAME"), "Apple");
    EXPECT_EQ(KxFieldText(FTable, "price"), "1.5");
    EXPECT_TRUE(KxFieldBoolean(FTable, "instock"));
    EXPECT_TRUE(KxFieldBoolean(FTable, "qty"));
    EXPECT_EQ(KxFieldPicture(FTable, "pic"), TestPicture(1));
}

TEST_P(KxFieldValues, UnknownNameRaisesTheLayerError) {
    for (const auto& read :
         {+[](TTable& t) { KxFieldText(t, "colour"); }, +[](TTable& t) { KxFieldBoolean(t, "colour"); },
          +[](TTable& t) { KxFieldPicture(t, "colour"); }}) {
        try {
            read(FTable);
            ADD_FAILURE() << "no error for an unknown field";
        } catch (const EDBEngineError& e) {
            EXPECT_TRUE(e.Message().contains("colour")) << e.what();
        }
    }
}

KXLAB_INSTANTIATE_ENGINES(KxFieldValues);

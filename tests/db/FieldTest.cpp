#include "db/Field.h"

#include <gtest/gtest.h>

namespace {

struct TDeclaredCase {
    const char* Declared;
    TFieldType Type;
};

class FieldDeclaredType : public ::testing::TestWithParam<TDeclaredCase> {};

TEST_P(FieldDeclaredType, MapsToFieldType) {
    EXPECT_EQ(FieldTypeFromDeclared(QString::fromLatin1(GetParam().Declared)), GetParam().Type);
}

// SQLite's declared types and the server's type and domain names.
INSTANTIATE_TEST_SUITE_P(
    Types, FieldDeclaredType,
    ::testing::Values(
        TDeclaredCase{"INTEGER", TFieldType::Integer}, TDeclaredCase{"BIGINT", TFieldType::Integer},
        TDeclaredCase{"int8", TFieldType::Integer}, TDeclaredCase{"VARCHAR(40)", TFieldType::String},
        TDeclaredCase{"bpchar", TFieldType::String}, TDeclaredCase{"TEXT", TFieldType::String},
        TDeclaredCase{"", TFieldType::String}, TDeclaredCase{"REAL", TFieldType::Float},
        TDeclaredCase{"DOUBLE PRECISION", TFieldType::Float}, TDeclaredCase{"float4", TFieldType::Float},
        TDeclaredCase{"DECIMAL(10,2)", TFieldType::BCD}, TDeclaredCase{"numeric", TFieldType::BCD},
        TDeclaredCase{"MONEY", TFieldType::Currency}, TDeclaredCase{"BOOLEAN", TFieldType::Boolean},
        TDeclaredCase{"bool", TFieldType::Boolean}, TDeclaredCase{"DATE", TFieldType::Date},
        TDeclaredCase{"TIME", TFieldType::Time}, TDeclaredCase{"timetz", TFieldType::Time},
        TDeclaredCase{"DATETIME", TFieldType::DateTime}, TDeclaredCase{"timestamptz", TFieldType::DateTime},
        TDeclaredCase{"CLOB", TFieldType::Memo}, TDeclaredCase{"jsonb", TFieldType::Memo},
        TDeclaredCase{"BLOB", TFieldType::Blob}, TDeclaredCase{"bytea", TFieldType::Blob},
        TDeclaredCase{"GRAPHIC", TFieldType::Graphic}, TDeclaredCase{"image", TFieldType::Graphic},
        TDeclaredCase{"interval", TFieldType::String}, TDeclaredCase{"point", TFieldType::Unknown},
        TDeclaredCase{"WHATEVER", TFieldType::Unknown}));

} // namespace

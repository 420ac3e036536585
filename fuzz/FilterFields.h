#pragma once

#include <vector>

#include "db/FilterExpr.h"

/// The table the filter fuzz target and its seed corpus share: one field of every type, and names
/// that need quoting (a space, a double quote).
inline std::vector<TFilterField> FuzzFilterFields() {
    return {
        {"Name", TFieldType::String},       {"Note", TFieldType::Memo},     {"Qty", TFieldType::Integer},
        {"Price", TFieldType::Float},       {"Cost", TFieldType::Currency}, {"Two Words", TFieldType::BCD},
        {"InStock", TFieldType::Boolean},   {"Made", TFieldType::Date},     {"At", TFieldType::Time},
        {"Stamp", TFieldType::DateTime},    {"Pic", TFieldType::Graphic},   {"Raw", TFieldType::Blob},
        {"Say \"Hi\"", TFieldType::Unknown}};
}

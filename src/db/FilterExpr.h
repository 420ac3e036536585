#pragma once

#include "db/DBAlias.h"
#include "db/Field.h"

#include <memory>
#include <QString>
#include <QVariantList>
#include <vector>

/// A field as the filter parser sees it: the table's column name and type.
struct TFilterField {
    QString Name;
    TFieldType Type = TFieldType::Unknown;
};

/// A filter rendered for one engine: an SQL condition whose every literal is a bound value.
struct TFilterSql {
    QString Where;       ///< empty for an empty filter
    QVariantList Params; ///< one per ? in Where, in order
};

/// A record filter parsed into an expression tree and checked against a table's fields.
///
/// Grammar (keywords ignore letter case):
///     filter     := [ or ]
///     or         := and { OR and }
///     and        := not { AND not }
///     not        := NOT not | '(' or ')' | comparison
///     comparison := field op value | value op field | field IS [NOT] NULL
///     field      := '[' name ']' | bare-name
///     op         := '=' | '<>' | '<' | '>' | '<=' | '>='
///     value      := 'text' ('' is a quote) | number | TRUE | FALSE | NULL | nothing (NULL)
/// A value is compared with its field's type: a quoted ISO date against a date field, a number or a
/// numeric text against a number field, TRUE/FALSE/'True'/1 against a Boolean. On a non-text field an
/// empty value is NULL; '= NULL' means IS NULL. On a text field, = '' also matches NULL, because a NULL
/// shows as empty text. Errors raise EDBEngineError: "Invalid filter at position N: ...", N counted in
/// characters from 1.
class TFilterExpr {
public:
    static constexpr int MaxLength = 65536;    ///< characters of filter text
    static constexpr int MaxConditions = 1000; ///< comparisons in one filter
    static constexpr int MaxDepth = 64;        ///< nesting of parentheses and NOT

    TFilterExpr(const QString& text, std::vector<TFilterField> fields);
    ~TFilterExpr();
    TFilterExpr(const TFilterExpr&) = delete;
    TFilterExpr& operator=(const TFilterExpr&) = delete;

    /// True for a blank filter, which passes every record.
    bool IsEmpty() const;
    /// The condition for the engine, its identifiers double-quoted (never the filter's own text).
    TFilterSql Render(TDBDriver driver) const;
    /// The tree in prefix form, e.g. (AND (= [Name] 'Ann') (<= [Price] 1.5)).
    QString Dump() const;

    struct TNode;

private:
    std::vector<TFilterField> FFields;
    std::unique_ptr<TNode> FRoot;
};

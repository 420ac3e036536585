#include "db/FilterExpr.h"

#include "db/DBConnection.h"
#include "db/DBEngineError.h"

#include <algorithm>
#include <cmath>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <utility>

struct TFilterExpr::TNode {
    enum class TKind { And, Or, Not, Compare, IsNull, IsNotNull };
    TKind Kind = TKind::Compare;
    std::unique_ptr<TNode> Left;
    std::unique_ptr<TNode> Right;
    int Field = -1;
    QString Op;
    QVariant LocalValue;           // bound on SQLite, typed
    QString ServerText;            // bound on the server as text, typed there by the column it meets
    QString Shown;                 // the literal in Dump
    bool CastNumeric = false;      // an integer column compared with a fraction
    bool EmptyMatchesNull = false; // = '' on a text column
};

namespace {

using TNode = TFilterExpr::TNode;

enum class TTokenKind { End, Field, Word, String, Number, Op, LParen, RParen };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    QString Text;
    int Position = 0; // 1-based
};

[[noreturn]] void Fail(int position, const QString& text) {
    throw EDBEngineError(QStringLiteral("Invalid filter at position %1: %2").arg(position).arg(text));
}

QString Printable(QChar c) {
    return c.isPrint() ? QStringLiteral("'%1'").arg(c)
                       : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

std::vector<TToken> Tokenize(const QString& text) {
    std::vector<TToken> tokens;
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto isDigit = [&](qsizetype k) {
        return k < n && text.at(k) >= QLatin1Char('0') && text.at(k) <= QLatin1Char('9');
    };
    while (i < n) {
        const QChar c = text.at(i);
        const int pos = static_cast<int>(i) + 1;
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) Fail(pos, QStringLiteral("the field name has no closing ]"));
            const QString name = text.mid(i + 1, close - i - 1);
            if (name.trimmed().isEmpty()) Fail(pos, QStringLiteral("empty field name []"));
            tokens.push_back({TTokenKind::Field, name, pos});
            i = close + 1;
        } else if (c == QLatin1Char('\'')) {
            QString value = QStringLiteral(""); // not null: an empty text is a value, not NULL
            qsizetype k = i + 1;
            for (;;) {
                if (k >= n) Fail(pos, QStringLiteral("the text starting here has no closing quote"));
                if (text.at(k) == QLatin1Char('\'')) {
                    if (k + 1 < n && text.at(k + 1) == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        k += 2;
                        continue;
                    }
                    break;
                }
                value += text.at(k++);
            }
            tokens.push_back({TTokenKind::String, value, pos});
            i = k + 1;
        } else if (isDigit(i) ||
                   ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')) &&
                    (isDigit(i + 1) || (text.mid(i + 1, 1) == QLatin1String(".") && isDigit(i + 2))))) {
            qsizetype k = i + 1;
            while (k < n && (isDigit(k) || text.at(k) == QLatin1Char('.')))
                ++k;
            if (k < n && (text.at(k) == QLatin1Char('e') || text.at(k) == QLatin1Char('E'))) {
                qsizetype e = k + 1;
                if (e < n && (text.at(e) == QLatin1Char('+') || text.at(e) == QLatin1Char('-'))) ++e;
                if (isDigit(e)) {
                    k = e;
                    while (isDigit(k))
                        ++k;
                }
            }
            tokens.push_back({TTokenKind::Number, text.mid(i, k - i), pos});
            i = k;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype k = i + 1;
            while (k < n && (text.at(k).isLetterOrNumber() || text.at(k) == QLatin1Char('_')))
                ++k;
            tokens.push_back({TTokenKind::Word, text.mid(i, k - i), pos});
            i = k;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            QString op(c);
            if (i + 1 < n && c != QLatin1Char('=') &&
                (text.at(i + 1) == QLatin1Char('=') ||
                 (c == QLatin1Char('<') && text.at(i + 1) == QLatin1Char('>'))))
                op += text.at(i + 1);
            tokens.push_back({TTokenKind::Op, op, pos});
            i += op.size();
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            tokens.push_back(
                {c == QLatin1Char('(') ? TTokenKind::LParen : TTokenKind::RParen, QString(c), pos});
            ++i;
        } else {
            Fail(pos, QStringLiteral("unexpected character %1").arg(Printable(c)));
        }
    }
    tokens.push_back({TTokenKind::End, {}, static_cast<int>(n) + 1});
    return tokens;
}

bool IsKeyword(const TToken& t, const char* word) {
    return t.Kind == TTokenKind::Word && t.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool IsReserved(const TToken& t) {
    for (const char* w : {"AND", "OR", "NOT", "IS", "NULL", "TRUE", "FALSE"})
        if (IsKeyword(t, w)) return true;
    return false;
}

QString Mirror(const QString& op) {
    if (op == QLatin1String("<")) return QStringLiteral(">");
    if (op == QLatin1String(">")) return QStringLiteral("<");
    if (op == QLatin1String("<=")) return QStringLiteral(">=");
    if (op == QLatin1String(">=")) return QStringLiteral("<=");
    return op;
}

// A number from a literal or quoted text; a lone comma counts as the decimal separator.
bool ParseNumber(QString text, double& value) {
    text = text.trimmed();
    if (!text.contains(QLatin1Char('.'))) text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// The binders of literals, one per kind of field: each checks the literal against its field and
// keeps it in node as each engine binds it (LocalValue on SQLite, ServerText on the server).

bool IsTextType(TFieldType type) {
    return type == TFieldType::String || type == TFieldType::Memo || type == TFieldType::Unknown;
}

[[noreturn]] void WrongValue(const TToken& value, const TFilterField& f, const QString& expected) {
    Fail(value.Position, QStringLiteral("field \"%1\" needs %2").arg(f.Name, expected));
}

bool IsBooleanWord(const TToken& value) {
    return IsKeyword(value, "TRUE") || IsKeyword(value, "FALSE");
}

// NULL, or nothing, compares only for equality: = and <> become IS NULL and IS NOT NULL.
void BindNull(TNode& node, const TToken& value) {
    if (node.Op == QLatin1String("="))
        node.Kind = TNode::TKind::IsNull;
    else if (node.Op == QLatin1String("<>"))
        node.Kind = TNode::TKind::IsNotNull;
    else
        Fail(value.Position, QStringLiteral("only = and <> compare with NULL"));
}

void BindText(TNode& node, const TToken& value) {
    node.ServerText = IsBooleanWord(value)
                          ? (IsKeyword(value, "TRUE") ? QStringLiteral("True") : QStringLiteral("False"))
                          : value.Text;
    node.LocalValue = node.ServerText;
    node.EmptyMatchesNull = node.Op == QLatin1String("=") && node.ServerText.isEmpty();
}

void BindNumber(TNode& node, const TFilterField& f, const TToken& value) {
    const bool boolWord = IsBooleanWord(value);
    double number = 0;
    if (boolWord && f.Type == TFieldType::Integer)
        number = IsKeyword(value, "TRUE") ? 1 : 0;
    else if (boolWord || !ParseNumber(value.Text, number))
        WrongValue(value, f, QStringLiteral("a number"));
    QString normal = boolWord ? QString::number(number) : value.Text.trimmed();
    if (!normal.contains(QLatin1Char('.'))) normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool integral = false;
    const qlonglong whole = normal.toLongLong(&integral);
    node.LocalValue = integral ? QVariant(whole) : QVariant(number);
    node.ServerText = normal;
    node.CastNumeric = f.Type == TFieldType::Integer && !integral;
}

void BindBoolean(TNode& node, const TFilterField& f, const TToken& value) {
    const QString t = value.Text.trimmed().toLower();
    bool truth = false;
    if (IsBooleanWord(value))
        truth = IsKeyword(value, "TRUE");
    else if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("yes") ||
             t == QLatin1String("y") || t == QLatin1String("1"))
        truth = true;
    else if (!(t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("no") ||
               t == QLatin1String("n") || t == QLatin1String("0")))
        WrongValue(value, f, QStringLiteral("TRUE or FALSE"));
    node.LocalValue = qlonglong(truth ? 1 : 0);
    node.ServerText = truth ? QStringLiteral("true") : QStringLiteral("false");
}

// Dates and times come only as quoted text.
void BindDate(TNode& node, const TFilterField& f, const TToken& value) {
    const bool text = value.Kind == TTokenKind::String;
    const QDate date = text ? QDate::fromString(value.Text.trimmed(), Qt::ISODate) : QDate();
    if (!date.isValid()) WrongValue(value, f, QStringLiteral("a date as 'yyyy-mm-dd'"));
    node.ServerText = date.toString(Qt::ISODate);
}

void BindTime(TNode& node, const TFilterField& f, const TToken& value) {
    const bool text = value.Kind == TTokenKind::String;
    const QTime time = text ? QTime::fromString(value.Text.trimmed(), Qt::ISODateWithMs) : QTime();
    if (!time.isValid()) WrongValue(value, f, QStringLiteral("a time as 'hh:mm:ss'"));
    node.ServerText = time.toString(QStringLiteral("HH:mm:ss.zzz"));
}

// A space between date and time reads as ISO's T; a date alone is its midnight.
void BindDateTime(TNode& node, const TFilterField& f, const TToken& value) {
    const bool text = value.Kind == TTokenKind::String;
    QString t = value.Text.trimmed();
    if (t.size() > 10 && t.at(10) == QLatin1Char(' ')) t[10] = QLatin1Char('T');
    QDateTime stamp = text ? QDateTime::fromString(t, Qt::ISODateWithMs) : QDateTime();
    if (text && !stamp.isValid() && t.size() == 10)
        stamp = QDateTime(QDate::fromString(t, Qt::ISODate), QTime(0, 0));
    if (!stamp.isValid()) WrongValue(value, f, QStringLiteral("a date and time as 'yyyy-mm-dd hh:mm:ss'"));
    node.ServerText = stamp.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

class TParser {
public:
    TParser(std::vector<TToken> tokens, const std::vector<TFilterField>& fields)
        : FTokens(std::move(tokens))
        , FFields(fields) {}

    std::unique_ptr<TNode> ParseAll() {
        if (Peek().Kind == TTokenKind::End) return nullptr;
        auto root = ParseOr(0);
        if (Peek().Kind != TTokenKind::End)
            Fail(Peek().Position,
                 QStringLiteral("expected AND, OR or the end, found %1").arg(Describe(Peek())));
        return root;
    }

private:
    const TToken& Peek() const { return FTokens[FPos]; }
    const TToken& Take() { return FTokens[FPos++]; }

    static QString Describe(const TToken& t) {
        switch (t.Kind) {
        case TTokenKind::End: return QStringLiteral("the end");
        case TTokenKind::Field: return QStringLiteral("[%1]").arg(t.Text);
        case TTokenKind::String: return QStringLiteral("a text");
        default: return QStringLiteral("\"%1\"").arg(t.Text.left(40));
        }
    }

    static std::unique_ptr<TNode> Join(TNode::TKind kind, std::unique_ptr<TNode> left,
                                       std::unique_ptr<TNode> right) {
        auto node = std::make_unique<TNode>();
        node->Kind = kind;
        node->Left = std::move(left);
        node->Right = std::move(right);
        return node;
    }

    void CheckDepth(int depth) const {
        if (depth > TFilterExpr::MaxDepth)
            Fail(Peek().Position, QStringLiteral("nested deeper than %1 levels").arg(TFilterExpr::MaxDepth));
    }

    std::unique_ptr<TNode> ParseOr(int depth) {
        auto left = ParseAnd(depth);
        while (IsKeyword(Peek(), "OR")) {
            Take();
            left = Join(TNode::TKind::Or, std::move(left), ParseAnd(depth));
        }
        return left;
    }

    std::unique_ptr<TNode> ParseAnd(int depth) {
        auto left = ParseNot(depth);
        while (IsKeyword(Peek(), "AND")) {
            Take();
            left = Join(TNode::TKind::And, std::move(left), ParseNot(depth));
        }
        return left;
    }

    std::unique_ptr<TNode> ParseNot(int depth) {
        CheckDepth(depth);
        if (IsKeyword(Peek(), "NOT")) {
            Take();
            return Join(TNode::TKind::Not, ParseNot(depth + 1), nullptr);
        }
        if (Peek().Kind == TTokenKind::LParen) {
            Take();
            auto inner = ParseOr(depth + 1);
            if (Peek().Kind != TTokenKind::RParen)
                Fail(Peek().Position, QStringLiteral("expected ), found %1").arg(Describe(Peek())));
            Take();
            return inner;
        }
        return ParseComparison();
    }

    bool AtField() const {
        const TToken& t = Peek();
        return t.Kind == TTokenKind::Field || (t.Kind == TTokenKind::Word && !IsReserved(t));
    }

    int TakeField() {
        const TToken& t = Take();
        if (t.Kind == TTokenKind::Word && FTokens[FPos].Kind == TTokenKind::LParen)
            Fail(t.Position, QStringLiteral("unknown function \"%1\"").arg(t.Text.left(40)));
        const QString name = t.Kind == TTokenKind::Field ? t.Text.trimmed() : t.Text;
        for (size_t i = 0; i < FFields.size(); ++i)
            if (FFields[i].Name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        Fail(t.Position, QStringLiteral("unknown field \"%1\"").arg(name.left(80)));
    }

    bool AtValue() const {
        const TToken& t = Peek();
        return t.Kind == TTokenKind::String || t.Kind == TTokenKind::Number || IsKeyword(t, "TRUE") ||
               IsKeyword(t, "FALSE") || IsKeyword(t, "NULL");
    }

    QString TakeOp() {
        if (Peek().Kind != TTokenKind::Op)
            Fail(Peek().Position,
                 QStringLiteral("expected a comparison (= <> < > <= >=), found %1").arg(Describe(Peek())));
        return Take().Text;
    }

    std::unique_ptr<TNode> ParseComparison() {
        if (++FConditions > TFilterExpr::MaxConditions)
            Fail(Peek().Position, QStringLiteral("more than %1 conditions").arg(TFilterExpr::MaxConditions));
        int field = -1;
        QString op;
        TToken value;
        if (AtField()) {
            field = TakeField();
            if (IsKeyword(Peek(), "IS")) {
                Take();
                const bool negated = IsKeyword(Peek(), "NOT");
                if (negated) Take();
                if (!IsKeyword(Peek(), "NULL"))
                    Fail(Peek().Position, QStringLiteral("expected NULL after IS"));
                Take();
                auto node = std::make_unique<TNode>();
                node->Kind = negated ? TNode::TKind::IsNotNull : TNode::TKind::IsNull;
                node->Field = field;
                return node;
            }
            op = TakeOp();
            // Nothing after the operator stands for NULL: that is how a NULL's empty text reads back.
            if (AtValue())
                value = Take();
            else if (Peek().Kind == TTokenKind::End || Peek().Kind == TTokenKind::RParen ||
                     IsKeyword(Peek(), "AND") || IsKeyword(Peek(), "OR"))
                value = {TTokenKind::End, {}, Peek().Position};
            else
                Fail(Peek().Position, QStringLiteral("expected a value, found %1").arg(Describe(Peek())));
        } else if (AtValue()) {
            value = Take();
            op = Mirror(TakeOp());
            if (!AtField())
                Fail(Peek().Position, QStringLiteral("expected a field, found %1").arg(Describe(Peek())));
            field = TakeField();
        } else {
            Fail(Peek().Position, QStringLiteral("expected a field, found %1").arg(Describe(Peek())));
        }
        return Bind(field, op, value);
    }

    // Checks a literal against its field's type and keeps it in the form each engine binds.
    std::unique_ptr<TNode> Bind(int field, const QString& op, const TToken& value) const {
        const TFilterField& f = FFields[field];
        auto node = std::make_unique<TNode>();
        node->Field = field;
        node->Op = op;
        const bool text = value.Kind == TTokenKind::String;
        if (value.Kind == TTokenKind::End || IsKeyword(value, "NULL") ||
            (text && !IsTextType(f.Type) && value.Text.trimmed().isEmpty())) {
            BindNull(*node, value);
            return node;
        }
        switch (f.Type) {
        case TFieldType::String:
        case TFieldType::Memo:
        case TFieldType::Unknown: BindText(*node, value); break;
        case TFieldType::Integer:
        case TFieldType::Float:
        case TFieldType::Currency:
        case TFieldType::BCD: BindNumber(*node, f, value); break;
        case TFieldType::Boolean: BindBoolean(*node, f, value); break;
        case TFieldType::Date: BindDate(*node, f, value); break;
        case TFieldType::Time: BindTime(*node, f, value); break;
        case TFieldType::DateTime: BindDateTime(*node, f, value); break;
        case TFieldType::Blob:
        case TFieldType::Graphic:
            Fail(value.Position,
                 QStringLiteral("field \"%1\" holds bytes and compares only with NULL").arg(f.Name));
        }
        if (!node->LocalValue.isValid()) node->LocalValue = node->ServerText;
        node->Shown = text ? QStringLiteral("'%1'").arg(value.Text) : value.Text;
        return node;
    }

    std::vector<TToken> FTokens;
    const std::vector<TFilterField>& FFields;
    size_t FPos = 0;
    int FConditions = 0;
};

// SQLite keeps dates and times as text in several shapes; compare them in one canonical shape.
QString LocalColumn(TFieldType type, const QString& column) {
    switch (type) {
    case TFieldType::Date: return QStringLiteral("date(%1)").arg(column);
    case TFieldType::Time: return QStringLiteral("strftime('%H:%M:%f', %1)").arg(column);
    case TFieldType::DateTime: return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', %1)").arg(column);
    default: return column;
    }
}

// A chain of one operator renders flat, (a OR b OR c), never one bracket per condition: SQLite's parser
// overflows at about a hundred nested brackets. A flat chain deepens SQLite's expression tree by one
// level a condition, up to its limit of 1,000, so a long chain is cut into flat groups of this many.
constexpr size_t MaxFlatChain = 64;

void RenderNode(const TNode& node, const std::vector<TFilterField>& fields, TDBDriver driver,
                TFilterSql& out);

// The operands of the chain of node's operator that starts at node, left to right.
std::vector<const TNode*> ChainOperands(const TNode& node) {
    std::vector<const TNode*> operands;
    std::vector<const TNode*> pending{&node};
    while (!pending.empty()) {
        const TNode* n = pending.back();
        pending.pop_back();
        if (n->Kind == node.Kind) {
            pending.push_back(n->Right.get());
            pending.push_back(n->Left.get());
        } else {
            operands.push_back(n);
        }
    }
    return operands;
}

void RenderChain(const TNode* const* operands, size_t count, QLatin1String op,
                 const std::vector<TFilterField>& fields, TDBDriver driver, TFilterSql& out) {
    out.Where += QLatin1Char('(');
    if (count <= MaxFlatChain) {
        for (size_t i = 0; i < count; ++i) {
            if (i > 0) out.Where += op;
            RenderNode(*operands[i], fields, driver, out);
        }
    } else {
        // At most MaxFlatChain groups, each cut again when it is longer than that.
        const size_t each = std::max(MaxFlatChain, (count + MaxFlatChain - 1) / MaxFlatChain);
        for (size_t i = 0; i < count; i += each) {
            if (i > 0) out.Where += op;
            RenderChain(operands + i, std::min(each, count - i), op, fields, driver, out);
        }
    }
    out.Where += QLatin1Char(')');
}

void RenderNode(const TNode& node, const std::vector<TFilterField>& fields, TDBDriver driver,
                TFilterSql& out) {
    using K = TNode::TKind;
    switch (node.Kind) {
    case K::And:
    case K::Or: {
        const std::vector<const TNode*> operands = ChainOperands(node);
        RenderChain(operands.data(), operands.size(),
                    node.Kind == K::And ? QLatin1String(" AND ") : QLatin1String(" OR "), fields, driver,
                    out);
        return;
    }
    case K::Not:
        out.Where += QLatin1String("(NOT ");
        RenderNode(*node.Left, fields, driver, out);
        out.Where += QLatin1Char(')');
        return;
    default: break;
    }
    const TFilterField& f = fields[node.Field];
    const QString column = TDBConnection::QuoteIdentifier(f.Name);
    if (node.Kind == K::IsNull || node.Kind == K::IsNotNull) {
        out.Where +=
            column + (node.Kind == K::IsNull ? QLatin1String(" IS NULL") : QLatin1String(" IS NOT NULL"));
        return;
    }
    QString lhs = column;
    if (driver == TDBDriver::SQLite)
        lhs = LocalColumn(f.Type, column);
    else if (node.CastNumeric)
        lhs = QStringLiteral("CAST(%1 AS numeric)").arg(column);
    QString condition = QStringLiteral("%1 %2 ?").arg(lhs, node.Op);
    if (node.EmptyMatchesNull) condition = QStringLiteral("(%1 OR %2 IS NULL)").arg(condition, column);
    out.Where += condition;
    out.Params.append(driver == TDBDriver::SQLite ? node.LocalValue : QVariant(node.ServerText));
}

QString DumpNode(const TNode& node, const std::vector<TFilterField>& fields) {
    using K = TNode::TKind;
    switch (node.Kind) {
    case K::And:
        return QStringLiteral("(AND %1 %2)").arg(DumpNode(*node.Left, fields), DumpNode(*node.Right, fields));
    case K::Or:
        return QStringLiteral("(OR %1 %2)").arg(DumpNode(*node.Left, fields), DumpNode(*node.Right, fields));
    case K::Not: return QStringLiteral("(NOT %1)").arg(DumpNode(*node.Left, fields));
    case K::IsNull: return QStringLiteral("(ISNULL [%1])").arg(fields[node.Field].Name);
    case K::IsNotNull: return QStringLiteral("(NOTNULL [%1])").arg(fields[node.Field].Name);
    case K::Compare: break;
    }
    return QStringLiteral("(%1 [%2] %3)").arg(node.Op, fields[node.Field].Name, node.Shown);
}

} // namespace

TFilterExpr::TFilterExpr(const QString& text, std::vector<TFilterField> fields)
    : FFields(std::move(fields)) {
    if (text.size() > MaxLength)
        Fail(MaxLength + 1, QStringLiteral("the filter is longer than %1 characters").arg(MaxLength));
    TParser parser(Tokenize(text), FFields);
    FRoot = parser.ParseAll();
}

TFilterExpr::~TFilterExpr() = default;

bool TFilterExpr::IsEmpty() const {
    return !FRoot;
}

TFilterSql TFilterExpr::Render(TDBDriver driver) const {
    TFilterSql out;
    if (FRoot) RenderNode(*FRoot, FFields, driver, out);
    return out;
}

QString TFilterExpr::Dump() const {
    return FRoot ? DumpNode(*FRoot, FFields) : QString();
}

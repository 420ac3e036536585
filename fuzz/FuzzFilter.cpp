// Record filters under fuzzing: any text either parses, against a table with a field of every type,
// or raises EDBEngineError. A filter that parses renders for both engines as SQL in which every
// literal is a bound parameter: outside the quoted field names the condition holds no quote and no
// digit, and it has one ? per parameter. Anything else is a finding. No database is opened.
#include <cstdint>
#include <cstdlib>
#include <QRegularExpression>
#include <QString>

#include "db/DBEngineError.h"
#include "FilterFields.h"

namespace {

// The engines' own syntax around a column: date and time canonical forms, and a numeric cast.
const QRegularExpression& OurSyntax() {
    static const QRegularExpression re(
        QStringLiteral(R"("(?:[^"]|"")*"|strftime\('%H:%M:%f', |strftime\('%Y-%m-%d %H:%M:%f', )"));
    return re;
}

bool OnlyBound(const TFilterSql& sql) {
    QString rest = sql.Where;
    rest.remove(OurSyntax());
    for (const QChar c : rest)
        if (c == QLatin1Char('\'') || c.isDigit()) return false;
    return rest.count(QLatin1Char('?')) == sql.Params.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const std::vector<TFilterField> fields = FuzzFilterFields();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    try {
        const TFilterExpr expr(text, fields);
        for (const TDBDriver driver : {TDBDriver::SQLite, TDBDriver::PostgreSQL}) {
            const TFilterSql sql = expr.Render(driver);
            if (!OnlyBound(sql) || sql.Where.isEmpty() != expr.IsEmpty()) std::abort();
        }
        if (expr.Dump().isEmpty() != expr.IsEmpty()) std::abort();
    } catch (const EDBEngineError&) {
    }
    return 0;
}

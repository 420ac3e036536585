#include "label/KxDataBinding.h"

#include "db/DBEngineError.h"
#include "db/Field.h"
#include "db/Session.h"
#include "db/Table.h"
#include "label/KxAlias.h"
#include "types/Kxtypes.h"

namespace KxBinding {

QStringList AliasNames(const TKxAlias& Alias, TSession& Session) {
    QStringList names;
    Session.GetAliasNames(names);
    FilterAliasNames(names, Alias);
    return names;
}

void FilterAliasNames(QStringList& Names, const TKxAlias& Alias) {
    if (Alias.Count() == 0) return;
    QStringList permitted;
    for (int i = 0; i < Alias.Count(); ++i)
        permitted << Alias.Items(i)->GetName();
    Names.removeIf(
        [&permitted](const QString& name) { return !permitted.contains(name, Qt::CaseInsensitive); });
}

int HasTables(const TKxAlias& Alias, const QString& AliasName) {
    int found = -1;
    for (int i = 0; i < Alias.Count(); ++i)
        if (Alias.Items(i)->GetName() == AliasName && Alias.Items(i)->GetTables()->Count() > 0) found = i;
    return found;
}

int FindTable(const TKxAlias& Alias, int AliasIndex, const QString& TableName) {
    const TKxTables* tables = Alias.Items(AliasIndex)->GetTables();
    int found = 0;
    for (int i = 0; i < tables->Count(); ++i)
        if (tables->Items(i)->GetName() == TableName) found = i;
    return found;
}

int ChooseText(const QStringList& Items, const QString& Text) {
    if (Items.isEmpty()) return -1;
    for (qsizetype i = 0; i < Items.size(); ++i)
        if (Items[i].compare(Text, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return 0;
}

TTableList TableList(const TKxAlias& Alias, TSession& Session, const QString& AliasName,
                     const QString& CurrentTable) {
    TTableList list;
    if (AliasName.isEmpty()) return list;
    list.AliasIndex = HasTables(Alias, AliasName);
    if (list.AliasIndex < 0) {
        Session.GetTableNames(AliasName, QString(), true, false, list.Items);
        list.ItemIndex = ChooseText(list.Items, CurrentTable);
        return list;
    }
    const TKxTables* tables = Alias.Items(list.AliasIndex)->GetTables();
    for (int i = 0; i < tables->Count(); ++i)
        list.Items << tables->Items(i)->GetCaption();
    list.ItemIndex = FindTable(Alias, list.AliasIndex, CurrentTable);
    return list;
}

bool SelectTable(TTable& Table, const TKxAlias& Alias, const QString& AliasName, int AliasIndex,
                 const QString& TableText, int TableIndex) {
    if (AliasName.isEmpty()) return false;
    Table.SetActive(false);
    Table.SetDatabaseName(AliasName);
    Table.SetTableName(AliasIndex < 0 ? TableText
                                      : Alias.Items(AliasIndex)->GetTables()->Items(TableIndex)->GetName());
    Table.SetFiltered(!Table.Filter().isEmpty());
    Table.SetActive(true);
    return true;
}

QString FilterOperator(TFilterOp Op) {
    switch (Op) {
    case TFilterOp::Equal: return QStringLiteral("=");
    case TFilterOp::NotEqual: return QStringLiteral("<>");
    case TFilterOp::AtMost: return QStringLiteral("<=");
    case TFilterOp::AtLeast: return QStringLiteral(">=");
    }
    return QStringLiteral("=");
}

QString Condition(const TField& Field, const QString& Op) {
    const TFieldType type = Field.DataType();
    // An empty value after the operator would never parse; the inclusive operators keep the picked
    // record, "<>" keeps the others.
    if (Field.IsNull())
        return QStringLiteral("([%1] %2)")
            .arg(Field.FieldName(),
                 Op == QLatin1String("<>") ? QStringLiteral("IS NOT NULL") : QStringLiteral("IS NULL"));
    if (type == TFieldType::Blob || type == TFieldType::Graphic)
        throw EDBEngineError(QStringLiteral("Field \"%1\" holds bytes and cannot be compared in a filter")
                                 .arg(Field.FieldName()));
    QString value = Field.AsString();
    if (IsQuotedFieldType(type))
        PascalStr(value);
    else if (type == TFieldType::Float || type == TFieldType::Currency || type == TFieldType::BCD)
        ComaStr(value);
    return QStringLiteral("([%1] %2 %3)").arg(Field.FieldName(), Op, value);
}

void AddFilter(TField& Field, const QString& Op) {
    const QString condition = Condition(Field, Op);
    TTable& table = *Field.DataSet();
    table.Close();
    table.SetFilter(table.Filter().isEmpty() ? condition
                                             : table.Filter() + QStringLiteral(" AND ") + condition);
    table.SetFiltered(true);
    table.Open();
}

void ExecuteFilter(TTable& Table) {
    Table.Close();
    Table.SetFiltered(true);
    Table.Open();
}

void DeleteFilter(TTable& Table) {
    Table.SetFiltered(false);
    Table.SetFilter(QString());
    Table.Refresh();
}

TFilterMenuState FilterMenuState(const TTable& Table) {
    const bool hasFilter = !Table.Filter().isEmpty();
    return {Table.Filtered(), hasFilter, hasFilter};
}

QStringList FieldLabels(TTable& Table, TFieldChoice Choice) {
    QStringList labels;
    Table.Open();
    for (int i = 0; i < Table.FieldCount(); ++i) {
        const TField& field = Table.Fields(i);
        const bool wanted = Choice == TFieldChoice::All ||
                            (Choice == TFieldChoice::Boolean && field.DataType() == TFieldType::Boolean) ||
                            (Choice == TFieldChoice::Graphic && field.DataType() == TFieldType::Graphic);
        if (wanted) labels << field.DisplayLabel();
    }
    Table.Close();
    return labels;
}

} // namespace KxBinding

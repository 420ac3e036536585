#pragma once

#include <QString>
#include <QStringList>

class TField;
class TKxAlias;
class TSession;
class TTable;

/// What the label dialog's database page and the element dialogs do with the session, the catalogue
/// and the bound table, apart from their widgets.
namespace KxBinding {

/// The aliases the dialog offers: the session's names, in the session's order, less those the
/// catalogue does not name (letter case ignored). An empty catalogue keeps every name.
QStringList AliasNames(const TKxAlias& Alias, TSession& Session);
/// Deletes from Names every name the catalogue does not name (letter case ignored), keeping the
/// order. An empty catalogue keeps every name.
void FilterAliasNames(QStringList& Names, const TKxAlias& Alias);

/// Index of the last catalogue entry whose Name equals AliasName exactly (letter case counts) and
/// which has at least one table entry; -1 when none.
int HasTables(const TKxAlias& Alias, const QString& AliasName);
/// Index of the last table entry of alias entry AliasIndex whose Name equals TableName exactly;
/// 0 when none does or the entry has no tables.
int FindTable(const TKxAlias& Alias, int AliasIndex, const QString& TableName);
/// Index of the first item equal to Text ignoring letter case; 0 when none is, -1 for an empty list
/// (a list control's choice when it has nothing to show).
int ChooseText(const QStringList& Items, const QString& Text);

/// The table list offered for one alias and the item it comes up on.
struct TTableList {
    QStringList Items;
    /// The item selected; -1 when Items is empty.
    int ItemIndex = -1;
    /// The catalogue entry whose table captions Items shows, or -1 when Items is the session's list.
    int AliasIndex = -1;
};

/// The tables offered for AliasName, coming up on CurrentTable (the bound table's name): the
/// captions of the alias's catalogue entry when it has table entries, else the session's tables.
/// An empty AliasName (nothing offered) gives an empty list.
TTableList TableList(const TKxAlias& Alias, TSession& Session, const QString& AliasName,
                     const QString& CurrentTable);

/// Binds Table to the chosen alias and table and opens it: the table name is TableText when
/// AliasIndex is -1, else the Name of table entry TableIndex of that catalogue entry. Filtered
/// follows whether a filter text is set; the filter itself is kept. An empty AliasName leaves the
/// table alone and answers false. Errors of the database layer propagate.
bool SelectTable(TTable& Table, const TKxAlias& Alias, const QString& AliasName, int AliasIndex,
                 const QString& TableText, int TableIndex);

/// The four operator entries of the grid's context menu.
enum class TFilterOp { Equal, NotEqual, AtMost, AtLeast };
/// The operator text an entry appends: "=", "<>", "<=", ">=" (the two inequality entries include the
/// picked value).
QString FilterOperator(TFilterOp Op);

/// One filter condition on Field's value in the current record: "([Name] Op Value)". Text, memo,
/// date and time values are quoted with their quotes doubled, decimal values get a point for a
/// comma, other values stand as they are. A NULL value gives "([Name] IS NULL)", or
/// "([Name] IS NOT NULL)" for "<>". A blob or picture value that is not NULL cannot be compared and
/// raises EDBEngineError.
QString Condition(const TField& Field, const QString& Op);
/// Appends Condition(Field, Op) to the filter of Field's table with AND (first condition alone),
/// then reopens the table filtered. Field is not valid afterwards (reopening renews the fields).
void AddFilter(TField& Field, const QString& Op);
/// Applies the filter again: close, Filtered := true, open.
void ExecuteFilter(TTable& Table);
/// Drops the filter: Filtered := false, empty filter, re-read.
void DeleteFilter(TTable& Table);

/// State of the context menu's "Execute" and "Delete" entries.
struct TFilterMenuState {
    bool ExecuteChecked = false;
    bool ExecuteEnabled = false;
    bool DeleteEnabled = false;
};
TFilterMenuState FilterMenuState(const TTable& Table);

/// Which fields an element dialog lists.
enum class TFieldChoice {
    All,     ///< texts, paragraphs, barcodes
    Boolean, ///< symbols
    Graphic  ///< pictures
};
/// The display labels of the chosen fields of Table, in field order. Opens the table for the
/// listing and closes it after, as the element dialogs do (an open table ends closed).
QStringList FieldLabels(TTable& Table, TFieldChoice Choice);

} // namespace KxBinding

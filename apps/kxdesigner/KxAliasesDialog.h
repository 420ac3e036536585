#pragma once

#include <QDialog>
#include <QString>

#include "db/DBAlias.h"

class QLabel;
class QPushButton;
class QTreeWidget;

/// Lists the session's database aliases and lets the user add a SQLite file or a PostgreSQL
/// connection, kept in the per-user aliases file, or remove one of those.
class TKxAliasesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKxAliasesDialog(QWidget* parent = nullptr);

    /// Adds the alias to the session and the per-user file; false with the reason shown.
    bool AddAlias(const TDBAlias& Alias, const QString& SessionPassword = {});
    /// Lists the aliases again.
    void Refresh();

    QTreeWidget* List() const { return FList; }

private:
    void AddSQLite();
    void AddPostgreSQL();
    void RemoveSelected();

    QTreeWidget* FList;
    QLabel* FWhere;
    QPushButton* FRemove;
};

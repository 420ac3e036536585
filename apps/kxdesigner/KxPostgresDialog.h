#pragma once

#include <QDialog>

#include "db/DBAlias.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

/// Asks for a PostgreSQL connection: name, host, port, database, user, and where the password comes
/// from: libpq's own files, an environment variable, or typed now and kept for this session only.
class TKxPostgresDialog : public QDialog {
    Q_OBJECT
public:
    /// Where the password comes from.
    enum TPasswordSource { psLibpq, psEnvironment, psSession };

    explicit TKxPostgresDialog(QWidget* parent = nullptr);

    /// The alias as entered (PasswordEnv set only for psEnvironment).
    TDBAlias Alias() const;
    /// The password typed for this session (psSession), else empty.
    QString SessionPassword() const;

    QLineEdit* FName;
    QLineEdit* FHost;
    QSpinBox* FPort;
    QLineEdit* FDatabase;
    QLineEdit* FUser;
    QComboBox* FSource;
    QLineEdit* FVariable;
    QLineEdit* FPassword;

private:
    void SourceChanged();
};

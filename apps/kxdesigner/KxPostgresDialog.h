#pragma once

#include <QDialog>

#include "db/DBAlias.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

/// Asks for a PostgreSQL connection: name, host, port, database, user, and where the password comes
/// from: libpq's own files, an environment variable, or typed now and kept for this session only.
/// "Test Connection" connects with the values as typed and says how it went under the form.
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
    /// What the last connection test said: the tables found, or the server's error.
    QLabel* FResult;

private:
    void SourceChanged();
    /// Connects with the values as typed, in a session of its own, and shows the outcome.
    void TestConnection();
};

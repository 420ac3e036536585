#include "KxPostgresDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

#include "base/Messages.h"
#include "db/Session.h"
#include "KxErrorText.h"

TKxPostgresDialog::TKxPostgresDialog(QWidget* parent)
    : QDialog(parent)
    , FName(new QLineEdit(this))
    , FHost(new QLineEdit(this))
    , FPort(new QSpinBox(this))
    , FDatabase(new QLineEdit(this))
    , FUser(new QLineEdit(this))
    , FSource(new QComboBox(this))
    , FVariable(new QLineEdit(this))
    , FPassword(new QLineEdit(this))
    , FResult(new QLabel(this)) {
    setWindowTitle(tr("Add PostgreSQL Connection"));
    FPort->setRange(1, 65535);
    FPort->setValue(5432);
    FHost->setPlaceholderText(tr("empty: the local socket"));
    FUser->setPlaceholderText(tr("empty: libpq's default"));
    FSource->addItems({tr("libpq's own files (PGPASSWORD, ~/.pgpass)"), tr("An environment variable"),
                       tr("Type it now, kept for this session only")});
    FVariable->setPlaceholderText(QStringLiteral("LABELS_PG_PASS"));
    FPassword->setEchoMode(QLineEdit::Password);
    FResult->setObjectName(QStringLiteral("testResult"));
    FResult->setWordWrap(true);
    FResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Alias name:"), FName);
    form->addRow(tr("Host:"), FHost);
    form->addRow(tr("Port:"), FPort);
    form->addRow(tr("Database:"), FDatabase);
    form->addRow(tr("User:"), FUser);
    form->addRow(tr("Password from:"), FSource);
    form->addRow(tr("Variable:"), FVariable);
    form->addRow(tr("Password:"), FPassword);
    form->addRow(FResult);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* test = buttons->addButton(tr("&Test Connection"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("testConnection"));
    test->setAutoDefault(false);
    connect(test, &QPushButton::clicked, this, &TKxPostgresDialog::TestConnection);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FSource, &QComboBox::currentIndexChanged, this, &TKxPostgresDialog::SourceChanged);
    SourceChanged();
}

void TKxPostgresDialog::SourceChanged() {
    FVariable->setEnabled(FSource->currentIndex() == psEnvironment);
    FPassword->setEnabled(FSource->currentIndex() == psSession);
}

TDBAlias TKxPostgresDialog::Alias() const {
    TDBAlias alias;
    alias.Name = FName->text().trimmed();
    alias.Driver = TDBDriver::PostgreSQL;
    alias.Host = FHost->text().trimmed();
    alias.Port = FPort->value();
    alias.Database = FDatabase->text().trimmed();
    alias.User = FUser->text().trimmed();
    if (FSource->currentIndex() == psEnvironment) alias.PasswordEnv = FVariable->text().trimmed();
    return alias;
}

QString TKxPostgresDialog::SessionPassword() const {
    return FSource->currentIndex() == psSession ? FPassword->text() : QString();
}

void TKxPostgresDialog::TestConnection() {
    TDBAlias alias = Alias();
    // A session of its own: the name may be empty, or taken by an alias of the user's session.
    if (alias.Name.isEmpty()) alias.Name = tr("new connection");
    alias.SessionPassword = SessionPassword();
    const TBusyCursor busy;
    try {
        TSession session;
        session.AddAlias(alias);
        QStringList tables;
        session.GetTableNames(alias.Name, {}, false, false, tables);
        FResult->setText(tr("Connected: %1 tables.").arg(tables.size()));
    } catch (const std::exception& e) {
        FResult->setText(KxErrorText(e));
    }
}

#include "KxAliasesDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "db/AliasFile.h"
#include "db/Session.h"
#include "KxErrorText.h"
#include "KxPostgresDialog.h"
#include "KxUserAliases.h"

namespace {

QString Connection(const TDBAlias& Alias) {
    if (Alias.Driver == TDBDriver::SQLite) return QDir::toNativeSeparators(Alias.Path);
    const QString host = Alias.Host.isEmpty() ? TKxAliasesDialog::tr("local socket") : Alias.Host;
    const QString user = Alias.User.isEmpty() ? QString() : Alias.User + QLatin1Char('@');
    return QStringLiteral("%1%2:%3/%4").arg(user, host).arg(Alias.Port).arg(Alias.Database);
}

} // namespace

TKxAliasesDialog::TKxAliasesDialog(QWidget* parent)
    : QDialog(parent)
    , FList(new QTreeWidget(this))
    , FWhere(new QLabel(this))
    , FRemove(new QPushButton(tr("&Remove"), this)) {
    setWindowTitle(tr("Database Aliases"));
    FList->setHeaderLabels({tr("Alias"), tr("Driver"), tr("Connection"), tr("Kept in")});
    FList->setRootIsDecorated(false);
    FList->header()->setStretchLastSection(false);
    FList->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    FWhere->setText(tr("Your aliases file: %1").arg(QDir::toNativeSeparators(KxUserAliasFile())));
    FWhere->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FWhere->setWordWrap(true);
    auto* addLite = new QPushButton(tr("Add &SQLite File..."), this);
    auto* addPg = new QPushButton(tr("Add &PostgreSQL..."), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addLite);
    buttons->addWidget(addPg);
    buttons->addWidget(FRemove);
    buttons->addStretch();
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FList);
    layout->addWidget(FWhere);
    layout->addLayout(buttons);
    layout->addWidget(close);
    connect(addLite, &QPushButton::clicked, this, &TKxAliasesDialog::AddSQLite);
    connect(addPg, &QPushButton::clicked, this, &TKxAliasesDialog::AddPostgreSQL);
    connect(FRemove, &QPushButton::clicked, this, &TKxAliasesDialog::RemoveSelected);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FList, &QTreeWidget::currentItemChanged, this, [this] {
        const QTreeWidgetItem* item = FList->currentItem();
        FRemove->setEnabled(item && item->data(0, Qt::UserRole).toBool());
    });
    resize(720, 360);
    Refresh();
}

void TKxAliasesDialog::Refresh() {
    FList->clear();
    QStringList names;
    Session().GetAliasNames(names);
    for (const QString& name : names) {
        const TDBAlias* alias = Session().FindAlias(name);
        bool mine = false;
        KxShowErrors([&] { mine = KxIsUserAlias(name); });
        auto* item = new QTreeWidgetItem(
            FList,
            {alias->Name,
             alias->Driver == TDBDriver::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"),
             Connection(*alias), mine ? tr("your aliases file") : tr("this session")});
        item->setData(0, Qt::UserRole, mine);
    }
    for (int column = 0; column < FList->columnCount(); ++column)
        if (column != 2) FList->resizeColumnToContents(column);
    FRemove->setEnabled(false);
}

bool TKxAliasesDialog::AddAlias(const TDBAlias& Alias, const QString& SessionPassword) {
    const bool added = KxShowErrors([&] { KxAddUserAlias(Session(), Alias, SessionPassword); });
    Refresh();
    return added;
}

void TKxAliasesDialog::AddSQLite() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("SQLite Database"), QString(),
                                     tr("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
    if (path.isEmpty()) return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Alias Name"), tr("Name of the alias:"),
                                               QLineEdit::Normal, QFileInfo(path).completeBaseName(), &ok);
    if (!ok) return;
    TDBAlias alias;
    alias.Name = name;
    alias.Path = path;
    AddAlias(alias);
}

void TKxAliasesDialog::AddPostgreSQL() {
    TKxPostgresDialog form(this);
    if (form.exec() == QDialog::Accepted) AddAlias(form.Alias(), form.SessionPassword());
}

void TKxAliasesDialog::RemoveSelected() {
    const QTreeWidgetItem* item = FList->currentItem();
    if (!item) return;
    const QString name = item->text(0);
    KxShowErrors([&] { KxRemoveUserAlias(Session(), name); });
    Refresh();
}

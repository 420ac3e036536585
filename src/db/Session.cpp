#include "db/Session.h"

#include "base/Messages.h"
#include "base/PostRoutine.h"
#include "db/DBConnection.h"
#include "db/DBEngineError.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTextStream>

namespace {

// A hand-edited configuration file; anything bigger than this is not one.
constexpr qint64 MaxAliasFileSize = 1 << 20;

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Lower(const QString& name) {
    return name.toLower();
}

// Applies one key of an aliases file section; answers an error text, empty when accepted.
QString ApplyKey(TDBAlias& alias, const QString& key, const QString& value, const QDir& base) {
    const QString k = key.toLower();
    if (k == QLatin1String("driver")) {
        if (SameName(value, QStringLiteral("SQLite")))
            alias.Driver = TDBDriver::SQLite;
        else if (SameName(value, QStringLiteral("PostgreSQL")))
            alias.Driver = TDBDriver::PostgreSQL;
        else
            return QStringLiteral("unknown driver \"%1\" (SQLite or PostgreSQL)").arg(value);
    } else if (k == QLatin1String("path")) {
        alias.Path = value.isEmpty() ? QString() : QDir::cleanPath(base.absoluteFilePath(value));
    } else if (k == QLatin1String("host")) {
        alias.Host = value;
    } else if (k == QLatin1String("port")) {
        bool ok = false;
        alias.Port = value.toInt(&ok);
        if (!ok) return QStringLiteral("port \"%1\" is not a number").arg(value);
    } else if (k == QLatin1String("database")) {
        alias.Database = value;
    } else if (k == QLatin1String("user")) {
        alias.User = value;
    } else if (k == QLatin1String("passwordenv")) {
        alias.PasswordEnv = value;
    } else if (k == QLatin1String("timeout")) {
        bool ok = false;
        alias.Timeout = value.toInt(&ok);
        if (!ok || alias.Timeout < 0)
            return QStringLiteral("timeout \"%1\" is not a number of seconds (0 for none)").arg(value);
    } else {
        return QStringLiteral("unknown key \"%1\"").arg(key);
    }
    return {};
}

} // namespace

TSession::TSession() {
    // Makes Qt's connection registry before this object, so it outlives the session at exit.
    (void)QSqlDatabase::connectionNames();
}

TSession::~TSession() = default;

void TSession::CheckNewAlias(TDBAlias& alias, const QString& where) const {
    alias.Name = alias.Name.trimmed();
    const auto fail = [&](const QString& text) { throw EDBEngineError(where + text); };
    if (alias.Name.isEmpty()) fail(QStringLiteral("an alias needs a name"));
    if (alias.Name.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\[\\]]"))))
        fail(QStringLiteral("the alias name \"%1\" holds a control character or a bracket").arg(alias.Name));
    if (IsAlias(alias.Name)) fail(QStringLiteral("the alias \"%1\" already exists").arg(alias.Name));
    if (alias.Driver == TDBDriver::SQLite) {
        if (alias.Path.isEmpty())
            fail(QStringLiteral("the SQLite alias \"%1\" needs a Path").arg(alias.Name));
        alias.Path = QDir::cleanPath(QFileInfo(alias.Path).absoluteFilePath());
    } else {
        if (alias.Database.isEmpty())
            fail(QStringLiteral("the PostgreSQL alias \"%1\" needs a Database").arg(alias.Name));
        if (alias.Port < 1 || alias.Port > 65535)
            fail(QStringLiteral("the port %1 of alias \"%2\" is outside 1 to 65535")
                     .arg(alias.Port)
                     .arg(alias.Name));
    }
}

void TSession::AddAlias(TDBAlias alias) {
    CheckNewAlias(alias, QStringLiteral("Cannot add alias: "));
    FAliases.push_back(std::move(alias));
}

void TSession::DeleteAlias(const QString& name) {
    FCatalogue.erase(Lower(name));
    std::erase_if(FAliases, [&](const TDBAlias& a) { return SameName(a.Name, name); });
}

bool TSession::IsAlias(const QString& name) const {
    return FindAlias(name) != nullptr;
}

const TDBAlias* TSession::FindAlias(const QString& name) const {
    const auto it = std::find_if(FAliases.begin(), FAliases.end(),
                                 [&](const TDBAlias& a) { return SameName(a.Name, name); });
    return it == FAliases.end() ? nullptr : &*it;
}

const TDBAlias& TSession::RequireAlias(const QString& name) const {
    const TDBAlias* alias = FindAlias(name);
    if (!alias) throw EDBEngineError(QStringLiteral("Unknown alias \"%1\".").arg(name));
    return *alias;
}

void TSession::GetAliasNames(QStringList& list) const {
    list.clear();
    for (const TDBAlias& alias : FAliases)
        list.append(alias.Name);
}

void TSession::GetTableNames(const QString& aliasName, const QString& pattern, bool /*extensions*/,
                             bool systemTables, QStringList& list) {
    list.clear();
    const TDBConnection& connection = CatalogueConnection(aliasName);
    const QSqlDatabase db = connection.Database();
    QStringList names = db.tables(QSql::Tables) + db.tables(QSql::Views);
    if (systemTables)
        names += db.tables(QSql::SystemTables);
    else if (connection.Driver() == TDBDriver::SQLite)
        names.removeIf(
            [](const QString& n) { return n.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive); });
    names.removeDuplicates();
    if (!pattern.isEmpty()) {
        const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern),
                                       QRegularExpression::CaseInsensitiveOption);
        names.removeIf([&](const QString& n) { return !match.match(n).hasMatch(); });
    }
    names.sort(Qt::CaseInsensitive);
    list = names;
}

void TSession::LoadAliasFile(const QString& path) {
    QFile file(path);
    const auto fail = [&](int line, const QString& text) {
        throw EDBEngineError(
            line > 0 ? QStringLiteral("Aliases file \"%1\", line %2: %3").arg(path).arg(line).arg(text)
                     : QStringLiteral("Aliases file \"%1\": %2").arg(path, text));
    };
    // A pipe or a device would block the reader, or never end.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) fail(0, QStringLiteral("not a regular file"));
    if (!file.open(QIODevice::ReadOnly)) fail(0, file.errorString());
    if (file.size() > MaxAliasFileSize) fail(0, QStringLiteral("larger than %1 bytes").arg(MaxAliasFileSize));
    const QDir base = QFileInfo(path).absoluteDir();

    struct TPending {
        TDBAlias Alias;
        int Line = 0;
    };
    std::vector<TPending> pending;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                fail(lineNo, QStringLiteral("a section name must end with ]"));
            pending.push_back({TDBAlias{}, lineNo});
            pending.back().Alias.Name = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) fail(lineNo, QStringLiteral("expected Key=Value or [Alias name]"));
        if (pending.empty()) fail(lineNo, QStringLiteral("a key before the first [Alias name] section"));
        const QString error =
            ApplyKey(pending.back().Alias, line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), base);
        if (!error.isEmpty()) fail(lineNo, error);
    }
    // Check against the session and against each other before anything is added.
    TSession check;
    for (const TDBAlias& alias : FAliases)
        check.FAliases.push_back(alias);
    for (TPending& p : pending) {
        try {
            check.CheckNewAlias(p.Alias, {});
        } catch (const EDBEngineError& e) {
            fail(p.Line, e.Message());
        }
        check.FAliases.push_back(p.Alias);
    }
    for (TPending& p : pending)
        FAliases.push_back(std::move(p.Alias));
}

TDBConnection& TSession::CatalogueConnection(const QString& aliasName) {
    const TDBAlias& alias = RequireAlias(aliasName);
    std::unique_ptr<TDBConnection>& slot = FCatalogue[Lower(alias.Name)];
    if (!slot) {
        try {
            slot = std::make_unique<TDBConnection>(alias);
        } catch (...) {
            FCatalogue.erase(Lower(alias.Name));
            throw;
        }
    }
    return *slot;
}

std::unique_ptr<TDBConnection> TSession::Connect(const QString& aliasName) const {
    return std::make_unique<TDBConnection>(RequireAlias(aliasName));
}

void TSession::CloseConnections() {
    FCatalogue.clear();
}

TSession& Session() {
    static TSession session;
    // The default session outlives the application object, but its connections must close while
    // Qt's database drivers are still there: the application's destructor closes them.
    static const TPostRoutine closesWithApplication([] { Session().CloseConnections(); });
    static const bool loaded = [] {
        const QString path = qEnvironmentVariable(TSession::AliasFileVariable());
        if (path.isEmpty()) return false;
        try {
            session.LoadAliasFile(path);
        } catch (const EDBEngineError& e) {
            ShowMessage(e.Message());
            return false;
        }
        return true;
    }();
    (void)loaded;
    return session;
}

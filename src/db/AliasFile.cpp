#include "db/AliasFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include "db/DBEngineError.h"
#include "db/Session.h"

namespace {

bool HasLineBreak(const QString& Value) {
    return Value.contains(QLatin1Char('\n')) || Value.contains(QLatin1Char('\r'));
}

// The lines of one alias section; throws when a value would not read back as written.
QStringList AliasSection(const TDBAlias& Alias, const QString& Path) {
    const auto fail = [&](const QString& text) {
        throw EDBEngineError(
            QStringLiteral("Aliases file \"%1\": alias \"%2\": %3").arg(Path, Alias.Name, text));
    };
    if (Alias.Name.trimmed().isEmpty() || HasLineBreak(Alias.Name) || Alias.Name.contains(QLatin1Char('[')) ||
        Alias.Name.contains(QLatin1Char(']')))
        fail(QStringLiteral("the name cannot be written"));
    QStringList lines{QStringLiteral("[%1]").arg(Alias.Name.trimmed())};
    const auto key = [&](const char* Key, const QString& Value) {
        if (HasLineBreak(Value)) fail(QStringLiteral("%1 holds a line break").arg(QLatin1String(Key)));
        if (!Value.isEmpty()) lines << QStringLiteral("%1=%2").arg(QLatin1String(Key), Value);
    };
    if (Alias.Driver == TDBDriver::SQLite) {
        key("Driver", QStringLiteral("SQLite"));
        key("Path", QFileInfo(Alias.Path).absoluteFilePath());
    } else {
        key("Driver", QStringLiteral("PostgreSQL"));
        key("Host", Alias.Host);
        key("Port", QString::number(Alias.Port));
        key("Database", Alias.Database);
        key("User", Alias.User);
        key("PasswordEnv", Alias.PasswordEnv);
    }
    if (Alias.Timeout != TDBAlias::DefaultTimeout) key("Timeout", QString::number(Alias.Timeout));
    return lines;
}

} // namespace

QString KxUserAliasFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kxlab/aliases.ini"));
}

std::vector<TDBAlias> KxReadAliasFile(const QString& Path) {
    TSession file;
    file.LoadAliasFile(Path);
    QStringList names;
    file.GetAliasNames(names);
    std::vector<TDBAlias> aliases;
    for (const QString& name : names)
        aliases.push_back(*file.FindAlias(name));
    return aliases;
}

void KxSaveAliasFile(const QString& Path, const std::vector<TDBAlias>& Aliases) {
    QStringList text{QStringLiteral("; KxLab database aliases. Passwords are never stored here: PasswordEnv "
                                    "names an environment variable, or libpq's own files are used.")};
    for (const TDBAlias& alias : Aliases)
        text << QString() << AliasSection(alias, Path);
    const auto fail = [&](const QString& reason) {
        throw EDBEngineError(QStringLiteral("Aliases file \"%1\": %2").arg(Path, reason));
    };
    if (!QDir().mkpath(QFileInfo(Path).absolutePath())) fail(QStringLiteral("cannot make its folder"));
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
    const QByteArray bytes = (text.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) fail(file.errorString());
}

bool KxLoadUserAliases(TSession& Session) {
    if (!qEnvironmentVariableIsEmpty(TSession::AliasFileVariable())) return false;
    const QString path = KxUserAliasFile();
    if (!QFileInfo(path).isFile()) return false;
    Session.LoadAliasFile(path);
    return true;
}

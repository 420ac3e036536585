#include "KxUserAliases.h"

#include <algorithm>
#include <QFileInfo>
#include <vector>

#include "db/AliasFile.h"
#include "db/Session.h"

namespace {

std::vector<TDBAlias> UserAliases() {
    const QString path = KxUserAliasFile();
    return QFileInfo(path).isFile() ? KxReadAliasFile(path) : std::vector<TDBAlias>{};
}

bool SameName(const TDBAlias& Alias, const QString& Name) {
    return Alias.Name.compare(Name.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

void KxAddUserAlias(TSession& Session, TDBAlias Alias, const QString& SessionPassword) {
    // Checked by the session's own rules, and against its names, before the file changes.
    TSession check;
    QStringList names;
    Session.GetAliasNames(names);
    for (const QString& name : names)
        check.AddAlias(*Session.FindAlias(name));
    check.AddAlias(Alias);

    std::vector<TDBAlias> kept = UserAliases();
    std::erase_if(kept, [&](const TDBAlias& a) { return SameName(a, Alias.Name); });
    TDBAlias stored = Alias;
    if (!SessionPassword.isEmpty()) stored.PasswordEnv.clear();
    kept.push_back(stored);
    KxSaveAliasFile(KxUserAliasFile(), kept);

    // In this process's memory only: the environment would hand it to every program started from here.
    if (!SessionPassword.isEmpty()) {
        Alias.SessionPassword = SessionPassword;
        Alias.PasswordEnv.clear();
    }
    Session.AddAlias(Alias);
}

void KxRemoveUserAlias(TSession& Session, const QString& Name) {
    std::vector<TDBAlias> kept = UserAliases();
    if (std::erase_if(kept, [&](const TDBAlias& a) { return SameName(a, Name); }) > 0)
        KxSaveAliasFile(KxUserAliasFile(), kept);
    Session.DeleteAlias(Name);
}

bool KxIsUserAlias(const QString& Name) {
    const std::vector<TDBAlias> aliases = UserAliases();
    return std::any_of(aliases.begin(), aliases.end(), [&](const TDBAlias& a) { return SameName(a, Name); });
}

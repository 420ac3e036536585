#include "db/AliasFile.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "base/WholeFile.h"
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

bool IsComment(const QString& Line) {
    const QString t = Line.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

bool SameName(const QString& A, const QString& B) {
    return A.trimmed().compare(B.trimmed(), Qt::CaseInsensitive) == 0;
}

bool SameAlias(const TDBAlias& A, const TDBAlias& B) {
    return SameName(A.Name, B.Name) && A.Driver == B.Driver && A.Host == B.Host && A.Port == B.Port &&
           A.Database == B.Database && A.User == B.User && A.PasswordEnv == B.PasswordEnv &&
           A.Timeout == B.Timeout &&
           (A.Driver != TDBDriver::SQLite ||
            QFileInfo(A.Path).absoluteFilePath() == QFileInfo(B.Path).absoluteFilePath());
}

// One section of an aliases file as written: the comment lines right above its header, the header,
// and every line after it up to the next section's comments.
struct TSection {
    QStringList Above;
    QString Name;
    QStringList Lines;
};

// The lines before the first section, then the sections, of the file at Path as it stands.
std::pair<QStringList, std::vector<TSection>> FileSections(const QString& Path) {
    QFile file(Path);
    QStringList preamble;
    std::vector<TSection> sections;
    if (!file.open(QIODevice::ReadOnly)) return {preamble, sections};
    QStringList pending; // comment lines that may belong to the next section
    const auto flush = [&] {
        (sections.empty() ? preamble : sections.back().Lines) << pending;
        pending.clear();
    };
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (IsComment(line)) {
            pending << line;
        } else if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            sections.push_back({pending, t.mid(1, t.size() - 2).trimmed(), {line}});
            pending.clear();
        } else {
            flush();
            (sections.empty() ? preamble : sections.back().Lines) << line;
        }
    }
    flush();
    // The split leaves an empty line after the file's last line break.
    QStringList& last = sections.empty() ? preamble : sections.back().Lines;
    if (!last.isEmpty() && last.back().isEmpty()) last.removeLast();
    return {preamble, sections};
}

// The aliases of the file at Path as they read, or none when it does not read.
std::vector<TDBAlias> ReadAliases(const QString& Path) {
    try {
        return QFileInfo(Path).isFile() ? KxReadAliasFile(Path) : std::vector<TDBAlias>{};
    } catch (const EDBEngineError&) {
        return {};
    }
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
    const auto fail = [&](const QString& reason) {
        throw EDBEngineError(QStringLiteral("Aliases file \"%1\": %2").arg(Path, reason));
    };
    std::vector<QStringList> written;
    for (const TDBAlias& alias : Aliases)
        written.push_back(AliasSection(alias, Path));
    auto [text, sections] = FileSections(Path);
    if (text.isEmpty() && sections.empty())
        text << QStringLiteral("; KxLab database aliases. Passwords are never stored here: PasswordEnv "
                               "names an environment variable, or libpq's own files are used.");
    // What the file says stays as it was written, comments included: an alias that did not change
    // keeps its lines, one that changed keeps its comments, one that went takes the comments above it.
    const std::vector<TDBAlias> before = ReadAliases(Path);
    std::vector<bool> placed(Aliases.size(), false);
    for (const TSection& section : sections) {
        const auto it = std::find_if(Aliases.begin(), Aliases.end(),
                                     [&](const TDBAlias& a) { return SameName(a.Name, section.Name); });
        if (it == Aliases.end()) continue;
        const size_t i = static_cast<size_t>(it - Aliases.begin());
        if (placed[i]) continue;
        placed[i] = true;
        const bool same =
            std::any_of(before.begin(), before.end(), [&](const TDBAlias& b) { return SameAlias(b, *it); });
        text << section.Above;
        if (same) {
            text << section.Lines;
            continue;
        }
        text << written[i];
        for (const QString& line : section.Lines.mid(1))
            if (IsComment(line) || line.trimmed().isEmpty()) text << line;
    }
    for (size_t i = 0; i < Aliases.size(); ++i)
        if (!placed[i]) text << QString() << written[i];
    if (!QDir().mkpath(QFileInfo(Path).absolutePath())) fail(QStringLiteral("cannot make its folder"));
    const QString reason = KxReplaceFile(Path, (text.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!reason.isEmpty()) fail(reason);
}

bool KxLoadUserAliases(TSession& Session) {
    if (!qEnvironmentVariableIsEmpty(TSession::AliasFileVariable())) return false;
    const QString path = KxUserAliasFile();
    if (!QFileInfo(path).isFile()) return false;
    Session.LoadAliasFile(path);
    return true;
}

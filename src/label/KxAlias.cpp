#include "label/KxAlias.h"

#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <vector>

#include "base/Messages.h"
#include "types/KxMessages.h"

namespace {

struct TTableEntry {
    QString Name;
    std::optional<QString> Caption;
};

struct TAliasEntry {
    QString Name;
    std::vector<TTableEntry> Tables;
};

// Reads one object's string members, refusing keys outside Allowed so a misspelt key is not lost
// silently. Answers an error text, empty when the object is fine.
QString CheckKeys(const QJsonObject& Object, const QSet<QString>& Allowed, const QString& Where) {
    for (auto it = Object.begin(); it != Object.end(); ++it) {
        if (!Allowed.contains(it.key())) return QStringLiteral("%1: unknown key \"%2\"").arg(Where, it.key());
        if (it.key() != QLatin1String("Tables") && !it.value().isString())
            return QStringLiteral("%1: \"%2\" must be a string").arg(Where, it.key());
    }
    return {};
}

// The whole text is checked before anything changes, so a bad text leaves the catalogue as it was.
QString ParseCatalogue(const QString& Text, std::vector<TAliasEntry>& Entries) {
    if (Text.trimmed().isEmpty()) return {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(Text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset);
    if (!document.isArray()) return QStringLiteral("the catalogue must be an array of alias entries");
    const QJsonArray aliases = document.array();
    for (qsizetype i = 0; i < aliases.size(); ++i) {
        const QString where = QStringLiteral("alias entry %1").arg(i + 1);
        if (!aliases[i].isObject()) return where + QStringLiteral(": not an object");
        const QJsonObject alias = aliases[i].toObject();
        if (QString bad = CheckKeys(alias, {"Name", "Tables"}, where); !bad.isEmpty()) return bad;
        TAliasEntry entry{alias.value(QLatin1String("Name")).toString(), {}};
        const QJsonValue tables = alias.value(QLatin1String("Tables"));
        if (!tables.isUndefined() && !tables.isArray())
            return where + QStringLiteral(": \"Tables\" must be an array");
        const QJsonArray list = tables.toArray();
        for (qsizetype t = 0; t < list.size(); ++t) {
            const QString tableWhere = QStringLiteral("%1, table entry %2").arg(where).arg(t + 1);
            if (!list[t].isObject()) return tableWhere + QStringLiteral(": not an object");
            const QJsonObject table = list[t].toObject();
            if (QString bad = CheckKeys(table, {"Name", "Caption"}, tableWhere); !bad.isEmpty()) return bad;
            TTableEntry tableEntry{table.value(QLatin1String("Name")).toString(), {}};
            if (table.contains(QLatin1String("Caption")))
                tableEntry.Caption = table.value(QLatin1String("Caption")).toString();
            entry.Tables.push_back(std::move(tableEntry));
        }
        Entries.push_back(std::move(entry));
    }
    return {};
}

} // namespace

TKxAlias::TKxAlias(QObject* AOwner)
    : TKxCollection(AOwner) {}

TKxAliasItem* TKxAlias::Items(int Index) const {
    return static_cast<TKxAliasItem*>(GetItem(Index));
}

void TKxAlias::SetItems(int Index, const TKxAliasItem& Value) {
    Items(Index)->Assign(Value);
}

TKxAliasItem* TKxAlias::Add() {
    return static_cast<TKxAliasItem*>(AddItem());
}

std::unique_ptr<TKxCollectionItem> TKxAlias::CreateItem() {
    return std::make_unique<TKxAliasItem>(this);
}

QString TKxAlias::GetCatalogue() const {
    if (Count() == 0) return {};
    QJsonArray aliases;
    for (int i = 0; i < Count(); ++i) {
        const TKxAliasItem* item = Items(i);
        QJsonObject alias{{"Name", item->GetName()}};
        const TKxTables* tables = item->GetTables();
        if (tables->Count() > 0) {
            QJsonArray list;
            for (int t = 0; t < tables->Count(); ++t)
                list.append(QJsonObject{{"Name", tables->Items(t)->GetName()},
                                        {"Caption", tables->Items(t)->GetCaption()}});
            alias.insert(QLatin1String("Tables"), list);
        }
        aliases.append(alias);
    }
    return QString::fromUtf8(QJsonDocument(aliases).toJson(QJsonDocument::Compact));
}

bool TKxAlias::SetCatalogue(const QString& Text) {
    std::vector<TAliasEntry> entries;
    if (const QString error = ParseCatalogue(Text, entries); !error.isEmpty()) {
        ShowMessage(QString::fromUtf8(KxInvalidCatalogue).arg(error));
        return false;
    }
    Clear();
    for (const TAliasEntry& entry : entries) {
        TKxAliasItem* item = Add();
        item->SetName(entry.Name);
        for (const TTableEntry& table : entry.Tables) {
            TKxTableItem* tableItem = item->GetTables()->Add();
            // Through the setters, as Assign does: a written caption, even an empty one, wins.
            tableItem->SetName(table.Name);
            if (table.Caption) tableItem->SetCaption(*table.Caption);
        }
    }
    return true;
}

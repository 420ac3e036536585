#include "label/KxAliasItem.h"

#include "label/KxAlias.h"

TKxAliasItem::TKxAliasItem(TKxAlias* Alias)
    : TKxCollectionItem(Alias)
    , FTables(std::make_unique<TKxTables>(this)) {}

TKxAliasItem::~TKxAliasItem() = default;

void TKxAliasItem::SetName(const QString& Value) {
    FName = Value;
}

void TKxAliasItem::SetTables(const TKxTables* Value) {
    if (Value) FTables->Assign(*Value);
}

QString TKxAliasItem::GetDisplayName() const {
    return DisplayNameOr(FName);
}

void TKxAliasItem::Assign(const TKxCollectionItem& Source) {
    const auto* item = qobject_cast<const TKxAliasItem*>(&Source);
    if (!item) return TKxCollectionItem::Assign(Source);
    SetName(item->GetName());
}

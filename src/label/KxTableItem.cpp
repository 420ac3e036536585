#include "label/KxTableItem.h"

#include "label/KxTables.h"

TKxTableItem::TKxTableItem(TKxTables* Tables)
    : TKxCollectionItem(Tables) {}

void TKxTableItem::SetName(const QString& Value) {
    FName = Value;
    if (FCaption.isEmpty()) FCaption = Value;
}

void TKxTableItem::SetCaption(const QString& Value) {
    FCaption = Value;
}

QString TKxTableItem::GetDisplayName() const {
    return DisplayNameOr(FName);
}

void TKxTableItem::Assign(const TKxCollectionItem& Source) {
    const auto* item = qobject_cast<const TKxTableItem*>(&Source);
    if (!item) return TKxCollectionItem::Assign(Source);
    SetName(item->GetName());
    SetCaption(item->GetCaption());
}

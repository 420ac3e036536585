#include "label/KxTables.h"

#include "label/KxAliasItem.h"

TKxTables::TKxTables(TKxAliasItem* AOwner)
    : TKxCollection(AOwner) {}

TKxTableItem* TKxTables::Items(int Index) const {
    return static_cast<TKxTableItem*>(GetItem(Index));
}

void TKxTables::SetItems(int Index, const TKxTableItem& Value) {
    Items(Index)->Assign(Value);
}

TKxTableItem* TKxTables::Add() {
    return static_cast<TKxTableItem*>(AddItem());
}

std::unique_ptr<TKxCollectionItem> TKxTables::CreateItem() {
    return std::make_unique<TKxTableItem>(this);
}

#pragma once

#include "kxlab_export.h"
#include "label/KxCollection.h"
#include "label/KxTableItem.h"

class TKxAliasItem;

/// The table entries of one alias entry of the catalogue, in the order they are offered.
class KXLAB_EXPORT TKxTables : public TKxCollection {
    Q_OBJECT
public:
    /// Owner: the alias entry the tables belong to (null for a free-standing list).
    explicit TKxTables(TKxAliasItem* AOwner = nullptr);

    /// The item at Index, from 0 to Count() - 1; raises EInvalidOperation outside that range.
    TKxTableItem* Items(int Index) const;
    /// Items[Index] := Value: the item at Index takes Value through its Assign.
    void SetItems(int Index, const TKxTableItem& Value);
    /// Appends a new empty entry and answers it.
    TKxTableItem* Add();

protected:
    std::unique_ptr<TKxCollectionItem> CreateItem() override;
};

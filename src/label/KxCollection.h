#pragma once

#include <memory>
#include <QObject>
#include <vector>

#include "kxlab_export.h"
#include "label/KxCollectionItem.h"

/// An ordered, owning list of items of one kind, with an owner that design-time editors and
/// streaming name it by. Kinds derive from it and make their own items (CreateItem).
class KXLAB_EXPORT TKxCollection : public QObject {
    Q_OBJECT
public:
    ~TKxCollection() override;

    /// The object the collection was created for (a control, an item); may be null.
    QObject* GetOwner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    /// The item at Index, from 0 to Count() - 1; raises EInvalidOperation outside that range.
    TKxCollectionItem* GetItem(int Index) const;
    /// The position of Item, or -1 when it is not in this collection.
    int IndexOf(const TKxCollectionItem* Item) const;
    /// Frees the item at Index; raises EInvalidOperation outside the range.
    void Delete(int Index);
    /// Frees every item.
    void Clear();
    /// Replaces the items with new ones, each added and then given the source item through the
    /// item's own Assign, in order. A collection of another kind raises EInvalidOperation and
    /// leaves this one as it was.
    void Assign(const TKxCollection& Source);

protected:
    explicit TKxCollection(QObject* AOwner);
    /// A new item of this collection's kind, made with the collection as its collection.
    virtual std::unique_ptr<TKxCollectionItem> CreateItem() = 0;
    /// Appends a new item and answers it.
    TKxCollectionItem* AddItem();

private:
    void CheckIndex(int Index) const;

    QObject* FOwner = nullptr;
    std::vector<std::unique_ptr<TKxCollectionItem>> FItems;
};

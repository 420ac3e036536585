#include "label/KxCollection.h"

#include <algorithm>
#include <QString>

#include "base/InvalidOperation.h"

TKxCollection::TKxCollection(QObject* AOwner)
    : FOwner(AOwner) {}

TKxCollection::~TKxCollection() = default;

void TKxCollection::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
}

TKxCollectionItem* TKxCollection::GetItem(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

int TKxCollection::IndexOf(const TKxCollectionItem* Item) const {
    const auto it =
        std::find_if(FItems.begin(), FItems.end(),
                     [Item](const std::unique_ptr<TKxCollectionItem>& p) { return p.get() == Item; });
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TKxCollection::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

void TKxCollection::Clear() {
    FItems.clear();
}

TKxCollectionItem* TKxCollection::AddItem() {
    FItems.push_back(CreateItem());
    return FItems.back().get();
}

void TKxCollection::Assign(const TKxCollection& Source) {
    if (&Source == this) return;
    if (Source.metaObject() != metaObject()) KxCannotAssign(Source, *this);
    Clear();
    for (const auto& item : Source.FItems)
        AddItem()->Assign(*item);
}

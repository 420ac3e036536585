#pragma once

#include <memory>
#include <QString>

#include "kxlab_export.h"
#include "label/KxCollectionItem.h"
#include "label/KxTables.h"

class TKxAlias;

/// An alias the label dialog may offer, with the tables it offers for it under their captions.
/// Without table entries the session's own table list of the alias is offered.
class KXLAB_EXPORT TKxAliasItem : public TKxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(TKxTables* Tables READ GetTables WRITE SetTables)
public:
    /// An item of Alias, or a free-standing one when null.
    explicit TKxAliasItem(TKxAlias* Alias = nullptr);
    ~TKxAliasItem() override;

    /// An alias name of the database session.
    const QString& GetName() const { return FName; }
    void SetName(const QString& Value);
    /// The item's own table entries; never null.
    TKxTables* GetTables() const { return FTables.get(); }
    /// Copies Value into the owned entries (TKxTables::Assign); null does nothing.
    void SetTables(const TKxTables* Value);

    /// Name, or the default display name when Name is empty.
    QString GetDisplayName() const override;
    /// From another TKxAliasItem: copies Name only; this item's tables stay as they are.
    void Assign(const TKxCollectionItem& Source) override;

private:
    QString FName;
    std::unique_ptr<TKxTables> FTables;
};

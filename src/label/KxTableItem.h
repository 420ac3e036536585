#pragma once

#include <QString>

#include "kxlab_export.h"
#include "label/KxCollectionItem.h"

class TKxTables;

/// A table an alias offers under a caption: Name goes to the database layer, Caption to the user.
class KXLAB_EXPORT TKxTableItem : public TKxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
public:
    /// An item of Tables, or a free-standing one when null.
    explicit TKxTableItem(TKxTables* Tables = nullptr);

    const QString& GetName() const { return FName; }
    /// Also sets Caption to Value when Caption is empty at that moment.
    void SetName(const QString& Value);
    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& Value);

    /// Name, or the default display name when Name is empty.
    QString GetDisplayName() const override;
    /// From another TKxTableItem: SetName, then SetCaption, so the source's caption wins even when
    /// it is empty.
    void Assign(const TKxCollectionItem& Source) override;

private:
    QString FName;
    QString FCaption;
};

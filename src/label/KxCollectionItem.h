#pragma once

#include <QObject>
#include <QString>

#include "kxlab_export.h"

class TKxCollection;

/// One item of a TKxCollection. The collection creates, owns and frees its items; an item made
/// without a collection stands alone (a value to Assign from).
class KXLAB_EXPORT TKxCollectionItem : public QObject {
    Q_OBJECT
public:
    /// The collection that holds the item; null for a free-standing item.
    TKxCollection* GetCollection() const { return FCollection; }
    /// Position in the collection from 0; -1 for a free-standing item.
    int Index() const;
    /// The name editors show for the item: the class name unless a kind says better.
    virtual QString GetDisplayName() const;
    /// Copies Source into this item. This base accepts no source and raises EInvalidOperation
    /// ("Cannot assign a <source class> to a <target class>"); each kind accepts its own.
    virtual void Assign(const TKxCollectionItem& Source);

protected:
    explicit TKxCollectionItem(TKxCollection* ACollection);
    /// Name, or the default display name when Name is empty.
    QString DisplayNameOr(const QString& Name) const;

private:
    TKxCollection* FCollection = nullptr;
};

/// Raises EInvalidOperation "Cannot assign a <Source class> to a <Target class>".
[[noreturn]] KXLAB_EXPORT void KxCannotAssign(const QObject& Source, const QObject& Target);

#include "label/KxCollectionItem.h"

#include "base/InvalidOperation.h"
#include "label/KxCollection.h"

TKxCollectionItem::TKxCollectionItem(TKxCollection* ACollection)
    : FCollection(ACollection) {}

int TKxCollectionItem::Index() const {
    return FCollection ? FCollection->IndexOf(this) : -1;
}

QString TKxCollectionItem::GetDisplayName() const {
    return QString::fromLatin1(metaObject()->className());
}

QString TKxCollectionItem::DisplayNameOr(const QString& Name) const {
    return Name.isEmpty() ? TKxCollectionItem::GetDisplayName() : Name;
}

void TKxCollectionItem::Assign(const TKxCollectionItem& Source) {
    KxCannotAssign(Source, *this);
}

void KxCannotAssign(const QObject& Source, const QObject& Target) {
    throw EInvalidOperation(QStringLiteral("Cannot assign a %1 to a %2")
                                .arg(QLatin1String(Source.metaObject()->className()),
                                     QLatin1String(Target.metaObject()->className()))
                                .toStdString());
}

#pragma once

#include <QString>

#include "kxlab_export.h"
#include "label/KxAliasItem.h"
#include "label/KxCollection.h"

/// The catalogue of aliases and tables the label dialog offers. Empty: every alias of the session
/// with every table it lists. Otherwise only the session aliases named here (letter case ignored);
/// an entry with table entries replaces that alias's table list by their captions.
///
/// Catalogue is the whole collection as one JSON text, the form a host form or Qt Designer edits
/// and stores: an array of alias entries, each an object with "Name" and an optional "Tables"
/// array of objects with "Name" and an optional "Caption", e.g.
///     [{"Name": "Shop", "Tables": [{"Name": "cust.db", "Caption": "Customers"}]}, {"Name": "Stock"}]
/// A missing Caption follows the Name rule of TKxTableItem; an empty text is an empty catalogue.
class KXLAB_EXPORT TKxAlias : public TKxCollection {
    Q_OBJECT
    Q_PROPERTY(QString Catalogue READ GetCatalogue WRITE SetCatalogue)
public:
    /// Owner: the control the catalogue belongs to (null for a free-standing catalogue).
    explicit TKxAlias(QObject* AOwner = nullptr);

    /// The item at Index, from 0 to Count() - 1; raises EInvalidOperation outside that range.
    TKxAliasItem* Items(int Index) const;
    /// Items[Index] := Value: the item at Index takes Value through its Assign (Name only).
    void SetItems(int Index, const TKxAliasItem& Value);
    /// Appends a new empty entry and answers it.
    TKxAliasItem* Add();

    /// The catalogue as compact JSON text; empty for an empty catalogue.
    QString GetCatalogue() const;
    /// Replaces the catalogue by the one Text describes. Text that is not a catalogue changes
    /// nothing: the reason is shown through ShowMessage and the answer is false.
    bool SetCatalogue(const QString& Text);

protected:
    std::unique_ptr<TKxCollectionItem> CreateItem() override;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "types/KxStock.h"

/// The stocks KxLab knows without any catalogue installed: the commonest A4 and US Letter sheets, from
/// the makers' published sizes, kept as data in KxStocks.json (one entry per layout, with the part
/// numbers sold with it).
class TKxStockBuiltIn {
public:
    /// The built-in set, in the file's order. Their paper sizes are not filled in yet.
    static std::vector<TKxStock> Stocks();
    /// Reads a set written like KxStocks.json; raises EStreamError naming Name and the entry at fault.
    static std::vector<TKxStock> Read(const QByteArray& Json, const QString& Name);
};

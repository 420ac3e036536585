#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

#include "kxlab_export.h"
#include "types/KxStock.h"
#include "types/KxStockXml.h"

/// The label stocks a user can pick by maker and part number: the built-in set, then the XML catalogue
/// files found in the catalogue folders (each folder's *.xml, by name). A stock defined twice (the same
/// maker and part number, ignoring case, spaces and punctuation) keeps its first definition, so the
/// built-in set wins over the XML catalogue and an earlier folder over a later one. Equivalents take
/// the layout of their original. Stocks are sorted by maker, then part number (numbers by value).
///
/// A catalogue file that cannot be read is skipped and named in Warnings(); the others still load.
/// Without any catalogue file the built-in set is there alone.
class KXLAB_EXPORT TKxStockCatalogue {
public:
    /// At most this many XML files are read from one folder.
    static constexpr int MaxFilesPerFolder = 1000;

    /// The built-in set (unless WithBuiltIn is false) and the XML files of Folders (missing folders are
    /// passed over).
    explicit TKxStockCatalogue(const QStringList& Folders, bool WithBuiltIn = true);

    /// The folders searched by default: those listed in the environment variable KXLAB_STOCK_DIRS
    /// (separated by ':'; set but empty, none), else libglabels-3.0/templates under each of the
    /// system's shared data folders (XDG_DATA_HOME, then XDG_DATA_DIRS) where it exists.
    static QStringList DefaultFolders();

    const std::vector<TKxStock>& Stocks() const { return FStocks; }
    /// Files skipped, each with its name and why.
    const QStringList& Warnings() const { return FWarnings; }
    /// XML catalogue files read whole.
    int XmlFiles() const { return FXmlFiles; }

    /// The stocks whose maker and part number hold Text, ignoring case, spaces and punctuation ("l7160",
    /// "L 7160", "avery l7160"), or hold each of its words; every stock for an empty Text. Exact part
    /// numbers come first, then part numbers that start with Text, then the rest, each in catalogue
    /// order.
    std::vector<const TKxStock*> Search(const QString& Text) const;
    /// The stocks a name denotes exactly: its part number, or maker and part number, ignoring case,
    /// spaces and punctuation; more than one when makers share a part number.
    std::vector<const TKxStock*> Named(const QString& Name) const;
    /// The stock of this maker and part number (as a label keeps them), or null.
    const TKxStock* Lookup(const QString& Maker, const QString& Part) const;

private:
    void Add(TKxStock Stock);
    /// Reads the folder's stocks, and the paper sizes its files define into Papers.
    void ReadFolder(const QString& Folder, std::vector<TKxStockPaper>& Papers);
    void ResolveEquivalents();
    void ResolvePapers(const std::vector<TKxStockPaper>& Papers);
    void Sort();

    struct TKeys {
        QString Maker;
        QString Part;
        /// Maker and part together, as a search reads them.
        QString Both;
    };
    std::vector<TKxStock> FStocks;
    /// FStocks' search keys, index for index.
    std::vector<TKeys> FKeys;
    /// Maker and part keys of every stock added, to keep the first definition.
    QSet<QString> FNames;
    QStringList FWarnings;
    int FXmlFiles = 0;
};

/// The text search compares: letters and digits only, in lower case ("Avery L-7160" gives
/// "averyl7160").
KXLAB_EXPORT QString KxStockKey(QStringView Text);

/// The catalogue of the default folders, read on first use and kept for the process's life.
KXLAB_EXPORT const TKxStockCatalogue& KxStocks();

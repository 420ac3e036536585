#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "kxlab_export.h"
#include "types/KxStock.h"

/// A paper size a catalogue file defines, in millimetres.
struct KXLAB_EXPORT TKxStockPaper {
    QString Id;
    double Width = 0;
    double Height = 0;
};

/// What one XML catalogue file holds: stocks (an equivalent names its original and has no layout of
/// its own until the catalogue resolves it), or paper sizes. Files of other kinds hold nothing.
struct KXLAB_EXPORT TKxStockXmlFile {
    std::vector<TKxStock> Stocks;
    std::vector<TKxStockPaper> Papers;
};

/// The reader of the XML stock catalogue that desktop systems install under their shared data folders
/// (one file per maker: Template elements with a label shape and its Layout). The files come from
/// outside, so the reader keeps within limits: a file is at most MaxFileBytes, nests at most MaxDepth
/// elements, declares no DTD (so no entity can expand) and names no entity, and every number must be
/// one a sheet can have. A file that breaks any of these, or is not well formed, is refused whole with
/// EStreamError naming it, the line and the reason.
///
/// Shapes KxLab cannot draw are read, kept and marked (TKxStock::Issue), never dropped.
class KXLAB_EXPORT TKxStockXml {
public:
    static constexpr qint64 MaxFileBytes = qint64{4} << 20;
    static constexpr int MaxDepth = 16;
    /// Stocks and paper sizes one file may define.
    static constexpr int MaxEntries = 20000;

    /// Reads a file's bytes; Name names it in errors.
    static TKxStockXmlFile Read(const QByteArray& Bytes, const QString& Name);
    /// Reads a regular file of at most MaxFileBytes.
    static TKxStockXmlFile ReadFile(const QString& Path);
};

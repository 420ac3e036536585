#include "types/KxStockCatalogue.h"

#include <algorithm>
#include <numeric>
#include <QDir>
#include <QHash>
#include <QStandardPaths>

#include "base/StreamError.h"
#include "types/KxStockBuiltIn.h"

namespace {

// The papers stocks name most, for catalogues that come without their paper sizes file.
const TKxStockPaper KnownPapers[] = {
    {QStringLiteral("A4"), 210, 297},           {QStringLiteral("US-Letter"), 215.9, 279.4},
    {QStringLiteral("US-Legal"), 215.9, 355.6}, {QStringLiteral("US-Executive"), 184.15, 266.7},
    {QStringLiteral("A3"), 297, 420},           {QStringLiteral("A5"), 148, 210},
    {QStringLiteral("A6"), 105, 148},
};

constexpr int MaxEquivalentChain = 8;

QString PairKey(const QString& Maker, const QString& Part) {
    return Maker + QLatin1Char('\n') + Part;
}

// Numbers inside part numbers compare by value, so L7159 comes before L7160 and 5160 before 15160.
bool NaturalLess(const QString& A, const QString& B) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < A.size() && j < B.size()) {
        if (A[i].isDigit() && B[j].isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < A.size() && A[ei].isDigit())
                ++ei;
            while (ej < B.size() && B[ej].isDigit())
                ++ej;
            // Leading zeros aside, a longer run of digits is the larger number.
            const QStringView a = QStringView(A).mid(i, ei - i);
            const QStringView b = QStringView(B).mid(j, ej - j);
            const auto trimmed = [](QStringView s) {
                while (s.size() > 1 && s.front() == u'0')
                    s = s.mid(1);
                return s;
            };
            const QStringView ta = trimmed(a);
            const QStringView tb = trimmed(b);
            if (ta.size() != tb.size()) return ta.size() < tb.size();
            if (const int c = ta.compare(tb); c != 0) return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        const QChar a = A[i].toCaseFolded();
        const QChar b = B[j].toCaseFolded();
        if (a != b) return a < b;
        ++i;
        ++j;
    }
    return A.size() - i < B.size() - j;
}

// Everything of the original but its names.
void TakeLayout(TKxStock& To, const TKxStock& From) {
    const TKxStock own = To;
    To = From;
    To.Maker = own.Maker;
    To.Part = own.Part;
    To.Equivalent = own.Equivalent;
    To.Source = own.Source;
    To.File = own.File;
    if (!own.Description.isEmpty()) To.Description = own.Description;
}

} // namespace

QString KxStockKey(QStringView Text) {
    QString key;
    key.reserve(Text.size());
    for (const QChar c : Text)
        if (c.isLetterOrNumber()) key.append(c.toCaseFolded());
    return key;
}

TKxStockCatalogue::TKxStockCatalogue(const QStringList& Folders, bool WithBuiltIn) {
    try {
        if (WithBuiltIn)
            for (TKxStock& s : TKxStockBuiltIn::Stocks())
                Add(std::move(s));
    } catch (const EStreamError& e) {
        FWarnings.append(e.Message());
    }
    std::vector<TKxStockPaper> papers;
    for (const QString& folder : Folders)
        ReadFolder(folder, papers);
    ResolveEquivalents();
    ResolvePapers(papers);
    Sort();
}

QStringList TKxStockCatalogue::DefaultFolders() {
    if (qEnvironmentVariableIsSet("KXLAB_STOCK_DIRS"))
        return qEnvironmentVariable("KXLAB_STOCK_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                     QStringLiteral("libglabels-3.0/templates"),
                                     QStandardPaths::LocateDirectory);
}

void TKxStockCatalogue::Add(TKxStock Stock) {
    TKeys keys{KxStockKey(Stock.Maker), KxStockKey(Stock.Part), {}};
    keys.Both = keys.Maker + keys.Part;
    const QString name = PairKey(keys.Maker, keys.Part);
    if (FNames.contains(name)) return;
    FNames.insert(name);
    FStocks.push_back(std::move(Stock));
    FKeys.push_back(std::move(keys));
}

void TKxStockCatalogue::ReadFolder(const QString& Folder, std::vector<TKxStockPaper>& Papers) {
    const QDir dir(Folder);
    if (!dir.exists()) return;
    QStringList files = dir.entryList({QStringLiteral("*.xml")}, QDir::Files | QDir::Readable, QDir::Name);
    if (files.size() > MaxFilesPerFolder) {
        FWarnings.append(QStringLiteral("%1: only the first %2 of %3 catalogue files are read")
                             .arg(Folder)
                             .arg(MaxFilesPerFolder)
                             .arg(files.size()));
        files = files.mid(0, MaxFilesPerFolder);
    }
    for (const QString& name : files) {
        try {
            TKxStockXmlFile file = TKxStockXml::ReadFile(dir.filePath(name));
            for (TKxStock& s : file.Stocks)
                Add(std::move(s));
            Papers.insert(Papers.end(), file.Papers.begin(), file.Papers.end());
            ++FXmlFiles;
        } catch (const EStreamError& e) {
            FWarnings.append(QStringLiteral("%1; the file is skipped").arg(e.Message()));
        }
    }
}

void TKxStockCatalogue::ResolveEquivalents() {
    QHash<QString, size_t> index;
    for (size_t i = 0; i < FStocks.size(); ++i)
        index.insert(PairKey(FKeys[i].Maker, FKeys[i].Part), i);
    // Resolved in turns, so an equivalent of an equivalent follows once its original has a layout.
    for (int turn = 0; turn < MaxEquivalentChain; ++turn) {
        bool changed = false;
        for (size_t i = 0; i < FStocks.size(); ++i) {
            TKxStock& s = FStocks[i];
            if (s.Equivalent.isEmpty() || s.Layouts != 0) continue;
            const auto it = index.constFind(PairKey(FKeys[i].Maker, KxStockKey(s.Equivalent)));
            if (it == index.constEnd() || *it == i || FStocks[*it].Layouts == 0) continue;
            TakeLayout(s, FStocks[*it]);
            changed = true;
        }
        if (!changed) break;
    }
}

void TKxStockCatalogue::ResolvePapers(const std::vector<TKxStockPaper>& Papers) {
    const auto find = [&](const QString& Id) -> const TKxStockPaper* {
        for (const TKxStockPaper& p : Papers)
            if (p.Id.compare(Id, Qt::CaseInsensitive) == 0) return &p;
        for (const TKxStockPaper& p : KnownPapers)
            if (p.Id.compare(Id, Qt::CaseInsensitive) == 0) return &p;
        return nullptr;
    };
    for (TKxStock& s : FStocks) {
        if (s.PaperWidth > 0 && s.PaperHeight > 0) continue;
        if (const TKxStockPaper* p = find(s.PaperName)) {
            s.PaperWidth = p->Width;
            s.PaperHeight = p->Height;
        }
    }
}

void TKxStockCatalogue::Sort() {
    std::vector<size_t> order(FStocks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        const TKxStock& x = FStocks[a];
        const TKxStock& y = FStocks[b];
        if (FKeys[a].Maker != FKeys[b].Maker) return NaturalLess(x.Maker, y.Maker);
        return NaturalLess(x.Part, y.Part);
    });
    std::vector<TKxStock> stocks;
    std::vector<TKeys> keys;
    stocks.reserve(order.size());
    keys.reserve(order.size());
    for (const size_t i : order) {
        stocks.push_back(std::move(FStocks[i]));
        keys.push_back(std::move(FKeys[i]));
    }
    FStocks = std::move(stocks);
    FKeys = std::move(keys);
}

std::vector<const TKxStock*> TKxStockCatalogue::Search(const QString& Text) const {
    const QString joined = KxStockKey(Text);
    QStringList words;
    for (const QString& w : Text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (const QString k = KxStockKey(w); !k.isEmpty()) words.append(k);
    std::vector<const TKxStock*> ranked[3];
    for (size_t i = 0; i < FStocks.size(); ++i) {
        const TKeys& k = FKeys[i];
        const QString& both = k.Both;
        const bool match =
            both.contains(joined) ||
            std::all_of(words.begin(), words.end(), [&](const QString& w) { return both.contains(w); });
        if (!match) continue;
        const int rank = joined.isEmpty()                     ? 2
                         : k.Part == joined || both == joined ? 0
                         : k.Part.startsWith(joined)          ? 1
                                                              : 2;
        ranked[rank].push_back(&FStocks[i]);
    }
    std::vector<const TKxStock*> found = std::move(ranked[0]);
    for (int r = 1; r < 3; ++r)
        found.insert(found.end(), ranked[r].begin(), ranked[r].end());
    return found;
}

std::vector<const TKxStock*> TKxStockCatalogue::Named(const QString& Name) const {
    const QString key = KxStockKey(Name);
    std::vector<const TKxStock*> found;
    if (key.isEmpty()) return found;
    for (size_t i = 0; i < FStocks.size(); ++i)
        if (FKeys[i].Part == key || FKeys[i].Both == key) found.push_back(&FStocks[i]);
    return found;
}

const TKxStock* TKxStockCatalogue::Lookup(const QString& Maker, const QString& Part) const {
    const QString maker = KxStockKey(Maker);
    const QString part = KxStockKey(Part);
    for (size_t i = 0; i < FStocks.size(); ++i)
        if (FKeys[i].Maker == maker && FKeys[i].Part == part) return &FStocks[i];
    return nullptr;
}

const TKxStockCatalogue& KxStocks() {
    static const TKxStockCatalogue catalogue(TKxStockCatalogue::DefaultFolders());
    return catalogue;
}

#include "types/KxStockBuiltIn.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/StreamError.h"

namespace {

const QString ResourcePath = QStringLiteral(":/kxlab/stocks/KxStocks.json");

struct EEntryProblem {
    QString Text;
};

QString Text(const QJsonObject& Entry, const char* Key) {
    const QJsonValue v = Entry.value(QLatin1String(Key));
    if (!v.isString() || v.toString().trimmed().isEmpty())
        throw EEntryProblem{QStringLiteral("no %1").arg(QLatin1String(Key))};
    return v.toString().trimmed();
}

double Length(const QJsonObject& Entry, const char* Key, bool Required = true) {
    if (!Required && !Entry.contains(QLatin1String(Key))) return 0;
    const QString text = Text(Entry, Key);
    const std::optional<double> mm = KxParseStockLength(text);
    if (!mm) throw EEntryProblem{QStringLiteral("%1 \"%2\" is not a length").arg(QLatin1String(Key), text)};
    return *mm;
}

int32_t Count(const QJsonObject& Entry, const char* Key) {
    const QJsonValue v = Entry.value(QLatin1String(Key));
    if (!v.isDouble() || v.toDouble() != v.toInt())
        throw EEntryProblem{QStringLiteral("%1 is not a whole number").arg(QLatin1String(Key))};
    return v.toInt();
}

// One entry: a layout and the part numbers sold with it.
std::vector<TKxStock> ReadEntry(const QJsonObject& Entry) {
    TKxStock stock;
    stock.Maker = Text(Entry, "maker");
    stock.Description = Text(Entry, "description");
    stock.PaperName = Text(Entry, "paper");
    const QString shape = Entry.value(QLatin1String("shape")).toString(QStringLiteral("rectangle"));
    if (shape == u"round")
        stock.Shape = TKxStockShape::Round;
    else if (shape != u"rectangle")
        throw EEntryProblem{QStringLiteral("shape \"%1\" is neither rectangle nor round").arg(shape)};
    stock.Width = Length(Entry, "width");
    stock.Height = Length(Entry, "height");
    if (Entry.contains(QLatin1String("radius"))) stock.CornerRadius = Length(Entry, "radius");
    stock.HoleRadius = Length(Entry, "hole", false);
    stock.Columns = Count(Entry, "columns");
    stock.Rows = Count(Entry, "rows");
    stock.Left = Length(Entry, "left");
    stock.Top = Length(Entry, "top");
    stock.PitchX = Length(Entry, "pitchX");
    stock.PitchY = Length(Entry, "pitchY");
    const QJsonArray parts = Entry.value(QLatin1String("parts")).toArray();
    if (parts.isEmpty()) throw EEntryProblem{QStringLiteral("no parts")};
    std::vector<TKxStock> stocks;
    for (const QJsonValue& part : parts) {
        stock.Part = part.toString().trimmed();
        if (stock.Part.isEmpty()) throw EEntryProblem{QStringLiteral("an empty part number")};
        if (const QString error = KxStockNumbersError(stock); !error.isEmpty()) throw EEntryProblem{error};
        stocks.push_back(stock);
    }
    return stocks;
}

} // namespace

std::vector<TKxStock> TKxStockBuiltIn::Stocks() {
    QFile file(ResourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("%1 is missing").arg(ResourcePath));
    return Read(file.readAll(), ResourcePath);
}

std::vector<TKxStock> TKxStockBuiltIn::Read(const QByteArray& Json, const QString& Name) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(Json, &error);
    if (doc.isNull())
        throw EStreamError(
            QStringLiteral("%1, byte %2: %3").arg(Name).arg(error.offset).arg(error.errorString()));
    const QJsonArray entries = doc.object().value(QLatin1String("stocks")).toArray();
    std::vector<TKxStock> stocks;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        try {
            for (TKxStock& s : ReadEntry(entries.at(i).toObject()))
                stocks.push_back(std::move(s));
        } catch (const EEntryProblem& problem) {
            throw EStreamError(QStringLiteral("%1, entry %2: %3").arg(Name).arg(i + 1).arg(problem.Text));
        }
    }
    return stocks;
}

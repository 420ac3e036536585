#include "types/KxStockXml.h"

#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include "base/StreamError.h"

namespace {

// What went wrong inside the document; Read adds the file and the line.
struct EXmlProblem {
    QString Text;
};

/// Walks the document token by token, so every token passes the limits: no DTD, no entity, no
/// nesting beyond the cap, no more entries than the cap.
class TStockReader {
public:
    TStockReader(const QByteArray& Bytes, const QString& Name)
        : FXml(Bytes)
        , FName(Name) {}

    TKxStockXmlFile ReadDocument();
    qint64 Line() const { return FXml.lineNumber(); }

private:
    /// The next token that matters: a start or end element, or the end of the document.
    QXmlStreamReader::TokenType Next();
    /// Reads the children of the current element: each start element goes to Child, which reads it to
    /// its end (or leaves it to be skipped).
    template <class TChild>
    void Children(TChild Child);
    void Skip();
    void Entry();

    QString Attribute(const char* Name) const;
    QString Required(const char* Name) const;
    double Length(const char* Name, double Default) const;
    double RequiredLength(const char* Name) const;
    int32_t Count(const char* Name) const;

    void ReadPaper(TKxStockXmlFile& File);
    void ReadTemplate(TKxStockXmlFile& File);
    void ReadShape(TKxStock& Stock, int& Shapes);
    void ReadLayout(TKxStock& Stock, int& Layouts);

    QXmlStreamReader FXml;
    QString FName;
    int FDepth = 0;
    int FEntries = 0;
};

QXmlStreamReader::TokenType TStockReader::Next() {
    for (;;) {
        const QXmlStreamReader::TokenType token = FXml.readNext();
        switch (token) {
        case QXmlStreamReader::DTD: throw EXmlProblem{QStringLiteral("a DTD is not allowed")};
        case QXmlStreamReader::EntityReference:
            throw EXmlProblem{QStringLiteral("the entity &%1; is not allowed").arg(FXml.name())};
        case QXmlStreamReader::Invalid: throw EXmlProblem{FXml.errorString()};
        case QXmlStreamReader::StartElement:
            if (++FDepth > TKxStockXml::MaxDepth)
                throw EXmlProblem{QStringLiteral("elements nest deeper than %1").arg(TKxStockXml::MaxDepth)};
            return token;
        case QXmlStreamReader::EndElement: --FDepth; return token;
        case QXmlStreamReader::EndDocument: return token;
        default: break;
        }
    }
}

template <class TChild>
void TStockReader::Children(TChild Child) {
    const int depth = FDepth;
    for (;;) {
        const QXmlStreamReader::TokenType token = Next();
        if (token == QXmlStreamReader::EndDocument)
            throw EXmlProblem{QStringLiteral("the document ends early")};
        if (token == QXmlStreamReader::EndElement && FDepth < depth) return;
        if (token != QXmlStreamReader::StartElement) continue;
        Child(FXml.name());
        // A child left unread is skipped, its own children included.
        if (FDepth > depth) Skip();
    }
}

void TStockReader::Skip() {
    const int depth = FDepth;
    while (FDepth >= depth)
        if (Next() == QXmlStreamReader::EndDocument)
            throw EXmlProblem{QStringLiteral("the document ends early")};
}

void TStockReader::Entry() {
    if (++FEntries > TKxStockXml::MaxEntries)
        throw EXmlProblem{QStringLiteral("more than %1 entries").arg(TKxStockXml::MaxEntries)};
}

QString TStockReader::Attribute(const char* Name) const {
    return FXml.attributes().value(QLatin1String(Name)).toString();
}

QString TStockReader::Required(const char* Name) const {
    if (!FXml.attributes().hasAttribute(QLatin1String(Name)))
        throw EXmlProblem{QStringLiteral("%1 has no %2").arg(FXml.name(), QLatin1String(Name))};
    return Attribute(Name);
}

double TStockReader::Length(const char* Name, double Default) const {
    if (!FXml.attributes().hasAttribute(QLatin1String(Name))) return Default;
    const QString text = Attribute(Name).trimmed();
    // Catalogues in use leave a value out as "" or as a bare unit ("in"): such a value is not given.
    if (text.isEmpty() || (text.front().isLetter() && KxParseStockLength(QStringLiteral("0") + text)))
        return Default;
    const std::optional<double> mm = KxParseStockLength(text);
    if (!mm)
        throw EXmlProblem{
            QStringLiteral("%1 %2=\"%3\" is not a length").arg(FXml.name(), QLatin1String(Name), text)};
    return *mm;
}

double TStockReader::RequiredLength(const char* Name) const {
    Required(Name);
    return Length(Name, 0);
}

int32_t TStockReader::Count(const char* Name) const {
    const QString text = Required(Name);
    bool ok = false;
    // Decimal, 0x hexadecimal or 0 octal, as the format allows.
    const uint value = text.trimmed().toUInt(&ok, 0);
    if (!ok || value > 1000000)
        throw EXmlProblem{
            QStringLiteral("%1 %2=\"%3\" is not a count").arg(FXml.name(), QLatin1String(Name), text)};
    return static_cast<int32_t>(value);
}

TKxStockXmlFile TStockReader::ReadDocument() {
    TKxStockXmlFile file;
    if (Next() != QXmlStreamReader::StartElement) throw EXmlProblem{QStringLiteral("there is no element")};
    const QString root = FXml.name().toString();
    if (root == u"Glabels-templates")
        Children([&](QStringView Name) {
            if (Name == u"Template") ReadTemplate(file);
        });
    else if (root == u"Glabels-paper-sizes")
        Children([&](QStringView Name) {
            if (Name == u"Paper-size") ReadPaper(file);
        });
    else
        Skip();
    // Nothing but comments and white space may follow the root.
    if (Next() != QXmlStreamReader::EndDocument)
        throw EXmlProblem{QStringLiteral("more than one root element")};
    return file;
}

void TStockReader::ReadPaper(TKxStockXmlFile& File) {
    Entry();
    TKxStockPaper paper{Required("id"), RequiredLength("width"), RequiredLength("height")};
    TKxStock probe;
    probe.Maker = QStringLiteral("paper");
    probe.Part = paper.Id;
    probe.Width = paper.Width;
    probe.Height = paper.Height;
    if (const QString error = KxStockNumbersError(probe); !error.isEmpty()) throw EXmlProblem{error};
    File.Papers.push_back(std::move(paper));
}

void TStockReader::ReadTemplate(TKxStockXmlFile& File) {
    Entry();
    TKxStock stock;
    stock.Source = TKxStockSource::Xml;
    stock.File = FName;
    stock.Maker = Required("brand").trimmed();
    stock.Part = Required("part").trimmed();
    stock.Equivalent = Attribute("equiv").trimmed();
    stock.Description = Attribute("_description");
    if (stock.Description.isEmpty()) stock.Description = Attribute("description");
    stock.PaperName = Attribute("size");
    if (stock.PaperName == u"Other") {
        stock.PaperWidth = RequiredLength("width");
        stock.PaperHeight = RequiredLength("height");
    }
    if (stock.Maker.isEmpty() || stock.Part.isEmpty())
        throw EXmlProblem{QStringLiteral("a Template without a brand or a part number")};
    int shapes = 0;
    Children([&](QStringView Name) {
        if (Name.startsWith(u"Label-")) ReadShape(stock, shapes);
    });
    if (!stock.Equivalent.isEmpty())
        stock.Layouts = 0;
    else {
        if (shapes == 0) throw EXmlProblem{QStringLiteral("%1 has no label shape").arg(stock.Name())};
        if (shapes > 1) stock.Layouts = std::max(stock.Layouts, shapes);
        if (const QString error = KxStockNumbersError(stock); !error.isEmpty()) throw EXmlProblem{error};
    }
    File.Stocks.push_back(std::move(stock));
}

void TStockReader::ReadShape(TKxStock& Stock, int& Shapes) {
    // Only the first shape is laid out; a second one makes the stock unavailable.
    if (++Shapes > 1) return;
    const QString name = FXml.name().toString();
    if (name == u"Label-rectangle") {
        Stock.Shape = TKxStockShape::Rectangle;
        Stock.Width = RequiredLength("width");
        Stock.Height = RequiredLength("height");
        Stock.CornerRadius = Length("round", 0);
    } else if (name == u"Label-round" || name == u"Label-cd") {
        const double radius = RequiredLength("radius");
        Stock.Shape = TKxStockShape::Round;
        Stock.Width = Stock.Height = 2 * radius;
        if (name == u"Label-cd") {
            Stock.HoleRadius = RequiredLength("hole");
            // A disc cut to a narrower width or height (a business-card disc) is not a circle.
            const double w = Length("width", 2 * radius);
            const double h = Length("height", 2 * radius);
            if (w < 2 * radius - 0.01 || h < 2 * radius - 0.01) {
                Stock.Shape = TKxStockShape::CutDisc;
                Stock.Width = w;
                Stock.Height = h;
            }
        }
    } else if (name == u"Label-ellipse") {
        Stock.Shape = TKxStockShape::Ellipse;
        Stock.Width = RequiredLength("width");
        Stock.Height = RequiredLength("height");
    } else {
        // A shape of a newer catalogue (a path...): kept, marked, and its size read when it has one.
        Stock.Shape = TKxStockShape::Other;
        Stock.ShapeName = name.mid(6);
        Stock.Width = Length("width", 1);
        Stock.Height = Length("height", 1);
    }
    int layouts = 0;
    Children([&](QStringView Name) {
        if (Name == u"Layout") ReadLayout(Stock, layouts);
    });
    if (layouts == 0) throw EXmlProblem{QStringLiteral("%1 has no layout").arg(Stock.Name())};
    Stock.Layouts = layouts;
}

void TStockReader::ReadLayout(TKxStock& Stock, int& Layouts) {
    if (++Layouts > 1) return;
    Stock.Columns = Count("nx");
    Stock.Rows = Count("ny");
    Stock.Left = Length("x0", 0);
    Stock.Top = Length("y0", 0);
    Stock.PitchX = Length("dx", 0);
    Stock.PitchY = Length("dy", 0);
}

} // namespace

TKxStockXmlFile TKxStockXml::Read(const QByteArray& Bytes, const QString& Name) {
    if (Bytes.size() > MaxFileBytes)
        throw EStreamError(QStringLiteral("%1: larger than %2 bytes").arg(Name).arg(MaxFileBytes));
    TStockReader reader(Bytes, Name);
    try {
        return reader.ReadDocument();
    } catch (const EXmlProblem& problem) {
        throw EStreamError(QStringLiteral("%1, line %2: %3").arg(Name).arg(reader.Line()).arg(problem.Text));
    }
}

TKxStockXmlFile TKxStockXml::ReadFile(const QString& Path) {
    const QFileInfo info(Path);
    if (!info.isFile()) throw EStreamError(QStringLiteral("%1: not a regular file").arg(Path));
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("%1: %2").arg(Path, file.errorString()));
    // Read one byte past the cap, so a file that grew after the check is still refused.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EStreamError(QStringLiteral("%1: %2").arg(Path, file.errorString()));
    return Read(bytes, Path);
}

#include "metafile/SvgCheck.h"

#include <QBuffer>
#include <QImageReader>
#include <QXmlStreamReader>

#include "base/InvalidGraphic.h"

namespace {

// A data: picture may hold SVG that holds a data: picture...: deeper than this is refused.
constexpr int MaxNesting = 4;

// What the renderer reads an <image> from: the bytes after the last "base64," of a data: URL, which is
// how Qt decodes it, or nothing for any other data: URL.
QByteArray EmbeddedBytes(const QString& Url) {
    const qsizetype at = Url.lastIndexOf(QLatin1String("base64,"));
    return at < 0 ? QByteArray() : QByteArray::fromBase64(Url.mid(at + 7).toLatin1());
}

class TSvgChecker {
public:
    TSvgChecker(const QString& Source, int Depth)
        : FSource(Source)
        , FDepth(Depth) {}

    void Check(const QByteArray& Bytes) {
        QXmlStreamReader xml(Bytes);
        bool inStyle = false;
        while (!xml.atEnd()) {
            switch (xml.readNext()) {
            case QXmlStreamReader::DTD: CheckEntities(xml); break;
            case QXmlStreamReader::ProcessingInstruction:
                if (xml.processingInstructionTarget().compare(QLatin1String("xml-stylesheet"),
                                                              Qt::CaseInsensitive) == 0)
                    Refuse(QStringLiteral("it names an outside style sheet"));
                break;
            case QXmlStreamReader::StartElement:
                inStyle = xml.name() == QLatin1String("style");
                CheckElement(xml);
                break;
            case QXmlStreamReader::EndElement: inStyle = false; break;
            case QXmlStreamReader::Characters:
                if (inStyle) CheckStyle(xml.text().toString());
                break;
            default: break;
            }
        }
        if (xml.hasError())
            Refuse(QStringLiteral("it is not well-formed (line %1: %2)")
                       .arg(xml.lineNumber())
                       .arg(xml.errorString()));
    }

private:
    [[noreturn]] void Refuse(const QString& Why) const {
        throw EInvalidGraphic(
            QStringLiteral("%1: the SVG picture is refused: %2; an SVG picture may only use "
                           "what it carries (its own elements and data: pictures)")
                .arg(FSource, Why));
    }

    static QString Shown(const QString& Text) { return Text.size() > 80 ? Text.left(77) + "..." : Text; }

    void CheckEntities(const QXmlStreamReader& Xml) const {
        for (const QXmlStreamEntityDeclaration& entity : Xml.entityDeclarations())
            if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty() ||
                !entity.notationName().isEmpty())
                Refuse(QStringLiteral("the entity \"%1\" is declared outside the document")
                           .arg(Shown(entity.name().toString())));
    }

    void CheckElement(const QXmlStreamReader& Xml) {
        const QString element = Xml.name().toString();
        // The renderer reads any link of a picture element that does not start with "data" as a file.
        const bool picture = element == QLatin1String("image") || element == QLatin1String("feImage");
        for (const QXmlStreamAttribute& attribute : Xml.attributes()) {
            const QString name = attribute.name().toString();
            const QString value = attribute.value().toString();
            if (name.compare(QLatin1String("href"), Qt::CaseInsensitive) == 0 ||
                name.compare(QLatin1String("src"), Qt::CaseInsensitive) == 0) {
                if (value.startsWith(QLatin1String("data:")))
                    CheckEmbedded(value);
                else if (picture || !value.startsWith(QLatin1Char('#')))
                    Refuse(QStringLiteral("<%1> refers to \"%2\"").arg(Shown(element), Shown(value)));
            } else {
                CheckStyle(value);
            }
        }
    }

    // Style text, in a <style> element or any attribute: no import, url() only to #id or data:.
    void CheckStyle(const QString& Text) const {
        if (Text.contains(QLatin1String("@import"), Qt::CaseInsensitive))
            Refuse(QStringLiteral("its style imports another style sheet"));
        for (qsizetype at = Text.indexOf(QLatin1String("url("), 0, Qt::CaseInsensitive); at >= 0;
             at = Text.indexOf(QLatin1String("url("), at + 4, Qt::CaseInsensitive)) {
            const qsizetype end = Text.indexOf(QLatin1Char(')'), at + 4);
            QString target = Text.mid(at + 4, end < 0 ? -1 : end - at - 4).trimmed();
            if (target.startsWith(QLatin1Char('"')) || target.startsWith(QLatin1Char('\'')))
                target = target.mid(1).trimmed();
            if (!target.startsWith(QLatin1Char('#')) && !target.startsWith(QLatin1String("data:")))
                Refuse(QStringLiteral("its style refers to \"%1\"").arg(Shown(target)));
        }
    }

    void CheckEmbedded(const QString& Url) const {
        const QByteArray bytes = EmbeddedBytes(Url);
        if (bytes.isEmpty()) return;
        const QByteArray format = QtImageFormat(bytes);
        if (format == "svgz" || bytes.startsWith("\x1f\x8b"))
            Refuse(QStringLiteral("it embeds a compressed SVG picture"));
        if (format != "svg" && !LooksLikeSvg(bytes)) return;
        if (FDepth >= MaxNesting)
            Refuse(QStringLiteral("its embedded SVG pictures nest more than %1 deep").arg(MaxNesting));
        TSvgChecker(FSource, FDepth + 1).Check(bytes);
    }

    const QString& FSource;
    int FDepth;
};

} // namespace

QByteArray QtImageFormat(const QByteArray& Bytes) {
    QBuffer buffer;
    buffer.setData(Bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer);
}

bool LooksLikeSvg(const QByteArray& Bytes) {
    const QByteArray head = Bytes.left(1024).trimmed();
    return head.startsWith('<') && Bytes.left(4096).contains("<svg");
}

void CheckSvgSelfContained(const QByteArray& Bytes, const QString& Source) {
    TSvgChecker(Source, 0).Check(Bytes);
}

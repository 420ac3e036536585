#include "gdi/LineBreak.h"

#include "gdi/CanvasTypes.h"
#include "gdi/TextLayout.h"

namespace {

bool IsBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

std::vector<QString> SplitParagraphs(const QString& text) {
    std::vector<QString> paragraphs;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsBreak(text[i])) {
            current += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        paragraphs.push_back(current);
        current.clear();
    }
    if (!current.isEmpty() || paragraphs.empty()) paragraphs.push_back(current);
    if (text.isEmpty()) paragraphs.clear();
    return paragraphs;
}

qsizetype SkipSpaces(const QString& Text, qsizetype I) {
    while (I < Text.size() && Text[I] == u' ')
        ++I;
    return I;
}

// The end of the longest run of whole words from Start that fits in Width; at least one word. The
// line so far is measured once, each next word added to it, so a long line costs no more than its
// length.
qsizetype FittingEnd(const QString& Paragraph, qsizetype Start, const TLogFont& Font, int32_t CharExtra,
                     double Width) {
    qsizetype end = -1;
    TTextMeasure fitted(Font, CharExtra);
    for (qsizetype i = SkipSpaces(Paragraph, Start); i < Paragraph.size(); i = SkipSpaces(Paragraph, i)) {
        qsizetype wordEnd = i;
        while (wordEnd < Paragraph.size() && Paragraph[wordEnd] != u' ')
            ++wordEnd;
        const qsizetype from = end >= 0 ? end : Start;
        TTextMeasure tried = fitted;
        tried.Append(Paragraph.mid(from, wordEnd - from));
        if (end >= 0 && tried.Width() > Width) break;
        fitted = tried;
        end = wordEnd;
        i = wordEnd;
    }
    return end < 0 ? Paragraph.size() : end;
}

void WrapParagraph(const QString& Paragraph, const TLogFont& Font, int32_t CharExtra, double Width,
                   std::vector<QString>& Lines) {
    qsizetype start = 0;
    do {
        const qsizetype end = FittingEnd(Paragraph, start, Font, CharExtra, Width);
        Lines.push_back(Paragraph.mid(start, end - start));
        start = SkipSpaces(Paragraph, end);
    } while (start < Paragraph.size());
}

} // namespace

std::vector<QString> BreakTextLines(const QString& Text, uint32_t Flags, const TLogFont& Font,
                                    int32_t CharExtra, double Width) {
    std::vector<QString> paragraphs = SplitParagraphs(Text);
    if (Flags & DT_SINGLELINE) {
        QString joined;
        for (const QString& p : paragraphs)
            joined += p;
        return {joined};
    }
    if (!(Flags & DT_WORDBREAK)) return paragraphs;
    std::vector<QString> lines;
    for (const QString& paragraph : paragraphs)
        WrapParagraph(paragraph, Font, CharExtra, Width, lines);
    return lines;
}

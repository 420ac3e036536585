#include "elements/KxParagraph.h"

#include <cstdint>
#include <limits>

#include "base/Saturate.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"

namespace {

bool IsSeparator(QChar c) {
    return c == u'\r' || c == u'\n' || c == u' ';
}

uint32_t DrawTextFlags(TTextFormat Format) {
    const uint32_t base = DT_WORDBREAK | DT_NOPREFIX;
    switch (Format) {
    case tfRight: return base | DT_RIGHT;
    case tfCenter: return base | DT_CENTER;
    default: return base;
    }
}

} // namespace

TKxParagraph::TKxParagraph(TKxOwner* AOwner)
    : TKxDataText(AOwner) {}

void TKxParagraph::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    TRect r = PlacedBox(Origin);
    if (Transparent) {
        canvas->Brush.Style = bsClear;
    } else {
        canvas->Brush = {BackColor, bsSolid};
        canvas->FillRect(r);
    }
    if (Border) {
        canvas->Pen.Color = LineColor;
        canvas->Pen.Width = PenWidth;
        canvas->Pen.Style = psInsideFrame;
        canvas->Rectangle(r);
    }
    // The same inset with or without a frame, so switching the frame never reflows the text.
    const int64_t inset = int64_t{PenWidth} + 5;
    InsetRect(r, inset, inset);
    AdjustCanvas(*canvas);
    const QString text = Content(C);
    if (Format == taJustify)
        JustifyText(*canvas, r, text);
    else
        canvas->DrawText(text, r, DrawTextFlags(Format));
    if (C.Target == tdLab) Bounds = WindowBox(C.Screen);
}

void TKxParagraph::JustifyText(TCanvas& Canvas, const TRect& Box, const QString& Text) const {
    // Wide enough for a box that spans the whole coordinate range.
    const int64_t width = int64_t{Box.Right} - Box.Left;
    // Wide enough that a line height read from a file, added once per line, never overflows.
    int64_t y = Box.Top;
    QString line;
    // The width of line, kept as words are added: measuring the whole line again for every word
    // made a long paragraph in a wide box take quadratic time.
    TTextMeasure lineWidth = Canvas.TextMeasure();
    int32_t gaps = 0;
    // An empty pending line writes nothing, though it still takes its line step.
    auto writeLine = [&] {
        if (y < Box.Bottom && y >= std::numeric_limits<int32_t>::min() && !line.isEmpty())
            Canvas.TextOut(Box.Left, static_cast<int32_t>(y), line);
        y += Height;
    };
    qsizetype i = 0;
    const qsizetype n = Text.size();
    while (i < n) {
        while (i < n && IsSeparator(Text[i]))
            ++i;
        const qsizetype start = i;
        while (i < n && !IsSeparator(Text[i]))
            ++i;
        const QString word = Text.mid(start, i - start);
        Canvas.SetTextJustification(0, 0);
        // The fit test always counts the joining space, even for the first word of a line.
        TTextMeasure tried = lineWidth;
        tried.Append(u' ' + word);
        if (tried.Rounded() > width) {
            Canvas.SetTextJustification(Saturate32(width - lineWidth.Rounded()), gaps);
            writeLine();
            line = word;
            lineWidth.Clear();
            lineWidth.Append(word);
            gaps = 0;
        } else if (!line.isEmpty()) {
            line += u' ' + word;
            lineWidth = tried;
            ++gaps;
        } else {
            line = word;
            lineWidth.Append(word);
        }
        if (i == n || Text[i] == u'\r' || Text[i] == u'\n') {
            Canvas.SetTextJustification(0, 0);
            writeLine();
            line.clear();
            lineWidth.Clear();
            gaps = 0;
        }
    }
}

void TKxParagraph::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxDataText::SaveToStream(S);
    WriteByte(S, Format);
}

void TKxParagraph::LoadFromStream(QDataStream& S, int Version) {
    TKxDataText::LoadFromStream(S, Version);
    const uint8_t format = ReadByte(S);
    if (format <= taJustify) Format = static_cast<TTextFormat>(format);
}

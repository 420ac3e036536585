#include "gdi/TextLayout.h"

#include <cmath>
#include <cstdlib>

#include "gdi/CanvasTypes.h"
#include "gdi/FontFace.h"

TTextLayout LayoutText(const TLogFont& font, const QString& text, int32_t charExtra, int32_t justExtra,
                       int32_t justBreaks, uint32_t align) {
    const TFontFace& face = TFontFace::For(font);
    TTextLayout layout;
    layout.Em = face.EmFor(font.lfHeight);
    layout.Ascent = face.Ascent() * layout.Em;
    layout.Descent = face.Descent() * layout.Em;
    layout.Escapement = font.lfEscapement;
    layout.Glyphs = face.Glyphs(text);
    const std::vector<double> advances = face.Advances(layout.Glyphs);
    const QList<uint> points = text.toUcs4();

    const int32_t perBreak = justBreaks > 0 ? justExtra / justBreaks : 0;
    const int32_t remainder = justBreaks > 0 ? justExtra % justBreaks : 0;
    int32_t spaces = 0;
    double x = 0;
    layout.X.reserve(advances.size());
    for (size_t i = 0; i < advances.size(); ++i) {
        layout.X.push_back(x);
        x += advances[i] * layout.Em + charExtra;
        if (justBreaks > 0 && i < static_cast<size_t>(points.size()) && points[i] == ' ') {
            x += perBreak + (spaces < std::abs(remainder) ? (remainder > 0 ? 1 : -1) : 0);
            ++spaces;
        }
    }
    layout.Width = x;

    double startX = 0;
    switch (align & TA_CENTER) {
    case TA_CENTER: startX = -layout.Width / 2; break;
    case TA_RIGHT: startX = -layout.Width; break;
    default: break;
    }
    double baseline = layout.Ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -layout.Descent;
    layout.Start = {startX, baseline};
    return layout;
}

TTextMeasure::TTextMeasure(const TLogFont& font, int32_t charExtra)
    : FFace(&TFontFace::For(font))
    , FEm(FFace->EmFor(font.lfHeight))
    , FExtra(charExtra) {}

void TTextMeasure::Append(const QString& text) {
    // The same steps in the same order as LayoutText without justification.
    for (const double advance : FFace->Advances(FFace->Glyphs(text)))
        FWidth += advance * FEm + FExtra;
}

int32_t TTextMeasure::Rounded() const {
    return static_cast<int32_t>(std::lround(FWidth));
}

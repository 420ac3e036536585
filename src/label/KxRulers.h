#pragma once

#include <QFont>

#include "base/Color.h"
#include "gdi/Font.h"
#include "kxlab_export.h"
#include "label/KxSettings.h"

/// Look of the two ruler strips and their corner box.
class KXLAB_EXPORT TKxRulers : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int MarkColor READ GetMarkColor WRITE SetMarkColor)
    Q_PROPERTY(int TickColor READ GetTickColor WRITE SetTickColor)
    Q_PROPERTY(bool Border READ GetBorder WRITE SetBorder)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QFont Font READ GetQFont WRITE SetQFont)
    Q_PROPERTY(int FontColor READ GetFontColor WRITE SetFontColor)
public:
    explicit TKxRulers(TKxSettingsOwner* AOwner = nullptr);

    /// Copies every setting, the font by value; no repaint.
    void Assign(const QObject* Source);

    /// Numbers and unit name: face "Tahoma", height -9 (9-pixel characters) by default.
    const TFont& GetFont() const { return FFont; }
    /// Copies the attributes of Value; null does nothing.
    void SetFont(const TFont* Value);
    /// The font as a QFont (a negative height is the pixel size), for property editors.
    QFont GetQFont() const;
    void SetQFont(const QFont& Value);
    TColor GetFontColor() const { return FFont.Color(); }
    void SetFontColor(TColor Value);
    /// Fill of the strips and the corner box.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TColor GetTickColor() const { return FTickColor; }
    void SetTickColor(TColor Value);
    /// Colour of the marks that follow the mouse; takes effect at the next move.
    TColor GetMarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor Value);
    /// Separator lines along the inner edges of the strips.
    bool GetBorder() const { return FBorder; }
    void SetBorder(bool Value);
    /// Showing the rulers moves the label's origin to 30 pixels, hiding them to 10.
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    void StoreAndFlip(TColor& Field, TColor Value);

    TFont FFont;
    TColor FColor = clSilver;
    TColor FTickColor = clBlack;
    TColor FMarkColor = clRed;
    bool FBorder = true;
    bool FVisible = true;
};

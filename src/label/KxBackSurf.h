#pragma once

#include <cstdint>
#include <QString>

#include "base/Color.h"
#include "kxlab_export.h"
#include "label/KxSettings.h"
#include "metafile/Picture.h"

/// The label background (plain colour, picture or gradient) and the two alignment guides.
class KXLAB_EXPORT TKxBackSurf : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(bool ShowAlign READ GetShowAlign WRITE SetShowAlign)
    Q_PROPERTY(bool Print READ GetPrint WRITE SetPrint)
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int ToColor READ GetToColor WRITE SetToColor)
    Q_PROPERTY(int AlignColor READ GetAlignColor WRITE SetAlignColor)
    Q_PROPERTY(float AlignLeft READ GetAlignLeft WRITE SetAlignLeft)
    Q_PROPERTY(float AlignTop READ GetAlignTop WRITE SetAlignTop)
    Q_PROPERTY(KxEnums::TKxBackStyle Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(QString FileName READ GetFileName WRITE SetFileName)
public:
    explicit TKxBackSurf(TKxSettingsOwner* AOwner = nullptr);

    /// Copies every setting but the owner, the picture by value; no repaint.
    void Assign(const QObject* Source);

    /// The background picture: a bitmap, an SVG or a metafile, drawn stretched over the label.
    const TPicture& GetImage() const { return FImage; }
    /// Takes a copy of Picture.
    void SetImage(const TPicture& Picture);
    TKxBackStyle GetStyle() const { return FStyle; }
    /// A picture style without a file, a circular gradient on a rectangle and a linear gradient
    /// on a circle all fall back to biNone.
    void SetStyle(TKxBackStyle Value);
    /// Plain colour and gradient start.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    /// Gradient end.
    TColor GetToColor() const { return FToColor; }
    void SetToColor(TColor Value);
    /// Colour of the alignment guides.
    TColor GetAlignColor() const { return FAlignColor; }
    void SetAlignColor(TColor Value);
    QString GetFileName() const { return FFileName; }
    /// Stores the name and loads the picture from it. A file that cannot be read is reported and
    /// the previous picture stays; the name is kept either way.
    void SetFileName(const QString& Value);
    float GetAlignLeft() const { return ToUnits(FAlignLeft); }
    /// Between 0 and the label width.
    void SetAlignLeft(float Value);
    float GetAlignTop() const { return ToUnits(FAlignTop); }
    /// Between 0 and the label height.
    void SetAlignTop(float Value);
    bool GetShowAlign() const { return FShowAlign; }
    void SetShowAlign(bool Value);
    /// The background is printed too.
    bool GetPrint() const { return FPrint; }
    void SetPrint(bool Value);

    int32_t AlignLeftLU() const { return FAlignLeft; }
    int32_t AlignTopLU() const { return FAlignTop; }

    /// Drops a style that a label of Shape cannot show (gradients of the other shape; on a rectangle
    /// a picture too); no repaint: switching the shape repaints once for both.
    void FitStyleToShape(TKxLabelType Shape);

    /// The stored fields in label file order; a file of the previous format lacks ToColor and Print.
    template <class TIO>
    void Transfer(TIO& IO) {
        IO(FColor);
        if (IO.Current()) IO(FToColor);
        IO(FAlignColor);
        IO.Enum(FStyle, biGraCircle);
        IO(FAlignLeft);
        IO(FAlignTop);
        IO(FShowAlign);
        if (IO.Current()) IO(FPrint);
    }

private:
    void StoreColor(TColor& Field, TColor Value);

    TPicture FImage;
    TKxBackStyle FStyle = biNone;
    TColor FColor = clWhite;
    TColor FToColor = clWhite;
    TColor FAlignColor = clRed;
    QString FFileName;
    int32_t FAlignLeft = 0;
    int32_t FAlignTop = 0;
    bool FShowAlign = false;
    bool FPrint = false;
};

#pragma once

#include <cstdint>
#include <QString>

#include "kxlab_export.h"
#include "label/KxSettings.h"

/// Size of one label and the layout of labels on the sheet. Lengths are held in label units and
/// read and written in the owner's unit. NuHor counts rows (labels down the page), NuVer columns.
class KXLAB_EXPORT TKxMeasure : public TKxSettings {
    Q_OBJECT
    Q_PROPERTY(float Height READ GetHeight WRITE SetHeight)
    Q_PROPERTY(float Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(float MarLeft READ GetMarLeft WRITE SetMarLeft)
    Q_PROPERTY(float MarTop READ GetMarTop WRITE SetMarTop)
    Q_PROPERTY(float DiHor READ GetDiHor WRITE SetDiHor)
    Q_PROPERTY(float DiVer READ GetDiVer WRITE SetDiVer)
    Q_PROPERTY(int NuHor READ GetNuHor WRITE SetNuHor)
    Q_PROPERTY(int NuVer READ GetNuVer WRITE SetNuVer)
    Q_PROPERTY(float PaperHeight READ GetPaperHeight WRITE SetPaperHeight)
    Q_PROPERTY(float PaperWidth READ GetPaperWidth WRITE SetPaperWidth)
    Q_PROPERTY(QString PaperName READ GetPaperName WRITE SetPaperName)
    Q_PROPERTY(QString LabelName READ GetLabelName WRITE SetLabelName)
    Q_PROPERTY(float InnerCircle READ GetInnerCircle WRITE SetInnerCircle)
    Q_PROPERTY(KxEnums::TKxLabelType LabelType READ GetLabelType WRITE SetLabelType)
public:
    explicit TKxMeasure(TKxSettingsOwner* AOwner = nullptr);

    /// Copies everything but InnerCircle and LabelType from another TKxMeasure; no repaint.
    void Assign(const QObject* Source);

    float GetHeight() const { return ToUnits(FHeight); }
    /// At least 5 mm; a circular label follows with its width. Re-adjusts and redraws the left ruler.
    void SetHeight(float Value);
    float GetWidth() const { return ToUnits(FWidth); }
    /// At least 10 mm; a circular label follows with its height. Re-adjusts and redraws the top ruler.
    void SetWidth(float Value);
    float GetMarLeft() const { return ToUnits(FMarLeft); }
    void SetMarLeft(float Value);
    float GetMarTop() const { return ToUnits(FMarTop); }
    void SetMarTop(float Value);
    float GetDiHor() const { return ToUnits(FDiHor); }
    void SetDiHor(float Value);
    float GetDiVer() const { return ToUnits(FDiVer); }
    void SetDiVer(float Value);
    int GetNuHor() const { return FNuHor; }
    /// Number of rows; at least 1.
    void SetNuHor(int Value);
    int GetNuVer() const { return FNuVer; }
    /// Number of columns; at least 1.
    void SetNuVer(int Value);
    float GetPaperHeight() const { return ToUnits(FPaperHeight); }
    void SetPaperHeight(float Value);
    float GetPaperWidth() const { return ToUnits(FPaperWidth); }
    void SetPaperWidth(float Value);
    QString GetPaperName() const { return FPaperName; }
    void SetPaperName(const QString& Value);
    QString GetLabelName() const { return FLabelName; }
    void SetLabelName(const QString& Value);
    float GetInnerCircle() const { return ToUnits(FInnerCircle); }
    /// Radius of the hole of a circular label; at least 0.
    void SetInnerCircle(float Value);
    TKxLabelType GetLabelType() const { return FLabelType; }
    /// Switching shape squares a circle and drops background styles the new shape cannot show.
    void SetLabelType(TKxLabelType Value);

    // The same values in label units (tenths of a millimetre), for drawing and printing.
    int32_t HeightLU() const { return FHeight; }
    int32_t WidthLU() const { return FWidth; }
    int32_t MarLeftLU() const { return FMarLeft; }
    int32_t MarTopLU() const { return FMarTop; }
    int32_t DiHorLU() const { return FDiHor; }
    int32_t DiVerLU() const { return FDiVer; }
    int32_t PaperHeightLU() const { return FPaperHeight; }
    int32_t PaperWidthLU() const { return FPaperWidth; }
    int32_t InnerCircleLU() const { return FInnerCircle; }

    /// Width and height as a label file stores them, past the setters' clamps; no repaint.
    void SetRawSize(int32_t Width, int32_t Height) {
        FWidth = Width;
        FHeight = Height;
    }

    /// The stored fields in label file order.
    template <class TIO>
    void Transfer(TIO& IO) {
        IO(FWidth);
        IO(FHeight);
        IO(FMarLeft);
        IO(FMarTop);
        IO(FDiHor);
        IO(FDiVer);
        IO(FNuHor);
        IO(FNuVer);
        IO(FPaperWidth);
        IO(FPaperHeight);
        IO(FInnerCircle);
        IO.Enum(FLabelType, ltCircle);
    }

private:
    int32_t FHeight = 350;
    int32_t FWidth = 600;
    int32_t FMarLeft = 50;
    int32_t FMarTop = 100;
    int32_t FDiHor = 40;
    int32_t FDiVer = 40;
    int32_t FNuHor = 7;
    int32_t FNuVer = 3;
    int32_t FPaperHeight = 2970;
    int32_t FPaperWidth = 2100;
    QString FPaperName = QStringLiteral("A4");
    QString FLabelName = QStringLiteral("My Label");
    int32_t FInnerCircle = 0;
    TKxLabelType FLabelType = ltRect;
};

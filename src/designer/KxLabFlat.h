#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

#include "base/Color.h"
#include "label/KxAlias.h"
#include "label/KxBackSurf.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxMeasure.h"
#include "label/KxRulers.h"
#include "types/Kxtypes.h"

/// Declares the property Name of the settings object Object as a flat property of the control, for the
/// tools that cannot edit an object-valued property (Qt Designer's property editor, forms compiled by
/// uic): the getter Get<Object><Name> and the lower-camel setter set<Object><Name> that uic calls. Both
/// go through the owned object's own accessors, which convert lengths in the control's Units, clamp
/// and repaint; a form therefore sets Units before any length.
#define KX_FLAT_PROPERTY(Type, Object, Name)                                                                 \
    Type Get##Object##Name() const {                                                                         \
        return Self().Get##Object()->Get##Name();                                                            \
    }                                                                                                        \
    void set##Object##Name(Type Value) {                                                                     \
        Self().Get##Object()->Set##Name(Value);                                                              \
    }

/// A colour setting as a flat property: the TColor accessors of KX_FLAT_PROPERTY, a setter uic calls
/// for a colour value, and the QVariant pair the Q_PROPERTY names (Get<Object><Name>Value and
/// Set<Object><Name>Value), which Qt Designer edits as a colour and which still takes the TColor
/// numbers that forms kept before.
#define KX_FLAT_COLOR(Object, Name)                                                                          \
    KX_FLAT_PROPERTY(TColor, Object, Name)                                                                   \
    void set##Object##Name(const QColor& Value) {                                                            \
        set##Object##Name(FromQColor(Value));                                                                \
    }                                                                                                        \
    QVariant Get##Object##Name##Value() const {                                                              \
        return ToQColor(Get##Object##Name());                                                                \
    }                                                                                                        \
    void Set##Object##Name##Value(const QVariant& Value) {                                                   \
        set##Object##Name(ColorFromVariant(Value));                                                          \
    }

/// The designer control as Qt Designer and uic see it: its settings objects' values as flat properties,
/// the alias catalogue as JSON text, and the lower-camel setters uic calls for the designed properties.
/// TLab is the control (TKxLab); its Q_PROPERTY lines name these accessors.
template <class TLab>
class TKxLabFlat {
public:
    void setUnits(TKxUnits Value) { Self().SetUnits(Value); }
    void setColor(TColor Value) { Self().SetColor(Value); }
    void setColor(const QColor& Value) { Self().SetColor(FromQColor(Value)); }
    /// The colour properties as Qt Designer edits them (see KX_FLAT_COLOR).
    QVariant GetColorValue() const { return ToQColor(Self().GetColor()); }
    void SetColorValue(const QVariant& Value) { Self().SetColor(ColorFromVariant(Value)); }
    void setShowMargins(bool Value) { Self().SetShowMargins(Value); }
    void setAllowEdit(bool Value) { Self().SetAllowEdit(Value); }
    void setSnap(TKxSnap Value) { Self().SetSnap(Value); }
    void setZoom(TKxZoom Value) { Self().SetZoom(Value); }
    void setDrawTool(TKxDrawTool Value) { Self().SetDrawTool(Value); }
    void setSelColor(TColor Value) { Self().SetSelColor(Value); }
    void setSelColor(const QColor& Value) { Self().SetSelColor(FromQColor(Value)); }
    QVariant GetSelColorValue() const { return ToQColor(Self().GetSelColor()); }
    void SetSelColorValue(const QVariant& Value) { Self().SetSelColor(ColorFromVariant(Value)); }

    /// The catalogue as JSON text (TKxAlias::Catalogue).
    QString GetAliasCatalogue() const { return Self().GetAlias()->GetCatalogue(); }
    /// Replaces the catalogue from JSON text; a bad text is reported and changes nothing.
    void SetAliasCatalogue(const QString& Value) { Self().GetAlias()->SetCatalogue(Value); }
    void setAliasCatalogue(const QString& Value) { SetAliasCatalogue(Value); }

    KX_FLAT_PROPERTY(double, Measure, Height)
    KX_FLAT_PROPERTY(double, Measure, Width)
    KX_FLAT_PROPERTY(double, Measure, MarLeft)
    KX_FLAT_PROPERTY(double, Measure, MarTop)
    KX_FLAT_PROPERTY(double, Measure, DiHor)
    KX_FLAT_PROPERTY(double, Measure, DiVer)
    KX_FLAT_PROPERTY(int, Measure, NuHor)
    KX_FLAT_PROPERTY(int, Measure, NuVer)
    KX_FLAT_PROPERTY(double, Measure, PaperHeight)
    KX_FLAT_PROPERTY(double, Measure, PaperWidth)
    KX_FLAT_PROPERTY(QString, Measure, PaperName)
    KX_FLAT_PROPERTY(QString, Measure, LabelName)
    KX_FLAT_PROPERTY(double, Measure, InnerCircle)
    KX_FLAT_PROPERTY(TKxLabelType, Measure, LabelType)
    KX_FLAT_PROPERTY(TKxFrameStyle, Frame, Style)
    KX_FLAT_PROPERTY(double, Frame, Dist1)
    KX_FLAT_PROPERTY(double, Frame, Dist2)
    KX_FLAT_PROPERTY(double, Frame, PenWidth)
    KX_FLAT_PROPERTY(double, Frame, Radio)
    KX_FLAT_COLOR(Frame, Color)
    KX_FLAT_COLOR(Grid, Color)
    KX_FLAT_PROPERTY(double, Grid, IncX)
    KX_FLAT_PROPERTY(double, Grid, IncY)
    KX_FLAT_PROPERTY(bool, Grid, Show)
    KX_FLAT_PROPERTY(bool, BackSurf, ShowAlign)
    KX_FLAT_PROPERTY(bool, BackSurf, Print)
    KX_FLAT_COLOR(BackSurf, Color)
    KX_FLAT_COLOR(BackSurf, ToColor)
    KX_FLAT_COLOR(BackSurf, AlignColor)
    KX_FLAT_PROPERTY(double, BackSurf, AlignLeft)
    KX_FLAT_PROPERTY(double, BackSurf, AlignTop)
    KX_FLAT_PROPERTY(TKxBackStyle, BackSurf, Style)
    KX_FLAT_PROPERTY(QString, BackSurf, FileName)
    KX_FLAT_COLOR(Rulers, Color)
    KX_FLAT_COLOR(Rulers, MarkColor)
    KX_FLAT_COLOR(Rulers, TickColor)
    KX_FLAT_PROPERTY(bool, Rulers, Border)
    KX_FLAT_PROPERTY(bool, Rulers, Visible)
    QFont GetRulersFont() const { return Self().GetRulers()->GetQFont(); }
    void setRulersFont(const QFont& Value) { Self().GetRulers()->SetQFont(Value); }
    KX_FLAT_COLOR(Rulers, FontColor)

protected:
    TKxLabFlat() = default;

private:
    TLab& Self() { return static_cast<TLab&>(*this); }
    const TLab& Self() const { return static_cast<const TLab&>(*this); }
};

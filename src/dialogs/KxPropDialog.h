#pragma once

#include <functional>
#include <QString>
#include <vector>

#include "base/Color.h"
#include "dialogs/KxDialog.h"
#include "label/KxDataBinding.h"

class QCheckBox;
class QComboBox;
class TKxData;
class TKxElement;
class TKxSwatch;
class TSpinEditFloat;

/// The field controls of an element dialog and the rules they follow.
struct TKxFieldControls {
    /// The "DataBase" box, designed disabled.
    QCheckBox* Box = nullptr;
    QComboBox* List = nullptr;
    /// The content editor, enabled exactly when the element is not bound; null where the dialog has
    /// none (symbol, picture).
    QWidget* Content = nullptr;
    KxBinding::TFieldChoice Choice = KxBinding::TFieldChoice::All;
    /// An empty field name is not stored.
    bool SkipEmpty = false;
    /// Also stores the field name as the element's text, so the surface shows it.
    std::function<void(const QString&)> AlsoText;
};

/// What the element property dialogs share: the edited element, its colours, points, widths and
/// the field list. Each control is bound once: a loader copies the element into it and a change
/// handler writes it back and repaints the designer.
class TKxPropDialog : public TKxDialog {
    Q_OBJECT
public:
    explicit TKxPropDialog(QWidget* parent = nullptr);
    ~TKxPropDialog() override;

    /// Copies the element into the controls. DataOpen: the designer's table was opened by ValidData.
    void Ini(bool DataOpen) { IniSteps(DataOpen); }
    /// Fills the field list from the bound table; a table that cannot be opened is reported and
    /// leaves the list empty.
    void FillFields();
    /// Commits what a control still holds (a picture path being typed), then repaints.
    void done(int Result) override;

protected:
    virtual TKxElement* Edited() const = 0;
    TKxData* EditedData() const;
    /// Ini: guard, captions, spin settings, the loaders in binding order, the field controls, then
    /// the repaint of the dialogs that ask for it.
    void IniSteps(bool DataOpen);
    /// Per-dialog spin settings after the unit's increment and decimals.
    virtual void SpinOverrides(bool /*Inch*/) {}
    virtual void Commit() {}
    /// Every change repaints the designer.
    void Changed() override { RepaintLab(); }
    /// The content editor, when it may be edited, takes the focus with its text selected: typing
    /// right after drawing replaces the default text.
    void showEvent(QShowEvent* event) override;
    void RepaintLab();

    void BindPoint(TSpinEditFloat* X, TSpinEditFloat* Y, bool Second);
    void BindColor(TKxSwatch* Swatch, TColor TKxElement::*Color);
    void BindAngle(QComboBox* List);
    void BindFontName(QComboBox* List);
    /// The element's height; a text height is at least 0.5 mm or 0.02 in.
    void BindHeight(TSpinEditFloat* Box, bool TextHeight);
    /// A pen or border width, in millimetres, stepping by 0.1 in either unit.
    void BindPenWidth(TSpinEditFloat* Box);
    /// The "DataBase" box and the field list; Content, SkipEmpty and AlsoText as TKxFieldControls says.
    void BindFields(QCheckBox* Box, QComboBox* List, QWidget* Content, KxBinding::TFieldChoice Choice,
                    bool SkipEmpty, std::function<void(const QString&)> AlsoText = {});

    /// Arrow step of every float box in inches (the rectangle dialog steps finer).
    double FInchStep = 0.05;
    /// The surface is repainted when Ini ends.
    bool FRepaintAfterIni = true;

private:
    void SpinSettings();
    void IniFields(bool DataOpen);
    void FieldChanged();
    void DataBaseClicked(bool Checked);
    void AngleEdited();

    TKxFieldControls FFields;
    QComboBox* FAngle = nullptr;
    std::vector<TSpinEditFloat*> FPenWidths;
    std::vector<TSpinEditFloat*> FTextHeights;
};

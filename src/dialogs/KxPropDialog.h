#pragma once

#include <functional>
#include <QString>
#include <type_traits>
#include <vector>

#include "base/Color.h"
#include "dialogs/KxDialog.h"
#include "label/KxDataBinding.h"

class QCheckBox;
class QColorDialog;
class QComboBox;
class TKxData;
class TKxElement;
class TKxLab;
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

/// What the element property dialogs share: the edited element and its designer, the guard that
/// keeps Ini from writing back, the colour choice of the swatches and the field list. Each control
/// is bound once: a loader copies the element into it and a change handler writes it back and
/// repaints the designer. No error leaves a handler: it is shown through the message hook.
class TKxPropDialog : public TKxDialog {
    Q_OBJECT
public:
    explicit TKxPropDialog(QWidget* parent = nullptr);
    ~TKxPropDialog() override;

    void SetLab(TKxLab* Lab) { FLab = Lab; }
    TKxLab* GetLab() const { return FLab; }
    /// Copies the element into the controls. DataOpen: the designer's table was opened by ValidData.
    void Ini(bool DataOpen) { IniSteps(DataOpen); }
    /// Fills the field list from the bound table; a table that cannot be opened is reported and
    /// leaves the list empty.
    void FillFields();
    /// True while Ini copies the element into the controls.
    bool Initialising() const { return FIni; }
    /// Commits what a control still holds (a picture path being typed), then repaints.
    void done(int Result) override;

    /// The colour choice shared by the swatches.
    QColorDialog* const ColorDialog1;

protected:
    virtual TKxElement* Edited() const = 0;
    TKxData* EditedData() const;
    /// Ini: guard, captions, spin settings, the loaders in binding order, the field controls, then
    /// the repaint of the dialogs that ask for it.
    void IniSteps(bool DataOpen);
    /// Per-dialog spin settings after the unit's increment and decimals.
    virtual void SpinOverrides(bool /*Inch*/) {}
    virtual void Commit() {}
    void changeEvent(QEvent* event) override;

    void AddLoader(std::function<void()> Load) { FLoaders.push_back(std::move(Load)); }
    /// Connects Signal to Write, run only outside Ini, with errors reported and the designer
    /// repainted after it.
    template <class TSender, class TSignal, class TWrite>
    void OnChange(TSender* Sender, TSignal Signal, TWrite Write) {
        connect(Sender, Signal, this, [this, Write](const auto&... Args) {
            // Write takes the signal's arguments, or none.
            if constexpr (std::is_invocable_v<TWrite, decltype(Args)...>)
                Handle([&] { Write(Args...); });
            else
                Handle([&] { Write(); });
        });
    }
    /// A change handler's frame: nothing during Ini, else Action, then the repaint.
    void Handle(const std::function<void()>& Action);
    void RepaintLab();
    bool Inches() const;

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
    void ChooseColor(TKxSwatch* Swatch, TColor TKxElement::*Color);

    TKxLab* FLab = nullptr;
    bool FIni = false;
    std::vector<std::function<void()>> FLoaders;
    TKxFieldControls FFields;
    QComboBox* FAngle = nullptr;
    std::vector<TSpinEditFloat*> FPenWidths;
    std::vector<TSpinEditFloat*> FTextHeights;
};

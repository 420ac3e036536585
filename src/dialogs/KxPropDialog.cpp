#include "dialogs/KxPropDialog.h"

#include "elements/KxElementFacts.h"

#include <algorithm>
#include <iterator>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTabWidget>

#include "base/Messages.h"
#include "controls/SpinEditFloat.h"
#include "designer/KxLab.h"
#include "dialogs/KxFontList.h"
#include "dialogs/KxSwatch.h"
#include "elements/KxData.h"

namespace {

constexpr int KnownAngles[] = {0, 90, 180, 270};

bool ParseAngle(const QString& Text, int32_t& Angle) {
    bool ok = false;
    const int value = Text.toInt(&ok);
    if (ok) Angle = value;
    return ok;
}

} // namespace

TKxPropDialog::TKxPropDialog(QWidget* parent)
    : TKxDialog(parent) {}

TKxPropDialog::~TKxPropDialog() = default;

TKxData* TKxPropDialog::EditedData() const {
    return KxDataOf(Edited());
}

void TKxPropDialog::RepaintLab() {
    TKxLab* lab = GetLab();
    if (!lab) return;
    if (TKxElement* e = Edited()) lab->Label()->NotifyElement(e);
    lab->AdjustHandle();
}

void TKxPropDialog::IniSteps(bool DataOpen) {
    {
        const TIniGuard guard(*this);
        FillLanguage();
        SpinSettings();
        RunLoaders();
        if (FFields.Box) IniFields(DataOpen);
    }
    if (FRepaintAfterIni) Guarded([this] { RepaintLab(); });
}

void TKxPropDialog::SpinSettings() {
    const bool inch = Inches();
    UnitSteps(FInchStep);
    for (TSpinEditFloat* box : FPenWidths)
        box->SetIncrement(0.1);
    for (TSpinEditFloat* box : FTextHeights)
        box->SetMinValue(inch ? 0.02 : 0.5);
    SpinOverrides(inch);
}

void TKxPropDialog::showEvent(QShowEvent* event) {
    TKxDialog::showEvent(event);
    QWidget* content = FFields.Content;
    if (event->spontaneous() || !content || !content->isEnabled()) return;
    for (QWidget* w = content; w && w != this; w = w->parentWidget())
        if (auto* pages =
                qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            pages->setCurrentWidget(w);
    content->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(content)) line->selectAll();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(content)) memo->selectAll();
}

void TKxPropDialog::done(int Result) {
    Guarded([this] {
        Commit();
        RepaintLab();
    });
    QDialog::done(Result);
}

void TKxPropDialog::BindPoint(TSpinEditFloat* X, TSpinEditFloat* Y, bool Second) {
    AddLoader([this, X, Y, Second] {
        const TPoint2D p = Second ? Edited()->GetP2() : Edited()->GetP1();
        X->SetValue(p.X);
        Y->SetValue(p.Y);
    });
    // Either box sets the whole point.
    const auto write = [this, X, Y, Second] {
        const TPoint2D p{static_cast<float>(X->GetValue()), static_cast<float>(Y->GetValue())};
        Second ? Edited()->SetP2(p) : Edited()->SetP1(p);
    };
    OnChange(X, &TSpinEditFloat::changed, write);
    OnChange(Y, &TSpinEditFloat::changed, write);
}

void TKxPropDialog::BindColor(TKxSwatch* Swatch, TColor TKxElement::*Color) {
    AddLoader([this, Swatch, Color] { Swatch->SetBrushColor(Edited()->*Color); });
    connect(Swatch, &TKxSwatch::mouseDown, this, [this, Swatch, Color] {
        ChooseColor(Swatch, [this, Color](TColor Chosen) { Edited()->*Color = Chosen; });
    });
}

void TKxPropDialog::BindAngle(QComboBox* List) {
    FAngle = List;
    // Completing "1" to "180" would store angles the user never typed.
    List->setCompleter(nullptr);
    AddLoader([this, List] {
        // Any other angle leaves the list as designed.
        const int32_t angle = Edited()->Angle;
        if (std::find(std::begin(KnownAngles), std::end(KnownAngles), angle) != std::end(KnownAngles))
            List->setCurrentIndex(List->findText(QString::number(angle)));
    });
    OnChange(List, &QComboBox::currentTextChanged,
             [this](const QString& Text) { ParseAngle(Text, Edited()->Angle); });
    if (List->lineEdit())
        connect(List->lineEdit(), &QLineEdit::editingFinished, this, &TKxPropDialog::AngleEdited);
}

void TKxPropDialog::AngleEdited() {
    // Typing writes each number as it stands; a text that is no number is refused once editing ends,
    // and the box shows the element's angle again.
    if (Initialising()) return;
    const QString text = FAngle->currentText();
    int32_t angle = 0;
    if (text.trimmed().isEmpty() || ParseAngle(text, angle)) return;
    {
        const TIniGuard guard(*this);
        FAngle->setEditText(QString::number(Edited()->Angle));
    }
    ShowMessage(tr("'%1' is not a valid angle: type a whole number of degrees.").arg(text));
}

void TKxPropDialog::BindFontName(QComboBox* List) {
    AddLoader([this, List] {
        const QString name = EditedData()->FontName;
        List->clear();
        List->addItems(KxScreenFonts(name));
        List->setCurrentIndex(KxFontInstalled(name) ? List->findText(name, Qt::MatchFixedString) : -1);
    });
    OnChange(List, &QComboBox::currentTextChanged, [this](const QString& Name) {
        if (!Name.isEmpty()) EditedData()->FontName = Name;
    });
}

void TKxPropDialog::BindHeight(TSpinEditFloat* Box, bool TextHeight) {
    if (TextHeight) FTextHeights.push_back(Box);
    AddLoader([this, Box] { Box->SetValue(EditedData()->GetHeight()); });
    OnChange(Box, &TSpinEditFloat::changed,
             [this, Box] { EditedData()->SetHeight(static_cast<float>(Box->GetValue())); });
}

void TKxPropDialog::BindPenWidth(TSpinEditFloat* Box) {
    FPenWidths.push_back(Box);
    AddLoader([this, Box] { Box->SetValue(Edited()->GetPenWidth()); });
    OnChange(Box, &TSpinEditFloat::changed,
             [this, Box] { Edited()->SetPenWidth(static_cast<float>(Box->GetValue())); });
}

void TKxPropDialog::BindFields(QCheckBox* Box, QComboBox* List, QWidget* Content,
                               KxBinding::TFieldChoice Choice, bool SkipEmpty,
                               std::function<void(const QString&)> AlsoText) {
    FFields = {Box, List, Content, Choice, SkipEmpty, std::move(AlsoText)};
    OnChange(FFields.List, &QComboBox::currentIndexChanged, [this] { FieldChanged(); });
    OnChange(FFields.Box, &QCheckBox::toggled, [this](bool Checked) { DataBaseClicked(Checked); });
}

void TKxPropDialog::FillFields() {
    FFields.List->clear();
    if (!GetLab()) return;
    Guarded(
        [this] { FFields.List->addItems(KxBinding::FieldLabels(*GetLab()->GetTable(), FFields.Choice)); });
}

void TKxPropDialog::IniFields(bool DataOpen) {
    const TKxData& data = *EditedData();
    if (DataOpen) {
        FillFields();
        if (data.DataBase) FFields.List->setCurrentIndex(FFields.List->findText(data.Field));
        FFields.Box->setEnabled(true);
        if (FFields.Content) FFields.Content->setEnabled(!data.DataBase);
    }
    // Without open data the box stays disabled and shows the stored state.
    FFields.Box->setChecked(data.DataBase);
    FFields.List->setEnabled(data.DataBase);
}

void TKxPropDialog::FieldChanged() {
    const QString name = FFields.List->currentText();
    if (FFields.SkipEmpty && name.isEmpty()) return;
    EditedData()->Field = name;
    if (FFields.AlsoText) FFields.AlsoText(name);
}

void TKxPropDialog::DataBaseClicked(bool Checked) {
    EditedData()->DataBase = Checked;
    FFields.List->setEnabled(Checked);
    if (!FFields.Content) return;
    // The field shown is stored at once.
    if (FFields.List->isEnabled()) FieldChanged();
    FFields.Content->setEnabled(!Checked);
}

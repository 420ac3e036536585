#pragma once

#include "dialogs/KxElementDialog.h"
#include "elements/KxDataText.h"

/// The dialogs of the text elements: single-line text, compound text and paragraph share their
/// font page, colours and field rules; the two single-line forms also share text and position.
template <class E>
class TKxTextDialog : public TKxElementDialog<E> {
public:
    using TKxElementDialog<E>::TKxElementDialog;

protected:
    /// The font page, the two colours and the field controls; Content is the text editor, LineText
    /// bounds the height below as a single line's is.
    template <class TUi>
    void BindFontPage(TUi& Ui, QWidget* Content, bool SkipEmptyField, bool LineText) {
        this->BindFontName(Ui.ComBoxFontName);
        this->BindHeight(Ui.SpEdFloatAlt, LineText);
        this->BindInt(Ui.SpEdTextSpace, &E::CharSpace);
        this->BindCheck(Ui.CkBoxItalic, &E::Italic);
        this->BindCheck(Ui.CkBoxBold, &E::Bold);
        this->BindCheck(Ui.CkBoxUnderline, &E::Underline);
        this->BindColor(Ui.ShCoFont, &TKxElement::Color);
        this->BindColor(Ui.ShFillCo, &TKxElement::BackColor);
        this->BindFields(Ui.CkBoxDatabase, Ui.cbFields, Content, KxBinding::TFieldChoice::All, SkipEmptyField,
                         [this](const QString& Name) { this->GetElement()->Text = Name; });
    }
    /// Everything of the single-line text forms but the compound text's own editors.
    template <class TUi>
    void BindLineForm(TUi& Ui, bool SkipEmptyField) {
        this->BindText(Ui.EdText, &E::Text, false);
        BindFontPage(Ui, Ui.EdText, SkipEmptyField, true);
        this->BindCheck(Ui.CkBoxTrans, &E::Transparent);
        this->BindPoint(Ui.SpEdFloatX, Ui.SpEdFloatY, false);
        this->BindAngle(Ui.CbAngle);
    }
};

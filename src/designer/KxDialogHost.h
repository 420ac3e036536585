#pragma once

#include <optional>
#include <QString>

#include "kxlab_export.h"
#include "types/KxStock.h"

class TKxElement;
class TKxLab;

/// The dialogs a designer opens: an element's properties, the label's properties, the preview window
/// and the stock chooser. The library's own dialogs provide it; a host may put another in place
/// (KxSetDialogHost). Each dialog edits the label live; the designer makes one undo step of each opening.
class KXLAB_EXPORT TKxDialogHost {
public:
    virtual ~TKxDialogHost() = default;

    /// Shows E's property dialog modally. IsNew: E was just drawn with its tool. Answers false when
    /// the user cancelled, and the designer then puts the label back as it was.
    virtual bool ElementProperties(TKxLab& Lab, TKxElement& E, bool IsNew) = 0;
    /// Shows the label properties dialog at Page; answers false when the user cancelled.
    virtual bool LabelProperties(TKxLab& Lab, int Page) = 0;
    /// Shows the recorded preview pages.
    virtual void PreviewWindow(TKxLab& Lab) = 0;
    /// The name of the undo step E's dialog makes (the dialog's title).
    virtual QString ElementStepName(const TKxElement& E) const = 0;
    /// The name of the undo step the label dialog makes.
    virtual QString LabelStepName() const = 0;
    /// Asks for a label stock, the label's own selected; the stock chosen, or nothing when the user
    /// cancelled. The label does not change.
    virtual std::optional<TKxStock> ChooseStock(TKxLab& Lab) = 0;

protected:
    TKxDialogHost() = default;
    TKxDialogHost(const TKxDialogHost&) = default;
    TKxDialogHost& operator=(const TKxDialogHost&) = default;
};

/// The dialog host designers use: the one KxSetDialogHost chose, else the library's dialogs.
KXLAB_EXPORT TKxDialogHost& KxDialogHost();
/// Puts Host in place of the library's dialogs (null: back to them). The caller keeps ownership.
KXLAB_EXPORT void KxSetDialogHost(TKxDialogHost* Host);

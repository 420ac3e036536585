#include <memory>
#include <QScopedValueRollback>

#include "designer/KxDialogHost.h"
#include "designer/KxLab.h"
#include "dialogs/KxHostButtons.h"
#include "dialogs/KxPrev.h"
#include "dialogs/KxStockDialog.h"
#include "dialogs/LabProp.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/Prline.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prtxt.h"
#include "types/KxStockCatalogue.h"
#include "types/KxStrings.h"

namespace {

// Shows TDialog modally on E, which is a TElement; false when the user cancelled. The dialog is
// created for this one showing and freed on every way out; Global names it meanwhile.
template <class TDialog, class TElement, class... TIniArgs>
bool Launch(TKxLab& Lab, TKxElement& E, TDialog*& Global, TIniArgs... IniArgs) {
    const auto dialog = std::make_unique<TDialog>();
    const QScopedValueRollback<TDialog*> shown(Global, dialog.get());
    dialog->SetElement(static_cast<TElement*>(&E));
    dialog->SetLab(&Lab);
    dialog->Ini(IniArgs...);
    KxAddHostButtons(*dialog);
    dialog->exec();
    return !dialog->Cancelled();
}

// The library's dialogs, chosen by element kind.
class TKxDialogs : public TKxDialogHost {
public:
    bool ElementProperties(TKxLab& Lab, TKxElement& E, bool IsNew) override {
        const bool data = Lab.GetDataValid();
        switch (E.ElementType()) {
        case deText: return Launch<TPropText, TKxText>(Lab, E, PropText, data);
        case dePoliText: return Launch<TProAddText, TKxAddText>(Lab, E, ProAddText, data);
        case deParagraph: return Launch<TPropPara, TKxParagraph>(Lab, E, PropPara, data);
        case deBar: return Launch<TPropCoBar, TKxBarCode>(Lab, E, PropCoBar, data);
        case deSymbol: return Launch<TPropSym, TKxSymbol>(Lab, E, PropSym, data);
        case deLine: return Launch<TProLin, TKxLine>(Lab, E, ProLin);
        case deRect: return Launch<TProRect, TKxRect>(Lab, E, ProRect);
        case deImage: return Launch<TProIma, TKxImage>(Lab, E, ProIma, data, IsNew);
        default: return true;
        }
    }

    bool LabelProperties(TKxLab& Lab, int Page) override {
        const auto dialog = std::make_unique<TPropLab>();
        const QScopedValueRollback<TPropLab*> shown(PropLab, dialog.get());
        dialog->SetLab(&Lab);
        dialog->Ini(Page);
        KxAddHostButtons(*dialog);
        dialog->exec();
        return !dialog->Cancelled();
    }

    void PreviewWindow(TKxLab& Lab) override {
        // Owned by the application, not by the control, like the property dialogs; freed on closing.
        const auto window = std::make_unique<TKxPrw>();
        window->SetLab(&Lab);
        window->Ini();
        window->exec();
    }

    QString ElementStepName(const TKxElement& E) const override {
        switch (E.ElementType()) {
        case deText: return KxStr(KxTextPro);
        case dePoliText: return KxStr(KxAddTextPro);
        case deParagraph: return KxStr(KxParaPro);
        case deBar: return KxStr(KxBarCodePro);
        case deSymbol: return KxStr(KxSymbolPro);
        case deLine: return KxStr(KxLinePro);
        case deRect: return KxStr(KxRecPro);
        case deImage: return KxStr(KxImaPro);
        default: return KxStr(KxProperties);
        }
    }

    QString LabelStepName() const override { return KxStr(KxLabPro); }

    std::optional<TKxStock> ChooseStock(TKxLab& Lab) override {
        const TKxLabel& label = *Lab.Label();
        return TKxStockDialog::Choose(&Lab, KxStocks(), label.GetStockMaker(), label.GetStockPart());
    }
};

TKxDialogHost* ChosenHost = nullptr;

} // namespace

TKxDialogHost& KxDialogHost() {
    static TKxDialogs Library;
    return ChosenHost ? *ChosenHost : Library;
}

void KxSetDialogHost(TKxDialogHost* Host) {
    ChosenHost = Host;
}

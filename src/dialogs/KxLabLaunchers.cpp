#include <memory>
#include <QScopedValueRollback>

#include "designer/KxLab.h"
#include "dialogs/KxPrev.h"
#include "dialogs/LabProp.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/Prline.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prtxt.h"

// The property dialogs and the preview window are opened from here, so the designer layer never
// includes a dialog.

namespace {

// Shows TDialog modally on the selected element when it is a TElement, and nothing otherwise. The
// dialog is created for this one showing and freed on every way out; Global names it meanwhile.
template <class TDialog, class TElement, class... TIniArgs>
void LaunchElementDialog(TKxLab& Lab, TDialog*& Global, TIniArgs... IniArgs) {
    auto* element = dynamic_cast<TElement*>(Lab.GetSelected());
    if (!element) return;
    const auto dialog = std::make_unique<TDialog>();
    const QScopedValueRollback<TDialog*> shown(Global, dialog.get());
    dialog->SetElement(element);
    dialog->SetLab(&Lab);
    dialog->Ini(IniArgs...);
    dialog->exec();
}

} // namespace

void TKxLab::PropTxt() {
    LaunchElementDialog<TPropText, TKxText>(*this, PropText, GetDataValid());
}

void TKxLab::PropAdTxt() {
    LaunchElementDialog<TProAddText, TKxAddText>(*this, ProAddText, GetDataValid());
}

void TKxLab::PropPar() {
    LaunchElementDialog<TPropPara, TKxParagraph>(*this, PropPara, GetDataValid());
}

void TKxLab::PropBar() {
    LaunchElementDialog<TPropCoBar, TKxBarCode>(*this, PropCoBar, GetDataValid());
}

void TKxLab::PropSymbol() {
    LaunchElementDialog<TPropSym, TKxSymbol>(*this, PropSym, GetDataValid());
}

void TKxLab::PropLin() {
    LaunchElementDialog<TProLin, TKxLine>(*this, ProLin);
}

void TKxLab::PropRect() {
    LaunchElementDialog<TProRect, TKxRect>(*this, ProRect);
}

void TKxLab::PropImage(bool IsNew) {
    LaunchElementDialog<TProIma, TKxImage>(*this, ProIma, GetDataValid(), IsNew);
}

void TKxLab::ShowProp(int Page) {
    const auto dialog = std::make_unique<TPropLab>();
    const QScopedValueRollback<TPropLab*> shown(PropLab, dialog.get());
    dialog->SetLab(this);
    dialog->Ini(Page);
    dialog->exec();
}

void TKxLab::ShowPreviewWindow() {
    // Owned by the application, not by this control, like the property dialogs; freed on closing.
    const auto window = std::make_unique<TKxPrw>();
    window->SetLab(this);
    window->Ini();
    window->exec();
}

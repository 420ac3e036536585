#include "KxDesignerWidgets.h"

#include "controls/SpinEditFloat.h"
#include "designer/KxLab.h"
#include "KxWidgetIcons.h"
#include "KxWidgetPlugin.h"

namespace {

// A widget class whose constructor takes only the parent and that has no design-time state.
template <class TWidget>
QWidget* CreatePlain(QWidget* Parent, bool) {
    return new TWidget(Parent);
}

QWidget* CreateLab(QWidget* Parent, bool Designing) {
    auto* lab = new TKxLab(Parent);
    // On a form being edited the label shows its background, frame and grid, never its elements.
    lab->SetDesigning(Designing);
    return lab;
}

} // namespace

TKxDesignerWidgets::TKxDesignerWidgets(QObject* parent)
    : QObject(parent) {
    // The designer control first, then the float spin edit and the aligned edit, as the palette
    // page lists them.
    const TKxWidgetDescription descriptions[] = {
        {"TKxLab",
         "designer/KxLab.h",
         tr("Label designer: one label with rulers, grid and zoom"),
         tr("The label designer control. The user draws and edits one label on it; the host prints, "
            "previews, saves and loads the label through its operations."),
         "kxLab",
         {320, 240},
         KxLabIcon(),
         CreateLab},
        {"TSpinEditFloat",
         "controls/SpinEditFloat.h",
         tr("Numeric edit with spin arrows for fractional values"),
         tr("A single-line edit for fractional values: typed, stepped with the arrows or the arrow keys, "
            "clamped to its range and formatted with its number of decimals."),
         "spinEditFloat",
         {121, 24},
         KxSpinEditIcon(),
         CreatePlain<TSpinEditFloat>},
        {"TAlignEdit",
         "controls/SpinEditFloat.h",
         tr("Edit box whose text alignment is a property"),
         tr("A plain edit box whose text is left-justified, right-justified or centred."),
         "alignEdit",
         {121, 24},
         KxAlignEditIcon(),
         CreatePlain<TAlignEdit>},
    };
    for (const TKxWidgetDescription& d : descriptions)
        FWidgets.append(new TKxWidgetPlugin(d, this));
}

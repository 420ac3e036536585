#include "designer/KxLab.h"
#include "dialogs/KxStockDialog.h"
#include "types/KxStockCatalogue.h"

std::optional<TKxStock> TKxLab::ChooseStock() {
    return TKxStockDialog::Choose(this, KxStocks(), GetLabel()->GetStockMaker(), GetLabel()->GetStockPart());
}

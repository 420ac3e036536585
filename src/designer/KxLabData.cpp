#include "designer/KxLab.h"

#include "label/KxAlias.h"

bool TKxLab::ValidData() {
    return FLabel->ValidData();
}

void TKxLab::SetAlias(const TKxAlias* Value) {
    if (Value) GetAlias()->Assign(*Value);
}

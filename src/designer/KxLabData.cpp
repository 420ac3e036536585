#include "designer/KxLab.h"

#include "label/KxAlias.h"

bool TKxLab::ValidData() {
    return FLabel->ValidData();
}

void TKxLab::SetAlias(const TKxAlias* Value) {
    if (Value) GetAlias()->Assign(*Value);
}

QString TKxLab::GetAliasCatalogue() const {
    return GetAlias()->GetCatalogue();
}

void TKxLab::SetAliasCatalogue(const QString& Value) {
    GetAlias()->SetCatalogue(Value);
}

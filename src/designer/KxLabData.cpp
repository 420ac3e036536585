#include "designer/KxLab.h"

#include "base/Messages.h"
#include "db/DBEngineError.h"
#include "db/Table.h"
#include "label/KxAlias.h"

bool TKxLab::ValidData() {
    FDataValid = false;
    if (!FDaBa) return false;
    if (FTable->DatabaseName().isEmpty() || FTable->TableName().isEmpty()) return false;
    try {
        FTable->SetFiltered(true);
        FTable->Open();
    } catch (const EDBEngineError& e) {
        ShowMessage(e.Message());
        return false;
    }
    FDataValid = true;
    return true;
}

void TKxLab::SetAlias(const TKxAlias* Value) {
    if (Value) FAlias->Assign(*Value);
}

QString TKxLab::GetAliasCatalogue() const {
    return FAlias->GetCatalogue();
}

void TKxLab::SetAliasCatalogue(const QString& Value) {
    FAlias->SetCatalogue(Value);
}

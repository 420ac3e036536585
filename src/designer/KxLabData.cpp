#include "designer/KxLab.h"

bool TKxLab::ValidData() {
    FDataValid = false;
    return false;
}

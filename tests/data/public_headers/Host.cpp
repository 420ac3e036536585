// A host that reaches past the installed headers: the public headers check must name it.
#include "designer/KxLab.h"
#include "dialogs/KxPrev.h"

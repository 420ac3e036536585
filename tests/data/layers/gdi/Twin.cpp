#include "gdi/Pair.h"

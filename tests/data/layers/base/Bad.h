#pragma once

// Planted: a base file that reaches up into the widget.
#include "designer/KxLab.h"

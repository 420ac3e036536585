#pragma once

#include "gdi/Twin.h"

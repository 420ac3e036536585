#pragma once

#include <cstdint>
#include <map>
#include <QString>

#include "label/KxRunPlan.h"

/// The sheet files of Output that exist now, by number (whatever run wrote them).
std::map<int64_t, QString> KxExistingSheets(const QString& Output);

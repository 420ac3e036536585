#pragma once

#include <cstdint>
#include <map>
#include <QString>

/// The file of sheet Number of a per-sheet output: out.png gives out-1.png, out-2.png...
QString KxSheetPath(const QString& Output, int64_t Number);

/// The sheet files of Output that exist now, by number (whatever run wrote them).
std::map<int64_t, QString> KxExistingSheets(const QString& Output);

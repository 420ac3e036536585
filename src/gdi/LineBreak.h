#pragma once

#include <cstdint>
#include <QString>
#include <vector>

#include "gdi/Font.h"

/// The lines word-wrapped text takes in a box Width logical units wide, written in Font with
/// CharExtra between characters. Paragraphs end at CR LF, CR or LF (a break at the very end opens no
/// further line; empty paragraphs are kept as empty lines); with DT_SINGLELINE in Flags they are
/// joined into one line. With DT_WORDBREAK each paragraph breaks greedily after the longest run of
/// whole words that fits, spaces at a break dropped; a lone word too wide stays whole.
std::vector<QString> BreakTextLines(const QString& Text, uint32_t Flags, const TLogFont& Font,
                                    int32_t CharExtra, double Width);

#pragma once

#include <cstdio>

#include "KxPrintOptions.h"

class TKxLabel;
class TKxReport;

/// --list-stocks [TEXT]: the catalogue's stocks that match TEXT (all without one), one line each on Out:
/// maker, part number, description, size, layout and whether it can be used (or why not). Files of the
/// catalogue that could not be read are warned about on Err. Answers the exit status.
int KxListStocks(const TKxPrintOptions& Options, std::FILE* Out, std::FILE* Err);

/// --stock NAME: lays the loaded label out as the stock NAME denotes (a part number, or maker and part
/// number), for this run only; the label file is not changed. Raises EKxJobFailure (a bad command line)
/// when no stock or several stocks are named so, or when KxLab cannot lay it out. Without --stock it
/// does nothing.
void KxOverrideStock(TKxLabel& Label, const TKxPrintOptions& Options, TKxReport& Report);

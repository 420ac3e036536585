#pragma once

#include <cstdint>
#include <optional>

#include "kxlab_export.h"
#include "types/KxStock.h"
#include "types/Kxtypes.h"

/// A stock's layout in label units (tenths of a millimetre), as a label takes it: the values of the
/// label's size, margins, gaps and counts, its shape, its frame rounding and its paper.
struct KXLAB_EXPORT TKxStockLayout {
    TKxLabelType LabelType = ltRect;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t MarLeft = 0;
    int32_t MarTop = 0;
    int32_t DiHor = 0;
    int32_t DiVer = 0;
    /// Rows (labels down the page) and columns (across), as the label counts them.
    int32_t NuHor = 1;
    int32_t NuVer = 1;
    int32_t InnerCircle = 0;
    /// The frame's corner rounding: the width and height of the ellipse at each corner; nothing when the
    /// stock does not say.
    std::optional<int32_t> Radio;
    /// The row of the paper catalogue (UserPaperIndex when the stock's paper is not one of them), its
    /// printer code and the paper's size.
    int PaperIndex = UserPaperIndex;
    int PaperSize = 256;
    int32_t PaperWidth = 0;
    int32_t PaperHeight = 0;
    /// How far, in millimetres, the first or the last label lies from the stock's at worst.
    double Off = 0;
};

/// The label units closest to a stock. Lengths are held to 0.1 mm, so a pitch drifts from the stock's
/// by up to 0.1 mm per cell; the pitch and margin are chosen so that the worst cell of a row or column
/// (its first or last) is nearest the stock's: at most 0.05 mm plus 0.025 mm per further cell. Labels
/// that overlap their neighbours by a hair (a catalogue's rounding, or the pitch's) are trimmed to the
/// pitch. A stock must be Available().
KXLAB_EXPORT TKxStockLayout KxStockLayout(const TKxStock& Stock);

/// The row of the paper catalogue that is the stock's paper: one of the standard sizes its paper
/// names, within half a millimetre; UserPaperIndex otherwise.
KXLAB_EXPORT int KxStockPaperIndex(const TKxStock& Stock);

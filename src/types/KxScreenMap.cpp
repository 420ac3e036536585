#include "types/KxScreenMap.h"

#include "base/Geometry.h"
#include "base/Rounding.h"

int32_t LabelToPixel(int32_t lu, int32_t Scale, int32_t Origin, int32_t Pos) {
    return Saturate32(Round(static_cast<Extended>(lu) / Scale) + Origin - Pos);
}

int32_t PixelToLabel(int32_t px, int32_t Scale, int32_t Origin, int32_t Pos) {
    return Saturate32((int64_t{px} - Origin + Pos) * Scale);
}

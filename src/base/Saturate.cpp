#include "base/Saturate.h"

#include <limits>

int64_t SatAdd(int64_t a, int64_t b) {
    int64_t r = 0;
    if (!__builtin_add_overflow(a, b, &r)) return r;
    return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

int64_t SatMul(int64_t a, int64_t b) {
    int64_t r = 0;
    if (!__builtin_mul_overflow(a, b, &r)) return r;
    return (a < 0) == (b < 0) ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

void InsetRect(TRect& R, int64_t DX, int64_t DY) {
    R = {Saturate32(SatAdd(R.Left, DX)), Saturate32(SatAdd(R.Top, DY)), Saturate32(SatAdd(R.Right, -DX)),
         Saturate32(SatAdd(R.Bottom, -DY))};
}

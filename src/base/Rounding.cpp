#include "base/Rounding.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

int64_t Round(Extended x) {
    // nearbyint follows the current rounding mode; the default is to nearest, ties to even.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const Extended r = std::nearbyint(x);
    if (saved != FE_TONEAREST) std::fesetround(saved);
    return static_cast<int64_t>(r);
}

int64_t Trunc(Extended x) {
    return static_cast<int64_t>(std::trunc(x));
}

Extended Frac(Extended x) {
    return x - std::trunc(x);
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t num = static_cast<int64_t>(a) * b;
    int64_t q = num / c;
    const int64_t rem = num % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (rem != 0) {
        const uint64_t twiceRem = 2 * static_cast<uint64_t>(rem < 0 ? -rem : rem);
        const uint64_t absC = static_cast<uint64_t>(c < 0 ? -static_cast<int64_t>(c) : c);
        if (twiceRem >= absC) q += ((num < 0) != (c < 0)) ? -1 : 1;
    }
    if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) return -1;
    return static_cast<int32_t>(q);
}

// "Rounded to the nearest whole number": halves go to the even neighbour. Values beyond the
// target type saturate and NaN gives 0, so damaged level data cannot cause undefined casts.
#pragma once
#include <cmath>
#include <limits>

template <typename Int>
Int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);
    if (r <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (r >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return static_cast<Int>(r);
}

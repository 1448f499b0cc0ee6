#pragma once

#include <cmath>
#include <limits>

// Rounds to the nearest whole number, halves to the even neighbour, and
// clamps to the int range so that no conversion is undefined.
inline int roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value); // the default rounding mode is to-nearest-even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

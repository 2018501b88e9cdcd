#pragma once
// "Rounded" in this program: to the nearest integer, an exact half to the even neighbour.
#include <cfenv>
#include <cmath>

namespace kav {

inline double runden(double v)
{
    // nearbyint follows the current rounding mode; the program never changes it from to-nearest.
    return std::nearbyint(v);
}

inline float runden(float v) { return std::nearbyint(v); }

inline int rundenGanz(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= 2147483647.0)
        return 2147483647;
    if (r <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(r);
}

// Rounds to a multiple of `step` (e.g. 5 g steps), halves to even multiples.
inline double rundenAuf(double v, double step) { return runden(v / step) * step; }

} // namespace kav

#include "frame/schriftgroesse.h"

#include <algorithm>

namespace kav {

int schriftGroesseFuer(double h, double b)
{
    const int nachHoehe = h <= 600 ? 8 : h <= 700 ? 10 : h <= 900 ? 12 : h <= 1100 ? 14 : 16;
    const int nachBreite = b <= 800 ? 8 : b <= 900 ? 10 : b <= 1100 ? 12 : b <= 1200 ? 14 : 16;
    return std::min(nachHoehe, nachBreite);
}

} // namespace kav

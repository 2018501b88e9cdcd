#pragma once
// The two-colour background of the windows: 64 horizontal bands from the first colour to the
// second at the middle and back again.
#include <QColor>
#include <array>

namespace kav {

struct FarbBand {
    int oben = 0;   // first pixel row
    int unten = 0;  // first row below the band (oben == unten: the band covers no row)
    QColor farbe;
};

// The bands for a target `hoehe` pixels high. Per band every colour part first moves one step of
// (second − first) / 32, rounded half to even; band i spans (i − 1) × H / 64 to i × H / 64 with the
// edges rounded, so the bands meet without gaps.
std::array<FarbBand, 64> farbverlaufBaender(int hoehe, int r1, int g1, int b1, int r2, int g2, int b2);

} // namespace kav

#include "platform/farbverlauf.h"

#include "platform/rounding.h"

#include <cstdint>
#include <cstdlib>

namespace kav {

namespace {

int teil(int c) { return std::min(std::abs(c), 255); }

int kante(int i, int hoehe)
{
    // the band edges are computed in single precision
    const float y = static_cast<float>(i) * static_cast<float>(hoehe) / 64.0f;
    return rundenGanz(static_cast<double>(y));
}

} // namespace

std::array<FarbBand, 64> farbverlaufBaender(int hoehe, int r1, int g1, int b1, int r2, int g2, int b2)
{
    hoehe = std::max(0, hoehe);
    const double sr = static_cast<int16_t>(r2 - r1) / 32.0;
    const double sg = static_cast<int16_t>(g2 - g1) / 32.0;
    const double sb = static_cast<int16_t>(b2 - b1) / 32.0;
    int r = r1, g = g1, b = b1;
    std::array<FarbBand, 64> baender{};
    for (int i = 1; i <= 64; ++i) {
        const int vorzeichen = i <= 32 ? 1 : -1;
        r = rundenGanz(r + vorzeichen * sr);
        g = rundenGanz(g + vorzeichen * sg);
        b = rundenGanz(b + vorzeichen * sb);
        FarbBand& band = baender[static_cast<size_t>(i - 1)];
        band.oben = kante(i - 1, hoehe);
        band.unten = kante(i, hoehe);
        band.farbe = QColor(teil(r), teil(g), teil(b));
    }
    return baender;
}

} // namespace kav

#include "requirement/kalkbedarf.h"

#include "platform/rounding.h"

#include <array>
#include <cmath>

namespace kav {

namespace {

struct Grenzen {
    float unten, mitte, oben; // L, M, U
    int schluesselUnten;      // L × 10
    int schluesselOben;       // M × 10 + 1
};

// By soil group (0 light, 1 medium, 2 heavy) and organic-matter class 1 to 4.
constexpr std::array<std::array<Grenzen, 4>, 3> kGrenzen = {{
    {{{4.0f, 5.7f, 6.3f, 40, 58}, {3.7f, 5.3f, 5.9f, 37, 54}, {3.3f, 4.9f, 5.5f, 33, 50}, {3.0f, 4.5f, 5.1f, 30, 46}}},
    {{{4.5f, 6.2f, 7.0f, 45, 63}, {4.2f, 5.7f, 6.5f, 42, 58}, {3.8f, 5.3f, 6.1f, 38, 54}, {3.3f, 4.9f, 5.7f, 33, 50}}},
    {{{4.5f, 6.3f, 7.2f, 45, 64}, {4.2f, 5.8f, 6.7f, 42, 59}, {3.8f, 5.4f, 6.3f, 38, 55}, {3.3f, 5.0f, 5.9f, 33, 51}}},
}};

int osKlasse(float sngOS)
{
    if (sngOS <= 4.0f)
        return 1;
    if (sngOS <= 8.0f)
        return 2;
    if (sngOS <= 15.0f)
        return 3;
    return 4;
}

} // namespace

std::optional<KalkSchluessel> KalkSchluesselBestimmen(qint16 intBodenart, float sngOS, float sngPH)
{
    if (intBodenart < 0 || intBodenart > 2)
        return std::nullopt;
    KalkSchluessel k;
    k.osKlasse = osKlasse(sngOS);
    const Grenzen& g = kGrenzen[size_t(intBodenart)][size_t(k.osKlasse - 1)];
    if (sngPH <= g.unten)
        k.ph = g.schluesselUnten;
    else if (sngPH <= g.mitte)
        k.ph = rundenGanz(double(sngPH * 10.0f)); // a pH with two decimals still finds its row
    else if (sngPH <= g.oben)
        k.ph = g.schluesselOben;
    else
        k.ph = 0;
    return k;
}

void KalkbedarfBerechnen(WizardState& s, const KalkbedarfQuelle& q)
{
    if (s.strAktFlaechenNr.isEmpty())
        return;
    double cao = 0;
    if (s.sngOS > 30.0f) {
        // Moor: a fixed value, no look-up.
        if (s.sngPH <= 4.2f)
            cao = 10;
    } else if (const std::optional<KalkSchluessel> k = KalkSchluesselBestimmen(s.intBodenart, s.sngOS, s.sngPH)) {
        if (s.sngKulturPH == 1.0f && k->ph != 0)
            cao = q.cao(s.intBodenart, k->osKlasse, k->ph).value_or(0.0);
    }
    const float wert = std::isfinite(cao) ? static_cast<float>(cao) : 0.0f;
    s.sngKalkBedarf = static_cast<float>(runden(double(wert) * 3.6 / 50.0) * 50.0);
}

} // namespace kav

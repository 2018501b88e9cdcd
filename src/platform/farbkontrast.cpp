#include "platform/farbkontrast.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

double luminanz(const QColor& c)
{
    const auto anteil = [](int wert) {
        const double v = wert / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * anteil(c.red()) + 0.7152 * anteil(c.green()) + 0.0722 * anteil(c.blue());
}

QColor mischen(const QColor& von, const QColor& ziel, int prozent)
{
    const auto teil = [&](int a, int b) { return a + (b - a) * prozent / 100; };
    return QColor(teil(von.red(), ziel.red()), teil(von.green(), ziel.green()), teil(von.blue(), ziel.blue()));
}

} // namespace

double kontrastVerhaeltnis(const QColor& a, const QColor& b)
{
    const double la = luminanz(a), lb = luminanz(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ausgeschalteteSchrift(const QList<QColor>& hinten)
{
    if (hinten.isEmpty())
        return QColor(Qt::black);
    const auto [dunkelste, hellste] = std::minmax_element(
        hinten.begin(), hinten.end(), [](const QColor& a, const QColor& b) { return luminanz(a) < luminanz(b); });
    const auto reicht = [&](const QColor& t) {
        // a little above the bound, so that no rounding of a colour part brings it below
        return std::all_of(hinten.begin(), hinten.end(),
                           [&](const QColor& h) { return kontrastVerhaeltnis(t, h) >= kKontrastAusgeschaltet + 0.1; });
    };
    int summe = 0;
    for (const QColor& h : hinten)
        summe += h.lightness();
    const bool hell = summe / hinten.size() >= 128;
    // the usual side first (darker on a light background); the other one where that cannot reach it
    for (const bool dunkler : {hell, !hell}) {
        const QColor von = dunkler ? *dunkelste : *hellste;
        const QColor ziel = dunkler ? QColor(Qt::black) : QColor(Qt::white);
        for (int prozent = 45; prozent <= 100; prozent += 5)
            if (const QColor t = mischen(von, ziel, prozent); reicht(t))
                return t;
    }
    return hell ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace kav

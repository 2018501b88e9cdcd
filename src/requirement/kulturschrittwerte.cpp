#include "requirement/kulturschrittwerte.h"

#include "platform/rounding.h"
#include "plots/wertebereiche.h"
#include "services/gebietsschema.h"

#include <charconv>
#include <cmath>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera - Düngeberechnung");

// A number and its unit, never parted by a line break.
QString mitEinheit(const QString& zahl, const QString& einheit) { return zahl + QChar(0x00A0) + einheit; }

std::optional<Meldung> zuGross(const QString& text, const QString& was, double bis, const QString& einheit,
                               const Gebietsschema& g)
{
    const std::optional<double> v = g.zahlLesen(text.trimmed());
    if (!v || !(*v > bis))
        return std::nullopt;
    return Meldung{0, kTitel,
                   QStringLiteral("%1 %2 liegt außerhalb des möglichen Bereichs von über 0 bis %3. Bitte korrigieren "
                                  "Sie Ihre Eingabe.")
                       .arg(was, mitEinheit(text.trimmed(), einheit), mitEinheit(g.zahlText(bis), einheit)),
                   Meldung::Symbol::Information};
}

} // namespace

QString SingleText(float wert, const Gebietsschema& gebiet)
{
    if (!std::isfinite(wert))
        return gebiet.zahlText(0);
    char puffer[64];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed);
    if (fehler != std::errc())
        return gebiet.zahlText(static_cast<double>(wert));
    return QString::fromLatin1(puffer, int(ende - puffer)).replace(QLatin1Char('.'), gebiet.locale.decimalPoint());
}

QString FlaechenText(float flaeche, const Gebietsschema& gebiet)
{
    const double f = static_cast<double>(flaeche);
    if (!std::isfinite(f))
        return gebiet.zahlText(0);
    return gebiet.zahlText(runden(f * 100.0) / 100.0);
}

std::optional<Meldung> FlaecheZuGross(const QString& txtFlaeche, const Gebietsschema& gebiet)
{
    return zuGross(txtFlaeche, QStringLiteral("Die Flächengröße"), kFlaecheBis, QStringLiteral("m²"), gebiet);
}

std::optional<Meldung> BeetZuGross(const QString& txtLaenge, const QString& txtBreite, const Gebietsschema& gebiet)
{
    if (auto m = zuGross(txtLaenge, QStringLiteral("Die Länge des Beetes"), kSeiteBis, QStringLiteral("m"), gebiet))
        return m;
    return zuGross(txtBreite, QStringLiteral("Die Breite des Beetes"), kSeiteBis, QStringLiteral("m"), gebiet);
}

} // namespace kav

#include "requirement/kulturschrittwerte.h"

#include "platform/rounding.h"
#include "plots/wertebereiche.h"
#include "services/datumsmeldung.h"
#include "services/gebietsschema.h"

#include <charconv>
#include <cmath>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera - Düngeberechnung");

// A number and its unit, never parted by a line break.
QString mitEinheit(const QString& zahl, const QString& einheit) { return zahl + QChar(0x00A0) + einheit; }

// The message for a size larger than a plot's, with the range the plot dialog names.
std::optional<Meldung> zuGross(const QString& text, const QString& was, Groesse g, const QString& einheit,
                               const Gebietsschema& gebiet)
{
    const std::optional<double> v = gebiet.zahlLesen(text.trimmed());
    if (!v || !(*v > 0) || !groesseAusserhalb(g, text, gebiet))
        return std::nullopt;
    return Meldung{0, kTitel,
                   QStringLiteral("%1 %2 liegt außerhalb des möglichen Bereichs von %3. Bitte korrigieren Sie Ihre Eingabe.")
                       .arg(was, mitEinheit(text.trimmed(), einheit), groesseBereich(g, gebiet)),
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
    return zuGross(txtFlaeche, QStringLiteral("Die Flächengröße"), Groesse::Flaeche, QStringLiteral("m²"), gebiet);
}

std::optional<Meldung> BeetZuGross(const QString& txtLaenge, const QString& txtBreite, const Gebietsschema& gebiet)
{
    if (auto m = zuGross(txtLaenge, QStringLiteral("Die Länge des Beetes"), Groesse::Laenge, QStringLiteral("m"), gebiet))
        return m;
    return zuGross(txtBreite, QStringLiteral("Die Breite des Beetes"), Groesse::Breite, QStringLiteral("m"), gebiet);
}

QDate kulturbeginnAb(const QDate& heute) { return heute.addYears(-1); }

QDate kulturbeginnBis(const QDate& heute) { return heute.addYears(3); }

Meldung kulturbeginnAbgewiesen(const forms::DatumsAbweisung& a, const QDate& heute, const QDate& bleibt,
                               const Gebietsschema& gebiet)
{
    const QString bereich = QStringLiteral("vom %1 bis %2 (ein Jahr vor bis drei Jahre nach heute)")
                                .arg(gebiet.datumText(kulturbeginnAb(heute)), gebiet.datumText(kulturbeginnBis(heute)));
    return datumAbgewiesen(a, kTitel, QStringLiteral("Der Kulturbeginn"), bleibt, gebiet, bereich);
}

} // namespace kav

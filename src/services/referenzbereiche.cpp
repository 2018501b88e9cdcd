#include "services/referenzbereiche.h"

#include "services/gebietsschema.h"

#include <cmath>

namespace kav {

namespace {

// The shipped data lie well inside these ranges; the limits are what a garden can still need
// (a crop's nitrogen need of 28 g/m² is the shipped maximum, 100 g/m² is beyond any crop).
constexpr Referenzbereich kBereiche[] = {
    {"DuengerID", "N", 0, 100, kKleinsterGehalt, u" %"},
    {"DuengerID", "P2O5", 0, 100, kKleinsterGehalt, u" %"},
    {"DuengerID", "K2O", 0, 100, kKleinsterGehalt, u" %"},
    {"DuengerID", "Mg", 0, 100, kKleinsterGehalt, u" %"},
    {"KalkID", "CaCO3", 0, 100, kKleinsterGehalt, u" %"},
    {"KalkID", "MgCO3", 0, 100, kKleinsterGehalt, u" %"},
    {"KulturID", "Tage", 1, 365, 0, u" Tage"},
    {"KulturID", "TerminGD", 0, 53, 0, u""},          // calendar week of a permanent crop's base dressing
    {"KulturID", "TerminKD1", 0, 52, 0, u" Wochen"},  // weeks after the start (or the base dressing)
    {"KulturID", "TerminKD2", 0, 52, 0, u" Wochen"},
    {"KulturID", "N", 0, 100, 0, u" g/m²"},
    {"KulturID", "NGD", 0, 1, 0, u""},                // shares of the nitrogen need
    {"KulturID", "NKD1", 0, 1, 0, u""},
    {"KulturID", "NKD2", 0, 1, 0, u""},
    {"KulturID", "P2O5", 0, 100, 0, u" g/m²"},
    {"KulturID", "K2O", 0, 100, 0, u" g/m²"},
    {"KulturID", "Mg", 0, 100, 0, u" g/m²"},
    {"OrgSubID", "menge", 0, 20, 0, u" l oder kg je m²"},
    {"OrgSubID", "N", 0, 100, 0, u" g je l oder kg"},
    {"OrgSubID", "P2O5", 0, 100, 0, u" g je l oder kg"},
    {"OrgSubID", "K2O", 0, 100, 0, u" g je l oder kg"},
    {"OrgSubID", "Mg", 0, 100, 0, u" g je l oder kg"},
    {"Reihenabstand", "Reihenabstand", 1, 500, 0, u" cm"},
    {"MKFarben", "r", 0, 255, 0, u""},
    {"MKFarben", "g", 0, 255, 0, u""},
    {"MKFarben", "b", 0, 255, 0, u""},
};

bool gleich(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

} // namespace

const Referenzbereich* referenzbereich(const QString& tabelle, const QString& spalte)
{
    for (const Referenzbereich& b : kBereiche)
        if (gleich(tabelle, b.tabelle) && gleich(spalte, b.spalte))
            return &b;
    return nullptr;
}

bool imBereich(const Referenzbereich& b, double wert)
{
    if (!std::isfinite(wert) || wert < b.von || wert > b.bis)
        return false;
    return !(wert > 0 && wert < b.kleinster);
}

QString bereichText(const Referenzbereich& b, const Gebietsschema& g)
{
    const QString einheit = QString::fromUtf16(b.einheit);
    if (b.kleinster > 0 && b.von <= 0)
        return QStringLiteral("von %1 bis %2%3 (oder 0)").arg(g.zahlText(b.kleinster), g.zahlText(b.bis), einheit);
    return QStringLiteral("von %1 bis %2%3").arg(g.zahlText(b.von), g.zahlText(b.bis), einheit);
}

QStringList gehaltSpalten(const QString& tabelle)
{
    if (gleich(tabelle, "DuengerID"))
        return {QStringLiteral("N"), QStringLiteral("P2O5"), QStringLiteral("K2O"), QStringLiteral("Mg")};
    if (gleich(tabelle, "KalkID"))
        return {QStringLiteral("CaCO3"), QStringLiteral("MgCO3")};
    return {};
}

} // namespace kav

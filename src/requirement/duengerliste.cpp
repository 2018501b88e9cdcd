#include "requirement/duengerliste.h"

#include <cmath>

namespace kav {

namespace {

struct Summen {
    float n = 0, p = 0, k = 0, mg = 0;
};

// Sums the supply of every row from 0; rows without a fertiliser row are left out.
Summen summieren(const std::vector<DuengerAuswahlZeile>& liste, const DuengerQuelle& q, QStringList* fehlend,
                 std::vector<GewaehlterDuenger>* zeilen)
{
    Summen su;
    for (const DuengerAuswahlZeile& z : liste) {
        const std::optional<DuengerGehalt> g = q.gehalt(z.DuengerNr);
        if (!g) {
            if (fehlend)
                *fehlend << z.DuengerNr;
            continue;
        }
        const double menge = z.Menge;
        su.n = static_cast<float>(double(su.n) + g->N * menge / 100.0);
        su.p = static_cast<float>(double(su.p) + g->P2O5 * menge / 100.0);
        su.k = static_cast<float>(double(su.k) + g->K2O * menge / 100.0);
        su.mg = static_cast<float>(double(su.mg) + g->Mg * menge / 100.0);
        if (zeilen)
            zeilen->push_back({z.DuengerNr, g->Bezeichnung, g->Typ, z.Menge, z.Nr});
    }
    return su;
}

void uebernehmen(WizardState& s, const Summen& su)
{
    s.sngDuengerN = su.n;
    s.sngDuengerP = su.p;
    s.sngDuengerK = su.k;
    s.sngDuengerMg = su.mg;
}

} // namespace

void DuengerlisteAnlegen(WizardState& s)
{
    s.rsDuengerAuswahl = std::vector<DuengerAuswahlZeile>{};
}

DuengerSumme DuengerNaehrstoffeSummieren(WizardState& s, std::optional<float> sngMenge, const DuengerQuelle& q)
{
    DuengerSumme ergebnis;
    std::vector<DuengerAuswahlZeile> liste = s.rsDuengerAuswahl.value_or(std::vector<DuengerAuswahlZeile>{});
    if (!s.strAktDuengerNr.isEmpty() && sngMenge && std::isfinite(*sngMenge)) {
        liste.push_back({s.strAktDuengerNr, *sngMenge, static_cast<qint32>(liste.size() + 1)});
        ergebnis.angefuegt = true;
    }
    const Summen su = summieren(liste, q, &ergebnis.fehlend, nullptr);

    if (ergebnis.angefuegt || s.rsDuengerAuswahl)
        s.rsDuengerAuswahl = std::move(liste);
    uebernehmen(s, su);
    s.strAktDuengerNr.clear();
    return ergebnis;
}

std::vector<GewaehlterDuenger> GewaehlteDuengerSummieren(WizardState& s, const DuengerQuelle& q, QStringList* fehlend)
{
    std::vector<GewaehlterDuenger> zeilen;
    Summen su;
    if (s.rsDuengerAuswahl)
        su = summieren(*s.rsDuengerAuswahl, q, fehlend, &zeilen);
    uebernehmen(s, su);
    return zeilen;
}

} // namespace kav

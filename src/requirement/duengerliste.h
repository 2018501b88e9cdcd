#pragma once
// The list of chosen fertilisers (rsDuengerAuswahl) and the nutrients they supply.
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kav {

// A new, empty list; any earlier list is replaced.
void DuengerlisteAnlegen(WizardState& s);

// What summing the list found.
struct DuengerSumme {
    bool angefuegt = false;   // strAktDuengerNr was added to the list
    QStringList fehlend;      // DuengerNr of list rows without a fertiliser row: left out of the totals
};

// When strAktDuengerNr is set, appends it with `sngMenge` g/m² (nothing is appended without a
// usable amount); then sums sngDuengerN, sngDuengerP, sngDuengerK and sngDuengerMg from 0 over the
// whole list and empties strAktDuengerNr. Throws sql::Error when the source fails; the totals and
// the list then stay as they were.
DuengerSumme DuengerNaehrstoffeSummieren(WizardState& s, std::optional<float> sngMenge, const DuengerQuelle& q);

// One row of the list as the tree of chosen fertilisers shows it.
struct GewaehlterDuenger {
    QString DuengerNr;
    QString Bezeichnung;
    QString Typ;
    float Menge = 0;
    qint32 Nr = 0;
};

// For rebuilding the tree of chosen fertilisers: the rows in list order (rows without a fertiliser
// row are left out) with the four totals summed from 0. No list gives no rows and totals of 0.
std::vector<GewaehlterDuenger> GewaehlteDuengerSummieren(WizardState& s, const DuengerQuelle& q,
                                                         QStringList* fehlend = nullptr);

} // namespace kav

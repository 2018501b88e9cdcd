#pragma once
// The requirement of a saved mixed-culture plan, week by week over one year: the nitrogen to give
// in each week after the soil's mineralisation, the green manure and the Nmin reserve, and the
// P2O5, K2O and Mg need of the whole bed.
#include "requirement/bedarf.h"
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QDate>
#include <QString>

#include <map>
#include <vector>

namespace kav {

class Clock;

// Weeks of the weekly table: indices 0 to 54, the index is the calendar week.
constexpr int kMischkulturWochen = 55;

// The rows of a plan with the crop data and row spacings they name (only those found).
struct MischkulturDaten {
    std::vector<PlanZeile> zeilen; // ascending Start
    std::map<QString, KulturZeile> kulturen;
    std::map<QString, double> reihenabstaende;
};

// Reads the plan `mkid` and the crops of its rows. Throws sql::Error when a source fails.
MischkulturDaten MischkulturDatenLesen(const QString& mkid, const Bedarfsquellen& q);

// Computes the plan from data already read (no database). Reads sngBeetLaenge, sngBeetBreite,
// sngNMineralisierung, sngNminVorrat, sngZuschlagGD and the soil values; writes arrMischkulturWerte,
// arrMischkulturTermine, datKulturbeginn (in the year of `uhr`), intKulturTage (the plan's span in
// days, at most 365), sngKulturPH and the P2O5, K2O and Mg need per m² of bed. Rows without crop
// data or row spacing are left out and named in the report; an empty plan or a bed without size
// gives a table of zeros.
BedarfsBericht MischkulturRechnen(WizardState& s, const MischkulturDaten& d, const Clock& uhr);

// Reads the plan `strKulturNr` and computes it.
BedarfsBericht MischkulturBedarfBerechnen(WizardState& s, const QString& strKulturNr, const Bedarfsquellen& q,
                                          const Clock& uhr);

// The mineralised nitrogen of the weeks `intVonWoche` to `intBisWoche` that falls to a crop strip of
// row spacing `intReihenabstand` cm, shared by the strip areas standing in each week (from
// arrMischkulturWerte). Weeks outside 0 to 54 and weeks where nothing stands give nothing.
float MineralisierungWoche(const WizardState& s, int intVonWoche, int intBisWoche, int intReihenabstand);

// The Monday of ISO week `woche` of `jahr`; weeks beyond the year run on into the next, week 0 is
// the week before week 1. An invalid date for a year the calendar cannot hold.
QDate DatumAusKalenderwoche(int woche, int jahr);

// The plan's first week K, from which the weeks are paired, the Nmin reserve is deducted and the
// plan lists its dressings: the earliest Start of the plan's rows, kept within 1 to 53 (1 for a plan
// without rows). The plan page uses the same week.
int MischkulturStartwoche(const std::vector<PlanZeile>& zeilen);
int MischkulturStartwoche(const PlanQuelle& q, const QString& mkid);

// Last step of the weekly balances: a surplus of 2.5 or more is dropped and carries exactly 2.5 into
// the next week; a balance below 1 becomes 0.
void MischkulturSaldenAbschliessen(std::vector<MischkulturWoche>& werte);

} // namespace kav

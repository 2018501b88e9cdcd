#pragma once
// The fertilisation plan: the chosen fertilisers handed out dressing by dressing, written as the
// rows of the plan grid, with the lime sentence, the warning about an old analysis and the end row.
#include "plan/empfehlungsraster.h"
#include "plan/planangaben.h"
#include "services/wizardstate.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace kav {

struct Gebietsschema;

// A Single as plain text: at most seven significant digits, the locale's decimal separator
// (3 × 1.2 gives "3,6" in German); a value beyond them takes an exponent ("1,234568E+07").
QString EinfacheZahl(float wert, const Gebietsschema& g);

// The nutrient totals of the chosen fertilisers as they were when the plan page was entered. Every
// plan starts from them, so any number of plans gives the same totals.
struct PlanEingang {
    float sngDuengerN = 0, sngDuengerP = 0, sngDuengerK = 0;

    static PlanEingang aus(const WizardState& s) { return {s.sngDuengerN, s.sngDuengerP, s.sngDuengerK}; }
    void zurueckgeben(WizardState& s) const
    {
        s.sngDuengerN = sngDuengerN;
        s.sngDuengerP = sngDuengerP;
        s.sngDuengerK = sngDuengerK;
    }
};

// The names and dates the plan's titles and the document show.
struct PlanKopf {
    QString strKultur;        // the crop's name, "Mischkultur" for a plan
    QString strFlaeche;       // the plot's name
    QString strAnalyseDatum;  // in the user's date format (as stored when it cannot be read)
    QDate analyseDatum;       // invalid when it cannot be read
    QString strOrgSubName;    // the chosen compost or manure, empty for none
    std::optional<KulturZeile> kultur; // a single crop's row
    QStringList fehlend;      // rows that were not found, named for the user ("die Fläche „Fl1001“")

    // German message that the plan cannot be made; empty when nothing is missing.
    QString meldung() const;
};

// True when strAktOrgSubNr names a compost or manure ("x" and empty are none).
bool OrgSubGewaehlt(const WizardState& s);

// Reads crop, plot, analysis and organic material of the state. Throws sql::Error when a source fails.
PlanKopf PlanKopfLesen(const WizardState& s, const Planquellen& q, const Gebietsschema& g);

struct PlanErgebnis {
    bool ok = false;  // a plan was written; otherwise one red row tells why
    QString meldung;
};

// Builds the plan into `flgReport` (emptied first) from the state: the chosen fertilisers in the
// order of choice, the remaining nitrogen per dressing (sngNSaldoGD/KD1/KD2, for a plan the weekly
// balances), the organic material and the lime. Sets rsDuengerPlan; the totals sngDuengerN/P/K start
// from `eingang` and are lowered by what the plan hands out; a mixed-culture plan sets
// sngFlaecheGroesse to the bed's area and sngKulturPH to 1. `heute` gives the year of the period texts
// and the age of the analysis. A missing row (crop, plot, analysis, fertiliser, organic material)
// gives one red row naming it and no plan. Throws sql::Error when a source fails.
PlanErgebnis DuengeplanErstellen(WizardState& s, const PlanEingang& eingang, const Planquellen& q,
                                 const Gebietsschema& g, const QDate& heute, Empfehlungsraster& flgReport);

} // namespace kav

#pragma once
// The requirement calculation: Nmin reserve, the soil's mineralisation per dressing slot, the
// crop's nitrogen need per slot and the P2O5, K2O and Mg need.
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kav {

class Clock;

// A crop row of a mixed-culture plan that could not be computed.
struct UebersprungeneKultur {
    QString ID;       // the plan row
    QString KulturID;
    QString Kultur;   // name saved with the plan
};

// What a calculation could not do; the page tells the user when meldung() is not empty.
struct BedarfsBericht {
    bool kulturFehlt = false;   // a single crop without a row: its need keeps the earlier values
    bool planLeer = false;      // a plan without rows: every value of the bed is 0
    bool beetOhneMasse = false; // bed length or width not above 0: every value of the bed is 0
    std::vector<UebersprungeneKultur> uebersprungen; // plan rows without crop data or row spacing
    // Empty values that stop the calculation before it changes anything: soil values of the analysis
    // (organic matter, P2O5, K2O, pH), columns of the single crop's row.
    QStringList analyseLuecken;
    QStringList kulturLuecken;
    QString kultur; // name of the crop with kulturLuecken

    // Nothing was computed because a value is missing (the state is as it was).
    bool abgebrochen() const { return !analyseLuecken.isEmpty() || !kulturLuecken.isEmpty(); }
    // German message about the missing values or the plan, or empty.
    QString meldung() const;
};

// The calendar weeks of a permanent crop's three dressings, as the plan lists them: the base
// dressing in week TerminGD, the top dressings TerminKD1 and TerminKD2 weeks after it (each counted
// in whole days, then rounded to a whole week; the second never before the first).
struct DauerkulturWochen {
    int grund = 0;
    int kopf1 = 0;
    int kopf2 = 0;
};
DauerkulturWochen DauerkulturWochenBerechnen(double TerminGD, double TerminKD1, double TerminKD2);

// Share of the yearly mineralisation that falls into calendar week `woche` (0 outside 13 to 43).
double MineralisierungsAnteil(int woche);

// Yearly mineralisation in g N/m² by organic matter (5, 10, 15 or 20).
float JahresMineralisierung(float sngOS);

// Nmin reserve in g N/m² from the entered value and unit (0 mg NO3/l, 1 g N/m², 2 kg N/ha);
// -1 means nothing entered (2.5); any other unit leaves `bisher`.
float NminVorratBerechnen(float sngNminWert, qint16 intNminEinheit, float sngOS, float bisher);

// Computes the need for the crop (or, for a key beginning with "ID", the saved mixed-culture plan)
// from the analysis. Reads intNminEinheit, sngNminWert, sngNWD, sngZuschlagGD, blnDauerKultur,
// datKulturbeginn, intBodenart, sngMg and the bed size; writes the soil values, the Nmin reserve, the
// mineralisation and the need. `uhr` gives the year of a plan. An analysis with an empty soil value, or
// a single crop with an empty column it needs, stops it before it writes anything (the report names
// them). Throws sql::Error when a source fails; the state is then unchanged.
BedarfsBericht BedarfBerechnen(WizardState& s, QString strKulturNr, QString strAnalysenNr, const Bedarfsquellen& q,
                               const Clock& uhr);

// P2O5, K2O and Mg need from the crop's removal (g/m²) and the soil's supply class.
void PKMgBedarfBerechnen(WizardState& s, float sngP2O5Entzug, float sngK2OEntzug, float sngMgEntzug);

} // namespace kav

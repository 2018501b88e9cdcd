#pragma once
// The amount proposed for a chosen fertiliser: the dose that covers the remaining need of the
// nutrient it is dosed by, in whole grams per m², and the sentence with the total for the plot
// or the mixed-culture bed.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/eignung.h"
#include "services/referenzbereiche.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>

namespace kav {

struct Gebietsschema;

// The nutrient a fertiliser is dosed by. Optimal method: "NPK", "NP", "PK", "P" by phosphate, "NK",
// "K" by potash, "N" by nitrogen, "Mg" by magnesium. The other method doses the class "Gruen" by
// nitrogen where the fertiliser has it ("PK", "P" by phosphate, "K" by potash, "Mg" by magnesium)
// and the class "Gelb" by phosphate ("NK", "N" still by nitrogen, "K" by potash, "Mg" not at all).
// No other class is dosed, in either method.
std::optional<Naehrstoff> DosierNaehrstoff(const QString& typ, Klasse klasse, bool blnOptimal);

// Area the totals are given for: the plot for a crop ("Ku…"), length × width of the bed otherwise.
float Bezugsflaeche(const WizardState& s);

// "Es werden … benötigt." for `menge` whole grams per m², the dose the page shows and the plan
// doses: the total for the area as the plan writes its amounts, above 1000 g as kilograms with two
// decimals (an exact half of the last digit rounds up), else grams as the nearest multiple of 5 (a
// half to the even multiple); the area in its plain form ("4,5"). Number and unit are not parted
// by a line break.
QString MengenSatz(float menge, const WizardState& s, const Gebietsschema& g);

// The largest dose a proposal can give, in g/m²: the largest remaining need (three nitrogen dressings
// of the largest need a crop may have, 3 × 100 g/m²) from the smallest content a fertiliser may have.
inline constexpr double kGroessteDosis = 100.0 * 300.0 / kKleinsterGehalt;

struct Mengenvorschlag {
    float dosis = 0;    // g/m², a Single
    float menge = 0;    // whole grams, as txtMenge shows, the chosen list stores and the plan doses
    QString txtMenge;
    QString lblMenge;
};

// The proposal for a fertiliser of class `klasse` ("Gruen" or "Gelb"); nullopt when it cannot be
// dosed (no nutrient to dose by, a dose that is not above 0).
std::optional<Mengenvorschlag> frmNPK3_DuengerMengeBerechnen(const DuengerZeile& d, Klasse klasse, const WizardState& s,
                                                     const Gebietsschema& g);

} // namespace kav

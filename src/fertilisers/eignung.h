#pragma once
// Suitability of a fertiliser against the remaining need: the nutrient to cover next and the class
// of a catalogue row ("Gruen" recommended, "Gelb" less recommended, "Rot" unusable). A need below
// 2.0 g/m² is covered, 2.0 itself counts as open.
#include "fertilisers/duengerkatalog.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>

namespace kav {

enum class Naehrstoff { N, P, K, Mg };
enum class Klasse { Gruen, Gelb, Rot, Grau };

// Key, tag and picture of a class node: "Gruen", "Gelb", "Rot", "Grau".
QString klassenSchluessel(Klasse k);
std::optional<Klasse> klasseAus(const QString& schluessel);

// A remaining need still open: 2.0 g/m² and above.
bool BedarfOffen(float bedarf);

// A fertiliser under the class `strGruppe` may be chosen: "Gruen" and "Gelb", not "Rot".
bool frmNPK3_DuengerGruppeErlaubt(const QString& strGruppe);

// Remaining need of a nutrient (sngNSaldo, sngPSaldo, sngKSaldo, sngMgSaldo) and a row's content.
float Restbedarf(const WizardState& s, Naehrstoff n);
double Gehalt(const DuengerZeile& d, Naehrstoff n);
// Grams of fertiliser per m² that carry the remaining need: 100 × need ÷ content.
double Dosis(const WizardState& s, const DuengerZeile& d, Naehrstoff n);

// The nutrient the user is asked to cover next. Optimal method: phosphate, then potash, then
// nitrogen; the other method: nitrogen, then phosphate, then potash; magnesium when the three are
// covered, whatever its own need.
Naehrstoff Leitnaehrstoff(const WizardState& s, bool blnOptimal);

// A type outside "N", "P", "K", "NP", "NK", "PK", "NPK", "Mg", or one that names a nutrient without
// content (below 0,01 %), cannot be dosed.
bool TypPasst(const DuengerZeile& d);

// The class of a row in the catalogue tree (magnesium-rich fertilisers are unusable while no
// magnesium is needed). Rows whose type does not fit are "Rot".
Klasse DuengerKlasse(const DuengerZeile& d, const WizardState& s, Naehrstoff leit, bool blnOptimal);

// The rating of a fertiliser the user has just entered. The optimal method rates as the tree does
// (without the magnesium-content rule); the other method does not ask for the nutrient to cover
// first: a fertiliser is unusable only where a nutrient it names is covered.
Klasse DuengerBewerten(const DuengerZeile& d, const WizardState& s, bool blnOptimal);

} // namespace kav

#pragma once
// What is still to be fertilised after the soil's supply, the credits and the chosen fertilisers,
// and the four sentences that tell it on the fertiliser page.
#include "services/wizardstate.h"

#include <QString>

#include <array>

namespace kav {

struct Gebietsschema;

// Nitrogen per dressing slot after the Nmin reserve and the mineralisation (a single crop, key
// "Ku…"), or the sum of the weekly balances (a plan, key "ID…"), less the chosen fertilisers' N;
// P2O5, K2O and Mg after the organic credits and the chosen fertilisers. No database.
void RestbedarfBerechnen(WizardState& s);

// The need lines of the fertiliser page, lblVersorgung(1) to lblVersorgung(4).
struct BedarfsMeldungen {
    std::array<QString, 4> zeilen; // nitrogen, phosphate, potash, magnesium

    // Line 1 nitrogen, 2 phosphate, 3 potash, 4 magnesium; empty for any other index.
    QString lblVersorgung(int index) const;
};

// The sentences for the remaining need by the selection method; numbers in the user's format.
BedarfsMeldungen BedarfsMeldungenAnzeigen(const WizardState& s, const Gebietsschema& gebiet);

} // namespace kav

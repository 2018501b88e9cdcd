#pragma once
// Lime requirement of the chosen plot in g CaO/m², in steps of 50.
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

namespace kav {

// Organic-matter class (1 to 4) and pH key of the lime table; key 0 means no lime is needed.
struct KalkSchluessel {
    int osKlasse = 0;
    int ph = 0;
};

// Class and key for a mineral soil (organic matter up to 30 %) of soil group 0, 1 or 2; nullopt for
// any other soil group. A pH between the lower and the middle bound gives pH × 10 as a whole number.
std::optional<KalkSchluessel> KalkSchluesselBestimmen(qint16 intBodenart, float sngOS, float sngPH);

// Reads strAktFlaechenNr, sngOS, sngPH, intBodenart and sngKulturPH; writes sngKalkBedarf (kept when
// no plot is chosen). A key without a row or without a value counts as no lime. Throws sql::Error
// when the source fails; sngKalkBedarf then keeps its value.
void KalkbedarfBerechnen(WizardState& s, const KalkbedarfQuelle& q);

} // namespace kav

#pragma once
// What the wizard's steps share without widgets: which crop is a permanent crop or a mixed culture, the
// road after the crop step and back from the organic-matter step, and the calculation that their Next
// buttons run.
#include "requirement/bedarfsquellen.h"
#include "services/meldungen.h"
#include "services/wizardstate.h"

#include <QString>

namespace kav {

class Clock;

// The crop that is a permanent crop by its own key.
inline const QString kDauerKultur = QStringLiteral("Ku1009");

// True for the keys of the permanent-crop groups "Ku1003" to "Ku1006" and "Ku1008".
bool IstDauerkulturGruppe(const QString& key);
// A new mixed culture ("Ku1090") or a saved plan (a key beginning with "ID").
bool IstMischkultur(const QString& strKulturNr);
// The crop step's test: true without a crop, for a crop below a permanent-crop group and for "Ku1009".
bool DauerKulturTest(const QString& strAktKulturNr, const QString& elternKey);

// The step the crop step's Next leads to: "MKEditor" for a mixed culture, "NPK2b" for a permanent crop
// (blnDauerKultur), else "NPK2". The organic-matter step's Back follows the same rule backwards:
// "NPK1" for a permanent crop, else "NPK2".
QString KulturWeiterSchritt(const WizardState& s);
QString OrgSubZurueckSchritt(const WizardState& s);

// The need and the remaining need for strAktKulturNr and strAktAnalysenNr, as the steps' Next buttons
// compute them. The state changes only when the calculation ran: an empty soil value (message 103),
// a crop without its row or with an empty value, or a file that cannot be read leave it as it was and
// say so. A plan with rows left out is computed; `meldung` then names them.
struct Neuberechnung {
    bool ok = false;
    Meldung meldung; // shown when not empty
};
Neuberechnung BedarfNeuBerechnen(WizardState& s, const Bedarfsquellen& q, const Clock& uhr);

} // namespace kav

#pragma once
// A diagnostic record of the nitrogen balance of the requirement calculation, appended to a text file.
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QString>

namespace kav {

struct Gebietsschema;

// Appends one block to `datei` (created when missing; lines end with CR LF): for a single crop the
// crop, its dates and the nitrogen figures by the names of the variables; for a mixed-culture plan
// (key "ID…") the weekly values and the dressing dates. False, and nothing written, when the crop has
// no row, the weekly table is not complete (weeks 0 to 54) or the file cannot be written.
// Throws sql::Error when the source fails.
bool frmNPK4_BilanzProtokollieren(const WizardState& s, const KulturQuelle& q, const Gebietsschema& g,
                                  const QString& datei);

} // namespace kav

#pragma once
// The notice for organic nitrogen fertilisers chosen for a crop that starts in the cool part of the
// year: horn shavings, horn grit, horn meal and every fertiliser marked as holding organic nitrogen
// release it slowly.
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>

namespace kav {

// A text for the notice window: caption, title line, text and the lexicon chapter of its link.
struct Hinweis {
    QString caption;
    QString titel;
    QString text;
    QString kapitel;
};

// The ISO week in which the crop starts: the week of datKulturbeginn, for a mixed-culture plan the
// plan's first week. nullopt for a permanent crop and when no start is known (no date, a plan
// without rows).
std::optional<int> HornStartwoche(const WizardState& s, const PlanQuelle& plaene);

// The notice for fertiliser `strDuengerNr` (organic nitrogen: `norg`) at start week `woche`:
// horn shavings always; horn grit and other organic nitrogen before week 19 and after week 30; horn
// meal before week 17 and after week 32. nullopt: no notice.
std::optional<Hinweis> HornHinweis(const QString& strDuengerNr, bool norg, int woche);

} // namespace kav

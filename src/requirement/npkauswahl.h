#pragma once
// The first wizard step without widgets: the latest analysis of a plot, the texts the page shows of it,
// and what Next takes into the wizard state.
#include "services/analysenzeile.h"
#include "services/wizardstate.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>

namespace kav {

struct Gebietsschema;

// The plot's latest analysis by the date of its assignment; an assignment whose analysis row is gone
// does not count. nullopt when the plot has none. Throws sql::Error when the file cannot be read.
std::optional<AnalysenZeile> NeuesteAnalyseLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr);

// Area, usage and compost column of the plot `strAktFlaechenNr` into the state (values the row does not
// have stay). False when there is no such row. Throws sql::Error when the file cannot be read.
bool FlaechenWerteLesen(const QSqlDatabase& cnDaten, WizardState& s);

// The word for a soil group, as the analysis page names it: "leicht", "mittel", "schwer"; empty for any
// other group.
QString BodenartWort(std::optional<int> bodenart);

// What the page shows of an analysis: the date line under the plot's name ("Aktuellste Analyse vom"
// and the date, whether the plot was clicked or is shown again) and the six values (soil group,
// organic matter, P2O5, K2O, Mg or "nicht bestimmt", pH). An empty or unreadable value gives an empty box.
struct AnalysenAnzeige {
    QString datumZeile;
    std::array<QString, 6> txtWert;
};
AnalysenAnzeige AnalyseAnzeigen(const AnalysenZeile& a, const Gebietsschema& gebiet);

// Next: the soil group and the soil values of the analysis into the state (magnesium empty or -1 is
// "not determined", -1). False, and nothing changes, when organic matter, P2O5, K2O or pH is empty or
// the soil group is not 0 to 2 (message 103).
bool BodenwerteUebernehmen(WizardState& s, const AnalysenZeile& a);

} // namespace kav

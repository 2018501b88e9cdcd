#pragma once
// The catalogue of the fertiliser step as data: the fertilisers sorted into suitability classes
// against the remaining need, the liming materials once the nutrients are covered, or nothing more
// to choose. The page shows what a run gives; the run itself touches no window.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/eignung.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>
#include <vector>

namespace kav {

struct Gebietsschema;

// A node of the page's trees.
struct Baumknoten {
    QString key;
    QString tag;
    QString bild;
    QString text;
    bool aufgeklappt = false;
    std::vector<Baumknoten> kinder;
};

enum class Katalogstand {
    Klassen,     // fertilisers by suitability class; a nutrient still needs 2.0 g/m² or more
    Kalk,        // the liming materials: the nutrients are covered, the soil needs lime
    Geschlossen, // nothing more to choose
};

inline const QString kGedeckt = QStringLiteral("Der Nährstoffbedarf Ihrer Kultur ist vollständig gedeckt.");
inline const QString kKalkFrage = QStringLiteral("Wählen Sie einen Kalk zur Deckung des Kalkbedarfs des Bodens.");

// One run over the catalogue.
struct Katalog {
    Katalogstand stand = Katalogstand::Klassen;
    Naehrstoff leit = Naehrstoff::N;
    std::vector<Baumknoten> knoten;     // trvDuenger(1), top level
    std::optional<QString> lblDuenger;  // the prompt; nullopt: the caption stays (empty catalogue)
    std::optional<QString> lblMenge;    // a new amount sentence (closed: empty; a lime entered: its dose)
    std::optional<QString> txtMenge;    // the amount box: the lime's dose once a lime is entered
    std::optional<bool> cmbWeiter;      // nullopt: Next keeps its state
};

// The prompt for the nutrient to cover.
QString DuengerFrage(Naehrstoff leit);

// The text of a fertiliser node: name and the four contents, "Hornmehl (14+0+0+0)".
QString DuengerKnotenText(const DuengerZeile& d, const Gebietsschema& g);

// Sorts `zeilen` into the classes of the method: "Gruen" (open), "Gelb" (only with the method of
// few fertilisers), "Rot" (only the user's own rows), the add-new node "Grau". "Gelb" and "Rot" are
// left out without children. No database and no change of the state.
Katalog DuengerKlassenBauen(const WizardState& s, bool blnOptimal, const std::vector<DuengerZeile>& zeilen,
                            const Gebietsschema& g);

// The liming materials under "Zur Auswahl stehende Kalke" with the add-new node; Next disabled.
Katalog KalkKlassenBauen(const std::vector<KalkZeile>& zeilen);

// The lime dose in grams per m²: the lime need carried by the carbonates, as the nearest multiple
// of 5 (an exact half to the even multiple); nullopt for a material without carbonate.
std::optional<double> KalkDosis(float sngKalkBedarf, double CaCO3, double MgCO3);

enum class KalkErgebnis {
    Eingetragen,    // the lime is the chosen one, the catalogue closed
    NichtGefunden,  // no such lime: nothing changes
    OhneCarbonat,   // CaCO3 + MgCO3 = 0: it cannot carry the need, nothing changes
};

struct KalkEintrag {
    KalkErgebnis ergebnis = KalkErgebnis::NichtGefunden;
    QString Bezeichnung;
    Katalog katalog; // closed, with the dose sentence (Eingetragen only)
};

// Enters the liming material `KalkNr` as the lime of this calculation (strAktKalkNr,
// strAktKalkName, sngKalkCaCO3, sngKalkMgCO3); the dose is not stored.
KalkEintrag KalkDuengerEintragen(WizardState& s, const QString& KalkNr, const Duengerkatalog& k,
                                 const Gebietsschema& g);

// The lime choice: a lime chosen before is entered again, otherwise the liming materials.
Katalog KalkBaumFuellen(WizardState& s, const Duengerkatalog& k, const Gebietsschema& g);

// The whole run: the classes while a nutrient is open; then the lime choice while lime is needed,
// else closed. Reads the catalogue; writes the state only when a lime chosen before is entered again.
Katalog DuengerBaumFuellen(WizardState& s, bool blnOptimal, const Duengerkatalog& k, const Gebietsschema& g);

} // namespace kav

#pragma once
// The input of the two catalogue editors, checked before anything is stored: a name (at most
// `kKatalogNameLaengeMax` characters, no control characters), and contents
// in the range of the reference data (0 or 0,01 to 100 %) with a sum of at most 100 %. An empty box
// counts as 0.
#include "fertilisers/duengerkatalog.h"

#include <QString>

#include <array>
#include <optional>

namespace kav {

struct Gebietsschema;

// Largest length of a fertiliser's or lime's name: the longest shipped name has 41 characters.
inline constexpr int kKatalogNameLaengeMax = 50;

struct DuengerPruefung {
    std::optional<DuengerDaten> daten; // set when the input can be stored
    bool ohneName = false;             // the name is empty or blank
    QString meldung;                   // why the contents cannot be stored
};

struct KalkPruefung {
    std::optional<KalkDaten> daten;
    bool ohneName = false;
    QString meldung;
};

// Fertiliser: N, P2O5, K2O, MgO as typed; at least one content above 0.
DuengerPruefung DuengerEingabePruefen(const QString& name, const std::array<QString, 4>& gehalte, bool norg,
                                      const Gebietsschema& g);
// Lime: CaCO3 and MgCO3 as typed; together above 0 (a lime without carbonate cannot carry any need).
KalkPruefung KalkEingabePruefen(const QString& name, const QString& caco3, const QString& mgco3, const Gebietsschema& g);

} // namespace kav

#pragma once
// Rating of a soil analysis: one German sentence under each of the five values.
#include <QString>

#include <array>
#include <optional>

namespace kav {

struct Gebietsschema;

// Positions of the values in the arrays below (the page's txtWert(2)..txtWert(6) and
// lblEinstufung(0)..lblEinstufung(4)).
enum AnalysenWert { kOrgSubstanz = 0, kP2O5 = 1, kK2O = 2, kMg = 3, kPH = 4 };

// The five value texts as typed, in the order of AnalysenWert.
using AnalysenTexte = std::array<QString, 5>;
// The five sentences, in the order of AnalysenWert; an empty text means no sentence.
using AnalysenSaetze = std::array<QString, 5>;

// Soil group of "no soil type chosen".
inline constexpr int kKeineBodenart = 4;

// Rates the values for the soil group `intBodenart` (0 light, 1 medium, 2 heavy, 4 none).
// A value that is empty or not a number gets no sentence. Organic matter that is empty or not a
// number counts as 0 where other values depend on it (phosphate and potash columns, humus class),
// and is never moor soil. With no soil group only organic matter and phosphate are rated.
AnalysenSaetze AnalysenWerteEinstufen(const AnalysenTexte& txtWert, int intBodenart, const Gebietsschema& gebiet);

// A value text as a number in the user's locale; nullopt when empty, not a number or not finite.
std::optional<double> analysenWertLesen(const QString& text, const Gebietsschema& gebiet);

// Soil group of a position in the list of soil types (ordered by ID): -1 none (4), 0-2 light (0),
// 3-4 medium (1), 5 and later heavy (2).
int bodenartAusListenIndex(int listenIndex);

} // namespace kav

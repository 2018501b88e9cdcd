#pragma once
// The compost advice window without widgets: which soil improvers suit the plot's phosphate supply and
// how much of one may be given per m² and year, judged by the values the plot step shows.
#include "requirement/organischesubstanz.h"

#include <QString>

#include <optional>
#include <vector>

namespace kav {

struct Gebietsschema;

inline const QString kKlasseGruen = QStringLiteral("Gruen");
inline const QString kKlasseRot = QStringLiteral("Rot");
inline const QString kKompostGruenText = QStringLiteral("Empfehlenswerte Bodenverbesserungsmittel");
inline const QString kKompostRotText = QStringLiteral("Ungeeignete Bodenverbesserungsmittel");
inline const QString kKompostMistHinweis = QStringLiteral(
    "Auf Grund des hohen Phosphatgehaltes ist eine Ausbringung von Mist nicht zu empfehlen. Auf Grund der "
    "sonstigen Vorteile der Eigenkompostierung können Sie trotzdem jährlich 3\u00A0l\u00A0Kompost "
    "je\u00A0m² ausbringen.");
inline const QString kKompostOhneWerte = QStringLiteral(
    "Für diese Fläche fehlt in der Bodenuntersuchung die organische Substanz oder der Phosphatgehalt, "
    "deshalb ist keine Empfehlung möglich.");

// Organic matter and P2O5 of the plot as whole numbers (rounded, halves to even).
struct KompostBoden {
    int os = 0;
    int p = 0;
};
// From the texts of the plot step's boxes; nullopt when one is empty or no number.
std::optional<KompostBoden> KompostBodenLesen(const QString& txtOS, const QString& txtP2O5, const Gebietsschema& g);

// "Gruen" for compost and, elsewhere, for P2O5 up to 20 (up to 14 above 15 % organic matter); else "Rot".
QString KompostKlasse(const QString& orgSubNr, const KompostBoden& b);
// The factor of the amount: 0 in "Rot"; in "Gruen" 2 on a soil poor in phosphate (P2O5 below 10, below 7
// above 15 % organic matter), else 1.
int KompostFaktor(const QString& klasse, const KompostBoden& b);

// The advice for a material of class `klasse` (its node text `knotenText`).
QString KompostRat(const QString& klasse, const KompostBoden& b, const QString& knotenText, const OrgSubZeile& z,
                   const Gebietsschema& g);

// The tree's content: the materials of each class in the table's order, and the notice under it.
struct KompostBaumInhalt {
    std::vector<OrgSubZeile> gruen, rot;
    QString meldung; // the notice about manure when some material is "Rot", else empty
};
KompostBaumInhalt KompostBaumEinteilen(const std::vector<OrgSubZeile>& alle, const KompostBoden& b);

} // namespace kav

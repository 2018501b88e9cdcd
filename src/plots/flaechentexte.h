#pragma once
// Texts and lists of the plot dialog and the analysis page: sizes, the values of a stored analysis,
// the soil types and the usages.
#include "plots/einstufung.h"
#include "services/analysenzeile.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace kav {

struct Gebietsschema;

inline const QString kMgNichtBestimmtText = QStringLiteral("nicht bestimmt");

// Headings of the analysis page above a plot's values: for values to enter, for stored values.
inline const QString kUeberschriftEingabe = QStringLiteral("Geben Sie rechts die Analysenwerte ein für: ");
inline const QString kUeberschriftWerte = QStringLiteral("Analysenwerte für die Fläche: ");

// The question when values typed on the analysis page are not yet stored.
inline const QString kUngespeichertTitel = QStringLiteral("Humavera - Analysenwerte eintragen");
inline const QString kUngespeichertFrage =
    QStringLiteral("Die eingegebenen Analysenwerte sind noch nicht gespeichert. Sollen sie gespeichert werden?");

// The area that follows from length and width: Round(length × width, 1), halves to the even
// digit. nullopt (the area box keeps its text) when the changed box is empty, 0 or not a number,
// or the other box is not a number.
std::optional<double> flaecheAusMassen(const QString& geaendert, const QString& anderer, const Gebietsschema& g);

// A size for the plot dialog's boxes: one decimal ("12,5", "0,0"); empty for 0 when `leerBeiNull`.
QString masseText(double wert, bool leerBeiNull, const Gebietsschema& g);

// Texts of a stored analysis for the page's value boxes; an empty value reads 0, Mg empty or -1
// "nicht bestimmt".
AnalysenTexte analyseTexte(const AnalysenZeile& a, const Gebietsschema& g);

// Items of the soil type list: "Bezeichnung (Kuerzel)" in the order of ID (read from Kav.KRN).
QStringList bodenartenLesen(const QSqlDatabase& cnKav);
// Usages for the plot dialog: (ID, name) in the order of ID (read from Kav.KRN).
std::vector<std::pair<int, QString>> nutzungenLesen(const QSqlDatabase& cnKav);

} // namespace kav

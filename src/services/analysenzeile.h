#pragma once
// One soil analysis as stored in AnalysenID of Daten.KRN, and its reader. The analysis page and the
// requirement calculation both read analyses through it.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

namespace kav {

// "Not determined" for magnesium, as stored and as handed to the calculation.
inline constexpr double kMgNichtBestimmt = -1.0;

// One row of AnalysenID. A numeric field that is empty or holds no number reads as nullopt, so that
// each caller decides what a missing value means.
struct AnalysenZeile {
    QString AnalysenNr;
    QDate Datum; // sampling date; invalid when the field is empty or no ISO date
    std::optional<int> Bodenart; // soil group: 0 light, 1 medium, 2 heavy
    std::optional<int> BodenartKuerzel; // position in the soil type list + 1, 0 for none
    std::optional<double> GesamtN; // organic matter in percent
    std::optional<double> P2O5, K2O;
    std::optional<double> Mg; // kMgNichtBestimmt when not determined
    std::optional<double> pH;
    QString LetzteAenderung;
    QString ID;
};

// Magnesium of an analysis; an empty field counts as not determined.
inline double mgWert(const AnalysenZeile& a) { return a.Mg.value_or(kMgNichtBestimmt); }

// Names of the analysis values, as the analysis page captions them.
inline const QString kNameBodenart = QStringLiteral("Bodenart");
inline const QString kNameOrgSubstanz = QStringLiteral("Organische Substanz");
inline const QString kNameP2O5 = QStringLiteral("Phosphat-Gehalt");
inline const QString kNameK2O = QStringLiteral("Kalium-Gehalt");
inline const QString kNamePH = QStringLiteral("pH-Wert");

// What the calculation needs and the analysis lacks, by name: the soil group (0 to 2), organic
// matter, P2O5, K2O and pH, in this order.
QStringList fehlendeAnalysenwerte(const AnalysenZeile& a);

// The analysis `analysenNr`; nullopt when there is none. Throws sql::Error when the file cannot be read.
std::optional<AnalysenZeile> analysenZeileLesen(const QSqlDatabase& cnDaten, const QString& analysenNr);

} // namespace kav

#pragma once
// Soil analyses of the plots: storing the analysis page's values in AnalysenID with their assignment
// in ZOFlaechenAnalysen, and finding a plot's analysis of a date. Reading one analysis is
// analysenZeileLesen (services/analysenzeile.h).
#include "plots/datenschreiber.h"
#include "plots/einstufung.h"
#include "services/analysenzeile.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kav {

struct Gebietsschema;
struct WizardState;

// strAktAnalysenNr while a new analysis is being entered.
inline const QString kNeueAnalyse = QStringLiteral("x");

// The analysis page's input for a store.
struct AnalyseEingabe {
    QString strAktFlaechenNr;
    QString strAktAnalysenNr = kNeueAnalyse; // "x": no analysis shown, look it up by plot and date
    QDate datum;                             // sampling date
    int intBodenart = kKeineBodenart;
    int bodenartListenIndex = -1;            // position in the soil type list, -1 none
    AnalysenTexte txtWert;                   // the five values as typed
};

struct AnalyseGespeichert {
    bool ok = false;
    Meldung meldung;  // on failure: what to tell the user (103 for missing values)
    QString AnalysenNr;
    bool neu = false; // a new analysis and assignment were written
    float sngOS = 0, sngP2O5 = 0, sngK2O = 0, sngMg = kMgNichtBestimmt, sngPH = 0;
};

// Hands a stored analysis to the wizard: strAktAnalysenNr and the soil values.
void werteUebergeben(const AnalyseGespeichert& a, WizardState& s);

// The analysis of a plot on a sampling date (one per plot and date); an assignment whose analysis
// row is missing does not count. Throws sql::Error when the file cannot be read.
std::optional<QString> analyseZuDatum(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum);

class AnalysenDaten : public DatenSchreiber {
public:
    AnalysenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall);

    // Stores the page's analysis. An analysis shown on the page is updated; otherwise the plot's
    // analysis of that date is updated, and only when there is none a new analysis with its
    // assignment is written. Missing or unreadable values, or no soil group: message 103 and
    // nothing is written.
    AnalyseGespeichert AnalysenWerteSpeichern(const AnalyseEingabe& e);

private:
    const Gebietsschema& m_gebiet;
};

} // namespace kav

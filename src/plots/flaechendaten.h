#pragma once
// Plots, groups and soil analyses in Daten.KRN: reading, storing and deleting.
// Every command that writes runs in one transaction: it is done completely or not at all.
#include "plots/einstufung.h"
#include "services/meldungen.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kav {

class Clock;
class RandomSource;
struct Gebietsschema;
struct WizardState;

// Largest length of a plot's or group's name.
inline constexpr int kNameLaengeMax = 20;
// "Not determined" for magnesium.
inline constexpr double kMgNichtBestimmt = -1.0;
inline const QString kMgNichtBestimmtText = QStringLiteral("nicht bestimmt");
// strAktAnalysenNr while a new analysis is being entered.
inline const QString kNeueAnalyse = QStringLiteral("x");
inline const QString kWurzelNr = QStringLiteral("Fl0");

// Questions of the deletions; the default button is the safe one (Cancel, No).
inline const QString kGruppeLoeschenTitel = QStringLiteral("Humavera");
inline const QString kGruppeLoeschenFrage = QStringLiteral(
    "Sollen alle untergeordneten Punkte ebenfalls gelöscht werden, dann Klicken Sie auf 'Ja'.\n\r\n\r"
    "Soll nur die gewählte Gruppe gelöscht werden, Klicken Sie auf 'Nein'. Alle\n\r\n\r"
    "untergeordneten Punkte werden in die nächsthöhere Gliederungseben verschoben.");
inline const QString kFlaecheLoeschenTitel = QStringLiteral("Flächen löschen");
inline const QString kFlaecheLoeschenFrage = QStringLiteral(
    "Soll die ausgewählte Fläche, sowie alle ihr zugeordneten Analysen gelöscht werden?\n\r\n\r"
    "Klicken Sie auf 'Ja' um den Löschvorgang abzuschließen.");

// One row of FlaechenID (a plot or a group).
struct FlaechenZeile {
    QString ID;
    QString FlaechenNr;
    bool Gliederungspunkt = false;
    qint64 GruppierungNr = 0;
    bool AktuellerDatensatz = true;
    QString Bezeichnung;
    double Laenge = 0, Breite = 0, Flaeche = 0;
    int Kompost = 0;
    int Nutzung = 0;
    QString LetzteAenderung;
};

// One row of AnalysenID.
struct AnalysenZeile {
    QString AnalysenNr;
    QDate Datum;
    int Bodenart = 0;
    int BodenartKuerzel = 0;
    double GesamtN = 0; // organic matter in percent
    double P2O5 = 0, K2O = 0;
    double Mg = kMgNichtBestimmt;
    double pH = 0;
    QString LetzteAenderung;
    QString ID;
};

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

// The plot dialog's input; sizes as typed (empty counts as 0).
struct FlaechenEingabe {
    QString Bezeichnung;
    int Nutzung = 0;
    QString txtLaenge, txtBreite, txtFlaeche;
    int Kompost = 1; // 1: compost applied regularly, 0: none
    bool AktuellerDatensatz = true;
};

struct Schreibergebnis {
    bool ok = false;
    Meldung meldung;            // on failure
    QString FlaechenNr;         // the new or changed entry
    float sngFlaecheGroesse = 0; // area of a stored plot
};

// The area that follows from length and width: Round(length × width, 1), halves to the even
// digit. nullopt (the area box keeps its text) when the changed box is empty, 0 or not a number,
// or the other box is not a number.
std::optional<double> flaecheAusMassen(const QString& geaendert, const QString& anderer, const Gebietsschema& g);

// A size for the plot dialog's boxes: one decimal ("12,5", "0,0"); empty for 0 when `leerBeiNull`.
QString masseText(double wert, bool leerBeiNull, const Gebietsschema& g);

// Texts of a stored analysis for the page's value boxes; Mg -1 reads "nicht bestimmt".
AnalysenTexte analyseTexte(const AnalysenZeile& a, const Gebietsschema& g);

// Items of the soil type list: "Bezeichnung (Kuerzel)" in the order of ID (read from Kav.KRN).
QStringList bodenartenLesen(const QSqlDatabase& cnKav);
// Usages for the plot dialog: (ID, name) in the order of ID (read from Kav.KRN).
std::vector<std::pair<int, QString>> nutzungenLesen(const QSqlDatabase& cnKav);

class FlaechenDaten {
public:
    FlaechenDaten(QSqlDatabase cnDaten, const Gebietsschema& gebiet, const Clock& uhr, RandomSource& zufall);

    // Reading
    std::optional<FlaechenZeile> flaecheLesen(const QString& flaechenNr) const;
    std::optional<AnalysenZeile> analyseLesen(const QString& analysenNr) const;
    // The analysis of a plot on a sampling date (one per plot and date); an assignment whose
    // analysis row is missing does not count.
    std::optional<QString> analyseZuDatum(const QString& flaechenNr, const QDate& datum) const;

    // Stores the page's analysis. An analysis shown on the page is updated; otherwise the plot's
    // analysis of that date is updated, and only when there is none a new analysis with its
    // assignment is written. Missing or unreadable values, or no soil group: message 103 and
    // nothing is written.
    AnalyseGespeichert AnalysenWerteSpeichern(const AnalyseEingabe& e);

    // Plot dialog: new plot under the group `strAktGruppierungNr` ("0" top level), or a change.
    Schreibergebnis flaecheNeu(const FlaechenEingabe& e, const QString& strAktGruppierungNr);
    Schreibergebnis flaecheAendern(const QString& flaechenNr, const FlaechenEingabe& e);
    // Group dialog. A new group is always current; a change writes name and flag only.
    Schreibergebnis gruppeNeu(const QString& Bezeichnung, const QString& strAktGruppierungNr);
    Schreibergebnis gruppeAendern(const QString& flaechenNr, const QString& Bezeichnung, bool AktuellerDatensatz);

    // Deletions. Each removes afterwards every row that has lost its owner, until none is left.
    Schreibergebnis GruppeMitUnterpunktenLoeschen(const QString& flaechenNr);
    // Moves the group's children to its parent, then deletes the group.
    Schreibergebnis GruppeAufloesen(const QString& flaechenNr);
    Schreibergebnis FlaecheLoeschen(const QString& flaechenNr);
    // Deletes one analysis with its assignments.
    Schreibergebnis AnalyseLoeschen(const QString& analysenNr);

    // For tests: called at named points inside the transactions; throwing there makes the
    // command fail and roll back.
    void setPruefpunkt(std::function<void(QStringView)> f) { m_pruefpunkt = std::move(f); }

private:
    void pruefpunkt(QStringView schritt) const;
    QString jetzt() const;
    bool istGruppe(qint64 nummer) const;
    void aufraeumen(bool mitFlaechen);
    Schreibergebnis fehlgeschlagen(const QString& was, const QString& grund) const;
    static Schreibergebnis abgelehnt(const QString& text);
    // Runs `arbeit` in one transaction: all of it, or nothing when it refuses (returns false with the
    // reason in the result) or fails (with the message `wennFehler`).
    Schreibergebnis inEinemVorgang(const QString& wennFehler, const std::function<bool(Schreibergebnis&)>& arbeit);
    // Checks the parent group of a new entry and takes the next number (into r.FlaechenNr).
    std::optional<std::pair<QString, qint64>> neueNummerUnter(const QString& strAktGruppierungNr, Schreibergebnis& r);
    // True when the statement changed a row; otherwise the result says the entry is gone.
    static bool geaendert(const QSqlQuery& q, Schreibergebnis& r);

    QSqlDatabase m_db;
    const Gebietsschema& m_gebiet;
    const Clock& m_uhr;
    RandomSource& m_zufall;
    std::function<void(QStringView)> m_pruefpunkt;
};

} // namespace kav

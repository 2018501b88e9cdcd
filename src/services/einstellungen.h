#pragma once
// The settings of the program: read once at start, written once at shutdown.
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace kav {

class SettingsStore;
struct Gebietsschema;
struct Rahmen;

struct Einstellungen {
    QString strProgrammVerz;
    QString strVersion;
    QString strProgrammID;
    int intDS = 0;                 // backup interval in days
    QDate datLetzteDS;             // last backup; null = never
    QString strDatenAufServer;     // "Wahr": analyses also go to the server
    QDateTime datLetztesUpdate;
    QString strUpdatebeiStart;     // "Wahr": look for data updates at start
    int intRot = 0, intGruen = 0, intBlau = 0;
    int intRotHell = 0, intGruenHell = 0, intBlauHell = 0; // user colour + 32, no upper bound
    bool blnAnzeigeAktuellFl = false;
    bool blnImmerOptimal = false;
};

// Date of the reference data the program ships with: the last update of a new installation, and
// of a Kav.KRN put back from the standard file or a backup, whose data may be older than the last
// update (the next update then fetches every area again).
QDateTime datenstandAuslieferung();

// The user colour and its highlight shade; a component above 255 counts as 255.
QColor benutzerFarbe(const Einstellungen& e);
QColor benutzerFarbeHell(const Einstellungen& e);

// Key paths of the settings.
namespace schluessel {
inline const QString pfade = QStringLiteral("Software\\KRN-Software\\Kav\\Pfade");
inline const QString version = QStringLiteral("Software\\KRN-Software\\Kav\\Version");
inline const QString einstellungen = QStringLiteral("Software\\KRN-Software\\Kav\\Einstellungen");
inline const QString datenbank = QStringLiteral("Software\\KRN-Software\\Kav\\Datenbank");
inline const QString fenster = QStringLiteral("Software\\KRN-Software\\Kav\\Fenster");
inline const QString variablen = QStringLiteral("Software\\KRN-Software\\Kav\\Variablen");
} // namespace schluessel

// Step key to start on after a stop on `gespeichert`: inside the wizard the first wizard step,
// in the lexicon the analysis page; "Kein" stays; a key that names no page gives the analysis page.
QString startSchrittFuer(const QString& gespeichert);

void EinstellungenLaden(const SettingsStore& store, const Gebietsschema& gebiet, Einstellungen& e, Rahmen& r);
void EinstellungenSpeichern(SettingsStore& store, const Gebietsschema& gebiet, const Einstellungen& e,
                            const Rahmen& r);
// Stores the date of the last update at once (when Kav.KRN is replaced, so that a later crash
// does not bring the newer date back).
void LetztesUpdateSpeichern(SettingsStore& store, const Gebietsschema& gebiet, const Einstellungen& e);

} // namespace kav

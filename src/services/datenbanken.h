#pragma once
// The two local database files: opening with restore, and the periodic backup.
#include "platform/localdatabase.h"
#include "services/dateioperationen.h"
#include "services/programmordner.h"
#include "services/schema.h"
#include "services/sicherungspaar.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <initializer_list>

namespace kav {

class Clock;
class MeldungsAnzeige;
class SettingsStore;
class Wiederherstellung;
struct Einstellungen;
struct Gebietsschema;

// Why a read or write fails while both files stay closed until the next start (after a restore that
// could be neither finished nor undone).
inline const QString kDatenbankenGeschlossen =
    QStringLiteral("Die Datenbanken sind geschlossen, weil die Wiederherstellung der Datensicherung weder "
                   "abgeschlossen noch rückgängig gemacht werden konnte. Es wurde nichts verändert.\n\nBitte "
                   "beenden Sie Kav und starten Sie es neu: Beim Start bringt das Programm beide Dateien wieder auf "
                   "einen gemeinsamen Stand.");

class Datenbanken {
public:
    enum class Ergebnis {
        Geoeffnet,      // the file opened as it was
        Sicherung,      // replaced by its backup copy
        Standard,       // replaced by the standard file (Kav.KRN) or an empty file (Daten.KRN)
        Fehlgeschlagen, // neither opens: the program cannot work with this file
    };

    // `einstellungsDatei`: where the date of the last update is stored at once when Kav.KRN is
    // replaced (see kavErsetzt); without it the date changes in `einstellungen` only.
    Datenbanken(Programmordner ordner, const Gebietsschema& gebiet, Einstellungen& einstellungen,
                const Clock& uhr, MeldungsAnzeige& anzeige, SettingsStore* einstellungsDatei = nullptr);
    ~Datenbanken();

    Ergebnis KavDBOeffnen();
    Ergebnis DatDBOeffnen();
    // Replace the file by its backup and open it. With `nachSchaden` the current file is kept
    // aside under "<name>.defekt-<time>" (with "-2", "-3"... when that name is taken), its journal
    // beside it, once the backup's copy lies beside it as "<that name>.ersatz"; "<that name>.meldung"
    // keeps the message about it until it is shown, at the next start should this one end first.
    // Without it (restore asked for by the user) it is replaced. Whenever Kav.KRN is
    // replaced (or about to be), the date of the last update goes back to that of the shipped data.
    Ergebnis KavDBWiederherstellen(bool nachSchaden = false);
    Ergebnis DatDBWiederherstellen(bool nachSchaden = false);

    // The backup pair for a restore asked for by the user: whether a backup exists at all and its date.
    struct SicherungsStand {
        bool vorhanden = false; // at least one of the two backup files exists
        QString datum;          // date of the backup as the user reads it (of a regular file only)
        QString hindernis;      // what stands in the way of a restore of the pair, with what to do; empty when nothing
    };
    SicherungsStand sicherungsStand() const;
    // Puts the backup pair in place of both files, or neither: both backups are checked and copied
    // first; the current files are kept aside as "<file>.vor-Wiederherstellung-<yyyyMMddhhmmss>"
    // (those just set aside stay, the newest of the others named up to its time, and of those named
    // after it the two nearest to it).
    // On failure `grund` says what failed, and `unveraendert` whether both files are as they were and
    // open again; when even putting them back failed, both stay closed and the restore's mark stays,
    // so that the next start puts the pair together. A restore cut short by a crash is finished or
    // rolled back at the next opening (see unterbrocheneWiederherstellungBeenden); until then no
    // restore and no backup is made.
    bool SicherungWiederherstellen(QString* grund, bool* unveraendert = nullptr);
    // Both files closed by a restore that could not put them back: nothing is read or written until
    // the next start.
    bool bisZumNeustartGeschlossen() const { return m_bisZumNeustart; }

    // Copies both files to the backup folder when the interval has passed (or the date of the last
    // backup lies after today); false when a copy failed (the user has been told; the date of the
    // last backup then stays as it was). The new pair replaces the previous one as a pair: until
    // both new files are in place the previous pair is kept, and any failure puts it back.
    bool DatenSichern();

    // A warning for the user when the data folder or one of the two files cannot be written (the
    // data can be read, but nothing can be stored); empty when everything can be written.
    QString schreibschutzHinweis() const;

    void schliessen();

    void setDateiOperationen(DateiOperationen ops) { m_ops = std::move(ops); }

    QSqlDatabase cnKav() const { return m_kav.verbindung.db(); }
    QSqlDatabase cnDaten() const { return m_daten.verbindung.db(); }
    QString strPfadKav() const { return m_kav.pfad; }
    QString strPfadDaten() const { return m_daten.pfad; }
    QString sicherungKav() const { return m_paar.namen(0).sicherung; }
    QString sicherungDaten() const { return m_paar.namen(1).sicherung; }

private:
    struct Datei {
        Datenbankdatei art;
        QString name; // "Kav-DB" / "Dat-DB"
        QString pfad;
        LocalDatabase verbindung;
        bool ausSicherung = false; // put in from the backup by a restore finished before opening
    };

    Ergebnis oeffnen(Datei& d);
    // `fehlte`: the file was not there at all (the message calls it missing, not damaged).
    Ergebnis wiederherstellen(Datei& d, bool nachSchaden, bool fehlte = false);
    // `beiseite` receives where a damaged file was kept.
    bool ersetzenDurch(Datei& d, const QString& quelle, bool nachSchaden, QString* why, QString* beiseite = nullptr);
    // The damaged file aside as `beiseite`, the copy of `quelle` (an empty file without it) in its place.
    bool beschaedigteErsetzen(Datei& d, const QString& quelle, const QString& beiseite, QString* why);
    // A start cut short after setting a damaged file aside and before its replacement was in: the
    // damaged file goes back, so that this start replaces it again and says where it keeps it. One
    // cut short after that, before the message about it was shown: the message is shown now.
    void unterbrocheneErsetzungBeenden();
    // A journal SQLite left beside an opened file without rolling it back is one of a write that
    // never reached the file (a hot one is rolled back on opening): it goes, unless another program
    // holds the file's write lock (its transaction still open, the journal its own).
    void totesJournalEntfernen(const Datei& d) const;
    // What a damaged or missing file was replaced with, as far as it is known.
    enum class Ersatz { Sicherung, Standard, Unbekannt };
    // The message after a damaged or missing file was replaced: by the backup of `sicherungVom`
    // (date and time of the backup), by the standard file, or by one of them.
    QString ersetztText(const Datei& d, bool fehlte, const QString& beiseite, Ersatz ersatz,
                        const QDateTime& sicherungVom = {}) const;
    // The restore of SicherungWiederherstellen once both backups are checked.
    bool paarEinsetzen(QString* grund, bool* unveraendert);
    // Opens both files; `grund` names the first that does not open.
    bool beideOeffnen(QString* grund);
    Wiederherstellung wiederherstellung() const;
    // True while the mark of a restore is there (or something that is no file in its place), with the
    // reason no backup or restore is made; the mark of a pair this run settled is settled again first.
    bool wiederherstellungOffen(QString* why);
    // Removes the mark of a restore whose files are settled, or says in it that they are; false when
    // it stays as it was. While it stays, m_markeVerwaist says so.
    bool markeErledigen(const Wiederherstellung& w);
    // A path in the program folder as the messages name it, and what they say of something that is no
    // file in the mark's place.
    QString imProgrammordner(const QString& pfad) const;
    // "At `pfad`, where the restore's mark is kept, lies `was`."
    QString markenStelle(const QString& pfad, const QString& was) const;
    QString fremdeMarkeText(const Wiederherstellung& w) const;
    // Why no backup or restore is made while something that is no file lies in the mark's place, with
    // what to do; and why no restore is made while such lies where a backup is copied to (empty: nothing).
    QString fremdeMarkeGrund(const Wiederherstellung& w) const;
    QString fremdeKopieGrund(const Wiederherstellung& w) const;
    // A restore cut short by a crash: finished when every file it puts in is there and sound (and
    // the mark is), else rolled back to the files as they were; the user is told which. Copies
    // left beside the files and the mark go. False, the user told, when a restore may have stopped
    // half way and could not be settled now: then no file may open.
    bool unterbrocheneWiederherstellungBeenden();
    // Copies under a temporary name beside the target, then renames over it.
    bool kopierenUeber(const QString& quelle, const QString& ziel, QString* why) const;
    // Kav.KRN is replaced by older data: the date of the last update becomes that of the shipped
    // data, in the settings file too, before the replacement is final (before the file is put in,
    // or before the mark of a restore goes), so that a crash of this run cannot bring the newer date
    // back with the older file.
    void kavErsetzt();
    QString sicherungsPfad(const Datei& d) const;
    QString sicherungsDatumText(const QString& sicherung) const;
    // When the backup was made: the time of its file, else the date of the last backup.
    QDateTime sicherungsZeit(const QString& sicherung) const;
    void melde(const QString& text);
    // The message about a damaged file kept at `beiseite`, then its mark goes (beschaedigteErsetzen).
    void gemeldet(const QString& text, const QString& beiseite);
    // What of the data folder and of `dateien` the program may not write, as the messages name it
    // ("den Ordner „…“ und die Datei „…“"); empty when it may write all of it.
    QString nichtBeschreibbar(std::initializer_list<const Datei*> dateien) const;
    // The closing request of the messages about missing write rights.
    QString schreibrechtBitte() const;

    Programmordner m_ordner;
    const Gebietsschema& m_gebiet;
    Einstellungen& m_einstellungen;
    const Clock& m_uhr;
    MeldungsAnzeige& m_anzeige;
    SettingsStore* m_einstellungsDatei;
    DateiOperationen m_ops = DateiOperationen::echte();
    Datei m_kav;
    Datei m_daten;
    Sicherungspaar m_paar;
    bool m_bisZumNeustart = false;
    bool m_markeVerwaist = false; // both files settled by this run, the mark of their restore left
};

} // namespace kav

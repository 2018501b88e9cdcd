#include "services/programmstart.h"

#include "platform/instanzsperre.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "services/appcontext.h"
#include "services/bildertausch.h"
#include "services/dateioperationen.h"
#include "services/datenbanken.h"
#include "services/meldungen.h"
#include "services/server.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kav {

namespace {

// Why the files in the data folder `daten` cannot be reached, as the gardener is told; empty when
// they can (or the folder is missing: the opening of the files restores it, unless a link stands in
// its place).
QString datenordnerUnbrauchbar(const QString& daten)
{
    const QFileInfo fi(daten);
    const QString ordner = QDir::toNativeSeparators(daten);
    // a link to a place that is gone (a network share not connected) is no missing folder to restore
    if (fi.isSymLink() && !fi.exists())
        return QStringLiteral("Kav kann nicht starten: Der Datenordner „%1“ ist nicht erreichbar. Er verweist auf "
                              "„%2“, und dort ist kein Ordner (etwa ein Netzlaufwerk, das nicht verbunden ist). Es "
                              "wurde keine Datei geöffnet oder verändert.\n\nBitte sorgen Sie dafür, dass der Ordner "
                              "„%2“ erreichbar ist, und starten Sie das Programm dann neu.")
            .arg(ordner, QDir::toNativeSeparators(fi.symLinkTarget()));
    if (fi.exists() && !fi.isDir())
        return QStringLiteral("Kav kann nicht starten: „%1“ ist eine Datei und kein Ordner. An dieser Stelle erwartet "
                              "das Programm seinen Datenordner mit den Datenbanken. Es wurde keine Datei geöffnet oder "
                              "verändert.\n\nBitte bringen Sie den Datenordner wieder an diese Stelle (oder "
                              "entfernen Sie die Datei, damit das Programm ihn aus der Datensicherung wiederherstellt) "
                              "und starten Sie das Programm dann neu.")
            .arg(ordner);
    // the right to search the folder: without it not one of its files can be opened
    if (fi.isDir() && ::faccessat(AT_FDCWD, QFile::encodeName(daten).constData(), X_OK, AT_EACCESS) != 0
        && errno == EACCES)
        return QStringLiteral("Kav kann nicht starten: Auf die Dateien im Datenordner „%1“ darf das Programm nicht "
                              "zugreifen. Es wurde keine Datei geöffnet oder verändert.\n\nBitte sorgen Sie dafür, "
                              "dass Sie auf die Dateien im Ordner „%1“ zugreifen dürfen, und starten Sie das Programm "
                              "dann neu.")
            .arg(ordner);
    return {};
}

// The pristine reference file built into the program (the executable `kav` carries it).
const QString kStandardImProgramm = QStringLiteral(":/standard/Kav.KRN");

// Daten/Standard/Kav.KRN lost (with the data folder, say): made again from the program's own copy, so
// that a Kav.KRN lost later together with its backup can still be replaced.
void standarddateiErgaenzen(const Programmordner& o)
{
    const QString ziel = o.kavStandard();
    if (QFileInfo::exists(ziel) || !QFileInfo::exists(kStandardImProgramm))
        return;
    const DateiOperationen ops = DateiOperationen::echte();
    const QString kopie = ziel + QStringLiteral(".tmp");
    QString why;
    if (QDir().mkpath(QFileInfo(ziel).absolutePath()) && ops.kopieAnlegen(kStandardImProgramm, kopie)
        && ops.umbenennenMitGrund(kopie, ziel, &why))
        return;
    ops.entfernenFallsDa(kopie);
    qWarning().noquote() << ziel << QStringLiteral("konnte nicht angelegt werden:") << why;
}

// The warning of a start that could lock neither the lock file nor the folder `daten`: the lock file's
// own fault where it is one, else the file system's.
QString ungesperrtText(const QString& daten, InstanzSperre::Sperrdatei sperrdatei)
{
    using S = InstanzSperre::Sperrdatei;
    const QString datei = QDir::toNativeSeparators(daten + QLatin1Char('/') + InstanzSperre::dateiname());
    QString grund, bitte;
    switch (sperrdatei) {
    case S::Offen:
        grund = QStringLiteral("Das Dateisystem dort lässt es nicht zu (etwa ein Netzlaufwerk).");
        break;
    case S::Ordner:
    case S::Verknuepfung:
    case S::KeineDatei:
        grund = QStringLiteral("An der Stelle der Sperrdatei „%1“ liegt %2. Den Ordner selbst lässt das Dateisystem "
                               "dort nicht sperren (etwa ein Netzlaufwerk).")
                    .arg(datei, sperrdatei == S::Ordner         ? QStringLiteral("ein Ordner")
                                : sperrdatei == S::Verknuepfung ? QStringLiteral("eine Verknüpfung")
                                                                : QStringLiteral("etwas, das keine Datei ist"));
        bitte = QStringLiteral("Bitte entfernen Sie „%1“, sobald Kav beendet ist: Beim nächsten Start legt das "
                               "Programm die Sperrdatei neu an.\n\n")
                    .arg(datei);
        break;
    case S::NichtBeschreibbar:
    case S::NichtAnlegbar:
    case S::Fehler:
        grund = (sperrdatei == S::NichtBeschreibbar
                     ? QStringLiteral("Die Sperrdatei „%1“ darf das Programm nicht beschreiben.")
                 : sperrdatei == S::NichtAnlegbar
                     ? QStringLiteral("Die Sperrdatei „%1“ fehlt, und im Ordner darf das Programm sie nicht anlegen.")
                     : QStringLiteral("Die Sperrdatei „%1“ lässt sich nicht öffnen."))
                    .arg(datei)
                + QStringLiteral(" Den Ordner selbst lässt das Dateisystem dort nicht sperren (etwa ein Netzlaufwerk).");
        bitte = QStringLiteral("Bitte sorgen Sie dafür, dass Sie die Datei „%1“ beschreiben und im Ordner „%2“ "
                               "Dateien anlegen dürfen.\n\n")
                    .arg(datei, QDir::toNativeSeparators(daten));
        break;
    }
    return QStringLiteral("Kav kann den Datenordner „%1“ nicht sperren: %2 Deshalb sind dort zwei Programme nicht "
                          "voneinander getrennt: Startet Kav ein zweites Mal mit diesem Ordner, auch auf einem anderen "
                          "Rechner, bearbeiten beide dieselben Dateien, und Änderungen können verloren gehen.\n\n%3"
                          "Bitte starten Sie Kav mit diesem Ordner nicht noch einmal, solange es läuft.")
        .arg(QDir::toNativeSeparators(daten), grund, bitte);
}

// A message of the start, where there is a display to show it.
void startMeldung(const AppContext& a, const QString& text, Meldung::Symbol symbol)
{
    if (a.anzeige)
        a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera"), text, symbol});
}

} // namespace

QString programmVersion()
{
    return QStringLiteral("%1.%2.%3").arg(KAV_VERSION_MAJOR).arg(KAV_VERSION_MINOR).arg(KAV_VERSION_PATCH);
}

bool DiensteStarten(AppContext& a, const QString& programmOrdner, const QString& iniPfad)
{
    a.ordner.basis = programmOrdner;
    // a second program on the same data folder would work on the same files and race the first one's
    // backup: it ends before it opens any file, as does one that cannot lock the folder for want of
    // the right to read it; where the file system allows no lock, it is said and the start goes on
    a.sperre.reset();
    a.sperre = std::make_unique<InstanzSperre>(a.ordner.daten(), a.sperren);
    if (a.sperre->belegt()) {
        startMeldung(a,
                     QStringLiteral("Kav läuft bereits mit dem Datenordner „%1“.\n\nEin zweites Mal kann "
                                    "das Programm mit diesem Ordner nicht gestartet werden. Bitte "
                                    "arbeiten Sie im Fenster des laufenden Programms weiter.")
                         .arg(QDir::toNativeSeparators(a.ordner.daten())),
                     Meldung::Symbol::Information);
        return false;
    }
    if (a.sperre->ohneLeserecht()) {
        startMeldung(a,
                     QStringLiteral("Kav kann nicht starten: Den Datenordner „%1“ darf das Programm "
                                    "nicht lesen. Ohne dieses Recht kann es nicht sicherstellen, dass "
                                    "nur ein Programm mit den Dateien darin arbeitet. Es wurde keine "
                                    "Datei geöffnet oder verändert.\n\nBitte sorgen Sie dafür, dass "
                                    "Sie den Ordner „%1“ lesen dürfen, und starten Sie das Programm "
                                    "dann neu.")
                         .arg(QDir::toNativeSeparators(a.ordner.daten())),
                     Meldung::Symbol::Fehler);
        return false;
    }
    // a folder whose files cannot be reached holds no damaged file: said as it is, nothing replaced
    if (const QString grund = datenordnerUnbrauchbar(a.ordner.daten()); !grund.isEmpty()) {
        startMeldung(a, grund, Meldung::Symbol::Fehler);
        return false;
    }
    if (a.sperre->ungesperrt()) {
        qWarning().noquote() << QStringLiteral("Datenordner nicht gesperrt:") << a.ordner.daten()
                             << qt_error_string(a.sperre->fehler());
        startMeldung(a, ungesperrtText(a.ordner.daten(), a.sperre->sperrdatei()), Meldung::Symbol::Warnung);
    }
    a.server = std::make_unique<Server>(ServerConfig::fromIni(a.ordner.serverKonfiguration()));
    a.rahmen.strServerAdresse = a.server->strServerAdresse();
    a.rahmen.strFTPServerAdresse = a.rahmen.strServerAdresse;

    a.store = std::make_unique<SettingsStore>(iniPfad);
    EinstellungenLaden(*a.store, a.gebiet, a.einstellungen, a.rahmen);

    if (a.einstellungen.strProgrammID.isEmpty())
        a.einstellungen.strProgrammID = a.neueZeilenId();

    // with the settings file: a Kav.KRN replaced at start or by a restore stores the date of the last
    // update at once, so that the next update fetches every area again, also after a crash of this run
    a.db = std::make_unique<Datenbanken>(a.ordner, a.gebiet, a.einstellungen, *a.uhr, *a.anzeige, a.store.get());
    if (a.db->KavDBOeffnen() == Datenbanken::Ergebnis::Fehlgeschlagen) {
        a.sperre->gemachtenOrdnerEntfernen(); // the files were missing with nothing to restore them from
        return false;
    }
    // the lexicon's pictures of a data update cut short by a crash: those of the rows Kav.KRN holds
    if (const QString zurueck = BildertauschBeenden(a.ordner, a.db->cnKav()); !zurueck.isEmpty() && a.anzeige)
        a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera - Lexikon"), zurueck, Meldung::Symbol::Information});
    if (a.db->DatDBOeffnen() == Datenbanken::Ergebnis::Fehlgeschlagen)
        return false;
    standarddateiErgaenzen(a.ordner);
    // a data folder that cannot be written is said once, at start: the data are shown all the same
    if (const QString hinweis = a.db->schreibschutzHinweis(); !hinweis.isEmpty() && a.anzeige)
        a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera - Datenbank"), hinweis, Meldung::Symbol::Warnung});

    if (a.einstellungen.strDatenAufServer == QLatin1String("Wahr"))
        a.server->imHintergrundVerbinden(kDatenerfassung); // the window does not wait for it
    return true;
}

void DiensteBeenden(AppContext& a, const std::function<void()>& fensterEntladen)
{
    a.einstellungen.strProgrammVerz = QDir::toNativeSeparators(a.ordner.basis);
    a.einstellungen.strVersion = programmVersion();
    if (a.db)
        a.db->DatenSichern();
    if (a.store) {
        EinstellungenSpeichern(*a.store, a.gebiet, a.einstellungen, a.rahmen);
        if (!a.store->sync() && a.anzeige)
            a.anzeige->zeige(Meldung{0, QStringLiteral("Humavera - Einstellungen"),
                                     QStringLiteral("Die Einstellungen konnten nicht gespeichert werden: In die Datei "
                                                    "„%1“ darf das Programm nicht schreiben.\n\nBeim nächsten Start "
                                                    "gelten die zuletzt gespeicherten Einstellungen.")
                                         .arg(QDir::toNativeSeparators(a.store->path())),
                                     Meldung::Symbol::Warnung});
    }
    if (fensterEntladen)
        fensterEntladen();
    if (a.db)
        a.db->schliessen();
    if (a.server)
        a.server->alleTrennen();

    const QDir daten(a.ordner.daten());
    for (const QString& f : daten.entryList({QStringLiteral("tmpDokument_*.pdf")}, QDir::Files))
        QFile::remove(daten.filePath(f));
    shell::startDetachedHidden(daten.filePath(QStringLiteral("mysql_stop.sh")));
}

} // namespace kav

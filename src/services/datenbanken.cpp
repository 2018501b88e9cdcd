#include "services/datenbanken.h"

#include "platform/clock.h"
#include "platform/dateisystem.h"
#include "platform/settingsstore.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/meldungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDebug>

#include <algorithm>
#include <utility>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera - Datenbank");
// the replacement of a damaged file, beside it under the name the damaged file goes aside under
const QString kErsatz = QStringLiteral(".ersatz");
// beside the damaged file's name from before it goes aside until the message about it is shown: the
// time of the backup put in its place, empty for the standard file
const QString kMeldung = QStringLiteral(".meldung");

// Why the database `pfad` is not opened while `hindernis` lies in its place or beside it (where SQLite
// keeps its journal) and the program cannot use it: never taken for damage, nothing changed.
QString unbrauchbarText(const QString& pfad, const QString& hindernis, LocalDatabase::FileFault fehler)
{
    using F = LocalDatabase::FileFault;
    const bool selbst = hindernis == pfad;
    const QString name = QDir::toNativeSeparators(hindernis);
    QString was;
    if (selbst) {
        switch (fehler) {
        case F::Link:
            was = QStringLiteral("An ihrer Stelle liegt eine Verknüpfung; einer Verknüpfung folgt das Programm dort nicht.");
            break;
        case F::NoReadRight:
            was = QStringLiteral("Das Programm darf die Datei nicht lesen, und ohne sie zu lesen, kann es nicht "
                                 "feststellen, ob sie vollständig ist.");
            break;
        case F::Unreadable:
        case F::NoWriteRight: // only ever of a journal
            was = QStringLiteral("Die Datei lässt sich nicht lesen, und ohne sie zu lesen, kann das Programm nicht "
                                 "feststellen, ob sie vollständig ist.");
            break;
        case F::None:
        case F::NotAFile:
            was = QStringLiteral("An ihrer Stelle liegt %1; was dort liegt, liest das Programm nicht.").arg(wasDortLiegt(pfad));
            break;
        }
    } else {
        const QString protokoll = QStringLiteral(" An dieser Stelle legt das Programm beim Schreiben eine Protokolldatei an; ");
        switch (fehler) {
        case F::Link:
            was = QStringLiteral("eine Verknüpfung.") + protokoll + QStringLiteral("einer Verknüpfung folgt es dort nicht.");
            break;
        case F::NoReadRight:
        case F::Unreadable:
            was = (fehler == F::NoReadRight ? QStringLiteral("eine Datei, die das Programm nicht lesen darf.")
                                            : QStringLiteral("eine Datei, die sich nicht lesen lässt."))
                  + protokoll + QStringLiteral("ohne sie zu lesen, kann es nicht feststellen, ob die Datenbank vollständig ist.");
            break;
        case F::NoWriteRight:
            was = QStringLiteral("eine Datei, die das Programm nicht beschreiben oder löschen darf.") + protokoll
                  + QStringLiteral("ohne sie zurückzunehmen, kann es nicht feststellen, ob die Datenbank vollständig ist.");
            break;
        case F::None:
        case F::NotAFile:
            was = QStringLiteral("keine Datei.") + protokoll + QStringLiteral("was dort liegt, liest es nicht.");
            break;
        }
        was = QStringLiteral("Neben ihr liegt „%1“, und das ist %2").arg(name, was);
    }
    return QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden: %2 An der Datenbank wurde nichts verändert.\n\n%3 "
                          "Bis dahin kann das Programm nicht arbeiten und wird beendet.")
        .arg(QDir::toNativeSeparators(pfad), was,
             hindernisBitte(name, fehler, selbst ? Stelle::Datenbank : Stelle::Journal, true));
}

} // namespace

Datenbanken::Datenbanken(Programmordner ordner, const Gebietsschema& gebiet, Einstellungen& einstellungen,
                         const Clock& uhr, MeldungsAnzeige& anzeige, SettingsStore* einstellungsDatei)
    : m_ordner(std::move(ordner)), m_gebiet(gebiet), m_einstellungen(einstellungen), m_uhr(uhr), m_anzeige(anzeige),
      m_einstellungsDatei(einstellungsDatei),
      m_kav{Datenbankdatei::Kav, QStringLiteral("Kav-DB"), m_ordner.kavDatei(),
            LocalDatabase(QStringLiteral("cnKav"), schemaTabellen(Datenbankdatei::Kav), schemaSpalten(Datenbankdatei::Kav))},
      m_daten{Datenbankdatei::Daten, QStringLiteral("Dat-DB"), m_ordner.datenDatei(),
              LocalDatabase(QStringLiteral("cnDaten"), schemaTabellen(Datenbankdatei::Daten),
                            schemaSpalten(Datenbankdatei::Daten))},
      m_paar(m_ordner.sicherungen(), m_kav.pfad, m_daten.pfad, m_ops)
{
}

Datenbanken::~Datenbanken() { schliessen(); }

void Datenbanken::melde(const QString& text)
{
    m_anzeige.zeige(Meldung{0, kTitel, text, Meldung::Symbol::Warnung});
}

void Datenbanken::gemeldet(const QString& text, const QString& beiseite)
{
    melde(text);
    if (!beiseite.isEmpty())
        m_ops.entfernenFallsDa(beiseite + kMeldung);
}

Datenbanken::Ergebnis Datenbanken::KavDBOeffnen() { return oeffnen(m_kav); }
Datenbanken::Ergebnis Datenbanken::DatDBOeffnen() { return oeffnen(m_daten); }
Datenbanken::Ergebnis Datenbanken::KavDBWiederherstellen(bool nachSchaden) { return wiederherstellen(m_kav, nachSchaden); }
Datenbanken::Ergebnis Datenbanken::DatDBWiederherstellen(bool nachSchaden) { return wiederherstellen(m_daten, nachSchaden); }

Datenbanken::Ergebnis Datenbanken::oeffnen(Datei& d)
{
    // What a crash left half done is settled before the first file opens: later it could move an open
    // file. A restore that cannot be settled now leaves both files closed.
    if (!m_kav.verbindung.isOpen() && !m_daten.verbindung.isOpen()) {
        if (!unterbrocheneWiederherstellungBeenden())
            return Ergebnis::Fehlgeschlagen;
        m_paar.wechselBeenden();
        unterbrocheneErsetzungBeenden();
    }
    // In the file's place, or where SQLite keeps the journal of a write, lies what the program cannot
    // use: not read, so not damaged either, and nothing is replaced.
    LocalDatabase::FileFault fehler = LocalDatabase::fileFault(d.pfad);
    QString fremd = fehler != LocalDatabase::FileFault::None ? d.pfad : LocalDatabase::foreignCompanion(d.pfad, &fehler);
    if (!fremd.isEmpty()) {
        m_anzeige.zeige(Meldung{0, kTitel, unbrauchbarText(d.pfad, fremd, fehler), Meldung::Symbol::Fehler});
        return Ergebnis::Fehlgeschlagen;
    }
    const bool fehlte = !QFileInfo::exists(d.pfad);
    const bool ausSicherung = std::exchange(d.ausSicherung, false);
    QString why;
    if (d.verbindung.open(d.pfad, &why)) {
        totesJournalEntfernen(d);
        return ausSicherung ? Ergebnis::Sicherung : Ergebnis::Geoeffnet;
    }
    qWarning().noquote() << d.pfad << QStringLiteral("ist nicht lesbar:") << why;
    if (d.verbindung.busy()) {
        // another program holds the file: not damaged, and nothing may be replaced under it
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden: Ein anderes Programm "
                                               "bearbeitet sie gerade und hält sie gesperrt. Die Datei ist nicht "
                                               "beschädigt, und es wurde nichts an ihr verändert.\n\nBitte beenden "
                                               "Sie das andere Programm und starten Sie Kav dann neu. Bis dahin "
                                               "kann das Programm nicht arbeiten und wird beendet.")
                                    .arg(QDir::toNativeSeparators(d.pfad)),
                                Meldung::Symbol::Fehler});
        return Ergebnis::Fehlgeschlagen;
    }
    // A write cut short is undone from its journal, which needs the file and its folder writable.
    // Without that the file is not damaged: nothing may be replaced, and the user must give the right.
    const QStringList beiDatei = LocalDatabase::companions(d.pfad);
    const bool journal = std::any_of(beiDatei.cbegin(), beiDatei.cend(), [](const QString& b) { return QFileInfo::exists(b); });
    const QString gesperrt = !fehlte && journal ? nichtBeschreibbar({&d}) : QString();
    if (!gesperrt.isEmpty()) {
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden: Ein Schreibvorgang wurde "
                                               "nicht abgeschlossen, und um ihn zurückzunehmen, muss das Programm %2 "
                                               "beschreiben dürfen. Die gespeicherten Daten gehen dabei nicht "
                                               "verloren.\n\n%3 Bis dahin kann das Programm nicht arbeiten und wird "
                                               "beendet.")
                                    .arg(QDir::toNativeSeparators(d.pfad), gesperrt, schreibrechtBitte()),
                                Meldung::Symbol::Fehler});
        return Ergebnis::Fehlgeschlagen;
    }
    // A journal it may read but neither roll back nor delete (another account's) fails the opening as
    // damage would: the file is not judged, and nothing is replaced.
    if (const QStringList fest = LocalDatabase::fixedCompanions(d.pfad); !fest.isEmpty()) {
        m_anzeige.zeige(Meldung{0, kTitel, unbrauchbarText(d.pfad, fest.first(), LocalDatabase::FileFault::NoWriteRight),
                                Meldung::Symbol::Fehler});
        return Ergebnis::Fehlgeschlagen;
    }
    return wiederherstellen(d, true, fehlte);
}

QString Datenbanken::sicherungsPfad(const Datei& d) const { return m_paar.namen(&d == &m_kav ? 0 : 1).sicherung; }

QDateTime Datenbanken::sicherungsZeit(const QString& sicherung) const
{
    const QFileInfo fi(sicherung);
    if (fi.exists())
        return fi.lastModified();
    return m_einstellungen.datLetzteDS.isValid() ? QDateTime(m_einstellungen.datLetzteDS, QTime()) : QDateTime();
}

QString Datenbanken::sicherungsDatumText(const QString& sicherung) const
{
    const QDateTime zeit = sicherungsZeit(sicherung);
    if (!zeit.time().isValid())
        return m_gebiet.datumText(zeit.date());
    return m_gebiet.datumText(zeit.date()) + QStringLiteral(" um ") + zeit.time().toString(QStringLiteral("hh:mm"))
           + QStringLiteral(" Uhr");
}

QString Datenbanken::ersetztText(const Datei& d, bool fehlte, const QString& beiseite, Ersatz ersatz,
                                 const QDateTime& sicherungVom) const
{
    QString t = d.name + (fehlte ? QStringLiteral(" fehlte, ersetzt mit der ") : QStringLiteral(" war beschädigt, ersetzt mit der "));
    QStringList mehr;
    if (ersatz == Ersatz::Unbekannt) {
        t = d.name + (fehlte ? QStringLiteral(" fehlte und wurde ersetzt.") : QStringLiteral(" war beschädigt und wurde ersetzt."));
        mehr << QStringLiteral("Bitte prüfen Sie, ob Ihre letzten Einträge darin enthalten sind.");
    } else if (ersatz == Ersatz::Sicherung) {
        t += QStringLiteral("Sicherungsdatei vom ") + m_gebiet.datumText(sicherungVom.date());
        const QString wann = m_gebiet.datumText(sicherungVom.date())
                             + (sicherungVom.time().isValid()
                                    ? QStringLiteral(" um ") + sicherungVom.time().toString(QStringLiteral("hh:mm")) + QStringLiteral(" Uhr")
                                    : QString());
        mehr << QStringLiteral("Einträge, die nach dem %1 gemacht wurden, sind in der wiederhergestellten Datei nicht "
                               "enthalten.")
                    .arg(wann);
    } else {
        t += QStringLiteral("Standarddatei");
        mehr << (d.art == Datenbankdatei::Daten
                     ? QStringLiteral("Die neue Datei ist leer: Ihre bisherigen Flächen, Analysen und Planungen sind "
                                      "darin nicht enthalten.")
                     : QStringLiteral("Sie enthält die Stammdaten, mit denen das Programm ausgeliefert wurde: eigene "
                                      "Dünger und Kalke und spätere Datenaktualisierungen sind darin nicht enthalten."));
    }
    if (!beiseite.isEmpty())
        mehr << QStringLiteral("Die beschädigte Datei wurde als „%1“ aufbewahrt.")
                    .arg(imProgrammordner(beiseite));
    return t + QStringLiteral("\n\n") + mehr.join(QLatin1Char(' '));
}

bool Datenbanken::kopierenUeber(const QString& quelle, const QString& ziel, QString* why) const
{
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    const QString tmp = ziel + QStringLiteral(".tmp");
    if (!m_ops.kopieAnlegen(quelle, tmp)) {
        if (why) *why = QStringLiteral("%1 konnte nicht nach %2 kopiert werden").arg(quelle, ziel);
        m_ops.entfernenFallsDa(tmp);
        return false;
    }
    if (!m_ops.umbenennenMitGrund(tmp, ziel, why)) {
        m_ops.entfernenFallsDa(tmp);
        return false;
    }
    if (m_ops.aufDieDisk(QFileInfo(ziel).absolutePath()))
        return true;
    if (why)
        *why = QStringLiteral("%1 konnte nicht vollständig auf den Datenträger geschrieben werden").arg(ziel);
    return false;
}

void Datenbanken::kavErsetzt()
{
    m_einstellungen.datLetztesUpdate = datenstandAuslieferung();
    if (m_einstellungsDatei) {
        LetztesUpdateSpeichern(*m_einstellungsDatei, m_gebiet, m_einstellungen);
        m_einstellungsDatei->sync(); // a failure is said at the program's end, where all settings are written
    }
}

bool Datenbanken::ersetzenDurch(Datei& d, const QString& quelle, bool nachSchaden, QString* why, QString* beiseite)
{
    d.verbindung.close();
    if (d.art == Datenbankdatei::Kav)
        kavErsetzt();
    if (nachSchaden && QFileInfo::exists(d.pfad)) {
        const QString ziel = freierName(d.pfad + QStringLiteral(".defekt-") + m_uhr.now().toString(QStringLiteral("yyyyMMddhhmmss")),
                                        {kErsatz, kMeldung});
        if (!beschaedigteErsetzen(d, quelle, ziel, why))
            return false;
        if (beiseite)
            *beiseite = ziel;
    } else if (!m_ops.journalEntfernen(d.pfad)) {
        return false;
    } else if (quelle.isEmpty() ? !leereDatenbankAnlegen(d.pfad, d.art, true, why) : !kopierenUeber(quelle, d.pfad, why)) {
        return false;
    }
    return d.verbindung.open(d.pfad, why);
}

bool Datenbanken::beschaedigteErsetzen(Datei& d, const QString& quelle, const QString& beiseite, QString* why)
{
    const QString ersatz = beiseite + kErsatz, meldung = beiseite + kMeldung;
    const bool angelegt = quelle.isEmpty() ? leereDatenbankAnlegen(ersatz, d.art, true, why) && m_ops.aufDieDisk(ersatz)
                                           : m_ops.kopieAnlegen(quelle, ersatz);
    // what the message says, on the disk before the damaged file moves: a start that ends before
    // the message is shown leaves it to the next one
    const QDateTime vom = quelle == sicherungsPfad(d) ? sicherungsZeit(quelle) : QDateTime();
    const bool vermerkt = angelegt && m_ops.schreiben(meldung, vom.toString(Qt::ISODate).toUtf8())
                          && m_ops.aufDieDisk(QFileInfo(d.pfad).absolutePath());
    if (!vermerkt || !m_ops.mitJournalUmbenennen(d.pfad, beiseite, why)) {
        if (!vermerkt && why)
            *why = QStringLiteral("%1 konnte nicht angelegt werden").arg(angelegt ? meldung : ersatz);
        m_ops.entfernenFallsDa(meldung);
        m_ops.entfernenFallsDa(ersatz);
        return false;
    }
    // a failure from here on leaves the replacement for the next start (unterbrocheneErsetzungBeenden)
    return m_ops.journalEntfernen(d.pfad) && m_ops.umbenennenMitGrund(ersatz, d.pfad, why);
}

void Datenbanken::unterbrocheneErsetzungBeenden()
{
    for (const Datei* d : {&m_kav, &m_daten}) {
        const QFileInfo fi(d->pfad);
        for (const QString& name : fi.dir().entryList({fi.fileName() + QStringLiteral(".defekt-*") + kErsatz}, QDir::Files)) {
            const QString ersatz = fi.dir().filePath(name), beiseite = ersatz.chopped(kErsatz.size());
            const bool zurueck = !QFileInfo::exists(d->pfad) && QFileInfo::exists(beiseite);
            // the message's mark before the copy: alone it says that the copy is in place
            if ((zurueck ? m_ops.verwaistesJournalNachziehen(d->pfad, beiseite) && m_ops.mitJournalUmbenennen(beiseite, d->pfad)
                         : m_ops.verwaistesJournalNachziehen(beiseite, d->pfad))
                && m_ops.entfernenFallsDa(beiseite + kMeldung))
                m_ops.entfernen(ersatz);
        }
        // the replacement is in place, but the start ended before its message was shown; a mark that
        // cannot be read leaves open what replaced the file, and the message says no more. What is no
        // regular file is no mark of the program's: it tells of no replacement, and stays as it is.
        for (const QString& name : fi.dir().entryList({fi.fileName() + QStringLiteral(".defekt-*") + kMeldung},
                                                      QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot)) {
            const QString marke = fi.dir().filePath(name), beiseite = marke.chopped(kMeldung.size());
            if (Dateisystem::art(marke) != Dateisystem::Art::Datei) {
                const QString n = imProgrammordner(marke);
                melde(QStringLiteral("An der Stelle „%1“, an der Kav die Meldung über eine ersetzte Datenbank bis zum "
                                     "nächsten Start aufbewahrt, liegt %2. Was dort liegt, liest das Programm nicht, "
                                     "und es wurde nichts verändert.\n\nBitte entfernen Sie „%1“.")
                          .arg(n, wasDortLiegt(marke)));
                continue;
            }
            QByteArray text;
            const bool gelesen = Dateisystem::lesen(marke, &text);
            const QDateTime vom = QDateTime::fromString(QString::fromUtf8(text), Qt::ISODate);
            const Ersatz ersatz = !gelesen || (!text.isEmpty() && !vom.isValid()) ? Ersatz::Unbekannt
                                  : vom.isValid()                                 ? Ersatz::Sicherung
                                                                                  : Ersatz::Standard;
            melde(ersetztText(*d, false, QFileInfo::exists(beiseite) ? beiseite : QString(), ersatz, vom));
            m_ops.entfernen(marke);
        }
    }
}

void Datenbanken::totesJournalEntfernen(const Datei& d) const
{
    // SQLite takes a journal for hot only when it has a first byte other than zero
    const QString journal = d.pfad + QStringLiteral("-journal");
    const auto ohneKopf = [&journal] {
        QFile f(journal);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QByteArray kopf = f.read(1);
        return kopf.isEmpty() || kopf[0] == '\0';
    };
    // Another program's open transaction, its pages still in its memory, has such a journal too: it
    // goes only under SQLite's write lock of the file, which no writer holds meanwhile.
    if (ohneKopf())
        LocalDatabase::whileWriteLocked(d.pfad, [&] {
            if (ohneKopf())
                m_ops.entfernen(journal);
        });
}

Datenbanken::Ergebnis Datenbanken::wiederherstellen(Datei& d, bool nachSchaden, bool fehlte)
{
    QString why;
    QString beiseite;

    m_paar.wechselBeenden();
    const QString sicherung = sicherungsPfad(d);
    const int i = &d == &m_kav ? 0 : 1;
    // Its own backup decides: what lies at the other file's names keeps no sound backup from it. Where
    // its own is not sound while a file of it lies under the pair's working names (a switch that could
    // not be settled), whatever keeps the pair from being settled stops the replacement too.
    Sicherungspaar::Hindernis h = nachSchaden ? m_paar.hindernisDerSicherung(i, true) : Sicherungspaar::Hindernis{};
    const bool gesund = !h.da() && dateiGesund(sicherung, d.art);
    if (nachSchaden && !h.da() && !gesund && m_paar.beiseite(i))
        h = m_paar.hindernis(true);
    if (h.da()) {
        // The backup cannot be told from damage while it is not read: no other file takes its place.
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Datenbank %1 %2, und ihre Sicherung kann das Programm nicht "
                                               "verwenden: %3 An den Datenbanken und den Sicherungsdateien wurde nichts "
                                               "verändert.\n\n%4 Bis dahin kann das Programm nicht arbeiten und wird "
                                               "beendet.")
                                    .arg(QDir::toNativeSeparators(d.pfad),
                                         fehlte ? QStringLiteral("fehlt") : QStringLiteral("ist beschädigt"), h.text,
                                         h.bitte),
                                Meldung::Symbol::Fehler});
        return Ergebnis::Fehlgeschlagen;
    }
    if (gesund && ersetzenDurch(d, sicherung, nachSchaden, &why, &beiseite)) {
        if (nachSchaden)
            gemeldet(ersetztText(d, fehlte, beiseite, Ersatz::Sicherung, sicherungsZeit(sicherung)), beiseite);
        return Ergebnis::Sicherung;
    }
    if (!nachSchaden) {
        // asked for by the user, but no usable backup: keep the file as it is
        if (d.verbindung.isOpen() || d.verbindung.open(d.pfad))
            return Ergebnis::Geoeffnet;
        return wiederherstellen(d, true, !QFileInfo::exists(d.pfad));
    }

    const QString standard = d.art == Datenbankdatei::Kav ? m_ordner.kavStandard() : QString();
    const bool standardDa = d.art == Datenbankdatei::Daten || dateiGesund(standard, d.art);
    if (standardDa && ersetzenDurch(d, standard, nachSchaden && QFileInfo::exists(d.pfad), &why, &beiseite)) {
        gemeldet(ersetztText(d, fehlte, beiseite, Ersatz::Standard), beiseite);
        return Ergebnis::Standard;
    }

    qWarning().noquote() << d.pfad << QStringLiteral("konnte nicht wiederhergestellt werden:") << why;
    // a missing file is not called damaged, and where nothing could restore it, that is what is said
    const bool keineQuelle =
        d.art == Datenbankdatei::Kav && !QFileInfo::exists(sicherung) && !QFileInfo::exists(standard);
    const QString text =
        QStringLiteral("Die Datenbank %1 ").arg(QDir::toNativeSeparators(d.pfad))
        + (fehlte ? QStringLiteral("fehlt") : QStringLiteral("ist beschädigt"))
        + (keineQuelle ? QStringLiteral(", und es gibt weder ihre Sicherungsdatei „%1“ noch eine Standarddatei, aus "
                                        "der das Programm sie wiederherstellen könnte.")
                             .arg(QDir::toNativeSeparators(sicherung))
                       : QStringLiteral(" und konnte weder aus der Sicherungsdatei noch aus der Standarddatei "
                                        "wiederhergestellt werden."));
    m_anzeige.zeige(Meldung{0, kTitel,
                            text + QStringLiteral("\n\nDas Programm kann ohne diese Datei nicht arbeiten und wird "
                                                  "beendet."),
                            Meldung::Symbol::Fehler});
    return Ergebnis::Fehlgeschlagen;
}

QString Datenbanken::nichtBeschreibbar(std::initializer_list<const Datei*> dateien) const
{
    QStringList was;
    bool ordner = false;
    for (const Datei* d : dateien) {
        const QStringList gesperrt = LocalDatabase::notWritable(d->pfad);
        ordner = ordner || gesperrt.contains(QStringLiteral("folder"));
        if (gesperrt.contains(QStringLiteral("file")))
            was << QStringLiteral("die Datei „%1“").arg(dateiname(d->pfad));
    }
    if (ordner)
        was.prepend(QStringLiteral("den Ordner „%1“").arg(QDir::toNativeSeparators(m_ordner.daten())));
    return was.join(QStringLiteral(" und "));
}

QString Datenbanken::schreibrechtBitte() const
{
    return QStringLiteral("Bitte sorgen Sie dafür, dass Sie im Ordner „%1“ und in seinen Dateien schreiben dürfen, und "
                          "starten Sie das Programm dann neu.")
        .arg(QDir::toNativeSeparators(m_ordner.daten()));
}

QString Datenbanken::schreibschutzHinweis() const
{
    const QString gesperrt = nichtBeschreibbar({&m_daten, &m_kav});
    if (gesperrt.isEmpty())
        return {};
    return QStringLiteral("Das Programm darf %1 nicht beschreiben. Ihre Flächen, Analysen und Planungen werden "
                          "angezeigt, aber Änderungen können nicht gespeichert werden.\n\n%2")
        .arg(gesperrt, schreibrechtBitte());
}

void Datenbanken::schliessen()
{
    m_kav.verbindung.close();
    m_daten.verbindung.close();
}

} // namespace kav

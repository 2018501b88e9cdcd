// The backup of both files and the restore of the backup pair, with what a crash left of a restore.
#include "services/datenbanken.h"

#include "platform/clock.h"
#include "platform/dateisystem.h"
#include "services/einstellungen.h"
#include "services/meldungen.h"
#include "services/wiederherstellung.h"

#include <QDir>
#include <QFileInfo>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera - Datenbank");
const QString kZurueckText = QStringLiteral("Die Wiederherstellung der letzten Datensicherung wurde unterbrochen und "
                                            "rückgängig gemacht: Beide Datenbanken sind so, wie sie vor der "
                                            "Wiederherstellung waren.");

} // namespace

bool Datenbanken::DatenSichern()
{
    const QDate heute = m_uhr.today();
    // never backed up: a first backup is due; a last backup after today (the clock was wrong
    // once) would otherwise hold every later backup back
    const QDate letzte = m_einstellungen.datLetzteDS;
    const bool faellig = !letzte.isValid() || letzte > heute || letzte.daysTo(heute) >= m_einstellungen.intDS;
    if (!faellig) {
        // the backup at the end is the last chance of this run to settle a mark it left
        if (m_markeVerwaist)
            markeErledigen(wiederherstellung());
        return true;
    }

    // a restore not yet settled leaves files that do not belong together: no backup of them
    QString why;
    const bool offen = wiederherstellungOffen(&why);
    if (offen || !m_paar.sichern(m_uhr.now(), &why)) {
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Sicherung der Datenbanken ist fehlgeschlagen:\n%1\n\n"
                                               "Beim nächsten Programmende wird sie erneut versucht.")
                                    .arg(why),
                                Meldung::Symbol::Warnung});
        return false;
    }
    m_einstellungen.datLetzteDS = heute;
    return true;
}

Datenbanken::SicherungsStand Datenbanken::sicherungsStand() const
{
    m_paar.wechselBeenden();
    SicherungsStand s;
    for (const Datei* d : {&m_kav, &m_daten}) {
        const QString sicherung = sicherungsPfad(*d);
        const Dateisystem::Art art = Dateisystem::art(sicherung);
        s.vorhanden = s.vorhanden || art != Dateisystem::Art::Fehlt;
        // the time of a backup file, never of what a link leads to
        if (s.datum.isEmpty() && art == Dateisystem::Art::Datei)
            s.datum = sicherungsDatumText(sicherung);
    }
    // all that would refuse the restore before anything is read, in the order the restore finds it
    const Wiederherstellung w = wiederherstellung();
    if (const QString fremd = w.fremd(); !fremd.isEmpty())
        s.hindernis = fremdeMarkeGrund(w);
    else if (const Sicherungspaar::Hindernis h = m_paar.hindernis(); h.da())
        s.hindernis = h.satz();
    else
        s.hindernis = fremdeKopieGrund(w);
    return s;
}

bool Datenbanken::SicherungWiederherstellen(QString* grund, bool* unveraendert)
{
    m_paar.wechselBeenden();
    QString g;
    bool gleich = true;
    if (QString offen; wiederherstellungOffen(&offen)) {
        const bool fremd = wiederherstellung().markeFremd();
        g = m_markeVerwaist || fremd ? offen : QStringLiteral("Eine frühere Wiederherstellung ist noch nicht abgeschlossen.");
        gleich = m_markeVerwaist || fremd;
    }
    if (const Sicherungspaar::Hindernis h = m_paar.hindernis(); g.isEmpty() && h.da())
        g = h.satz();
    if (g.isEmpty())
        g = fremdeKopieGrund(wiederherstellung());
    for (const Datei* d : {&m_kav, &m_daten}) {
        if (!g.isEmpty())
            break;
        const QString sicherung = sicherungsPfad(*d);
        const QString name = QFileInfo(sicherung).fileName();
        if (!QFileInfo::exists(sicherung))
            g = QStringLiteral("Die Sicherungsdatei %1 fehlt.").arg(name);
        else if (!dateiGesund(sicherung, d->art))
            g = QStringLiteral("Die Sicherungsdatei %1 ist beschädigt.").arg(name);
    }
    if (g.isEmpty() && paarEinsetzen(&g, &gleich))
        return true;
    if (grund)
        *grund = g;
    if (unveraendert)
        *unveraendert = gleich;
    return false;
}

QString Datenbanken::imProgrammordner(const QString& pfad) const
{
    return QDir::toNativeSeparators(QDir(m_ordner.basis).relativeFilePath(pfad));
}

QString Datenbanken::markenStelle(const QString& pfad, const QString& was) const
{
    return QStringLiteral("An der Stelle „%1“, an der Kav während einer Wiederherstellung der Datensicherung ihre "
                          "Markierung ablegt, liegt %2.")
        .arg(imProgrammordner(pfad), was);
}

QString Datenbanken::fremdeMarkeText(const Wiederherstellung& w) const
{
    const QString fremd = w.fremd();
    return markenStelle(fremd, wasDortLiegt(fremd))
           + QStringLiteral(" Was dort liegt, liest das Programm nicht, und solange es dort liegt, wird keine Sicherung "
                            "gemacht oder wiederhergestellt.");
}

QString Datenbanken::fremdeMarkeGrund(const Wiederherstellung& w) const
{
    const QString name = imProgrammordner(w.fremd());
    return fremdeMarkeText(w) + QLatin1Char(' ') + hindernisBitte(name, LocalDatabase::FileFault::NotAFile, Stelle::Eigene, false);
}

QString Datenbanken::fremdeKopieGrund(const Wiederherstellung& w) const
{
    const QString kopie = w.kopieFremd();
    if (kopie.isEmpty())
        return {};
    const QString name = imProgrammordner(kopie);
    return QStringLiteral("An der Stelle „%1“, an der Kav während einer Wiederherstellung der Datensicherung die Kopie "
                          "einer Sicherungsdatei ablegt, liegt %2. Was dort liegt, liest das Programm nicht. ")
               .arg(name, wasDortLiegt(kopie))
           + hindernisBitte(name, LocalDatabase::FileFault::NotAFile, Stelle::Eigene, false);
}

bool Datenbanken::markeErledigen(const Wiederherstellung& w)
{
    const bool erledigt = w.markeErledigen();
    // A mark left, saying that the restore is settled or not even that, is tried again before every
    // backup or restore of this run and at its end: left as it was, the next start would take the
    // files (with the rows entered since) for those of a restore cut short.
    m_markeVerwaist = w.markeDa();
    return erledigt;
}

bool Datenbanken::wiederherstellungOffen(QString* why)
{
    Wiederherstellung w = wiederherstellung();
    if (w.markeFremd()) {
        *why = fremdeMarkeGrund(w);
        return true;
    }
    if (m_markeVerwaist)
        markeErledigen(w);
    if (!w.markeDa())
        return false;
    *why = m_markeVerwaist
               ? QStringLiteral("Die letzte Wiederherstellung der Datensicherung ist abgeschlossen, aber ihre Markierung "
                                "„%1“ lässt sich nicht löschen. Solange sie da ist, wird keine Sicherung gemacht oder "
                                "wiederhergestellt; Ihre Daten sind davon nicht betroffen.")
                     .arg(imProgrammordner(w.marke()))
               : QStringLiteral("Die Wiederherstellung der letzten Datensicherung ist noch nicht abgeschlossen; das "
                                "geschieht beim nächsten Programmstart.");
    return true;
}

Wiederherstellung Datenbanken::wiederherstellung() const
{
    const QString dateien[2] = {m_kav.pfad, m_daten.pfad};
    const QString sicherungen[2] = {sicherungsPfad(m_kav), sicherungsPfad(m_daten)};
    return Wiederherstellung(m_ordner.daten(), dateien, sicherungen, m_ops);
}

bool Datenbanken::beideOeffnen(QString* grund)
{
    for (Datei* d : {&m_kav, &m_daten}) {
        if (!d->verbindung.open(d->pfad)) {
            if (grund)
                *grund = QStringLiteral("%1 ließ sich nach dem Ersetzen nicht öffnen.").arg(dateiname(d->pfad));
            return false;
        }
    }
    return true;
}

bool Datenbanken::paarEinsetzen(QString* grund, bool* unveraendert)
{
    Wiederherstellung w = wiederherstellung();
    if (!w.kopienAnlegen(grund))
        return false;
    if (!w.markeSetzen(m_uhr.now(), grund)) {
        w.kopienEntfernen();
        return false;
    }
    schliessen();
    if (w.einsetzen(grund) && beideOeffnen(grund)) {
        kavErsetzt();
        w.alteEntfernen();
        markeErledigen(w);
        return true;
    }
    // Back to the pair as it was. What cannot be put back stays closed, and the mark stays: the
    // next start puts the pair together before either file opens.
    schliessen();
    *unveraendert = w.zuruecknehmen() && beideOeffnen(nullptr);
    if (*unveraendert)
        markeErledigen(w);
    else
        schliessen();
    m_bisZumNeustart = !*unveraendert;
    return false;
}

bool Datenbanken::unterbrocheneWiederherstellungBeenden()
{
    Wiederherstellung w = wiederherstellung();
    const Wiederherstellung::Lage lage = w.lesen();
    // What cannot be settled now leaves the mark for the next start, and both files closed: opened, a
    // file set aside would pass for missing and be replaced, and the pair would not fit together.
    const auto nichtGeklaert = [&](const QString& was) {
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Wiederherstellung der letzten Datensicherung wurde unterbrochen und "
                                               "konnte jetzt nicht %1 werden. Es wurde keine Datenbank geöffnet, und "
                                               "beim nächsten Start versucht das Programm es erneut; dabei geht nichts "
                                               "verloren.\n\n%2 Bis dahin kann das Programm nicht arbeiten und wird "
                                               "beendet.")
                                    .arg(was, schreibrechtBitte()),
                                Meldung::Symbol::Fehler});
        return false;
    };
    switch (lage) {
    case Wiederherstellung::Lage::Keine:
        break;
    case Wiederherstellung::Lage::OhneMarke: // cut short before its mark: nothing was replaced
        if (w.kopienEntfernen())
            melde(kZurueckText);
        break;
    case Wiederherstellung::Lage::Vollenden:
        if (!w.einsetzen()) // a step that fails leaves the mark: the next start goes on from there
            return nichtGeklaert(QStringLiteral("zu Ende geführt"));
        kavErsetzt();
        m_kav.ausSicherung = m_daten.ausSicherung = true;
        w.alteEntfernen();
        // both files are settled, and that is said now: a mark that stays is tried again in this run
        markeErledigen(w);
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Wiederherstellung der letzten Datensicherung wurde unterbrochen "
                                               "und jetzt zu Ende geführt: Beide Datenbanken sind auf dem Stand der "
                                               "Sicherung vom %1.")
                                    .arg(sicherungsDatumText(sicherungsPfad(m_kav))),
                                Meldung::Symbol::Information});
        break;
    case Wiederherstellung::Lage::Zuruecknehmen:
        if (!w.zuruecknehmen())
            return nichtGeklaert(QStringLiteral("rückgängig gemacht"));
        markeErledigen(w);
        melde(kZurueckText);
        break;
    case Wiederherstellung::Lage::Erledigt: // settled by a run before: nothing to tell
        m_markeVerwaist = !w.markeEntfernen();
        break;
    case Wiederherstellung::Lage::KeineDatei: {
        // Where a restore may have stopped half way, no file opens until the mark can be read.
        const bool spuren = w.spuren();
        melde(fremdeMarkeText(w) + QStringLiteral(" Beide Datenbanken bleiben, wie sie sind.\n\n")
              + hindernisBitte(imProgrammordner(w.fremd()), LocalDatabase::FileFault::NotAFile, Stelle::Eigene, spuren)
              + (spuren ? QStringLiteral(" Bis dahin kann das Programm nicht arbeiten und wird beendet.") : QString()));
        return !spuren;
    }
    case Wiederherstellung::Lage::Unlesbar: {
        // The mark of a restore another account began: the files may be half the backup's, half not.
        const LocalDatabase::FileFault f = LocalDatabase::fileFault(w.marke());
        m_anzeige.zeige(Meldung{0, kTitel,
                                markenStelle(w.marke(), f == LocalDatabase::FileFault::NoReadRight
                                                            ? QStringLiteral("eine Datei, die das Programm nicht lesen darf")
                                                            : QStringLiteral("eine Datei, die sich nicht lesen lässt"))
                                    + QStringLiteral(" Ohne sie zu lesen, kann das Programm nicht feststellen, ob eine "
                                                     "unterbrochene Wiederherstellung zu Ende geführt oder rückgängig "
                                                     "gemacht werden muss. Beide Datenbanken bleiben, wie sie sind.\n\n")
                                    + hindernisBitte(imProgrammordner(w.marke()), f, Stelle::Eigene, true)
                                    + QStringLiteral(" Bis dahin kann das Programm nicht arbeiten und wird beendet."),
                                Meldung::Symbol::Fehler});
        return false;
    }
    }
    // What lies at the mark's temporary name is not the program's: named, and left as it is.
    if (const QString fremd = w.fremd(); !fremd.isEmpty())
        melde(fremdeMarkeText(w) + QStringLiteral("\n\n")
              + hindernisBitte(imProgrammordner(fremd), LocalDatabase::FileFault::NotAFile, Stelle::Eigene, false));
    return true;
}

} // namespace kav

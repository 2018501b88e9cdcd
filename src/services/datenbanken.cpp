#include "services/datenbanken.h"

#include "platform/clock.h"
#include "platform/settingsstore.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/meldungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDebug>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace kav {

namespace {

const QString kTitel = QStringLiteral("Humavera - Datenbank");

QString dateiname(const QString& pfad) { return QFileInfo(pfad).fileName(); }

// `basis`, or with "-2", "-3"... when a file of that name, or a journal of it, is already there:
// a file kept aside never overwrites another.
QString freierName(const QString& basis)
{
    const auto belegt = [](const QString& name) {
        if (QFileInfo::exists(name))
            return true;
        for (const QString& b : LocalDatabase::companions(name))
            if (QFileInfo::exists(b))
                return true;
        return false;
    };
    QString name = basis;
    for (int i = 2; belegt(name); ++i)
        name = basis + QStringLiteral("-%1").arg(i);
    return name;
}

// A journal whose file is gone or replaced would be played back into the next file of that name.
void journalEntfernen(const QString& pfad)
{
    for (const QString& b : LocalDatabase::companions(pfad))
        QFile::remove(b);
}

// Flushes a file, or the names in a folder, to the disk.
void aufDieDisk(const QString& pfad)
{
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString vorWiederherstellungPraefix(const QString& pfad) { return pfad + QStringLiteral(".vor-Wiederherstellung-"); }
QString wiederherstellenKopie(const QString& pfad) { return pfad + QStringLiteral(".wiederherstellen"); }

} // namespace

bool DateiOperationen::echtSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhalt) != inhalt.size() || !f.flush())
        return false;
    return ::fsync(f.handle()) == 0;
}

bool DateiOperationen::echtEntfernen(const QString& pfad) { return QFile::remove(pfad); }

bool DateiOperationen::echtUmbenennen(const QString& von, const QString& nach)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(von).toStdString(), QFile::encodeName(nach).toStdString(), ec);
    if (ec)
        qWarning().noquote() << von << "->" << nach << QString::fromStdString(ec.message());
    return !ec;
}

DateiOperationen DateiOperationen::echte()
{
    DateiOperationen o;
    o.umbenennen = &echtUmbenennen;
    o.kopieren = [](const QString& von, const QString& nach) { return QFile::copy(von, nach); };
    return o;
}

Datenbanken::Datenbanken(Programmordner ordner, const Gebietsschema& gebiet, Einstellungen& einstellungen,
                         const Clock& uhr, MeldungsAnzeige& anzeige, SettingsStore* einstellungsDatei)
    : m_ordner(std::move(ordner)), m_gebiet(gebiet), m_einstellungen(einstellungen), m_uhr(uhr), m_anzeige(anzeige),
      m_einstellungsDatei(einstellungsDatei),
      m_kav{Datenbankdatei::Kav, QStringLiteral("Kav-DB"), m_ordner.kavDatei(),
            LocalDatabase(QStringLiteral("cnKav"), schemaTabellen(Datenbankdatei::Kav), schemaSpalten(Datenbankdatei::Kav))},
      m_daten{Datenbankdatei::Daten, QStringLiteral("Dat-DB"), m_ordner.datenDatei(),
              LocalDatabase(QStringLiteral("cnDaten"), schemaTabellen(Datenbankdatei::Daten),
                            schemaSpalten(Datenbankdatei::Daten))}
{
}

Datenbanken::~Datenbanken() { schliessen(); }

void Datenbanken::melde(const QString& text)
{
    m_anzeige.zeige(Meldung{0, kTitel, text, Meldung::Symbol::Warnung});
}

Datenbanken::Ergebnis Datenbanken::KavDBOeffnen() { return oeffnen(m_kav); }
Datenbanken::Ergebnis Datenbanken::DatDBOeffnen() { return oeffnen(m_daten); }
Datenbanken::Ergebnis Datenbanken::KavDBWiederherstellen(bool nachSchaden) { return wiederherstellen(m_kav, nachSchaden); }
Datenbanken::Ergebnis Datenbanken::DatDBWiederherstellen(bool nachSchaden) { return wiederherstellen(m_daten, nachSchaden); }

Datenbanken::Ergebnis Datenbanken::oeffnen(Datei& d)
{
    // What a crash left half done is settled before the first file opens: later it could move an open file.
    if (!m_kav.verbindung.isOpen() && !m_daten.verbindung.isOpen()) {
        unterbrocheneWiederherstellungBeenden();
        unterbrochenenSicherungswechselBeenden();
    }
    const bool fehlte = !QFileInfo::exists(d.pfad);
    const bool ausSicherung = std::exchange(d.ausSicherung, false);
    QString why;
    if (d.verbindung.open(d.pfad, &why))
        return ausSicherung ? Ergebnis::Sicherung : Ergebnis::Geoeffnet;
    qWarning().noquote() << d.pfad << QStringLiteral("ist nicht lesbar:") << why;
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
    return wiederherstellen(d, true, fehlte);
}

QString Datenbanken::sicherungsPfad(const Datei& d) const
{
    // file name without ".KRN", with ".PVQ"
    QString name = QFileInfo(d.pfad).fileName();
    name.chop(4);
    return m_ordner.sicherungen() + QLatin1Char('/') + name + QStringLiteral(".PVQ");
}

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

QString Datenbanken::ersetztText(const Datei& d, bool fehlte, const QString& beiseite, const QDateTime& sicherungVom) const
{
    QString t = d.name + (fehlte ? QStringLiteral(" fehlte, ersetzt mit der ") : QStringLiteral(" war beschädigt, ersetzt mit der "));
    QStringList mehr;
    if (sicherungVom.isValid()) {
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
                    .arg(QDir::toNativeSeparators(QDir(m_ordner.basis).relativeFilePath(beiseite)));
    return t + QStringLiteral("\n\n") + mehr.join(QLatin1Char(' '));
}

bool Datenbanken::umbenennen(const QString& von, const QString& nach, QString* why) const
{
    if (m_ops.umbenennen(von, nach))
        return true;
    if (why)
        *why = QStringLiteral("%1 konnte nicht in %2 umbenannt werden").arg(dateiname(von), dateiname(nach));
    return false;
}

bool Datenbanken::mitJournalUmbenennen(const QString& von, const QString& nach, QString* why) const
{
    if (!umbenennen(von, nach, why))
        return false;
    const QStringList alt = LocalDatabase::companions(von), neu = LocalDatabase::companions(nach);
    for (int i = 0; i < alt.size(); ++i) {
        if (QFileInfo::exists(alt[i]) && !umbenennen(alt[i], neu[i], why)) {
            // the file alone must not go: both back to where they were
            for (int j = i - 1; j >= 0; --j)
                if (QFileInfo::exists(neu[j]))
                    m_ops.umbenennen(neu[j], alt[j]);
            m_ops.umbenennen(nach, von);
            return false;
        }
    }
    return true;
}

bool Datenbanken::kopierenUeber(const QString& quelle, const QString& ziel, QString* why) const
{
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    const QString tmp = ziel + QStringLiteral(".tmp");
    QFile::remove(tmp);
    if (!m_ops.kopieren(quelle, tmp)) {
        if (why) *why = QStringLiteral("%1 konnte nicht nach %2 kopiert werden").arg(quelle, ziel);
        return false;
    }
    QFile(tmp).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!umbenennen(tmp, ziel, why)) {
        QFile::remove(tmp);
        return false;
    }
    return true;
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
    if (nachSchaden && QFileInfo::exists(d.pfad)) {
        const QString ziel =
            freierName(d.pfad + QStringLiteral(".defekt-") + m_uhr.now().toString(QStringLiteral("yyyyMMddhhmmss")));
        if (!mitJournalUmbenennen(d.pfad, ziel, why))
            return false;
        if (beiseite)
            *beiseite = ziel;
    }
    journalEntfernen(d.pfad);
    if (d.art == Datenbankdatei::Kav)
        kavErsetzt();
    if (quelle.isEmpty()) {
        if (!leereDatenbankAnlegen(d.pfad, d.art, true, why))
            return false;
    } else if (!kopierenUeber(quelle, d.pfad, why)) {
        return false;
    }
    return d.verbindung.open(d.pfad, why);
}

Datenbanken::Ergebnis Datenbanken::wiederherstellen(Datei& d, bool nachSchaden, bool fehlte)
{
    const QStringList tabellen = schemaTabellen(d.art);
    const ExpectedColumns spalten = schemaSpalten(d.art);
    QString why;
    QString beiseite;

    unterbrochenenSicherungswechselBeenden();
    const QString sicherung = sicherungsPfad(d);
    if (LocalDatabase::check(sicherung, tabellen, nullptr, spalten)
        && ersetzenDurch(d, sicherung, nachSchaden, &why, &beiseite)) {
        if (nachSchaden)
            melde(ersetztText(d, fehlte, beiseite, sicherungsZeit(sicherung)));
        return Ergebnis::Sicherung;
    }
    if (!nachSchaden) {
        // asked for by the user, but no usable backup: keep the file as it is
        if (d.verbindung.isOpen() || d.verbindung.open(d.pfad))
            return Ergebnis::Geoeffnet;
        return wiederherstellen(d, true, !QFileInfo::exists(d.pfad));
    }

    const QString standard = d.art == Datenbankdatei::Kav ? m_ordner.kavStandard() : QString();
    const bool standardDa = d.art == Datenbankdatei::Daten || LocalDatabase::check(standard, tabellen, nullptr, spalten);
    if (standardDa && ersetzenDurch(d, standard, nachSchaden && QFileInfo::exists(d.pfad), &why, &beiseite)) {
        melde(ersetztText(d, fehlte, beiseite, QDateTime()));
        return Ergebnis::Standard;
    }

    qWarning().noquote() << d.pfad << QStringLiteral("konnte nicht wiederhergestellt werden:") << why;
    m_anzeige.zeige(Meldung{0, kTitel,
                            QStringLiteral("Die Datenbank %1 ist beschädigt und konnte weder aus der Sicherungsdatei "
                                           "noch aus der Standarddatei wiederhergestellt werden.\n\n"
                                           "Das Programm kann ohne diese Datei nicht arbeiten und wird beendet.")
                                .arg(QDir::toNativeSeparators(d.pfad)),
                            Meldung::Symbol::Fehler});
    return Ergebnis::Fehlgeschlagen;
}

void Datenbanken::unterbrochenenSicherungswechselBeenden() const
{
    const Datei* const dateien[2] = {&m_kav, &m_daten};
    QString sicherung[2], vorher[2], kopie[2];
    bool da[2], kopieDa[2];
    for (int i = 0; i < 2; ++i) {
        sicherung[i] = sicherungsPfad(*dateien[i]);
        vorher[i] = sicherung[i] + QStringLiteral(".vorher");
        kopie[i] = sicherung[i] + QStringLiteral(".tmp");
        da[i] = QFileInfo::exists(sicherung[i]);
        kopieDa[i] = QFileInfo(kopie[i]).isFile();
    }
    if (QFileInfo::exists(vorher[0]) || QFileInfo::exists(vorher[1])) {
        const bool paarVollstaendig = da[0] && da[1];
        for (int i = 0; i < 2; ++i) {
            if (!QFileInfo::exists(vorher[i]))
                continue;
            if (paarVollstaendig)
                QFile::remove(vorher[i]);
            else
                m_ops.umbenennen(vorher[i], sicherung[i]);
        }
    } else if (da[0] != da[1]) {
        // A first backup cut short between its renames: one new file in place (its copy gone), the
        // other still under its copy's name. Both copies were whole before the first rename, so the
        // second joins the first; a copy that is no sound database leaves no backup rather than a
        // file without its partner.
        const int j = da[0] ? 0 : 1, k = 1 - j;
        if (!kopieDa[j] && kopieDa[k]) {
            if (LocalDatabase::check(kopie[k], schemaTabellen(dateien[k]->art), nullptr, schemaSpalten(dateien[k]->art)))
                m_ops.umbenennen(kopie[k], sicherung[k]);
            else
                QFile::remove(sicherung[j]);
            aufDieDisk(m_ordner.sicherungen());
        }
    }
    // copies of a backup cut short before its switch
    for (const QString& k : kopie)
        QFile::remove(k);
}

bool Datenbanken::sichernBeide(QString* why) const
{
    unterbrochenenSicherungswechselBeenden();
    if (!QDir().mkpath(m_ordner.sicherungen())) {
        if (why) *why = QStringLiteral("Der Ordner %1 kann nicht angelegt werden").arg(m_ordner.sicherungen());
        return false;
    }
    const Datei* dateien[2] = {&m_kav, &m_daten};
    QString sicherung[2], kopie[2], vorher[2];
    for (int i = 0; i < 2; ++i) {
        sicherung[i] = sicherungsPfad(*dateien[i]);
        kopie[i] = sicherung[i] + QStringLiteral(".tmp");
        vorher[i] = sicherung[i] + QStringLiteral(".vorher");
    }
    const auto kopienWeg = [&kopie] {
        for (const QString& k : kopie)
            QFile::remove(k);
    };

    // Both copies first, with the time of the backup (as a restore names it) set on them.
    for (int i = 0; i < 2; ++i) {
        QFile::remove(kopie[i]);
        if (!QFileInfo::exists(dateien[i]->pfad) || !m_ops.kopieren(dateien[i]->pfad, kopie[i])) {
            if (why) *why = QStringLiteral("%1 konnte nicht nach %2 kopiert werden").arg(dateien[i]->pfad, kopie[i]);
            kopienWeg();
            return false;
        }
        QFile f(kopie[i]);
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(m_uhr.now(), QFileDevice::FileModificationTime);
        f.close();
        aufDieDisk(kopie[i]); // whole on the disk before the first rename
    }

    // Then the switch. The previous pair goes aside and stays until both new files are in place:
    // a failure at any step puts it back, so the two backups always belong together.
    bool weg[2] = {false, false}, drin[2] = {false, false};
    bool ok = true;
    for (int i = 0; ok && i < 2; ++i) {
        if (QFileInfo::exists(sicherung[i])) {
            QFile::remove(vorher[i]);
            ok = weg[i] = umbenennen(sicherung[i], vorher[i], why);
        }
    }
    for (int i = 0; ok && i < 2; ++i)
        ok = drin[i] = umbenennen(kopie[i], sicherung[i], why);
    if (ok) {
        for (const QString& v : vorher)
            QFile::remove(v);
        aufDieDisk(m_ordner.sicherungen());
        return true;
    }
    for (int i = 0; i < 2; ++i) {
        if (weg[i])
            m_ops.umbenennen(vorher[i], sicherung[i]);
        else if (drin[i])
            QFile::remove(sicherung[i]);
    }
    kopienWeg();
    return false;
}

bool Datenbanken::DatenSichern()
{
    const QDate heute = m_uhr.today();
    // never backed up: a first backup is due; a last backup after today (the clock was wrong
    // once) would otherwise hold every later backup back
    const QDate letzte = m_einstellungen.datLetzteDS;
    const bool faellig = !letzte.isValid() || letzte > heute || letzte.daysTo(heute) >= m_einstellungen.intDS;
    if (!faellig)
        return true;

    QString why;
    if (!sichernBeide(&why)) {
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
    unterbrochenenSicherungswechselBeenden();
    SicherungsStand s;
    for (const Datei* d : {&m_kav, &m_daten}) {
        const QString sicherung = sicherungsPfad(*d);
        if (!s.vorhanden && QFileInfo::exists(sicherung)) {
            s.vorhanden = true;
            s.datum = sicherungsDatumText(sicherung);
        }
    }
    return s;
}

bool Datenbanken::SicherungWiederherstellen(QString* grund)
{
    unterbrochenenSicherungswechselBeenden();
    QString g;
    for (const Datei* d : {&m_kav, &m_daten}) {
        const QString sicherung = sicherungsPfad(*d);
        const QString name = QFileInfo(sicherung).fileName();
        if (!QFileInfo::exists(sicherung))
            g = QStringLiteral("Die Sicherungsdatei %1 fehlt.").arg(name);
        else if (!LocalDatabase::check(sicherung, schemaTabellen(d->art), nullptr, schemaSpalten(d->art)))
            g = QStringLiteral("Die Sicherungsdatei %1 ist beschädigt.").arg(name);
        if (!g.isEmpty())
            break;
    }
    if (g.isEmpty() && paarEinsetzen(&g))
        return true;
    if (grund)
        *grund = g;
    return false;
}

bool Datenbanken::paarEinsetzen(QString* grund)
{
    Datei* const dateien[2] = {&m_kav, &m_daten};
    const auto name = [](const Datei* d) { return dateiname(d->pfad); };
    QString neu[2];
    QString ziel[2];
    QString beiseite[2];
    bool eingesetzt[2] = {false, false};
    const auto kopienWeg = [&neu] {
        for (const QString& n : neu)
            if (!n.isEmpty())
                QFile::remove(n);
    };

    // copies of both backups beside the files, on the disk before anything is touched
    for (int i = 0; i < 2; ++i) {
        neu[i] = wiederherstellenKopie(dateien[i]->pfad);
        QFile::remove(neu[i]);
        if (!m_ops.kopieren(sicherungsPfad(*dateien[i]), neu[i])) {
            *grund = QStringLiteral("Die Sicherungsdatei für %1 konnte nicht kopiert werden.").arg(name(dateien[i]));
            kopienWeg();
            return false;
        }
        QFile(neu[i]).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        aufDieDisk(neu[i]);
    }

    // where the current files go aside, in the mark before the first of them moves
    const QString zeit = m_uhr.now().toString(QStringLiteral("yyyyMMddhhmmss"));
    for (int i = 0; i < 2; ++i)
        if (QFileInfo::exists(dateien[i]->pfad))
            ziel[i] = freierName(vorWiederherstellungPraefix(dateien[i]->pfad) + zeit);
    if (!markeSetzen(ziel, grund)) {
        kopienWeg();
        return false;
    }

    for (Datei* d : dateien)
        d->verbindung.close();
    bool ok = true;
    for (int i = 0; ok && i < 2; ++i) {
        if (ziel[i].isEmpty())
            continue;
        if (mitJournalUmbenennen(dateien[i]->pfad, ziel[i], nullptr)) {
            beiseite[i] = ziel[i];
        } else {
            *grund = QStringLiteral("%1 konnte nicht beiseitegelegt werden.").arg(name(dateien[i]));
            ok = false;
        }
    }
    for (int i = 0; ok && i < 2; ++i) {
        journalEntfernen(dateien[i]->pfad);
        eingesetzt[i] = umbenennen(neu[i], dateien[i]->pfad, nullptr);
        if (!eingesetzt[i]) {
            *grund = QStringLiteral("%1 konnte nicht ersetzt werden.").arg(name(dateien[i]));
            ok = false;
        }
    }
    for (int i = 0; ok && i < 2; ++i) {
        if (!dateien[i]->verbindung.open(dateien[i]->pfad)) {
            *grund = QStringLiteral("%1 ließ sich nach dem Ersetzen nicht öffnen.").arg(name(dateien[i]));
            ok = false;
        }
    }
    if (ok) {
        kavErsetzt();
        alteVorWiederherstellungEntfernen(2);
        m_ops.entfernen(wiederherstellungsMarke());
        aufDieDisk(m_ordner.daten());
        return true;
    }

    // back to the pair as it was
    for (int i = 0; i < 2; ++i) {
        dateien[i]->verbindung.close();
        if (!beiseite[i].isEmpty())
            mitJournalUmbenennen(beiseite[i], dateien[i]->pfad, nullptr);
        else if (eingesetzt[i])
            QFile::remove(dateien[i]->pfad);
    }
    kopienWeg();
    bool wieder = true;
    for (Datei* d : dateien)
        wieder = d->verbindung.open(d->pfad) && wieder;
    if (wieder) // else the mark stays: the next start puts the pair together
        m_ops.entfernen(wiederherstellungsMarke());
    return false;
}

QString Datenbanken::wiederherstellungsMarke() const
{
    return m_ordner.daten() + QStringLiteral("/Wiederherstellung.laeuft");
}

bool Datenbanken::markeSetzen(const QString (&beiseite)[2], QString* grund) const
{
    const QString marke = wiederherstellungsMarke();
    const QString tmp = marke + QStringLiteral(".tmp");
    QString text;
    const Datei* const dateien[2] = {&m_kav, &m_daten};
    for (int i = 0; i < 2; ++i)
        text += dateiname(dateien[i]->pfad) + QLatin1Char('=') + dateiname(beiseite[i]) + QLatin1Char('\n');
    // writing the mark and renaming it in place are one step: only the write goes through m_ops
    if (!m_ops.schreiben(tmp, text.toUtf8()) || !DateiOperationen::echtUmbenennen(tmp, marke)) {
        QFile::remove(tmp);
        *grund = QStringLiteral("Im Ordner %1 kann nichts gespeichert werden.").arg(QDir::toNativeSeparators(m_ordner.daten()));
        return false;
    }
    aufDieDisk(m_ordner.daten());
    return true;
}

void Datenbanken::unterbrocheneWiederherstellungBeenden()
{
    Datei* const dateien[2] = {&m_kav, &m_daten};
    const QString marke = wiederherstellungsMarke();
    QFile::remove(marke + QStringLiteral(".tmp"));
    QString neu[2];
    bool kopienDa = false;
    for (int i = 0; i < 2; ++i) {
        neu[i] = wiederherstellenKopie(dateien[i]->pfad);
        kopienDa = kopienDa || QFileInfo(neu[i]).isFile();
    }
    const QString zurueckText = QStringLiteral("Die Wiederherstellung der letzten Datensicherung wurde unterbrochen und "
                                               "rückgängig gemacht: Beide Datenbanken sind so, wie sie vor der "
                                               "Wiederherstellung waren.");
    if (!QFileInfo::exists(marke)) {
        // cut short before its mark: nothing was replaced, only the copies go
        if (kopienDa) {
            for (const QString& n : neu)
                QFile::remove(n);
            melde(zurueckText);
        }
        return;
    }

    // the names in the mark; a file without its line leaves the restore unfinishable
    bool gelesen[2] = {false, false}, fehlte[2] = {false, false};
    QString beiseite[2];
    QFile f(marke);
    const QStringList zeilen = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))
                                                           : QStringList();
    f.close();
    for (int i = 0; i < 2; ++i) {
        const QFileInfo fi(dateien[i]->pfad);
        for (const QString& z : zeilen) {
            if (z.section(QLatin1Char('='), 0, 0) != fi.fileName())
                continue;
            const QString name = z.section(QLatin1Char('='), 1);
            if (name.isEmpty()) {
                gelesen[i] = fehlte[i] = true;
            } else if (name.startsWith(vorWiederherstellungPraefix(fi.fileName())) && !name.contains(QLatin1Char('/'))) {
                gelesen[i] = true;
                beiseite[i] = fi.dir().filePath(name);
            }
        }
    }

    // where the file the restore puts in and the file it replaces lie now
    QString wiederher[2], bisher[2];
    bool vor = gelesen[0] && gelesen[1];
    for (int i = 0; i < 2; ++i) {
        const QString& p = dateien[i]->pfad;
        const bool nDa = QFileInfo(neu[i]).isFile(), pDa = QFileInfo::exists(p);
        const bool bDa = !beiseite[i].isEmpty() && QFileInfo::exists(beiseite[i]);
        if (nDa) { // not in place yet
            wiederher[i] = neu[i];
            bisher[i] = pDa ? p : bDa ? beiseite[i] : QString();
            vor = vor && !(pDa && (beiseite[i].isEmpty() || bDa)); // no free name to put it aside under
        } else if (pDa && (bDa || fehlte[i])) { // in place
            wiederher[i] = p;
            bisher[i] = bDa ? beiseite[i] : QString();
        } else { // gone: rolled back
            bisher[i] = bDa ? beiseite[i] : pDa ? p : QString();
        }
        vor = vor && !wiederher[i].isEmpty()
              && LocalDatabase::check(wiederher[i], schemaTabellen(dateien[i]->art), nullptr, schemaSpalten(dateien[i]->art));
    }

    // A step that fails leaves the mark: the next start goes on from there.
    if (vor) {
        for (int i = 0; i < 2; ++i)
            if (wiederher[i] == neu[i] && bisher[i] == dateien[i]->pfad
                && !mitJournalUmbenennen(dateien[i]->pfad, beiseite[i], nullptr))
                return;
        for (int i = 0; i < 2; ++i) {
            if (wiederher[i] != neu[i])
                continue;
            journalEntfernen(dateien[i]->pfad);
            if (!umbenennen(neu[i], dateien[i]->pfad, nullptr))
                return;
        }
        kavErsetzt();
        m_kav.ausSicherung = m_daten.ausSicherung = true;
        alteVorWiederherstellungEntfernen(2);
    } else {
        for (int i = 0; i < 2; ++i) {
            const QString& p = dateien[i]->pfad;
            if (QFileInfo(neu[i]).isFile() && !m_ops.entfernen(neu[i]))
                return;
            if (!bisher[i].isEmpty() && bisher[i] != p) {
                journalEntfernen(p);
                if (!mitJournalUmbenennen(bisher[i], p, nullptr))
                    return;
            } else if (bisher[i].isEmpty() && wiederher[i] == p) {
                QFile::remove(p);
                journalEntfernen(p);
            }
        }
    }
    if (!m_ops.entfernen(marke))
        return;
    aufDieDisk(m_ordner.daten());
    if (vor)
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Wiederherstellung der letzten Datensicherung wurde unterbrochen und "
                                               "jetzt zu Ende geführt: Beide Datenbanken sind auf dem Stand der "
                                               "Sicherung vom %1.")
                                    .arg(sicherungsDatumText(sicherungsPfad(m_kav))),
                                Meldung::Symbol::Information});
    else
        melde(zurueckText);
}

void Datenbanken::alteVorWiederherstellungEntfernen(int behalten) const
{
    // "<file>.vor-Wiederherstellung-<yyyyMMddhhmmss>" and "-2", "-3"... for more in one second
    for (const Datei* d : {&m_kav, &m_daten}) {
        const QFileInfo fi(d->pfad);
        const QString praefix = fi.fileName() + QStringLiteral(".vor-Wiederherstellung-");
        const QRegularExpression muster(QLatin1Char('^') + QRegularExpression::escape(praefix)
                                        + QStringLiteral("(\\d{14})(?:-(\\d+))?$"));
        QList<std::pair<std::pair<QString, int>, QString>> alte; // (time, number), name
        for (const QString& n : fi.dir().entryList({praefix + QLatin1Char('*')}, QDir::Files)) {
            const QRegularExpressionMatch m = muster.match(n);
            if (m.hasMatch())
                alte.append({{m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()}, n});
        }
        std::sort(alte.begin(), alte.end());
        for (qsizetype i = 0; i + behalten < alte.size(); ++i) {
            const QString pfad = fi.dir().filePath(alte[i].second);
            QFile::remove(pfad);
            journalEntfernen(pfad);
        }
    }
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

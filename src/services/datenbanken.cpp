#include "services/datenbanken.h"

#include "platform/clock.h"
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

} // namespace

DateiOperationen DateiOperationen::echte()
{
    DateiOperationen o;
    o.umbenennen = [](const QString& von, const QString& nach) {
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(von).toStdString(), QFile::encodeName(nach).toStdString(), ec);
        if (ec)
            qWarning().noquote() << von << "->" << nach << QString::fromStdString(ec.message());
        return !ec;
    };
    o.kopieren = [](const QString& von, const QString& nach) { return QFile::copy(von, nach); };
    return o;
}

Datenbanken::Datenbanken(Programmordner ordner, const Gebietsschema& gebiet, Einstellungen& einstellungen,
                         const Clock& uhr, MeldungsAnzeige& anzeige)
    : m_ordner(std::move(ordner)), m_gebiet(gebiet), m_einstellungen(einstellungen), m_uhr(uhr), m_anzeige(anzeige),
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
    const bool fehlte = !QFileInfo::exists(d.pfad);
    QString why;
    if (d.verbindung.open(d.pfad, &why))
        return Ergebnis::Geoeffnet;
    qWarning().noquote() << d.pfad << QStringLiteral("ist nicht lesbar:") << why;
    // A write cut short is undone from its journal, which needs the file and its folder writable.
    // Without that the file is not damaged: nothing may be replaced, and the user must give the right.
    const QStringList beiDatei = LocalDatabase::companions(d.pfad);
    const bool journal = std::any_of(beiDatei.cbegin(), beiDatei.cend(), [](const QString& b) { return QFileInfo::exists(b); });
    const QStringList gesperrt = !fehlte && journal ? LocalDatabase::notWritable(d.pfad) : QStringList();
    if (!gesperrt.isEmpty()) {
        QStringList was;
        if (gesperrt.contains(QStringLiteral("folder")))
            was << QStringLiteral("den Ordner „%1“").arg(QDir::toNativeSeparators(m_ordner.daten()));
        if (gesperrt.contains(QStringLiteral("file")))
            was << QStringLiteral("die Datei „%1“").arg(dateiname(d.pfad));
        m_anzeige.zeige(Meldung{0, kTitel,
                                QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden: Ein Schreibvorgang wurde "
                                               "nicht abgeschlossen, und um ihn zurückzunehmen, muss das Programm %2 "
                                               "beschreiben dürfen. Die gespeicherten Daten gehen dabei nicht "
                                               "verloren.\n\nBitte sorgen Sie dafür, dass Sie im Ordner „%3“ und in "
                                               "seinen Dateien schreiben dürfen, und starten Sie das Programm dann "
                                               "neu. Bis dahin kann das Programm nicht arbeiten und wird beendet.")
                                    .arg(QDir::toNativeSeparators(d.pfad), was.join(QStringLiteral(" und ")),
                                         QDir::toNativeSeparators(m_ordner.daten())),
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

void Datenbanken::kavErsetzt() { m_einstellungen.datLetztesUpdate = datenstandAuslieferung(); }

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
    if (quelle.isEmpty()) {
        if (!leereDatenbankAnlegen(d.pfad, d.art, true, why))
            return false;
    } else if (!kopierenUeber(quelle, d.pfad, why)) {
        return false;
    }
    if (!d.verbindung.open(d.pfad, why))
        return false;
    if (d.art == Datenbankdatei::Kav)
        kavErsetzt();
    return true;
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
    const QString sicherung[2] = {sicherungsPfad(m_kav), sicherungsPfad(m_daten)};
    const QString vorher[2] = {sicherung[0] + QStringLiteral(".vorher"), sicherung[1] + QStringLiteral(".vorher")};
    if (!QFileInfo::exists(vorher[0]) && !QFileInfo::exists(vorher[1]))
        return;
    const bool paarVollstaendig = QFileInfo::exists(sicherung[0]) && QFileInfo::exists(sicherung[1]);
    for (int i = 0; i < 2; ++i) {
        if (!QFileInfo::exists(vorher[i]))
            continue;
        if (paarVollstaendig)
            QFile::remove(vorher[i]);
        else
            m_ops.umbenennen(vorher[i], sicherung[i]);
    }
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
    QString beiseite[2];
    bool eingesetzt[2] = {false, false};
    const auto kopienWeg = [&neu] {
        for (const QString& n : neu)
            if (!n.isEmpty())
                QFile::remove(n);
    };

    // copies of both backups beside the files, before anything is touched
    for (int i = 0; i < 2; ++i) {
        neu[i] = dateien[i]->pfad + QStringLiteral(".wiederherstellen");
        QFile::remove(neu[i]);
        if (!m_ops.kopieren(sicherungsPfad(*dateien[i]), neu[i])) {
            *grund = QStringLiteral("Die Sicherungsdatei für %1 konnte nicht kopiert werden.").arg(name(dateien[i]));
            kopienWeg();
            return false;
        }
        QFile(neu[i]).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    for (Datei* d : dateien)
        d->verbindung.close();
    const QString zeit = m_uhr.now().toString(QStringLiteral("yyyyMMddhhmmss"));
    bool ok = true;
    for (int i = 0; ok && i < 2; ++i) {
        if (!QFileInfo::exists(dateien[i]->pfad))
            continue;
        const QString ziel = freierName(dateien[i]->pfad + QStringLiteral(".vor-Wiederherstellung-") + zeit);
        if (mitJournalUmbenennen(dateien[i]->pfad, ziel, nullptr)) {
            beiseite[i] = ziel;
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
    for (Datei* d : dateien)
        d->verbindung.open(d->pfad);
    return false;
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

QString Datenbanken::schreibschutzHinweis() const
{
    QStringList was;
    bool ordner = false;
    for (const Datei* d : {&m_daten, &m_kav}) {
        const QStringList gesperrt = LocalDatabase::notWritable(d->pfad);
        ordner = ordner || gesperrt.contains(QStringLiteral("folder"));
        if (gesperrt.contains(QStringLiteral("file")))
            was << QStringLiteral("die Datei „%1“").arg(QFileInfo(d->pfad).fileName());
    }
    if (ordner)
        was.prepend(QStringLiteral("den Ordner „%1“").arg(QDir::toNativeSeparators(m_ordner.daten())));
    if (was.isEmpty())
        return {};
    return QStringLiteral("Das Programm darf %1 nicht beschreiben. Ihre Flächen, Analysen und Planungen werden "
                          "angezeigt, aber Änderungen können nicht gespeichert werden.\n\nBitte sorgen Sie dafür, "
                          "dass Sie im Ordner „%2“ und in seinen Dateien schreiben dürfen, und starten Sie das Programm "
                          "dann neu.")
        .arg(was.join(QStringLiteral(" und ")), QDir::toNativeSeparators(m_ordner.daten()));
}

void Datenbanken::schliessen()
{
    m_kav.verbindung.close();
    m_daten.verbindung.close();
}

} // namespace kav

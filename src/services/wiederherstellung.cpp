#include "services/wiederherstellung.h"

#include "platform/localdatabase.h"
#include "services/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace kav {

namespace {

Datenbankdatei art(int i) { return i == 0 ? Datenbankdatei::Kav : Datenbankdatei::Daten; }

QString vorWiederherstellungPraefix(const QString& pfad) { return pfad + QStringLiteral(".vor-Wiederherstellung-"); }

bool gesund(const QString& pfad, int i)
{
    return LocalDatabase::check(pfad, schemaTabellen(art(i)), nullptr, schemaSpalten(art(i)));
}

} // namespace

Wiederherstellung::Wiederherstellung(QString daten, const QString (&dateien)[2], const QString (&sicherungen)[2],
                                     const DateiOperationen& ops)
    : m_daten(std::move(daten)), m_ops(ops)
{
    for (int i = 0; i < 2; ++i) {
        m_dateien[i].pfad = dateien[i];
        m_dateien[i].kopie = dateien[i] + QStringLiteral(".wiederherstellen");
        m_dateien[i].sicherung = sicherungen[i];
    }
}

QString Wiederherstellung::marke() const { return m_daten + QStringLiteral("/Wiederherstellung.laeuft"); }

bool Wiederherstellung::kopienAnlegen(QString* grund)
{
    for (const Dateistand& d : m_dateien) {
        QFile::remove(d.kopie);
        if (!m_ops.kopieren(d.sicherung, d.kopie)) {
            *grund = QStringLiteral("Die Sicherungsdatei für %1 konnte nicht kopiert werden.").arg(dateiname(d.pfad));
            kopienEntfernen();
            return false;
        }
        QFile(d.kopie).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        aufDieDisk(d.kopie);
    }
    return true;
}

void Wiederherstellung::kopienEntfernen() const
{
    for (const Dateistand& d : m_dateien)
        QFile::remove(d.kopie);
}

bool Wiederherstellung::markeSetzen(const QDateTime& zeit, QString* grund)
{
    const QString z = zeit.toString(QStringLiteral("yyyyMMddhhmmss"));
    QString text;
    for (Dateistand& d : m_dateien) {
        d.gelesen = true;
        d.beiseite = QFileInfo::exists(d.pfad) ? freierName(vorWiederherstellungPraefix(d.pfad) + z) : QString();
        d.fehlte = d.beiseite.isEmpty();
        text += dateiname(d.pfad) + QLatin1Char('=') + dateiname(d.beiseite) + QLatin1Char('\n');
    }
    // writing the mark and renaming it in place are one step: only the write goes through m_ops
    const QString tmp = marke() + QStringLiteral(".tmp");
    if (!m_ops.schreiben(tmp, text.toUtf8()) || !DateiOperationen::echtUmbenennen(tmp, marke())) {
        QFile::remove(tmp);
        *grund = QStringLiteral("Im Ordner %1 kann nichts gespeichert werden.").arg(QDir::toNativeSeparators(m_daten));
        return false;
    }
    aufDieDisk(m_daten);
    return true;
}

bool Wiederherstellung::einsetzen(QString* grund)
{
    for (Dateistand& d : m_dateien) {
        if (d.beiseite.isEmpty())
            continue;
        d.beiseiteGelegt = m_ops.mitJournalUmbenennen(d.pfad, d.beiseite);
        if (!d.beiseiteGelegt) {
            *grund = QStringLiteral("%1 konnte nicht beiseitegelegt werden.").arg(dateiname(d.pfad));
            return false;
        }
    }
    for (Dateistand& d : m_dateien) {
        journalEntfernen(d.pfad);
        d.eingesetzt = m_ops.umbenennen(d.kopie, d.pfad);
        if (!d.eingesetzt) {
            *grund = QStringLiteral("%1 konnte nicht ersetzt werden.").arg(dateiname(d.pfad));
            return false;
        }
    }
    return true;
}

void Wiederherstellung::zuruecknehmenNachFehler()
{
    for (const Dateistand& d : m_dateien) {
        if (d.beiseiteGelegt)
            m_ops.mitJournalUmbenennen(d.beiseite, d.pfad);
        else if (d.eingesetzt)
            QFile::remove(d.pfad);
    }
    kopienEntfernen();
}

bool Wiederherstellung::markeEntfernen()
{
    if (!m_ops.entfernen(marke()))
        return false;
    aufDieDisk(m_daten);
    return true;
}

void Wiederherstellung::markeLesen()
{
    QFile f(marke());
    const QStringList zeilen = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))
                                                           : QStringList();
    for (Dateistand& d : m_dateien) {
        const QFileInfo fi(d.pfad);
        for (const QString& z : zeilen) {
            if (z.section(QLatin1Char('='), 0, 0) != fi.fileName())
                continue;
            const QString name = z.section(QLatin1Char('='), 1);
            if (name.isEmpty()) {
                d.gelesen = d.fehlte = true;
            } else if (name.startsWith(vorWiederherstellungPraefix(fi.fileName())) && !name.contains(QLatin1Char('/'))) {
                d.gelesen = true;
                d.beiseite = fi.dir().filePath(name);
            }
        }
    }
}

Wiederherstellung::Lage Wiederherstellung::lesen()
{
    QFile::remove(marke() + QStringLiteral(".tmp"));
    bool kopienDa = false;
    for (const Dateistand& d : m_dateien)
        kopienDa = kopienDa || QFileInfo(d.kopie).isFile();
    if (!QFileInfo::exists(marke()))
        return kopienDa ? Lage::OhneMarke : Lage::Keine;
    // the names in the mark; a file without its line leaves the restore unfinishable
    markeLesen();
    bool vor = m_dateien[0].gelesen && m_dateien[1].gelesen;
    for (int i = 0; i < 2; ++i)
        vor = stelleFinden(m_dateien[i]) && vor && gesund(m_dateien[i].wiederher, i);
    return vor ? Lage::Vollenden : Lage::Zuruecknehmen;
}

bool Wiederherstellung::stelleFinden(Dateistand& d) const
{
    const QString& p = d.pfad;
    const bool nDa = QFileInfo(d.kopie).isFile(), pDa = QFileInfo::exists(p);
    const bool bDa = !d.beiseite.isEmpty() && QFileInfo::exists(d.beiseite);
    if (nDa) { // not in place yet
        d.wiederher = d.kopie;
        d.bisher = pDa ? p : bDa ? d.beiseite : QString();
        return !(pDa && (d.beiseite.isEmpty() || bDa)); // no free name to put it aside under
    }
    if (pDa && (bDa || d.fehlte)) { // in place
        d.wiederher = p;
        d.bisher = bDa ? d.beiseite : QString();
        return true;
    }
    // gone: rolled back
    d.bisher = bDa ? d.beiseite : pDa ? p : QString();
    return false;
}

bool Wiederherstellung::vollenden()
{
    for (const Dateistand& d : m_dateien)
        if (d.wiederher == d.kopie && d.bisher == d.pfad && !m_ops.mitJournalUmbenennen(d.pfad, d.beiseite))
            return false;
    for (const Dateistand& d : m_dateien) {
        if (d.wiederher != d.kopie)
            continue;
        journalEntfernen(d.pfad);
        if (!m_ops.umbenennen(d.kopie, d.pfad))
            return false;
    }
    return true;
}

bool Wiederherstellung::zuruecknehmen()
{
    for (const Dateistand& d : m_dateien) {
        const QString& p = d.pfad;
        if (QFileInfo(d.kopie).isFile() && !m_ops.entfernen(d.kopie))
            return false;
        if (!d.bisher.isEmpty() && d.bisher != p) {
            journalEntfernen(p);
            if (!m_ops.mitJournalUmbenennen(d.bisher, p))
                return false;
        } else if (d.bisher.isEmpty() && d.wiederher == p) {
            QFile::remove(p);
            journalEntfernen(p);
        }
    }
    return true;
}

void Wiederherstellung::alteEntfernen(int behalten) const
{
    // "<file>.vor-Wiederherstellung-<yyyyMMddhhmmss>" and "-2", "-3"... for more in one second
    for (const Dateistand& d : m_dateien) {
        const QFileInfo fi(d.pfad);
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

} // namespace kav

#include "services/wiederherstellung.h"

#include "platform/dateisystem.h"
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

QString beiseitePraefix(const QString& pfad) { return pfad + QStringLiteral(".vor-Wiederherstellung-"); }

// "<file>.vor-Wiederherstellung-<yyyyMMddhhmmss>", with "-2", "-3"... for more in one second: the only
// names a restore sets a file aside under, and so the only ones its mark may name.
QRegularExpression beiseiteMuster(const QString& dateiname)
{
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(beiseitePraefix(dateiname))
                              + QStringLiteral("(\\d{14})(?:-(\\d+))?$"));
}

// The whole text of a mark that says its restore is settled.
const QByteArray kErledigt = QByteArrayLiteral("erledigt\n");

bool istDatei(const QString& pfad) { return QFileInfo(pfad).isFile(); }
bool da(const QString& pfad) { return !pfad.isEmpty() && QFileInfo::exists(pfad); }

void setze(QString* grund, const QString& text)
{
    if (grund)
        *grund = text;
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
bool Wiederherstellung::markeDa() const { return Dateisystem::art(marke()) != Dateisystem::Art::Fehlt; }

QString Wiederherstellung::fremd() const
{
    for (const QString& p : {marke(), marke() + QStringLiteral(".tmp")})
        if (const Dateisystem::Art a = Dateisystem::art(p); a != Dateisystem::Art::Fehlt && a != Dateisystem::Art::Datei)
            return p;
    return {};
}

QString Wiederherstellung::kopieFremd() const
{
    for (const Dateistand& d : m_dateien)
        if (const Dateisystem::Art a = Dateisystem::art(d.kopie); a != Dateisystem::Art::Fehlt && a != Dateisystem::Art::Datei)
            return d.kopie;
    return {};
}

bool Wiederherstellung::kopienAnlegen(QString* grund)
{
    for (const Dateistand& d : m_dateien) {
        if (!m_ops.kopieAnlegen(d.sicherung, d.kopie)) {
            *grund = QStringLiteral("Die Sicherungsdatei für %1 konnte nicht kopiert werden.").arg(dateiname(d.pfad));
            kopienEntfernen();
            return false;
        }
    }
    return true;
}

bool Wiederherstellung::kopienEntfernen() const
{
    bool ok = m_ops.entfernenWennDatei(marke() + QStringLiteral(".tmp"));
    for (const Dateistand& d : m_dateien)
        ok = m_ops.entfernenFallsDa(d.kopie) && ok;
    return ok;
}

bool Wiederherstellung::markeSetzen(const QDateTime& zeit, QString* grund)
{
    const QString z = zeit.toString(QStringLiteral("yyyyMMddhhmmss"));
    for (Dateistand& d : m_dateien) {
        d.gelesen = true;
        d.beiseite = QFileInfo::exists(d.pfad) ? freierName(beiseitePraefix(d.pfad) + z) : QString();
    }
    if (markeSchreiben(m_dateien))
        return true;
    m_ops.entfernenWennDatei(marke()); // nothing is replaced yet
    *grund = QStringLiteral("Im Ordner „%1“ kann nichts gespeichert werden.").arg(QDir::toNativeSeparators(m_daten));
    return false;
}

bool Wiederherstellung::markeSchreiben(const Dateistand (&dateien)[2]) const
{
    QString text;
    for (const Dateistand& d : dateien)
        if (d.gelesen)
            text += dateiname(d.pfad) + QLatin1Char('=') + dateiname(d.beiseite) + QLatin1Char('\n');
    return markeSchreiben(text.toUtf8());
}

bool Wiederherstellung::markeSchreiben(const QByteArray& text) const
{
    // Writing the mark and renaming it in place are one step: only the write goes through m_ops. The
    // temporary file is made new: what else lies at either name is not written through or replaced,
    // a temporary file a crash left goes first.
    const QString tmp = marke() + QStringLiteral(".tmp");
    if (markeFremd() || !m_ops.entfernenWennDatei(tmp))
        return false;
    if (m_ops.schreiben(tmp, text) && DateiOperationen::echtUmbenennen(tmp, marke()))
        return m_ops.aufDieDisk(m_daten);
    m_ops.entfernenWennDatei(tmp);
    return false;
}

bool Wiederherstellung::markeEntfernen() const
{
    // only the program's own files: anything else at the temporary name stays, and is named elsewhere
    if (Dateisystem::art(marke()) != Dateisystem::Art::Datei || !m_ops.entfernen(marke())
        || !m_ops.entfernenWennDatei(marke() + QStringLiteral(".tmp")))
        return false;
    // A mark that comes back after a power cut finds the files as they are now and decides the same.
    m_ops.aufDieDisk(m_daten);
    return true;
}

bool Wiederherstellung::markeErledigen() const
{
    // left as it was, the next start would take the files as they are now (rows entered since among
    // them) for those of a restore cut short, and say so
    return markeEntfernen() || !markeDa() || markeSchreiben(kErledigt);
}

void Wiederherstellung::markeLesen(const QByteArray& text)
{
    const QStringList zeilen = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (Dateistand& d : m_dateien) {
        const QFileInfo fi(d.pfad);
        for (const QString& z : zeilen) {
            if (z.section(QLatin1Char('='), 0, 0) != fi.fileName())
                continue;
            const QString name = z.section(QLatin1Char('='), 1);
            d.gelesen = name.isEmpty() || beiseiteMuster(fi.fileName()).match(name).hasMatch();
            d.beiseite = d.gelesen && !name.isEmpty() ? fi.dir().filePath(name) : QString();
        }
    }
}

bool Wiederherstellung::spuren() const
{
    for (const Dateistand& d : m_dateien)
        if (istDatei(d.kopie) || Dateisystem::art(d.pfad) == Dateisystem::Art::Fehlt)
            return true;
    return false;
}

Wiederherstellung::Lage Wiederherstellung::lesen()
{
    // Only the mark decides: what lies at its temporary name, if it is no file of the program's own,
    // changes nothing of how a restore is settled (it stays, and is named).
    if (const Dateisystem::Art a = Dateisystem::art(marke()); a != Dateisystem::Art::Fehlt && a != Dateisystem::Art::Datei)
        return Lage::KeineDatei;
    bool reste = Dateisystem::art(marke() + QStringLiteral(".tmp")) == Dateisystem::Art::Datei;
    for (const Dateistand& d : m_dateien)
        reste = reste || istDatei(d.kopie);
    if (!markeDa())
        return reste ? Lage::OhneMarke : Lage::Keine;
    // a mark that cannot be read tells nothing of where the restore stopped
    if (LocalDatabase::fileFault(marke()) != LocalDatabase::FileFault::None)
        return Lage::Unlesbar;
    QByteArray text;
    Dateisystem::lesen(marke(), &text);
    if (text == kErledigt)
        return Lage::Erledigt;
    markeLesen(text);
    bool vollenden = true;
    for (int i = 0; i < 2 && vollenden; ++i) {
        const QString w = wiederher(m_dateien[i]);
        vollenden = m_dateien[i].gelesen && !w.isEmpty() && dateiGesund(w, art(i));
    }
    return vollenden ? Lage::Vollenden : Lage::Zuruecknehmen;
}

QString Wiederherstellung::wiederher(const Dateistand& d) const
{
    const bool pDa = QFileInfo::exists(d.pfad);
    if (istDatei(d.kopie)) // not in place yet: the current file must go aside without replacing another
        return !pDa || (!d.beiseite.isEmpty() && !da(d.beiseite)) ? d.kopie : QString();
    if (pDa && (da(d.beiseite) || (d.gelesen && d.beiseite.isEmpty()))) // in place
        return d.pfad;
    return {};
}

QString Wiederherstellung::bisher(const Dateistand& d) const
{
    const bool pDa = QFileInfo::exists(d.pfad);
    if (istDatei(d.kopie))
        return pDa ? d.pfad : da(d.beiseite) ? d.beiseite : QString();
    if (da(d.beiseite))
        return d.beiseite;
    if (d.gelesen && d.beiseite.isEmpty())
        return {}; // it was not there: a file in its place came from the backup
    return pDa ? d.pfad : QString();
}

bool Wiederherstellung::einsetzen(QString* grund) const
{
    for (const Dateistand& d : m_dateien) {
        if (!istDatei(d.kopie) || !QFileInfo::exists(d.pfad))
            continue;
        if (d.beiseite.isEmpty() || QFileInfo::exists(d.beiseite) || !m_ops.mitJournalUmbenennen(d.pfad, d.beiseite)) {
            setze(grund, QStringLiteral("%1 konnte nicht beiseitegelegt werden.").arg(dateiname(d.pfad)));
            return false;
        }
    }
    for (const Dateistand& d : m_dateien) {
        if (istDatei(d.kopie)
            && !(m_ops.verwaistesJournalNachziehen(d.pfad, d.beiseite) && m_ops.umbenennen(d.kopie, d.pfad))) {
            setze(grund, QStringLiteral("%1 konnte nicht ersetzt werden.").arg(dateiname(d.pfad)));
            return false;
        }
    }
    if (m_ops.aufDieDisk(m_daten))
        return true;
    setze(grund, QStringLiteral("Die ersetzten Dateien konnten nicht vollständig auf den Datenträger geschrieben werden."));
    return false;
}

bool Wiederherstellung::zuruecknehmen() const
{
    // Where each file as it was lies, found while the copies still tell which file is which. A name in
    // the mark it never went to (another file has it, or it names none) leaves the mark first: once
    // the copy is gone, the file there would pass for the file as it was.
    QString ort[2];
    Dateistand neueMarke[2] = {m_dateien[0], m_dateien[1]};
    bool umschreiben = false;
    for (int i = 0; i < 2; ++i) {
        const Dateistand& d = m_dateien[i];
        ort[i] = bisher(d);
        if (d.gelesen && ort[i] == d.pfad && istDatei(d.kopie) && (d.beiseite.isEmpty() || da(d.beiseite))) {
            neueMarke[i].gelesen = false;
            umschreiben = true;
        }
    }
    if ((umschreiben && !markeSchreiben(neueMarke)) || !kopienEntfernen())
        return false;
    for (int i = 0; i < 2; ++i)
        if (!zuruecklegen(m_dateien[i], ort[i]))
            return false;
    return m_ops.aufDieDisk(m_daten);
}

bool Wiederherstellung::zuruecklegen(const Dateistand& d, const QString& bisher) const
{
    const QString& p = d.pfad;
    if (!bisher.isEmpty() && bisher == d.beiseite) { // back over the file the restore put in
        const bool frei = QFileInfo::exists(p) ? m_ops.journalEntfernen(p) : m_ops.verwaistesJournalNachziehen(p, bisher);
        return frei && m_ops.mitJournalUmbenennen(bisher, p);
    }
    if (bisher.isEmpty() && d.gelesen && d.beiseite.isEmpty() && QFileInfo::exists(p)) // it was not there
        return m_ops.entfernen(p) && m_ops.journalEntfernen(p);
    return true;
}

void Wiederherstellung::alteEntfernen() const
{
    // the time of this restore, as its names give it
    QString zeit;
    for (const Dateistand& d : m_dateien) {
        const QRegularExpressionMatch m = beiseiteMuster(dateiname(d.pfad)).match(dateiname(d.beiseite));
        if (m.hasMatch())
            zeit = m.captured(1);
    }
    if (zeit.isEmpty())
        return; // nothing to judge the others' age by
    for (const Dateistand& d : m_dateien) {
        const QFileInfo fi(d.pfad);
        const QRegularExpression muster = beiseiteMuster(fi.fileName());
        QList<std::pair<std::pair<QString, int>, QString>> alte, spaeter; // (time, number), name
        for (const QString& n : fi.dir().entryList({beiseitePraefix(fi.fileName()) + QLatin1Char('*')}, QDir::Files)) {
            const QRegularExpressionMatch m = muster.match(n);
            if (m.hasMatch() && fi.dir().filePath(n) != d.beiseite) // what this restore set aside stays
                (m.captured(1) <= zeit ? alte : spaeter).append({{m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()}, n});
        }
        std::sort(alte.begin(), alte.end());
        std::sort(spaeter.begin(), spaeter.end());
        // Of the others the newest stays. The age of one named after this restore cannot be told from
        // a clock that is or was wrong: of those the two named nearest to it stay.
        QStringList weg;
        for (qsizetype i = 0; i + 1 < alte.size(); ++i)
            weg << alte[i].second;
        for (qsizetype i = 2; i < spaeter.size(); ++i)
            weg << spaeter[i].second;
        for (const QString& n : weg) {
            const QString pfad = fi.dir().filePath(n);
            if (m_ops.entfernen(pfad))
                m_ops.journalEntfernen(pfad);
        }
    }
}

} // namespace kav

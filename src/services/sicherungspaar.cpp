#include "services/sicherungspaar.h"

#include "platform/dateisystem.h"
#include "services/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace kav {

namespace {

Datenbankdatei art(int i) { return i == 0 ? Datenbankdatei::Kav : Datenbankdatei::Daten; }

} // namespace

Sicherungspaar::Sicherungspaar(QString ordner, QString kavDatei, QString datenDatei, const DateiOperationen& ops)
    : m_ordner(std::move(ordner)), m_dateien{std::move(kavDatei), std::move(datenDatei)}, m_ops(ops)
{
}

Sicherungspaar::Namen Sicherungspaar::namen(int i) const
{
    // file name without ".KRN", with ".PVQ"
    QString name = QFileInfo(m_dateien[i]).fileName();
    name.chop(4);
    const QString sicherung = m_ordner + QLatin1Char('/') + name + QStringLiteral(".PVQ");
    return {sicherung, sicherung + QStringLiteral(".tmp"), sicherung + QStringLiteral(".vorher")};
}

QString Sicherungspaar::anzeigeName(const QString& pfad) const
{
    return QDir::toNativeSeparators(QDir(m_ordner).dirName() + QLatin1Char('/') + dateiname(pfad));
}

bool Sicherungspaar::nurDateien() const
{
    for (int i = 0; i < 2; ++i) {
        const Namen n = namen(i);
        for (const QString& p : {n.sicherung, n.kopie, n.vorher})
            if (const Dateisystem::Art a = Dateisystem::art(p); a != Dateisystem::Art::Fehlt && a != Dateisystem::Art::Datei)
                return false;
    }
    return true;
}

Sicherungspaar::Hindernis Sicherungspaar::hindernisDerSicherung(int i, bool neustart) const
{
    using F = LocalDatabase::FileFault;
    const auto unlesbar = [](F f) {
        return f == F::NoReadRight ? QStringLiteral("darf das Programm nicht lesen") : QStringLiteral("lässt sich nicht lesen");
    };
    const Namen n = namen(i);
    const QString name = dateiname(n.sicherung);
    if (const F f = LocalDatabase::fileFault(n.sicherung); f != F::None)
        return {n.sicherung,
                f == F::NoReadRight || f == F::Unreadable
                    ? QStringLiteral("Die Sicherungsdatei %1 %2.").arg(name, unlesbar(f))
                    : QStringLiteral("An der Stelle der Sicherungsdatei %1 liegt %2. Was dort liegt, liest das "
                                     "Programm nicht.")
                          .arg(name, wasDortLiegt(n.sicherung)),
                hindernisBitte(anzeigeName(n.sicherung), f, Stelle::Sicherung, neustart)};
    F f{};
    QString fremd = LocalDatabase::foreignCompanion(n.sicherung, &f);
    if (fremd.isEmpty()) {
        // a journal SQLite would have to roll back into the backup, and may not (another account's)
        const QStringList fest = LocalDatabase::fixedCompanions(n.sicherung);
        if (fest.isEmpty())
            return {};
        fremd = fest.first();
        f = F::NoWriteRight;
    }
    return {fremd,
            f == F::NoWriteRight
                ? QStringLiteral("Neben der Sicherungsdatei %1 liegt „%2“, und diese Datei darf das Programm nicht "
                                 "beschreiben oder löschen.")
                      .arg(name, dateiname(fremd))
            : f == F::NoReadRight || f == F::Unreadable
                ? QStringLiteral("Neben der Sicherungsdatei %1 liegt „%2“, und diese Datei %3.").arg(name, dateiname(fremd), unlesbar(f))
                : QStringLiteral("Neben der Sicherungsdatei %1 liegt „%2“, und das ist %3. Was dort liegt, liest das "
                                 "Programm nicht.")
                      .arg(name, dateiname(fremd), wasDortLiegt(fremd)),
            hindernisBitte(anzeigeName(fremd), f, Stelle::Journal, neustart)};
}

Sicherungspaar::Hindernis Sicherungspaar::hindernis(bool neustart) const
{
    for (int i = 0; i < 2; ++i)
        if (const Hindernis h = hindernisDerSicherung(i, neustart); h.da())
            return h;
    for (int i = 0; i < 2; ++i) {
        const Namen n = namen(i);
        for (const QString& p : {n.kopie, n.vorher}) {
            if (const Dateisystem::Art a = Dateisystem::art(p); a == Dateisystem::Art::Fehlt || a == Dateisystem::Art::Datei)
                continue;
            return {p,
                    QStringLiteral("An der Stelle „%1“, an der Kav %2, liegt %3. Was dort liegt, liest das Programm "
                                   "nicht.")
                        .arg(anzeigeName(p),
                             p == n.kopie ? QStringLiteral("eine neue Sicherungsdatei anlegt")
                                          : QStringLiteral("die bisherige Sicherungsdatei aufbewahrt, bis die neue "
                                                           "vollständig ist"),
                             wasDortLiegt(p)),
                    hindernisBitte(anzeigeName(p), LocalDatabase::FileFault::NotAFile, Stelle::Eigene, neustart)};
        }
    }
    return {};
}

bool Sicherungspaar::beiseite(int i) const
{
    const Namen n = namen(i);
    return Dateisystem::art(n.kopie) == Dateisystem::Art::Datei || Dateisystem::art(n.vorher) == Dateisystem::Art::Datei;
}

void Sicherungspaar::wechselBeenden() const
{
    if (!nurDateien())
        return; // what lies there is named by hindernis(), and stays as it is
    const Namen n[2] = {namen(0), namen(1)};
    bool da[2], kopieDa[2];
    for (int i = 0; i < 2; ++i) {
        da[i] = QFileInfo::exists(n[i].sicherung);
        kopieDa[i] = QFileInfo(n[i].kopie).isFile();
    }
    if (QFileInfo::exists(n[0].vorher) || QFileInfo::exists(n[1].vorher)) {
        if (da[0] && da[1]) {
            // the new pair on the disk before the previous one goes; what stays goes at the next call
            if (m_ops.aufDieDisk(m_ordner))
                for (const Namen& ni : n)
                    m_ops.entfernenFallsDa(ni.vorher);
        } else {
            vorherZuruecklegen();
        }
    } else if (da[0] != da[1]) {
        const int j = da[0] ? 0 : 1, k = 1 - j;
        if (!kopieDa[j] && kopieDa[k] && !ersteSicherungBeenden(j, k))
            return; // the copy stays for the next call
    }
    // copies of a backup cut short before its switch
    kopienEntfernen();
}

bool Sicherungspaar::vorherZuruecklegen() const
{
    // Over the new files first, then where none is: the pair is whole again only once every previous
    // file is back, else a whole pair with a previous file beside it would pass for the new one.
    for (const bool ueberNeue : {true, false}) {
        for (int i = 0; i < 2; ++i) {
            const Namen ni = namen(i);
            if (QFileInfo::exists(ni.vorher) && QFileInfo::exists(ni.sicherung) == ueberNeue
                && !m_ops.umbenennen(ni.vorher, ni.sicherung))
                return false;
        }
    }
    return true;
}

bool Sicherungspaar::ersteSicherungBeenden(int j, int k) const
{
    // Both copies were whole before the first rename, so the second joins the first; a copy that is
    // no sound database leaves no backup rather than a file without its partner.
    const Namen nk = namen(k);
    const bool ok = dateiGesund(nk.kopie, art(k)) ? m_ops.umbenennen(nk.kopie, nk.sicherung) : m_ops.entfernen(namen(j).sicherung);
    return ok && m_ops.aufDieDisk(m_ordner);
}

void Sicherungspaar::kopienEntfernen() const
{
    for (int i = 0; i < 2; ++i)
        m_ops.entfernenFallsDa(namen(i).kopie);
}

bool Sicherungspaar::sichern(const QDateTime& zeit, QString* why) const
{
    if (const Hindernis h = hindernis(); h.da()) {
        if (why)
            *why = h.satz();
        return false;
    }
    wechselBeenden();
    if (!QDir().mkpath(m_ordner)) {
        if (why)
            *why = QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.")
                       .arg(QDir::toNativeSeparators(m_ordner));
        return false;
    }
    if (!kopienAnlegen(zeit, why))
        return false;
    return wechseln(why);
}

bool Sicherungspaar::kopienAnlegen(const QDateTime& zeit, QString* why) const
{
    for (int i = 0; i < 2; ++i) {
        const QString kopie = namen(i).kopie;
        // whole on the disk before the first rename
        if (!QFileInfo::exists(m_dateien[i]) || !m_ops.kopieAnlegen(m_dateien[i], kopie)) {
            if (why)
                *why = QStringLiteral("%1 konnte nicht in den Ordner „%2“ kopiert werden.")
                           .arg(dateiname(m_dateien[i]), QDir::toNativeSeparators(m_ordner));
            kopienEntfernen();
            return false;
        }
        QFile f(kopie);
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(zeit, QFileDevice::FileModificationTime);
    }
    return true;
}

bool Sicherungspaar::wechseln(QString* why) const
{
    // The previous pair goes aside and stays until both new files are in place, on the disk: a
    // failed rename puts it back, so the two backups always belong together.
    const Namen n[2] = {namen(0), namen(1)};
    bool weg[2] = {false, false}, drin[2] = {false, false};
    bool ok = true;
    for (int i = 0; ok && i < 2; ++i) {
        if (QFileInfo::exists(n[i].sicherung))
            ok = weg[i] = m_ops.umbenennen(n[i].sicherung, n[i].vorher);
    }
    for (int i = 0; ok && i < 2; ++i)
        ok = drin[i] = m_ops.umbenennen(n[i].kopie, n[i].sicherung);
    // the previous pair goes only once the new one is on the disk; else it stays aside until the
    // next call of wechselBeenden, and the backup counts as failed
    if (ok && m_ops.aufDieDisk(m_ordner)) {
        for (const Namen& ni : n)
            m_ops.entfernenFallsDa(ni.vorher); // one that stays goes at the next call
        return true;
    }
    if (why)
        *why = QStringLiteral("Die neuen Sicherungsdateien %1 und %2 konnten im Ordner „%3“ nicht gespeichert "
                              "werden.")
                   .arg(dateiname(n[0].sicherung), dateiname(n[1].sicherung), QDir::toNativeSeparators(m_ordner));
    if (ok)
        return false;
    // Back to the previous pair; a new file with none under it goes first. What stays undone here,
    // the copies too, the next call of wechselBeenden puts right.
    bool zurueck = true;
    for (int i = 0; i < 2; ++i)
        if (drin[i] && !weg[i])
            zurueck = m_ops.entfernen(n[i].sicherung) && zurueck;
    if (zurueck && vorherZuruecklegen())
        kopienEntfernen();
    return false;
}

} // namespace kav

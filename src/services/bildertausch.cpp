#include "services/bildertausch.h"

#include "platform/dateisystem.h"
#include "services/dateioperationen.h"
#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlQuery>
#include <QVector>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>


namespace kav {

namespace {

const QString kMarke = QStringLiteral("Bildertausch");

// The folders swapped: name in the staging folder, folder of the program.
QVector<std::pair<QString, QString>> bilderOrdner(const Programmordner& o)
{
    return {{QStringLiteral("Vorschau"), o.lexikonVorschau()}, {QStringLiteral("Vollbild"), o.lexikonVollbild()}};
}

qint64 nummerInKav(const QSqlDatabase& cnKav) { return sql::scalar(cnKav, QStringLiteral("PRAGMA user_version")).toLongLong(); }

// The number of the mark; 0 when it cannot be read (no number is 0).
qint64 nummerDerMarke(const QString& arbeit)
{
    QByteArray text;
    return Dateisystem::lesen(QDir(arbeit).filePath(kMarke), &text) ? text.trimmed().toLongLong() : 0;
}

// Writes the mark and reads it back from the disk: only a mark that can be read decides at a start.
bool markeSchreiben(const QString& pfad, qint64 nummer)
{
    const QByteArray text = QByteArray::number(nummer);
    {
        QSaveFile f(pfad);
        // unbuffered: a failed write (a full disk) fails commit(); a buffered one would fail only in
        // the flush, which commit() does not see, and put an empty mark in place
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || f.write(text) != text.size() || !f.commit())
            return false;
    }
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) && Dateisystem::flush(f.handle()) && f.readAll() == text;
}

void schritt(const Bildertausch::Pruefpunkt& pruefpunkt, QStringView was)
{
    if (pruefpunkt)
        pruefpunkt(was);
}

// Flushes the names in each of `ordner` to the disk; false when one fails.
bool aufDieDisk(const QStringList& ordner, const Bildertausch::AufDieDisk& vorher)
{
    bool ok = true;
    for (const QString& o : ordner)
        ok = (!vorher || vorher(o)) && DateiOperationen::echtAufDieDisk(o) && ok;
    return ok;
}

// The folders whose names the renames of a swap change: the staging folder, its "alt/", and
// Lexikon/Bilder/, which holds both picture folders.
QStringList getauschteOrdner(const Programmordner& ordner, const QString& arbeit)
{
    return {QDir(arbeit).filePath(QStringLiteral("alt")), arbeit, QFileInfo(ordner.lexikonVorschau()).path()};
}

// Puts the old folders of `arbeit` back in place, on the disk; the new ones return to the staging
// folder. `zurueck` gets the folders put back.
bool zuruecklegen(const Programmordner& ordner, const QString& arbeit, const Bildertausch::Pruefpunkt& pruefpunkt = {},
                  QStringList* zurueck = nullptr, const Bildertausch::AufDieDisk& vorher = {})
{
    const QDir a(arbeit);
    bool ok = true, umbenannt = false;
    for (const auto& [unter, ziel] : bilderOrdner(ordner)) {
        const QString alt = a.filePath(QStringLiteral("alt/") + unter);
        if (!QFileInfo::exists(alt))
            continue; // never moved: the old folder is in place
        umbenannt = true;
        if (QFileInfo::exists(ziel)) {
            schritt(pruefpunkt, u"Umbenennen");
            if (!QDir().rename(ziel, a.filePath(unter))) {
                ok = false;
                continue;
            }
        }
        schritt(pruefpunkt, u"Umbenennen");
        if (!QDir().mkpath(QFileInfo(ziel).path()) || !QDir().rename(alt, ziel))
            ok = false;
        else if (zurueck)
            *zurueck << ziel;
    }
    // before the mark goes: without it the staging folder, and what lies in it, is removed
    return (!umbenannt || aufDieDisk(getauschteOrdner(ordner, arbeit), vorher)) && ok;
}

bool haeltAlle(const QString& ordner, const QStringList& dateien)
{
    const QDir d(ordner);
    return std::all_of(dateien.cbegin(), dateien.cend(), [&d](const QString& n) { return QFileInfo::exists(d.filePath(n)); });
}

// Without the mark's number: true when the swap is to be undone, false when the folders in place
// stay; nullopt when neither holds every picture Kav.KRN names. Only an unfinished swap leaves a
// folder missing from its place (the commit follows the last rename), so that one is undone always.
// When both hold them all (the update kept the names), the folders cannot tell whether the commit
// landed: the old ones come back, and the gardener is told.
std::optional<bool> ohneMarkeZurueck(const Programmordner& ordner, const QString& arbeit, const QStringList& dateien)
{
    bool fehlt = false, getauscht = false, stehtGanz = true, altGanz = true;
    for (const auto& [unter, ziel] : bilderOrdner(ordner)) {
        const QString alt = QDir(arbeit).filePath(QStringLiteral("alt/") + unter);
        const bool altDa = QFileInfo::exists(alt);
        fehlt = fehlt || (altDa && !QFileInfo::exists(ziel));
        getauscht = getauscht || altDa;
        stehtGanz = stehtGanz && haeltAlle(ziel, dateien);
        altGanz = altGanz && haeltAlle(altDa ? alt : ziel, dateien);
    }
    if (fehlt || (altGanz && (!stehtGanz || getauscht)))
        return true;
    if (stehtGanz)
        return false; // the update stored: the old ones lack some of its pictures
    return std::nullopt;
}

QStringList genannteBilder(const QSqlDatabase& cnKav)
{
    QStringList out;
    for (QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT DISTINCT BildDatei FROM LexikonBilder")); q.next();)
        out << q.value(0).toString();
    return out;
}

QString zurueckgelegtText(const Programmordner& ordner, const QStringList& zurueck)
{
    QStringList namen;
    for (const QString& z : zurueck)
        namen << QStringLiteral("„") + QDir::toNativeSeparators(QDir(ordner.basis).relativeFilePath(z)) + QStringLiteral("“");
    return QStringLiteral("Eine Aktualisierung der Bilder des Lexikons war unterbrochen worden. Die Bilder von vorher "
                          "wurden wieder an ihren Platz gelegt (%1); das Lexikon zeigt sie wie vor der Aktualisierung.")
        .arg(namen.join(QStringLiteral(" und ")));
}

} // namespace

Bildertausch::Bildertausch(Programmordner ordner, QString arbeit, Umbenennen umbenennen, Pruefpunkt pruefpunkt,
                           AufDieDisk aufDieDisk)
    : m_ordner(std::move(ordner))
    , m_arbeit(std::move(arbeit))
    , m_umbenennen(std::move(umbenennen))
    , m_pruefpunkt(std::move(pruefpunkt))
    , m_aufDieDisk(std::move(aufDieDisk))
{
}

Bildertausch::~Bildertausch()
{
    if (!m_fertig && zuruecklegen(m_ordner, m_arbeit, {}, nullptr, m_aufDieDisk))
        QFile::remove(QDir(m_arbeit).filePath(kMarke));
}

bool Bildertausch::umbenennen(const QString& von, const QString& nach)
{
    return (!m_umbenennen || m_umbenennen(von, nach)) && QDir().rename(von, nach);
}

Bildertausch::Ergebnis Bildertausch::tauschen(const QSqlDatabase& cnKav)
{
    const QDir arbeit(m_arbeit);
    // A number of this swap, different from the one Kav.KRN holds now: written in the update's
    // transaction, it is in Kav.KRN exactly when the update is. PRAGMA takes no bound value; the
    // number is the program's own.
    const qint64 vorher = nummerInKav(cnKav);
    qint64 nummer = 0;
    while (nummer == 0 || nummer == vorher)
        nummer = QRandomGenerator::global()->bounded(1, std::numeric_limits<qint32>::max());
    sql::exec(cnKav, QStringLiteral("PRAGMA user_version = %1").arg(nummer));

    schritt(m_pruefpunkt, u"Marke");
    // the mark's name in its folder, and that folder's own, on the disk before the first picture moves
    if (!markeSchreiben(arbeit.filePath(kMarke), nummer)
        || !aufDieDisk({m_arbeit, QFileInfo(m_arbeit).path()}, m_aufDieDisk)) {
        QFile::remove(arbeit.filePath(kMarke));
        return Ergebnis::MarkeNichtGeschrieben;
    }

    if (!arbeit.mkpath(QStringLiteral("alt")))
        return Ergebnis::NichtUmbenannt;
    for (const auto& [unter, ziel] : bilderOrdner(m_ordner)) {
        // a folder that is not there yet is made, so that undoing the swap always has one to put back
        if (!QDir().mkpath(ziel) || !umbenennen(ziel, arbeit.filePath(QStringLiteral("alt/") + unter))
            || !umbenennen(arbeit.filePath(unter), ziel))
            return Ergebnis::NichtUmbenannt;
    }
    // the folders as swapped on the disk before the commit can land
    return aufDieDisk(getauschteOrdner(m_ordner, m_arbeit), m_aufDieDisk) ? Ergebnis::Getauscht : Ergebnis::NichtUmbenannt;
}

void Bildertausch::fertig()
{
    m_fertig = true;
    schritt(m_pruefpunkt, u"Fertig");
    // the old folders first: while the mark is there, a start after a crash finishes their removal
    QDir(QDir(m_arbeit).filePath(QStringLiteral("alt"))).removeRecursively();
    QFile::remove(QDir(m_arbeit).filePath(kMarke));
}

bool bildertauschOffen(const QString& arbeit) { return QFileInfo::exists(QDir(arbeit).filePath(kMarke)); }

QString BildertauschBeenden(const Programmordner& ordner, const QSqlDatabase& cnKav, const Bildertausch::Pruefpunkt& pruefpunkt)
{
    const QDir lexikon(ordner.lexikon());
    const QStringList namen = lexikon.entryList({kAktualisierungsPraefix + QLatin1Char('*')},
                                                QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    QStringList texte;
    for (const QString& n : namen) {
        const QString arbeit = lexikon.filePath(n);
        if (bildertauschOffen(arbeit)) {
            qint64 nummer = 0;
            QStringList dateien;
            try {
                nummer = nummerInKav(cnKav);
                dateien = genannteBilder(cnKav);
            } catch (const sql::Error&) {
                break; // undecided: the next start decides
            }
            const qint64 marke = nummerDerMarke(arbeit);
            bool zurueck = marke != nummer;
            if (marke == 0) {
                const std::optional<bool> z = ohneMarkeZurueck(ordner, arbeit, dateien);
                if (!z)
                    continue; // neither set is whole: left as it is for the next start
                zurueck = *z;
            }
            QStringList zurueckgelegt;
            if (zurueck && !zuruecklegen(ordner, arbeit, pruefpunkt, &zurueckgelegt))
                continue;
            if (marke == 0 && !zurueckgelegt.isEmpty())
                texte << zurueckgelegtText(ordner, zurueckgelegt);
            schritt(pruefpunkt, u"Marke");
            QFile::remove(QDir(arbeit).filePath(kMarke));
        }
        // what no mark needs: also the pictures of a fetch cut short
        schritt(pruefpunkt, u"Entfernen");
        QDir(arbeit).removeRecursively();
    }
    return texte.join(QStringLiteral("\n\n"));
}

} // namespace kav

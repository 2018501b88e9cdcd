#include "services/bildertausch.h"

#include "services/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QVector>

#include <limits>
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
    QFile f(QDir(arbeit).filePath(kMarke));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

// Puts the old folders of `arbeit` back in place; the new ones return to the staging folder.
bool zuruecklegen(const Programmordner& ordner, const QString& arbeit)
{
    const QDir a(arbeit);
    bool ok = true;
    for (const auto& [unter, ziel] : bilderOrdner(ordner)) {
        const QString alt = a.filePath(QStringLiteral("alt/") + unter);
        if (!QFileInfo::exists(alt))
            continue; // never moved: the old folder is in place
        if (QFileInfo::exists(ziel) && !QDir().rename(ziel, a.filePath(unter)))
            ok = false;
        else if (!QDir().rename(alt, ziel))
            ok = false;
    }
    return ok;
}

} // namespace

Bildertausch::Bildertausch(Programmordner ordner, QString arbeit, Umbenennen umbenennen, Pruefpunkt pruefpunkt)
    : m_ordner(std::move(ordner))
    , m_arbeit(std::move(arbeit))
    , m_umbenennen(std::move(umbenennen))
    , m_pruefpunkt(std::move(pruefpunkt))
{
}

Bildertausch::~Bildertausch()
{
    if (!m_fertig && zuruecklegen(m_ordner, m_arbeit))
        QFile::remove(QDir(m_arbeit).filePath(kMarke));
}

bool Bildertausch::umbenennen(const QString& von, const QString& nach)
{
    return (!m_umbenennen || m_umbenennen(von, nach)) && QDir().rename(von, nach);
}

bool Bildertausch::tauschen(const QSqlDatabase& cnKav)
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

    if (m_pruefpunkt)
        m_pruefpunkt(u"Marke");
    QSaveFile marke(arbeit.filePath(kMarke));
    if (!marke.open(QIODevice::WriteOnly) || marke.write(QByteArray::number(nummer)) < 0 || !marke.commit())
        return false;

    if (!arbeit.mkpath(QStringLiteral("alt")))
        return false;
    for (const auto& [unter, ziel] : bilderOrdner(m_ordner)) {
        // a folder that is not there yet is made, so that undoing the swap always has one to put back
        if (!QDir().mkpath(ziel) || !umbenennen(ziel, arbeit.filePath(QStringLiteral("alt/") + unter))
            || !umbenennen(arbeit.filePath(unter), ziel))
            return false;
    }
    return true;
}

void Bildertausch::fertig()
{
    m_fertig = true;
    if (m_pruefpunkt)
        m_pruefpunkt(u"Fertig");
    // the old folders first: while the mark is there, a start after a crash finishes their removal
    QDir(QDir(m_arbeit).filePath(QStringLiteral("alt"))).removeRecursively();
    QFile::remove(QDir(m_arbeit).filePath(kMarke));
}

bool bildertauschOffen(const QString& arbeit) { return QFileInfo::exists(QDir(arbeit).filePath(kMarke)); }

void BildertauschBeenden(const Programmordner& ordner, const QSqlDatabase& cnKav)
{
    const QDir lexikon(ordner.lexikon());
    const QStringList namen = lexikon.entryList({kAktualisierungsPraefix + QLatin1Char('*')},
                                                QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& n : namen) {
        const QString arbeit = lexikon.filePath(n);
        if (!bildertauschOffen(arbeit))
            continue; // a fetch that never reached the swap: the next update removes it
        qint64 nummer = 0;
        try {
            nummer = nummerInKav(cnKav);
        } catch (const sql::Error&) {
            return; // undecided: the next start decides
        }
        const qint64 marke = nummerDerMarke(arbeit);
        if (marke == 0)
            continue; // a mark without its number decides nothing: the next start reads it again
        if (marke != nummer && !zuruecklegen(ordner, arbeit))
            continue;
        QFile::remove(QDir(arbeit).filePath(kMarke));
        QDir(arbeit).removeRecursively();
    }
}

} // namespace kav

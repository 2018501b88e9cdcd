#include "platform/localdatabase.h"

#include "platform/dateisystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUuid>

#include <cerrno>

namespace kav {

namespace {

bool runCheck(QSqlDatabase& db, const QStringList& expectedTables, const ExpectedColumns& expectedColumns, QString* why,
              bool* busy)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
        if (why) *why = q.lastError().text();
        // SQLITE_BUSY, SQLITE_LOCKED: another connection holds the file past the wait, which says
        // nothing of its soundness
        const QString code = q.lastError().nativeErrorCode();
        if (busy) *busy = code == QLatin1String("5") || code == QLatin1String("6");
        return false;
    }
    if (!q.next() || q.value(0).toString() != QLatin1String("ok")) {
        if (why) *why = QStringLiteral("Die Datei ist beschädigt: ") + q.value(0).toString();
        return false;
    }
    q.finish();
    const QStringList present = db.tables();
    for (const QString& t : expectedTables) {
        if (!present.contains(t, Qt::CaseInsensitive)) {
            if (why) *why = QStringLiteral("Tabelle %1 fehlt").arg(t);
            return false;
        }
    }
    for (auto it = expectedColumns.begin(); it != expectedColumns.end(); ++it) {
        QStringList columns;
        QSqlQuery info(db);
        // the table name comes from the program's own schema, never from a file
        if (info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(it.key())))
            while (info.next())
                columns << info.value(1).toString();
        for (const QString& c : it.value()) {
            if (!columns.contains(c, Qt::CaseInsensitive)) {
                if (why) *why = QStringLiteral("Spalte %1 der Tabelle %2 fehlt").arg(c, it.key());
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool LocalDatabase::check(const QString& path, const QStringList& expectedTables, QString* why,
                          const ExpectedColumns& expectedColumns)
{
    return pruefen(path, expectedTables, expectedColumns, why, nullptr);
}

bool LocalDatabase::pruefen(const QString& path, const QStringList& expectedTables,
                            const ExpectedColumns& expectedColumns, QString* why, bool* busy)
{
    if (busy) *busy = false;
    if (Dateisystem::art(path) == Dateisystem::Art::Fehlt) {
        if (why) *why = QStringLiteral("Die Datei fehlt");
        return false;
    }
    // a link is not followed, and what cannot be read is not judged
    if (fileFault(path) != FileFault::None) {
        if (why) *why = QStringLiteral("%1 ist keine Datei, die das Programm lesen kann").arg(path);
        return false;
    }
    if (const QString fremd = foreignCompanion(path); !fremd.isEmpty()) {
        if (why) *why = QStringLiteral("%1 ist keine lesbare Datei").arg(fremd);
        return false;
    }
    const QString name = QStringLiteral("kav_check_") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        // Read-write: a hot journal left by a write that never finished (a crash, a killed
        // process) is rolled back by SQLite on the first read. Read-only it cannot be, and the
        // file would be taken as damaged while it holds every committed row.
        if (!db.open()) {
            if (why) *why = db.lastError().text();
        } else {
            ok = runCheck(db, expectedTables, expectedColumns, why, busy);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QStringList LocalDatabase::companions(const QString& path)
{
    return {path + QStringLiteral("-journal"), path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

LocalDatabase::FileFault LocalDatabase::fileFault(const QString& path)
{
    switch (Dateisystem::art(path)) {
    case Dateisystem::Art::Fehlt:
        return FileFault::None;
    case Dateisystem::Art::Datei:
        if (const int fehler = Dateisystem::lesbar(path); fehler != 0)
            return fehler == EACCES || fehler == EPERM ? FileFault::NoReadRight
                   : fehler == ELOOP                   ? FileFault::Link // put in since the look before
                                                       : FileFault::Unreadable;
        return FileFault::None;
    case Dateisystem::Art::Verknuepfung:
        return FileFault::Link;
    case Dateisystem::Art::Ordner:
    case Dateisystem::Art::KeineDatei:
        break;
    }
    return FileFault::NotAFile;
}

QString LocalDatabase::foreignCompanion(const QString& path, FileFault* fault)
{
    for (const QString& c : companions(path)) {
        if (const FileFault f = fileFault(c); f != FileFault::None) {
            if (fault) *fault = f;
            return c;
        }
    }
    if (fault) *fault = FileFault::None;
    return {};
}

QStringList LocalDatabase::fixedCompanions(const QString& path)
{
    QStringList out;
    for (const QString& c : companions(path))
        if (Dateisystem::art(c) == Dateisystem::Art::Datei && fileFault(c) == FileFault::None && !Dateisystem::aenderbar(c))
            out << c;
    return out;
}

QStringList LocalDatabase::notWritable(const QString& path)
{
    QStringList out;
    const QFileInfo fi(path);
    QTemporaryFile probe(fi.absolutePath() + QStringLiteral("/.kav-schreibprobe-XXXXXX"));
    if (!probe.open())
        out << QStringLiteral("folder");
    QFile file(path);
    if (fi.exists() && !file.open(QIODevice::ReadWrite))
        out << QStringLiteral("file");
    return out;
}

bool LocalDatabase::whileWriteLocked(const QString& path, const std::function<void()>& action)
{
    const QString name = QStringLiteral("kav_lock_") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0")); // a held lock answers at once
        if (Dateisystem::art(path) == Dateisystem::Art::Datei && foreignCompanion(path).isEmpty() && db.open()) {
            QSqlQuery q(db);
            // RESERVED: SQLite's lock of a writer, held by any open write transaction
            ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            if (ok) {
                action();
                q.exec(QStringLiteral("ROLLBACK"));
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

LocalDatabase::LocalDatabase(QString connectionName, QStringList expectedTables, ExpectedColumns expectedColumns)
    : m_connectionName(std::move(connectionName)), m_expectedTables(std::move(expectedTables)),
      m_expectedColumns(std::move(expectedColumns))
{
}

LocalDatabase::~LocalDatabase() { close(); }

bool LocalDatabase::open(const QString& path, QString* why)
{
    close();
    m_path = path;
    if (!pruefen(path, m_expectedTables, m_expectedColumns, why, &m_busy))
        return false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        if (why) *why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        return false;
    }
    return true;
}

void LocalDatabase::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool LocalDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase LocalDatabase::db() const { return QSqlDatabase::database(m_connectionName, false); }

} // namespace kav

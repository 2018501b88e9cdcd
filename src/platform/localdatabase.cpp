#include "platform/localdatabase.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace kav {

namespace {

bool runCheck(QSqlDatabase& db, const QStringList& expectedTables, QString* why)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
        if (why) *why = q.lastError().text();
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
    return true;
}

} // namespace

bool LocalDatabase::check(const QString& path, const QStringList& expectedTables, QString* why)
{
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        if (why) *why = QStringLiteral("Die Datei fehlt");
        return false;
    }
    const QString name = QStringLiteral("kav_check_") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            if (why) *why = db.lastError().text();
        } else {
            ok = runCheck(db, expectedTables, why);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

LocalDatabase::LocalDatabase(QString connectionName, QStringList expectedTables)
    : m_connectionName(std::move(connectionName)), m_expectedTables(std::move(expectedTables))
{
}

LocalDatabase::~LocalDatabase() { close(); }

bool LocalDatabase::open(const QString& path, QString* why)
{
    close();
    m_path = path;
    if (!check(path, m_expectedTables, why))
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

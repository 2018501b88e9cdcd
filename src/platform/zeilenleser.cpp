#include "platform/zeilenleser.h"

#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace kav {

namespace {

// SQLite's handle of an open connection of the SQLite driver, else nullptr.
sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

} // namespace

ZeilenLeser::ZeilenLeser(const QSqlDatabase& db, const QString& anweisung)
{
    if (sqlite3* h = sqliteHandle(db)) {
        const QByteArray text = anweisung.toUtf8();
        if (sqlite3_prepare_v2(h, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr) != SQLITE_OK) {
            m_fehler = QString::fromUtf8(sqlite3_errmsg(h));
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
        }
        return;
    }
    m_query.emplace(db);
    m_query->setForwardOnly(true);
    if (!m_query->exec(anweisung))
        m_fehler = m_query->lastError().text();
}

ZeilenLeser::~ZeilenLeser() { sqlite3_finalize(m_stmt); }

bool ZeilenLeser::next()
{
    if (!m_fehler.isEmpty())
        return false;
    if (m_query)
        return m_query->next();
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_fehler = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
    return false;
}

QString ZeilenLeser::text(int spalte) const
{
    if (m_query)
        return m_query->value(spalte).toString();
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, spalte));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(m_stmt, spalte)) : QString();
}

qint64 ZeilenLeser::ganz(int spalte) const
{
    if (m_query)
        return m_query->value(spalte).toLongLong();
    return sqlite3_column_int64(m_stmt, spalte);
}

} // namespace kav

#include "services/sql.h"

#include <QRegularExpression>
#include <QSqlError>

namespace kav::sql {

QSqlQuery exec(const QSqlDatabase& db, const QString& statement, const QVariantList& params)
{
    QSqlQuery q(db);
    if (!q.prepare(statement))
        throw Error(q.lastError().text() + QStringLiteral(" [") + statement + QLatin1Char(']'));
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw Error(q.lastError().text() + QStringLiteral(" [") + statement + QLatin1Char(']'));
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& statement, const QVariantList& params)
{
    QSqlQuery q = exec(db, statement, params);
    if (!q.next())
        return {};
    return q.value(0);
}

bool isPlainIdentifier(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(name).hasMatch();
}

Transaction::Transaction(const QSqlDatabase& db) : m_db(db)
{
    if (!m_db.transaction())
        throw Error(QStringLiteral("Transaktion konnte nicht begonnen werden: ") + m_db.lastError().text());
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_open)
        return;
    if (!m_db.commit()) {
        const QString why = m_db.lastError().text();
        m_db.rollback();
        m_open = false;
        throw Error(QStringLiteral("Änderungen konnten nicht gespeichert werden: ") + why);
    }
    m_open = false;
}

} // namespace kav::sql

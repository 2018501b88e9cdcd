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

bool zeileSchreiben(const QSqlDatabase& db, const QString& tabelle, const QStringList& schluesselSpalten,
                    const QVariantList& schluessel, const QStringList& wertSpalten, const QVariantList& werte,
                    const std::function<void(QStringView)>& vorher)
{
    for (const QStringList& namen : {QStringList{tabelle}, schluesselSpalten, wertSpalten})
        for (const QString& n : namen)
            if (!isPlainIdentifier(n))
                throw Error(QStringLiteral("Ungültiger Name: ") + n);
    const auto gleich = [](const QStringList& spalten, const QString& trenner) {
        QStringList t;
        for (const QString& s : spalten)
            t << s + QStringLiteral(" = ?");
        return t.join(trenner);
    };
    const QString wo = gleich(schluesselSpalten, QStringLiteral(" AND "));
    const bool vorhanden =
        scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(tabelle, wo), schluessel).toLongLong() > 0;
    if (vorher)
        vorher(vorhanden ? u"Aktualisieren" : u"Einfuegen");
    if (vorhanden) {
        exec(db, QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(tabelle, gleich(wertSpalten, QStringLiteral(", ")), wo),
             werte + schluessel);
    } else {
        const QStringList alle = schluesselSpalten + wertSpalten;
        exec(db,
             QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(tabelle, alle.join(QStringLiteral(", ")),
                      QStringList(alle.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
             schluessel + werte);
    }
    return vorhanden;
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

#include "plan/planangaben.h"

#include "services/flaechenname.h"
#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

namespace {

std::optional<QString> text(const QSqlDatabase& db, const QString& statement, const QString& schluessel)
{
    QSqlQuery q = sql::exec(db, statement, {schluessel});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

} // namespace

std::optional<QString> SqlPlanAngaben::flaechenName(const QString& flaechenNr) const
{
    return flaechenNameLesen(m_daten, flaechenNr);
}

std::optional<QString> SqlPlanAngaben::analysenDatum(const QString& analysenNr) const
{
    return text(m_daten, QStringLiteral("SELECT Datum FROM AnalysenID WHERE AnalysenNr = ?"), analysenNr);
}

std::optional<QString> SqlPlanAngaben::orgSubName(const QString& orgSubNr) const
{
    return text(m_kav, QStringLiteral("SELECT Bezeichnung FROM OrgSubID WHERE OrgSubNr = ?"), orgSubNr);
}

} // namespace kav

#include "services/flaechenname.h"

#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

std::optional<QString> flaechenNameLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr)
{
    QSqlQuery q = sql::exec(cnDaten, QStringLiteral("SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = ?"), {flaechenNr});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

} // namespace kav

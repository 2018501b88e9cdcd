#include "services/recordids.h"

#include "platform/clock.h"
#include "services/sql.h"

namespace kav {

QString naechsteNummer(const QSqlDatabase& db, const QString& tabelle, const QString& spalte,
                       const QString& praefix)
{
    if (!sql::isPlainIdentifier(tabelle) || !sql::isPlainIdentifier(spalte))
        throw sql::Error(QStringLiteral("Ungültiger Tabellenname"));
    const QString stmt =
        QStringLiteral("SELECT MAX(CAST(SUBSTR(%2, %3) AS INTEGER)) FROM %1 "
                       "WHERE SUBSTR(%2, 1, %3 - 1) = ? COLLATE NOCASE "
                       "AND SUBSTR(%2, %3) GLOB '[0-9]*'")
            .arg(tabelle, spalte)
            .arg(praefix.size() + 1);
    const QVariant max = sql::scalar(db, stmt, {praefix});
    if (max.isNull() || !max.isValid())
        return praefix + QStringLiteral("1000");
    return praefix + QString::number(max.toLongLong() + 1);
}

QString neueZeilenId(const Clock& uhr, RandomSource& zufall)
{
    QString id = uhr.now().toString(QStringLiteral("ddMMyyyyhhmmss"));
    for (int i = 0; i < 4; ++i)
        id += QChar(u'0' + zufall.bounded(10));
    return id;
}

} // namespace kav

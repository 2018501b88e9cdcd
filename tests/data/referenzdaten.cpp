#include "referenzdaten.h"

#include "services/sql.h"
#include "testhelpers.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace kav::test {

QSqlDatabase referenzKav()
{
    static const QString name = QStringLiteral("referenzdaten");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    static QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Kav.KRN"));
    referenzDatei(pfad);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(pfad);
    db.open();
    return db;
}

QVector<QVariantMap> zeilen(const QString& statement, const QVariantList& werte)
{
    QSqlQuery q = sql::exec(referenzKav(), statement, werte);
    QVector<QVariantMap> out;
    while (q.next()) {
        const QSqlRecord r = q.record();
        QVariantMap row;
        for (int i = 0; i < r.count(); ++i)
            row.insert(r.fieldName(i), r.value(i));
        out.push_back(row);
    }
    return out;
}

QString programmOrdner() { return qEnvironmentVariable("KAV_PROGRAM_DIR"); }

} // namespace kav::test

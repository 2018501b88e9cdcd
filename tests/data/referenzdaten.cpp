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
    // A crop is permanent by its key Ku1009, by a permanent-crop group as parent, or as a single member
    // of such a crop.
    const auto dauer = [](const char* t) {
        return QStringLiteral("(%1.KulturNr = 'Ku1009' OR %1.GruppierungNr IN (1003, 1004, 1005, 1006, 1008))").arg(QLatin1String(t));
    };
    sql::exec(db, QStringLiteral("CREATE TEMP VIEW gruppe AS SELECT * FROM KulturID WHERE Gliederungspunkt = 1"));
    sql::exec(db, QStringLiteral("CREATE TEMP VIEW kultur AS SELECT k.*, (%1 OR EXISTS (SELECT 1 FROM KulturID e "
                                 "WHERE e.KulturNr = 'Ku' || k.GruppierungNr AND e.Gliederungspunkt = 0 AND %2)) AS dauer "
                                 "FROM KulturID k WHERE k.Gliederungspunkt = 0 AND k.KulturNr <> 'Ku1090'")
                      .arg(dauer("k"), dauer("e")));
    sql::exec(db, QStringLiteral("CREATE TEMP VIEW planer AS SELECT * FROM kultur "
                                 "WHERE GruppierungNr IN (1007, 1008) OR KulturNr = 'Ku1009'"));
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

QStringList verstoesse(const QString& statement)
{
    QSqlQuery q = sql::exec(referenzKav(), statement);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

} // namespace kav::test

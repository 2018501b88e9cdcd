// A process that stops in the middle of a write transaction, so that a test can kill it there.
//   kav_schreibkind <Datei> flaechen <n>        adds plots with long names in one transaction
//   kav_schreibkind <Datei> aktualisierung <n>  rewrites every table of a reference file as a data
//                                               update does: emptied and filled again in the file's
//                                               order (fertilisers first), in one transaction
// After the n-th written row it prints "angehalten" and waits to be killed; it never commits.
// Its page cache holds a single page, so SQLite has already written changed pages into the file by
// then, as in any large transaction: only the (hot) journal can put the file back. With a fourth
// argument "im-speicher" it keeps SQLite's own cache: early in the transaction the changed pages are
// all still in memory, the file is untouched and the journal has no header yet. With "festschreiben"
// it does not wait to be killed: at a line on its input it commits and prints "festgeschrieben".
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantList>

#include <cstdio>
#include <unistd.h>

namespace {

int g_geschrieben = 0;
int g_halt = 0;
bool g_festschreiben = false;

// False once the transaction is to be committed.
bool geschrieben()
{
    if (++g_geschrieben < g_halt)
        return true;
    std::fputs("angehalten\n", stdout);
    std::fflush(stdout);
    if (g_festschreiben) {
        std::getchar();
        return false;
    }
    for (;;)
        pause();
}

bool ausfuehren(QSqlQuery& q)
{
    if (q.exec())
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
    return false;
}

int flaechen(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, ?)"));
    for (int i = 0;; ++i) {
        q.bindValue(0, QStringLiteral("Fl%1").arg(50000 + i));
        q.bindValue(1, QStringLiteral("Beet %1 ").arg(i).repeated(40));
        if (!ausfuehren(q))
            return 1;
        if (!geschrieben())
            return 0;
    }
}

int aktualisierung(const QSqlDatabase& db)
{
    QStringList tabellen;
    QSqlQuery namen(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                                   "ORDER BY rowid"),
                    db);
    while (namen.next())
        tabellen << namen.value(0).toString();
    for (const QString& t : tabellen) {
        // the table names come from the file's own catalogue
        QSqlQuery lesen(QStringLiteral("SELECT * FROM \"%1\"").arg(t), db);
        QVector<QVariantList> zeilen;
        const int spalten = lesen.record().count();
        while (lesen.next()) {
            QVariantList z;
            for (int i = 0; i < spalten; ++i)
                z << lesen.value(i);
            zeilen << z;
        }
        QSqlQuery q(db);
        q.prepare(QStringLiteral("DELETE FROM \"%1\"").arg(t));
        if (!ausfuehren(q))
            return 1;
        if (!geschrieben())
            return 0;
        QStringList marken;
        for (int i = 0; i < spalten; ++i)
            marken << QStringLiteral("?");
        q.prepare(QStringLiteral("INSERT INTO \"%1\" VALUES (%2)").arg(t, marken.join(QLatin1Char(','))));
        for (const QVariantList& z : zeilen) {
            for (int i = 0; i < z.size(); ++i)
                q.bindValue(i, z[i]);
            if (!ausfuehren(q))
                return 1;
            if (!geschrieben())
                return 0;
        }
    }
    std::fputs("zu wenige Schreibvorgaenge\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList schalter = args.mid(4);
    for (const QString& s : schalter)
        if (s != QLatin1String("im-speicher") && s != QLatin1String("festschreiben"))
            return 64;
    if (args.size() < 4)
        return 64;
    g_halt = args[3].toInt();
    g_festschreiben = schalter.contains(QStringLiteral("festschreiben"));
    int rc = 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kind"));
        db.setDatabaseName(args[1]);
        if (db.open()) {
            if (!schalter.contains(QStringLiteral("im-speicher")))
                QSqlQuery(QStringLiteral("PRAGMA cache_size = 1"), db);
            if (db.transaction())
                rc = args[2] == QLatin1String("flaechen") ? flaechen(db) : aktualisierung(db);
            if (rc == 0 && !db.commit()) {
                std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
                rc = 3;
            }
            if (rc == 0)
                std::puts("festgeschrieben");
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("kind"));
    return rc;
}

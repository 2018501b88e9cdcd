#include "platform/localdatabase.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

TEST(LocalDatabase, PruefungErkenntSchadenWirklich)
{
    QTemporaryDir dir;
    const QStringList tabellen = schemaTabellen(Datenbankdatei::Daten);
    const QString gut = dir.filePath("gut.KRN");
    ASSERT_NO_FATAL_FAILURE(test::leereDatei(gut, Datenbankdatei::Daten));
    QString why;
    EXPECT_TRUE(LocalDatabase::check(gut, tabellen, &why)) << why.toStdString();

    QFile f(gut);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray ganz = f.readAll();
    ASSERT_NO_FATAL_FAILURE(test::leereDatei(dir.filePath("falsch.KRN"), Datenbankdatei::Kav)); // the other schema
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("leer.KRN"), {}));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("muell.KRN"), QByteArray(4096, 'x')));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("halb.KRN"), ganz.left(ganz.size() / 2))); // a good file cut in half
    // a good file with its last page overwritten: every table is still listed
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("seite.KRN"), ganz.left(ganz.size() - 4096) + QByteArray(4096, 'x')));
    for (const char* name : {"fehlt.KRN", "leer.KRN", "muell.KRN", "falsch.KRN", "halb.KRN", "seite.KRN"})
        EXPECT_FALSE(LocalDatabase::check(dir.filePath(name), tabellen, &why)) << name;
    EXPECT_FALSE(QFile::exists(dir.filePath("fehlt.KRN"))); // the check creates nothing
    LocalDatabase::check(dir.filePath("falsch.KRN"), tabellen, &why);
    EXPECT_TRUE(why.contains("fehlt"));

    // every table there, one lacking a column: only the check of the columns finds it
    const QString spalte = dir.filePath("spalte.KRN");
    ASSERT_NO_FATAL_FAILURE(test::leereDatei(spalte, Datenbankdatei::Daten));
    {
        LocalDatabase d("cnSpalte", tabellen);
        ASSERT_TRUE(d.open(spalte));
        sql::exec(d.db(), "ALTER TABLE FlaechenID DROP COLUMN Bezeichnung");
    }
    const ExpectedColumns spalten = schemaSpalten(Datenbankdatei::Daten);
    EXPECT_TRUE(LocalDatabase::check(spalte, tabellen));
    EXPECT_FALSE(LocalDatabase::check(spalte, tabellen, &why, spalten));
    EXPECT_EQ(why, "Spalte Bezeichnung der Tabelle FlaechenID fehlt");
    EXPECT_TRUE(LocalDatabase::check(gut, tabellen, &why, spalten)) << why.toStdString();
}

TEST(LocalDatabase, OeffnenSchliessenUndBenannteVerbindung)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten));
    LocalDatabase db("cnTest", schemaTabellen(Datenbankdatei::Daten));
    EXPECT_FALSE(db.open(dir.filePath("nichtda.KRN")));
    EXPECT_FALSE(db.isOpen());
    ASSERT_TRUE(db.open(dir.filePath("Daten.KRN")));
    EXPECT_TRUE(QSqlDatabase::database("cnTest", false).isOpen());
    sql::exec(db.db(), "INSERT INTO Nmin (FlaechenNr, Nmin) VALUES (?, ?)", {"Fl1000", 12.5});
    db.close();
    EXPECT_FALSE(QSqlDatabase::contains("cnTest"));
}

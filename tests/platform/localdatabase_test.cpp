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
    QString why;

    EXPECT_FALSE(LocalDatabase::check(dir.filePath("fehlt.KRN"), tabellen, &why));
    EXPECT_FALSE(QFile::exists(dir.filePath("fehlt.KRN"))); // the check creates nothing

    test::schreibeDatei(dir.filePath("leer.KRN"), {});
    EXPECT_FALSE(LocalDatabase::check(dir.filePath("leer.KRN"), tabellen, &why));

    test::schreibeDatei(dir.filePath("muell.KRN"), QByteArray(4096, 'x'));
    EXPECT_FALSE(LocalDatabase::check(dir.filePath("muell.KRN"), tabellen, &why));

    test::leereDatei(dir.filePath("falsch.KRN"), Datenbankdatei::Kav); // the other schema
    EXPECT_FALSE(LocalDatabase::check(dir.filePath("falsch.KRN"), tabellen, &why));
    EXPECT_TRUE(why.contains("fehlt"));

    test::leereDatei(dir.filePath("gut.KRN"), Datenbankdatei::Daten);
    EXPECT_TRUE(LocalDatabase::check(dir.filePath("gut.KRN"), tabellen, &why)) << why.toStdString();

    // a good file cut in half
    QFile gut(dir.filePath("gut.KRN"));
    ASSERT_TRUE(gut.open(QIODevice::ReadOnly));
    QByteArray halb = gut.readAll();
    halb.truncate(halb.size() / 2);
    test::schreibeDatei(dir.filePath("halb.KRN"), halb);
    EXPECT_FALSE(LocalDatabase::check(dir.filePath("halb.KRN"), tabellen, &why));
}

TEST(LocalDatabase, OeffnenSchliessenUndBenannteVerbindung)
{
    QTemporaryDir dir;
    test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
    LocalDatabase db("cnTest", schemaTabellen(Datenbankdatei::Daten));
    EXPECT_FALSE(db.open(dir.filePath("nichtda.KRN")));
    EXPECT_FALSE(db.isOpen());
    ASSERT_TRUE(db.open(dir.filePath("Daten.KRN")));
    EXPECT_TRUE(db.isOpen());
    EXPECT_TRUE(QSqlDatabase::database("cnTest", false).isOpen());
    sql::exec(db.db(), "INSERT INTO Nmin (FlaechenNr, Nmin) VALUES (?, ?)", {"Fl1000", 12.5});
    db.close();
    EXPECT_FALSE(QSqlDatabase::contains("cnTest"));
}

#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "services/recordids.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class Nummern : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
        ASSERT_TRUE(daten.open(dir.filePath("Daten.KRN")));
    }
    void flaeche(const QString& nr, const QString& name = QStringLiteral("Beet"))
    {
        sql::exec(daten.db(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, ?)", {nr, name});
    }
    QString naechste() { return naechsteNummer(daten.db(), "FlaechenID", "FlaechenNr", "Fl"); }

    QTemporaryDir dir;
    LocalDatabase daten{"test_daten", schemaTabellen(Datenbankdatei::Daten)};
};

} // namespace

TEST_F(Nummern, ErsteNummerUndFolgenummern)
{
    EXPECT_EQ(naechste(), "Fl1000");
    flaeche("Fl1000");
    EXPECT_EQ(naechste(), "Fl1001");
    flaeche("Fl1009");
    EXPECT_EQ(naechste(), "Fl1010");
}

TEST_F(Nummern, UeberNeuntausendNeunhundertNeunundneunzigHinausOhneWiederholung)
{
    flaeche("Fl9999");
    EXPECT_EQ(naechste(), "Fl10000");
    flaeche("Fl10000");
    EXPECT_EQ(naechste(), "Fl10001"); // by text order "Fl9999" would come last and repeat Fl10000
}

TEST_F(Nummern, AndereVorsilbenUndUnzahlenZaehlenNicht)
{
    flaeche("Fl1003");
    flaeche("An5000");
    flaeche("Flxyz");
    EXPECT_EQ(naechste(), "Fl1004");
    EXPECT_EQ(naechsteNummer(daten.db(), "AnalysenID", "AnalysenNr", "An"), "An1000");
    EXPECT_THROW(naechsteNummer(daten.db(), "FlaechenID; DROP TABLE x", "FlaechenNr", "Fl"), sql::Error);
}

TEST_F(Nummern, HochkommaImNamenUndIsoDaten)
{
    flaeche("Fl1000", "Omas 'Rosen' Beet");
    EXPECT_EQ(sql::scalar(daten.db(), "SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = ?", {"Fl1000"}).toString(),
              "Omas 'Rosen' Beet");
    const char* daten_[] = {"2024-11-03", "2023-12-31", "2024-02-01"};
    int n = 1000;
    for (const char* d : daten_)
        sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES (?, ?)",
                  {QString("An%1").arg(n++), QString(d)});
    QSqlQuery q = sql::exec(daten.db(), "SELECT Datum FROM AnalysenID ORDER BY Datum DESC");
    QStringList reihe;
    while (q.next())
        reihe << q.value(0).toString();
    EXPECT_EQ(reihe, QStringList({"2024-11-03", "2024-02-01", "2023-12-31"}));
    EXPECT_EQ(sql::scalar(daten.db(), "SELECT AnalysenNr FROM AnalysenID WHERE Datum = ?",
                          {QDate(2024, 2, 1).toString(Qt::ISODate)}).toString(), "An1002");
}

TEST(ZeilenId, ZeitstempelUndVierZufallsziffern)
{
    FixedClock uhr(QDateTime(QDate(2026, 12, 6), QTime(21, 30, 5)));
    RandomSource a(1), b(2);
    const QString x = neueZeilenId(uhr, a);
    EXPECT_EQ(x.size(), 18);
    EXPECT_TRUE(x.startsWith("06122026213005"));
    EXPECT_TRUE(QRegularExpression("^[0-9]{18}$").match(x).hasMatch());
    // different seeds give different digits over a few draws
    QStringList ausA, ausB;
    for (int i = 0; i < 5; ++i) {
        ausA << neueZeilenId(uhr, a).right(4);
        ausB << neueZeilenId(uhr, b).right(4);
    }
    EXPECT_NE(ausA, ausB);
}

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
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten));
        ASSERT_TRUE(daten.open(dir.filePath("Daten.KRN")));
    }
    void flaeche(const QString& nr, const QString& name = QStringLiteral("Beet"))
    {
        sql::exec(daten.db(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, ?)", {nr, name});
    }

    QTemporaryDir dir;
    LocalDatabase daten{"test_daten", schemaTabellen(Datenbankdatei::Daten)};
};

} // namespace

TEST_F(Nummern, GroessteZahlPlusEinsOhneWiederholung)
{
    const struct { QStringList vorhanden; const char* naechste; } faelle[] = {
        {{}, "Fl1000"},
        {{"Fl1000"}, "Fl1001"},
        {{"Fl1000", "Fl1009"}, "Fl1010"},
        {{"Fl9999"}, "Fl10000"},
        {{"Fl9999", "Fl10000"}, "Fl10001"}, // by text order "Fl9999" would come last and repeat Fl10000
        {{"Fl1003", "An5000", "Flxyz"}, "Fl1004"}, // other prefixes and non-numbers do not count
    };
    for (const auto& f : faelle) {
        sql::exec(daten.db(), "DELETE FROM FlaechenID");
        for (const QString& nr : f.vorhanden)
            flaeche(nr);
        EXPECT_EQ(naechsteNummer(daten.db(), "FlaechenID", "FlaechenNr", "Fl"), f.naechste) << f.vorhanden.join(" ").toStdString();
    }
    EXPECT_EQ(naechsteNummer(daten.db(), "AnalysenID", "AnalysenNr", "An"), "An1000");
    EXPECT_THROW(naechsteNummer(daten.db(), "FlaechenID; DROP TABLE x", "FlaechenNr", "Fl"), sql::Error);
}

TEST_F(Nummern, HochkommaImNamenUndIsoDaten)
{
    flaeche("Fl1000", "Omas 'Rosen' Beet");
    EXPECT_EQ(sql::scalar(daten.db(), "SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = ?", {"Fl1000"}).toString(),
              "Omas 'Rosen' Beet");
    int n = 1000;
    for (const char* d : {"2024-11-03", "2023-12-31", "2024-02-01"})
        sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES (?, ?)", {QString("An%1").arg(n++), QString(d)});
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
    EXPECT_TRUE(QRegularExpression("^06122026213005[0-9]{4}$").match(neueZeilenId(uhr, a)).hasMatch());
    // different seeds give different digits over a few draws
    QStringList ausA, ausB;
    for (int i = 0; i < 5; ++i) {
        ausA << neueZeilenId(uhr, a).right(4);
        ausB << neueZeilenId(uhr, b).right(4);
    }
    EXPECT_NE(ausA, ausB);
}

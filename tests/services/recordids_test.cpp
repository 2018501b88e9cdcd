#include "platform/localdatabase.h"
#include "services/recordids.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

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

// The next number of a key column; the row ids are checked where rows are written (flaechendaten_test).
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

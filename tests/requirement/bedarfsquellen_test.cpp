#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/bedarf.h"
#include "requirement/duengerliste.h"
#include "requirement/kalkbedarf.h"
#include "requirement/mischkultur.h"
#include "requirement/restbedarf.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kav;

namespace {

// Both database files with the schema and a few rows of our own.
class Dateien : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::leereDatei(dir.filePath("Kav.KRN"), Datenbankdatei::Kav);
        test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
        ASSERT_TRUE(kav.open(dir.filePath("Kav.KRN")));
        ASSERT_TRUE(daten.open(dir.filePath("Daten.KRN")));

        kultur("Ku1010", "Kohlrabi", 70, 0, 4, 8, 1, 15, 0.4, 0.3, 0.3, 1.5, 4, 0.8);
        kultur("Ku1020", "Salat", 84, 0, 4, 8, 1, 20, 0.4, 0.3, 0.3, 2, 4, 1);
        sql::exec(kav.db(), "INSERT INTO KulturID (KulturNr, Bezeichnung) VALUES ('Ku1030', 'Leer')");
        abstand("Ku1010", 30);
        abstand("Ku1020", 30);
        sql::exec(kav.db(), "INSERT INTO Reihenabstand (KulturID, Reihenabstand) VALUES ('Ku1030', NULL)");
        sql::exec(kav.db(), "INSERT INTO Kalkbedarf (Bodenart, OS, pH, CaO) VALUES (2, 1, 45, 125), (2, 1, 50, NULL)");
        sql::exec(kav.db(),
                  "INSERT INTO DuengerID (DuengerNr, Typ, Eingabe, Bezeichnung, N, P2O5, K2O, Mg) VALUES "
                  "('Du1001', 'N', 'KRN', 'Hornspäne', 14, 0, 0, 0), ('Du1002', 'NPK', 'Nutzer', 'Volldünger', 10, 8, 12, 2)");
        sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, Mg, pH) VALUES "
                              "('An1000', 3, 15, 12, 12, 4.5), ('An1001', NULL, 9, 30, -1, 6.1)");
        quellen = std::make_unique<SqlQuellen>(kav.db(), daten.db());
    }
    void TearDown() override { quellen.reset(); }

    void kultur(const QString& nr, const QString& name, int tage, double gd, double kd1, double kd2, double ph,
                double n, double ngd, double nkd1, double nkd2, double p, double k, double mg)
    {
        sql::exec(kav.db(),
                  "INSERT INTO KulturID (KulturNr, Bezeichnung, GruppierungNr, Gliederungspunkt, AktuellerDatensatz, "
                  "Tage, TerminGD, TerminKD1, TerminKD2, ph, N, NGD, NKD1, NKD2, P2O5, K2O, Mg) "
                  "VALUES (?, ?, 1000, 1, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {nr, name, tage, gd, kd1, kd2, ph, n, ngd, nkd1, nkd2, p, k, mg});
    }
    void abstand(const QString& nr, double cm)
    {
        sql::exec(kav.db(), "INSERT INTO Reihenabstand (KulturID, Reihenabstand) VALUES (?, ?)", {nr, cm});
    }
    void planZeile(const QString& id, const QString& mkid, const QString& kultur, int start)
    {
        sql::exec(daten.db(),
                  "INSERT INTO MKEditor (ID, MKID, KulturID, Kultur, \"Left\", \"Top\", Farbe, Dauer, Start) "
                  "VALUES (?, ?, ?, ?, 0.2, 0.5, 255, 84, ?)",
                  {id, mkid, kultur, "Name " + kultur, start});
    }

    QTemporaryDir dir;
    LocalDatabase kav{"test_bedarf_kav", schemaTabellen(Datenbankdatei::Kav)};
    LocalDatabase daten{"test_bedarf_daten", schemaTabellen(Datenbankdatei::Daten)};
    std::unique_ptr<SqlQuellen> quellen;
};

TEST_F(Dateien, KulturZeileUndLeereFelder)
{
    const auto k = quellen->kulturen.kultur("ku1010"); // the key is compared without case
    ASSERT_TRUE(k);
    EXPECT_EQ(k->KulturNr, "Ku1010");
    EXPECT_EQ(k->Bezeichnung, "Kohlrabi");
    EXPECT_EQ(k->Tage, 70);
    EXPECT_EQ(k->TerminKD2, 8);
    EXPECT_DOUBLE_EQ(k->NKD1, 0.3);
    EXPECT_DOUBLE_EQ(k->Mg, 0.8);

    const auto leer = quellen->kulturen.kultur("Ku1030");
    ASSERT_TRUE(leer);
    EXPECT_EQ(leer->Tage, 0);
    EXPECT_EQ(leer->N, 0);

    EXPECT_FALSE(quellen->kulturen.kultur("Ku9999"));
    EXPECT_FALSE(quellen->kulturen.kultur("x' OR '1'='1"));
}

TEST_F(Dateien, ReihenabstandKalkDuengerAnalyse)
{
    EXPECT_EQ(quellen->reihenabstaende.reihenabstand("Ku1010"), 30.0);
    EXPECT_FALSE(quellen->reihenabstaende.reihenabstand("Ku1030")); // empty value
    EXPECT_FALSE(quellen->reihenabstaende.reihenabstand("Ku9999"));

    EXPECT_EQ(quellen->kalkbedarf.cao(2, 1, 45), 125.0);
    EXPECT_FALSE(quellen->kalkbedarf.cao(2, 1, 50));
    EXPECT_FALSE(quellen->kalkbedarf.cao(2, 1, 46));

    const auto d = quellen->duenger.gehalt("Du1002");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Bezeichnung, "Volldünger");
    EXPECT_EQ(d->Typ, "NPK");
    EXPECT_EQ(d->K2O, 12);
    EXPECT_FALSE(quellen->duenger.gehalt("Du1' --"));

    const auto a = quellen->analysen.analyse("An1001");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GesamtN, 0);
    EXPECT_EQ(a->P2O5, 9);
    EXPECT_FLOAT_EQ(a->pH, 6.1f);
    EXPECT_FALSE(quellen->analysen.analyse("An9999"));
}

TEST_F(Dateien, PlanzeilenNachStartwoche)
{
    planZeile("ID1", "IDplanA", "Ku1020", 20);
    planZeile("ID2", "IDplanA", "Ku1010", 12);
    planZeile("ID3", "IDplanB", "Ku1010", 5);
    planZeile("ID4", "IDplanA", "Ku1010", 20);
    const std::vector<PlanZeile> z = quellen->plaene.planZeilen("IDplanA");
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[0].ID, "ID2");
    EXPECT_EQ(z[1].ID, "ID1"); // equal starts in the order saved
    EXPECT_EQ(z[2].ID, "ID4");
    EXPECT_EQ(z[0].Start, 12);
    EXPECT_EQ(z[0].Kultur, "Name Ku1010");
    EXPECT_EQ(MischkulturStartwoche(quellen->plaene, "IDplanA"), 12);
    EXPECT_TRUE(quellen->plaene.planZeilen("IDplanC").empty());
}

// The whole road of one crop through the files: need, remaining need, lime, fertilisers, messages.
TEST_F(Dateien, EinzelkulturVonDerAnalyseBisZuDenMeldungen)
{
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktFlaechenNr = "Fl1000";
    s.strAktAnalysenNr = "An1000";
    s.strAktKulturNr = "Ku1010";
    s.intBodenart = 2;
    s.sngMg = 12;
    s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    FixedClock uhr(QDateTime(QDate(2029, 5, 1), QTime(8, 0)));

    BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen->bedarf(), uhr);
    RestbedarfBerechnen(s);
    EXPECT_NEAR(s.sngNachlieferungMinGD, 0.712857, 1e-5);
    EXPECT_NEAR(s.sngNSaldoGD, 6 - 2.5 - 0.712857, 1e-5);
    EXPECT_NEAR(s.sngNSaldoKD1, 4.5 - 0.825714, 1e-5);
    EXPECT_NEAR(s.sngNSaldoKD2, 4.5 - 0.42, 1e-5);
    EXPECT_FLOAT_EQ(s.sngPBedarf, 1.5f);
    EXPECT_FLOAT_EQ(s.sngKBedarf, 8); // heavy soil, 12 below 15

    KalkbedarfBerechnen(s, quellen->kalkbedarf);
    EXPECT_EQ(s.sngKalkBedarf, 450);

    DuengerlisteAnlegen(s);
    s.strAktDuengerNr = "Du1001";
    DuengerNaehrstoffeSummieren(s, 50.0f, quellen->duenger);
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 7);
    EXPECT_NEAR(s.sngNSaldo, 15 - 2.5 - 1.958571 - 7, 1e-5);

    Gebietsschema gebiet;
    gebiet.locale = QLocale(QLocale::German, QLocale::Germany);
    s.blnOptimal = true;
    const BedarfsMeldungen m = BedarfsMeldungenAnzeigen(s, gebiet);
    EXPECT_EQ(m.lblVersorgung(1), "Die Kultur hat einen Stickstoffbedarf von 3,5 g/m².");
    EXPECT_EQ(m.lblVersorgung(3), "Die Kultur hat einen Kaliumbedarf von 8,0 g/m².");
}

TEST_F(Dateien, MischkulturAusDerPlanung)
{
    planZeile("ID000000000000000011", "ID010120290000001234", "Ku1020", 12);
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktAnalysenNr = "An1000";
    s.strAktKulturNr = "ID010120290000001234";
    s.sngNminWert = 0;
    s.sngNWD = 5; // 5 + 5 = 10 g N/m² a year
    s.sngBeetLaenge = 10, s.sngBeetBreite = 1.2f;
    s.intBodenart = 1;
    s.sngMg = 12;
    FixedClock uhr(QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
    const BedarfsBericht b = BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen->bedarf(), uhr);
    EXPECT_TRUE(b.meldung().isEmpty());
    RestbedarfBerechnen(s);
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2026, 3, 16));
    EXPECT_NEAR(s.sngNSaldo, 1.1606, 1e-5);
    EXPECT_FLOAT_EQ(s.sngPBedarf, 0.5f);
    ASSERT_EQ(s.arrMischkulturTermine.size(), 4u);
    EXPECT_EQ(s.arrMischkulturTermine[1].ID, "ID000000000000000011");
    EXPECT_EQ(s.arrMischkulturTermine[1].Bezeichnung, "Salat");
}

TEST_F(Dateien, DatenbankfehlerLaesstDenZustandUnveraendert)
{
    planZeile("ID000000000000000011", "IDplan", "Ku1020", 12);
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktAnalysenNr = "An1000";
    s.sngOS = 7;
    s.sngNBedarfGD = 4;
    s.sngNMineralisierung = 1;
    FixedClock uhr;
    sql::exec(kav.db(), "DROP TABLE Reihenabstand");
    EXPECT_THROW(BedarfBerechnen(s, "IDplan", "An1000", quellen->bedarf(), uhr), sql::Error);
    sql::exec(kav.db(), "DROP TABLE KulturID");
    EXPECT_THROW(BedarfBerechnen(s, "Ku1010", "An1000", quellen->bedarf(), uhr), sql::Error);
    EXPECT_EQ(s.sngOS, 7);
    EXPECT_EQ(s.sngNMineralisierung, 1);
    EXPECT_EQ(s.sngNBedarfGD, 4);
    EXPECT_TRUE(s.arrMischkulturWerte.empty());

    sql::exec(kav.db(), "DROP TABLE DuengerID");
    DuengerlisteAnlegen(s);
    s.strAktDuengerNr = "Du1001";
    s.sngDuengerN = 2;
    EXPECT_THROW(DuengerNaehrstoffeSummieren(s, 50.0f, quellen->duenger), sql::Error);
    EXPECT_TRUE(s.rsDuengerAuswahl->empty());
    EXPECT_EQ(s.sngDuengerN, 2);
}

} // namespace

#include "platform/clock.h"
#include "requirement/bedarf.h"
#include "requirement/duengerliste.h"
#include "requirement/kalkbedarf.h"
#include "requirement/mischkultur.h"
#include "requirement/restbedarf.h"
#include "services/gebietsschema.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

// Both database files with a few rows of our own, some of them with empty fields.
class Dateien : public ::testing::Test {
protected:
    Dateien()
    {
        zeilen.kulturZeilen["Ku1010"] = {"Ku1010", "Kohlrabi", 70, 0, 4, 8, 1, 15, 0.4, 0.3, 0.3, 1.5, 4, 0.8};
        zeilen.kulturZeilen["Ku1020"] = {"Ku1020", "Salat", 84, 0, 4, 8, 1, 20, 0.4, 0.3, 0.3, 2, 4, 1};
        // every column a value of its own
        zeilen.kulturZeilen["Ku1040"] = {"Ku1040", "Möhre", 91, 1.5, 2.5, 3.5, 2, 12, 0.45, 0.35, 0.2, 0.6, 0.7, 0.9};
        zeilen.abstaende = {{"Ku1010", 30}, {"Ku1020", 30}};
        zeilen.kalk[{2, 1, 45}] = 125;
        zeilen.duenger["Du1001"] = {"Hornspäne", "N", 14, 0, 0, 0};
        zeilen.duenger["Du1002"] = {"Volldünger", "NPK", 10, 8, 12, 2};
        zeilen.analysenZeilen["An1000"] = test::analyseMit(3, 15, 12, 4.5);
        dateien.schreiben(zeilen);
        sql::exec(dateien.kav.db(), "INSERT INTO KulturID (KulturNr, Bezeichnung) VALUES ('Ku1030', 'Leer')");
        sql::exec(dateien.kav.db(), "INSERT INTO Reihenabstand (KulturID, Reihenabstand) VALUES ('Ku1030', NULL)");
        sql::exec(dateien.kav.db(), "INSERT INTO Kalkbedarf (Bodenart, OS, pH, CaO) VALUES (2, 1, 50, NULL)");
        sql::exec(dateien.daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, pH) "
                                      "VALUES ('An1001', NULL, 9, 30, 6.1)");
        sql::exec(dateien.daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, Mg, pH) "
                                      "VALUES ('An1002', '', 'viel', '12.5', NULL, '6,1')");
    }
    void planZeile(const QString& id, const QString& mkid, const QString& kultur, int start)
    {
        sql::exec(dateien.daten.db(), "INSERT INTO MKEditor (ID, MKID, KulturID, Kultur, Start) VALUES (?, ?, ?, ?, ?)",
                  {id, mkid, kultur, "Name " + kultur, start});
    }
    test::Speicherquellen zeilen;
    test::Dateien dateien{"test_bedarf"};
    SqlQuellen quellen{dateien.kav.db(), dateien.daten.db()};
};

TEST_F(Dateien, ZeilenLesenLeereFelderFremdeSchluesselPlanInStartfolge)
{
    const auto spalten = [](const KulturZeile& k) {
        return QVariantList{k.KulturNr, k.Bezeichnung, k.Tage, k.TerminGD, k.TerminKD1, k.TerminKD2, k.ph,
                            k.N,        k.NGD,         k.NKD1, k.NKD2,     k.P2O5,      k.K2O,       k.Mg};
    };
    const auto k = quellen.kulturen.kultur("ku1040"); // the key is compared without case
    ASSERT_TRUE(k);
    EXPECT_EQ(spalten(*k), spalten(zeilen.kulturZeilen["Ku1040"]));
    EXPECT_EQ(quellen.kulturen.kultur("Ku1030")->N, 0); // empty fields read as 0
    EXPECT_FALSE(quellen.kulturen.kultur("x' OR '1'='1"));

    EXPECT_EQ(quellen.reihenabstaende.reihenabstand("Ku1010"), 30.0);
    EXPECT_FALSE(quellen.reihenabstaende.reihenabstand("Ku1030")); // empty value
    EXPECT_FALSE(quellen.reihenabstaende.reihenabstand("Ku9999"));

    EXPECT_EQ(quellen.kalkbedarf.cao(2, 1, 45), 125.0);
    EXPECT_FALSE(quellen.kalkbedarf.cao(2, 1, 50)); // empty value

    const auto d = quellen.duenger.gehalt("Du1002");
    ASSERT_TRUE(d);
    EXPECT_EQ(QVariantList({d->Bezeichnung, d->Typ, d->N, d->P2O5, d->K2O, d->Mg}),
              QVariantList({"Volldünger", "NPK", 10.0, 8.0, 12.0, 2.0}));
    EXPECT_FALSE(quellen.duenger.gehalt("Du1' --"));

    const auto a = quellen.analysen.analyse("An1000");
    ASSERT_TRUE(a);
    using Werte = std::vector<std::optional<double>>;
    EXPECT_EQ(Werte({a->GesamtN, a->P2O5, a->K2O, a->pH}), Werte({3, 15, 12, 4.5}));
    EXPECT_FALSE(quellen.analysen.analyse("An1001")->GesamtN); // an empty field is reported, not read as 0
    EXPECT_DOUBLE_EQ(quellen.analysen.analyse("An1001")->pH.value(), 6.1);
    const auto b = quellen.analysen.analyse("An1002"); // texts in the number fields
    EXPECT_EQ(Werte({b->GesamtN, b->P2O5, b->K2O, b->Mg, b->pH}), Werte({{}, {}, 12.5, {}, {}}));
    EXPECT_EQ(mgWert(*b), -1.0); // not determined
    EXPECT_FALSE(quellen.analysen.analyse("An9999"));

    planZeile("ID1", "IDplanA", "Ku1020", 20);
    planZeile("ID2", "IDplanA", "Ku1010", 12);
    planZeile("ID3", "IDplanB", "Ku1010", 5);
    planZeile("ID4", "IDplanA", "Ku1010", 20);
    const std::vector<PlanZeile> z = quellen.plaene.planZeilen("IDplanA");
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(QStringList({z[0].ID, z[1].ID, z[2].ID}), QStringList({"ID2", "ID1", "ID4"})); // equal starts as saved
    EXPECT_TRUE(z[0].Start == 12 && z[0].Kultur == "Name Ku1010" && z[0].KulturID == "Ku1010");
    EXPECT_EQ(MischkulturStartwoche(quellen.plaene, "IDplanA"), 12);
    EXPECT_TRUE(quellen.plaene.planZeilen("IDplanC").empty());
}

// The whole road through the files: need, remaining need, lime, fertilisers, messages; then a plan.
TEST_F(Dateien, VonDerAnalyseBisZuDenMeldungen)
{
    WizardState s;
    BedarfVariablenZuruecksetzen(s, 0);
    s.strAktFlaechenNr = "Fl1000", s.strAktAnalysenNr = "An1000", s.strAktKulturNr = "Ku1010";
    s.intBodenart = 2, s.sngMg = 12;
    s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    FixedClock uhr(QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
    BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen.bedarf(), uhr);
    EXPECT_FLOAT_EQ(s.sngKBedarf, 8); // heavy soil, 12 below 15
    KalkbedarfBerechnen(s, quellen.kalkbedarf);
    EXPECT_EQ(s.sngKalkBedarf, 450);

    DuengerlisteAnlegen(s);
    s.strAktDuengerNr = "Du1001";
    DuengerNaehrstoffeSummieren(s, 50.0f, quellen.duenger);
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 7);
    EXPECT_NEAR(s.sngNSaldo, 15 - 2.5 - 1.958571 - 7, 1e-5); // each slot above 0
    Gebietsschema gebiet;
    gebiet.locale = QLocale(QLocale::German, QLocale::Germany);
    s.blnOptimal = true;
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, gebiet).lblVersorgung(1),
              "Die Kultur hat einen Stickstoffbedarf von 3,5\u00A0g/\u2060m².");

    // The same plot with a plan of one Ku1020 in week 12 on a bed of 10 × 1.2 m, 10 g N/m² a year.
    planZeile("ID000000000000000011", "ID010120290000001234", "Ku1020", 12);
    BedarfVariablenZuruecksetzen(s, 4);
    s.strAktKulturNr = "ID010120290000001234";
    s.sngNminWert = 0, s.sngNWD = 5, s.intBodenart = 1;
    s.sngBeetLaenge = 10, s.sngBeetBreite = 1.2f;
    EXPECT_TRUE(BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen.bedarf(), uhr).meldung().isEmpty());
    RestbedarfBerechnen(s);
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2026, 3, 16));
    EXPECT_EQ(s.intKulturTage, 84);
    EXPECT_NEAR(s.sngNSaldo, 1.1606, 1e-5);
    EXPECT_FLOAT_EQ(s.sngPBedarf, 0.5f);
    EXPECT_FLOAT_EQ(s.sngNBedarfGD, 6); // the slot needs are not the plan's
    EXPECT_EQ(s.sngNachlieferungMinGD, 0);
    ASSERT_EQ(s.arrMischkulturTermine.size(), 4u);
    EXPECT_EQ(s.arrMischkulturTermine[1].Bezeichnung, "Salat");
}

TEST_F(Dateien, DatenbankfehlerLaesstDenZustandUnveraendert)
{
    planZeile("ID000000000000000011", "IDplan", "Ku1020", 12);
    WizardState s;
    s.sngOS = 7, s.sngNBedarfGD = 4, s.sngNMineralisierung = 1;
    FixedClock uhr;
    sql::exec(dateien.kav.db(), "DROP TABLE Reihenabstand");
    EXPECT_THROW(BedarfBerechnen(s, "IDplan", "An1000", quellen.bedarf(), uhr), sql::Error);
    sql::exec(dateien.kav.db(), "DROP TABLE KulturID");
    EXPECT_THROW(BedarfBerechnen(s, "Ku1010", "An1000", quellen.bedarf(), uhr), sql::Error);
    EXPECT_TRUE(s.sngOS == 7 && s.sngNMineralisierung == 1 && s.sngNBedarfGD == 4 && s.arrMischkulturWerte.empty());

    sql::exec(dateien.kav.db(), "DROP TABLE DuengerID");
    DuengerlisteAnlegen(s);
    s.strAktDuengerNr = "Du1001";
    s.sngDuengerN = 2;
    EXPECT_THROW(DuengerNaehrstoffeSummieren(s, 50.0f, quellen.duenger), sql::Error);
    EXPECT_TRUE(s.rsDuengerAuswahl->empty() && s.sngDuengerN == 2);
}

} // namespace

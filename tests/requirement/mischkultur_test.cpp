#include "platform/clock.h"
#include "requirement/mischkultur.h"
#include "requirement/restbedarf.h"
#include "services/calendarweeks.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kav;

namespace {

// A bed of 10 × 1.2 m and the crop of the worked example: start 12, 84 days, N 20 in shares
// 0.4 / 0.3 / 0.3 after 0, 4 and 8 weeks, row spacing 30 cm (strip 3 m², share 0.25).
class Mischkultur : public ::testing::Test {
protected:
    Mischkultur()
    {
        quellen.kulturZeilen["Ku2"] = test::kulturMit("Ku2", 84, 4, 8, 20, 0.4, 0.3, 0.3);
        quellen.abstaende["Ku2"] = 30;
        s.sngBeetLaenge = 10;
        s.sngBeetBreite = 1.2f;
        s.sngNMineralisierung = 10;
        s.sngP2O5 = 15, s.sngK2O = 12, s.sngMg = 12, s.sngOS = 3;
        s.intBodenart = 1;
    }
    void zeile(const QString& kultur, int start)
    {
        const QString id = QStringLiteral("ID%1").arg(quellen.plan.size() + 1, 18, 10, QLatin1Char('0'));
        quellen.plan.push_back({id, kultur, "ID000000000000000001", "Name " + kultur, start});
    }
    BedarfsBericht rechnen(int jahr = 2029)
    {
        uhr.set(QDateTime(QDate(jahr, 6, 1), QTime(10, 0)));
        return MischkulturBedarfBerechnen(s, "ID000000000000000001", quellen.quellen(), uhr);
    }
    const MischkulturWoche& woche(int i) const { return s.arrMischkulturWerte.at(size_t(i)); }
    // The weeks the plan page lists: from K to 53 with a balance above 0.
    std::vector<int> gelisteteWochen() const
    {
        std::vector<int> w;
        for (int i = MischkulturStartwoche(quellen.plan); i <= 53; ++i)
            if (woche(i).Saldo > 0)
                w.push_back(i);
        return w;
    }

    test::Speicherquellen quellen;
    WizardState s;
    FixedClock uhr;
};

TEST_F(Mischkultur, BeispielDerPlanung)
{
    zeile("Ku2", 12);
    const BedarfsBericht b = rechnen();
    EXPECT_TRUE(b.meldung().isEmpty());
    ASSERT_EQ(s.arrMischkulturWerte.size(), 55u);

    for (int i = 0; i <= 54; ++i)
        EXPECT_FLOAT_EQ(woche(i).Streifenflaeche, (i >= 12 && i <= 24) ? 3.0f : 0.0f) << i;
    EXPECT_FLOAT_EQ(woche(12).Bedarf, 2.0f);
    EXPECT_FLOAT_EQ(woche(16).Bedarf, 1.5f);
    EXPECT_FLOAT_EQ(woche(20).Bedarf, 1.5f);
    EXPECT_NEAR(woche(12).Nachlieferung, 0.8394, 1e-5); // weeks 13 to 16
    EXPECT_NEAR(woche(16).Nachlieferung, 1.1, 1e-5);    // weeks 17 to 20
    EXPECT_NEAR(woche(20).Nachlieferung, 1.44, 1e-5);   // weeks 21 to 24
    EXPECT_NEAR(woche(12).Saldo, 1.1606, 1e-5);
    EXPECT_EQ(woche(16).Saldo, 0); // 0.4 is below 1
    EXPECT_EQ(woche(20).Saldo, 0);
    EXPECT_EQ(gelisteteWochen(), std::vector<int>{12});

    ASSERT_EQ(s.arrMischkulturTermine.size(), 4u);
    EXPECT_TRUE(s.arrMischkulturTermine[0].ID.isEmpty());
    EXPECT_EQ(s.arrMischkulturTermine[1].Woche, 12);
    EXPECT_EQ(s.arrMischkulturTermine[2].Woche, 16);
    EXPECT_EQ(s.arrMischkulturTermine[3].Woche, 20);
    EXPECT_EQ(s.arrMischkulturTermine[3].ID, quellen.plan[0].ID);
    EXPECT_EQ(s.arrMischkulturTermine[3].Bezeichnung, "Kultur Ku2");

    EXPECT_EQ(s.datKulturbeginn, QDateTime(QDate(2029, 3, 19), QTime(0, 0)));
    EXPECT_EQ(s.intKulturTage, 84);
    EXPECT_EQ(s.sngKulturPH, 1);

    s.sngNminVorrat = 2.5f; // taken off week K only: -1.3394 carries nothing
    rechnen();
    for (int i = 0; i <= 54; ++i)
        EXPECT_EQ(woche(i).Saldo, 0) << i;
}

TEST_F(Mischkultur, StreifenUndAnteilAmBeet)
{
    quellen.kulturZeilen["Ku3"] = test::kulturMit("Ku3", 60, 4, 8, 12, 0.5, 0.25, 0.25);
    quellen.abstaende["Ku3"] = 30;
    zeile("Ku3", 15);
    rechnen();
    EXPECT_FLOAT_EQ(woche(15).Bedarf, 1.5f);
    for (int i = 0; i <= 54; ++i) // 15 + 60 / 7 = 23.57
        EXPECT_FLOAT_EQ(woche(i).Streifenflaeche, (i >= 15 && i <= 23) ? 3.0f : 0.0f) << i;
}

TEST_F(Mischkultur, FensterOhneErsteOderBeideKopfduengungen)
{
    quellen.kulturZeilen["Ku2"].NKD1 = 0;
    zeile("Ku2", 12);
    rechnen();
    EXPECT_NEAR(woche(12).Nachlieferung, 1.9394, 1e-5); // weeks 13 to 20
    quellen.kulturZeilen["Ku2"].NKD2 = 0;
    rechnen();
    EXPECT_NEAR(woche(12).Nachlieferung, 3.3794, 1e-5); // weeks 13 to 24
}

TEST_F(Mischkultur, ErsteKopfduengungInDerStartwocheEntfaellt)
{
    quellen.kulturZeilen["Ku2"].TerminKD1 = 0;
    zeile("Ku2", 12);
    rechnen();
    EXPECT_FLOAT_EQ(woche(12).Bedarf, 2.0f); // only the base share
    ASSERT_EQ(s.arrMischkulturTermine.size(), 3u);
}

TEST_F(Mischkultur, MineralisierungNachStreifenflaeche)
{
    quellen.kulturZeilen["Ku4"] = test::kulturMit("Ku4", 28, 4, 8, 10, 1, 0, 0);
    quellen.abstaende["Ku4"] = 30;
    zeile("Ku4", 25);
    rechnen();
    EXPECT_NEAR(MineralisierungWoche(s, 25, 28, 30), 1.68, 1e-5);
    EXPECT_EQ(MineralisierungWoche(s, 5, 12, 30), 0);
    EXPECT_EQ(MineralisierungWoche(s, 28, 25, 30), 0);
    EXPECT_EQ(MineralisierungWoche(s, 40, 80, 30), 0); // nothing stands there, beyond week 54 neither
}

TEST_F(Mischkultur, ZweiKulturenTeilenSichDieWoche)
{
    quellen.kulturZeilen["Ku5"] = test::kulturMit("Ku5", 70, 4, 8, 10, 0.4, 0.3, 0.3);
    quellen.abstaende["Ku5"] = 10;
    zeile("Ku2", 12);
    zeile("Ku5", 18);
    rechnen();
    EXPECT_FLOAT_EQ(woche(20).Streifenflaeche, 4);
    EXPECT_NEAR(MineralisierungWoche(s, 20, 20, 30), 0.3 * 0.75, 1e-6);
    EXPECT_NEAR(MineralisierungWoche(s, 20, 20, 10), 0.3 * 0.25, 1e-6);
}

TEST_F(Mischkultur, GruenduengungInDenZehnWochenNachDemStart)
{
    s.sngZuschlagGD = 4;
    zeile("Ku2", 12);
    rechnen();
    // 0.4 in weeks 13 to 22 except the dressings 16 and 20, gathered to the dressing before them
    EXPECT_NEAR(woche(12).Zuschlag, 1.2, 1e-6);
    EXPECT_NEAR(woche(16).Zuschlag, 1.2, 1e-6);
    EXPECT_NEAR(woche(20).Zuschlag, 0.8, 1e-6);
    for (int i : {13, 14, 15, 17, 21, 22})
        EXPECT_EQ(woche(i).Zuschlag, 0) << i;
}

TEST_F(Mischkultur, PaarungAbWocheK)
{
    quellen.kulturZeilen["Ku6"] = test::kulturMit("Ku6", 28, 4, 8, 12, 1, 0, 0);
    quellen.abstaende["Ku6"] = 30;
    zeile("Ku2", 12);
    zeile("Ku6", 13); // K + 1: given in week K
    zeile("Ku6", 14); // K + 2: stays
    rechnen();
    EXPECT_FLOAT_EQ(woche(12).Bedarf, 2.0f + 3.0f);
    EXPECT_EQ(woche(13).Bedarf, 0);
    EXPECT_FLOAT_EQ(woche(14).Bedarf, 3.0f);
}

TEST_F(Mischkultur, DatumAusKalenderwoche)
{
    EXPECT_EQ(DatumAusKalenderwoche(10, 2027), QDate(2027, 3, 8));  // 1 January a Friday
    EXPECT_EQ(DatumAusKalenderwoche(10, 2026), QDate(2026, 3, 2));  // a Thursday
    EXPECT_EQ(DatumAusKalenderwoche(1, 2025), QDate(2024, 12, 30)); // a Wednesday
    EXPECT_EQ(DatumAusKalenderwoche(1, 2026), QDate(2025, 12, 29));
    EXPECT_EQ(DatumAusKalenderwoche(0, 2026), QDate(2025, 12, 22));
    EXPECT_EQ(DatumAusKalenderwoche(54, 2029), QDate(2030, 1, 7));
    EXPECT_FALSE(DatumAusKalenderwoche(10, 0).isValid());
}

TEST(MischkulturSalden, UebertragUndSchwelle)
{
    std::vector<MischkulturWoche> w(55);
    const std::vector<std::pair<int, float>> vorher = {{0, -2.4f}, {1, 3},   {2, -2.5f}, {3, 3.5f}, {4, -7},
                                                       {5, 3},     {6, 0.99f}, {7, 1},   {53, -3},  {54, 2}};
    for (const auto& [i, v] : vorher)
        w[size_t(i)].Saldo = v;
    MischkulturSaldenAbschliessen(w);
    const std::vector<std::pair<int, float>> nachher = {{0, 0}, {1, 3}, {2, 0}, {3, 1}, {4, 0},
                                                        {5, 0}, {6, 0}, {7, 1}, {53, 0}, {54, 0}};
    for (const auto& [i, v] : nachher)
        EXPECT_FLOAT_EQ(w[size_t(i)].Saldo, v) << i;

    std::vector<MischkulturWoche> leer;
    MischkulturSaldenAbschliessen(leer); // nothing to do, no crash
}

// The plan's week K is its first start week, whatever the year's calendar does.
TEST_F(Mischkultur, StartwocheInJahrenMitAndererSonntagswoche)
{
    zeile("Ku2", 12);
    rechnen(2027);
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2027, 3, 22));
    EXPECT_EQ(sonntagsWoche(s.datKulturbeginn.date()), 13); // the week numbering would give K + 1
    EXPECT_NEAR(woche(12).Saldo, 1.1606, 1e-5);
    EXPECT_EQ(gelisteteWochen(), std::vector<int>{12});

    quellen.plan.clear();
    zeile("Ku2", 1);
    rechnen(2026);
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2025, 12, 29));
    EXPECT_EQ(sonntagsWoche(s.datKulturbeginn.date()), 53);
    EXPECT_EQ(MischkulturStartwoche(quellen.plan), 1);
    EXPECT_FLOAT_EQ(woche(1).Saldo, 2.0f);
    EXPECT_FLOAT_EQ(woche(5).Saldo, 1.5f);
    EXPECT_NEAR(woche(9).Saldo, 1.5 - 0.1897, 1e-5); // week 13 mineralises
    EXPECT_EQ(gelisteteWochen(), (std::vector<int>{1, 5, 9}));
    s.strAktKulturNr = "ID000000000000000001";
    RestbedarfBerechnen(s);
    EXPECT_NEAR(s.sngNSaldo, 4.8103, 1e-5);
}

TEST(MischkulturStartwoche, ErsteStartwocheImJahr)
{
    const auto plan = [](std::vector<int> starts) {
        std::vector<PlanZeile> z;
        for (int st : starts)
            z.push_back({"", "Ku1", "ID1", "", st});
        return z;
    };
    EXPECT_EQ(MischkulturStartwoche(plan({})), 1);
    EXPECT_EQ(MischkulturStartwoche(plan({12, 20})), 12);
    EXPECT_EQ(MischkulturStartwoche(plan({20, 7})), 7);
    EXPECT_EQ(MischkulturStartwoche(plan({0, 5})), 1);
    EXPECT_EQ(MischkulturStartwoche(plan({60})), 53);
}

TEST_F(Mischkultur, BedarfUndEntzugJeQuadratmeterBeet)
{
    KulturZeile& k = quellen.kulturZeilen["Ku2"];
    k.P2O5 = 2, k.K2O = 4, k.Mg = 1;
    zeile("Ku2", 12);
    rechnen();
    EXPECT_FLOAT_EQ(s.sngPBedarf, 0.5f); // 2 × 3 m² / 12 m², factor 1
    EXPECT_FLOAT_EQ(s.sngKBedarf, 1.0f);
    EXPECT_FLOAT_EQ(s.sngMgBedarf, 0.25f);
    EXPECT_EQ(s.sngPFaktor, 1);
    s.sngMg = -1;
    rechnen();
    EXPECT_EQ(s.sngMgBedarf, -1);
}

TEST_F(Mischkultur, KulturtageSindDieSpanneDerPlanung)
{
    quellen.kulturZeilen["Ku5"] = test::kulturMit("Ku5", 70, 4, 8, 10, 0.4, 0.3, 0.3);
    quellen.abstaende["Ku5"] = 10;
    zeile("Ku2", 12);
    zeile("Ku5", 20);
    s.intKulturTage = 300; // of an earlier crop
    rechnen();
    EXPECT_EQ(s.intKulturTage, 7 * 8 + 70);

    quellen.kulturZeilen["Ku5"].Tage = 365;
    rechnen();
    EXPECT_EQ(s.intKulturTage, 365);
}

TEST_F(Mischkultur, LeererPlanGibtNullen)
{
    s.arrMischkulturTermine.resize(4);
    s.sngMg = -1;
    const BedarfsBericht b = rechnen();
    EXPECT_TRUE(b.planLeer);
    EXPECT_FALSE(b.meldung().isEmpty());
    ASSERT_EQ(s.arrMischkulturWerte.size(), 55u);
    for (const MischkulturWoche& w : s.arrMischkulturWerte)
        EXPECT_EQ(w.Saldo, 0);
    EXPECT_EQ(s.arrMischkulturTermine.size(), 1u);
    EXPECT_EQ(s.intKulturTage, 0);
    EXPECT_EQ(s.sngPBedarf, 0);
    EXPECT_EQ(s.sngMgBedarf, -1);
}

TEST_F(Mischkultur, BeetOhneMasseGibtNullen)
{
    zeile("Ku2", 12);
    for (const auto& [l, b] : std::vector<std::pair<float, float>>{{0, 1.2f}, {10, 0}, {-3, 1}, {std::nanf(""), 1}}) {
        s.sngBeetLaenge = l, s.sngBeetBreite = b;
        const BedarfsBericht r = rechnen();
        EXPECT_TRUE(r.beetOhneMasse);
        EXPECT_TRUE(r.meldung().contains("Beetes"));
        for (const MischkulturWoche& w : s.arrMischkulturWerte)
            EXPECT_TRUE(w.Bedarf == 0 && w.Saldo == 0 && w.Nachlieferung == 0);
        EXPECT_EQ(s.sngPBedarf, 0);
    }
}

TEST_F(Mischkultur, FehlendeKulturOderReihenabstandWirdUebersprungen)
{
    quellen.kulturZeilen["Ku7"] = test::kulturMit("Ku7", 84, 4, 8, 20, 0.4, 0.3, 0.3); // no row spacing
    quellen.abstaende["Ku8"] = 25;                                                     // no crop row
    zeile("Ku2", 12);
    zeile("Ku7", 14);
    zeile("Ku8", 16);
    const BedarfsBericht b = rechnen();
    ASSERT_EQ(b.uebersprungen.size(), 2u);
    EXPECT_EQ(b.uebersprungen[0].KulturID, "Ku7");
    EXPECT_EQ(b.uebersprungen[1].KulturID, "Ku8");
    EXPECT_TRUE(b.meldung().contains("Name Ku7, Name Ku8"));
    EXPECT_NEAR(woche(12).Saldo, 1.1606, 1e-5); // the rest as if alone
    EXPECT_FLOAT_EQ(woche(14).Streifenflaeche, 3);
}

TEST_F(Mischkultur, SpaeteKulturUeberDasJahresendeHinaus)
{
    quellen.kulturZeilen["Ku9"] = test::kulturMit("Ku9", 84, 4, 8, 20, 0.4, 0.3, 0.3);
    quellen.abstaende["Ku9"] = 0;   // a strip of 0: contributes nothing
    quellen.abstaende["Ku2"] = 30;
    zeile("Ku2", 50);               // dressings 50, 54, (58); last week 62
    zeile("Ku9", 51);
    zeile("Ku2", 70);               // outside the year
    const BedarfsBericht b = rechnen();
    EXPECT_TRUE(b.uebersprungen.empty());
    for (const MischkulturWoche& w : s.arrMischkulturWerte) {
        EXPECT_TRUE(std::isfinite(w.Bedarf) && std::isfinite(w.Nachlieferung) && std::isfinite(w.Saldo));
        EXPECT_GE(w.Saldo, 0);
    }
    EXPECT_FLOAT_EQ(woche(50).Bedarf, 2.0f);
    EXPECT_FLOAT_EQ(woche(54).Streifenflaeche, 3);
    EXPECT_EQ(woche(51).Bedarf, 0);
    EXPECT_EQ(s.intKulturTage, 7 * 20 + 84);
}

TEST_F(Mischkultur, BedarfBerechnenGibtDenPlanWeiter)
{
    quellen.analysenZeilen["An1"] = AnalysenZeile{5, 15, 12, 6.5f}; // 10 g N/m² a year
    zeile("Ku2", 12);
    s.strAktKulturNr = "ID000000000000000001";
    s.sngNminWert = 0;
    s.sngNBedarfGD = 6, s.sngNBedarfKD1 = 4;
    s.sngNachlieferungMinGD = 3;
    s.intKulturTage = 30;
    uhr.set(QDateTime(QDate(2029, 6, 1), QTime(10, 0)));
    BedarfBerechnen(s, s.strAktKulturNr, "An1", quellen.quellen(), uhr);
    EXPECT_EQ(s.sngNBedarfGD, 6); // the slot needs are not the plan's
    EXPECT_EQ(s.sngNBedarfKD1, 4);
    EXPECT_EQ(s.sngNachlieferungMinGD, 0);
    EXPECT_EQ(s.intKulturTage, 84);
    EXPECT_NEAR(woche(12).Saldo, 1.1606, 1e-5);
    RestbedarfBerechnen(s);
    EXPECT_NEAR(s.sngNSaldo, 1.1606, 1e-5);
}

} // namespace

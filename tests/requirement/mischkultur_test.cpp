#include "platform/clock.h"
#include "requirement/mischkultur.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kav;

namespace {

// A bed of 10 × 1.2 m and one crop: start 12, 84 days, N 20 in shares
// 0.4 / 0.3 / 0.3 after 0, 4 and 8 weeks, row spacing 30 cm (strip 3 m², share 0.25).
class Mischkultur : public ::testing::Test {
protected:
    Mischkultur()
    {
        kultur("Ku2", 84, 20, 0.4, 0.3, 0.3, 30);
        s.sngBeetLaenge = 10, s.sngBeetBreite = 1.2f, s.sngNMineralisierung = 10;
        s.sngP2O5 = 15, s.sngK2O = 12, s.sngMg = 12, s.sngOS = 3, s.intBodenart = 1;
    }
    // A crop with top dressings after 4 and 8 weeks and removal P2O5 2, K2O 4, Mg 1 g/m².
    void kultur(const QString& nr, qint16 tage, double n, double ngd, double nkd1, double nkd2, double abstand)
    {
        KulturZeile k = test::kulturMit(nr, tage, 4, 8, n, ngd, nkd1, nkd2);
        k.P2O5 = 2, k.K2O = 4, k.Mg = 1;
        quellen.kulturZeilen[nr] = k;
        quellen.abstaende[nr] = abstand;
    }
    // Plan rows: crop and start week.
    void zeilen(std::initializer_list<std::pair<QString, int>> z)
    {
        for (const auto& [kultur, start] : z) {
            const QString id = QStringLiteral("ID%1").arg(quellen.plan.size() + 1, 18, 10, QLatin1Char('0'));
            quellen.plan.push_back({id, kultur, "ID000000000000000001", "Name " + kultur, start});
        }
    }
    BedarfsBericht rechnen(int jahr = 2029)
    {
        uhr.set(QDateTime(QDate(jahr, 6, 1), QTime(10, 0)));
        return MischkulturBedarfBerechnen(s, "ID000000000000000001", quellen.quellen(), uhr);
    }
    const MischkulturWoche& woche(int i) const { return s.arrMischkulturWerte.at(size_t(i)); }
    // One value summed over all weeks.
    float summe(float MischkulturWoche::*wert) const
    {
        float summe = 0;
        for (const MischkulturWoche& w : s.arrMischkulturWerte)
            summe += w.*wert;
        return summe;
    }

    test::Speicherquellen quellen;
    WizardState s;
    FixedClock uhr;
};

TEST_F(Mischkultur, BeispielDerPlanung)
{
    zeilen({{"Ku2", 12}});
    EXPECT_TRUE(rechnen().meldung().isEmpty());
    ASSERT_EQ(s.arrMischkulturWerte.size(), 55u);
    // the mineralisation of weeks 13-16, 17-20 and 21-24 on a quarter of the bed; a balance below 1 is 0
    const std::tuple<int, float, double, double> gaben[] = {{12, 2.0f, 0.8394, 1.1606}, {16, 1.5f, 1.1, 0},
                                                            {20, 1.5f, 1.44, 0}};
    for (const auto& [w, bedarf, nachlieferung, saldo] : gaben) {
        EXPECT_FLOAT_EQ(woche(w).Bedarf, bedarf) << w;
        EXPECT_NEAR(woche(w).Nachlieferung, nachlieferung, 1e-5) << w;
        EXPECT_NEAR(woche(w).Saldo, saldo, 1e-5) << w;
    }
    EXPECT_NEAR(summe(&MischkulturWoche::Saldo), 1.1606, 1e-5);
    ASSERT_EQ(s.arrMischkulturTermine.size(), 4u); // record 0 stays empty
    const MischkulturTermin& t = s.arrMischkulturTermine[3];
    EXPECT_TRUE(s.arrMischkulturTermine[0].ID.isEmpty() && s.arrMischkulturTermine[2].Woche == 16);
    EXPECT_TRUE(t.Woche == 20 && t.ID == quellen.plan[0].ID && t.Bezeichnung == "Kultur Ku2");
    EXPECT_EQ(s.datKulturbeginn, QDateTime(QDate(2029, 3, 19), QTime(0, 0)));
    EXPECT_EQ(s.intKulturTage, 84);
    // crop code 1 (lime is worked out); removal × 3 m² / 12 m² at factor 1
    EXPECT_EQ((std::vector<float>{s.sngKulturPH, s.sngPBedarf, s.sngKBedarf, s.sngMgBedarf}),
              (std::vector<float>{1, 0.5f, 1, 0.25f}));

    s.sngNminVorrat = 2.5f; // taken off week K only: -1.3394 carries nothing
    s.sngMg = -1;
    rechnen();
    EXPECT_EQ(summe(&MischkulturWoche::Saldo), 0);
    EXPECT_EQ(s.sngMgBedarf, -1);
}

TEST_F(Mischkultur, StreifenflaecheAnteilUndSpanne)
{
    kultur("Ku5", 67, 10, 0.4, 0.3, 0.3, 10); // 18 + 67 / 7 = 27.57: last week 27
    zeilen({{"Ku2", 12}, {"Ku5", 18}});
    s.intKulturTage = 300; // of an earlier crop
    rechnen();
    for (int i = 0; i <= 54; ++i) // Ku2 in weeks 12 to 24 (3 m²), Ku5 in 18 to 27 (1 m²)
        EXPECT_FLOAT_EQ(woche(i).Streifenflaeche, 3.0f * (i >= 12 && i <= 24) + 1.0f * (i >= 18 && i <= 27)) << i;
    // week 20 (0.03 of 10 g) to 3 of 4 m² and to 1 of 4 m²; weeks 25-27 to Ku5 alone, nothing stands in 28
    EXPECT_NEAR(MineralisierungWoche(s, 20, 20, 30), 0.3 * 0.75, 1e-6);
    EXPECT_NEAR(MineralisierungWoche(s, 20, 20, 10), 0.3 * 0.25, 1e-6);
    EXPECT_NEAR(MineralisierungWoche(s, 25, 28, 10), 1.26, 1e-5);
    EXPECT_EQ(MineralisierungWoche(s, 5, 12, 30), 0);
    EXPECT_EQ(MineralisierungWoche(s, 28, 25, 30), 0);
    EXPECT_EQ(MineralisierungWoche(s, 40, 80, 30), 0); // beyond week 54 neither
    EXPECT_EQ(s.intKulturTage, 7 * 6 + 67);            // first start to the last crop's end
}

TEST_F(Mischkultur, FensterOhneKopfduengungen)
{
    zeilen({{"Ku2", 12}});
    quellen.kulturZeilen["Ku2"].NKD1 = 0;
    rechnen();
    EXPECT_NEAR(woche(12).Nachlieferung, 1.9394, 1e-5); // weeks 13 to 20
    quellen.kulturZeilen["Ku2"].NKD2 = 0;
    rechnen();
    EXPECT_NEAR(woche(12).Nachlieferung, 3.3794, 1e-5); // weeks 13 to 24
}

TEST_F(Mischkultur, GruenduengungInDenZehnWochenNachDemStart)
{
    s.sngZuschlagGD = 4;
    zeilen({{"Ku2", 12}});
    rechnen();
    // 0.4 in weeks 13 to 22 except the dressings 16 and 20, gathered to the dressing before them
    EXPECT_NEAR(woche(12).Zuschlag, 1.2, 1e-6);
    EXPECT_NEAR(woche(16).Zuschlag, 1.2, 1e-6);
    EXPECT_NEAR(woche(20).Zuschlag, 0.8, 1e-6);
    EXPECT_NEAR(summe(&MischkulturWoche::Zuschlag), 3.2, 1e-6);
}

TEST_F(Mischkultur, PaarungAbWocheK)
{
    kultur("Ku6", 28, 12, 1, 0, 0, 30);
    zeilen({{"Ku2", 12}, {"Ku6", 13}, {"Ku6", 14}}); // K + 1 is given in week K, K + 2 stays
    rechnen();
    EXPECT_FLOAT_EQ(woche(12).Bedarf, 2.0f + 3.0f);
    EXPECT_EQ(woche(13).Bedarf, 0);
    EXPECT_FLOAT_EQ(woche(14).Bedarf, 3.0f);
}

TEST(Kalenderwoche, DatumUndStartwoche)
{
    EXPECT_EQ(DatumAusKalenderwoche(10, 2027), QDate(2027, 3, 8)); // 1 January a Friday
    EXPECT_EQ(DatumAusKalenderwoche(1, 2026), QDate(2025, 12, 29));
    EXPECT_EQ(DatumAusKalenderwoche(0, 2026), QDate(2025, 12, 22));
    EXPECT_EQ(DatumAusKalenderwoche(54, 2029), QDate(2030, 1, 7));
    EXPECT_FALSE(DatumAusKalenderwoche(10, 0).isValid());

    // K: the earliest start, within 1 to 53
    const std::pair<std::vector<int>, int> faelle[] = {{{}, 1}, {{12, 20}, 12}, {{20, 7}, 7}, {{0, 5}, 1}, {{60}, 53}};
    for (const auto& [starts, k] : faelle) {
        std::vector<PlanZeile> z;
        for (int st : starts)
            z.push_back({"", "Ku1", "ID1", "", st});
        EXPECT_EQ(MischkulturStartwoche(z), k);
    }
}

// The plan's week K is its first start week, whatever the year's Sunday weeks say.
TEST_F(Mischkultur, StartwocheInJahrenMitAndererSonntagswoche)
{
    s.sngNminVorrat = 0.1f; // taken off week K
    zeilen({{"Ku2", 12}});
    rechnen(2027); // 22 March 2027 is in Sunday week 13
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2027, 3, 22));
    EXPECT_NEAR(woche(12).Saldo, 1.0606, 1e-5);
    EXPECT_NEAR(summe(&MischkulturWoche::Saldo), 1.0606, 1e-5);

    quellen.plan.clear();
    zeilen({{"Ku2", 1}});
    rechnen(2026); // 29 December 2025 is in Sunday week 53
    EXPECT_EQ(s.datKulturbeginn.date(), QDate(2025, 12, 29));
    EXPECT_EQ(MischkulturStartwoche(quellen.plan), 1);
    EXPECT_FLOAT_EQ(woche(1).Saldo, 1.9f);
    EXPECT_FLOAT_EQ(woche(5).Saldo, 1.5f);
    EXPECT_NEAR(woche(9).Saldo, 1.5 - 0.1897, 1e-5); // week 13 mineralises
    EXPECT_NEAR(summe(&MischkulturWoche::Saldo), 4.7103, 1e-5); // these three weeks only
}

TEST(MischkulturSalden, UebertragUndSchwelle)
{
    // week: before, after
    const std::tuple<int, float, float> faelle[] = {{0, -2.4f, 0}, {1, 3, 3}, {2, -2.5f, 0}, {3, 3.5f, 1}, {4, -7, 0},
                                                    {5, 3, 0},     {6, 0.99f, 0}, {7, 1, 1}, {53, -3, 0}, {54, 2, 0}};
    std::vector<MischkulturWoche> w(55);
    for (const auto& [i, vorher, nachher] : faelle)
        w[size_t(i)].Saldo = vorher;
    MischkulturSaldenAbschliessen(w);
    for (const auto& [i, vorher, nachher] : faelle)
        EXPECT_FLOAT_EQ(w[size_t(i)].Saldo, nachher) << i;
    std::vector<MischkulturWoche> leer;
    MischkulturSaldenAbschliessen(leer);
}

TEST_F(Mischkultur, LeererPlanOderBeetOhneMasseGibtNullen)
{
    // the first round without plan rows, then with one on beds without a size
    const std::pair<float, float> masse[] = {{10, 1.2f}, {0, 1.2f}, {10, 0}, {-3, 1}, {std::nanf(""), 1}};
    for (const auto& [laenge, breite] : masse) {
        SCOPED_TRACE(laenge);
        s.sngBeetLaenge = laenge, s.sngBeetBreite = breite;
        s.arrMischkulturTermine.resize(4);
        s.intKulturTage = 30, s.sngPBedarf = 7;
        const bool leer = quellen.plan.empty();
        const BedarfsBericht b = rechnen();
        EXPECT_TRUE(b.planLeer == leer && b.beetOhneMasse == !leer);
        EXPECT_TRUE(b.meldung().contains(leer ? "keine Kulturen" : "Beetes"));
        ASSERT_EQ(s.arrMischkulturWerte.size(), 55u);
        EXPECT_EQ(summe(&MischkulturWoche::Bedarf) + summe(&MischkulturWoche::Nachlieferung), 0);
        EXPECT_EQ(summe(&MischkulturWoche::Zuschlag) + summe(&MischkulturWoche::Saldo), 0);
        EXPECT_TRUE(s.arrMischkulturTermine.size() == 1 && s.intKulturTage == 0 && s.sngPBedarf == 0);
        if (leer)
            zeilen({{"Ku2", 12}});
    }
}

// Rows without crop data or row spacing, a strip of 0, crops beyond the year's end.
TEST_F(Mischkultur, UnvollstaendigeUndSpaeteKulturen)
{
    quellen.kulturZeilen["Ku7"] = test::kulturMit("Ku7", 84, 4, 8, 20, 0.4, 0.3, 0.3); // no row spacing
    quellen.abstaende["Ku8"] = 25;                                                     // no crop row
    kultur("Ku9", 84, 20, 0.4, 0.3, 0.3, 0);                                           // a strip of 0
    // Ku2 from week 50: dressings 50, 54, (58), last week 62; week 70 is outside the year
    zeilen({{"Ku2", 12}, {"Ku7", 14}, {"Ku8", 16}, {"Ku2", 50}, {"Ku9", 51}, {"Ku2", 70}});
    const BedarfsBericht b = rechnen();
    EXPECT_EQ(b.uebersprungen.size(), 2u);
    EXPECT_TRUE(b.meldung().contains("Name Ku7, Name Ku8"));
    for (const MischkulturWoche& w : s.arrMischkulturWerte)
        EXPECT_TRUE(std::isfinite(w.Bedarf) && std::isfinite(w.Nachlieferung) && w.Saldo >= 0);
    EXPECT_NEAR(woche(12).Saldo, 1.1606, 1e-5); // the rest as if alone
    EXPECT_FLOAT_EQ(woche(14).Streifenflaeche, 3);
    EXPECT_FLOAT_EQ(woche(50).Bedarf, 2.0f);
    EXPECT_EQ(woche(51).Bedarf, 0);
    EXPECT_FLOAT_EQ(woche(54).Streifenflaeche, 3);
    EXPECT_EQ(s.intKulturTage, 365); // 58 weeks and 84 days, at most a year
}

} // namespace

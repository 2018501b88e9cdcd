#include "platform/clock.h"
#include "requirement/bedarf.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace kav;

namespace {

struct NminFall {
    float wert;
    qint16 einheit;
    float os;
    float erwartet;
};

class NminVorrat : public ::testing::TestWithParam<NminFall> {};

TEST_P(NminVorrat, NachEinheitUndOrganischerSubstanz)
{
    const NminFall& f = GetParam();
    EXPECT_NEAR(NminVorratBerechnen(f.wert, f.einheit, f.os, 99.0f), f.erwartet, 5e-5);
}

INSTANTIATE_TEST_SUITE_P(Faelle, NminVorrat,
                         ::testing::Values(NminFall{10, 0, 2, 1.0387f}, NminFall{10, 0, 15, 0.5892f},
                                           NminFall{10, 0, 40, 0.5892f}, NminFall{10, 0, 14.99f, 0.5719f},
                                           NminFall{0, 0, 2, 0}, NminFall{-1, 0, 2, 2.5f}, NminFall{-1, 1, 2, 2.5f},
                                           NminFall{-1, 2, 2, 2.5f}, NminFall{3.25f, 1, 2, 3.25f},
                                           NminFall{50, 2, 2, 5.0f}, NminFall{10, 3, 2, 99.0f}));

TEST(Jahresmineralisierung, KlassengrenzenDerOrganischenSubstanz)
{
    const std::vector<std::pair<float, float>> faelle = {{0, 5},      {3.99f, 5},  {4, 10},  {8, 10},
                                                         {8.01f, 15}, {12, 15},    {12.01f, 20}, {80, 20}};
    for (const auto& [os, erwartet] : faelle)
        EXPECT_EQ(JahresMineralisierung(os), erwartet) << os;
}

TEST(Jahresmineralisierung, WochenanteileErgebenFastEinJahr)
{
    double summe = 0;
    for (int w = -3; w <= 60; ++w)
        summe += MineralisierungsAnteil(w);
    EXPECT_NEAR(summe, 0.99994, 1e-9);
    EXPECT_EQ(MineralisierungsAnteil(12), 0.0);
    EXPECT_EQ(MineralisierungsAnteil(13), 0.01897);
    EXPECT_EQ(MineralisierungsAnteil(43), 0.022);
    EXPECT_EQ(MineralisierungsAnteil(44), 0.0);
}

// A state after the plot page: soil from the analysis An1, a crop Ku1 of the tests.
class Bedarf : public ::testing::Test {
protected:
    void SetUp() override
    {
        quellen.analysenZeilen["An1"] = AnalysenZeile{3, 15, 12, 6.0f};
        s.strAktAnalysenNr = "An1";
        s.strAktKulturNr = "Ku1";
        s.sngNminWert = -1;
        s.intBodenart = 1;
        s.sngMg = 12;
        s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    }
    BedarfsBericht rechnen() { return BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen.quellen(), uhr); }

    test::Speicherquellen quellen;
    WizardState s;
    FixedClock uhr{QDateTime(QDate(2029, 2, 1), QTime(9, 0))};
};

TEST_F(Bedarf, DauerkulturNachKalenderwochenOhneNminVorrat)
{
    KulturZeile k = test::kulturMit("Ku1", 365, 8, 6, 12, 0.5, 0.25, 0.25);
    k.TerminGD = 10;
    quellen.kulturZeilen["Ku1"] = k;
    quellen.analysenZeilen["An1"].GesamtN = 5; // 10 g N/m² a year
    s.blnDauerKultur = true;
    s.sngNminWert = 10;
    s.sngZuschlagGD = 4; // no green manure for permanent crops

    rechnen();
    EXPECT_FLOAT_EQ(s.sngNMineralisierung, 10);
    EXPECT_NEAR(s.sngNachlieferungMinGD, 1.3394, 1e-5);  // weeks 1 to 18
    EXPECT_NEAR(s.sngNachlieferungMinKD1, 2.46, 1e-5);   // weeks 19 to 25
    EXPECT_NEAR(s.sngNachlieferungMinKD2, 6.20, 1e-5);   // weeks 26 to 52
    EXPECT_NEAR(s.sngNachlieferungMin, 9.9994, 1e-4);
    EXPECT_EQ(s.sngNminVorrat, 0);
}

TEST_F(Bedarf, JahreskulturTagFuerTagNachSonntagswochen)
{
    quellen.kulturZeilen["Ku1"] = test::kulturMit("Ku1", 70, 4, 8, 15, 0.4, 0.3, 0.3);
    rechnen();
    EXPECT_FLOAT_EQ(s.sngNMineralisierung, 5);
    EXPECT_NEAR(s.sngNachlieferungMinGD, 0.712857, 1e-5);
    EXPECT_NEAR(s.sngNachlieferungMinKD1, 0.825714, 1e-5);
    EXPECT_NEAR(s.sngNachlieferungMinKD2, 0.42, 1e-5);
    EXPECT_FLOAT_EQ(s.sngNachlieferungMin,
                    s.sngNachlieferungMinKD1 + s.sngNachlieferungMinGD + s.sngNachlieferungMinKD2);
    EXPECT_FLOAT_EQ(s.sngNminVorrat, 2.5f);
    EXPECT_EQ(s.intKulturTage, 70);

    // Green manure 2.0 over 70 days: days 0 to 23 GD, 24 to 35 KD1, 36 to 69 KD2.
    s.sngZuschlagGD = 2.0f;
    rechnen();
    EXPECT_NEAR(s.sngNachlieferungMinGD, 1.398571, 1e-5);
    EXPECT_NEAR(s.sngNachlieferungMinKD1, 1.168571, 1e-5);
    EXPECT_NEAR(s.sngNachlieferungMinKD2, 1.391429, 1e-5);
}

TEST_F(Bedarf, KurzeKulturBekommtNurTeilDerGruenduengung)
{
    // 42 days, both top dressings in the start week, 10 g N/m² a year, green manure 4:
    // 43 seventieths of it, GD days 0 to 14, KD1 15 to 21, KD2 22 to 42.
    quellen.kulturZeilen["Ku1"] = test::kulturMit("Ku1", 42, 0, 0, 10, 0.5, 0.25, 0.25);
    quellen.analysenZeilen["An1"].GesamtN = 5;
    s.sngZuschlagGD = 4;
    rechnen();
    EXPECT_NEAR(s.sngNachlieferungMinGD, 0.9, 1e-5);     // start day 0.042857 + 15/70 × 4
    EXPECT_NEAR(s.sngNachlieferungMinKD1, 0.4, 1e-5);    // no mineralisation, 7/70 × 4
    EXPECT_NEAR(s.sngNachlieferungMinKD2, 3.394288, 1e-5);
    EXPECT_NEAR(s.sngNachlieferungMin, 4.694288, 1e-5);
}

TEST_F(Bedarf, KulturImErstenQuartalSammeltNichts)
{
    quellen.kulturZeilen["Ku1"] = test::kulturMit("Ku1", 60, 4, 8, 15, 0.4, 0.3, 0.3);
    s.datKulturbeginn = QDateTime(QDate(2029, 1, 8), QTime(0, 0)); // to 9 March: weeks 2 to 10
    rechnen();
    EXPECT_EQ(s.sngNachlieferungMinGD, 0);
    EXPECT_EQ(s.sngNachlieferungMinKD1, 0);
    EXPECT_EQ(s.sngNachlieferungMinKD2, 0);
}

TEST_F(Bedarf, BedarfJeGabeUndEntzugAusDerKultur)
{
    KulturZeile k = test::kulturMit("Ku1", 70, 4, 8, 15, 0.4, 0.3, 0.3);
    k.ph = 2;
    k.P2O5 = 1.5, k.K2O = 4, k.Mg = 0.8;
    quellen.kulturZeilen["Ku1"] = k;
    rechnen();
    EXPECT_FLOAT_EQ(s.sngNBedarf, 15);
    EXPECT_FLOAT_EQ(s.sngNBedarfGD, 6);
    EXPECT_FLOAT_EQ(s.sngNBedarfKD1, 4.5f);
    EXPECT_FLOAT_EQ(s.sngNBedarfKD2, 4.5f);
    EXPECT_FLOAT_EQ(s.sngKulturPH, 2);
    // Soil 15 / 12 mg, medium soil: P factor 1, K factor 1 (10 to 20), Mg factor 1.
    EXPECT_FLOAT_EQ(s.sngPFaktor, 1);
    EXPECT_FLOAT_EQ(s.sngPBedarf, 1.5f);
    EXPECT_FLOAT_EQ(s.sngKBedarf, 4);
    EXPECT_FLOAT_EQ(s.sngMgBedarf, 0.8f);
    EXPECT_FLOAT_EQ(s.sngOS, 3);
    EXPECT_FLOAT_EQ(s.sngP2O5, 15);
    EXPECT_FLOAT_EQ(s.sngK2O, 12);
    EXPECT_FLOAT_EQ(s.sngPH, 6);
}

TEST_F(Bedarf, FehlendeKulturBehaeltDenBedarfUndMeldetEs)
{
    s.sngNBedarfGD = 7;
    s.sngPBedarf = 3;
    s.intKulturTage = 55;
    s.sngNachlieferungMinGD = 4;
    s.strAktKulturNr = "Ku404";
    const BedarfsBericht b = rechnen();
    EXPECT_TRUE(b.kulturFehlt);
    EXPECT_EQ(s.sngNBedarfGD, 7);
    EXPECT_EQ(s.sngPBedarf, 3);
    EXPECT_EQ(s.intKulturTage, 55);
    EXPECT_EQ(s.sngNachlieferungMinGD, 0);
    EXPECT_TRUE(b.meldung().isEmpty());
}

TEST_F(Bedarf, FehlendeAnalyseBehaeltDieBodenwerte)
{
    quellen.kulturZeilen["Ku1"] = test::kulturMit("Ku1", 70, 4, 8, 15, 0.4, 0.3, 0.3);
    s.strAktAnalysenNr = "An404";
    s.sngOS = 9, s.sngP2O5 = 4, s.sngK2O = 30, s.sngPH = 5.5f;
    rechnen();
    EXPECT_EQ(s.sngOS, 9);
    EXPECT_EQ(s.sngP2O5, 4);
    EXPECT_FLOAT_EQ(s.sngNMineralisierung, 15);
    EXPECT_FLOAT_EQ(s.sngPFaktor, 2);
}

// P2O5, K2O and Mg need: removal 3 of each, the factor read off from the need.
struct VersorgungsFall {
    qint16 bodenart;
    float os, p2o5, k2o, mg;
    float pBedarf, kBedarf, mgBedarf;
};

class Versorgungsstufen : public ::testing::TestWithParam<VersorgungsFall> {};

TEST_P(Versorgungsstufen, FaktorNachBodenwert)
{
    const VersorgungsFall& f = GetParam();
    WizardState s;
    s.intBodenart = f.bodenart;
    s.sngOS = f.os, s.sngP2O5 = f.p2o5, s.sngK2O = f.k2o, s.sngMg = f.mg;
    s.sngKBedarf = 77; // kept where no rule applies
    PKMgBedarfBerechnen(s, 3, 3, 3);
    EXPECT_EQ(s.sngPBedarf, f.pBedarf);
    EXPECT_EQ(s.sngPFaktor, f.pBedarf / 3);
    EXPECT_EQ(s.sngKBedarf, f.kBedarf);
    EXPECT_EQ(s.sngMgBedarf, f.mgBedarf);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Versorgungsstufen,
    ::testing::Values(
        // P2O5 with organic matter up to 15 (15 itself included), then above 15
        VersorgungsFall{1, 3, 9.9f, 12, 12, 6, 3, 3}, VersorgungsFall{1, 3, 10, 12, 12, 3, 3, 3},
        VersorgungsFall{1, 3, 20, 12, 12, 3, 3, 3}, VersorgungsFall{1, 3, 20.1f, 12, 12, 0, 3, 3},
        VersorgungsFall{1, 15, 9.9f, 12, 12, 6, 3, 3}, VersorgungsFall{1, 15.1f, 6.9f, 12, 12, 6, 3, 3},
        VersorgungsFall{1, 15.1f, 7, 12, 12, 3, 3, 3}, VersorgungsFall{1, 15.1f, 14.1f, 12, 12, 0, 3, 3},
        // K2O by soil group
        VersorgungsFall{0, 3, 15, 7.9f, 12, 3, 6, 0}, VersorgungsFall{0, 3, 15, 8, 12, 3, 3, 0},
        VersorgungsFall{0, 3, 15, 15.1f, 12, 3, 0, 0}, VersorgungsFall{1, 3, 15, 9.9f, 12, 3, 6, 3},
        VersorgungsFall{1, 3, 15, 20, 12, 3, 3, 3}, VersorgungsFall{1, 3, 15, 20.1f, 12, 3, 0, 3},
        VersorgungsFall{2, 3, 15, 14.9f, 12, 3, 6, 3}, VersorgungsFall{2, 3, 15, 25, 12, 3, 3, 3},
        VersorgungsFall{2, 3, 15, 25.1f, 12, 3, 0, 3}, VersorgungsFall{2, 20, 15, 15.1f, 12, 0, 0, 3},
        VersorgungsFall{4, 3, 15, 3, 12, 3, 77, 3},
        // Mg: light soil 7 / 10, other soils 10 / 20, -1 not determined
        VersorgungsFall{0, 3, 15, 12, 6.9f, 3, 3, 6}, VersorgungsFall{0, 3, 15, 12, 7, 3, 3, 3},
        VersorgungsFall{0, 3, 15, 12, 10, 3, 3, 3}, VersorgungsFall{0, 3, 15, 12, 10.1f, 3, 3, 0},
        VersorgungsFall{2, 3, 15, 12, 9.9f, 3, 6, 6}, VersorgungsFall{2, 3, 15, 12, 20.1f, 3, 6, 0},
        VersorgungsFall{0, 3, 15, 12, -1, 3, 3, -1}, VersorgungsFall{2, 40, 15, 12, -1, 0, 3, -1}));

} // namespace

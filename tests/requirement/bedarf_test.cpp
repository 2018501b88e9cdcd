#include "platform/clock.h"
#include "requirement/bedarf.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

TEST(NminVorrat, NachEinheitUndOrganischerSubstanz)
{
    // value, unit (0 mg NO3/l, 1 g N/m², 2 kg N/ha; 3 keeps the earlier 99), OS; -1 is nothing entered
    const std::tuple<float, qint16, float, float> faelle[] = {
        {10, 0, 2, 1.0387f}, {10, 0, 14.99f, 0.5719f}, {10, 0, 15, 0.5892f}, {0, 0, 2, 0},   {-1, 0, 2, 2.5f},
        {-1, 1, 2, 2.5f},    {-1, 2, 2, 2.5f},         {3.25f, 1, 2, 3.25f}, {50, 2, 2, 5.0f}, {10, 3, 2, 99.0f}};
    for (const auto& [wert, einheit, os, erwartet] : faelle)
        EXPECT_NEAR(NminVorratBerechnen(wert, einheit, os, 99.0f), erwartet, 5e-5) << wert << " " << einheit;
}

TEST(Mineralisierung, KlassenDerOrganischenSubstanzUndWochenanteile)
{
    const std::pair<float, float> klassen[] = {{3.99f, 5}, {4, 10}, {8, 10}, {8.01f, 15}, {12, 15}, {12.01f, 20}};
    for (const auto& [os, erwartet] : klassen)
        EXPECT_EQ(JahresMineralisierung(os), erwartet) << os;

    double summe = 0;
    for (int w = -3; w <= 60; ++w)
        summe += MineralisierungsAnteil(w);
    EXPECT_NEAR(summe, 0.99994, 1e-9); // weeks 13 to 43 only
}

// A state after the plot page: soil from the analysis An1 (OS 3, P2O5 15, K2O 12) on medium soil, crop Ku1.
class Bedarf : public ::testing::Test {
protected:
    Bedarf()
    {
        quellen.analysenZeilen["An1"] = test::analyseMit(3, 15, 12, 6);
        s.strAktAnalysenNr = "An1", s.strAktKulturNr = "Ku1";
        s.sngNminWert = -1, s.intBodenart = 1, s.sngMg = 12;
        s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    }
    BedarfsBericht rechnen()
    {
        return BedarfBerechnen(s, s.strAktKulturNr, s.strAktAnalysenNr, quellen.quellen(), uhr);
    }

    test::Speicherquellen quellen;
    WizardState s;
    FixedClock uhr{QDateTime(QDate(2029, 2, 1), QTime(9, 0))};
};

TEST_F(Bedarf, MineralisierungJeGabe)
{
    struct Fall { bool dauer; qint16 tage; double tGD, tKD1, tKD2; float os, zuschlag; int tag; double gd, kd1, kd2; };
    const Fall faelle[] = {
        // permanent crop by calendar weeks up to each top dressing (counted from TerminGD), then to 52;
        // no green manure, no Nmin reserve. Lawn 14/9/19: 1-23, 24-33, 34-52. 10/8/6: the second top
        // dressing falls before the first and takes its week, so KD1 is empty.
        {true, 365, 14, 9, 19, 5, 0, 0, 2.9994, 4.14, 2.86},
        {true, 365, 10, 8, 6, 5, 4, 0, 1.3394, 0, 8.66},
        // annual crops from 14 May day by day by Sunday weeks; green manure over 70 days: GD to day 23, KD1 to 35
        {false, 70, 0, 4, 8, 3, 0, 0, 0.712857, 0.825714, 0.42},
        {false, 70, 0, 4, 8, 3, 2, 0, 1.398571, 1.168571, 1.391429},
        // 42 days, both top dressings in the start week: 43 seventieths of the green manure
        {false, 42, 0, 0, 0, 5, 4, 0, 0.9, 0.4, 3.394288},
        // 8 January to 9 March: weeks 2 to 10 mineralise nothing
        {false, 60, 0, 4, 8, 3, 0, -126, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        quellen.kulturZeilen["Ku1"] = {"Ku1", "", f.tage, f.tGD, f.tKD1, f.tKD2, 1, 15, 0.4, 0.3, 0.3};
        quellen.analysenZeilen["An1"].GesamtN = f.os;
        s.blnDauerKultur = f.dauer, s.sngZuschlagGD = f.zuschlag;
        s.datKulturbeginn = QDateTime(QDate(2029, 5, 14).addDays(f.tag), QTime(0, 0));
        rechnen();
        EXPECT_NEAR(s.sngNachlieferungMinGD, f.gd, 1e-5);
        EXPECT_NEAR(s.sngNachlieferungMinKD1, f.kd1, 1e-5);
        EXPECT_NEAR(s.sngNachlieferungMinKD2, f.kd2, 1e-5);
        EXPECT_NEAR(s.sngNachlieferungMin, f.gd + f.kd1 + f.kd2, 1e-4);
        EXPECT_FLOAT_EQ(s.sngNminVorrat, f.dauer ? 0.0f : 2.5f);
    }
}

TEST(DauerkulturWochen, GrundUndKopfgabenAlsGanzeWochen)
{
    // TerminGD, TerminKD1, TerminKD2 -> weeks of the three dressings
    const std::tuple<double, double, double, int, int, int> faelle[] = {
        {14, 9, 19, 14, 23, 33}, {10, 8, 6, 10, 18, 18}, {10, 4, 0, 10, 14, 14},
        {10.5, 0.5, 1.5, 10, 11, 11}, {11.5, 2, 3, 12, 14, 15}, {0, 0, 0, 0, 0, 0}};
    for (const auto& [gd, kd1, kd2, w0, w1, w2] : faelle) {
        const DauerkulturWochen w = DauerkulturWochenBerechnen(gd, kd1, kd2);
        EXPECT_EQ(std::make_tuple(w.grund, w.kopf1, w.kopf2), std::make_tuple(w0, w1, w2)) << gd << " " << kd1 << " " << kd2;
    }
}

TEST_F(Bedarf, BedarfAusKulturUndAnalyseFehlendeZeilenBehaltenIhreWerte)
{
    quellen.kulturZeilen["Ku1"] = {"Ku1", "", 70, 0, 4, 8, 2, 15, 0.4, 0.35, 0.25, 1.5, 4, 0.8};
    rechnen();
    // needs per slot; 15 / 12 / 12 mg on medium soil: factor 1 for P2O5, K2O and Mg
    const std::vector<float> bedarf = {s.sngNBedarfGD, s.sngNBedarfKD1, s.sngNBedarfKD2, s.sngKulturPH,
                                       s.sngPBedarf,   s.sngKBedarf,    s.sngMgBedarf};
    EXPECT_EQ(bedarf, (std::vector<float>{6, 5.25f, 3.75f, 2, 1.5f, 4, 0.8f}));

    // an empty soil value or crop column stops the calculation before it changes anything
    quellen.analysenZeilen["An1"].P2O5.reset();
    s.sngNBedarfGD = 99;
    BedarfsBericht luecke = rechnen();
    EXPECT_EQ(luecke.analyseLuecken, QStringList{"Phosphat-Gehalt"});
    EXPECT_TRUE(luecke.meldung().startsWith("Fehler Nr. 103"));
    EXPECT_TRUE(luecke.meldung().endsWith("\n\nEs fehlt: Phosphat-Gehalt."));
    EXPECT_TRUE(s.sngP2O5 == 15 && s.sngNBedarfGD == 99);
    quellen.analysenZeilen["An1"].P2O5 = 15;
    quellen.kulturZeilen["Ku1"].leer = {"TerminGD", "N"}; // TerminGD counts for permanent crops only
    luecke = rechnen();
    EXPECT_EQ(luecke.kulturLuecken, QStringList{"N"});
    EXPECT_EQ(s.sngNBedarfGD, 99);
    quellen.kulturZeilen["Ku1"].leer.clear();
    rechnen();

    s.strAktAnalysenNr = "An404", s.strAktKulturNr = "Ku404";
    s.sngOS = 9;
    const BedarfsBericht b = rechnen();
    EXPECT_TRUE(b.kulturFehlt && b.meldung().isEmpty());
    EXPECT_FLOAT_EQ(s.sngNMineralisierung, 15); // from the OS kept
    EXPECT_FLOAT_EQ(s.sngNBedarfGD, 6);
    EXPECT_EQ(s.intKulturTage, 70);
    EXPECT_EQ(s.sngNachlieferungMinGD, 0);
}

TEST(Versorgungsstufen, FaktorNachBodenwert)
{
    // Removal 3 of each; the need shows the factor (6, 3 or 0). A K2O need of 77 is kept.
    struct Fall { qint16 bodenart; float os, p2o5, k2o, mg, p, k, mgBedarf; };
    const Fall faelle[] = {
        // P2O5 up to OS 15 (included): 10 / 20; above: 7 / 14
        {1, 3, 9.9f, 12, 12, 6, 3, 3}, {1, 3, 10, 12, 12, 3, 3, 3}, {1, 3, 20, 12, 12, 3, 3, 3},
        {1, 3, 20.1f, 12, 12, 0, 3, 3}, {1, 15, 9.9f, 12, 12, 6, 3, 3}, {1, 15.1f, 6.9f, 12, 12, 6, 3, 3},
        {1, 15.1f, 7, 12, 12, 3, 3, 3}, {1, 15.1f, 14.1f, 12, 12, 0, 3, 3},
        // K2O: light (and OS above 15) 8 / 15, medium 10 / 20, heavy 15 / 25, no rule for group 4
        {0, 3, 15, 7.9f, 12, 3, 6, 0}, {0, 3, 15, 8, 12, 3, 3, 0}, {0, 3, 15, 15.1f, 12, 3, 0, 0},
        {1, 3, 15, 9.9f, 12, 3, 6, 3}, {1, 3, 15, 20, 12, 3, 3, 3}, {1, 3, 15, 20.1f, 12, 3, 0, 3},
        {2, 3, 15, 14.9f, 12, 3, 6, 3}, {2, 3, 15, 25, 12, 3, 3, 3}, {2, 3, 15, 25.1f, 12, 3, 0, 3},
        {2, 20, 15, 15.1f, 12, 0, 0, 3}, {4, 3, 15, 3, 12, 3, 77, 3},
        // Mg: light 7 / 10, others 10 / 20; -1 not determined
        {0, 3, 15, 12, 6.9f, 3, 3, 6}, {0, 3, 15, 12, 7, 3, 3, 3}, {0, 3, 15, 12, 10, 3, 3, 3},
        {0, 3, 15, 12, 10.1f, 3, 3, 0}, {2, 3, 15, 12, 9.9f, 3, 6, 6}, {2, 3, 15, 12, 20.1f, 3, 6, 0},
        {0, 3, 15, 12, -1, 3, 3, -1}, {2, 40, 15, 12, -1, 0, 3, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        WizardState s;
        s.intBodenart = f.bodenart;
        s.sngOS = f.os, s.sngP2O5 = f.p2o5, s.sngK2O = f.k2o, s.sngMg = f.mg;
        s.sngKBedarf = 77;
        PKMgBedarfBerechnen(s, 3, 3, 3);
        EXPECT_EQ(s.sngPBedarf, f.p);
        EXPECT_EQ(s.sngPFaktor, f.p / 3);
        EXPECT_EQ(s.sngKBedarf, f.k);
        EXPECT_EQ(s.sngMgBedarf, f.mgBedarf);
    }
}

} // namespace

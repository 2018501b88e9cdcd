#include "requirement/restbedarf.h"
#include "services/gebietsschema.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

struct GabenFall {
    const char* name;
    float nGD, nKD1, nKD2;
    float v;
    float mGD, mKD1, mKD2;
    float gd, kd1, kd2;
};

class Restbedarf : public ::testing::TestWithParam<GabenFall> {};

TEST_P(Restbedarf, StickstoffJeGabe)
{
    const GabenFall& f = GetParam();
    WizardState s;
    s.strAktKulturNr = "Ku1010";
    s.sngNBedarfGD = f.nGD, s.sngNBedarfKD1 = f.nKD1, s.sngNBedarfKD2 = f.nKD2;
    s.sngNminVorrat = f.v;
    s.sngNachlieferungMinGD = f.mGD, s.sngNachlieferungMinKD1 = f.mKD1, s.sngNachlieferungMinKD2 = f.mKD2;
    s.sngNSaldoGD = s.sngNSaldoKD1 = s.sngNSaldoKD2 = 9; // of an earlier crop
    s.sngDuengerN = 1;
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngNSaldoGD, f.gd);
    EXPECT_FLOAT_EQ(s.sngNSaldoKD1, f.kd1);
    EXPECT_FLOAT_EQ(s.sngNSaldoKD2, f.kd2);
    EXPECT_FLOAT_EQ(s.sngNSaldo, f.gd + f.kd1 + f.kd2 - 1);
}

// Needs 10/5/5 (or 0 where a slot is missing), Nmin reserve 2.5, mineralisation 4/3/2.
INSTANTIATE_TEST_SUITE_P(
    Kombinationen, Restbedarf,
    ::testing::Values(GabenFall{"alle", 10, 5, 5, 2.5f, 4, 3, 2, 3.5f, 2, 3},
                      GabenFall{"ohneGD", 0, 5, 5, 2.5f, 4, 3, 2, 0, 2, 3},
                      GabenFall{"ohneKD2", 10, 5, 0, 2.5f, 4, 3, 2, 3.5f, 0, 0},
                      GabenFall{"ohneKD1", 10, 0, 5, 2.5f, 4, 3, 2, 0.5f, 0, 3},
                      GabenFall{"nurGD", 10, 0, 0, 2.5f, 4, 3, 2, 0, 0, 0},
                      GabenFall{"nurGDgross", 20, 0, 0, 2.5f, 4, 3, 2, 8.5f, 0, 0},
                      GabenFall{"nurKD1", 0, 5, 0, 2.5f, 4, 1, 2, 0, 2, 0},
                      GabenFall{"nurKD2", 0, 0, 5, 2.5f, 4, 3, 2, 0, 0, 3},
                      // carry: GD at exactly -2.5 none, at -3 and -12 exactly 2.5
                      GabenFall{"GDminus2_5", 4, 5, 5, 2.5f, 4, 3, 2, 0, 2, 3},
                      GabenFall{"GDminus3", 3.5f, 8, 5, 2.5f, 4, 3, 2, 0, 2.5f, 3},
                      GabenFall{"GDminus12", 1, 8, 5, 2.5f, 10.5f, 3, 2, 0, 2.5f, 3},
                      // KD1 at -4 after its own carry: KD2 loses 2.5
                      GabenFall{"KD1minus4", 1, 1, 8, 2.5f, 10.5f, 2.5f, 2, 0, 0, 3.5f},
                      // no slot with a need: nothing of the earlier crop stays
                      GabenFall{"keineGabe", 0, 0, 0, 2.5f, 4, 3, 2, 0, 0, 0}),
    [](const ::testing::TestParamInfo<GabenFall>& i) { return std::string(i.param.name); });

TEST(RestbedarfFaelle, PhosphatKaliMagnesiumNichtBeiNullBegrenzt)
{
    WizardState s;
    s.strAktKulturNr = "Ku1";
    s.sngPBedarf = 5, s.sngPWD = 2, s.sngDuengerP = 4;
    s.sngKBedarf = 8, s.sngKWD = 1, s.sngDuengerK = 2;
    s.sngMgBedarf = -1, s.sngDuengerMg = 0.5f, s.sngMgWD = 0.25f;
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngPSaldo, -1);
    EXPECT_FLOAT_EQ(s.sngKSaldo, 5);
    EXPECT_FLOAT_EQ(s.sngMgSaldo, -1.75f);
}

TEST(RestbedarfFaelle, PlanSummiertDieWochensalden)
{
    WizardState s;
    s.strAktKulturNr = "ID010120291200001234";
    s.arrMischkulturWerte.assign(55, MischkulturWoche{});
    s.arrMischkulturWerte[0].Saldo = 1;
    s.arrMischkulturWerte[12].Saldo = 1.25f;
    s.arrMischkulturWerte[54].Saldo = 3;
    s.sngDuengerN = 0.5f;
    s.sngNSaldoGD = 7, s.sngNSaldoKD1 = 8, s.sngNSaldoKD2 = 9;
    s.sngNBedarfGD = 1;
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngNSaldo, 4.75f);
    EXPECT_EQ(s.sngNSaldoGD, 7);
    EXPECT_EQ(s.sngNSaldoKD1, 8);
    EXPECT_EQ(s.sngNSaldoKD2, 9);

    s.arrMischkulturWerte.clear(); // never computed: no crash, nothing to fertilise
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngNSaldo, -0.5f);
}

TEST(RestbedarfFaelle, AndererSchluesselLaesstStickstoffUnberuehrt)
{
    for (const char* key : {"", "ku1010", "Ku", "id01"}) {
        WizardState s;
        s.strAktKulturNr = key;
        s.sngNSaldo = 6;
        s.sngNBedarfGD = 10;
        s.sngPBedarf = 3;
        RestbedarfBerechnen(s);
        if (QString(key) == "Ku")
            EXPECT_FLOAT_EQ(s.sngNSaldo, 10) << key;
        else
            EXPECT_EQ(s.sngNSaldo, 6) << key;
        EXPECT_FLOAT_EQ(s.sngPSaldo, 3) << key;
    }
}

// The four need lines.
class Meldungen : public ::testing::Test {
protected:
    Meldungen()
    {
        s.sngMg = 12;
        deutsch.locale = QLocale(QLocale::German, QLocale::Germany);
    }
    BedarfsMeldungen zeilen() const { return BedarfsMeldungenAnzeigen(s, deutsch); }

    WizardState s;
    Gebietsschema deutsch;
};

TEST_F(Meldungen, OptimalAbZweiOffen)
{
    s.blnOptimal = true;
    s.sngPSaldo = 1.99f, s.sngKSaldo = -10, s.sngNSaldo = -50, s.sngMgSaldo = 1.99f;
    BedarfsMeldungen m = zeilen();
    EXPECT_EQ(m.lblVersorgung(1), "Der Stickstoffbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(2), "Der Phosphatbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(3), "Der Kaliumbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(4), "Der Magnesiumbedarf der Kultur ist gedeckt.");

    s.sngPSaldo = 2.0f, s.sngKSaldo = 12.34f, s.sngNSaldo = 2.0f, s.sngMgSaldo = 1234.56f;
    m = zeilen();
    EXPECT_EQ(m.lblVersorgung(1), "Die Kultur hat einen Stickstoffbedarf von 2,0 g/m².");
    EXPECT_EQ(m.lblVersorgung(2), "Die Kultur hat einen Phosphatbedarf von 2,0 g/m².");
    EXPECT_EQ(m.lblVersorgung(3), "Die Kultur hat einen Kaliumbedarf von 12,3 g/m².");
    EXPECT_EQ(m.lblVersorgung(4), "Die Kultur hat einen Magnesiumbedarf von 1234,6 g/m².");
    EXPECT_EQ(m.lblVersorgung(0), "");
    EXPECT_EQ(m.lblVersorgung(5), "");
}

TEST_F(Meldungen, EinzelnOhneGewaehltenDuenger)
{
    s.blnOptimal = false;
    s.sngPSaldo = 2.0f, s.sngKSaldo = 2.0f, s.sngNSaldo = 1.99f, s.sngMgSaldo = 2.0f;
    BedarfsMeldungen m = zeilen();
    EXPECT_EQ(m.lblVersorgung(2), "Der Phosphatbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(3), "Die Kultur hat einen Kaliumbedarf von 2,0 g/m².");
    EXPECT_EQ(m.lblVersorgung(1), "Der Stickstoffbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(4), "Die Kultur hat einen Magnesiumbedarf von 2,0 g/m².");

    s.sngPSaldo = 2.01f, s.sngKSaldo = 1.99f, s.sngNSaldo = 2.0f;
    m = zeilen();
    EXPECT_EQ(m.lblVersorgung(2), "Die Kultur hat einen Phosphatbedarf von 2,0 g/m².");
    EXPECT_EQ(m.lblVersorgung(3), "Der Kaliumbedarf der Kultur ist gedeckt.");
    EXPECT_EQ(m.lblVersorgung(1), "Die Kultur hat einen Stickstoffbedarf von 2,0 g/m².");
}

TEST_F(Meldungen, EinzelnMitGewaehltemDuengerKenntUeberversorgung)
{
    s.blnOptimal = false;
    s.sngDuengerP = 3, s.sngDuengerK = 3;
    const std::vector<std::tuple<float, const char*, const char*>> faelle = {
        {-3.5f, "Die Kultur ist leicht mit Phosphat überversorgt.", "Die Kultur ist leicht mit Kalium überversorgt."},
        {-2.01f, "Die Kultur ist leicht mit Phosphat überversorgt.", "Die Kultur ist leicht mit Kalium überversorgt."},
        {-2.0f, "Der Phosphatbedarf der Kultur ist gedeckt.", "Der Kaliumbedarf der Kultur ist gedeckt."},
        {-1.5f, "Der Phosphatbedarf der Kultur ist gedeckt.", "Der Kaliumbedarf der Kultur ist gedeckt."},
        {1.99f, "Der Phosphatbedarf der Kultur ist gedeckt.", "Der Kaliumbedarf der Kultur ist gedeckt."},
        {2.0f, "Die Kultur hat einen Phosphatbedarf von 2,0 g/m².", "Die Kultur hat einen Kaliumbedarf von 2,0 g/m²."},
    };
    for (const auto& [saldo, p, k] : faelle) {
        s.sngPSaldo = s.sngKSaldo = saldo;
        const BedarfsMeldungen m = zeilen();
        EXPECT_EQ(m.lblVersorgung(2), QString::fromUtf8(p)) << saldo;
        EXPECT_EQ(m.lblVersorgung(3), QString::fromUtf8(k)) << saldo;
    }
    // Nitrogen has no oversupply sentence.
    s.sngNSaldo = -30;
    EXPECT_EQ(zeilen().lblVersorgung(1), "Der Stickstoffbedarf der Kultur ist gedeckt.");
}

TEST_F(Meldungen, MagnesiumNichtBestimmtGibtLeereZeile)
{
    s.sngMg = -1;
    s.sngMgSaldo = 5;
    for (bool optimal : {true, false}) {
        s.blnOptimal = optimal;
        EXPECT_EQ(zeilen().lblVersorgung(4), "") << optimal;
    }
}

TEST_F(Meldungen, ZahlImFormatDesNutzers)
{
    s.blnOptimal = true;
    s.sngNSaldo = 2.0f;
    Gebietsschema englisch;
    englisch.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, englisch).lblVersorgung(1),
              "Die Kultur hat einen Stickstoffbedarf von 2.0 g/m².");
    s.sngNSaldo = 12345.67f; // no group separator
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, englisch).lblVersorgung(1),
              "Die Kultur hat einen Stickstoffbedarf von 12345.7 g/m².");
}

} // namespace

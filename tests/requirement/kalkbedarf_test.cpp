#include "requirement/kalkbedarf.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

struct SchluesselFall {
    qint16 bodenart;
    float os, ph;
    int klasse, schluessel;
};

class KalkSchluessel : public ::testing::TestWithParam<SchluesselFall> {};

TEST_P(KalkSchluessel, KlasseUndPhSchluessel)
{
    const SchluesselFall& f = GetParam();
    const auto k = KalkSchluesselBestimmen(f.bodenart, f.os, f.ph);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->osKlasse, f.klasse);
    EXPECT_EQ(k->ph, f.schluessel);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, KalkSchluessel,
    ::testing::Values(
        // heavy soil, class 1: every bound belongs to the lower range (single precision: 6.3 is 6.3f)
        SchluesselFall{2, 3, 4.5f, 1, 45}, SchluesselFall{2, 3, 4.0f, 1, 45}, SchluesselFall{2, 3, 4.6f, 1, 46},
        SchluesselFall{2, 3, 6.3f, 1, 63}, SchluesselFall{2, 3, 6.4f, 1, 64}, SchluesselFall{2, 3, 7.2f, 1, 64},
        SchluesselFall{2, 3, 7.3f, 1, 0},
        // pH with two decimals: a whole key
        SchluesselFall{2, 3, 5.25f, 1, 52}, SchluesselFall{2, 3, 5.26f, 1, 53}, SchluesselFall{2, 3, 6.29f, 1, 63},
        // classes: 4, 8, 15 and 30 belong to the lower class
        SchluesselFall{0, 20, 5.0f, 4, 46}, SchluesselFall{0, 4, 5.0f, 1, 50}, SchluesselFall{0, 4.01f, 5.0f, 2, 50},
        SchluesselFall{1, 8, 5.0f, 2, 50}, SchluesselFall{1, 15, 5.0f, 3, 50}, SchluesselFall{1, 30, 5.0f, 4, 50},
        SchluesselFall{0, 3, 3.9f, 1, 40}, SchluesselFall{0, 3, 6.0f, 1, 58}, SchluesselFall{0, 3, 6.31f, 1, 0},
        SchluesselFall{1, 3, 6.2f, 1, 62}, SchluesselFall{1, 3, 7.0f, 1, 63}, SchluesselFall{1, 10, 6.1f, 3, 54},
        SchluesselFall{2, 10, 3.0f, 3, 38}, SchluesselFall{2, 20, 5.9f, 4, 51}, SchluesselFall{2, 20, 6.0f, 4, 0}));

TEST(KalkSchluesselFaelle, AndereBodenartOhneRegel)
{
    EXPECT_FALSE(KalkSchluesselBestimmen(4, 3, 5));
    EXPECT_FALSE(KalkSchluesselBestimmen(-1, 3, 5));
}

class Kalkbedarf : public ::testing::Test {
protected:
    Kalkbedarf()
    {
        s.strAktFlaechenNr = "Fl1000";
        s.intBodenart = 2;
        s.sngOS = 3;
        s.sngKulturPH = 1;
    }
    float bei(float ph)
    {
        s.sngPH = ph;
        KalkbedarfBerechnen(s, quellen);
        return s.sngKalkBedarf;
    }
    test::Speicherquellen quellen;
    WizardState s;
};

TEST_F(Kalkbedarf, TabellenwertInFuenfzigerSchritten)
{
    quellen.kalk[{2, 1, 45}] = 125; // 125 × 3.6 / 50 = 9
    quellen.kalk[{2, 1, 46}] = 6.9; // 0.4968
    quellen.kalk[{2, 1, 63}] = 7.0; // 0.504
    quellen.kalk[{2, 1, 64}] = 27.8; // 2.0016
    EXPECT_EQ(bei(4.5f), 450);
    EXPECT_EQ(bei(4.6f), 0);
    EXPECT_EQ(bei(6.3f), 50);
    EXPECT_EQ(bei(6.4f), 100);
    EXPECT_EQ(bei(7.2f), 100);
    EXPECT_EQ(bei(7.3f), 0);
}

TEST_F(Kalkbedarf, MoorbodenFesterWertOhneTabelle)
{
    s.sngOS = 35;
    s.sngKulturPH = 2;
    EXPECT_EQ(bei(4.2f), 50);
    EXPECT_EQ(bei(4.3f), 0);
    EXPECT_EQ(quellen.abfragen, 0);
    s.sngOS = 30; // still a mineral soil, class 4
    quellen.kalk[{2, 4, 33}] = 100;
    s.sngKulturPH = 1;
    EXPECT_EQ(bei(3.0f), 350);
}

TEST_F(Kalkbedarf, KulturOhneKalkbedarfUndFehlendeZeile)
{
    quellen.kalk[{2, 1, 50}] = 125;
    s.sngKulturPH = 2;
    EXPECT_EQ(bei(5.0f), 0);
    EXPECT_EQ(quellen.abfragen, 0);
    s.sngKulturPH = 1;
    EXPECT_EQ(bei(5.0f), 450);
    EXPECT_EQ(bei(5.1f), 0); // no row for key 51: no lime, no crash
    s.intBodenart = 4;       // no soil group chosen: no look-up
    EXPECT_EQ(bei(5.0f), 0);
}

TEST_F(Kalkbedarf, ZweiNachkommastellenFindenIhreZeile)
{
    quellen.kalk[{2, 1, 52}] = 125;
    EXPECT_EQ(bei(5.24f), 450);
}

TEST_F(Kalkbedarf, OhneFlaecheBleibtDerWert)
{
    s.strAktFlaechenNr.clear();
    s.sngKalkBedarf = 150;
    EXPECT_EQ(bei(4.5f), 150);
}

} // namespace

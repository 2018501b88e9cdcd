#include "requirement/kalkbedarf.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

TEST(KalkSchluessel, KlasseUndPhSchluessel)
{
    // soil group, organic matter, pH; class and key
    const std::tuple<qint16, float, float, int, int> faelle[] = {
        // heavy soil, class 1: each bound belongs to the range below it (6.3 read as single precision)
        {2, 3, 4.0f, 1, 45}, {2, 3, 4.5f, 1, 45}, {2, 3, 4.6f, 1, 46}, {2, 3, 6.3f, 1, 63}, {2, 3, 6.4f, 1, 64},
        {2, 3, 7.2f, 1, 64}, {2, 3, 7.3f, 1, 0},
        // two decimals give a whole key, rounded half to even
        {2, 3, 5.25f, 1, 52}, {2, 3, 5.26f, 1, 53}, {2, 3, 6.29f, 1, 63},
        // classes: 4, 8, 15 and 30 belong to the lower class
        {0, 4, 5.0f, 1, 50}, {0, 4.01f, 5.0f, 2, 50}, {1, 8, 5.0f, 2, 50}, {1, 15, 5.0f, 3, 50}, {1, 30, 5.0f, 4, 50},
        {0, 20, 5.0f, 4, 46}, {0, 3, 3.9f, 1, 40}, {0, 3, 6.0f, 1, 58}, {0, 3, 6.31f, 1, 0}, {1, 3, 6.2f, 1, 62},
        {1, 3, 7.0f, 1, 63}, {1, 10, 6.1f, 3, 54}, {2, 10, 3.0f, 3, 38}, {2, 20, 5.9f, 4, 51}, {2, 20, 6.0f, 4, 0},
    };
    for (const auto& [bodenart, os, ph, klasse, schluessel] : faelle) {
        const auto k = KalkSchluesselBestimmen(bodenart, os, ph);
        ASSERT_TRUE(k);
        EXPECT_EQ(std::pair(k->osKlasse, k->ph), std::pair(klasse, schluessel)) << bodenart << " " << os << " " << ph;
    }
    EXPECT_FALSE(KalkSchluesselBestimmen(4, 3, 5)); // no soil group chosen
    EXPECT_FALSE(KalkSchluesselBestimmen(-1, 3, 5));
}

TEST(Kalkbedarf, TabellenwertInFuenfzigerSchritten)
{
    test::Speicherquellen quellen;
    // CaO × 3.6 / 50, rounded: 125 → 9, 6.9 → 0.4968, 7.0 → 0.504, 27.8 → 2.0016
    quellen.kalk = {{{2, 1, 45}, 125}, {{2, 1, 46}, 6.9}, {{2, 1, 63}, 7.0}, {{2, 1, 64}, 27.8},
                    {{2, 1, 50}, 125}, {{2, 1, 52}, 125}, {{2, 4, 33}, 100}};
    // soil group, organic matter, crop code, pH; lime need
    const std::tuple<qint16, float, float, float, float> faelle[] = {
        {2, 3, 1, 4.5f, 450}, {2, 3, 1, 4.6f, 0}, {2, 3, 1, 6.3f, 50}, {2, 3, 1, 6.4f, 100}, {2, 3, 1, 7.2f, 100},
        {2, 3, 1, 7.3f, 0},   {2, 3, 1, 5.24f, 450}, // two decimals find the row of key 52
        {2, 3, 1, 5.1f, 0},   // no row for key 51: no lime, no crash
        {2, 3, 2, 5.0f, 0},   // crop without lime need
        {4, 3, 1, 5.0f, 0},   // no soil group chosen
        {2, 30, 1, 3.0f, 350}, // still mineral soil, class 4
        {2, 35, 2, 4.2f, 50}, {2, 35, 1, 4.3f, 0}, // moor: a fixed value, whatever the crop
    };
    WizardState s;
    s.strAktFlaechenNr = "Fl1000";
    for (const auto& [bodenart, os, kulturPH, ph, erwartet] : faelle) {
        s.intBodenart = bodenart, s.sngOS = os, s.sngKulturPH = kulturPH, s.sngPH = ph;
        KalkbedarfBerechnen(s, quellen);
        EXPECT_EQ(s.sngKalkBedarf, erwartet) << bodenart << " " << os << " " << kulturPH << " " << ph;
    }

    s.strAktFlaechenNr.clear(); // no plot chosen: the value stays
    s.sngKalkBedarf = 150;
    s.sngOS = 3, s.sngKulturPH = 1, s.sngPH = 4.5f;
    KalkbedarfBerechnen(s, quellen);
    EXPECT_EQ(s.sngKalkBedarf, 150);
}

} // namespace

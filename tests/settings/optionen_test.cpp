// What the settings window's options show and set, and the backup interval typed into its box.
#include "settings/optionen.h"

#include <gtest/gtest.h>

using namespace kav;

TEST(EinstellungsOptionen, NurWahrIstAnUndEinKlickSchaltetUm)
{
    const struct { const char* einstellung; const char* bild; const char* tag; const char* nachKlick; } faelle[] = {
        {"Wahr", "opb1", "1", "Falsch"}, {"Falsch", "opb0", "0", "Wahr"}, {"wahr", "opb0", "0", "Wahr"},
        {"WAHR", "opb0", "0", "Wahr"},   {"", "opb0", "0", "Wahr"},       {"Wahr ", "opb0", "0", "Wahr"},
    };
    for (const auto& f : faelle) {
        const OptionsBild o = optionFuer(f.einstellung);
        EXPECT_EQ(o, (OptionsBild{f.bild, f.tag})) << f.einstellung;
        EXPECT_EQ(optionUmschalten(o.tag), f.nachKlick) << f.einstellung;
    }
    for (const char* tag : {"", "2", "Wahr"})
        EXPECT_FALSE(optionUmschalten(tag)) << tag;
}

TEST(EinstellungsOptionen, IntervallNurAusBisZuZweiZiffern)
{
    const struct { const char* text; std::optional<int> tage; } faelle[] = {
        {"7", 7}, {"", 14}, {"30", 30}, {"99", 99}, {"0", 0}, {"07", 7},
        {"1a", std::nullopt}, {"100", std::nullopt}, {" 7", std::nullopt}, {"-1", std::nullopt},
        {"+5", std::nullopt}, {"1,5", std::nullopt}, {"\u0663", std::nullopt}, {"x", std::nullopt},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(intervallAusText(QString::fromUtf8(f.text)), f.tage) << f.text;
}

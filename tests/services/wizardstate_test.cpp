#include "services/wizardstate.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

using W = WizardState;

// Each value with the highest level that clears it (a level clears its own part and every higher one);
// -1: no level touches it.
const std::pair<float W::*, int> kZahlen[] = {
    {&W::sngPH, 0}, {&W::sngOS, 0}, {&W::sngP2O5, 0}, {&W::sngK2O, 0}, {&W::sngMg, 0},
    {&W::sngNBedarf, 1}, {&W::sngNBedarfGD, 1}, {&W::sngNBedarfKD1, 1}, {&W::sngNBedarfKD2, 1},
    {&W::sngPBedarf, 1}, {&W::sngKBedarf, 1}, {&W::sngMgBedarf, 1}, {&W::sngNminVorrat, 1},
    {&W::sngNachlieferungMin, 1}, {&W::sngNachlieferungMinGD, 1}, {&W::sngNachlieferungMinKD1, 1},
    {&W::sngNachlieferungMinKD2, 1}, {&W::sngZuschlagGD, 2}, {&W::sngOrgSubMenge, 3}, {&W::sngNWD, 3},
    {&W::sngPWD, 3}, {&W::sngKWD, 3}, {&W::sngMgWD, 3}, {&W::sngDuengerN, 4}, {&W::sngDuengerP, 4},
    {&W::sngDuengerK, 4}, {&W::sngDuengerMg, 4}, {&W::sngKalkBedarf, 4}, {&W::sngKalkCaCO3, 4},
    {&W::sngKalkMgCO3, 4}, {&W::sngNSaldo, -1}, {&W::sngNSaldoKD2, -1}, {&W::sngMgSaldo, -1},
    {&W::sngNMineralisierung, -1}, {&W::sngPFaktor, -1}, {&W::sngFlaecheGroesse, -1}, {&W::sngKulturPH, -1},
    {&W::sngBeetBreite, -1}};
const std::pair<QString W::*, int> kTexte[] = {
    {&W::strAktFlaechenNr, 0}, {&W::strAktAnalysenNr, 0}, {&W::strAktKulturNr, 1}, {&W::strAktKalkName, 4},
    {&W::strAktDuengerNr, -1}, {&W::strAktGruppierungNr, -1}, {&W::strKategorie, -1}};

TEST(WizardReset, JedeStufeLoeschtGenauIhrenTeil)
{
    for (int stufe : {0, 1, 2, 3, 4, 5, -1, 99}) {
        SCOPED_TRACE(stufe);
        const int eff = (stufe >= 1 && stufe <= 4) ? stufe : 0;
        const auto geloescht = [eff](int bis) { return bis >= 0 && eff <= bis; };
        WizardState s;
        for (const auto& [feld, bis] : kZahlen)
            s.*feld = 7;
        for (const auto& [feld, bis] : kTexte)
            s.*feld = "Nr7";
        s.sngNminWert = 10, s.intNminEinheit = 2;
        s.strAktOrgSubNr = "OS1001", s.intOrgSubAntwort = 0, s.strAktKalkNr = "Ka1001";
        s.rsDuengerAuswahl = std::vector<DuengerAuswahlZeile>{{"Du1001", 50, 1}};
        s.intKulturTage = 70, s.arrMischkulturWerte.resize(55);

        BedarfVariablenZuruecksetzen(s, stufe);
        for (const auto& z : kZahlen)
            EXPECT_EQ(s.*z.first, geloescht(z.second) ? 0.0f : 7.0f) << &z - kZahlen;
        for (const auto& t : kTexte)
            EXPECT_EQ(s.*t.first, geloescht(t.second) ? "" : "Nr7") << &t - kTexte;
        EXPECT_EQ(s.sngNminWert, eff == 0 ? -1.0f : 10.0f);
        EXPECT_EQ(s.intNminEinheit, eff == 0 ? 0 : 2);
        EXPECT_EQ(s.strAktOrgSubNr, eff <= 3 ? "x" : "OS1001");
        EXPECT_EQ(s.intOrgSubAntwort, eff <= 3 ? 2 : 0);
        EXPECT_EQ(s.strAktKalkNr, "x");
        EXPECT_FALSE(s.rsDuengerAuswahl.has_value());
        EXPECT_TRUE(s.intKulturTage == 70 && s.arrMischkulturWerte.size() == 55);
    }
}

} // namespace

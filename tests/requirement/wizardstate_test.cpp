#include "requirement/wizardstate.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

// Every variable set to a value that no reset produces.
WizardState gefuellt()
{
    WizardState s;
    s.strAktFlaechenNr = "Fl1001";
    s.strAktAnalysenNr = "An1002";
    s.strAktGruppierungNr = "1000";
    s.strAktKulturNr = "Ku1010";
    s.strAktOrgSubNr = "OS1001";
    s.strAktDuengerNr = "Du1001";
    s.strAktKalkNr = "Ka1001";
    s.strAktKalkName = "Kalk";
    s.strKategorie = "Gruen";
    s.sngFlaecheGroesse = 12;
    s.intFlaecheKompost = 1;
    s.intFlaecheNutzung = 2;
    s.intBodenart = 1;
    s.sngPH = 6.3f, s.sngOS = 3, s.sngP2O5 = 20, s.sngK2O = 15, s.sngMg = 8;
    s.datKulturbeginn = QDateTime(QDate(2029, 5, 14), QTime(0, 0));
    s.blnDauerKultur = true;
    s.intKulturTage = 70;
    s.sngKulturPH = 1;
    s.sngNminWert = 10, s.intNminEinheit = 2, s.sngNminVorrat = 1.5f;
    s.sngNBedarf = 10, s.sngNBedarfGD = 5, s.sngNBedarfKD1 = 3, s.sngNBedarfKD2 = 2;
    s.sngPBedarf = 4, s.sngKBedarf = 5, s.sngMgBedarf = 1, s.sngPFaktor = 2, s.sngKalkBedarf = 50;
    s.sngNMineralisierung = 7;
    s.sngNachlieferungMin = 3, s.sngNachlieferungMinGD = 1, s.sngNachlieferungMinKD1 = 1, s.sngNachlieferungMinKD2 = 1;
    s.sngZuschlagGD = 2;
    s.intOrgSubAntwort = 0, s.sngOrgSubMenge = 3;
    s.sngNWD = 1, s.sngPWD = 1, s.sngKWD = 1, s.sngMgWD = 1;
    s.rsDuengerAuswahl = std::vector<DuengerAuswahlZeile>{{"Du1001", 50, 1}};
    s.sngDuengerN = 6.5f, s.sngDuengerP = 1, s.sngDuengerK = 1, s.sngDuengerMg = 1;
    s.sngKalkCaCO3 = 90, s.sngKalkMgCO3 = 5;
    s.sngNSaldoGD = 1, s.sngNSaldoKD1 = 2, s.sngNSaldoKD2 = 3, s.sngNSaldo = 6;
    s.sngPSaldo = 1, s.sngKSaldo = 2, s.sngMgSaldo = -1;
    s.blnOptimal = true;
    s.sngBeetLaenge = 10, s.sngBeetBreite = 1.2f;
    s.intAktBalken = 3;
    s.arrMischkulturWerte.resize(55);
    return s;
}

} // namespace

TEST(WizardReset, JedeStufeLoeschtGenauIhrenTeil)
{
    // the lowest level that clears each group; -1: no level touches it
    for (int stufe : {0, 1, 2, 3, 4, 5, -1, 99}) {
        const int eff = (stufe >= 1 && stufe <= 4) ? stufe : 0;
        WizardState s = gefuellt();
        BedarfVariablenZuruecksetzen(s, stufe);
        SCOPED_TRACE(stufe);

        const bool l0 = eff == 0, l1 = eff <= 1, l2 = eff <= 2, l3 = eff <= 3;
        // level 0 only
        EXPECT_EQ(s.strAktFlaechenNr.isEmpty(), l0);
        EXPECT_EQ(s.strAktAnalysenNr.isEmpty(), l0);
        EXPECT_EQ(s.sngPH == 0 && s.sngOS == 0 && s.sngP2O5 == 0 && s.sngK2O == 0 && s.sngMg == 0, l0);
        EXPECT_EQ(s.sngNminWert, l0 ? -1.0f : 10.0f);
        EXPECT_EQ(s.intNminEinheit, l0 ? 0 : 2);
        // level 1 and 0
        EXPECT_EQ(s.strAktKulturNr.isEmpty(), l1);
        EXPECT_EQ(s.sngNBedarf == 0 && s.sngNBedarfGD == 0 && s.sngNBedarfKD1 == 0 && s.sngNBedarfKD2 == 0, l1);
        EXPECT_EQ(s.sngPBedarf == 0 && s.sngKBedarf == 0 && s.sngMgBedarf == 0, l1);
        EXPECT_EQ(s.sngNachlieferungMin == 0 && s.sngNachlieferungMinGD == 0 && s.sngNachlieferungMinKD2 == 0, l1);
        EXPECT_EQ(s.sngNminVorrat == 0, l1);
        // green manure: levels 0, 1, 2
        EXPECT_EQ(s.sngZuschlagGD == 0, l2);
        // organic material: levels 0-3
        EXPECT_EQ(s.strAktOrgSubNr, l3 ? "x" : "OS1001");
        EXPECT_EQ(s.intOrgSubAntwort, l3 ? 2 : 0);
        EXPECT_EQ(s.sngOrgSubMenge == 0 && s.sngNWD == 0 && s.sngMgWD == 0, l3);
        // fertiliser and lime: every level
        EXPECT_FALSE(s.rsDuengerAuswahl.has_value());
        EXPECT_EQ(s.sngDuengerN, 0.0f);
        EXPECT_EQ(s.strAktKalkNr, "x");
        EXPECT_TRUE(s.strAktKalkName.isEmpty());
        EXPECT_EQ(s.sngKalkBedarf + s.sngKalkCaCO3 + s.sngKalkMgCO3, 0.0f);

        // what no level touches
        EXPECT_EQ(s.sngNSaldo, 6.0f);
        EXPECT_EQ(s.sngNSaldoKD2, 3.0f);
        EXPECT_EQ(s.sngMgSaldo, -1.0f);
        EXPECT_EQ(s.sngNMineralisierung, 7.0f);
        EXPECT_EQ(s.sngPFaktor, 2.0f);
        EXPECT_EQ(s.intBodenart, 1);
        EXPECT_EQ(s.sngFlaecheGroesse, 12.0f);
        EXPECT_EQ(s.intFlaecheKompost, 1);
        EXPECT_EQ(s.intFlaecheNutzung, 2);
        EXPECT_EQ(s.intKulturTage, 70);
        EXPECT_EQ(s.sngKulturPH, 1.0f);
        EXPECT_TRUE(s.blnDauerKultur);
        EXPECT_EQ(s.datKulturbeginn.date(), QDate(2029, 5, 14));
        EXPECT_TRUE(s.blnOptimal);
        EXPECT_EQ(s.sngBeetBreite, 1.2f);
        EXPECT_EQ(s.arrMischkulturWerte.size(), 55u);
        EXPECT_EQ(s.strAktDuengerNr, "Du1001");
        EXPECT_EQ(s.strAktGruppierungNr, "1000");
        EXPECT_EQ(s.strKategorie, "Gruen");
        EXPECT_EQ(s.intAktBalken, 3);
    }
}

TEST(WizardReset, StufeZweiBehaeltKulturBedarfUndNmin)
{
    WizardState s = gefuellt();
    BedarfVariablenZuruecksetzen(s, 2);
    EXPECT_EQ(s.strAktKulturNr, "Ku1010");
    EXPECT_EQ(s.sngNBedarf, 10.0f);
    EXPECT_EQ(s.sngNminWert, 10.0f);
    EXPECT_EQ(s.sngZuschlagGD, 0.0f);
    EXPECT_EQ(s.strAktOrgSubNr, "x");
    EXPECT_FALSE(s.rsDuengerAuswahl.has_value());
}

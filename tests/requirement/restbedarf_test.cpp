#include "requirement/restbedarf.h"
#include "services/gebietsschema.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

TEST(Restbedarf, StickstoffJeGabe)
{
    struct Fall { float nGD, nKD1, nKD2, mGD, mKD1, mKD2, gd, kd1, kd2; }; // need, mineralisation, result per slot
    // Nmin reserve 2.5 on the base dressing; a need of 0 marks a missing slot.
    const Fall faelle[] = {
        // every combination of slots, needs 10/5/5 and mineralisation 4/3/2
        {10, 5, 5, 4, 3, 2, 3.5f, 2, 3}, {0, 5, 5, 4, 3, 2, 0, 2, 3},   {10, 5, 0, 4, 3, 2, 3.5f, 0, 0},
        {10, 0, 5, 4, 3, 2, 0.5f, 0, 3}, {10, 0, 0, 4, 3, 2, 0, 0, 0},  {20, 0, 0, 4, 3, 2, 8.5f, 0, 0},
        {0, 5, 0, 4, 1, 2, 0, 2, 0},     {0, 0, 5, 4, 3, 2, 0, 0, 3},
        // carry of the base dressing: none at exactly -2.5, 2.5 at -3 and at -12
        {4, 5, 5, 4, 3, 2, 0, 2, 3}, {3.5f, 8, 5, 4, 3, 2, 0, 2.5f, 3}, {1, 8, 5, 10.5f, 3, 2, 0, 2.5f, 3},
        // KD1 at -4 after its own carry: KD2 loses 2.5
        {1, 1, 8, 10.5f, 2.5f, 2, 0, 0, 3.5f},
        // no slot with a need: nothing of the earlier crop stays
        {0, 0, 0, 4, 3, 2, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        WizardState s;
        s.strAktKulturNr = "Ku1010";
        s.sngNBedarfGD = f.nGD, s.sngNBedarfKD1 = f.nKD1, s.sngNBedarfKD2 = f.nKD2;
        s.sngNminVorrat = 2.5f;
        s.sngNachlieferungMinGD = f.mGD, s.sngNachlieferungMinKD1 = f.mKD1, s.sngNachlieferungMinKD2 = f.mKD2;
        s.sngNSaldoGD = s.sngNSaldoKD1 = s.sngNSaldoKD2 = 9; // of an earlier crop
        s.sngDuengerN = 1;
        RestbedarfBerechnen(s);
        EXPECT_FLOAT_EQ(s.sngNSaldoGD, f.gd);
        EXPECT_FLOAT_EQ(s.sngNSaldoKD1, f.kd1);
        EXPECT_FLOAT_EQ(s.sngNSaldoKD2, f.kd2);
        EXPECT_FLOAT_EQ(s.sngNSaldo, f.gd + f.kd1 + f.kd2 - 1);
    }
}

TEST(Restbedarf, PlanSchluesselUndNaehrstoffeOhneUntergrenze)
{
    WizardState s;
    s.strAktKulturNr = "ID010120291200001234";
    s.arrMischkulturWerte.assign(55, MischkulturWoche{});
    s.arrMischkulturWerte[0].Saldo = 1, s.arrMischkulturWerte[12].Saldo = 1.25f, s.arrMischkulturWerte[54].Saldo = 3;
    s.sngDuengerN = 0.5f, s.sngNBedarfGD = 10, s.sngNSaldoGD = 7;
    s.sngPBedarf = 5, s.sngPWD = 2, s.sngDuengerP = 4;
    s.sngKBedarf = 8, s.sngKWD = 1, s.sngDuengerK = 2;
    s.sngMgBedarf = -1, s.sngDuengerMg = 0.5f, s.sngMgWD = 0.25f;
    RestbedarfBerechnen(s);
    EXPECT_FLOAT_EQ(s.sngNSaldo, 4.75f); // the weekly balances
    EXPECT_EQ(s.sngNSaldoGD, 7);
    EXPECT_FLOAT_EQ(s.sngPSaldo, -1);
    EXPECT_FLOAT_EQ(s.sngKSaldo, 5);
    EXPECT_FLOAT_EQ(s.sngMgSaldo, -1.75f);

    for (const char* key : {"", "ku1010", "id01"}) { // neither crop nor plan: nitrogen stays
        s.strAktKulturNr = key;
        s.sngNSaldo = 6;
        RestbedarfBerechnen(s);
        EXPECT_EQ(s.sngNSaldo, 6) << key;
        EXPECT_FLOAT_EQ(s.sngPSaldo, -1) << key;
    }
}

// The four need lines: N, P, K and Mg balance all set to the same value.
TEST(Meldungen, NachVerfahrenUndSaldo)
{
    // the method, a fertiliser of P and K chosen, the balance; per line: g covered, b need of "2,0", u oversupplied
    const std::tuple<bool, bool, float, const char*> faelle[] = {
        {true, false, 1.99f, "gggg"},  {true, false, 2.0f, "bbbb"},  {true, true, -50, "gggg"},
        // one at a time without a chosen fertiliser: phosphate is open only above 2.0
        {false, false, 1.99f, "gggg"}, {false, false, 2.0f, "bgbb"}, {false, false, 2.01f, "bbbb"},
        {false, false, -50, "gggg"},
        // one at a time with a fertiliser of P and K: oversupplied below -2.0
        {false, true, -3.5f, "guug"},  {false, true, -2.01f, "guug"}, {false, true, -2.0f, "gggg"},
        {false, true, 1.99f, "gggg"},  {false, true, 2.0f, "bbbb"},
    };
    const char* namen[] = {"Stickstoff", "Phosphat", "Kalium", "Magnesium"};
    Gebietsschema deutsch;
    deutsch.locale = QLocale(QLocale::German, QLocale::Germany);
    WizardState s;
    s.sngMg = 12;
    for (const auto& [optimal, mitDuenger, saldo, stand] : faelle) {
        s.blnOptimal = optimal;
        s.sngDuengerP = s.sngDuengerK = mitDuenger ? 3 : 0;
        s.sngNSaldo = s.sngPSaldo = s.sngKSaldo = s.sngMgSaldo = saldo;
        const BedarfsMeldungen m = BedarfsMeldungenAnzeigen(s, deutsch);
        for (int i = 0; i < 4; ++i) {
            const QString n = QString::fromUtf8(namen[i]);
            const QString erwartet = stand[i] == 'g' ? "Der " + n + "bedarf der Kultur ist gedeckt."
                                     : stand[i] == 'u' ? "Die Kultur ist leicht mit " + n + " überversorgt."
                                                       : "Die Kultur hat einen " + n + "bedarf von 2,0\u00A0g/\u2060m².";
            EXPECT_EQ(m.lblVersorgung(i + 1), erwartet) << optimal << mitDuenger << " " << saldo;
        }
    }
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, deutsch).lblVersorgung(0), "");
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, deutsch).lblVersorgung(5), "");

    s.sngMg = -1; // not determined: no magnesium line in either method
    for (bool optimal : {true, false}) {
        s.blnOptimal = optimal;
        EXPECT_EQ(BedarfsMeldungenAnzeigen(s, deutsch).lblVersorgung(4), "") << optimal;
    }

    // the user's number format without group separators
    s.sngNSaldo = 12345.67f, s.sngKSaldo = 12.34f;
    const BedarfsMeldungen m = BedarfsMeldungenAnzeigen(s, deutsch);
    EXPECT_EQ(m.lblVersorgung(1), "Die Kultur hat einen Stickstoffbedarf von 12345,7\u00A0g/\u2060m².");
    EXPECT_EQ(m.lblVersorgung(3), "Die Kultur hat einen Kaliumbedarf von 12,3\u00A0g/\u2060m².");
    Gebietsschema englisch;
    englisch.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(BedarfsMeldungenAnzeigen(s, englisch).lblVersorgung(1),
              "Die Kultur hat einen Stickstoffbedarf von 12345.7\u00A0g/\u2060m².");
}

} // namespace

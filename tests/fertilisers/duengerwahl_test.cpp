// The fertiliser step on the shipped catalogue: classes, proposals, lime, undo and hand-over.
#include "duengerfixture.h"
#include "fertilisers/duengerinfo.h"
#include "fertilisers/mengen.h"
#include "requirement/kalkbedarf.h"
#include "services/sql.h"

using namespace kav;

namespace {

using Schritt = test::DuengerTest;

struct Wahl {
    const char* nr;
    const char* txtMenge;
    const char* lblMenge;
    bool hinweis;
};

TEST_F(Schritt, OptimalPhosphatKaliumStickstoffDannKalk)
{
    Anzeige a = wahl().laden();
    ASSERT_TRUE(a.katalog);
    EXPECT_EQ(a.katalog->lblDuenger, DuengerFrage(Naehrstoff::P));
    EXPECT_EQ(anzahl(*a.katalog, "Gruen"), 18);
    EXPECT_EQ(anzahl(*a.katalog, "Gelb"), -1);
    EXPECT_EQ(anzahl(*a.katalog, "Rot"), -1);
    EXPECT_EQ(anzahl(*a.katalog, "Grau"), 0);
    EXPECT_FALSE(*a.cmbWeiter);

    const Wahl folge[] = {
        {"Du1010", "22", "Es werden 220\u00A0g Dünger für 10\u00A0m² benötigt.", false},
        {"Du1014", "16", "Es werden 160\u00A0g Dünger für 10\u00A0m² benötigt.", false},
        {"Du1001", "71", "Es werden 710\u00A0g Dünger für 10\u00A0m² benötigt.", true}, // horn meal, week 16
    };
    const Naehrstoff danach[] = {Naehrstoff::K, Naehrstoff::N, Naehrstoff::Mg};
    for (size_t i = 0; i < std::size(folge); ++i) {
        SCOPED_TRACE(folge[i].nr);
        const Katalog vorher = *a.katalog;
        a = waehlen(folge[i].nr, vorher);
        EXPECT_EQ(a.txtMenge, folge[i].txtMenge);
        EXPECT_EQ(a.lblMenge, folge[i].lblMenge);
        EXPECT_EQ(a.hinweis.has_value(), folge[i].hinweis);
        EXPECT_EQ(a.katalog->leit, danach[i]);
        EXPECT_EQ(s.rsDuengerAuswahl->back().Nr, int(i) + 1);
    }
    // nutrients covered, lime need 150: the limes, and Next waits for one
    EXPECT_FLOAT_EQ(s.sngKalkBedarf, 150);
    EXPECT_EQ(a.katalog->stand, Katalogstand::Kalk);
    EXPECT_EQ(anzahl(*a.katalog, "Gruen"), 7);
    EXPECT_EQ(a.katalog->lblDuenger, kKalkFrage);
    EXPECT_FALSE(*a.cmbWeiter);

    a = wahl().kalkWaehlen("Ka1001");
    EXPECT_EQ(a.lblMenge, "Es werden 175\u00A0g Kohlensaurer Kalk je\u00A0m² benötigt.");
    EXPECT_EQ(a.txtMenge, "175"); // the lime's dose, not the horn meal's 71
    EXPECT_TRUE(*a.cmbWeiter);
    EXPECT_EQ(a.katalog->lblDuenger, kGedeckt);
    ASSERT_EQ(a.gewaehlt->size(), 4u);
    EXPECT_EQ(a.gewaehlt->back().text, "Kohlensaurer Kalk");
    EXPECT_EQ(a.gewaehlt->front().text, "Superphosphat (0+18+0+0)");

    a = wahl().zuruecknehmen();
    EXPECT_EQ(a.katalog->stand, Katalogstand::Kalk);
    EXPECT_EQ(s.strAktKalkNr, "x");
    a = wahl().zuruecknehmen();
    EXPECT_EQ(a.txtMenge, "16");
    EXPECT_EQ(a.lblMenge, "Es werden 160\u00A0g Dünger für 10\u00A0m² benötigt.");
    EXPECT_EQ(a.katalog->lblDuenger, DuengerFrage(Naehrstoff::N));
    EXPECT_EQ(s.rsDuengerAuswahl->size(), 2u);
}

TEST_F(Schritt, WenigeDuengerGelbUndGedeckt)
{
    s.sngPH = 7.1f; // no lime
    s.blnOptimal = false;
    const Katalog k = *wahl().laden().katalog;
    EXPECT_EQ(anzahl(k, "Gruen"), 21);
    EXPECT_EQ(anzahl(k, "Gelb"), 10);
    EXPECT_EQ(k.leit, Naehrstoff::N);
    {
        WizardState vorher = s;
        const Anzeige a = waehlen("Du1027", k); // NPK 12+12+17+2 from "Gelb": dosed by phosphate
        EXPECT_EQ(a.txtMenge, "33");
        EXPECT_EQ(a.lblMenge, "Es werden 330\u00A0g Dünger für 10\u00A0m² benötigt.");
        s = vorher;
    }
    Anzeige a = waehlen("Du1029", k); // Rasendünger 20+5+8
    EXPECT_EQ(a.txtMenge, "50");
    EXPECT_EQ(a.lblMenge, "Es werden 500\u00A0g Dünger für 10\u00A0m² benötigt.");
    a = waehlen("Du1014", *a.katalog); // Kaliumsulfat: 80 g; the need is covered, the sentence goes
    EXPECT_EQ(a.txtMenge, "8");
    EXPECT_EQ(a.lblMenge, "");
    EXPECT_EQ(s.rsDuengerAuswahl->back().Menge, 8);
    EXPECT_EQ(a.katalog->stand, Katalogstand::Geschlossen);
    EXPECT_EQ(a.katalog->lblDuenger, kGedeckt);
    EXPECT_TRUE(*a.cmbWeiter);
}

// The information on an unusable fertiliser of the user's own names its nutrient until a chosen
// fertiliser supplies it.
TEST_F(Schritt, InfoEigenerPhosphatduenger)
{
    s.sngPH = 7.1f;
    s.blnOptimal = false;
    const QString nr = katalog.duengerNeu({"Mein P", 0, 20, 0, 0, false});
    Katalog k = *wahl().laden().katalog;
    ASSERT_EQ(klasseVon(k, nr), "Rot");
    DuengerInfoInhalt i = DuengerInfoBestimmen("Rot", katalog.duenger(nr), s, g);
    EXPECT_EQ(i.caption, "Ungeeigneter Dünger");
    EXPECT_EQ(i.titel, "Mein P (0-20-0)");
    EXPECT_EQ(i.textNr, "5-0");
    EXPECT_TRUE(katalog.infoText(i.textNr));
    k = *waehlen("Du1029", k).katalog;
    EXPECT_EQ(klasseVon(k, nr), "Rot");
    EXPECT_EQ(DuengerInfoBestimmen("Rot", katalog.duenger(nr), s, g).textNr, "1-0");
    EXPECT_EQ(DuengerInfoBestimmen("Gelb", katalog.duenger("Du1027"), s, g).caption, "Verwendbarer Dünger");
}

// The fertiliser editor's save taken into the choice; a bed of a mixed culture as area.
TEST_F(Schritt, EigenerDuengerUndKalkAusDemEditor)
{
    wahl().laden();
    const QString nr = katalog.duengerNeu({"Mein PK", 0, 8, 16, 0, false});
    EXPECT_EQ(nr, "Du1046");
    Anzeige a = wahl().neuerDuenger(nr);
    EXPECT_FALSE(a.ungeeignet);
    ASSERT_EQ(a.gewaehlt->size(), 1u);
    EXPECT_EQ(a.gewaehlt->front().text, "Mein PK (0+8+16+0)");
    EXPECT_EQ(a.txtMenge, "50");
    EXPECT_EQ(a.lblMenge, "Es werden 500\u00A0g Dünger für 10\u00A0m² benötigt.");
    // again, with another content: saved, not added twice, the sums follow its new contents
    EXPECT_FLOAT_EQ(s.sngDuengerP, 4);
    ASSERT_TRUE(katalog.duengerAendern(nr, {"Mein PK", 0, 10, 16, 0, false}));
    a = wahl().neuerDuenger(nr);
    EXPECT_EQ(a.meldung, kDoppelterDuenger);
    EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
    EXPECT_FLOAT_EQ(s.sngDuengerP, 5);

    s.strAktKulturNr = "ID010120260000001234";
    s.sngBeetLaenge = 3, s.sngBeetBreite = 1.5f;
    EXPECT_EQ(MengenSatz(50, s, g), "Es werden 225\u00A0g Dünger für 4,5\u00A0m² benötigt.");

    s.sngKalkBedarf = 150;
    const QString kalk = katalog.kalkNeu({"Mein Kalk", 65, 25});
    EXPECT_EQ(kalk, "Ka1008");
    EXPECT_EQ(wahl().kalkWaehlen(kalk).lblMenge, "Es werden 165\u00A0g Mein Kalk je\u00A0m² benötigt.");
}

TEST_F(Schritt, KalkmengenInFuenferschritten)
{
    s.sngPH = 6.1f;
    KalkbedarfBerechnen(s, quellen.kalkbedarf);
    EXPECT_FLOAT_EQ(s.sngKalkBedarf, 200);
    const struct {
        float bedarf;
        double ca, mg;
        double gramm;
    } faelle[] = {
        {200, 55, 40, 210}, // Dolomitkalk
        {200, 70, 5, 265},  // Kalkmergel
        {50, 16, 0, 310},   // 312.5 g: the half goes to the even multiple
        {150, 65, 25, 165}, {250, 80, 10, 280}, {250, 85, 0, 295},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(KalkDosis(f.bedarf, f.ca, f.mg), f.gramm) << f.bedarf << " " << f.ca;
    EXPECT_FALSE(KalkDosis(200, 0, 0));
    EXPECT_FALSE(KalkDosis(200, 1e-40, 0)); // stored before such contents were refused: no dose beyond measure
    EXPECT_EQ(wahl().kalkWaehlen("Ka1002").lblMenge,
              "Es werden 210\u00A0g Kohlensaurer Magnesiumkalk (Dolomitkalk) je\u00A0m² benötigt.");
}

// The total for the area from the whole grams per m², as the plan writes its amounts.
TEST_F(Schritt, MengenSatzGrammUndKilogramm)
{
    const struct {
        float flaeche;
        float menge;
        const char* satz;
    } faelle[] = {
        {20, 33, "Es werden 660\u00A0g Dünger für 20\u00A0m² benötigt."},
        {40, 33, "Es werden 1,32\u00A0kg Dünger für 40\u00A0m² benötigt."},
        {10, 100, "Es werden 1000\u00A0g Dünger für 10\u00A0m² benötigt."},
        {10.01f, 100, "Es werden 1,00\u00A0kg Dünger für 10,01\u00A0m² benötigt."},
        {25, 45, "Es werden 1,13\u00A0kg Dünger für 25\u00A0m² benötigt."}, // an exact tie rounds up
        {10.3f, 10, "Es werden 105\u00A0g Dünger für 10,3\u00A0m² benötigt."},
        {10.5f, 25, "Es werden 260\u00A0g Dünger für 10,5\u00A0m² benötigt."}, // 262.5: the half to the even step
    };
    for (const auto& f : faelle) {
        s.sngFlaecheGroesse = f.flaeche;
        EXPECT_EQ(MengenSatz(f.menge, s, g), f.satz) << f.flaeche;
    }
}

// After the plan page lowered the sums and recomputed the need, loading sums the list from 0 first.
TEST_F(Schritt, LadenSummiertVorDemSortieren)
{
    Katalog k = *wahl().laden().katalog;
    k = *waehlen("Du1010", k).katalog;
    waehlen("Du1014", k);
    s.sngDuengerN = s.sngDuengerP = s.sngDuengerK = 0;
    s.sngPSaldo = 4, s.sngKSaldo = 8;
    const Anzeige a = wahl().laden();
    EXPECT_EQ(a.katalog->lblDuenger, DuengerFrage(Naehrstoff::N));
    EXPECT_TRUE(*a.cmbWeiter);
    EXPECT_NEAR(s.sngDuengerP, 3.96f, 1e-5);
}

// A lime chosen is entered again by every rebuild and by the plan page's Back: one lime node.
TEST_F(Schritt, HoechstensEinKalkknoten)
{
    s.sngNBedarfGD = s.sngPBedarf = s.sngKBedarf = 0;
    wahl().laden();
    wahl().kalkWaehlen("Ka1003");
    wahl().laden();
    wahl().neuRechnen();
    const Anzeige a = wahl().kalkWaehlen(s.strAktKalkNr);
    ASSERT_EQ(a.gewaehlt->size(), 1u);
    EXPECT_EQ(a.gewaehlt->front().tag, "Kalk");
    EXPECT_EQ(a.lblMenge, "Es werden 175\u00A0g Algenkalk je\u00A0m² benötigt.");
    EXPECT_TRUE(wahl().kalkWaehlen("x").meldung.isEmpty()); // no lime: nothing happens
    EXPECT_EQ(s.strAktKalkNr, "Ka1003");
}

// A lime chosen on an earlier pass is entered again once a fertiliser covers the last need (picked, or
// saved in the editor): the amount box and the sentence show the lime's dose, not the fertiliser's.
TEST_F(Schritt, WiederEingetragenerKalkZeigtSeineMengeInDerBox)
{
    const std::pair<const char*, std::function<Anzeige(const Katalog&)>> wege[] = {
        {"gewählt", [&](const Katalog& k) { return waehlen("Du1001", k); }},
        {"Editor", [&](const Katalog&) { return wahl().neuerDuenger(katalog.duengerNeu({"Mein N", 14, 0, 0, 0, false})); }},
    };
    for (const auto& [weg, letzter] : wege) {
        SCOPED_TRACE(weg);
        SetUp();
        s.strAktKalkNr = "Ka1001";
        Katalog k = *wahl().laden().katalog;
        k = *waehlen("Du1010", k).katalog;
        k = *waehlen("Du1014", k).katalog;
        ASSERT_EQ(k.leit, Naehrstoff::N);
        const Anzeige a = letzter(k);
        ASSERT_TRUE(a.katalog && a.gewaehlt);
        EXPECT_EQ(a.katalog->stand, Katalogstand::Geschlossen);
        EXPECT_EQ(a.txtMenge, "175");
        EXPECT_EQ(a.lblMenge, "Es werden 175\u00A0g Kohlensaurer Kalk je\u00A0m² benötigt.");
        EXPECT_EQ(a.gewaehlt->back().text, "Kohlensaurer Kalk");
    }
}

TEST_F(Schritt, KalkOhneCarbonatWirdNichtGewaehlt)
{
    sql::exec(dateien.kav.db(), "INSERT INTO KalkID (KalkNr, Eingabe, Bezeichnung, CaCO3, MgCO3) VALUES "
                                "('Ka1100', 'Nutzer', 'Sand', 0, 0)");
    s.sngKalkBedarf = 150;
    const WizardState vorher = s;
    const Anzeige a = wahl().kalkWaehlen("Ka1100");
    EXPECT_TRUE(a.meldung.contains("„Sand“"));
    EXPECT_FALSE(a.katalog);
    EXPECT_EQ(s.strAktKalkNr, vorher.strAktKalkNr);
}

// Reset with nothing chosen changes nothing; Next with nothing at all tells so.
TEST_F(Schritt, ZuruecknehmenUndWeiterOhneAuswahl)
{
    s.sngNBedarfGD = s.sngPBedarf = s.sngKBedarf = 0;
    s.sngPH = 7.1f;
    wahl().laden();
    EXPECT_FALSE(wahl().zuruecknehmen().katalog);
    QString meldung;
    EXPECT_FALSE(wahl().weiter(&meldung));
    EXPECT_EQ(meldung, kKeineDuengung);
    s.sngOrgSubMenge = 3;
    EXPECT_TRUE(wahl().weiter(&meldung));
}

TEST_F(Schritt, DoppeltUndRotWerdenNichtAngefuegt)
{
    s.sngPH = 7.1f;
    s.blnOptimal = false;
    const QString eigener = katalog.duengerNeu({"Mein P", 0, 20, 0, 0, false});
    Katalog k = *wahl().laden().katalog;
    waehlen("Du1029", k);
    Anzeige a = wahl().waehlen("Du1029", "Gruen");
    EXPECT_EQ(a.meldung, kDoppelterDuenger);
    a = wahl().waehlen(eigener, "Rot");
    EXPECT_TRUE(a.ersterKnoten);
    EXPECT_FALSE(a.txtMenge);
    EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
    EXPECT_TRUE(s.strAktDuengerNr.isEmpty());
}

// The notice follows the crop's ISO start week, for a plan its first week; a plan without rows or
// a failing look-up gives none and the pick goes on.
TEST_F(Schritt, HornhinweisNachStartwoche)
{
    struct PlanMit final : PlanQuelle {
        int woche = 0;
        bool fehler = false;
        std::vector<PlanZeile> planZeilen(const QString& mkid) const override
        {
            if (fehler)
                throw sql::Error("kaputt");
            if (woche == 0)
                return {};
            return {{"ID1", "Ku1025", mkid, "Kohlrabi", woche}};
        }
    } plan;
    const Duengerquellen mitPlan{katalog, quellen.duenger, quellen.kalkbedarf, plan};
    const struct {
        const char* kultur;
        QDate start;
        int planWoche;
        bool fehler;
        bool hinweis;
    } faelle[] = {
        {"Ku1025", QDate(2026, 4, 19), 0, false, true},  // Sunday: ISO week 16
        {"Ku1025", QDate(2026, 4, 20), 0, false, false}, // Monday: week 17
        {"ID010120260000001234", {}, 16, false, true},
        {"ID010120260000001234", {}, 17, false, false},
        {"ID010120260000001234", {}, 0, false, false},
        {"ID010120260000001234", {}, 16, true, false},
    };
    s.sngPBedarf = s.sngKBedarf = 0;
    s.arrMischkulturWerte.resize(55);
    s.arrMischkulturWerte[20].Saldo = 10;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.kultur + QString::number(f.planWoche).toStdString());
        DuengerlisteAnlegen(s);
        s.strAktKulturNr = f.kultur;
        s.datKulturbeginn = QDateTime(f.start, QTime(0, 0));
        plan.woche = f.planWoche, plan.fehler = f.fehler;
        const QDateTime beginn = s.datKulturbeginn;
        Duengerwahl w(s, e, g, mitPlan);
        w.laden();
        const Anzeige a = w.waehlen("Du1001", "Gruen");
        EXPECT_EQ(a.hinweis.has_value(), f.hinweis);
        EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
        EXPECT_EQ(s.datKulturbeginn, beginn);
    }
    // a permanent crop gets no notice, whatever its key
    s.blnDauerKultur = true;
    plan.woche = 16, plan.fehler = false;
    EXPECT_FALSE(HornStartwoche(s, plan));
    s.strAktKulturNr = "Ku1025";
    s.datKulturbeginn = QDateTime(QDate(2026, 4, 19), QTime(0, 0));
    EXPECT_FALSE(HornStartwoche(s, plan));
    EXPECT_EQ(HornHinweis("Du1004", true, 25)->caption, "KAV - Horndünger");
    EXPECT_EQ(HornHinweis("Du1003", true, 18)->kapitel, "Horn");
    EXPECT_FALSE(HornHinweis("Du1003", true, 19));
    EXPECT_FALSE(HornHinweis("Du1001", true, 32));
    EXPECT_TRUE(HornHinweis("Du1001", true, 33));
    EXPECT_EQ(HornHinweis("Du1046", true, 35)->caption, "KAV - organischer N-Dünger");
    EXPECT_FALSE(HornHinweis("Du1046", false, 35));
}

// The seasonal notice comes with a fertiliser that is taken, not with one refused as chosen before
// or as unusable.
TEST_F(Schritt, HornhinweisNachDerEntscheidung)
{
    s.sngPBedarf = s.sngKBedarf = 0; // nitrogen is asked for; the crop starts in week 16
    const QString eigener = katalog.duengerNeu({"Mein Horn", 0, 10, 0, 0, true});
    wahl().laden();
    const struct {
        QString nr;
        const char* klasse;
        bool genommen;
    } faelle[] = {
        {eigener, "Rot", false}, {"Du1001", "Gruen", true}, {"Du1001", "Gruen", false}, // chosen before
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.nr.toStdString() + " " + f.klasse);
        const size_t vorher = s.rsDuengerAuswahl->size();
        const Anzeige a = wahl().waehlen(f.nr, f.klasse);
        EXPECT_EQ(s.rsDuengerAuswahl->size(), vorher + (f.genommen ? 1 : 0));
        EXPECT_EQ(a.hinweis.has_value(), f.genommen);
    }
}

TEST_F(Schritt, VerfahrenFrageUndImmerOptimal)
{
    const struct {
        float n, p, k;
        bool immer;
        const char* kultur;
        bool frage;
    } faelle[] = {
        {5, 1, 3, false, "Ku1025", true}, {5, 1, 1, false, "Ku1025", false}, {2, 2, 0, false, "Ku1025", true},
        {5, 3, 3, true, "Ku1025", false}, {5, 3, 3, false, "ID010120260000001234", false},
    };
    for (const auto& f : faelle) {
        s.sngNSaldo = f.n, s.sngPSaldo = f.p, s.sngKSaldo = f.k;
        s.strAktKulturNr = f.kultur;
        e.blnImmerOptimal = f.immer;
        EXPECT_EQ(VerfahrenFragen(s, e), f.frage) << f.n << f.p << f.k << f.immer;
    }
    // the method set for good holds when the step loads, whatever the last calculation chose
    s.strAktKulturNr = "Ku1025";
    s.blnOptimal = false;
    e.blnImmerOptimal = true;
    wahl().laden();
    EXPECT_TRUE(s.blnOptimal);
    e.blnImmerOptimal = false;
    s.blnOptimal = false;
    wahl().laden(); // N, P2O5 and K2O all open: the method stays
    EXPECT_FALSE(s.blnOptimal);
}

} // namespace

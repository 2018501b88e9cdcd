// The plan construction on the shipped reference data, row by row: Kohlrabi with a base and a top
// dressing, a lawn as a permanent crop with three dressings, a mixed-culture plan of four crops with
// its weekly nitrogen dressings; repeated plans; the rows and fertilisers the plan cannot use.
#include "planfixture.h"
#include "requirement/mischkultur.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

using Zeilen = std::vector<std::pair<int, QString>>;

const QString kKalk = "Um den Kalkversorgungszustand des Bodens langfristig zu sichern, sollte eine jährliche Kalkung mit ";
const QString kKalk295 = kKalk + "295 g Algenkalk je m² durchgeführt werden.";
const QString kAusreichend = "Ihr Boden ist ausreichend mit Kalk versorgt. Eine Kalkung ist nicht notwendig.";
const QString kWarnung = "Die letzte Analyse der Fläche liegt bereits länger als 5 Jahre zurück. Sie sollten die "
                         "Fläche möglichst bald erneut untersuchen lassen.";

class Duengeplan : public ::testing::Test, protected test::PlanDateien {
protected:
    // The text rows of the plan of `s` in `jahr` (a mixed culture's balances computed first).
    Zeilen planen(WizardState& s, int jahr)
    {
        if (s.strAktKulturNr.startsWith("ID"))
            bedarf(s, jahr);
        eingang = PlanEingang::aus(s);
        ergebnis = test::PlanDateien::planen(s, eingang, jahr, raster);
        Zeilen z;
        for (int i = 0; i < raster.Rows(); ++i)
            if (!raster.TextMatrix(i, 0).isEmpty())
                z.emplace_back(i, raster.TextMatrix(i, 0));
        return z;
    }
    Empfehlungsraster raster;
    PlanEingang eingang;
    PlanErgebnis ergebnis;
};

TEST_F(Duengeplan, DreiPlanartenZeileFuerZeile)
{
    struct Fall { WizardState s; int jahr; Zeilen zeilen; float n, p, k; };
    Fall faelle[] = {
        {test::kohlrabi(), 2026,
         {{0, "Düngeempfehlung für Kohlrabi"}, {6, "Grunddüngung am 11.05.2026 mit: "}, {7, "460 g Hornspäne auf 10 m²"},
          {8, "300 g Superphosphat auf 10 m²"}, {10, "1. Kopfdüngung in der 1. Juniwoche mit: "},
          {11, "310 g Hornspäne auf 10 m²"}, {15, kKalk295}, {16, kWarnung}, {17, "XXX"}},
         0.4f, 0.8f, 0},
        {test::zierrasen(), 2026,
         {{0, "Düngeempfehlung für Zierrasen (Dauerkultur)"}, {6, "1. Düngung Ende März bis Anfang April mit:"},
          {7, "1,50 kg Rasendünger, mineralisch 20+5+8 auf 50 m²"}, {9, "2. Düngung Ende Mai bis Anfang Juni mit:"},
          {10, "1000 g Rasendünger, mineralisch 20+5+8 auf 50 m²"}, {12, "3. Düngung Anfang bis Mitte August mit:"},
          {13, "500 g Rasendünger, mineralisch 20+5+8 auf 50 m²"}, {16, kAusreichend}, {17, kWarnung}, {18, "XXX"}},
         0, 0, 0},
        // the plan's first week 14 gets its dressing (named by week 15)
        {test::mischkultur(), 2027,
         {{0, "Düngeempfehlung für Mischkultur"}, {6, "Grunddüngung vor Kulturbeginn mit: "},
          {7, "120 g Kalimagnesia auf 6 m²"}, {10, "1. N-Düngung Anfang April"}, {11, "55 g Hornmehl"},
          {13, "2. N-Düngung Anfang Mai"}, {14, "220 g Hornmehl"}, {16, "3. N-Düngung Anfang Juni"},
          {17, "135 g Hornmehl"}, {19, "4. N-Düngung Ende Juni"}, {20, "90 g Hornmehl"}, {23, kAusreichend},
          {24, kWarnung}, {25, "XXX"}},
         14, 1, 0},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.s.strAktKulturNr.toStdString());
        f.zeilen.insert(f.zeilen.begin() + 1, {{1, "Fläche: 'Gemüsebeet', Analyse vom 15.03.2020"},
                                               {4, "Es wird folgende Düngung benötigt:"}});
        std::sort(f.zeilen.begin(), f.zeilen.end());
        EXPECT_EQ(planen(f.s, f.jahr), f.zeilen);
        EXPECT_TRUE(ergebnis.ok);
        EXPECT_EQ(raster.Rows(), f.zeilen.back().first + 1);
        const std::vector<float> summen{f.s.sngDuengerN, f.s.sngDuengerP, f.s.sngDuengerK};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(summen[i], (std::vector<float>{f.n, f.p, f.k}[i]), 1e-4) << i;

        // every further plan starts from the totals the page was entered with
        const Empfehlungsraster erster = raster;
        for (int i = 0; i < 3; ++i)
            test::PlanDateien::planen(f.s, eingang, f.jahr, raster);
        EXPECT_TRUE(raster == erster);
        EXPECT_EQ(std::vector<float>({f.s.sngDuengerN, f.s.sngDuengerP, f.s.sngDuengerK}), summen);
    }
}

TEST_F(Duengeplan, SonderfaelleUndFehlendeZeilen)
{
    const auto liste = [](float menge) { return std::vector<DuengerAuswahlZeile>{{"Du1004", menge, 1}}; };
    // a missing row: one red row naming it, no plan
    const auto fehlt = [](const QString& was) {
        return Zeilen{{0, "Die Düngeempfehlung kann nicht erstellt werden. Nicht mehr vorhanden: " + was
                              + ". Bitte gehen Sie zurück und treffen Sie Ihre Auswahl neu."}};
    };
    struct Fall { const char* name; std::function<void(WizardState&)> aendern; Zeilen teil; };
    const Fall faelle[] = {
        {"Kultur", [](WizardState& s) { s.strAktKulturNr = "Ku9999"; }, fehlt("die Kultur „Ku9999“")},
        {"Fläche", [](WizardState& s) { s.strAktFlaechenNr = "Fl4711"; }, fehlt("die Fläche „Fl4711“")},
        // a key is a value, never a part of the statement
        {"Fläche ' OR '1'='1", [](WizardState& s) { s.strAktFlaechenNr = "Fl' OR '1'='1"; }, fehlt("die Fläche „Fl' OR '1'='1“")},
        {"Analyse", [](WizardState& s) { s.strAktAnalysenNr.clear(); }, fehlt("die Bodenanalyse „keine Auswahl“")},
        {"Dünger", [](WizardState& s) { s.rsDuengerAuswahl->push_back({"Du9999", 5, 3}); }, fehlt("der Dünger „Du9999“")},
        {"Mist", [](WizardState& s) { s.strAktOrgSubNr = "OS9999"; }, fehlt("der Kompost oder Mist „OS9999“")},
        // an N type without nitrogen is handed out like a fertiliser without nitrogen
        {"N 0", [this](WizardState&) { sql::exec(kav.db(), "UPDATE DuengerID SET N = 0 WHERE DuengerNr = 'Du1004'"); },
         {{7, "800 g Hornspäne auf 10 m²"}, {8, "300 g Superphosphat auf 10 m²"}, {13, kKalk295}}},
        {"Kalk ohne Carbonat", [](WizardState& s) { s.sngKalkCaCO3 = 0, s.sngKalkMgCO3 = 0; },
         {{15, kKalk + "250 g kohlensaurem Kalk je m² durchgeführt werden."}}},
        {"Kalk 1E19", [](WizardState& s) { s.sngKalkBedarf = 1e19f, s.strAktKalkNr = "x"; },
         {{15, kKalk + "9999999980506447872 g kohlensaurem Kalk je m² durchgeführt werden."}}},
        // the order of choice, not the order of the keys
        {"Reihenfolge der Wahl",
         [](WizardState& s) { s.rsDuengerAuswahl = std::vector<DuengerAuswahlZeile>{{"Du1004", 80, 2}, {"Du1010", 30, 1}}; },
         {{7, "300 g Superphosphat auf 10 m²"}, {8, "460 g Hornspäne auf 10 m²"}}},
        {"1000 g", [&](WizardState& s) { s.rsDuengerAuswahl = liste(100), s.sngNSaldoGD = 14; }, {{7, "1000 g Hornspäne auf 10 m²"}}},
        {"1000,01 g", [&](WizardState& s) { s.rsDuengerAuswahl = liste(100.001f), s.sngNSaldoGD = 14; },
         {{7, "1,00 kg Hornspäne auf 10 m²"}}},
        {"Beet 3 x 1,2", [](WizardState& s) { s.sngFlaecheGroesse = 3 * 1.2f; }, {{8, "110 g Superphosphat auf 3,6 m²"}}},
        // 2.5 g at a top dressing round to nothing: the heading stays, the amount row goes
        {"2,5 g", [](WizardState& s) { s.sngNSaldoKD1 = 0.0325f; },
         {{10, "1. Kopfdüngung in der 1. Juniwoche mit: "}, {14, kKalk295}}},
        {"Mist", [](WizardState& s) { s.strAktOrgSubNr = "OS1002", s.sngOrgSubMenge = 2.5f; },
         {{4, "Zusätzlich zu einer jährlichen Gabe von 2,5 kg Rindermist je m²  "}, {7, "Grunddüngung am 11.05.2026 mit: "}}},
        {"Kompost 3E+09", [](WizardState& s) { s.strAktOrgSubNr = "OS1001", s.sngOrgSubMenge = 3e9f; },
         {{4, "Zusätzlich zu einer jährlichen Kompostgabe von 3E+09 l je m²  "}}},
        // old from 1 January of the fifth year after the analysis
        {"Kompost, keine Dünger, Analyse 2022", [this](WizardState& s) {
             s.rsDuengerAuswahl->clear(), s.strAktOrgSubNr = "OS1001", s.sngOrgSubMenge = 5;
             sql::exec(daten.db(), "UPDATE AnalysenID SET Datum = '2022-01-01'");
         }, {{4, "Zusätzlich zu einer jährlichen Kompostgabe von 5 l je m²  "}, {5, "wird keine weitere Düngung benötigt."},
             {6, kKalk295}, {8, "XXX"}}},
        {"Analyse 31.12.2021", [this](WizardState&) { sql::exec(daten.db(), "UPDATE AnalysenID SET Datum = '2021-12-31'"); },
         {{1, "Fläche: 'Gemüsebeet', Analyse vom 31.12.2021"}, {16, kWarnung}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        WizardState s = test::kohlrabi();
        f.aendern(s);
        const Zeilen z = planen(s, 2026);
        for (const auto& zeile : f.teil)
            EXPECT_NE(std::find(z.begin(), z.end(), zeile), z.end()) << zeile.first << " " << zeile.second.toStdString();
        const bool fehler = f.teil[0].first == 0; // only the missing rows write row 0
        EXPECT_EQ(ergebnis.ok, !fehler);
        if (fehler) {
            EXPECT_EQ(raster.Rows(), 1);
            EXPECT_EQ(raster.zeile(0).zellen[0].textfarbe, kFarbeRot);
            EXPECT_EQ(s.sngDuengerN, 10.4f);
        }
        sql::exec(kav.db(), "UPDATE DuengerID SET N = 13 WHERE DuengerNr = 'Du1004'");
        sql::exec(daten.db(), "UPDATE AnalysenID SET Datum = '2020-03-15'");
    }
    // the kinds of rows: a heading underlined, an amount on light yellow, the warning red, the end row white
    EXPECT_TRUE(raster.zeile(6).zellen[2].unterstrichen);
    EXPECT_EQ(raster.zeile(7).zellen[1].hinterfarbe, kFarbeHellgelb);
    EXPECT_EQ(raster.zeile(16).zellen[2].textfarbe, kFarbeRot);
    EXPECT_EQ(raster.zeile(17).zellen[0].textfarbe, kFarbeWeiss);
}

TEST_F(Duengeplan, StickstoffInDerLetztenWocheDesJahres)
{
    // a need in week w is named by week w + 1; 2026 and 2029 end with week 53, 2028 with week 54
    const std::tuple<int, int, const char*> faelle[] = {
        {2029, 53, "1. N-Düngung Ende Dezember"}, {2026, 53, "1. N-Düngung Ende Dezember"},
        {2028, 53, "1. N-Düngung Ende Dezember"}, {2029, 52, "1. N-Düngung Ende Dezember"},
        {2029, 20, "1. N-Düngung Mitte Mai"}};
    for (const auto& [jahr, woche, titel] : faelle) {
        WizardState s = test::mischkultur();
        s.arrMischkulturWerte.assign(kMischkulturWochen, {});
        s.arrMischkulturWerte[static_cast<size_t>(woche)].Saldo = 1;
        ASSERT_TRUE(test::PlanDateien::planen(s, PlanEingang::aus(s), jahr, raster).ok);
        EXPECT_EQ(raster.TextMatrix(10, 0).toStdString(), titel) << jahr << " " << woche;
        EXPECT_EQ(raster.TextMatrix(11, 0), "45 g Hornmehl");
    }
}

} // namespace

// Rules of the frame that need no window: font size, step keys, help topics, window placement.
#include "frame/fensterplatz.h"
#include "frame/hilfethemen.h"
#include "frame/schriftgroesse.h"
#include "frame/schritte.h"
#include "services/rahmen.h"

#include <gtest/gtest.h>

using namespace kav;

TEST(Schriftgroesse, SchwellenGehoerenZurKleinerenGroesse)
{
    // each threshold belongs to the smaller size; the smaller of the height and the width rule wins
    const struct { double h, b; int groesse; } faelle[] = {
        {600, 1300, 8},   {601, 1300, 10},  {700, 1300, 10},  {701, 1300, 12},  {900, 1300, 12}, {901, 1300, 14},
        {1100, 1300, 14}, {1101, 1300, 16}, {1100, 1201, 14}, {1300, 800, 8},   {1300, 801, 10}, {1300, 900, 10},
        {1300, 901, 12},  {1300, 1100, 12}, {1300, 1101, 14}, {1300, 1200, 14}, {1300, 1201, 16}, {0, 0, 8},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(schriftGroesseFuer(f.h, f.b), f.groesse) << f.h << " x " << f.b;
}

TEST(Schritte, TitelBrotkrumeRelayoutUndHilfeJeSchluessel)
{
    const struct { const char* schritt; const char* zusatz; int position; const char* fenster, *thema; int ms; } faelle[] = {
        {"Analysenwerte", " - Ergebnis der Bodenuntersuchung eintragen", 0, "frmAnalysenWerte", "Eingabe_Analysenwerte.htm", 1},
        {"NPK", " - Düngerbedarfsberechnung - Flächenauswahl", 0, "frmNPK", "Berechnung_1.htm", 1},
        {"NPK1", " - Düngerbedarfsberechnung - Kulturauswahl", 1, "frmNPK1", "Berechnung_2.htm", 1},
        {"MKEditor", " - Düngerbedarfsberechnung - Mischkultur planen", 1, "frmMKEditor", "Berechnung_2b.htm", 1},
        {"NPK2", " - Düngerbedarfsberechnung - Gründüngung", 2, "frmNPK2", "Berechnung_3.htm", 1},
        {"NPK2b", " - Düngerbedarfsberechnung - Kompost, Mist", 3, "frmNPK2b", "Berechnung_4.htm", 1},
        {"NPK3", " - Düngerbedarfsberechnung - Düngerauswahl", 4, "frmNPK3", "Berechnung_5.htm", 1},
        {"NPK4", " - Düngerbedarfsberechnung - Düngeempfehlung", 5, "frmNPK4", "Berechnung_6.htm", 750},
        {"Lexikon", " - Lexikon", 0, "frmLexikon", "Lexikon.htm", 750},
        {"Kein", "", 0, "frmIntro", "index.htm", 1},
        {"npk2b", "", 0, "", "index.htm", 1}, // letter case counts
        {"xyz", "", 0, "", "index.htm", 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.schritt);
        EXPECT_EQ(titelFuer(f.schritt), "Kav - Humavera" + QString::fromUtf8(f.zusatz));
        EXPECT_EQ(brotkrumenPosition(f.schritt), f.position);
        EXPECT_EQ(relayoutFensterFuer(f.schritt), f.fenster);
        EXPECT_EQ(hilfeThemaFuer(hilfeFensterFuer(f.schritt)), f.thema);
        EXPECT_EQ(relayoutVerzoegerungFuer(titelFuer(f.schritt)), f.ms);
    }
}

TEST(Hilfethemen, FensterOhneSchrittUndGenaueSchreibweise)
{
    const std::pair<const char*, const char*> tabelle[] = {
        {"Index", "index.htm"},         {"frmFlaeche", "Flaecheneingabe.htm"}, {"frmIntro", "Die_Ersten_Schritte.htm"},
        {"frmUeberKav", "UeberKav.htm"}, {"frmEinstellungen", "Einstellungen.htm"}, {"frmAnalysenwerte", "index.htm"},
        {"frmnpk", "index.htm"},        {"", "index.htm"},                   {"frmFlaecheGruppe", "index.htm"},
    };
    for (const auto& [fenster, thema] : tabelle)
        EXPECT_EQ(hilfeThemaFuer(fenster), thema) << fenster;
    EXPECT_EQ(hilfeDateiFuer("/p/Hilfe", "Berechnung_2b.htm"), "/p/Hilfe/Berechnung_2b.htm");
}

TEST(Fensterplatz, GespeicherteGroesseUndLageBegrenzt)
{
    Rahmen r;
    r.sngArbeitsbereichHoehe = 15000, r.sngArbeitsbereichBreite = 19200;
    r.sngHoehe = 16000, r.sngBreite = 12000, r.sngTop = -15001, r.sngLeft = -19200;
    fensterPlatzBegrenzen(r);
    EXPECT_EQ(r.sngHoehe, 15000);
    EXPECT_EQ(r.sngBreite, 12000);
    EXPECT_EQ(r.sngTop, 0);       // lower than minus the work area
    EXPECT_EQ(r.sngLeft, -19200); // exactly at the limit stays
    for (const auto& [text, zustand] : {std::pair{"0", 0}, {"1", 1}, {"2", 2}, {"", 2}})
        EXPECT_EQ(fensterZustandAus(text), zustand) << text;

    EXPECT_EQ(hoeheBegrenzt(5000, 15000), 8550);
    EXPECT_EQ(hoeheBegrenzt(16000, 15000), 15000);
    EXPECT_EQ(hoeheBegrenzt(9000, 15000), 9000);
    EXPECT_EQ(breiteBegrenzt(0, 19200), 11400);
    EXPECT_EQ(breiteBegrenzt(20000, 19200), 19200);
    // a work area below the minimum gives its own size every time, without back and forth
    EXPECT_EQ(hoeheBegrenzt(hoeheBegrenzt(5000, 7000), 7000), 7000);
}

// A place stored beyond any side of the screen (a screen unplugged since) gives a window wholly in
// the free area; a window larger than the area gets its size; the program never starts minimised.
TEST(Fensterplatz, ImFreienBereichUndNieMinimiert)
{
    const QRect frei(0, 30, 1920, 1050); // a panel at the top
    const struct { QRect gespeichert, erwartet; } faelle[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},   // inside: as stored
        {{2500, 100, 800, 600}, {1120, 100, 800, 600}}, // right of the screen
        {{100, 1900, 800, 600}, {100, 480, 800, 600}},  // below
        {{-3000, 100, 800, 600}, {0, 100, 800, 600}},   // left
        {{100, -700, 800, 600}, {100, 30, 800, 600}},   // above, under the panel
        {{1800, 1000, 800, 600}, {1120, 480, 800, 600}}, // mostly off to the bottom right
        {{-50, 0, 2500, 1200}, {0, 30, 1920, 1050}},    // larger than the free area
    };
    for (const auto& f : faelle)
        EXPECT_EQ(imFreienBereich(f.gespeichert, frei), f.erwartet) << f.gespeichert.x() << "," << f.gespeichert.y();
    for (const auto& [text, zustand] : {std::pair{"0", 0}, {"1", 0}, {"2", 2}, {"", 2}})
        EXPECT_EQ(startZustandAus(text), zustand) << text;
}

TEST(Fensterplatz, UpdateBeiStartHoechstensEinmalAmTag)
{
    const QDate heute(2026, 12, 6);
    EXPECT_TRUE(updateBeiStartFaellig(QDateTime(QDate(2026, 12, 5), QTime(23, 59)), "Wahr", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(heute, QTime(0, 0)), "Wahr", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(QDate(2010, 2, 11), QTime(0, 0)), "Falsch", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(QDate(2010, 2, 11), QTime(0, 0)), "wahr", heute));
}

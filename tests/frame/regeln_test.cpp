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
    struct Fall {
        double h, b;
        int erwartet;
    };
    const Fall faelle[] = {
        {600, 1300, 8},   {601, 1300, 10},  {700, 1300, 10},  {701, 1300, 12}, {900, 1300, 12},
        {901, 1300, 14},  {1100, 1300, 14}, {1101, 1300, 16}, {1100, 1201, 14}, {1300, 800, 8},
        {1300, 801, 10},  {1300, 900, 10},  {1300, 901, 12},  {1300, 1100, 12}, {1300, 1101, 14},
        {1300, 1200, 14}, {1300, 1201, 16}, {768, 1024, 12},  {700, 1280, 10},  {0, 0, 8},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(schriftGroesseFuer(f.h, f.b), f.erwartet) << f.h << " x " << f.b;
}

TEST(Schritte, TitelUndBrotkrumeJeSchluessel)
{
    EXPECT_EQ(titelFuer("Kein"), "Kav - Humavera");
    EXPECT_EQ(titelFuer("Analysenwerte"), "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen");
    EXPECT_EQ(titelFuer("Lexikon"), "Kav - Humavera - Lexikon");
    EXPECT_EQ(titelFuer("NPK2b"), "Kav - Humavera - Düngerbedarfsberechnung - Kompost, Mist");
    EXPECT_EQ(titelFuer("npk2b"), "Kav - Humavera"); // letter case counts
    EXPECT_EQ(titelFuer("Unbekannt"), "Kav - Humavera");

    const std::pair<const char*, int> positionen[] = {{"Analysenwerte", 0}, {"NPK", 0}, {"NPK1", 1}, {"MKEditor", 1},
                                                      {"NPK2", 2},          {"NPK2b", 3}, {"NPK3", 4}, {"NPK4", 5},
                                                      {"Lexikon", 0},       {"Kein", 0}, {"xyz", 0}};
    for (const auto& [schluessel, p] : positionen)
        EXPECT_EQ(brotkrumenPosition(schluessel), p) << schluessel;
}

TEST(Schritte, FensterFuerRelayoutUndHilfe)
{
    EXPECT_EQ(relayoutFensterFuer("Kein"), "frmIntro");
    EXPECT_EQ(relayoutFensterFuer("Analysenwerte"), "frmAnalysenWerte");
    EXPECT_EQ(relayoutFensterFuer("MKEditor"), "frmMKEditor");
    EXPECT_EQ(relayoutFensterFuer("lexikon"), "");
    EXPECT_EQ(hilfeFensterFuer("Analysenwerte"), "frmAnalysenWerte");
    EXPECT_EQ(hilfeFensterFuer("NPK2b"), "frmNPK2b");
    EXPECT_EQ(hilfeFensterFuer("Lexikon"), "frmLexikon");
    EXPECT_EQ(hilfeThemaFuer(hilfeFensterFuer("Kein")), "index.htm");
}

TEST(Schritte, VerzoegerungNachTitelende)
{
    EXPECT_EQ(relayoutVerzoegerungFuer(titelFuer("Lexikon")), 750);
    EXPECT_EQ(relayoutVerzoegerungFuer(titelFuer("NPK4")), 750);
    EXPECT_EQ(relayoutVerzoegerungFuer(titelFuer("NPK3")), 1);
    EXPECT_EQ(relayoutVerzoegerungFuer(titelFuer("Analysenwerte")), 1);
    EXPECT_EQ(relayoutVerzoegerungFuer(""), 1);
}

TEST(Hilfethemen, TabelleGenauMitGrossUndKleinschreibung)
{
    const std::pair<const char*, const char*> tabelle[] = {
        {"Index", "index.htm"},
        {"frmFlaeche", "Flaecheneingabe.htm"},
        {"frmIntro", "Die_Ersten_Schritte.htm"},
        {"frmAnalysenWerte", "Eingabe_Analysenwerte.htm"},
        {"frmNPK", "Berechnung_1.htm"},
        {"frmNPK1", "Berechnung_2.htm"},
        {"frmMKEditor", "Berechnung_2b.htm"},
        {"frmNPK2", "Berechnung_3.htm"},
        {"frmNPK2b", "Berechnung_4.htm"},
        {"frmNPK3", "Berechnung_5.htm"},
        {"frmNPK4", "Berechnung_6.htm"},
        {"frmUeberKav", "UeberKav.htm"},
        {"frmLexikon", "Lexikon.htm"},
        {"frmEinstellungen", "Einstellungen.htm"},
        {"frmAnalysenwerte", "index.htm"},
        {"frmnpk", "index.htm"},
        {"", "index.htm"},
        {"frmToolbar", "index.htm"},
        {"frmFlaecheGruppe", "index.htm"},
        {"Kein", "index.htm"},
    };
    for (const auto& [fenster, thema] : tabelle)
        EXPECT_EQ(hilfeThemaFuer(fenster), thema) << fenster;
    EXPECT_EQ(hilfeDateiFuer("/p/Hilfe", "Berechnung_2b.htm"), "/p/Hilfe/Berechnung_2b.htm");
}

TEST(Fensterplatz, GespeicherteGroesseUndLageBegrenzt)
{
    Rahmen r;
    r.sngArbeitsbereichHoehe = 15000;
    r.sngArbeitsbereichBreite = 19200;
    r.sngHoehe = 16000;
    r.sngBreite = 12000;
    r.sngTop = -15001;
    r.sngLeft = -19200;
    fensterPlatzBegrenzen(r);
    EXPECT_EQ(r.sngHoehe, 15000);
    EXPECT_EQ(r.sngBreite, 12000);
    EXPECT_EQ(r.sngTop, 0);       // lower than minus the work area
    EXPECT_EQ(r.sngLeft, -19200); // exactly at the limit stays

    EXPECT_EQ(fensterZustandAus("0"), 0);
    EXPECT_EQ(fensterZustandAus("1"), 1);
    EXPECT_EQ(fensterZustandAus("2"), 2);
    EXPECT_EQ(fensterZustandAus(""), 2);
}

TEST(Fensterplatz, GroessenGrenzenBeimZiehen)
{
    EXPECT_EQ(hoeheBegrenzt(5000, 15000), 8550);
    EXPECT_EQ(hoeheBegrenzt(16000, 15000), 15000);
    EXPECT_EQ(hoeheBegrenzt(9000, 15000), 9000);
    EXPECT_EQ(breiteBegrenzt(0, 19200), 11400);
    EXPECT_EQ(breiteBegrenzt(20000, 19200), 19200);
    // a work area below the minimum gives its own size every time, without back and forth
    EXPECT_EQ(hoeheBegrenzt(5000, 7000), 7000);
    EXPECT_EQ(hoeheBegrenzt(hoeheBegrenzt(5000, 7000), 7000), 7000);
}

TEST(Fensterplatz, UpdateBeiStartHoechstensEinmalAmTag)
{
    const QDate heute(2026, 12, 6);
    EXPECT_TRUE(updateBeiStartFaellig(QDateTime(QDate(2026, 12, 5), QTime(23, 59)), "Wahr", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(heute, QTime(0, 0)), "Wahr", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(heute, QTime(8, 0)), "Wahr", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(QDate(2010, 2, 11), QTime(0, 0)), "Falsch", heute));
    EXPECT_FALSE(updateBeiStartFaellig(QDateTime(QDate(2010, 2, 11), QTime(0, 0)), "wahr", heute));
}

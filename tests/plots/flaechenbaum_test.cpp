#include "plots/flaechenbaum.h"
#include "plotfixture.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class Baum : public test::DatenDatei {
protected:
    bool fuellen(bool nurAktuelle = false) { return baum.FlaechenBaumFuellen(db(), nurAktuelle, gebiet); }

    // One line per node: indentation by level, text and tag.
    QStringList bild() const
    {
        QStringList out;
        for (const BaumKnoten& k : baum.knoten())
            out << QString(2 * k.ebene, ' ') + k.text + " [" + k.tag + "]";
        return out;
    }
    QSet<QString> aufgeklappt() const
    {
        QSet<QString> out;
        for (const BaumKnoten& k : baum.knoten())
            if (k.expanded)
                out.insert(k.key);
        return out;
    }
    void aufklappen(const QString& key, bool auf = true) { baum.setExpanded(baum.finde(key), auf); }

    FlaechenBaum baum;
};

} // namespace

// An empty file, groups only, plots without analyses: the root alone, closed, nothing to calculate.
TEST_F(Baum, NichtsZuBerechnenOhneAnalysen)
{
    ASSERT_TRUE(fuellen());
    ASSERT_EQ(baum.anzahl(), 1);
    const BaumKnoten& w = baum.knoten(0);
    EXPECT_EQ(QStringList({w.key, w.text, w.tag, w.bild}), QStringList({"Fl0", "Flächen", "Ueberschrift", "FlaecheGrp"}));
    EXPECT_EQ(w.art, KnotenArt::Wurzel);
    EXPECT_EQ(kHinweisNichtsAnzuzeigen, "Geben Sie eine neue Fläche ein.");
    gruppe("Fl1000", "Garten");
    gruppe("Fl1001", "Beete", 1000);
    gruppe("Fl1002", "Acker");
    flaeche("Fl1003", "Beet", 1001);
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Acker [Ebene1]", "  Garten [Ebene1]",
                                   "    Beete [Ebene2]", "      Beet [Flaeche]"}));
    EXPECT_TRUE(baum.nichtsAnzuzeigen() && !baum.knoten(0).expanded);
    analyse("An1000", "Fl1003", QDate(2024, 1, 1));
    ASSERT_TRUE(fuellen());
    EXPECT_TRUE(!baum.nichtsAnzuzeigen() && baum.knoten(0).expanded);
}

TEST_F(Baum, NamensfolgeGruppenVorFlaechen)
{
    flaeche("Fl1000", "Zucchini");
    gruppe("Fl1001", "obstgarten");
    flaeche("Fl1002", "apfel", 1001);
    flaeche("Fl1003", "Birne", 1001);
    gruppe("Fl1004", "Beete");
    flaeche("Fl1005", "Ärger"); // sorts like "Arger"
    flaeche("Fl1006", "anfang");
    gruppe("Fl1007", "Zwiebeln", 1001);
    analyse("An1000", "Fl1000", QDate(2024, 1, 1));
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Beete [Ebene1]", "  obstgarten [Ebene1]",
                                   "    Zwiebeln [Ebene2]", "    apfel [Flaeche]", "    Birne [Flaeche]",
                                   "  anfang [Flaeche]", "  Ärger [Flaeche]", "  Zucchini [Flaeche]",
                                   "    01.01.2024 [Analyse]"}));
    EXPECT_EQ(baum.knoten(baum.finde("Fl1002")).bild, "Flaeche");
}

TEST_F(Baum, DreiEbenenUnabhaengigVonDerNamensfolge)
{
    // the third-level group sorts first by name, before its own parent
    gruppe("Fl1000", "Oben");
    gruppe("Fl1001", "Mitte", 1000);
    gruppe("Fl1002", "Aaa unten", 1001);
    gruppe("Fl1003", "Noch tiefer", 1002);
    flaeche("Fl1004", "Beet", 1003);
    flaeche("Fl1005", "Beet 2", 1002);
    analyse("An1000", "Fl1004", QDate(2024, 1, 1));
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Oben [Ebene1]", "    Mitte [Ebene2]",
                                   "      Aaa unten [Ebene2]", "        Noch tiefer [Ebene2]",
                                   "          Beet [Flaeche]", "            01.01.2024 [Analyse]",
                                   "        Beet 2 [Flaeche]"}));
    const int oben = baum.finde("Fl1000");
    EXPECT_EQ(baum.knoten(oben).nachfahren, 6);
    EXPECT_EQ(baum.kinder(baum.finde("Fl1002")), (std::vector<int>{baum.finde("Fl1003"), baum.finde("Fl1005")}));
    EXPECT_EQ(baum.kinder(0), (std::vector<int>{oben}));
    EXPECT_EQ(baum.knoten(baum.finde("Fl1004")).eltern, baum.finde("Fl1003"));
}

TEST_F(Baum, NurAktuelleOderAlle)
{
    gruppe("Fl1000", "Alt", 0, false);
    flaeche("Fl1001", "Aktuell in alt", 1000, true);
    gruppe("Fl1002", "Neu");
    flaeche("Fl1003", "Ausgedient", 1002, false);
    flaeche("Fl1004", "Beet", 1002);
    gruppe("Fl1005", "Untergruppe", 1000);
    analyse("An1000", "Fl1004", QDate(2024, 1, 1));
    analyse("An1001", "Fl1003", QDate(2024, 1, 1));
    ASSERT_TRUE(fuellen(true));
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Neu [Ebene1]", "    Beet [Flaeche]",
                                   "      01.01.2024 [Analyse]"}));
    ASSERT_TRUE(fuellen(false));
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Alt [Ebene1]", "    Untergruppe [Ebene2]",
                                   "    Aktuell in alt [Flaeche]", "  Neu [Ebene1]", "    Ausgedient [Flaeche]",
                                   "      01.01.2024 [Analyse]", "    Beet [Flaeche]", "      01.01.2024 [Analyse]"}));
}

TEST_F(Baum, NeuesteAnalyseZuerstUndFehlendeAnalyseUebersprungen)
{
    flaeche("Fl1000", "Beet");
    analyse("An1000", "Fl1000", QDate(2011, 4, 3));
    analyse("An1001", "Fl1000", QDate(2009, 12, 24));
    analyse("An1002", "Fl1000", QDate(2015, 1, 31));
    zuordnung("Fl1000", "An1500", QDate(2020, 1, 1)); // its analysis row is missing
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Beet [Flaeche]", "    31.01.2015 [Analyse]",
                                   "    03.04.2011 [Analyse]", "    24.12.2009 [Analyse]"}));
    const BaumKnoten& a = baum.knoten(2);
    EXPECT_EQ(a.key, "An1002");
    EXPECT_EQ(a.bild, "Knoten");
    EXPECT_EQ(a.art, KnotenArt::Analyse);
    EXPECT_EQ(baum.finde("An1500"), -1);
    // a stored change time after the date is no trouble; a date that does not exist stands as it is
    flaeche("Fl1001", "Alt");
    sql::exec(db(), "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES ('An1003', '2011-02-30'), "
                    "('An1004', '2012-05-06 10:11:12')");
    zuordnung("Fl1001", "An1003", QDate(2011, 2, 28));
    zuordnung("Fl1001", "An1004", QDate(2012, 5, 6));
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(baum.knoten(baum.finde("An1003")).text, "2011-02-30");
    EXPECT_EQ(baum.knoten(baum.finde("An1004")).text, "06.05.2012");
    // the user's own date format
    Gebietsschema us = SystemEinstellungenLesen(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(baum.FlaechenBaumFuellen(db(), false, us));
    EXPECT_EQ(baum.knoten(baum.finde("An1002")).text, "01/31/2015");
    Gebietsschema iso = us;
    iso.strDatumsFormat.clear(); // a separator of its own: the locale's short form
    iso.locale = QLocale(QLocale::Swedish, QLocale::Sweden);
    ASSERT_TRUE(baum.FlaechenBaumFuellen(db(), false, iso));
    EXPECT_EQ(baum.knoten(baum.finde("An1002")).text, iso.datumText(QDate(2015, 1, 31)));
}

TEST_F(Baum, WaisenZyklenUndFlaechenAlsElternBleibenDraussen)
{
    flaeche("Fl1000", "Beet");
    gruppe("Fl1001", "unter einer Fläche", 1000);
    flaeche("Fl1002", "in einer Fläche", 1000);
    gruppe("Fl1003", "Kreis A", 1004);
    gruppe("Fl1004", "Kreis B", 1003);
    flaeche("Fl1005", "im Kreis", 1003);
    gruppe("Fl1006", "selbst", 1006);
    flaeche("Fl1007", "verloren", 1999);
    ASSERT_TRUE(fuellen());
    EXPECT_EQ(bild(), QStringList({"Flächen [Ueberschrift]", "  Beet [Flaeche]"}));
}

// The open nodes survive a rebuild, a switch to current records and back (hidden entries keep
// their state); a new entry comes collapsed, and so does a deleted number given again.
TEST_F(Baum, ZustandBleibtUeberNeuaufbauUndUmschalten)
{
    gruppe("Fl1000", "Alt", 0, false);
    gruppe("Fl1001", "Darin", 1000);
    flaeche("Fl1002", "Beet", 1001);
    gruppe("Fl1003", "Neu");
    flaeche("Fl1004", "Rasen", 1003);
    flaeche("Fl1005", "Zu", 1003);
    analyse("An1000", "Fl1004", QDate(2024, 1, 1));
    ASSERT_TRUE(fuellen(false));
    for (const char* k : {"Fl1000", "Fl1001", "Fl1002", "Fl1004"})
        aufklappen(k);
    aufklappen("Fl0", false);
    const QSet<QString> vorher = aufgeklappt();
    for (bool nurAktuelle : {true, false}) {
        baum.BaumZustandSpeichern();
        ASSERT_TRUE(fuellen(nurAktuelle));
        baum.BaumZustandWiederherstellen();
        if (nurAktuelle) {
            EXPECT_EQ(aufgeklappt(), (QSet<QString>{"Fl1004"})); // the collapsed root stays collapsed
        }
    }
    EXPECT_EQ(aufgeklappt(), vorher);

    // rebuilding alone collapses; a restore without a new save gives the state again
    baum.BaumZustandSpeichern();
    flaeche("Fl1006", "Neu", 1003);
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(fuellen());
        EXPECT_EQ(aufgeklappt(), (QSet<QString>{"Fl0"})) << n;
        baum.BaumZustandWiederherstellen();
        EXPECT_EQ(aufgeklappt(), vorher) << n;
    }

    sql::exec(db(), "DELETE FROM FlaechenID WHERE FlaechenNr = 'Fl1002'");
    ASSERT_TRUE(fuellen());
    baum.BaumZustandWiederherstellen();
    baum.BaumZustandSpeichern();
    flaeche("Fl1002", "Neues Beet", 1001);
    ASSERT_TRUE(fuellen());
    baum.BaumZustandWiederherstellen();
    EXPECT_FALSE(baum.knoten(baum.finde("Fl1002")).expanded);
}

TEST_F(Baum, UnlesbareDateiGibtNurDieWurzel)
{
    flaeche("Fl1000", "Beet");
    sql::exec(db(), "DROP TABLE ZOFlaechenAnalysen");
    analyse("An1000", "", QDate(2024, 1, 1));
    EXPECT_FALSE(fuellen());
    EXPECT_EQ(baum.anzahl(), 1);
    EXPECT_FALSE(baum.fehler().isEmpty());
    EXPECT_EQ(baum.nummern(5).flaechenNr, ""); // out of range: nothing, no crash
    EXPECT_TRUE(baum.kinder(7).empty());
}

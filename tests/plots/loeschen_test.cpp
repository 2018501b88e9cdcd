#include "plots/loeschungen.h"
#include "plotfixture.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

// Rows per table: FlaechenID, ZOFlaechenAnalysen, AnalysenID, Nmin, MischkulturID, MKEditor.
struct Zahlen {
    long long flaechen, zuordnungen, analysen, nmin, plaene, balken;
    bool operator==(const Zahlen&) const = default;
    friend void PrintTo(const Zahlen& z, std::ostream* os)
    {
        *os << z.flaechen << "/" << z.zuordnungen << "/" << z.analysen << "/" << z.nmin << "/" << z.plaene << "/"
            << z.balken;
    }
};

// Garten (Fl1000)
//   Hochbeete (Fl1001)
//     Hochbeet 1 (Fl1002): An1000, An1001, 2 Nmin, plan ID1 with 2 bars
//     Tief (Fl1006)
//       Kübel (Fl1007): An1004
//   Beet A (Fl1003): An1002, 1 Nmin, plan ID2 with 1 bar
// Feld (Fl1004)
//   Acker (Fl1005): An1003, 1 Nmin, plan ID3 with 1 bar
// Rasen (Fl1008): An1005
class Loeschen : public test::DatenDatei {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(DatenDatei::SetUp());
        gruppe("Fl1000", "Garten");
        gruppe("Fl1001", "Hochbeete", 1000);
        flaeche("Fl1002", "Hochbeet 1", 1001);
        flaeche("Fl1003", "Beet A", 1000);
        gruppe("Fl1004", "Feld");
        flaeche("Fl1005", "Acker", 1004);
        gruppe("Fl1006", "Tief", 1001);
        flaeche("Fl1007", "Kübel", 1006);
        flaeche("Fl1008", "Rasen");
        analyse("An1000", "Fl1002", QDate(2023, 3, 1));
        analyse("An1001", "Fl1002", QDate(2024, 3, 1));
        analyse("An1002", "Fl1003", QDate(2024, 3, 2));
        analyse("An1003", "Fl1005", QDate(2024, 3, 3));
        analyse("An1004", "Fl1007", QDate(2024, 3, 4));
        analyse("An1005", "Fl1008", QDate(2024, 3, 5));
        nmin("Fl1002", QDate(2024, 4, 1));
        nmin("Fl1002", QDate(2024, 5, 1));
        nmin("Fl1003", QDate(2024, 4, 1));
        nmin("Fl1005", QDate(2024, 4, 1));
        plan("ID1", "Fl1002", 2);
        plan("ID2", "Fl1003", 1);
        plan("ID3", "Fl1005", 1);
        d.emplace(db());
    }

    Zahlen zahlen() const
    {
        return {anzahl("FlaechenID"), anzahl("ZOFlaechenAnalysen"), anzahl("AnalysenID"),
                anzahl("Nmin"),       anzahl("MischkulturID"),      anzahl("MKEditor")};
    }
    QStringList flaechen() const
    {
        QStringList out;
        QSqlQuery q = sql::exec(db(), "SELECT FlaechenNr || ':' || GruppierungNr FROM FlaechenID ORDER BY FlaechenNr");
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    std::optional<Loeschungen> d;
};

} // namespace

TEST_F(Loeschen, GruppeMitAllemDarunter)
{
    ASSERT_EQ(zahlen(), (Zahlen{9, 6, 6, 4, 3, 4}));
    ASSERT_TRUE(d->GruppeMitUnterpunktenLoeschen("Fl1000").ok);
    EXPECT_EQ(flaechen(), QStringList({"Fl1004:0", "Fl1005:1004", "Fl1008:0"}));
    EXPECT_EQ(zahlen(), (Zahlen{3, 2, 2, 1, 1, 1}));
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr IN ('An1003', 'An1005')"), 2);
    EXPECT_EQ(anzahl("MKEditor", "MKID = 'ID3'"), 1);
}

TEST_F(Loeschen, UntergruppeMitAllemDarunter)
{
    ASSERT_TRUE(d->GruppeMitUnterpunktenLoeschen("Fl1001").ok);
    EXPECT_EQ(flaechen(), QStringList({"Fl1000:0", "Fl1003:1000", "Fl1004:0", "Fl1005:1004", "Fl1008:0"}));
    EXPECT_EQ(zahlen(), (Zahlen{5, 3, 3, 2, 2, 2}));
}

TEST_F(Loeschen, ZweigUnabhaengigVonDerNummernfolge)
{
    // entries moved upward can carry lower numbers than the group they now belong to
    gruppe("Fl1020", "Z");
    gruppe("Fl1015", "Y", 1020);
    flaeche("Fl1012", "X", 1015);
    gruppe("Fl1011", "W", 1015); // another sub-group of Fl1015
    flaeche("Fl1010", "V", 1011);
    analyse("An1010", "Fl1010", QDate(2024, 1, 1));
    nmin("Fl1012", QDate(2024, 1, 1));
    const Zahlen vorher = zahlen();
    ASSERT_TRUE(d->GruppeMitUnterpunktenLoeschen("Fl1020").ok);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr >= 'Fl1010'"), 0);
    EXPECT_EQ(zahlen(), (Zahlen{vorher.flaechen - 5, vorher.zuordnungen - 1, vorher.analysen - 1, vorher.nmin - 1,
                                vorher.plaene, vorher.balken}));
}

TEST_F(Loeschen, ErsteEbeneAufloesen)
{
    ASSERT_TRUE(d->GruppeAufloesen("Fl1000").ok);
    // sub-group and plot move to the top; the sub-group's own contents stay where they were
    EXPECT_EQ(flaechen(), QStringList({"Fl1001:0", "Fl1002:1001", "Fl1003:0", "Fl1004:0", "Fl1005:1004",
                                       "Fl1006:1001", "Fl1007:1006", "Fl1008:0"}));
    EXPECT_EQ(zahlen(), (Zahlen{8, 6, 6, 4, 3, 4}));
}

TEST_F(Loeschen, UntergruppeAufloesen)
{
    ASSERT_TRUE(d->GruppeAufloesen("Fl1001").ok);
    EXPECT_EQ(flaechen(), QStringList({"Fl1000:0", "Fl1002:1000", "Fl1003:1000", "Fl1004:0", "Fl1005:1004",
                                       "Fl1006:1000", "Fl1007:1006", "Fl1008:0"}));
    EXPECT_EQ(zahlen(), (Zahlen{8, 6, 6, 4, 3, 4}));
}

TEST_F(Loeschen, AufloesenOhneGruppeAendertNichts)
{
    const QStringList vorher = abbild();
    EXPECT_TRUE(d->GruppeAufloesen("Fl1999").ok);
    EXPECT_TRUE(d->GruppeAufloesen("Fl1002").ok); // a plot is no group
    EXPECT_EQ(abbild(), vorher);
}

TEST_F(Loeschen, FlaecheMitAnalysenNminUndPlaenen)
{
    ASSERT_TRUE(d->FlaecheLoeschen("Fl1002").ok);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1002'"), 0);
    EXPECT_EQ(zahlen(), (Zahlen{8, 4, 4, 2, 2, 2}));
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr IN ('An1000', 'An1001')"), 0);
    EXPECT_EQ(anzahl("Nmin", "FlaechenNr = 'Fl1002'"), 0);
    EXPECT_EQ(anzahl("MKEditor", "MKID = 'ID1'"), 0);
}

TEST_F(Loeschen, AnalyseZweierFlaechenBleibtBisZurLetztenZuordnung)
{
    zuordnung("Fl1003", "An1000", QDate(2023, 3, 1));
    ASSERT_TRUE(d->FlaecheLoeschen("Fl1002").ok);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1000'"), 1);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1001'"), 0);
    ASSERT_TRUE(d->FlaecheLoeschen("Fl1003").ok);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1000'"), 0);
}

TEST_F(Loeschen, FlaecheLoeschenTrifftKeineGruppe)
{
    const QStringList vorher = abbild();
    ASSERT_TRUE(d->FlaecheLoeschen("Fl1000").ok);
    EXPECT_EQ(abbild(), vorher);
}

TEST_F(Loeschen, EineAnalyse)
{
    ASSERT_TRUE(d->AnalyseLoeschen("An1001").ok);
    EXPECT_EQ(zahlen(), (Zahlen{9, 5, 5, 4, 3, 4}));
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 1);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1002'"), 1);
}

TEST_F(Loeschen, AlteWaisenVerschwindenBeimNaechstenLoeschen)
{
    // left behind by earlier failures
    nmin("Fl1999", QDate(2024, 1, 1));
    zuordnung("Fl1999", "An1005", QDate(2024, 3, 5));
    analyse("An1099", "", QDate(2020, 1, 1));
    plan("ID9", "Fl1999", 2);
    sql::exec(db(), "INSERT INTO MKEditor (ID, MKID) VALUES ('b', 'ID8')");
    gruppe("Fl1030", "verloren", 1999);
    flaeche("Fl1031", "darunter", 1030);
    const Zahlen mitWaisen = zahlen();

    // a plot deletion cleans every table below FlaechenID
    ASSERT_TRUE(d->FlaecheLoeschen("Fl1008").ok);
    EXPECT_EQ(anzahl("Nmin", "FlaechenNr = 'Fl1999'"), 0);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1999'"), 0);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr IN ('An1099', 'An1005')"), 0);
    EXPECT_EQ(anzahl("MischkulturID", "MKID = 'ID9'"), 0);
    EXPECT_EQ(anzahl("MKEditor", "MKID IN ('ID8', 'ID9')"), 0);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr IN ('Fl1030', 'Fl1031')"), 2);
    EXPECT_EQ(zahlen(), (Zahlen{mitWaisen.flaechen - 1, mitWaisen.zuordnungen - 2, mitWaisen.analysen - 2,
                                mitWaisen.nmin - 1, mitWaisen.plaene - 1, mitWaisen.balken - 3}));

    // a group deletion with its contents also removes entries whose group is gone, branch by branch
    ASSERT_TRUE(d->GruppeMitUnterpunktenLoeschen("Fl1004").ok);
    EXPECT_EQ(flaechen(), QStringList({"Fl1000:0", "Fl1001:1000", "Fl1002:1001", "Fl1003:1000", "Fl1006:1001",
                                       "Fl1007:1006"}));
}

TEST_F(Loeschen, EingespeisterFehlerRolltJedenBefehlGanzZurueck)
{
    const QStringList vorher = abbild();
    struct Fall {
        const char* befehl;
        const char* punkt;
        std::function<Schreibergebnis(Loeschungen&)> ausfuehren;
    };
    auto gruppeMitAllem = [](Loeschungen& f) { return f.GruppeMitUnterpunktenLoeschen("Fl1000"); };
    auto aufloesen = [](Loeschungen& f) { return f.GruppeAufloesen("Fl1001"); };
    auto flaecheWeg = [](Loeschungen& f) { return f.FlaecheLoeschen("Fl1002"); };
    auto analyseWeg = [](Loeschungen& f) { return f.AnalyseLoeschen("An1000"); };
    const Fall faelle[] = {
        {"Gruppe mit allem", "Gruppe", gruppeMitAllem},
        {"Gruppe mit allem", "FlaechenID", gruppeMitAllem},
        {"Gruppe mit allem", "ZOFlaechenAnalysen", gruppeMitAllem},
        {"Gruppe mit allem", "AnalysenID", gruppeMitAllem},
        {"Gruppe mit allem", "Nmin", gruppeMitAllem},
        {"Gruppe mit allem", "MischkulturID", gruppeMitAllem},
        {"Gruppe mit allem", "MKEditor", gruppeMitAllem},
        {"Auflösen", "Verschoben", aufloesen},
        {"Auflösen", "Gruppe", aufloesen},
        {"Fläche", "Flaeche", flaecheWeg},
        {"Fläche", "AnalysenID", flaecheWeg},
        {"Fläche", "MKEditor", flaecheWeg},
        {"Analyse", "Analyse", analyseWeg},
        {"Analyse", "Zuordnung", analyseWeg},
    };
    for (const Fall& f : faelle) {
        bool erreicht = false;
        d->setPruefpunkt([&](QStringView s) {
            if (s == QLatin1String(f.punkt)) {
                erreicht = true;
                throw sql::Error("eingespeist");
            }
        });
        const Schreibergebnis r = f.ausfuehren(*d);
        EXPECT_TRUE(erreicht) << f.befehl << " " << f.punkt;
        EXPECT_FALSE(r.ok) << f.befehl << " " << f.punkt;
        EXPECT_TRUE(r.meldung.text.contains("Es wurde nichts verändert")) << r.meldung.text.toStdString();
        EXPECT_EQ(abbild(), vorher) << f.befehl << " " << f.punkt;
    }
    d->setPruefpunkt({});
    EXPECT_TRUE(d->GruppeMitUnterpunktenLoeschen("Fl1000").ok);
    EXPECT_EQ(zahlen(), (Zahlen{3, 2, 2, 1, 1, 1}));
}

TEST_F(Loeschen, DatenbankfehlerMittenImAufraeumen)
{
    // a real failure of the file: the bars of a plan cannot be deleted
    sql::exec(db(), "CREATE TRIGGER sperre BEFORE DELETE ON MKEditor BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
    const QStringList vorher = abbild();
    const Schreibergebnis r = d->FlaecheLoeschen("Fl1002");
    EXPECT_FALSE(r.ok);
    // what was not done, without the words of the file's driver
    EXPECT_EQ(r.meldung.text, "Die Fläche konnte nicht gelöscht werden. Es wurde nichts verändert.");
    EXPECT_EQ(abbild(), vorher);
    // without plans below it the same command goes through
    EXPECT_TRUE(d->FlaecheLoeschen("Fl1008").ok);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1008'"), 0);
}

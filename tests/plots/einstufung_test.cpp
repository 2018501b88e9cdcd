#include "platform/clock.h"
#include "plots/alteanalyse.h"
#include "plots/einstufung.h"
#include "plotfixture.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

const Gebietsschema& de()
{
    static const Gebietsschema g = test::deutsch();
    return g;
}

AnalysenSaetze bewerte(const QString& os, const QString& p, const QString& k, const QString& mg, const QString& ph,
                       int bodenart)
{
    return AnalysenWerteEinstufen(AnalysenTexte{os, p, k, mg, ph}, bodenart, de());
}

QString komma(double v) { return QString::number(v, 'f', 2).replace('.', ','); }

const QString LF = QStringLiteral("\n");

namespace os {
const QString schwach = "Ihr Boden ist schwach mit org. Substanz versorgt.";
const QString ausreichend = "Ihr Boden ist ausreichend mit org. Substanz versorgt.";
const QString hoch = "Ihr Boden ist hoch mit org. Substanz versorgt.";
const QString sehrHoch = "Ihr Boden ist sehr hoch mit org. Substanz versorgt.";
} // namespace os

QString naehr(int stufe, const QString& n)
{
    switch (stufe) {
    case 1: return "Ihr Boden ist mit " + n + " unterversorgt.";
    case 2: return "Ihr Boden ist schwach mit " + n + " versorgt.";
    case 3: return "Ihr Boden ist optimal mit " + n + " versorgt.";
    case 4: return "Ihr Boden ist hoch mit " + n + " versorgt.";
    default: return "Ihr Boden ist stark mit " + n + " überversorgt.";
    }
}

struct Fall {
    const char* text;
    int stufe;
};

} // namespace

TEST(Einstufung, OrganischeSubstanzGanzwertHalbZurGeraden)
{
    const std::pair<const char*, QString> faelle[] = {
        {"0", os::schwach},     {"3", os::schwach},        {"3,4", os::schwach},   {"3,5", os::ausreichend},
        {"4", os::ausreichend}, {"8", os::ausreichend},    {"8,5", os::ausreichend}, {"8,51", os::hoch},
        {"9", os::hoch},        {"12", os::hoch},          {"12,5", os::hoch},     {"12,6", os::sehrHoch},
        {"13", os::sehrHoch},   {"45", os::sehrHoch},
    };
    for (const auto& [text, satz] : faelle)
        EXPECT_EQ(bewerte(text, "", "", "", "", 0)[kOrgSubstanz], satz) << text;
}

// Phosphate by the organic matter's column (up to 15 after rounding, or the moor column), potash by
// soil group (the light column for every group above organic matter 15), magnesium light or other.
TEST(Einstufung, NaehrstoffeJeSpalteUndBodengruppe)
{
    const std::vector<Fall> pNormal = {{"0", 1}, {"4", 1}, {"4,5", 1}, {"5", 2}, {"9", 2}, {"10", 3}, {"20", 3},
                                       {"20,5", 3}, {"21", 4}, {"30", 4}, {"31", 5}, {"200", 5}};
    const std::vector<Fall> pMoor = {{"2", 1}, {"3", 2}, {"6", 2}, {"7", 3}, {"14", 3}, {"15", 4}, {"21", 4}, {"22", 5}};
    const std::vector<Fall> kLeicht = {{"3", 1}, {"4", 2}, {"7", 2}, {"8", 3}, {"15", 3}, {"16", 4}, {"25", 4}, {"26", 5}};
    const std::vector<Fall> kMittel = {{"4", 1}, {"5", 2}, {"9", 2}, {"10", 3}, {"20", 3}, {"21", 4}, {"30", 4}, {"31", 5}};
    const std::vector<Fall> kSchwer = {{"6", 1}, {"7", 2}, {"14", 2}, {"15", 3}, {"25", 3}, {"26", 4}, {"35", 4}, {"36", 5}};
    const std::vector<Fall> mgLeicht = {{"2", 1}, {"3", 2}, {"6", 2}, {"7", 3}, {"10", 3}, {"11", 4}, {"49", 4}, {"50", 5}};
    const std::vector<Fall> mgSonst = {{"4", 1}, {"5", 2}, {"9", 2}, {"10", 3}, {"20", 3}, {"21", 4}, {"49", 4}, {"50", 5}};
    const struct { int wert; const char* name; const char* os; int gruppe; const std::vector<Fall>& faelle; } tabellen[] = {
        {kP2O5, "Phosphat", "5", 4, pNormal}, {kP2O5, "Phosphat", "15,5", 4, pMoor}, // 15,5 rounds to 16
        {kK2O, "Kalium", "5", 0, kLeicht},    {kK2O, "Kalium", "5", 1, kMittel},     {kK2O, "Kalium", "5", 2, kSchwer},
        {kK2O, "Kalium", "16", 0, kLeicht},   {kK2O, "Kalium", "16", 1, kLeicht},    {kK2O, "Kalium", "16", 2, kLeicht},
        {kMg, "Magnesium", "5", 0, mgLeicht}, {kMg, "Magnesium", "5", 1, mgSonst},   {kMg, "Magnesium", "5", 2, mgSonst},
    };
    for (const auto& t : tabellen) {
        for (const Fall& f : t.faelle) {
            AnalysenTexte werte{t.os, "", "", "", ""};
            werte[t.wert] = f.text;
            EXPECT_EQ(AnalysenWerteEinstufen(werte, t.gruppe, de())[t.wert], naehr(f.stufe, t.name))
                << t.name << " OS " << t.os << " Gruppe " << t.gruppe << ": " << f.text;
        }
    }
    // 14,5 rounds to 14: the second column again; the soil group plays no part
    EXPECT_EQ(bewerte("14,5", "7", "", "", "", 2)[kP2O5], naehr(2, "Phosphat"));
    EXPECT_EQ(bewerte("16", "7", "", "", "", 1)[kP2O5], naehr(3, "Phosphat"));
    // 15 is not above 15; a soil group outside 0 to 2 gets no potash sentence below organic matter 16
    EXPECT_EQ(bewerte("15", "", "7", "", "", 2)[kK2O], naehr(2, "Kalium"));
    EXPECT_EQ(bewerte("5", "", "10", "", "", 3)[kK2O], "");
    EXPECT_EQ(bewerte("16", "", "10", "", "", 3)[kK2O], naehr(3, "Kalium"));
    EXPECT_EQ(bewerte("5", "", "", "49,5", "", 1)[kMg], naehr(5, "Magnesium")); // 49,5 rounds to 50
    EXPECT_EQ(bewerte("5", "", "", "nicht bestimmt", "", 1)[kMg], "");
}

TEST(Einstufung, PhTabelleJederBodengruppeUndHumusklasse)
{
    struct Zeile {
        double L, a, b, c, d, e;
        const char* optimum;
    };
    const Zeile tabelle[3][4] = {
        {{4.9, 5.7, 5.8, 6.3, 6.4, 6.7, "Optimal wäre ein Bereich von 5,8 bis 6,3."},
         {4.6, 5.3, 5.4, 5.9, 6.0, 6.3, "Optimal wäre ein Bereich von 5,4 bis 5,9."},
         {4.2, 4.9, 5.0, 5.5, 5.6, 5.9, "Optimal wäre ein Bereich von 5 bis 5,5."},
         {3.8, 4.5, 4.6, 5.1, 5.2, 5.5, "Optimal wäre ein Bereich von 4,6 bis 5,1."}},
        {{5.3, 6.2, 6.3, 7.0, 7.1, 7.4, "Optimal wäre ein Bereich von 6,3 bis 7."},
         {5.0, 5.7, 5.8, 6.5, 6.6, 7.0, "Optimal wäre ein Bereich von 5,8 bis 6,5."},
         {4.6, 5.3, 5.4, 6.1, 6.2, 6.5, "Optimal wäre ein Bereich von 5,4 bis 6,1."},
         {4.1, 4.9, 5.0, 5.7, 5.8, 6.1, "Optimal wäre ein Bereich von 5 bis 5,7."}},
        {{5.4, 6.3, 6.4, 7.2, 7.3, 7.7, "Optimal wäre ein Bereich von 6,4 bis 7,2."},
         {5.0, 5.8, 5.9, 6.7, 6.8, 7.2, "Optimal wäre ein Bereich von 5,9 bis 6,7."},
         {4.6, 5.4, 5.5, 6.3, 6.4, 6.7, "Optimal wäre ein Bereich von 5,5 bis 6,3."},
         {4.1, 5.0, 5.1, 5.9, 6.0, 6.3, "Optimal wäre ein Bereich von 5,1 bis 5,9."}},
    };
    // organic matter of each humus class, at both ends of the class where they differ
    const QStringList humus[4] = {{"0", "4", "4,5"}, {"4,6", "8"}, {"9", "15"}, {"15,5", "16", "30"}};
    const QString niedrig = "Der pH-Wert Ihres Bodens ist recht niedrig.";
    const QString wenigNiedrig = "Der pH-Wert Ihres Bodens ist ein wenig zu niedrig.";
    const QString optimal = "Der pH-Wert Ihres Bodens ist optimal.";
    const QString wenigHoch = "Der pH-Wert Ihres Bodens ist ein wenig zu hoch.";
    const QString hoch = "Der pH-Wert Ihres Bodens ist recht hoch.";
    for (int g = 0; g < 3; ++g) {
        for (int h = 0; h < 4; ++h) {
            const Zeile& z = tabelle[g][h];
            const QString opt = QString::fromUtf8(z.optimum);
            const std::pair<double, QString> faelle[] = {
                {z.L - 0.1, niedrig + LF + opt},
                {z.L, wenigNiedrig + LF + opt},
                {z.a, wenigNiedrig + LF + opt},
                {(z.a + z.b) / 2, QString()},
                {z.b, optimal},
                {z.c, optimal},
                {(z.c + z.d) / 2, QString()},
                {z.d, wenigHoch + LF + " " + opt},
                {z.e, wenigHoch + LF + " " + opt},
                {z.e + 0.1, hoch + LF + " " + opt},
            };
            for (const QString& o : humus[h]) {
                for (const auto& [ph, satz] : faelle)
                    EXPECT_EQ(bewerte(o, "", "", "", komma(ph), g)[kPH], satz)
                        << "Gruppe " << g << " Humus " << h << " OS " << o.toStdString() << " pH " << ph;
            }
        }
    }
}

TEST(Einstufung, MoorbodenEinzeilig)
{
    const std::pair<const char*, QString> faelle[] = {
        {"3", "Der pH-Wert Ihres Bodens ist recht niedrig."}, {"4,2", "Der pH-Wert Ihres Bodens ist recht niedrig."},
        {"4,25", ""},                                     {"4,3", "Der pH-Wert Ihres Bodens ist optimal."},
        {"4,4", ""},                                      {"4,45", "Der pH-Wert Ihres Bodens ist recht hoch."},
        {"4,5", "Der pH-Wert Ihres Bodens ist recht hoch."},  {"7", "Der pH-Wert Ihres Bodens ist recht hoch."},
    };
    for (int g : {0, 1, 2}) {
        for (const auto& [ph, satz] : faelle) {
            EXPECT_EQ(bewerte("35", "", "", "", ph, g)[kPH], satz) << g << " " << ph;
            EXPECT_EQ(bewerte("30,1", "", "", "", ph, g)[kPH], satz) << "30,1 ist Moor";
        }
    }
    // 30 is no moor: humus class D of soil group 0 (4,3 lies in 3,8 .. 4,5)
    EXPECT_EQ(bewerte("30", "", "", "", "4,3", 0)[kPH],
              "Der pH-Wert Ihres Bodens ist ein wenig zu niedrig." + LF + "Optimal wäre ein Bereich von 4,6 bis 5,1.");
}

TEST(Einstufung, LeereUnlesbareWerteUndKeineBodengruppeBekommenKeinenSatz)
{
    const AnalysenSaetze leer = bewerte("", "", "", "", "", 1);
    for (const QString& s : leer)
        EXPECT_TRUE(s.isEmpty());
    // no soil group: organic matter and phosphate only, moor soil does not help either
    const AnalysenSaetze ohne = bewerte("5", "12", "15", "8", "6,5", kKeineBodenart);
    EXPECT_EQ(ohne, (AnalysenSaetze{os::ausreichend, naehr(3, "Phosphat"), "", "", ""}));
    EXPECT_EQ(bewerte("35", "", "", "", "4,3", kKeineBodenart)[kPH], "");
    // not a number: no sentence (never rated as 0, which would read "unterversorgt")
    const AnalysenSaetze s = bewerte("5", "abc", "1,2,3", "xyz", "sieben", 1);
    EXPECT_EQ(s[kOrgSubstanz], os::ausreichend);
    EXPECT_EQ(s[kP2O5], "");
    EXPECT_EQ(s[kK2O], "");
    EXPECT_EQ(s[kMg], "");
    EXPECT_EQ(s[kPH], "");
    EXPECT_EQ(bewerte("5", "inf", "nan", "", "", 1)[kP2O5], "");
    EXPECT_EQ(bewerte("5", "", "nan", "", "", 1)[kK2O], "");
    // organic matter unreadable: no sentence of its own; the others rate as for a mineral soil
    const AnalysenSaetze o = bewerte("viel", "7", "7", "", "5,8", 0);
    EXPECT_EQ(o[kOrgSubstanz], "");
    EXPECT_EQ(o[kP2O5], naehr(2, "Phosphat")); // the moor column would say "optimal"
    EXPECT_EQ(o[kK2O], naehr(2, "Kalium"));
    EXPECT_EQ(o[kPH], "Der pH-Wert Ihres Bodens ist optimal."); // humus class A
    // emptying a field removes its sentence, the others stay
    const AnalysenSaetze ohneP = bewerte("5", "", "15", "8", "6,5", 1);
    EXPECT_EQ(ohneP[kP2O5], "");
    EXPECT_FALSE(ohneP[kK2O].isEmpty());
}

TEST(Einstufung, BodengruppeAusDerListe)
{
    const std::pair<int, int> faelle[] = {{-1, 4}, {0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {9, 2}};
    for (const auto& [index, gruppe] : faelle)
        EXPECT_EQ(bodenartAusListenIndex(index), gruppe) << index;
}

TEST(AlteAnalyse, NurDieJahreszahlenZaehlen)
{
    const QDate heute(2025, 3, 10);
    EXPECT_TRUE(alteAnalyseHinweis(QDate(2019, 12, 31), heute));  // six calendar years back
    EXPECT_TRUE(alteAnalyseHinweis(QDate(2019, 1, 1), heute));
    EXPECT_FALSE(alteAnalyseHinweis(QDate(2020, 1, 1), heute));   // five years back: no notice
    EXPECT_FALSE(alteAnalyseHinweis(QDate(2020, 3, 9), heute));   // though more than five full years
    EXPECT_FALSE(alteAnalyseHinweis(QDate(2025, 3, 10), heute));
    EXPECT_FALSE(alteAnalyseHinweis(QDate(2030, 12, 31), heute));
    EXPECT_TRUE(alteAnalyseHinweis(QDate(2031, 1, 1), heute));    // in the future as well
    EXPECT_FALSE(alteAnalyseHinweis(QDate(), heute));

    FixedClock uhr(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    EXPECT_TRUE(alteAnalyseHinweis(QDate(2020, 12, 31), uhr));
    uhr.set(QDateTime(QDate(2025, 12, 31), QTime(23, 59)));
    EXPECT_FALSE(alteAnalyseHinweis(QDate(2020, 1, 1), uhr));
    EXPECT_EQ(kAlteAnalyseText,
              "Die letzte Untersuchung dieser Fläche liegt bereits über 5 Jahre zurück. Sie sollten die Fläche "
              "baldmöglichst erneut untersuchen lassen.");
}

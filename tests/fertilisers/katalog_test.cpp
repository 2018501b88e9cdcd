// The catalogues in Kav.KRN, the editors' input and the ratings of single fertilisers.
#include "duengerfixture.h"
#include "fertilisers/katalogeingabe.h"
#include "fertilisers/mengen.h"
#include "services/sql.h"

#include <QRegularExpression>

using namespace kav;

namespace {

using Katalogtest = test::DuengerTest;

TEST_F(Katalogtest, EigeneZeilenGeschriebenGeaendertGeloescht)
{
    const QString nr = katalog.duengerNeu({"Mein NK", 12.5, 0, 6, 2, true});
    EXPECT_EQ(nr, "Du1046");
    QSqlQuery q = sql::exec(dateien.kav.db(), "SELECT Typ, Eingabe, AktuellerDatensatz, N, Norg, Mg, LetzteAenderung, ID "
                                              "FROM DuengerID WHERE DuengerNr = ?", {nr});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "NK");
    EXPECT_EQ(q.value(1).toString(), "Nutzer");
    EXPECT_EQ(q.value(2).toInt(), 1);
    EXPECT_EQ(q.value(3).toDouble(), 12.5);
    EXPECT_EQ(q.value(4).toInt(), 1);
    EXPECT_EQ(q.value(6).toString(), "2026-03-02 14:05:09");
    const QString id = q.value(7).toString();
    EXPECT_TRUE(id.startsWith("02032026140509") && id.size() == 18) << id.toStdString();

    // a delivered row changed becomes the user's own and keeps number and id
    uhr.advanceSeconds(60);
    ASSERT_TRUE(katalog.duengerAendern("Du1010", {"Superphosphat neu", 0, 19, 0, 0, false}));
    const auto z = katalog.duenger("Du1010");
    EXPECT_EQ(z->Eingabe, "Nutzer");
    EXPECT_EQ(z->P2O5, 19);
    EXPECT_EQ(sql::scalar(dateien.kav.db(), "SELECT ID FROM DuengerID WHERE DuengerNr = 'Du1010'").toString(),
              "150120240000000010");
    EXPECT_FALSE(katalog.duengerAendern("Du9999", {"x", 1, 0, 0, 0, false}));

    EXPECT_EQ(katalog.kalkNeu({"Mein Kalk", 50, 40}), "Ka1008");
    EXPECT_TRUE(katalog.kalkAendern("Ka1008", {"Mein Kalk", 55, 40}));
    EXPECT_EQ(katalog.kalk("Ka1008")->CaCO3, 55);
    EXPECT_TRUE(katalog.duengerLoeschen(nr));
    EXPECT_TRUE(katalog.kalkLoeschen("Ka1008"));
    EXPECT_FALSE(katalog.duenger(nr));
    EXPECT_FALSE(katalog.kalkLoeschen("Ka1008"));
    EXPECT_EQ(katalog.duengerNeu({"Wieder", 1, 0, 0, 0, false}), "Du1046");
}

// Duplicates are found by name (case aside, apostrophes included) and contents as numbers.
TEST_F(Katalogtest, GleicherDuengerNachZahlen)
{
    const auto daten = [&](const char* name, const char* p) {
        return DuengerEingabePruefen(name, {"", p, "", ""}, false, g).daten;
    };
    katalog.duengerNeu(*daten("Mist 'extra'", "5,5"));
    EXPECT_TRUE(katalog.duengerGleich(*daten("mist 'EXTRA'", "5,50")));
    EXPECT_FALSE(katalog.duengerGleich(*daten("Mist 'extra'", "5,6")));
    EXPECT_TRUE(katalog.kalkGleich({"algenkalk", 75, 10}));
    EXPECT_FALSE(katalog.kalkGleich({"Algenkalk", 70, 10}));
}

TEST_F(Katalogtest, EingabenDerEditoren)
{
    const struct {
        const char* name;
        std::array<QString, 4> gehalte;
        bool ohneName;
        bool speicherbar;
        const char* typ;
    } faelle[] = {
        {"  ", {"1", "", "", ""}, true, false, ""},
        {"A", {"", "", "", ""}, false, false, ""},          // no nutrient: said, not stored
        {"A", {"0", "0", "0", "5"}, false, true, "Mg"},
        {"A", {"10", "", "", "5"}, false, true, "N"},
        {"A", {",", "", "", ""}, false, false, ""},         // a lone separator
        {"A", {"100,5", "", "", ""}, false, false, ""},
        {"A", {"60", "30", "20", ""}, false, false, ""},    // more than 100 % together
        {"A", {"12", "12", "17", "2"}, false, true, "NPK"},
    };
    for (const auto& f : faelle) {
        const DuengerPruefung p = DuengerEingabePruefen(f.name, f.gehalte, false, g);
        EXPECT_EQ(p.ohneName, f.ohneName) << f.gehalte[0].toStdString();
        EXPECT_EQ(p.daten.has_value(), f.speicherbar) << f.gehalte[0].toStdString();
        EXPECT_EQ(!f.ohneName && !f.speicherbar, !p.meldung.isEmpty());
        if (p.daten) {
            EXPECT_EQ(DuengerTyp(p.daten->N, p.daten->P2O5, p.daten->K2O, p.daten->Mg), f.typ);
        }
    }
    // a content above 0 but below 0,01 % would give amounts beyond any number (1e-40 %: 1e40 g)
    const struct {
        QString gehalt;
        bool speicherbar;
    } gehalte[] = {{"1e-40", false}, {"0,009", false}, {"0,01", true}, {"100", true}, {"100,01", false}, {"-0,01", false}};
    for (const auto& f : gehalte) {
        const DuengerPruefung p = DuengerEingabePruefen("A", {"", "", f.gehalt, ""}, false, g);
        EXPECT_EQ(p.daten.has_value(), f.speicherbar) << f.gehalt.toStdString();
        if (!f.speicherbar) {
            EXPECT_EQ(p.meldung.toStdString(), "„" + f.gehalt.toStdString() + "“ ist kein gültiger Gehalt. Die Nährstoffgehalte "
                                               "werden in Prozent angegeben, als Zahlen von 0,01 bis 100 % (oder 0).");
        }
        const KalkPruefung k = KalkEingabePruefen("Kalk", "50", f.gehalt, g);
        EXPECT_EQ(k.daten.has_value(), f.speicherbar && f.gehalt != "100") << f.gehalt.toStdString();
    }
    EXPECT_FALSE(KalkEingabePruefen("Sand", "", "0", g).daten);
    EXPECT_FALSE(KalkEingabePruefen("Kalk", "80", "30", g).daten);
    EXPECT_EQ(KalkEingabePruefen("Kalk", "65", "25,5", g).daten->MgCO3, 25.5);
}

// Names of the editors: every shipped name fits; a longer one or one with a control character (a NUL
// cuts it where it is shown) is refused with the reason, never cut.
TEST_F(Katalogtest, NamenBegrenztUndOhneSteuerzeichen)
{
    QStringList namen{QString(50, 'x'), QString(51, 'x'), QString("Mist") + QChar(0) + "Nord", "Mist\tNord", "Mist\nNord"};
    for (QSqlQuery q = sql::exec(dateien.kav.db(), "SELECT Bezeichnung FROM DuengerID UNION SELECT Bezeichnung FROM KalkID"); q.next();)
        namen << q.value(0).toString();
    for (const QString& name : namen) {
        const bool gut = name.size() <= 50 && !name.contains(QRegularExpression("[\\x00\\t\\n]"));
        const DuengerPruefung d = DuengerEingabePruefen(name, {"5", "", "", ""}, false, g);
        EXPECT_EQ(d.daten.has_value() && KalkEingabePruefen(name, "80", "", g).daten, gut) << name.toStdString();
        EXPECT_TRUE(gut || d.meldung.startsWith("Die Bezeichnung darf")) << name.toStdString();
    }
}

// Single nutrients are rated against the nutrient asked for and its need; no dose that rounds to 0.
TEST_F(Katalogtest, BewertungEinzelnerNaehrstoffe)
{
    const DuengerZeile kieserit{"Du1019", "Mg", "KRN", "Kieserit", 0, 0, 0, 25, 0};
    const DuengerZeile kas{"Du1002", "N", "KRN", "Kalkammonsalpeter", 27, 0, 0, 0, 0};
    const DuengerZeile ohneTyp{"Du1100", "", "Nutzer", "Ohne", 10, 0, 0, 0, 0};
    const DuengerZeile ohnePhosphat{"Du1101", "NP", "Nutzer", "Falsch", 10, 0, 0, 0, 0};
    // stored before contents below 0,01 % were refused: no dose of astronomical size, unusable
    const DuengerZeile hauch{"Du1102", "P", "Nutzer", "Hauch", 0, 1e-40, 0, 0, 0};
    const struct {
        float n, p, k, mg;
        bool optimal;
        const DuengerZeile* d;
        Klasse editor;
    } faelle[] = {
        {1, 1, 1, -3, true, &kieserit, Klasse::Rot}, // all covered, magnesium oversupplied
        {1, 1, 1, 3, true, &kieserit, Klasse::Gruen},
        {1, 1, 1, 3, false, &kieserit, Klasse::Gruen},
        {5, 3, 1, 3, true, &kas, Klasse::Rot},       // phosphate is asked for first
        {5, 3, 1, 3, false, &kas, Klasse::Gruen},
        {5, 3, 3, 3, true, &ohneTyp, Klasse::Rot},
        {5, 3, 3, 3, false, &ohnePhosphat, Klasse::Rot},
        {5, 3, 3, 3, true, &hauch, Klasse::Rot},
        {5, 3, 3, 3, false, &hauch, Klasse::Rot},
    };
    for (const auto& f : faelle) {
        s.sngNSaldo = f.n, s.sngPSaldo = f.p, s.sngKSaldo = f.k, s.sngMgSaldo = f.mg;
        EXPECT_EQ(DuengerBewerten(*f.d, s, f.optimal), f.editor) << f.d->Bezeichnung.toStdString() << f.mg;
    }
    // magnesium-rich fertilisers are unusable in the tree while no magnesium is needed
    const DuengerZeile kalimagnesia{"Du1016", "K", "KRN", "Kalimagnesia", 0, 0, 30, 10, 0};
    s.sngNSaldo = 1, s.sngPSaldo = 1, s.sngKSaldo = 5, s.sngMgSaldo = 1;
    EXPECT_EQ(DuengerKlasse(kalimagnesia, s, Naehrstoff::K, true), Klasse::Rot);
    EXPECT_EQ(DuengerBewerten(kalimagnesia, s, true), Klasse::Gruen);
    s.sngMgBedarf = -1; // soil magnesium not determined
    EXPECT_EQ(DuengerKlasse(kalimagnesia, s, Naehrstoff::K, true), Klasse::Gruen);
    EXPECT_FALSE(TypPasst(hauch));

    s.blnOptimal = true;
    s.sngMgSaldo = 0.3f; // 1.2 g/m²: 1 g
    EXPECT_EQ(frmNPK3_DuengerMengeBerechnen(kieserit, Klasse::Gruen, s, g)->txtMenge, "1");
    for (float mg : {0.1f, -3.0f})
        EXPECT_FALSE(frmNPK3_DuengerMengeBerechnen((s.sngMgSaldo = mg, kieserit), Klasse::Gruen, s, g)) << mg;
}

// A need of exactly 2,0 g/m² is open, anything below it covered: for the nutrient asked for, the
// class of a fertiliser and the editor's rating, in both methods.
TEST_F(Katalogtest, ZweiGrammSindOffen)
{
    const DuengerZeile kas{"Du1002", "N", "KRN", "Kalkammonsalpeter", 27, 0, 0, 0, 0};
    const DuengerZeile npk{"Du1027", "NPK", "KRN", "NPK", 12, 12, 12, 0, 0};
    const struct {
        float n, p, k;
        bool optimal;
        Naehrstoff leit;
        Klasse einzeln, mehrere; // Kalkammonsalpeter, NPK 12+12+12 in the tree
    } faelle[] = {
        {2, 5, 5, false, Naehrstoff::N, Klasse::Gruen, Klasse::Gruen},
        {1.99f, 5, 5, false, Naehrstoff::P, Klasse::Rot, Klasse::Rot},
        {1, 2, 1, false, Naehrstoff::P, Klasse::Rot, Klasse::Rot},
        {1, 1, 2, false, Naehrstoff::K, Klasse::Rot, Klasse::Rot},
        {1, 1.99f, 1.99f, false, Naehrstoff::Mg, Klasse::Rot, Klasse::Rot},
        {2, 2, 2, true, Naehrstoff::P, Klasse::Rot, Klasse::Gruen},
        {2, 1.99f, 2, true, Naehrstoff::K, Klasse::Rot, Klasse::Rot},
        {2, 1, 1, true, Naehrstoff::N, Klasse::Gruen, Klasse::Rot},
    };
    s.sngMgSaldo = 0, s.sngMgBedarf = -1;
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.n << " " << f.p << " " << f.k << " " << f.optimal);
        s.sngNSaldo = f.n, s.sngPSaldo = f.p, s.sngKSaldo = f.k;
        EXPECT_EQ(Leitnaehrstoff(s, f.optimal), f.leit);
        EXPECT_EQ(DuengerKlasse(kas, s, f.leit, f.optimal), f.einzeln);
        EXPECT_EQ(DuengerKlasse(npk, s, f.leit, f.optimal), f.mehrere);
        EXPECT_EQ(DuengerBewerten(kas, s, f.optimal) == Klasse::Gruen, f.einzeln == Klasse::Gruen || (!f.optimal && f.n >= 2));
    }
}

// Nitrogen, phosphate and potash covered, magnesium open: the step asks for magnesium and offers a
// magnesium fertiliser, in both methods; only with magnesium covered too is the need covered.
TEST_F(Katalogtest, MagnesiumOffenIstNichtGedeckt)
{
    s.sngNSaldo = 1, s.sngPSaldo = 1, s.sngKSaldo = 1;
    s.sngKalkBedarf = 0;
    for (const bool optimal : {true, false}) {
        SCOPED_TRACE(optimal);
        s.sngMgSaldo = 2;
        Katalog k = DuengerBaumFuellen(s, optimal, katalog, g);
        EXPECT_EQ(k.stand, Katalogstand::Klassen);
        EXPECT_EQ(k.lblDuenger, DuengerFrage(Naehrstoff::Mg));
        EXPECT_EQ(klasseVon(k, "Du1019"), "Gruen"); // Kieserit
        EXPECT_FALSE(k.cmbWeiter);
        s.sngMgSaldo = 1.99f;
        k = DuengerBaumFuellen(s, optimal, katalog, g);
        EXPECT_EQ(k.stand, Katalogstand::Geschlossen);
        EXPECT_EQ(k.lblDuenger, kGedeckt);
    }
}

// The proposal is a Single dose shown in whole grams; the sentence totals the whole grams the box
// shows and the plan doses (Hornspäne 37 g/m² on 18,8 m²: 695 g, not the 705 g of 37,4 g/m²).
TEST_F(Katalogtest, VorschlagInGanzenGramm)
{
    const DuengerZeile phosphat{"Du1100", "P", "Nutzer", "Zehn P", 0, 10, 0, 0, 0};
    const struct {
        std::optional<DuengerZeile> d;
        float n, p, k;
        float flaeche;
        const char* txtMenge;
        const char* satz;
    } faelle[] = {
        {katalog.duenger("Du1004"), 4.86f, 0, 0, 18.8f, "37", "695\u00A0g Dünger für 18,8"}, // Hornspäne 13 % N
        {katalog.duenger("Du1016"), 0, 0, 10, 18.8f, "33", "620\u00A0g Dünger für 18,8"},    // Kalimagnesia 30 % K2O
        {phosphat, 0, 2.45f, 0, 10, "24", "240\u00A0g Dünger für 10"}, // 24,5 as a Single: the even 24
        {phosphat, 0, 9.925f, 0, 10, "99", "990\u00A0g Dünger für 10"},
        {DuengerZeile{"Du1101", "N", "Nutzer", "Spur N", 0.02, 0, 0, 0, 0}, 10, 0, 0, 10, "50000",
         "500,00\u00A0kg Dünger für 10"}, // no 16-bit limit
    };
    s.blnOptimal = true;
    for (const auto& f : faelle) {
        ASSERT_TRUE(f.d);
        SCOPED_TRACE(f.d->Bezeichnung.toStdString() + " " + f.txtMenge);
        s.sngNSaldo = f.n, s.sngPSaldo = f.p, s.sngKSaldo = f.k;
        s.sngFlaecheGroesse = f.flaeche;
        const std::optional<Mengenvorschlag> m = frmNPK3_DuengerMengeBerechnen(*f.d, Klasse::Gruen, s, g);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->txtMenge, f.txtMenge);
        EXPECT_EQ(QString::number(double(m->menge)), f.txtMenge);
        EXPECT_EQ(m->lblMenge, QString("Es werden %1\u00A0m² benötigt.").arg(f.satz));
    }
}

// Only the classes "Gruen" and "Gelb" are dosed: the method of few fertilisers doses a potash
// fertiliser under "Rot" by nothing.
TEST_F(Katalogtest, NurGruenUndGelbWerdenDosiert)
{
    const struct {
        const char* typ;
        Klasse klasse;
        bool optimal;
        std::optional<Naehrstoff> nach;
    } faelle[] = {
        {"K", Klasse::Rot, false, std::nullopt},     {"Mg", Klasse::Rot, false, std::nullopt},
        {"N", Klasse::Rot, false, std::nullopt},     {"NPK", Klasse::Grau, false, std::nullopt},
        {"K", Klasse::Rot, true, std::nullopt},      {"K", Klasse::Gruen, false, Naehrstoff::K},
        {"NPK", Klasse::Gruen, false, Naehrstoff::N}, {"NPK", Klasse::Gelb, false, Naehrstoff::P},
        {"NK", Klasse::Gelb, false, Naehrstoff::N},  {"Mg", Klasse::Gelb, false, std::nullopt},
        {"NK", Klasse::Gruen, true, Naehrstoff::K},  {"NP", Klasse::Gruen, true, Naehrstoff::P},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(DosierNaehrstoff(f.typ, f.klasse, f.optimal), f.nach)
            << f.typ << " " << klassenSchluessel(f.klasse).toStdString() << " " << f.optimal;
    // the K2O need of 13,5 g/m² would give Kaliumsulfat 27 g under "Rot"
    s.blnOptimal = false;
    s.sngKSaldo = 13.5f;
    EXPECT_FALSE(frmNPK3_DuengerMengeBerechnen(*katalog.duenger("Du1014"), Klasse::Rot, s, g));
}

} // namespace

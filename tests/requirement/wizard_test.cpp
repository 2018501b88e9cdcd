// The wizard's steps without windows: the need of a crop after green manure and compost, the rules of the
// organic-matter step and of the compost advice, the roads between the steps and the texts of the
// first two steps.
#include "fertilisers/duengerwahl.h"
#include "platform/clock.h"
#include "requirement/kompostrat.h"
#include "requirement/kulturschrittwerte.h"
#include "requirement/npkauswahl.h"
#include "requirement/npkbaum.h"
#include "requirement/organischesubstanz.h"
#include "requirement/wizardschritte.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "speicherquellen.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kav;

namespace {

const Gebietsschema& deutsch()
{
    static const Gebietsschema g = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    return g;
}

// A text as it reads: its non-breaking spaces as blanks.
QString lesbar(const std::optional<QString>& t)
{
    return t ? QString(*t).replace(QChar(0x00A0), QLatin1Char(' ')) : QString();
}

// A line break that parts an amount: between number and unit, unit and material, "je" and "m²".
bool brichtMenge(const QString& text)
{
    static const QRegularExpression bruch(QStringLiteral("\\d (l|kg)\\b|\\b(l|kg) \\S|je m²"));
    return text.contains(bruch);
}

const OrgSubZeile kKompostZeile{"OS1001", "Kompost", 3, 0.3, 4, 2.5};
const OrgSubZeile kRindermist{"OS1002", "Rindermist", 2, 1.1, 7, 1.5};

// Medium soil with OS 3, P2O5 8, K2O 15, Mg 6, pH 6,0; a crop of 84 days with top dressings after 4 and
// 8 weeks, N 24 at 0,4/0,35/0,25, removal 6/20/2,5; start Monday 19.04.2027; Nmin 30 mg NO3/l.
class Wizardrechnung : public ::testing::Test {
protected:
    Wizardrechnung()
    {
        quellen.analysenZeilen["An1"] = test::analyseMit(3, 8, 15, 6);
        quellen.kulturZeilen["Ku1"] = {"Ku1", "Blumenkohl", 84, 0, 4, 8, 1, 24, 0.4, 0.35, 0.25, 6, 20, 2.5};
        BedarfVariablenZuruecksetzen(s, 0);
        s.strAktAnalysenNr = "An1", s.strAktKulturNr = "Ku1";
        s.intBodenart = 1, s.sngMg = 6, s.sngNminWert = 30, s.intNminEinheit = 0;
        s.datKulturbeginn = QDateTime(QDate(2027, 4, 19), QTime(0, 0));
    }
    Neuberechnung rechnen() { return BedarfNeuBerechnen(s, quellen.quellen(), uhr); }
    std::vector<float> reste() const { return {s.sngNSaldoGD, s.sngNSaldoKD1, s.sngNSaldoKD2}; }

    test::Speicherquellen quellen;
    WizardState s;
    FixedClock uhr{QDateTime(QDate(2027, 3, 1), QTime(9, 0))};
};

void naheBei(const std::vector<float>& ist, const std::vector<float>& soll)
{
    ASSERT_EQ(ist.size(), soll.size());
    for (size_t i = 0; i < ist.size(); ++i)
        EXPECT_NEAR(ist[i], soll[i], 1e-4) << i;
}

TEST_F(Wizardrechnung, KulturGruenduengungUndKompostBisZurDuengerauswahl)
{
    ASSERT_TRUE(rechnen().ok);
    EXPECT_NEAR(s.sngNminVorrat, 3.0084, 1e-4);
    naheBei(reste(), {6.0109f, 7.6686f, 5.1600f});
    naheBei({s.sngPSaldo, s.sngKSaldo, s.sngMgSaldo}, {12, 20, 5});

    s.sngZuschlagGD = 2.0f; // "Gründüngung, Aufwuchs 5 bis 15 cm"
    ASSERT_TRUE(rechnen().ok);
    naheBei(reste(), {5.1823f, 7.2686f, 4.3886f});

    const std::optional<QString> rat = AufwandmengeBerechnen(s, kKompostZeile, kAntwortNein, deutsch());
    EXPECT_EQ(lesbar(rat), "Sie können auf der Fläche einmal jährlich 6 l Kompost je m² ausbringen. Bitte halten Sie diese "
                   "Aufwandmenge ein.");
    ASSERT_TRUE(rechnen().ok);
    naheBei({s.sngNSaldo, s.sngPSaldo, s.sngKSaldo, s.sngMgSaldo}, {16.0647f, 0, 8, -2.5f});
}

TEST_F(Wizardrechnung, LueckenOderLesefehlerLassenDenZustandWieErWar)
{
    ASSERT_TRUE(rechnen().ok);
    const WizardState vorher = s;
    quellen.analysenZeilen["An1"].K2O.reset();
    Neuberechnung r = rechnen();
    EXPECT_TRUE(!r.ok && r.meldung.nr == 103);
    EXPECT_TRUE(r.meldung.text.endsWith("\n\nEs fehlt: Kalium-Gehalt.")) << r.meldung.text.toStdString();
    quellen.analysenZeilen["An1"].K2O = 15;
    quellen.kulturZeilen["Ku1"].leer = {"Tage", "N"};
    r = rechnen();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.meldung.text, "In den Kulturdaten von „Blumenkohl“ fehlen Werte (Tage, N). Der Nährstoffbedarf kann "
                              "für diese Kultur nicht berechnet werden.");
    s.strAktKulturNr = "Ku404";
    r = rechnen();
    EXPECT_FALSE(r.ok || r.meldung.text.isEmpty());
    s.strAktKulturNr = "Ku1";
    EXPECT_TRUE(s.sngNSaldoGD == vorher.sngNSaldoGD && s.sngNBedarf == vorher.sngNBedarf && s.sngK2O == 15);
}

TEST(OrganischeSubstanz, TeilerFaktorAngebotUndHinweis)
{
    const std::pair<int, int> teiler[] = {{60, 3}, {61, 2}, {90, 2}, {91, 1}};
    for (const auto& [tage, t] : teiler)
        EXPECT_EQ(OrgSubTeiler(tage), t) << tage;
    const std::pair<float, float> faktoren[] = {{0, 1}, {1, 1}, {2, 2}};
    for (const auto& [p, f] : faktoren)
        EXPECT_EQ(OrgSubFaktor(p), f) << p;
    // compost alone only after "Nein" on a soil rich in phosphate
    EXPECT_EQ(std::make_tuple(OrgSubAnzahl(kAntwortNein, 0), OrgSubAnzahl(kAntwortNein, 1), OrgSubAnzahl(kAntwortJa, 0)),
              std::make_tuple(1, 6, 6));
    EXPECT_EQ(OrgSubHinweis(kAntwortJa, 2), "Geben Sie an, was Sie ausgebracht haben.");
    EXPECT_TRUE(OrgSubHinweis(kAntwortNein, 0).endsWith("um mit der Berechnung fortzufahren."));
    EXPECT_TRUE(OrgSubHinweis(kAntwortNein, 1).startsWith("Wenn Sie noch Kompost"));
}

TEST(OrganischeSubstanz, SechsRatschlaegeUndDieGutschriften)
{
    struct Fall { int antwort; float pFaktor; const OrgSubZeile* z; const char* text; };
    const Fall faelle[] = {
        {kAntwortJa, 0, &kKompostZeile, "Auf Grund der sonstigen Vorteile der Eigenkompostierung können Sie einmal "
                                        "jährlich 3 l Kompost je m² ausbringen. Auch wenn auf Grund des hohen "
                                        "Phosphatgehaltes des Bodens eine weitere Zufuhr von Phosphat eigentlich nicht "
                                        "notwendig ist."},
        {kAntwortJa, 0, &kRindermist, "Auf Grund des hohen Phosphatgehaltes des Bodens sollte zukünftig kein Stallmist "
                                      "o.ä. mehr ausgebracht werden."},
        {kAntwortJa, 2, &kKompostZeile, "Die empfohlene jährliche Aufwandmenge beträgt 6 l Kompost je m². Bitte halten "
                                        "Sie diese Aufwandmenge ein."},
        {kAntwortJa, 1, &kRindermist, "Die empfohlene jährliche Aufwandmenge beträgt 2 kg Rindermist je m². Bitte "
                                      "halten Sie diese Aufwandmenge ein."},
        {kAntwortNein, 0, &kKompostZeile, "Sie können auf der Fläche einmal jährlich 3 l Kompost je m² ausbringen. Bitte "
                                          "halten Sie diese Aufwandmenge ein."},
        {kAntwortNein, 2, &kRindermist, "Sie können auf der Fläche einmal jährlich 4 kg Rindermist je m² ausbringen. "
                                        "Bitte halten Sie diese Aufwandmenge ein."},
    };
    for (const Fall& f : faelle) {
        WizardState s;
        s.sngPFaktor = f.pFaktor, s.sngPBedarf = 7, s.intKulturTage = 60;
        const std::optional<QString> rat = AufwandmengeBerechnen(s, *f.z, f.antwort, deutsch());
        EXPECT_EQ(lesbar(rat), QString::fromUtf8(f.text));
        EXPECT_FALSE(brichtMenge(rat.value_or(QString()))) << f.text;
        const float menge = static_cast<float>(*f.z->menge) * (f.pFaktor == 0 ? 1 : f.pFaktor);
        EXPECT_EQ(s.strAktOrgSubNr, f.z->OrgSubNr);
        naheBei({s.sngOrgSubMenge, s.sngNWD, s.sngPWD, s.sngKWD, s.sngMgWD},
                {menge, float(*f.z->N) * menge, 7, float(*f.z->K2O) * menge / 3, float(*f.z->Mg) * menge / 3});
    }
    // a material with an empty value changes nothing and says which
    WizardState s;
    OrgSubZeile leer = kRindermist;
    leer.K2O.reset();
    EXPECT_FALSE(AufwandmengeBerechnen(s, leer, kAntwortNein, deutsch()));
    EXPECT_TRUE(s.strAktOrgSubNr.isEmpty() && s.sngNWD == 0);
    EXPECT_TRUE(OrgSubLueckenMeldung(leer).contains("(K2O)"));
}

TEST(Kompostrat, KlassenUndFaktorAnDenGrenzen)
{
    struct Fall { const char* os; const char* p; QString mist; int faktor; };
    const Fall faelle[] = {
        {"15", "9", "Gruen", 2},  {"15", "10", "Gruen", 1}, {"15", "20", "Gruen", 1}, {"15", "21", "Rot", 0},
        {"16", "6", "Gruen", 2},  {"16", "7", "Gruen", 1},  {"16", "14", "Gruen", 1}, {"16", "15", "Rot", 0},
        {"15,5", "15", "Rot", 0}, {"14,5", "15", "Gruen", 1}, // 15,5 counts as 16, 14,5 as 14
    };
    for (const Fall& f : faelle) {
        const std::optional<KompostBoden> b = KompostBodenLesen(f.os, f.p, deutsch());
        ASSERT_TRUE(b) << f.os;
        EXPECT_EQ(KompostKlasse("OS1002", *b), f.mist) << f.os << "/" << f.p;
        EXPECT_EQ(KompostKlasse("OS1001", *b), "Gruen");
        EXPECT_EQ(KompostFaktor(KompostKlasse("OS1002", *b), *b), f.faktor) << f.os << "/" << f.p;
    }
    EXPECT_FALSE(KompostBodenLesen("", "12", deutsch()));
    EXPECT_FALSE(KompostBodenLesen("3", "viel", deutsch()));

    const KompostBoden reich{20, 15}, arm{16, 6};
    const KompostBaumInhalt rot = KompostBaumEinteilen({kKompostZeile, kRindermist}, reich);
    EXPECT_TRUE(rot.gruen.size() == 1 && rot.rot.size() == 1 && rot.meldung == kKompostMistHinweis);
    EXPECT_TRUE(KompostBaumEinteilen({kKompostZeile, kRindermist}, {20, 14}).meldung.isEmpty());
    EXPECT_EQ(lesbar(KompostRat("Gruen", arm, "Rindermist", kRindermist, deutsch())),
              "Sie können auf der Fläche einmal jährlich 4 kg Rindermist je m² ausbringen.");
    EXPECT_EQ(lesbar(KompostRat("Gruen", reich, "Kompost", kKompostZeile, deutsch())),
              "Sie können auf der Fläche einmal jährlich 3 l Kompost je m² ausbringen.");
    EXPECT_FALSE(brichtMenge(KompostRat("Gruen", arm, "Rindermist", kRindermist, deutsch())));
    EXPECT_FALSE(brichtMenge(kKompostMistHinweis));
    EXPECT_EQ(KompostRat("Rot", reich, "Rindermist", kRindermist, deutsch()),
              "Auf Grund der hohen Phosphatversorgung Ihres Bodens ist eine Ausbringung von Rindermist nicht zu "
              "empfehlen.");
}

TEST(Wege, DauerkulturenGehenInBeideRichtungenAmGruenduengungsschrittVorbei)
{
    // crop, parent node, permanent crop?
    const std::tuple<const char*, const char*, bool> dauer[] = {
        {"", "", true},          {"Ku1010", "Ku1007", false}, {"Ku1061", "Ku1003", true}, {"Ku1104", "Ku1008", true},
        {"Ku1009", "Ku1001", true}, {"Ku1090", "Ku1089", false}, {"ID1", "Fl1001", false}};
    for (const auto& [kultur, eltern, erwartet] : dauer)
        EXPECT_EQ(DauerKulturTest(kultur, eltern), erwartet) << kultur;

    // crop, blnDauerKultur → step after the crop step, step before the organic-matter step
    const std::tuple<const char*, bool, const char*, const char*> wege[] = {
        {"Ku1010", false, "NPK2", "NPK2"}, {"Ku1009", true, "NPK2b", "NPK1"}, {"Ku1061", true, "NPK2b", "NPK1"},
        {"Ku1090", false, "MKEditor", "NPK2"}, {"ID12", false, "MKEditor", "NPK2"}};
    for (const auto& [kultur, istDauer, vor, zurueck] : wege) {
        WizardState s;
        s.strAktKulturNr = kultur, s.blnDauerKultur = istDauer;
        EXPECT_EQ(KulturWeiterSchritt(s) + OrgSubZurueckSchritt(s), QString(vor) + zurueck) << kultur;
    }

    // after the organic-matter step the method is asked for when two of N, P2O5 and K2O still lack 2 g/m²
    // or more, neither for a plan nor with "immer optimal"
    const std::tuple<float, float, float, const char*, bool, bool> verfahren[] = {
        {2.0f, 2.0f, 0, "Ku1026", false, true}, {5, 1.9f, 1.9f, "Ku1026", false, false},
        {5, 5, 5, "ID010320260800001234", false, false}, {5, 5, 5, "Ku1026", true, false}};
    for (const auto& [n, p, k, kultur, immer, frage] : verfahren) {
        WizardState s;
        s.sngNSaldo = n, s.sngPSaldo = p, s.sngKSaldo = k, s.strAktKulturNr = kultur;
        Einstellungen e;
        e.blnImmerOptimal = immer;
        EXPECT_EQ(VerfahrenFragen(s, e), frage) << n << "/" << p << "/" << k << " " << kultur;
    }
}

TEST(Texte, KombinierteKulturUndAnalyse)
{
    EXPECT_EQ(KombinierterText("Salate", {}), "Salate");
    EXPECT_EQ(KombinierterText("Salate", {"Rucola"}), "Salate (Rucola)");
    EXPECT_EQ(KombinierterText("Salate", {"Rucola", "Pflücksalat"}), "Salate (Rucola & Pflücksalat)");
    EXPECT_EQ(KombinierterText("Kohl", {"Rotkohl", "Weißkohl", "Wirsing"}), "Kohl (Rotkohl, Weißkohl & Wirsing)");

    AnalysenZeile a = test::analyseMit(2.5, 8, 15, 6);
    a.Datum = QDate(2025, 4, 10), a.Bodenart = 1, a.Mg = -1;
    AnalysenAnzeige z = AnalyseAnzeigen(a, deutsch());
    EXPECT_EQ(z.datumZeile, "Aktuellste Analyse vom 10.04.2025");
    EXPECT_EQ(QStringList(z.txtWert.begin(), z.txtWert.end()),
              QStringList({"mittel", "2,5", "8", "15", "nicht bestimmt", "6"}));

    // Next: an empty value or a soil group outside 0 to 2 changes nothing (message 103)
    WizardState s;
    ASSERT_TRUE(BodenwerteUebernehmen(s, a));
    EXPECT_TRUE(s.sngMg == -1 && s.intBodenart == 1 && s.sngOS == 2.5f);
    a.Mg.reset();
    ASSERT_TRUE(BodenwerteUebernehmen(s, a)); // empty magnesium: not determined
    EXPECT_EQ(AnalyseAnzeigen(a, deutsch()).txtWert[4], "nicht bestimmt");
    for (int fall = 0; fall < 3; ++fall) {
        AnalysenZeile b = a;
        if (fall == 0)
            b.GesamtN.reset();
        else if (fall == 1)
            b.pH.reset();
        else
            b.Bodenart = 3;
        WizardState t;
        EXPECT_FALSE(BodenwerteUebernehmen(t, b)) << fall;
        EXPECT_TRUE(t.sngOS == 0 && t.sngPH == 0) << fall;
        EXPECT_EQ(AnalyseAnzeigen(b, deutsch()).txtWert[fall == 0 ? 1 : fall == 1 ? 5 : 0], "") << fall;
    }
}

TEST(Kulturschrittwerte, FlaecheUndNminWieGetipptBereichWieImFlaechendialog)
{
    // the area with at most two decimals, a half to the even digit; a Single as short as it reads back
    const std::pair<float, const char*> flaechen[] = {{7.5f * 2.5f, "18,75"}, {18.8f, "18,8"}, {12, "12"},
                                                      {0.125f, "0,12"}, {1234.567f, "1234,57"}, {1e8f, "100000000"}};
    for (const auto& [f, text] : flaechen)
        EXPECT_EQ(FlaechenText(f, deutsch()), text) << f;
    const std::pair<float, const char*> werte[] = {{2.3f, "2,3"}, {12.5f, "12,5"}, {40000, "40000"}, {0.1f, "0,1"}};
    for (const auto& [v, text] : werte)
        EXPECT_EQ(SingleText(v, deutsch()), text) << v;

    // more than a plot can be: the message names the range; up to it, and what the page's own
    // messages say (empty, no number, 0), nothing
    const std::pair<const char*, bool> texte[] = {{"100000000", false}, {"100000000,01", true},
                                                  {"99999999999999", true}, {"", false}, {"0", false}, {",", false}};
    for (const auto& [text, zuGross] : texte)
        EXPECT_EQ(FlaecheZuGross(text, deutsch()).has_value(), zuGross) << text;
    EXPECT_EQ(lesbar(FlaecheZuGross("99999999999999", deutsch())->text),
              "Die Flächengröße 99999999999999 m² liegt außerhalb des möglichen Bereichs von mehr als 0 bis 100000000 m². "
              "Bitte korrigieren Sie Ihre Eingabe.");
    EXPECT_FALSE(BeetZuGross("10000", "1,2", deutsch()));
    EXPECT_TRUE(lesbar(BeetZuGross("10000", "10000,5", deutsch())->text)
                    .startsWith("Die Breite des Beetes 10000,5 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis "
                                "10000 m."));
    EXPECT_TRUE(lesbar(BeetZuGross("20000", "20000", deutsch())->text).startsWith("Die Länge des Beetes 20000 m"));
}

} // namespace

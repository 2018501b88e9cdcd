// The charts of a mixed-culture plan: the quarter-turned last page of the recommendation and the
// planner's own landscape printout, read back from their content streams and as a reader renders them.
#include "pdf_testhilfe.h"
#include "plan/mischkulturplan.h"
#include "plan/pdfvorgaben.h"
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/bedarf.h"
#include "requirement/planungdrucken.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTransform>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace kav;
using namespace kav::test;

namespace {

// What the content stream draws, in the writer's own terms (y from the top of the page).
struct Gezeichnet {
    struct Text {
        std::string text;
        float x, y;
        bool gedreht;
    };
    std::vector<std::array<float, 4>> kaesten; // DrawBox X, Y, Width, Height
    std::vector<Text> texte;
    int dreiecke = 0;                          // closed, filled paths
    const Text* text(const std::string& t) const
    {
        for (const Text& x : texte)
            if (x.text == t)
                return &x;
        return nullptr;
    }
};

Gezeichnet lesen(const std::string& strom, float hoehe)
{
    Gezeichnet g;
    std::istringstream zeilen(strom);
    std::string z;
    float x = 0, y = 0;
    bool gedreht = false;
    const std::regex kasten("(\\S+) (\\S+) (\\S+) (\\S+) re"), td("(\\S+) (\\S+) Td"),
        tm("(\\S+) (\\S+) (\\S+) (\\S+) (\\S+) (\\S+) Tm"), text("\\((.*)\\)'");
    std::smatch m;
    while (std::getline(zeilen, z, '\r')) {
        if (z.size() > 400) // picture data
            continue;
        if (std::regex_match(z, m, kasten)) {
            const float h = std::stof(m[4]);
            g.kaesten.push_back({std::stof(m[1]), hoehe - std::stof(m[2]) - h, std::stof(m[3]), h});
        } else if (std::regex_match(z, m, td)) {
            x = std::stof(m[1]), y = hoehe - std::stof(m[2]), gedreht = false;
        } else if (std::regex_match(z, m, tm)) {
            x = std::stof(m[5]), y = hoehe - std::stof(m[6]), gedreht = m[1] == "0" && m[2] == "1";
        } else if (std::regex_match(z, m, text)) {
            g.texte.push_back({m[1], x, y, gedreht});
        } else if (z == "b") {
            ++g.dreiecke;
        }
    }
    return g;
}

MischkulturBalken balken(const char* kultur, const char* name, float top, float left, int dauer, int start, int farbe)
{
    return {kultur, name, top, left, qint16(dauer), qint16(start), farbe};
}

MischkulturplanAngaben angaben()
{
    MischkulturplanAngaben a;
    a.flaeche = "Hochbeet";
    a.datumPlanung = QDateTime(QDate(2027, 3, 1), QTime(8, 0));
    a.balken = {balken("Ku1025", "Kohlrabi", 0.5f, 0.25f, 73, 14, 0x2050A0)};
    a.beetLaenge = 3, a.beetBreite = 1.2f;
    a.werte.assign(55, MischkulturWoche{});
    a.version = "1.0.0";
    a.heute = QDate(2026, 12, 6);
    return a;
}

Gebietsschema deutsch() { return SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany)); }

std::string seite(const MischkulturplanAngaben& a, int* seiten = nullptr)
{
    clsPDF pdf = PdfVoreinstellungen();
    pdf.PrintLine("Empfehlung");
    MischkulturplanDrucken(pdf, a, deutsch());
    const std::string d = gepruefterWert(pdf);
    if (seiten)
        *seiten = pruefeDokument(d);
    return d;
}

TEST(MischkulturplanSeite, MasseBalkenUndBeschriftung)
{
    const std::string d = seite(angaben());
    const Gezeichnet g = lesen(inhalt(d, 2), 842);
    const auto nahe = [](const std::array<float, 4>& k, std::array<float, 4> soll) {
        for (int i = 0; i < 4; ++i)
            if (std::abs(k[size_t(i)] - soll[size_t(i)]) > 0.011f)
                return false;
        return true;
    };
    // the frame (L3 169, gridH 340.61, gridW 742.79) and the bar Left 0.25, Top 0.5, Dauer 73
    EXPECT_TRUE(std::any_of(g.kaesten.begin(), g.kaesten.end(), [&](auto& k) { return nahe(k, {169, 56.69f, 340.61f, 742.79f}); }));
    EXPECT_TRUE(std::any_of(g.kaesten.begin(), g.kaesten.end(), [&](auto& k) { return nahe(k, {339.31f, 465.23f, 11.35f, 148.56f}); }));
    const struct {
        const char* text;
        float x, y;
    } texte[] = {
        {"Kohlrabi", 349.04f, 565.21f},
        {"Fl\xe4" "che: Hochbeet auf 3,6 m\xb2   Planung am: 01.03.2027", 106, 799.48f},
        {"        Jan.", 142, 799.48f},
        {"    I", 169, 799.48f},
        {"Kav - Humavera Version 1.0.0; Mischkultur erstellt am 06.12.2026", 553.48f, 799.48f},
        {" keine Grundd\xfcngung vor", 182.5f, 790.98f}, // no need: the legend says so
    };
    for (const auto& t : texte) {
        const Gezeichnet::Text* x = g.text(t.text);
        ASSERT_NE(x, nullptr) << t.text;
        EXPECT_TRUE(x->gedreht) << t.text;
        EXPECT_NEAR(x->x, t.x, 0.011) << t.text;
        EXPECT_NEAR(x->y, t.y, 0.011) << t.text;
    }
}

TEST(MischkulturplanSeite, Legende)
{
    const struct {
        const char* bodenverbesserer;
        float p, k;
        std::vector<std::string> zeilen;
    } faelle[] = {
        {"Kompost", 9, 0, {"Kompostgabe", "ohne zus\xe4tzliche Grundd\xfcngung", "vor Kulturbeginn"}},
        {"Kompost", 0, 3, {"Kompostgabe", "und Grundd\xfcngung", "mit Kalium vor", "Kulturbeginn"}},
        {"", 2, 3, {"Grundd\xfcngung mit", "Phosphat und Kalium", "vor Kulturbeginn"}},
        {"", 2, 0, {"Grundd\xfcngung mit", "Phosphat vor", "Kulturbeginn"}},
        {"", 0, 3, {"Grundd\xfcngung mit", "Kalium vor", "Kulturbeginn"}},
    };
    for (const auto& f : faelle) {
        MischkulturplanAngaben a = angaben();
        a.bodenverbesserer = f.bodenverbesserer, a.pBedarf = f.p, a.kBedarf = f.k;
        const Gezeichnet g = lesen(inhalt(seite(a), 2), 842);
        for (size_t i = 0; i < f.zeilen.size(); ++i) {
            const Gezeichnet::Text* t = g.text(f.zeilen[i]);
            ASSERT_NE(t, nullptr) << f.zeilen[i];
            EXPECT_NEAR(t->x, 169 + 13.5f * float(i + 1), 0.01) << f.zeilen[i]; // lines 0.75 × 18 apart
        }
    }
}

TEST(MischkulturplanSeite, MarkenZaehlenDieWochenMitStickstoff)
{
    MischkulturplanAngaben a = angaben();
    a.balken.clear();
    for (int s = 14; s <= 23; ++s) {
        a.balken.push_back(balken("Ku1", "Salat", 0.05f * float(s - 13), float(s - 1) / 52, 30, s, 0x808080));
        a.werte[size_t(s)].Saldo = 2;
    }
    a.balken.push_back(balken("Ku2", "ohne Kulturzeile", 0.6f, 0.3f, 30, 15, 0));
    a.kulturen.emplace("Ku1", KulturZeile{"Ku1", "Salat", 30, 0, 3, 3, 1, 10, 1, 0, 0, 0, 0, 0});
    a.startwoche = 14;
    a.logo = "/gibt/es/nicht.gif";
    const std::string d = seite(a);
    const Gezeichnet g = lesen(inhalt(d, 2), 842);
    // each start lies in its own week and in the one before: a counted week before it draws again
    EXPECT_EQ(g.dreiecke, 19);
    std::vector<std::string> nummern;
    for (const auto& t : g.texte)
        if (t.text.size() == 3 && t.text.back() == '.')
            nummern.push_back(t.text);
    ASSERT_EQ(nummern.size(), 19u);
    EXPECT_EQ(nummern.front(), " 1.");
    EXPECT_EQ(nummern[16], " 9.");
    EXPECT_EQ(nummern.back(), "10.");
    EXPECT_EQ(inhalt(d, 2).find("\rBI\r"), std::string::npos); // no logo
}

TEST(MischkulturplanSeite, DieLetzteSeiteAlsLeserSieSehen)
{
    MischkulturplanAngaben a = angaben();
    a.logo = qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav_Quer.gif";
    a.werte[14].Saldo = 3;
    a.kulturen.emplace("Ku1025", KulturZeile{"Ku1025", "Kohlrabi", 63, 0, 4, 4, 1, 14, 0.6, 0.4, 0, 4, 15, 1.5});
    a.startwoche = 14;
    int seiten = 0;
    const std::string d = seite(a, &seiten);
    EXPECT_EQ(seiten, 2);
    EXPECT_NE(inhalt(d, 2).find("\rBI\r"), std::string::npos);
    const QImage erste = rendern(d, 1), bild = rendern(d, 2);
    EXPECT_EQ(bild.pixelColor(345, 480), QColor(0xA0, 0x50, 0x20));
    EXPECT_NE(erste.pixelColor(345, 480), QColor(0xA0, 0x50, 0x20));
    // the marker above the bar's start (landscape x 228.22 → Y 613.78) is black
    EXPECT_LT(qGray(bild.pixel(331, 612)), 60);
}

// Kav.KRN of the build, a Daten.KRN with plot, analysis and the four-crop plan, computed in 2027.
TEST(MischkulturplanSeite, VierKulturenIn2027)
{
    QTemporaryDir dir;
    referenzDatei(dir.filePath("Kav.KRN"));
    leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
    LocalDatabase kav("vier_kav", schemaTabellen(Datenbankdatei::Kav)), daten("vier_daten", schemaTabellen(Datenbankdatei::Daten));
    ASSERT_TRUE(kav.open(dir.filePath("Kav.KRN")) && daten.open(dir.filePath("Daten.KRN")));
    sql::exec(daten.db(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES ('Fl1001', 'Hochbeet')");
    sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, Mg, pH) VALUES ('An1000', 3, 12, 15, 8, 6.5)");
    sql::exec(daten.db(), "INSERT INTO MischkulturID VALUES ('ID1', '2027-03-01 08:00:00', 'Fl1001')");
    const struct {
        const char *kultur, *name;
        int start;
        double top;
    } plan[] = {{"Ku1010", "Kopfsalat", 14, 0.1}, {"Ku1025", "Kohlrabi", 15, 0.3}, {"Ku1026", "Blumenkohl", 18, 0.5},
                {"Ku1021", "M\xc3\xb6hre", 20, 0.7}};
    for (const auto& z : plan)
        sql::exec(daten.db(), "INSERT INTO MKEditor VALUES (?, 'ID1', ?, ?, ?, ?, 255, 60, ?)",
                  {QString("ID%1").arg(z.start), z.kultur, QString::fromUtf8(z.name), (z.start - 1) / 52.0, z.top, z.start});
    WizardState s;
    s.strAktFlaechenNr = "Fl1001", s.strAktOrgSubNr = "x", s.sngBeetLaenge = 5, s.sngBeetBreite = 1.2f;
    s.sngNminWert = 2, s.intNminEinheit = 1;
    const SqlQuellen q(kav.db(), daten.db());
    BedarfBerechnen(s, "ID1", "An1000", q.bedarf(), FixedClock(QDateTime(QDate(2027, 2, 1), QTime(9, 0))));
    const std::string d = seite(MischkulturplanLesen("ID1", s, daten.db(), kav.db()));
    const Gezeichnet g = lesen(inhalt(d, 2), 842);
    // the marker's number stands h − 6.3 above its bar: the bar is known by its Top
    std::map<std::string, std::set<std::string>> marken;
    for (const auto& t : g.texte)
        if (t.text.size() == 3 && t.text.back() == '.')
            for (const auto& z : plan)
                if (std::abs(t.x - (169 + 340.61f * float(z.top) - 11.354f + 6.3f)) < 0.05f)
                    marken[t.text].insert(z.name);
    const std::map<std::string, std::set<std::string>> soll{{" 1.", {"Kopfsalat", "Kohlrabi"}},
                                                            {" 2.", {"Kohlrabi", "Blumenkohl"}},
                                                            {" 3.", {"Blumenkohl"}},
                                                            {" 4.", {"Blumenkohl"}}};
    EXPECT_EQ(marken, soll);
}

TEST(PlanerAusdruck, QuerformatMitRasterUndFusszeile)
{
    clsPDF pdf = PdfVoreinstellungen();
    pdf.Orientation(1);
    MischkulturDiagrammZeichnen(pdf, angaben(), deutsch(), qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav.gif");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 1);
    EXPECT_LT(d.size(), 80000u); // the logo from a small copy
    const Gezeichnet g = lesen(inhalt(d, 1), 596);
    const Gezeichnet::Text* info = g.text("Fl\xe4" "che: Hochbeet auf 3,6 m\xb2   Planung am: 01.03.2027");
    ASSERT_NE(info, nullptr);
    EXPECT_NEAR(info->y, 106, 0.01);
    EXPECT_NEAR(g.text("      Jan.")->y, 142, 0.01);
    EXPECT_NEAR(g.text("     I")->y, 169, 0.01);
    EXPECT_NE(g.text("Kav - Humavera Version 1.0.0; Mischkultur gedruckt am 06.12.2026"), nullptr);
    const float hoehe = 596 - 56.69f - 169 - 18;
    EXPECT_TRUE(std::any_of(g.kaesten.begin(), g.kaesten.end(), [&](auto& k) {
        return std::abs(k[0] - 42.52f) < 0.01 && std::abs(k[1] - 187) < 0.01 && std::abs(k[2] - 756.96f) < 0.01
            && std::abs(k[3] - hoehe) < 0.01;
    }));
}

TEST(PlanerAusdruck, FehlendeFlaecheDrucktNichts)
{
    QTemporaryDir dir;
    AppContext a;
    MeldungsProtokoll protokoll;
    a.ordner.basis = dir.path();
    a.uhr = std::make_shared<FixedClock>(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
    referenzDatei(a.ordner.kavDatei());
    leereDatei(a.ordner.datenDatei(), Datenbankdatei::Daten);
    a.db = std::make_unique<Datenbanken>(a.ordner, a.gebiet, a.einstellungen, *a.uhr, protokoll);
    ASSERT_EQ(a.db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    ASSERT_EQ(a.db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    sql::exec(a.db->cnDaten(), "INSERT INTO MischkulturID VALUES ('ID1', '2027-03-01 08:00:00', 'Fl1001')");
    a.bedarf.strAktFlaechenNr = "Fl1001";
    try {
        PlanungDrucken(a, "ID1");
        ADD_FAILURE() << "ohne Fläche gedruckt";
    } catch (const PdfFehler& f) {
        EXPECT_STREQ(f.what(), "Die Fläche der Mischkultur ist nicht mehr gespeichert. Es wurde nichts gedruckt.");
    }
    sql::exec(a.db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES ('Fl1001', 'Hochbeet')");
    EXPECT_THROW(PlanungDrucken(a, "ID2"), PdfFehler); // no plan row
    EXPECT_TRUE(QDir(a.ordner.daten()).entryList({"tmpDokument_*"}).isEmpty());
    EXPECT_EQ(PlanungDrucken(a, "ID1"), a.ordner.daten() + "/tmpDokument_06122026090000.pdf");
    a.diensteSchliessen();
}

TEST(PlanerAusdruck, QuerLogoIstDasGedrehteLogo)
{
    const QImage quer(qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav_Quer.gif");
    const QImage logo(qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav.gif");
    ASSERT_EQ(quer.size(), QSize(120, 111));
    // fitted on white: white margins left and right, the logo from top to bottom
    for (int y = 0; y < 111; y += 10)
        EXPECT_EQ(quer.pixelColor(1, y), QColor(Qt::white)) << y;
    EXPECT_NE(quer.pixelColor(60, 1), QColor(Qt::white));
    // a quarter turn counter-clockwise looks like it, the other way round does not
    const auto abstand = [&](int winkel) {
        const QImage g = logo.transformed(QTransform().rotate(winkel)).scaled(103, 111).convertToFormat(QImage::Format_RGB32);
        double summe = 0;
        for (int y = 0; y < 111; ++y)
            for (int x = 0; x < 103; ++x)
                summe += std::abs(qGray(g.pixel(x, y)) - qGray(quer.pixel(x + 8, y)));
        return summe / (103 * 111);
    };
    EXPECT_LT(abstand(-90), 12);
    EXPECT_GT(abstand(90), 2 * abstand(-90));
}

} // namespace

// The charts of a mixed-culture plan: the quarter-turned last page of the recommendation and the
// planner's own landscape printout, read back from their content streams and as a reader renders them.
#include "pdf_testhilfe.h"
#include "plan/mischkulturplan.h"
#include "plan/pdfvorgaben.h"
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/bedarf.h"
#include "plan/planungdrucken.h"
#include "services/gebietsschema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QTransform>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace kav;
using namespace kav::test;

namespace {

// The boxes (DrawBox X, Y, Width, Height) and texts (at X, Y; turned or not) of a content stream.
struct Gezeichnet {
    struct Text {
        std::string text;
        float x, y;
        bool gedreht;
    };
    std::vector<std::array<float, 4>> kaesten;
    std::vector<Text> texte;
    int dreiecke = 0; // closed, filled paths
    const Text* text(const std::string& t) const
    {
        const auto it = std::find_if(texte.begin(), texte.end(), [&](const Text& x) { return x.text == t; });
        return it == texte.end() ? nullptr : &*it;
    }
    bool kasten(std::array<float, 4> soll) const
    {
        return std::any_of(kaesten.begin(), kaesten.end(), [&](const std::array<float, 4>& k) {
            return std::equal(k.begin(), k.end(), soll.begin(), [](float a, float b) { return std::abs(a - b) < 0.011f; });
        });
    }
    std::vector<const Text*> nummern() const // the numbers of the markers: " 1.", "10."
    {
        std::vector<const Text*> v;
        for (const Text& t : texte)
            if (t.text.size() == 3 && t.text.back() == '.')
                v.push_back(&t);
        return v;
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
        tm("(\\S+) (\\S+) \\S+ \\S+ (\\S+) (\\S+) Tm"), text("\\((.*)\\)'");
    std::smatch m;
    while (std::getline(zeilen, z, '\r')) {
        if (z.size() > 400) // picture data
            continue;
        if (std::regex_match(z, m, kasten))
            g.kaesten.push_back({std::stof(m[1]), hoehe - std::stof(m[2]) - std::stof(m[4]), std::stof(m[3]), std::stof(m[4])});
        else if (std::regex_match(z, m, td))
            x = std::stof(m[1]), y = hoehe - std::stof(m[2]), gedreht = false;
        else if (std::regex_match(z, m, tm))
            x = std::stof(m[3]), y = hoehe - std::stof(m[4]), gedreht = m[1] == "0" && m[2] == "1";
        else if (std::regex_match(z, m, text))
            g.texte.push_back({m[1], x, y, gedreht});
        g.dreiecke += z == "b";
    }
    return g;
}

MischkulturplanAngaben angaben()
{
    MischkulturplanAngaben a;
    a.flaeche = "Hochbeet";
    a.datumPlanung = QDateTime(QDate(2027, 3, 1), QTime(8, 0));
    a.balken = {{"Ku1025", "Kohlrabi", 0.5f, 0.25f, 73, 14, 0x2050A0}}; // Top 0.5, Left 0.25
    a.beetLaenge = 3, a.beetBreite = 1.2f;
    a.werte.assign(55, MischkulturWoche{});
    a.version = "1.0.0";
    a.heute = QDate(2026, 12, 6);
    return a;
}

Gebietsschema deutsch() { return SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany)); }

// A document whose second page is the chart; its content stream, and the document in `dokument`.
Gezeichnet seite(const MischkulturplanAngaben& a, std::string* dokument = nullptr)
{
    clsPDF pdf = PdfVoreinstellungen();
    pdf.PrintLine("Empfehlung");
    MischkulturplanDrucken(pdf, a, deutsch());
    const std::string d = gepruefterWert(pdf);
    if (dokument)
        *dokument = d;
    return lesen(inhalt(d, 2), 842);
}

const std::string kFlaechenzeile = "Fl\xe4" "che: Hochbeet auf 3,6 m\xb2   Planung am: 01.03.2027";

TEST(MischkulturplanSeite, MasseBalkenUndBeschriftung)
{
    const Gezeichnet g = seite(angaben());
    EXPECT_TRUE(g.kasten({169, 56.69f, 340.61f, 742.79f}));     // frame: L3, gridH, gridW
    EXPECT_TRUE(g.kasten({339.31f, 465.23f, 11.35f, 148.56f})); // the bar
    const struct {
        std::string text;
        float x, y;
    } texte[] = {
        {"Kohlrabi", 349.04f, 565.21f},
        {kFlaechenzeile, 106, 799.48f},
        {"        Jan.", 142, 799.48f},
        {"    I", 169, 799.48f},
        {" keine Grundd\xfcngung vor", 182.5f, 790.98f},
        {"Kav - Humavera Version 1.0.0; Mischkultur erstellt am 06.12.2026", 553.48f, 799.48f},
    };
    for (const auto& t : texte) {
        const Gezeichnet::Text* x = g.text(t.text);
        ASSERT_NE(x, nullptr) << t.text;
        EXPECT_TRUE(x->gedreht && std::abs(x->x - t.x) < 0.011f && std::abs(x->y - t.y) < 0.011f)
            << t.text << " at " << x->x << ", " << x->y;
    }
}

TEST(MischkulturplanSeite, MarkenZaehlenDieWochenMitStickstoff)
{
    MischkulturplanAngaben a = angaben();
    a.balken.clear();
    for (int s = 14; s <= 23; ++s) {
        a.balken.push_back({"Ku1", "Salat", 0.05f * float(s - 13), float(s - 1) / 52, 30, qint16(s), 0x808080});
        a.werte[size_t(s)].Saldo = 2;
    }
    a.balken.push_back({"Ku2", "ohne Kulturzeile", 0.6f, 0.3f, 30, 15, 0});
    a.kulturen.emplace("Ku1", KulturZeile{"Ku1", "Salat", 30, 0, 3, 3, 1, 10, 1, 0, 0, 0, 0, 0});
    a.startwoche = 14;
    a.logo = "/gibt/es/nicht.gif";
    a.bodenverbesserer = "Kompost", a.kBedarf = 3;
    std::string d;
    const Gezeichnet g = seite(a, &d);
    // each start lies in its own counted week and in the one before: a week counted twice draws again
    EXPECT_EQ(g.dreiecke, 19);
    const auto n = g.nummern();
    ASSERT_EQ(n.size(), 19u);
    EXPECT_EQ(n[0]->text + n[16]->text + n[18]->text, " 1. 9.10.");
    EXPECT_EQ(inhalt(d, 2).find("\rBI\r"), std::string::npos); // no logo
    for (const char* legende : {"Kompostgabe", "und Grundd\xfcngung", "mit Kalium vor", "Kulturbeginn"})
        EXPECT_NE(g.text(legende), nullptr) << legende;

    // as a reader sees it: the bar's colour, the first marker black, the chart the last page
    a = angaben();
    a.logo = test::programmOrdner() + "/Bilder/" + kDokumentLogoQuer;
    a.werte[14].Saldo = 3;
    a.kulturen.emplace("Ku1025", KulturZeile{"Ku1025", "Kohlrabi", 63, 0, 4, 4, 1, 14, 0.6, 0.4, 0, 4, 15, 1.5});
    a.startwoche = 14;
    seite(a, &d);
    EXPECT_EQ(pruefeDokument(d), 2);
    EXPECT_NE(inhalt(d, 2).find("\rBI\r"), std::string::npos);
    const QImage erste = rendern(d, 1), zweite = rendern(d, 2);
    EXPECT_EQ(zweite.pixelColor(345, 480), QColor(0xA0, 0x50, 0x20));
    EXPECT_NE(erste.pixelColor(345, 480), QColor(0xA0, 0x50, 0x20));
    // the marker above the bar's start (landscape x 228.22): a black triangle, whatever font draws its number
    EXPECT_GT(punkte(zweite, QRect(327, 608, 9, 11), [](QColor c) { return qGray(c.rgb()) < 60; }), 30);
}

// Kav.KRN of the build and a Daten.KRN with plot, analysis and the four-crop plan, computed in 2027.
TEST(MischkulturplanSeite, VierKulturenIn2027)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(referenzDatei(dir.filePath("Kav.KRN")));
    ASSERT_NO_FATAL_FAILURE(leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten));
    LocalDatabase kav("vier_kav", schemaTabellen(Datenbankdatei::Kav)), daten("vier", schemaTabellen(Datenbankdatei::Daten));
    ASSERT_TRUE(kav.open(dir.filePath("Kav.KRN")) && daten.open(dir.filePath("Daten.KRN")));
    sql::exec(daten.db(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES ('Fl1001', 'Hochbeet')");
    sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, pH) VALUES ('An1000', 3, 12, 15, 6.5)");
    sql::exec(daten.db(), "INSERT INTO MischkulturID VALUES ('ID1', '2027-03-01 08:00:00', 'Fl1001')");
    const struct {
        const char *kultur, *name;
        int start;
        float top;
    } plan[] = {{"Ku1010", "Kopfsalat", 14, 0.1f}, {"Ku1025", "Kohlrabi", 15, 0.3f}, {"Ku1026", "Blumenkohl", 18, 0.5f},
                {"Ku1021", "Möhre", 20, 0.7f}};
    for (const auto& z : plan)
        sql::exec(daten.db(), "INSERT INTO MKEditor VALUES (?, 'ID1', ?, ?, ?, ?, 255, 60, ?)",
                  {z.start, z.kultur, z.name, (z.start - 1) / 52.0, z.top, z.start});
    WizardState s;
    s.strAktFlaechenNr = "Fl1001", s.strAktOrgSubNr = "", s.sngBeetLaenge = 5, s.sngBeetBreite = 1.2f;
    s.sngNminWert = 2, s.intNminEinheit = 1;
    BedarfBerechnen(s, "ID1", "An1000", SqlQuellen(kav.db(), daten.db()).bedarf(),
                    FixedClock(QDateTime(QDate(2027, 2, 1), QTime(9, 0))));
    const Gezeichnet g = seite(MischkulturplanLesen("ID1", s, daten.db(), kav.db()));
    // each marker's number stands a bar thickness less 6.3 above its bar, which is known by its Top
    std::map<std::string, std::set<std::string>> marken;
    for (const Gezeichnet::Text* t : g.nummern())
        for (const auto& z : plan)
            if (std::abs(t->x - (169 + 340.61f * z.top - 11.354f + 6.3f)) < 0.05f)
                marken[t->text].insert(z.name);
    const std::map<std::string, std::set<std::string>> soll{
        {" 1.", {"Kopfsalat", "Kohlrabi"}}, {" 2.", {"Kohlrabi", "Blumenkohl"}}, {" 3.", {"Blumenkohl"}}, {" 4.", {"Blumenkohl"}}};
    EXPECT_EQ(marken, soll);
    EXPECT_NE(g.text("Phosphat und Kalium"), nullptr); // an empty soil improver is none
}

TEST(PlanerAusdruck, QuerformatMitRasterUndFusszeile)
{
    clsPDF pdf = PdfVoreinstellungen();
    pdf.Orientation(1);
    MischkulturDiagrammZeichnen(pdf, angaben(), deutsch(), test::programmOrdner() + "/Bilder/" + kDokumentLogo);
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 1);
    EXPECT_LT(d.size(), 80000u); // the logo from a small copy
    const Gezeichnet g = lesen(inhalt(d, 1), 596);
    for (const auto& [text, y] : {std::pair{kFlaechenzeile, 106.0f}, {"      Jan.", 142.0f}, {"     I", 169.0f}}) {
        ASSERT_NE(g.text(text), nullptr) << text;
        EXPECT_NEAR(g.text(text)->y, y, 0.01) << text;
    }
    EXPECT_NE(g.text("Kav - Humavera Version 1.0.0; Mischkultur gedruckt am 06.12.2026"), nullptr);
    EXPECT_TRUE(g.kasten({42.52f, 187, 756.96f, 596 - 56.69f - 187}));
    EXPECT_NE(inhalt(d, 1).find("\rBI\r"), std::string::npos);

    // a logo that is missing is left out, the rest of the page stands
    clsPDF ohne = PdfVoreinstellungen();
    ohne.Orientation(1);
    MischkulturDiagrammZeichnen(ohne, angaben(), deutsch(), "/gibt/es/nicht.gif");
    const std::string o = gepruefterWert(ohne);
    EXPECT_EQ(pruefeDokument(o), 1);
    EXPECT_EQ(inhalt(o, 1).find("\rBI\r"), std::string::npos);
    EXPECT_TRUE(lesen(inhalt(o, 1), 596).kasten({42.52f, 187, 756.96f, 596 - 56.69f - 187}));
}

TEST(PlanerAusdruck, QuerLogoIstDasGedrehteLogo)
{
    const QImage quer(test::programmOrdner() + "/Bilder/" + kDokumentLogoQuer);
    const QImage logo(test::programmOrdner() + "/Bilder/Logo_Kav.gif");
    ASSERT_EQ(quer.size(), QSize(120, 111));
    EXPECT_EQ(quer.pixelColor(1, 55), QColor(Qt::white)); // fitted on white, top to bottom
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

// The lexicon's rules without windows: history, slots of the strip, text width, turning the strip,
// fitting the full-size picture, the term list and the lexicon tables of the shipped Kav.KRN.
#include "lexicon/bilderleiste.h"
#include "lexicon/lexikondaten.h"
#include "lexicon/lexikonverlauf.h"
#include "lexicon/vollbildmasse.h"
#include "lexikonpfade.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QImage>
#include <QSqlDatabase>
#include <QTemporaryDir>

using namespace kav;

namespace {

const auto* const kPfade = ::testing::AddGlobalTestEnvironment(new test::LexikonPfade);

TEST(LexikonVerlauf, NeueEintraegeUndZurueck)
{
    struct Fall {
        std::vector<int> kapitel;
        QString verlauf;
    };
    for (const Fall& f : {Fall{{5, 5}, "05-"}, Fall{{5, 12, 5}, "05-12-05-"}, Fall{{123}, "123-"}, Fall{{105, 5}, "105-05-"}}) {
        QString v;
        for (int k : f.kapitel)
            v = verlaufMit(v, k);
        EXPECT_EQ(v, f.verlauf);
    }
    using S = VerlaufZurueck::Schritt;
    struct Zurueck {
        QString vorher;
        S schritt;
        int kapitel;
        QString nachher;
    };
    for (const Zurueck& z : {Zurueck{"03-12-05-", S::Kapitel, 12, "03-12-"}, Zurueck{"03-12-", S::Kapitel, 3, "03-"},
                             Zurueck{"03-", S::LetzterEintrag, 3, "03-"}, Zurueck{"", S::Nichts, 0, ""},
                             Zurueck{"03-x-", S::Nichts, 0, ""}, Zurueck{"03", S::Nichts, 0, ""}}) {
        const VerlaufZurueck r = verlaufZurueck(z.vorher);
        EXPECT_EQ(r.schritt, z.schritt) << z.vorher.toStdString();
        EXPECT_EQ(r.kapitelNr, z.kapitel) << z.vorher.toStdString();
        EXPECT_EQ(r.verlauf, z.nachher) << z.vorher.toStdString();
    }
}

TEST(LexikonStreifen, PlaetzeLueckenUndObenkanten)
{
    const double h = 1200;
    struct Fall {
        double s;
        int n;
        double luecke;
    };
    for (const Fall& f : {Fall{6 * h, 5, h / 6}, Fall{6.2 * h, 6, 0.2 * h / 7}, Fall{20 * h, 10, 10 * h / 11},
                          Fall{2 * h, 1, h / 2}, Fall{0.5 * h, 0, 0}}) {
        EXPECT_EQ(bilderAnzahl(f.s, h), f.n) << f.s / h;
        if (f.n > 0) {
            EXPECT_NEAR(bildOben(1, f.n, f.s, h), f.luecke, 1e-6) << f.s / h;
        }
    }
    const double oben[5] = {h / 6, 4 * h / 3, 2.5 * h, 11 * h / 3, 29 * h / 6};
    for (int i = 1; i <= 5; ++i)
        EXPECT_NEAR(bildOben(i, 5, 6 * h, h), oben[i - 1], 1e-6) << i;
}

TEST(LexikonStreifen, TextbreiteUndSichtbarkeit)
{
    const double w = 15000, s = 255;
    struct Fall {
        int bilder, plaetze;
        double breite;
        bool rahmen, bildlauf;
        int sichtbar;
    };
    for (const Fall& f : {Fall{0, 5, 0.68 * w + s, false, false, 0}, Fall{3, 5, 0.58 * w + s, true, false, 3},
                          Fall{5, 5, 0.58 * w + s, true, false, 5}, Fall{7, 5, 0.58 * w, true, true, 5}}) {
        const Streifen st = streifenFuer(f.bilder, f.plaetze, w, s);
        EXPECT_DOUBLE_EQ(st.textBreite, f.breite) << f.bilder;
        EXPECT_EQ(st.rahmen, f.rahmen) << f.bilder;
        EXPECT_EQ(st.bildlauf, f.bildlauf) << f.bilder;
        EXPECT_EQ(st.sichtbar, f.sichtbar) << f.bilder;
    }
}

TEST(LexikonStreifen, DrehtSichUmDieBilder)
{
    EXPECT_EQ(streifenBilder(6, 7, 5), std::vector<int>({6, 7, 1, 2, 3}));
    struct Fall {
        int wert, start;
        std::vector<int> bilder;
    };
    for (const Fall& f : {Fall{5000, 1, {1, 2, 3, 4, 5}}, Fall{5002, 3, {3, 4, 5, 6, 7}}, Fall{4999, 7, {7, 1, 2, 3, 4}},
                          Fall{5014, 1, {1, 2, 3, 4, 5}}, Fall{4986, 1, {1, 2, 3, 4, 5}}}) {
        EXPECT_EQ(streifenStart(f.wert, 7), f.start) << f.wert;
        EXPECT_EQ(streifenBilder(f.start, 7, 5), f.bilder) << f.wert;
    }
    // without pictures the strip has nothing to show
    EXPECT_EQ(streifenStart(5003, 0), 0);
    EXPECT_TRUE(streifenBilder(0, 0, 5).empty());
}

TEST(LexikonVollbild, EinpassenUndPlatz)
{
    struct Fall {
        QSizeF natur, innen, bild;
    };
    for (const Fall& f : {Fall{{960, 672}, {1280, 900}, {960, 672}}, Fall{{960, 672}, {1024, 700}, {750, 525}},
                          Fall{{400, 300}, {1024, 700}, {400, 300}}, Fall{{300, 1400}, {1024, 700}, {112.5, 525}}}) {
        const QSizeF b = bildEinpassen(f.natur, f.innen);
        EXPECT_NEAR(b.width(), f.bild.width(), 1e-9) << f.natur.width() << "x" << f.natur.height();
        EXPECT_NEAR(b.height(), f.bild.height(), 1e-9) << f.natur.width() << "x" << f.natur.height();
    }
    // centred on the main window and a third of the free height down, from its place on the screen
    const QRectF haupt(100, 50, 1032, 760);
    const VollbildMasse m = vollbildMasse({400, 300}, haupt, {1024, 700}, 20, 250, {20, 20});
    EXPECT_DOUBLE_EQ(m.fenster.width(), 408);
    EXPECT_DOUBLE_EQ(m.fenster.left(), 100 + (1032 - 408) / 2.0);
    EXPECT_DOUBLE_EQ(m.fenster.top(), 50 + (760 - m.fenster.height()) / 3);
    EXPECT_GE(m.quelle.top(), m.bild.bottom());
    EXPECT_LE(m.quelle.bottom(), m.fenster.height());
    // no source line: the window ends below the picture
    const VollbildMasse ohne = vollbildMasse({400, 300}, haupt, {1024, 700}, 0, 0, {20, 20});
    EXPECT_TRUE(ohne.quelle.isEmpty());
    EXPECT_LT(ohne.fenster.height() - ohne.bild.bottom(), 20);
    // a missing picture still leaves room for its source line and the close image
    const VollbildMasse leer = vollbildMasse({0, 0}, haupt, {1024, 700}, 20, 250, {20, 20});
    EXPECT_GE(leer.quelle.width(), 250);
    EXPECT_GE(leer.quelle.top(), leer.ende.bottom());
}

TEST(LexikonBegriffe, SucheUndListentasten)
{
    const QStringList l{"Ausbringung", "Beerensträucher", "Bodenart", "Bodengruppe", "Überdüngung"};
    EXPECT_EQ(ersterTreffer(l, "bo"), 2);
    EXPECT_EQ(ersterTreffer(l, "BODENG"), 3);
    EXPECT_EQ(ersterTreffer(l, "ü"), 4);
    EXPECT_EQ(ersterTreffer(l, "x"), -1);
    EXPECT_EQ(ersterTreffer(l, ""), -1);
    using T = ListenTaste;
    struct Fall {
        int aktuell;
        T taste;
        int neu;
    };
    for (const Fall& f : {Fall{3, T::Vor, 4}, Fall{4, T::Vor, 0}, Fall{0, T::Zurueck, 4}, Fall{2, T::Pos1, 0},
                          Fall{2, T::Ende, 4}, Fall{-1, T::Vor, 0}, Fall{-1, T::Zurueck, 4}})
        EXPECT_EQ(listenSchritt(f.aktuell, 5, f.taste), f.neu) << f.aktuell;
    EXPECT_EQ(listenSchritt(0, 0, T::Vor), -1);
}

class LexikonTabellen : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::referenzDatei(dir.filePath("Kav.KRN"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lexikon_test"));
        db.setDatabaseName(dir.filePath("Kav.KRN"));
        ASSERT_TRUE(db.open());
    }
    void TearDown() override
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("lexikon_test"));
    }
    QTemporaryDir dir;
    QSqlDatabase db;
};

TEST_F(LexikonTabellen, DeutscheReihenfolgeUndSchluessel)
{
    const LexikonDaten d(db);
    QStringList liste;
    for (const LexikonSuchbegriff& b : d.begriffsliste())
        liste << b.suchbegriff;
    ASSERT_EQ(liste.size(), 61);
    EXPECT_EQ(liste.first(), "Ausbringung");
    EXPECT_EQ(liste.last(), "Wirtschaftsdünger");
    EXPECT_LT(liste.indexOf("Überdüngung"), liste.indexOf("Wirtschaftsdünger"));
    EXPECT_LT(liste.indexOf("Kalkdünger"), liste.indexOf("kalkmeidend"));
    EXPECT_LT(liste.indexOf("kalkmeidend"), liste.indexOf("Kalkung"));

    EXPECT_EQ(d.kapitel("einleitung")->kapitel, "Einleitung");
    EXPECT_FALSE(d.kapitel("Ein%").has_value());
    EXPECT_FALSE(d.kapitel("x' OR '1'='1").has_value());
    EXPECT_EQ(d.bilder(1).size(), 7u);
    EXPECT_EQ(d.quelle("bodenprobe.PNG").value_or(""), "Zeichnung: Humavera, eigene Darstellung");
    EXPECT_FALSE(d.quelle("Bodenprobe%").has_value());
    // terms of the chapter shown and terms never linked are left out
    for (const LexikonSuchbegriff& b : d.verweisbegriffe(1))
        EXPECT_TRUE(b.verweis != 1 && b.suchbegriff != "Dünger") << b.suchbegriff.toStdString();
}

TEST_F(LexikonTabellen, VorschauenOhneFehlendeMitDoppelten)
{
    QImage bild(24, 16, QImage::Format_RGB32);
    bild.fill(Qt::red);
    ASSERT_TRUE(bild.save(dir.filePath("a.png")));
    test::schreibeDatei(dir.filePath("kaputt.png"), "kein Bild");
    const std::vector<LexikonBild> zeilen{{"a.png", ""}, {"fehlt.png", ""}, {"kaputt.png", ""}, {"../a.png", ""}, {"a.png", ""}};
    const std::vector<Vorschau> v = vorschauenLaden(dir.path(), zeilen);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[1].datei, "a.png");
    EXPECT_EQ(v[1].bild.size(), QSize(24, 16));
}

} // namespace

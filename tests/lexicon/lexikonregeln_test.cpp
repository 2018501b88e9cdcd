// The lexicon's rules without windows: history, slots of the strip, text width, turning the strip,
// fitting the full-size picture, the term list and the lexicon tables of the shipped Kav.KRN.
#include "lexicon/bilderleiste.h"
#include "lexicon/lexikondaten.h"
#include "lexicon/lexikonverlauf.h"
#include "lexicon/vollbildmasse.h"
#include "testhelpers.h"

#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace kav;

namespace {

TEST(LexikonVerlauf, NeueEintraegeUndZurueck)
{
    for (const auto& [kapitel, verlauf] : std::vector<std::pair<std::vector<int>, QString>>{
             {{5, 5}, "05-"}, {{5, 12, 5}, "05-12-05-"}, {{123}, "123-"}, {{105, 5}, "105-05-"}}) {
        QString v;
        for (int k : kapitel)
            v = verlaufMit(v, k);
        EXPECT_EQ(v, verlauf);
    }
    using S = VerlaufZurueck::Schritt;
    struct Fall {
        QString vorher;
        S schritt;
        int kapitel;
        QString nachher;
    };
    for (const Fall& z : {Fall{"03-12-05-", S::Kapitel, 12, "03-12-"}, Fall{"03-12-", S::Kapitel, 3, "03-"},
                          Fall{"03-", S::LetzterEintrag, 3, "03-"}, Fall{"", S::Nichts, 0, ""}, Fall{"03-x-", S::Nichts, 0, ""},
                          Fall{"03", S::Nichts, 0, ""}}) {
        const VerlaufZurueck r = verlaufZurueck(z.vorher);
        EXPECT_TRUE(r.schritt == z.schritt && r.kapitelNr == z.kapitel && r.verlauf == z.nachher) << z.vorher.toStdString();
    }
}

TEST(LexikonStreifen, PlaetzeBreiteUndDrehung)
{
    const double h = 1200;
    struct Fall {
        double s;
        int n;
        double luecke;
    };
    for (const Fall& f : {Fall{6 * h, 5, h / 6}, Fall{6.2 * h, 6, 0.2 * h / 7}, Fall{20 * h, 10, 10 * h / 11},
                          Fall{2 * h, 1, h / 2}, Fall{0.5 * h, 1, -0.25 * h}}) {
        EXPECT_EQ(bilderAnzahl(f.s, h), f.n) << f.s / h;
        EXPECT_NEAR(bildOben(1, f.n, f.s, h), f.luecke, 1e-6) << f.s / h;
    }
    const double oben[5] = {h / 6, 4 * h / 3, 2.5 * h, 11 * h / 3, 29 * h / 6};
    for (int i = 1; i <= 5; ++i)
        EXPECT_NEAR(bildOben(i, 5, 6 * h, h), oben[i - 1], 1e-6) << i;

    // text width and what the strip shows: pictures, slots -> width, frame, scroll bar, slots shown
    const double w = 15000, s = 255;
    struct Breite {
        int bilder;
        double breite;
        bool rahmen, bildlauf;
        int sichtbar;
    };
    for (const Breite& b : {Breite{0, 0.68 * w + s, false, false, 0}, Breite{3, 0.58 * w + s, true, false, 3},
                            Breite{5, 0.58 * w + s, true, false, 5}, Breite{7, 0.58 * w, true, true, 5}}) {
        const Streifen st = streifenFuer(b.bilder, 5, w, s);
        EXPECT_TRUE(st.textBreite == b.breite && st.rahmen == b.rahmen && st.bildlauf == b.bildlauf && st.sichtbar == b.sichtbar)
            << b.bilder;
    }

    EXPECT_EQ(streifenBilder(6, 7, 5), std::vector<int>({6, 7, 1, 2, 3}));
    for (const auto& [wert, bilder] : std::vector<std::pair<int, std::vector<int>>>{
             {5000, {1, 2, 3, 4, 5}}, {5002, {3, 4, 5, 6, 7}}, {4999, {7, 1, 2, 3, 4}}, {5014, {1, 2, 3, 4, 5}}, {4986, {1, 2, 3, 4, 5}}})
        EXPECT_EQ(streifenBilder(streifenStart(wert, 7), 7, 5), bilder) << wert;
    EXPECT_EQ(streifenStart(5003, 0), 0); // without pictures the strip has nothing to show
    EXPECT_TRUE(streifenBilder(0, 0, 5).empty());
}

TEST(LexikonVollbild, EinpassenUndPlatz)
{
    for (const auto& [natur, innen, bild] : std::vector<std::tuple<QSizeF, QSizeF, QSizeF>>{
             {{960, 672}, {1280, 900}, {960, 672}}, {{960, 672}, {1024, 700}, {750, 525}},
             {{400, 300}, {1024, 700}, {400, 300}}, {{300, 1400}, {1024, 700}, {112.5, 525}}})
        EXPECT_EQ(bildEinpassen(natur, innen), bild) << natur.width() << "x" << natur.height();
    // centred on the main window and a third of the free height down, from its place on the screen
    const QRectF haupt(100, 50, 1032, 760);
    const VollbildMasse m = vollbildMasse({400, 300}, haupt, {1024, 700}, 20, 250, {20, 20});
    EXPECT_EQ(m.fenster.topLeft(), QPointF(100 + (1032 - 408) / 2.0, 50 + (760 - m.fenster.height()) / 3));
    EXPECT_EQ(m.fenster.width(), 408);
    EXPECT_TRUE(m.quelle.top() >= m.bild.bottom() && m.quelle.bottom() <= m.fenster.height());
    // no source line: the window ends below the picture; no picture: room for source and close image
    const VollbildMasse ohne = vollbildMasse({400, 300}, haupt, {1024, 700}, 0, 0, {20, 20});
    EXPECT_TRUE(ohne.quelle.isEmpty() && ohne.fenster.height() - ohne.bild.bottom() < 20);
    const VollbildMasse leer = vollbildMasse({0, 0}, haupt, {1024, 700}, 20, 250, {20, 20});
    EXPECT_TRUE(leer.quelle.width() >= 250 && leer.quelle.top() >= leer.ende.bottom());
}

TEST(LexikonBegriffe, SucheUndListentasten)
{
    const QStringList l{"Ausbringung", "Beerensträucher", "Bodenart", "Bodengruppe", "Überdüngung"};
    for (const auto& [anfang, index] : std::vector<std::pair<QString, int>>{{"bo", 2}, {"BODENG", 3}, {"ü", 4}, {"x", -1}, {"", -1}})
        EXPECT_EQ(ersterTreffer(l, anfang), index) << anfang.toStdString();
    using T = ListenTaste;
    for (const auto& [aktuell, taste, neu] : std::vector<std::tuple<int, T, int>>{
             {3, T::Vor, 4}, {4, T::Vor, 0}, {0, T::Zurueck, 4}, {2, T::Pos1, 0}, {2, T::Ende, 4}, {-1, T::Vor, 0}, {-1, T::Zurueck, 4}})
        EXPECT_EQ(listenSchritt(aktuell, 5, taste), neu) << aktuell;
    EXPECT_EQ(listenSchritt(0, 0, T::Vor), -1);
}

TEST(LexikonTabellen, DeutscheReihenfolgeSchluesselUndVorschauen)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(test::referenzDatei(dir.filePath("Kav.KRN")));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lexikon_test"));
    db.setDatabaseName(dir.filePath("Kav.KRN"));
    ASSERT_TRUE(db.open());
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
    for (const LexikonSuchbegriff& b : d.verweisbegriffe(1)) // not the chapter's own, not those never linked
        EXPECT_TRUE(b.verweis != 1 && b.suchbegriff != "Dünger") << b.suchbegriff.toStdString();
    // a term without a stated appearance (a row of a data update) is both linked and listed
    QSqlQuery ohne(db);
    ASSERT_TRUE(ohne.exec("INSERT INTO LexikonSuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen) VALUES ('Aaa', 9, 0, NULL)"));
    const auto hat = [](const std::vector<LexikonSuchbegriff>& v) {
        return std::any_of(v.begin(), v.end(), [](const LexikonSuchbegriff& b) { return b.suchbegriff == "Aaa"; });
    };
    EXPECT_TRUE(hat(d.verweisbegriffe(1)) && hat(d.begriffsliste()));

    // previews: a missing, an unreadable and a foreign file are left out, a file twice is there twice
    QImage bild(24, 16, QImage::Format_RGB32);
    bild.fill(Qt::red);
    ASSERT_TRUE(bild.save(dir.filePath("a.png")));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("kaputt.png"), "kein Bild"));
    const std::vector<Vorschau> v = vorschauenLaden(dir.path(), {{"a.png", ""}, {"fehlt.png", ""}, {"kaputt.png", ""}, {"../a.png", ""}, {"a.png", ""}});
    ASSERT_EQ(v.size(), 2u);
    EXPECT_TRUE(v[1].datei == "a.png" && v[1].bild.size() == QSize(24, 16));
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("lexikon_test"));
}

} // namespace

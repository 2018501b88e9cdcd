// Links of the lexicon pages: marked on the shipped chapters, touching links, web links, the link
// under a character, and which files a page may load.
#include "lexicon/lexikondaten.h"
#include "lexicon/verweise.h"
#include "testhelpers.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <map>

using namespace kav;

namespace {

// The links of a page: (position, text, target), in the order of the text.
struct Verweis {
    int pos;
    QString text, ziel;
};
std::vector<Verweis> verweise(const QTextDocument& doc)
{
    std::vector<Verweis> v;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isAnchor())
                continue;
            EXPECT_EQ(f.foreground().color(), QColor(0, 0, 255));
            EXPECT_TRUE(f.fontUnderline());
            if (!v.empty() && v.back().ziel == f.anchorHref() && v.back().pos + v.back().text.size() == it.fragment().position())
                v.back().text += it.fragment().text();
            else
                v.push_back({it.fragment().position(), it.fragment().text(), f.anchorHref()});
        }
    return v;
}

// The page of a shipped chapter with its links marked.
std::vector<Verweis> seite(QTextDocument& doc, const QString& kapitel)
{
    static QTemporaryDir dir;
    QSqlDatabase db = QSqlDatabase::database(QStringLiteral("verweise_test"));
    if (!db.isValid()) {
        test::referenzDatei(dir.filePath("Kav.KRN"));
        if (::testing::Test::HasFatalFailure())
            return {};
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("verweise_test"));
        db.setDatabaseName(dir.filePath("Kav.KRN"));
        EXPECT_TRUE(db.open());
    }
    const LexikonDaten d(db);
    const auto k = d.kapitel(kapitel);
    EXPECT_TRUE(k.has_value()) << kapitel.toStdString();
    doc.setHtml(d.text(k->kapitelNr));
    webVerweiseMarkieren(doc);
    verweiseMarkieren(doc, d.verweisbegriffe(k->kapitelNr));
    return verweise(doc);
}

TEST(LexikonSeiten, EinleitungHatGenauAchtVerweise)
{
    QTextDocument doc;
    std::map<QString, QString> soll{{"Bodenuntersuchung", "kapitel:2"}, {"Nährstoffbedarf", "kapitel:3"},
                                    {"Gehaltsklasse", "kapitel:21"},     {"pH-Wert", "kapitel:9"},
                                    {"Kompost", "kapitel:23"},           {"Stallmist", "kapitel:24"},
                                    {"Horndünger", "kapitel:13"},        {"Überdüngung", "kapitel:33"}};
    std::map<QString, QString> ist;
    for (const Verweis& v : seite(doc, "Einleitung"))
        ist[v.text] = v.ziel;
    EXPECT_EQ(ist, soll);
    EXPECT_EQ(doc.toPlainText().mid(verweise(doc)[2].pos, 14), "Gehaltsklassen"); // the term inside the longer word
}

TEST(LexikonSeiten, ErsteStelleGanzeWorteUndEigeneBegriffe)
{
    QTextDocument doc;
    // the term at the page's first character is marked where it stands next
    auto v = seite(doc, "GehaltsklassenPhosphat");
    const QString text = doc.toPlainText();
    ASSERT_TRUE(text.startsWith("Phosphat"));
    const auto phosphat = std::find_if(v.begin(), v.end(), [](const Verweis& x) { return x.text == "Phosphat"; });
    ASSERT_NE(phosphat, v.end());
    EXPECT_EQ(phosphat->pos, text.indexOf("Phosphat", 1));
    EXPECT_EQ(phosphat->ziel, "kapitel:18");

    v = seite(doc, "pHundKalk");
    const auto kalk = std::find_if(v.begin(), v.end(), [](const Verweis& x) { return x.text == "Kalk"; });
    ASSERT_NE(kalk, v.end());
    EXPECT_EQ(kalk->ziel, "kapitel:34");
    EXPECT_EQ(kalk->pos, doc.toPlainText().indexOf("Kalk am"));

    v = seite(doc, "organischeSubstanz");
    const auto mulch = std::find_if(v.begin(), v.end(), [](const Verweis& x) { return x.ziel == "kapitel:36"; });
    ASSERT_NE(mulch, v.end());
    EXPECT_EQ(doc.toPlainText().mid(mulch->pos, 7), "Mulchen");
    for (const Verweis& x : v)
        EXPECT_NE(x.ziel, "kapitel:5") << x.text.toStdString();
}

TEST(LexikonVerweise, BeruehrendeVerweiseUndWebadressen)
{
    QTextDocument doc;
    doc.setHtml("<p>Die Stickstoffnachlieferung steigt. Mehr unter <span style=\"color:#0000ff\">www.beispiel.de/boden</span> "
                "und <a href=\"https://www.beispiel.de/kalk\">Kalk im Netz</a>; Kalk.</p>");
    EXPECT_EQ(webVerweiseMarkieren(doc), 1);
    const std::vector<LexikonSuchbegriff> begriffe{{"Stickstoff", 17, false}, {"nachlieferung", 37, false},
                                                   {"Kalk", 34, true}, {"Die", 1, false}};
    EXPECT_EQ(verweiseMarkieren(doc, begriffe), 2); // "Kalk" stands first in a link already there: no link of its own
    const QString t = doc.toPlainText();
    const int s = static_cast<int>(t.indexOf("Stickstoff"));
    struct Fall {
        int pos;
        QString ziel;
    };
    for (const Fall& f : {Fall{s, "kapitel:17"}, Fall{s + 9, "kapitel:17"}, Fall{s + 10, "kapitel:37"}, Fall{s - 1, ""},
                          Fall{static_cast<int>(t.indexOf("www")), "www.beispiel.de/boden"},
                          Fall{static_cast<int>(t.indexOf("Kalk im")), "https://www.beispiel.de/kalk"},
                          Fall{static_cast<int>(t.lastIndexOf("Kalk")), ""}, Fall{0, ""}, Fall{-1, ""}, Fall{99999, ""}})
        EXPECT_EQ(verweisAn(doc, f.pos), f.ziel) << f.pos;

    EXPECT_EQ(verweisZiel("kapitel:x").art, VerweisZiel::Art::Keins);
    EXPECT_EQ(verweisZiel("file:///etc/passwd").art, VerweisZiel::Art::Keins);
}

TEST(LexikonVerweise, SeiteLaedtNurAusDemLexikonordner)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("Lexikon/Bilder/a.png"), "x"));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("Daten/Kav.KRN"), "x"));
    QFile::link(dir.filePath("Daten/Kav.KRN"), dir.filePath("Lexikon/verweis.png"));
    const QString lex = dir.filePath("Lexikon");
    const QString a = QFileInfo(dir.filePath("Lexikon/Bilder/a.png")).canonicalFilePath();
    struct Fall {
        QUrl url;
        QString datei;
    };
    for (const Fall& f : {Fall{QUrl("Bilder/a.png"), a}, Fall{QUrl::fromLocalFile(dir.filePath("Lexikon/Bilder/a.png")), a},
                          Fall{QUrl("../Daten/Kav.KRN"), ""}, Fall{QUrl::fromLocalFile(dir.filePath("Daten/Kav.KRN")), ""},
                          Fall{QUrl("verweis.png"), ""}, Fall{QUrl("http://beispiel.de/a.png"), ""},
                          Fall{QUrl("qrc:/icons/OK.svg"), ""}, Fall{QUrl("Bilder/fehlt.png"), ""}, Fall{QUrl("Bilder"), ""}})
        EXPECT_EQ(lexikonRessource(f.url, lex), f.datei) << f.url.toString().toStdString();
}

} // namespace

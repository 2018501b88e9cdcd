// The lexicon (chapters, search terms, pictures) in Kav.KRN and the program folder, and the help pages.
#include "referenzdaten.h"

#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace kav;

namespace {

// Chapter number -> plain text of the chapter as the lexicon shows it.
QMap<int, QString> kapiteltexte()
{
    QMap<int, QString> out;
    for (const QVariantMap& z : test::zeilen("SELECT KapitelNr, Kapitel FROM Lexikon")) {
        QTextDocument doc;
        doc.setHtml(z.value("Kapitel").toString());
        out.insert(z.value("KapitelNr").toInt(), doc.toPlainText());
    }
    return out;
}

// Where the lexicon would mark the term in a page: the first hit after position 0, letter case
// ignored, whole words only when asked; -1 when it marks nothing.
int markierteStelle(const QString& text, const QString& begriff, bool ganzesWort)
{
    QTextDocument doc(text);
    QTextCursor c(&doc);
    for (;;) {
        c = doc.find(begriff, c, ganzesWort ? QTextDocument::FindFlags(QTextDocument::FindWholeWords) : QTextDocument::FindFlags());
        if (c.isNull() || c.selectionStart() > 0)
            return c.isNull() ? -1 : c.selectionStart();
    }
}

QString doppelt(const char* ausdruck, const char* tabelle)
{
    return QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 HAVING COUNT(*) > 1").arg(QLatin1String(ausdruck), QLatin1String(tabelle));
}

} // namespace

TEST(Lexikon, KapitelSuchbegriffeUndBilderGehoerenZusammen)
{
    const std::pair<const char*, QString> regeln[] = {
        {"Kapitel, die das Programm öffnet",
         "WITH soll(k) AS (VALUES ('Einleitung'), ('Bodenuntersuchung'), ('NaehrstoffbedarfAllgemein'), ('Bodenart'), "
         "('organischeSubstanz'), ('GehaltsklassenPhosphat'), ('GehaltsklassenKalium'), ('GehaltsklassenMagnesium'), "
         "('pHundKalk'), ('Nitratschnelltest'), ('Gruenduengung'), ('WirtschaftsduengerAllgemein'), ('Horn'), "
         "('EinteilungDuengerNaehrstoffe'), ('AuswahlDuenger'), ('Mischkultur')) "
         "SELECT k FROM soll WHERE k NOT IN (SELECT Kapitel FROM LexikonKapitel WHERE trim(Ueberschrift) <> '')"},
        {"Kapitel ohne genau einen Text", "SELECT Kapitel FROM LexikonKapitel c WHERE (SELECT COUNT(*) FROM Lexikon l "
                                          "WHERE l.KapitelNr = c.KapitelNr) <> 1"},
        {"Text ohne Kapitel oder nicht eingelesen", "SELECT KapitelNr FROM Lexikon WHERE KapitelNr NOT IN "
                                                    "(SELECT KapitelNr FROM LexikonKapitel) OR Kapitel LIKE '@datei:%'"},
        // keys are found with LIKE, so they must differ in more than letter case
        {"Kapitel doppelt", doppelt("lower(Kapitel)", "LexikonKapitel") + " UNION ALL " + doppelt("KapitelNr", "LexikonKapitel")},
        {"mindestens 30 Kapitel", "SELECT n FROM (SELECT COUNT(*) AS n FROM LexikonKapitel) WHERE n < 30"},
        {"Suchbegriff", "SELECT Suchbegriff FROM LexikonSuchbegriff WHERE (trim(Suchbegriff) <> '' AND GanzesWort IN (0, 1) "
                        "AND Erscheinen IN (0, 1, 2) AND Verweis IN (SELECT KapitelNr FROM Lexikon)) IS NOT 1"},
        {"Suchbegriff doppelt", doppelt("lower(Suchbegriff)", "LexikonSuchbegriff")},
        {"kein Begriff der Liste führt zum Kapitel", "SELECT Kapitel FROM LexikonKapitel WHERE KapitelNr NOT IN "
                                                     "(SELECT Verweis FROM LexikonSuchbegriff WHERE Erscheinen <> 2)"},
        // whole-word and part-word terms, terms never linked (1) and never listed (2)
        {"Begriffsart fehlt", "WITH soll(k) AS (VALUES ('w1'), ('w0'), ('e1'), ('e2')) SELECT k FROM soll WHERE k NOT IN "
                              "(SELECT 'w' || GanzesWort FROM LexikonSuchbegriff UNION SELECT 'e' || Erscheinen FROM LexikonSuchbegriff)"},
        {"Bild", "SELECT BildDatei FROM LexikonBilder WHERE (trim(Quelle) <> '' AND Verweis IN (SELECT KapitelNr FROM Lexikon)) IS NOT 1"},
        // the thumbnail store is keyed by file name: one file only once per chapter
        {"Bild doppelt", doppelt("BilderNr", "LexikonBilder") + " UNION ALL " + doppelt("Verweis || '/' || BildDatei", "LexikonBilder")
                             + " UNION ALL " + doppelt("Verweis || '/' || Reihenfolge", "LexikonBilder")},
        {"mindestens 20 Bilder", "SELECT n FROM (SELECT COUNT(*) AS n FROM LexikonBilder) WHERE n < 20"},
        // more pictures than a narrow strip shows
        {"kein Kapitel mit mehr als 5 Bildern", "SELECT n FROM (SELECT MAX(n) AS n FROM (SELECT COUNT(*) AS n FROM "
                                                "LexikonBilder GROUP BY Verweis)) WHERE n <= 5"},
    };
    for (const auto& [was, sql] : regeln) {
        const QStringList v = test::verstoesse(sql);
        EXPECT_TRUE(v.isEmpty()) << was << ": " << v.join(", ").toStdString();
    }
}

TEST(Lexikon, JedesKapitelHatTextUndJederVerweisbegriffWirdAnderswoMarkiert)
{
    const QMap<int, QString> texte = kapiteltexte();
    for (auto it = texte.cbegin(); it != texte.cend(); ++it)
        EXPECT_GT(it.value().size(), 300) << "Kapitel " << it.key();
    for (const QVariantMap& z : test::zeilen("SELECT * FROM LexikonSuchbegriff WHERE Erscheinen <> 1")) {
        const QString begriff = z.value("Suchbegriff").toString();
        bool markiert = false;
        for (auto it = texte.cbegin(); it != texte.cend() && !markiert; ++it)
            markiert = it.key() != z.value("Verweis").toInt()
                       && markierteStelle(it.value(), begriff, z.value("GanzesWort").toInt() == 1) > 0;
        EXPECT_TRUE(markiert) << begriff.toStdString() << " kommt in keinem anderen Kapitel vor";
    }
    // whole-word terms are not marked inside longer words
    EXPECT_EQ(markierteStelle("Die Kalimagnesia", "Kali", true), -1);
    EXPECT_EQ(markierteStelle("Die Kalimagnesia", "Kali", false), 4);
}

TEST(Lexikon, JedesBildUndJedeZeichnungLiegtAlsVorschauUndVollbildVor)
{
    const QDir vorschau(test::programmOrdner() + "/Lexikon/Bilder/Vorschau");
    const QDir vollbild(test::programmOrdner() + "/Lexikon/Bilder/Vollbild");
    for (const QVariantMap& z : test::zeilen("SELECT BildDatei FROM LexikonBilder")) {
        const QString datei = z.value("BildDatei").toString();
        const QImage klein(vorschau.filePath(datei)), gross(vollbild.filePath(datei));
        ASSERT_FALSE(klein.isNull() || gross.isNull()) << datei.toStdString() << " fehlt";
        EXPECT_GT(gross.width(), klein.width()) << datei.toStdString();
        EXPECT_NEAR(double(gross.height()) / gross.width(), double(klein.height()) / klein.width(), 0.01) << datei.toStdString();
    }
    EXPECT_FALSE(QImage(vorschau.filePath("KeinBild.jpg")).isNull());

    const QStringList svg = QDir(test::quellOrdner() + "/data/lexikon/bilder").entryList({"*.svg"}, QDir::Files);
    ASSERT_FALSE(svg.isEmpty());
    for (const QString& name : svg) {
        const QString ziel = name.chopped(4).endsWith(".jpg") ? name.chopped(4) : name.chopped(4) + ".png";
        EXPECT_TRUE(vorschau.exists(ziel) && vollbild.exists(ziel)) << ziel.toStdString() << " nicht gezeichnet";
    }
}

TEST(Hilfe, JedesThemaHatSeineSeite)
{
    // one page per window of the help topic table, plus the start page
    const QStringList themen = {"index.htm", "Flaecheneingabe.htm", "Die_Ersten_Schritte.htm", "Eingabe_Analysenwerte.htm",
                                "Berechnung_1.htm", "Berechnung_2.htm", "Berechnung_2b.htm", "Berechnung_3.htm",
                                "Berechnung_4.htm", "Berechnung_5.htm", "Berechnung_6.htm", "UeberKav.htm", "Lexikon.htm",
                                "Einstellungen.htm"};
    const QRegularExpression verweis("href=\"([^\"#]+)");
    for (const QString& thema : themen) {
        QFile f(test::programmOrdner() + "/Hilfe/" + thema);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << thema.toStdString() << " fehlt im Programmordner";
        const QString html = QString::fromUtf8(f.readAll());
        QTextDocument doc;
        doc.setHtml(html);
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << thema.toStdString();
        EXPECT_GT(doc.toPlainText().size(), 500) << thema.toStdString();
        // links between the pages lead to pages that exist
        for (auto it = verweis.globalMatch(html); it.hasNext();) {
            const QString ziel = it.next().captured(1);
            EXPECT_TRUE(themen.contains(ziel)) << thema.toStdString() << " verweist auf " << ziel.toStdString();
        }
        // the navigation bar stands at the top of the window
        if (thema == "index.htm") {
            EXPECT_TRUE(html.contains("Am oberen Rand des Hauptfensters") && !html.contains("linken Rand"));
        }
    }
}

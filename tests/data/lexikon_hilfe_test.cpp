// The lexicon (chapters, search terms, pictures) in Kav.KRN and the program folder, and the help pages.
#include "referenzdaten.h"

#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace kav;

namespace {

QString s(const QVariantMap& z, const char* spalte) { return z.value(QString::fromLatin1(spalte)).toString(); }
int i(const QVariantMap& z, const char* spalte) { return z.value(QString::fromLatin1(spalte)).toInt(); }

// Chapter number -> plain text of the chapter as the lexicon shows it.
QMap<int, QString> kapiteltexte()
{
    QMap<int, QString> out;
    for (const QVariantMap& z : test::zeilen(QStringLiteral("SELECT KapitelNr, Kapitel FROM Lexikon"))) {
        QTextDocument doc;
        doc.setHtml(s(z, "Kapitel"));
        out.insert(i(z, "KapitelNr"), doc.toPlainText());
    }
    return out;
}

// Where the lexicon would mark the term in a page: the first hit after position 0, letter case
// ignored, whole words only when asked; -1 when it marks nothing.
int markierteStelle(const QString& text, const QString& begriff, bool ganzesWort)
{
    QTextDocument doc(text);
    QTextDocument::FindFlags flags;
    if (ganzesWort)
        flags |= QTextDocument::FindWholeWords;
    QTextCursor c(&doc);
    for (;;) {
        c = doc.find(begriff, c, flags);
        if (c.isNull())
            return -1;
        if (c.selectionStart() > 0)
            return c.selectionStart();
    }
}

} // namespace

TEST(Lexikon, JedesKapitelDasDasProgrammOeffnetHatEinenText)
{
    const QMap<int, QString> texte = kapiteltexte();
    for (const char* key : {"Einleitung", "Bodenuntersuchung", "NaehrstoffbedarfAllgemein", "Bodenart",
                            "organischeSubstanz", "GehaltsklassenPhosphat", "GehaltsklassenKalium",
                            "GehaltsklassenMagnesium", "pHundKalk", "Nitratschnelltest", "Gruenduengung",
                            "WirtschaftsduengerAllgemein", "Horn", "EinteilungDuengerNaehrstoffe",
                            "AuswahlDuenger", "Mischkultur"}) {
        SCOPED_TRACE(key);
        const auto z = test::zeilen(QStringLiteral("SELECT * FROM LexikonKapitel WHERE Kapitel = ?"),
                                    {QString::fromLatin1(key)});
        ASSERT_EQ(z.size(), 1);
        EXPECT_FALSE(s(z[0], "Ueberschrift").isEmpty());
        EXPECT_GT(texte.value(i(z[0], "KapitelNr")).size(), 300);
    }
}

TEST(Lexikon, KapitelUndTexteGehoerenPaarweiseZusammen)
{
    const auto kapitel = test::zeilen(QStringLiteral("SELECT * FROM LexikonKapitel"));
    const QMap<int, QString> texte = kapiteltexte();
    EXPECT_GE(kapitel.size(), 30);
    EXPECT_EQ(texte.size(), kapitel.size());
    QSet<int> nummern;
    QSet<QString> schluessel;
    for (const QVariantMap& z : kapitel) {
        SCOPED_TRACE(s(z, "Kapitel").toStdString());
        // Keys are found with LIKE, so they must differ in more than letter case.
        EXPECT_FALSE(schluessel.contains(s(z, "Kapitel").toLower()));
        schluessel.insert(s(z, "Kapitel").toLower());
        EXPECT_FALSE(nummern.contains(i(z, "KapitelNr")));
        nummern.insert(i(z, "KapitelNr"));
        EXPECT_TRUE(texte.contains(i(z, "KapitelNr")));
        EXPECT_GT(texte.value(i(z, "KapitelNr")).size(), 300);
    }
    EXPECT_EQ(test::zeilen(QStringLiteral("SELECT * FROM Lexikon WHERE Kapitel LIKE '@datei:%'")).size(), 0);
}

TEST(Lexikon, SuchbegriffeZeigenAufVorhandeneKapitel)
{
    const auto begriffe = test::zeilen(QStringLiteral("SELECT * FROM LexikonSuchbegriff"));
    const QMap<int, QString> texte = kapiteltexte();
    QSet<QString> gesehen;
    int ganz = 0, teil = 0, nieVerweis = 0, nieGelistet = 0;
    QSet<int> gelistetesZiel;
    for (const QVariantMap& z : begriffe) {
        const QString begriff = s(z, "Suchbegriff");
        SCOPED_TRACE(begriff.toStdString());
        EXPECT_FALSE(begriff.trimmed().isEmpty());
        EXPECT_FALSE(gesehen.contains(begriff.toLower())) << "Begriff doppelt";
        gesehen.insert(begriff.toLower());
        EXPECT_TRUE(texte.contains(i(z, "Verweis"))) << "Verweis auf fehlendes Kapitel " << i(z, "Verweis");
        (i(z, "GanzesWort") == 1 ? ganz : teil)++;
        EXPECT_TRUE(i(z, "GanzesWort") == 0 || i(z, "GanzesWort") == 1);
        const int erscheinen = i(z, "Erscheinen");
        EXPECT_TRUE(erscheinen >= 0 && erscheinen <= 2);
        if (erscheinen == 1) ++nieVerweis;
        if (erscheinen == 2) ++nieGelistet;
        else gelistetesZiel.insert(i(z, "Verweis"));
    }
    EXPECT_GT(ganz, 0);
    EXPECT_GT(teil, 0);
    EXPECT_GT(nieVerweis, 0);
    EXPECT_GT(nieGelistet, 0);
    // Every chapter can be reached from the term list.
    for (int nr : texte.keys())
        EXPECT_TRUE(gelistetesZiel.contains(nr)) << "kein Begriff der Liste führt zu Kapitel " << nr;
}

TEST(Lexikon, JederVerweisbegriffWirdInEinemAnderenKapitelMarkiert)
{
    const QMap<int, QString> texte = kapiteltexte();
    for (const QVariantMap& z : test::zeilen(QStringLiteral("SELECT * FROM LexikonSuchbegriff WHERE Erscheinen <> 1"))) {
        const QString begriff = s(z, "Suchbegriff");
        SCOPED_TRACE(begriff.toStdString());
        bool markiert = false;
        for (auto it = texte.cbegin(); it != texte.cend() && !markiert; ++it)
            markiert = it.key() != i(z, "Verweis") && markierteStelle(it.value(), begriff, i(z, "GanzesWort") == 1) > 0;
        EXPECT_TRUE(markiert) << "der Begriff kommt in keinem anderen Kapitel vor";
    }
    // Whole-word terms are not marked inside longer words.
    EXPECT_EQ(markierteStelle(QStringLiteral("Die Kalimagnesia"), QStringLiteral("Kali"), true), -1);
    EXPECT_EQ(markierteStelle(QStringLiteral("Die Kalimagnesia"), QStringLiteral("Kali"), false), 4);
}

TEST(Lexikon, JedesBildLiegtAlsVorschauUndVollbildVor)
{
    const QDir vorschau(test::programmOrdner() + QStringLiteral("/Lexikon/Bilder/Vorschau"));
    const QDir vollbild(test::programmOrdner() + QStringLiteral("/Lexikon/Bilder/Vollbild"));
    const QMap<int, QString> texte = kapiteltexte();
    const auto bilder = test::zeilen(QStringLiteral("SELECT * FROM LexikonBilder ORDER BY Verweis, Reihenfolge"));
    ASSERT_GE(bilder.size(), 20);
    QMap<int, QSet<QString>> dateienJeKapitel;
    QMap<int, QSet<int>> reihenfolgeJeKapitel;
    QSet<int> nummern;
    for (const QVariantMap& z : bilder) {
        const QString datei = s(z, "BildDatei");
        const int kapitel = i(z, "Verweis");
        SCOPED_TRACE(datei.toStdString() + " in Kapitel " + std::to_string(kapitel));
        EXPECT_TRUE(texte.contains(kapitel));
        EXPECT_FALSE(s(z, "Quelle").trimmed().isEmpty());
        EXPECT_FALSE(nummern.contains(i(z, "BilderNr")));
        nummern.insert(i(z, "BilderNr"));
        // The thumbnail store is keyed by file name: one file only once per chapter.
        EXPECT_FALSE(dateienJeKapitel[kapitel].contains(datei));
        dateienJeKapitel[kapitel].insert(datei);
        EXPECT_FALSE(reihenfolgeJeKapitel[kapitel].contains(i(z, "Reihenfolge")));
        reihenfolgeJeKapitel[kapitel].insert(i(z, "Reihenfolge"));

        const QImage klein(vorschau.filePath(datei)), gross(vollbild.filePath(datei));
        ASSERT_FALSE(klein.isNull()) << "Vorschau fehlt";
        ASSERT_FALSE(gross.isNull()) << "Vollbild fehlt";
        EXPECT_GT(gross.width(), klein.width());
        EXPECT_NEAR(double(gross.height()) / gross.width(), double(klein.height()) / klein.width(), 0.01);
    }
    // At least one chapter has more pictures than a narrow strip shows.
    int meiste = 0;
    for (const auto& d : dateienJeKapitel)
        meiste = qMax(meiste, int(d.size()));
    EXPECT_GT(meiste, 5);
    EXPECT_FALSE(QImage(vorschau.filePath(QStringLiteral("KeinBild.jpg"))).isNull());
}

TEST(Lexikon, JedeZeichnungWirdGezeichnet)
{
    const QDir quelle(test::quellOrdner() + QStringLiteral("/data/lexikon/bilder"));
    const QStringList svg = quelle.entryList({QStringLiteral("*.svg")}, QDir::Files);
    ASSERT_FALSE(svg.isEmpty());
    for (const QString& name : svg) {
        QString ziel = name.left(name.size() - 4);
        if (!ziel.endsWith(QLatin1String(".jpg")))
            ziel += QStringLiteral(".png");
        for (const char* ordner : {"Vorschau", "Vollbild"})
            EXPECT_TRUE(QFileInfo::exists(QStringLiteral("%1/Lexikon/Bilder/%2/%3")
                                              .arg(test::programmOrdner(), QString::fromLatin1(ordner), ziel)))
                << ziel.toStdString() << " fehlt in " << ordner;
    }
}

TEST(Hilfe, JedesThemaHatSeineSeite)
{
    // One page per window of the help topic table, plus the start page.
    const QStringList themen = {
        QStringLiteral("index.htm"),          QStringLiteral("Flaecheneingabe.htm"),
        QStringLiteral("Die_Ersten_Schritte.htm"), QStringLiteral("Eingabe_Analysenwerte.htm"),
        QStringLiteral("Berechnung_1.htm"),   QStringLiteral("Berechnung_2.htm"),
        QStringLiteral("Berechnung_2b.htm"),  QStringLiteral("Berechnung_3.htm"),
        QStringLiteral("Berechnung_4.htm"),   QStringLiteral("Berechnung_5.htm"),
        QStringLiteral("Berechnung_6.htm"),   QStringLiteral("UeberKav.htm"),
        QStringLiteral("Lexikon.htm"),        QStringLiteral("Einstellungen.htm")};
    const QDir hilfe(test::programmOrdner() + QStringLiteral("/Hilfe"));
    const QRegularExpression verweis(QStringLiteral("href=\"([^\"#]+)"));
    for (const QString& thema : themen) {
        SCOPED_TRACE(thema.toStdString());
        QFile f(hilfe.filePath(thema));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "Hilfeseite fehlt im Programmordner";
        const QString html = QString::fromUtf8(f.readAll());
        QTextDocument doc;
        doc.setHtml(html);
        EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty());
        EXPECT_GT(doc.toPlainText().size(), 500);
        // Links between the pages lead to pages that exist.
        for (auto it = verweis.globalMatch(html); it.hasNext();) {
            const QString ziel = it.next().captured(1);
            EXPECT_TRUE(themen.contains(ziel)) << "Verweis auf " << ziel.toStdString();
        }
    }
}

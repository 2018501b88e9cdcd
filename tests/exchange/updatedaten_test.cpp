// The checks of the fetched data without a server: columns matched by name, the plausibility of
// the rows, pictures decoded to their end.
#include "exchange/updatedaten.h"
#include "platform/gifschreiber.h"
#include "services/gebietsschema.h"
#include "testhelpers.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace kav;
using namespace kav::exchange;

namespace {

Tabellenbild bild(const QStringList& namen)
{
    Tabellenbild b;
    for (const QString& n : namen)
        b.push_back(Spalte{n, Spalte::Art::Zahl, false});
    return b;
}

TEST(Spaltenzuordnung, NachNamenOhneRuecksichtAufGrossschreibung)
{
    const Tabellenbild kalk = bild({"KalkNr", "Eingabe", "CaCO3"});
    const Tabellenbild such = bild({"lfdNr", "Suchbegriff", "Verweis"});
    const Kopie kalkid{"kalkid", "KalkID", 0}, suchbegriffe{"lexikonsuchbegriff", "LexikonSuchbegriff", 1};
    const struct {
        const Tabellenbild* bild;
        const Kopie* kopie;
        QStringList server;
        QVector<int> quelle;
        QString fehler;
    } faelle[] = {
        {&kalk, &kalkid, {"KalkNr", "Eingabe", "CaCO3"}, {0, 1, 2}, {}},
        {&kalk, &kalkid, {"caco3", "kalknr", "EINGABE"}, {1, 2, 0}, {}},
        {&kalk, &kalkid, {"KalkNr", "CaCO3"}, {}, "Der Tabelle kalkid des Servers fehlt die Spalte Eingabe."},
        {&kalk, &kalkid, {"KalkNr", "Eingabe", "CaCO3", "Preis"}, {},
         "Die Tabelle kalkid des Servers hat die Spalte Preis, die die Tabelle KalkID nicht kennt."},
        // the first column of the search terms is the local table's own, whatever the server calls its first
        {&such, &suchbegriffe, {"id", "Verweis", "Suchbegriff"}, {2, 1}, {}},
        {&such, &suchbegriffe, {"lfdnr", "Suchbegriff", "Verweis", "lfdNr"}, {},
         "Die Tabelle lexikonsuchbegriff des Servers hat die Spalte lfdNr, die die Tabelle LexikonSuchbegriff nicht kennt."},
    };
    for (const auto& f : faelle) {
        const Zuordnung z = spaltenZuordnen(f.server, *f.bild, *f.kopie);
        EXPECT_EQ(z.fehler.toStdString(), f.fehler.toStdString()) << f.server.join(',').toStdString();
        if (f.fehler.isEmpty()) {
            EXPECT_EQ(z.quelle, f.quelle) << f.server.join(',').toStdString();
        }
    }
}

// One row of a table changed in one column, and the reason it is refused (empty: taken).
TEST(Plausibilitaet, WerteAusserhalbIhresBereichsWerdenAbgewiesen)
{
    const Gebietsschema g = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    const Tabellenbild duenger = bild({"DuengerNr", "N", "P2O5", "K2O", "Mg"});
    const Tabellenbild kalk = bild({"KalkNr", "CaCO3", "MgCO3"});
    const Tabellenbild kultur = bild({"KulturNr", "Tage", "TerminGD", "TerminKD1", "TerminKD2", "N", "NGD", "NKD1", "NKD2", "Mg"});
    const Tabellenbild orgsub = bild({"OrgSubNr", "menge", "N"});
    const Tabellenbild abstand = bild({"KulturID", "Reihenabstand"});
    const Tabellenbild farben = bild({"KulturID", "r", "g", "b"});
    const Tabellenbild kapitel = bild({"Kapitel", "KapitelNr"});
    const QVariant leer;
    const struct {
        const char* quelle;
        const char* ziel;
        const Tabellenbild* bild;
        QVector<QVariantList> zeilen;
        QString grund;
    } faelle[] = {
        {"duengerid", "DuengerID", &duenger, {{"Du1", 0, 0.01, 0, leer}, {"Du2", 0, 0, 100, 0}}, {}},
        {"duengerid", "DuengerID", &duenger, {{"Du1", 1e-40, 0, 0, 0}},
         "In der Tabelle duengerid des Servers liegt der Wert 1E-40 der Spalte N (Zeile „Du1“) außerhalb des möglichen "
         "Bereichs von 0,01 bis 100 % (oder 0)."},
        {"duengerid", "DuengerID", &duenger, {{"Du1", 0, 0, 100.5, 0}},
         "In der Tabelle duengerid des Servers liegt der Wert 100,5 der Spalte K2O (Zeile „Du1“) außerhalb des möglichen "
         "Bereichs von 0,01 bis 100 % (oder 0)."},
        {"duengerid", "DuengerID", &duenger, {{"Du1", 60, 30, 20, 0}},
         "In der Tabelle duengerid des Servers ergeben die Gehalte der Zeile „Du1“ zusammen 110 %, mehr als 100 %."},
        {"duengerid", "DuengerID", &duenger, {{"Du1", 1, 0, 0, 0}, {"du1", 2, 0, 0, 0}},
         "In der Tabelle duengerid des Servers kommt der Wert „du1“ der Spalte DuengerNr mehrfach vor."},
        {"duengerid", "DuengerID", &duenger, {},
         "Die Tabelle duengerid des Servers ist leer; ohne ihre Daten kann das Programm nicht arbeiten."},
        {"kalkid", "KalkID", &kalk, {{"Ka1", 90, 20}},
         "In der Tabelle kalkid des Servers ergeben die Gehalte der Zeile „Ka1“ zusammen 110 %, mehr als 100 %."},
        // a crop group has no values
        {"kulturid", "KulturID", &kultur, {{"Ku1", 365, 53, 52, 52, 100, 1, 0, 0, 0.5}, {"Ku2", leer, leer, leer, leer, leer, leer, leer, leer, leer}}, {}},
        {"kulturid", "KulturID", &kultur, {{"Ku1", 0, 0, 0, 0, 1, 1, 0, 0, 1}},
         "In der Tabelle kulturid des Servers liegt der Wert 0 der Spalte Tage (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 1 bis 365 Tage."},
        {"kulturid", "KulturID", &kultur, {{"Ku1", 90, 54, 0, 0, 1, 1, 0, 0, 1}},
         "In der Tabelle kulturid des Servers liegt der Wert 54 der Spalte TerminGD (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 0 bis 53."},
        {"kulturid", "KulturID", &kultur, {{"Ku1", 90, 0, 3, 53, 1, 1, 0, 0, 1}},
         "In der Tabelle kulturid des Servers liegt der Wert 53 der Spalte TerminKD2 (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 0 bis 52 Wochen."},
        {"kulturid", "KulturID", &kultur, {{"Ku1", 90, 0, 3, 6, 1, 1.5, 0, 0, 1}},
         "In der Tabelle kulturid des Servers liegt der Wert 1,5 der Spalte NGD (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 0 bis 1."},
        {"kulturid", "KulturID", &kultur, {{"Ku1", 90, 0, 3, 6, -50, 1, 0, 0, 1}},
         "In der Tabelle kulturid des Servers liegt der Wert -50 der Spalte N (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 0 bis 100 g/m²."},
        {"orgsubid", "OrgSubID", &orgsub, {{"OS1", 25, 1}},
         "In der Tabelle orgsubid des Servers liegt der Wert 25 der Spalte menge (Zeile „OS1“) außerhalb des möglichen "
         "Bereichs von 0 bis 20 l oder kg je m²."},
        {"orgsubid", "OrgSubID", &orgsub, {}, {}}, // its fixed keys are checked on their own
        {"reihenabstand", "Reihenabstand", &abstand, {{"Ku1", 0}},
         "In der Tabelle reihenabstand des Servers liegt der Wert 0 der Spalte Reihenabstand (Zeile „Ku1“) außerhalb des "
         "möglichen Bereichs von 1 bis 500 cm."},
        {"mkfarben", "MKFarben", &farben, {{"Ku1", 0, 256, 0}},
         "In der Tabelle mkfarben des Servers liegt der Wert 256 der Spalte g (Zeile „Ku1“) außerhalb des möglichen "
         "Bereichs von 0 bis 255."},
        {"mkfarben", "MKFarben", &farben, {}, {}},
        {"lexikonkapitel", "LexikonKapitel", &kapitel, {{"Horn", 1}, {"Kalk", 1}},
         "In der Tabelle lexikonkapitel des Servers kommt der Wert „1“ der Spalte KapitelNr mehrfach vor."},
    };
    for (const auto& f : faelle) {
        const std::optional<QString> grund = unplausibel(Tabellendaten{f.quelle, f.ziel, 0, f.zeilen}, *f.bild, g);
        EXPECT_EQ(grund.value_or(QString()).toStdString(), f.grund.toStdString());
    }
}

// A picture cut to a third keeps its header; the decoders of JPEG and GIF fill the missing part.
TEST(Bildpruefung, NurVollstaendigeBilder)
{
    QImage bild(120, 90, QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter p(&bild);
        for (int i = 0; i < 90; i += 3)
            p.fillRect(0, i, 120, 2, QColor::fromHsv(i * 4, 200, 200));
    }
    const auto daten = [&](const char* format) {
        QByteArray b;
        QBuffer puffer(&b);
        puffer.open(QIODevice::WriteOnly);
        bild.save(&puffer, format);
        return b;
    };
    const struct {
        const char* name;
        QByteArray inhalt;
    } formate[] = {{"png", daten("PNG")}, {"jpg", daten("JPEG")}, {"gif", gifDaten(bild)}};
    QTemporaryDir dir;
    for (const auto& f : formate) {
        SCOPED_TRACE(f.name);
        ASSERT_GT(f.inhalt.size(), 300);
        const QString pfad = dir.filePath(QStringLiteral("b.") + f.name);
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(pfad, f.inhalt));
        EXPECT_TRUE(vollstaendigesBild(pfad));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(pfad, f.inhalt + QByteArray(16, '\0'))); // padded at the end
        EXPECT_TRUE(vollstaendigesBild(pfad));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(pfad, f.inhalt.left(f.inhalt.size() / 3)));
        EXPECT_FALSE(vollstaendigesBild(pfad));
    }
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("kein.png"), "kein Bild"));
    EXPECT_FALSE(vollstaendigesBild(dir.filePath("kein.png")));
    EXPECT_FALSE(vollstaendigesBild(dir.filePath("fehlt.png")));
}

} // namespace

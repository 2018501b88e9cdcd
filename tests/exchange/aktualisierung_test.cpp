// The data update against the real test servers: what is taken, and that a refused or cancelled
// run changes no table, no file and not the date of the last update.
#include "exchange/datenaktualisierung.h"
#include "exchange/updateanwenden.h"
#include "services/server.h"
#include "services/sql.h"
#include "updateserver.h"

#include <QDirIterator>
#include <QSignalSpy>

using namespace kav;
using namespace kav::exchange;

namespace {

const QString kFaellig = "2026-03-01 00:00:00";

class Aktualisierung : public test::AustauschTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(AustauschTest::SetUp());
        if (HasFatalFailure() || IsSkipped())
            return;
        sql::exec(kav(), "INSERT INTO DuengerID (DuengerNr, Typ, Eingabe, Bezeichnung, N) VALUES ('Du1046', 'N', 'Nutzer', 'Mein Dünger', 5)");
        sql::exec(kav(), "INSERT INTO KalkID (KalkNr, Eingabe, Bezeichnung, CaCO3) VALUES ('Ka1008', 'Nutzer', 'Mein Kalk', 50)");
        // the server names its new row "Nutzer" too: it becomes a catalogue row all the same
        server->sql("INSERT INTO duengerid (DuengerNr, Typ, Eingabe, Bezeichnung, N) VALUES ('Du1046', 'N', 'Nutzer', 'Neu', 10)");
        server->sql("UPDATE duengerid SET N = 26 WHERE DuengerNr = 'Du1002'");
        server->sql("UPDATE kalkid SET CaCO3 = 72 WHERE KalkNr = 'Ka1007'");
        server->sql("UPDATE kulturid SET Bezeichnung = 'Geändert' WHERE KulturNr = 'Ku1010'");
        server->sql("UPDATE orgsubid SET N = 1.2 WHERE OrgSubNr = 'OS1002'");
        server->sql("INSERT INTO lexikonsuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen) VALUES ('Neu', 13, 1, 0)");
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(server->ftp("Lexikon") + "/13.txt", "<p>Kapitel 13 neu</p>\r\n<p>Zeile 2</p>\r\n"));
        server->stand({kFaellig, kFaellig, "2025-06-01", "", kFaellig}, 1, 0, 1);
    }

    UpdateEnde lauf(const std::function<void(DatenAktualisierung&)>& vorher = {})
    {
        DatenAktualisierung d;
        if (vorher)
            vorher(d);
        QSignalSpy ende(&d, &DatenAktualisierung::beendet);
        EXPECT_TRUE(d.starten(a(), 0));
        EXPECT_TRUE(a().rahmen.blnUpdateLaeuft); // the restore of a backup waits meanwhile
        EXPECT_TRUE(ende.wait(60000));
        EXPECT_FALSE(a().rahmen.blnUpdateLaeuft); // however the run ended
        return d.ende().value_or(UpdateEnde{});
    }
    QString wert(const QString& anweisung) const { return sql::scalar(kav(), anweisung).toString(); }
    QStringList bilder(const QString& unter) const { return QDir(dir.filePath("Lexikon/Bilder/" + unter)).entryList(QDir::Files); }
};

TEST_F(Aktualisierung, FaelligeBereicheErsetztNutzerzeilenBehalten)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("Lexikon/Bilder/Vorschau/Veraltet.png"), "x"));
    const UpdateEnde e = lauf();
    EXPECT_EQ(e.art, UpdateEnde::Art::Aktualisiert);
    EXPECT_EQ(e.text, "Alle Daten wurden aktualisiert. Und zudem steht eine aktuellere Programmversion zum Download "
                      "unter www.humavera.example/download bereit.");
    const std::pair<const char*, QString> soll[] = {
        {"SELECT COUNT(*) FROM DuengerID", "47"},
        {"SELECT Bezeichnung || '/' || Eingabe || '/' || N FROM DuengerID WHERE DuengerNr = 'Du1047'", "Mein Dünger/Nutzer/5.0"},
        {"SELECT Bezeichnung || '/' || Eingabe FROM DuengerID WHERE DuengerNr = 'Du1046'", "Neu/KRN"},
        {"SELECT N FROM DuengerID WHERE DuengerNr = 'Du1002'", "26"},
        {"SELECT COUNT(*) || '/' || SUM(KalkNr = 'Ka1008' AND Eingabe = 'Nutzer') FROM KalkID", "8/1"},
        {"SELECT CaCO3 FROM KalkID WHERE KalkNr = 'Ka1007'", "72"},
        {"SELECT COUNT(*) || '/' || SUM(Bezeichnung = 'Geändert') FROM KulturID", "108/0"},
        {"SELECT N FROM OrgSubID WHERE OrgSubNr = 'OS1002'", "1.2"},
        {"SELECT COUNT(*) FROM LexikonSuchbegriff", "67"},
        {"SELECT Kapitel FROM Lexikon WHERE KapitelNr = 13", "<p>Kapitel 13 neu</p>\n<p>Zeile 2</p>\n"},
        {"SELECT COUNT(*) || '/' || MIN(LetzteAenderung) || '/' || MAX(LetzteAenderung) FROM LexikonBilder",
         "44/2026-03-02 09:00:00/2026-03-02 09:00:00"},
    };
    for (const auto& [anweisung, erwartet] : soll)
        EXPECT_EQ(wert(anweisung), erwartet) << anweisung;
    for (const QString u : {"Vorschau", "Vollbild"}) {
        EXPECT_EQ(bilder(u), QDir(server->ftp(u)).entryList(QDir::Files)) << u.toStdString();
        EXPECT_EQ(bilder(u).size(), 22);
    }
    QDirIterator rest(dir.filePath("Lexikon"), {"*.txt", "Aktualisierung-*"}, QDir::AllEntries | QDir::Hidden,
                      QDirIterator::Subdirectories);
    EXPECT_FALSE(rest.hasNext()) << rest.next().toStdString();
    EXPECT_EQ(a().einstellungen.datLetztesUpdate, QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
}

TEST_F(Aktualisierung, DieDatenDesServersEntscheidenWasGeholtWird)
{
    const QString alt = "2026-01-01 00:00:00";
    const struct {
        QStringList stand;
        UpdateEnde::Art art;
        QString text, du1002, ka1007;
    } faelle[] = {
        {{"2026-01-31 23:59:59", kFaellig, kFaellig, kFaellig, kFaellig}, UpdateEnde::Art::NichtsZuTun,
         "Es müssen keine Daten aktualisiert werden. ", "27", "70"},
        {{kFaellig, alt, alt, alt, alt}, UpdateEnde::Art::Aktualisiert, "Alle Daten wurden aktualisiert. ", "27", "72"},
        {{"2026-02-01 00:00:00", kFaellig, kFaellig, kFaellig, kFaellig}, UpdateEnde::Art::Aktualisiert,
         "Alle Daten wurden aktualisiert. ", "26", "72"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.stand.first().toStdString());
        a().einstellungen.datLetztesUpdate = QDateTime(QDate(2026, 2, 1), QTime(0, 0));
        server->stand(f.stand, 1, 0, 0);
        const UpdateEnde e = lauf();
        EXPECT_EQ(e.art, f.art);
        EXPECT_EQ(e.text, f.text);
        EXPECT_EQ(wert("SELECT N FROM DuengerID WHERE DuengerNr = 'Du1002'"), f.du1002);
        EXPECT_EQ(wert("SELECT CaCO3 FROM KalkID WHERE KalkNr = 'Ka1007'"), f.ka1007);
        EXPECT_EQ(a().einstellungen.datLetztesUpdate, QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    }
}

TEST_F(Aktualisierung, SpaltenGeltenNachIhremNamen)
{
    // the server's columns in another order than the local ones
    server->sql("ALTER TABLE duengerid MODIFY K2O DOUBLE AFTER Norg");
    server->sql("ALTER TABLE kulturid MODIFY Tage INT AFTER Mg");
    server->sql("UPDATE updatemanager SET KulturID = ?", {kFaellig});
    server->sql("ALTER TABLE lexikonsuchbegriff MODIFY Erscheinen INT AFTER lfdnr");
    EXPECT_EQ(lauf().art, UpdateEnde::Art::Aktualisiert);
    const std::pair<const char*, QString> soll[] = {
        {"SELECT P2O5 || '/' || K2O FROM DuengerID WHERE DuengerNr = 'Du1010'", "18.0/0.0"},
        {"SELECT Tage || '/' || TerminGD || '/' || TerminKD1 || '/' || ph || '/' || N || '/' || Mg FROM KulturID "
         "WHERE KulturNr = 'Ku1010'", "56/0/3/1.0/10.0/1.5"},
        {"SELECT Bezeichnung FROM KulturID WHERE KulturNr = 'Ku1010'", "Geändert"},
        {"SELECT GanzesWort || '/' || Erscheinen FROM LexikonSuchbegriff WHERE Suchbegriff = 'Neu'", "1/0"},
    };
    for (const auto& [anweisung, erwartet] : soll)
        EXPECT_EQ(wert(anweisung), erwartet) << anweisung;
}

// A failure at each step of the apply after the tables are written (each rename of the picture
// folders, the commit) leaves every table and file as it was.
TEST_F(Aktualisierung, AnwendenScheitertAnJedemSchrittOhneFolgen)
{
    // an old picture that the update does not bring: a swap that is not undone shows
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("Lexikon/Bilder/Vorschau/Veraltet.png"), "x"));
    QTemporaryDir arbeit(dir.filePath("Aktualisierung-XXXXXX"));
    HolAuftrag auftrag;
    auftrag.server = a().server->config();
    auftrag.datLetztesUpdate = a().einstellungen.datLetztesUpdate;
    auftrag.lokal = lokaleTabellen(kav());
    auftrag.gebiet = a().gebiet;
    auftrag.arbeitsordner = arbeit.path();
    auftrag.pauseMs = 0;
    const std::atomic<bool> nein{false};
    const UpdatePaket p = UpdateHolen(auftrag, nein, {});
    ASSERT_EQ(p.ergebnis, UpdatePaket::Ergebnis::Geholt) << p.grund.toStdString();
    const Programmordner ordner{dir.path()};
    const QDateTime jetzt(QDate(2026, 3, 2), QTime(9, 0));
    const QString vorher = abbild();

    // the commit fails (a deferred key check of a row a trigger adds): after the swap of the pictures
    sql::exec(kav(), "PRAGMA foreign_keys = ON");
    sql::exec(kav(), "CREATE TABLE Ziel (id INTEGER PRIMARY KEY)");
    sql::exec(kav(), "CREATE TABLE Verweis (id INTEGER REFERENCES Ziel (id) DEFERRABLE INITIALLY DEFERRED)");
    sql::exec(kav(), "CREATE TRIGGER spaet AFTER INSERT ON LexikonBilder BEGIN INSERT INTO Verweis VALUES (1); END");
    int umbenannt = 0;
    AnwendenErgebnis r = UpdateAnwenden(kav(), p, ordner, jetzt, [&](const QString&, const QString&) { return ++umbenannt > 0; });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(umbenannt, 4); // both folders were swapped before the commit
    EXPECT_EQ(r.grund.toStdString(), "Die Daten konnten nicht in die Datenbank Kav.KRN geschrieben werden.");
    EXPECT_EQ(abbild(), vorher);
    sql::exec(kav(), "DROP TRIGGER spaet");

    // a rename that fails, at each step
    for (int scheitert = 1; scheitert <= 4; ++scheitert) {
        SCOPED_TRACE(scheitert);
        int n = 0;
        r = UpdateAnwenden(kav(), p, ordner, jetzt, [&](const QString&, const QString&) { return ++n != scheitert; });
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.grund.toStdString(), "Die Bilder des Lexikons konnten nicht ersetzt werden.");
        EXPECT_EQ(abbild(), vorher);
    }
    // and with no failure the same package is applied
    EXPECT_TRUE(UpdateAnwenden(kav(), p, ordner, jetzt).ok);
    EXPECT_FALSE(QFile::exists(dir.filePath("Lexikon/Bilder/Vorschau/Veraltet.png")));
    EXPECT_EQ(wert("SELECT N FROM DuengerID WHERE DuengerNr = 'Du1002'"), "26");
}

// A change on the server (statements; a file of the FTP folder removed) or in Kav.KRN, or an event
// during the run, and the reason the run then gives.
struct Abweisung {
    const char* name;
    const char* server = nullptr; // statements separated by ";"
    const char* datei = nullptr;  // below the case's Kav/ folder
    const char* lokal = nullptr;
    enum { Nichts, VerbindungTrennen, Abbrechen } ereignis = Nichts;
    QString grund;
    const char* gekuerzt = nullptr; // below Kav/: cut to a third, its header still valid
    std::pair<const char*, int> vergroessert{}; // below Kav/: zeros appended up to that many MB
};

class AbgewiesenTest : public Aktualisierung, public ::testing::WithParamInterface<Abweisung> {};

TEST_P(AbgewiesenTest, NichtsWirdGeaendert)
{
    const Abweisung& f = GetParam();
    for (const QString& a : QString(f.server).split(';', Qt::SkipEmptyParts))
        server->sql(a);
    if (f.datei)
        QFile::remove(server->ftp(f.datei));
    if (f.gekuerzt) {
        QFile bild(server->ftp(f.gekuerzt));
        ASSERT_TRUE(bild.open(QIODevice::ReadWrite));
        ASSERT_TRUE(bild.resize(bild.size() / 3));
    }
    if (f.vergroessert.first) {
        ASSERT_TRUE(QFile(server->ftp(f.vergroessert.first)).resize(qint64(f.vergroessert.second) << 20));
    }
    if (f.lokal)
        sql::exec(kav(), f.lokal);
    const QString vorher = abbild();
    const UpdateEnde e = lauf([&](DatenAktualisierung& d) {
        if (f.ereignis == Abweisung::VerbindungTrennen)
            d.setPruefpunkt([this](const QString& was) {
                if (was == "kalkid") // the worker's connection ends; the next table cannot be read
                    server->verbindungenBeenden();
            });
        if (f.ereignis == Abweisung::Abbrechen)
            QObject::connect(&d, &DatenAktualisierung::fortschritt, &d, [&d](const QString& text) {
                if (text == kStufeBilder)
                    d.abbrechen();
            });
    });
    EXPECT_EQ(e.art, f.grund.isEmpty() ? UpdateEnde::Art::Abgebrochen : UpdateEnde::Art::Fehlgeschlagen);
    EXPECT_EQ(e.text.toStdString(),
              (f.grund.isEmpty() ? QString() : fehlschlagText(QString(f.grund).replace("<fall>", test::fallName()))).toStdString());
    EXPECT_EQ(abbild(), vorher);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, AbgewiesenTest,
    ::testing::Values(
        Abweisung{"Kapiteltext_fehlt", nullptr, "Lexikon/13.txt", nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Lexikon/13.txt fehlt auf dem Server."},
        Abweisung{"Vorschau_fehlt", nullptr, "Vorschau/Zehrer.png", nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Vorschau/Zehrer.png fehlt auf dem Server."},
        Abweisung{"Bildname_mit_Ordnern", "UPDATE lexikonbilder SET BildDatei = '../../Daten/Kav.KRN' WHERE BilderNr = 1",
                  nullptr, nullptr, Abweisung::Nichts,
                  "Der Bildname „../../Daten/Kav.KRN“ in der Tabelle lexikonbilder des Servers ist kein einfacher Dateiname."},
        Abweisung{"Kein_Stand", "DELETE FROM updatemanager", nullptr, nullptr, Abweisung::Nichts,
                  "Der Update-Server nennt keinen Stand der Daten."},
        Abweisung{"Tabelle_fehlt", "DROP TABLE orgsubid", nullptr, nullptr, Abweisung::Nichts,
                  "Die Tabelle orgsubid fehlt auf dem Server."},
        Abweisung{"Spalte_zu_viel", "ALTER TABLE duengerid ADD COLUMN Extra INT", nullptr, nullptr, Abweisung::Nichts,
                  "Die Tabelle duengerid des Servers hat die Spalte Extra, die die Tabelle DuengerID nicht kennt."},
        Abweisung{"Spalte_fehlt", "ALTER TABLE kulturid DROP COLUMN Tage; UPDATE updatemanager SET KulturID = '2026-03-01'", nullptr, nullptr, Abweisung::Nichts,
                  "Der Tabelle kulturid des Servers fehlt die Spalte Tage."},
        Abweisung{"Schluessel_doppelt", "INSERT INTO duengerid SELECT * FROM duengerid WHERE DuengerNr = 'Du1002'", nullptr,
                  nullptr, Abweisung::Nichts, "In der Tabelle duengerid des Servers kommt der Wert „Du1002“ der Spalte DuengerNr mehrfach vor."},
        Abweisung{"Kalk_leer", "DELETE FROM kalkid", nullptr, nullptr, Abweisung::Nichts,
                  "Die Tabelle kalkid des Servers ist leer; ohne ihre Daten kann das Programm nicht arbeiten."},
        Abweisung{"Reihenabstand_leer", "DELETE FROM reihenabstand; UPDATE updatemanager SET KulturID = '2026-03-01'", nullptr, nullptr, Abweisung::Nichts,
                  "Die Tabelle reihenabstand des Servers ist leer; ohne ihre Daten kann das Programm nicht arbeiten."},
        Abweisung{"Stickstoff_negativ", "UPDATE duengerid SET N = -50 WHERE DuengerNr = 'Du1002'", nullptr, nullptr,
                  Abweisung::Nichts, "In der Tabelle duengerid des Servers liegt der Wert -50 der Spalte N (Zeile „Du1002“) "
                  "außerhalb des möglichen Bereichs von 0,01 bis 100 % (oder 0)."},
        Abweisung{"Phosphat_riesig", "UPDATE duengerid SET P2O5 = 1e300 WHERE DuengerNr = 'Du1010'", nullptr, nullptr,
                  Abweisung::Nichts, "In der Tabelle duengerid des Servers liegt der Wert 1E+300 der Spalte P2O5 (Zeile „Du1010“) "
                  "außerhalb des möglichen Bereichs von 0,01 bis 100 % (oder 0)."},
        Abweisung{"Woche_zu_spaet", "UPDATE kulturid SET TerminKD1 = 60 WHERE KulturNr = 'Ku1010'; UPDATE updatemanager SET KulturID = '2026-03-01'", nullptr, nullptr,
                  Abweisung::Nichts, "In der Tabelle kulturid des Servers liegt der Wert 60 der Spalte TerminKD1 (Zeile „Ku1010“) "
                  "außerhalb des möglichen Bereichs von 0 bis 52 Wochen."},
        Abweisung{"Bild_abgeschnitten", nullptr, nullptr, nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Vollbild/Zehrer.png ist kein lesbares Bild.", "Vollbild/Zehrer.png"},
        Abweisung{"Erstes_Bild_abgeschnitten", nullptr, nullptr, nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Vollbild/Bodenprobe.png ist kein lesbares Bild.", "Vollbild/Bodenprobe.png"},
        Abweisung{"Bild_riesig", nullptr, nullptr, nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Vollbild/Zehrer.png ist 300 MB groß; erlaubt sind höchstens 32 MB.", nullptr,
                  {"Vollbild/Zehrer.png", 300}},
        Abweisung{"Kapiteltext_riesig", nullptr, nullptr, nullptr, Abweisung::Nichts,
                  "Die Datei /<fall>/Kav/Lexikon/13.txt ist 60 MB groß; erlaubt sind höchstens 1 MB.", nullptr,
                  {"Lexikon/13.txt", 60}},
        Abweisung{"JPEG_abgeschnitten", "UPDATE lexikonbilder SET BildDatei = 'KeinBild.jpg' WHERE BilderNr = 1", nullptr,
                  nullptr, Abweisung::Nichts, "Die Datei /<fall>/Kav/Vorschau/KeinBild.jpg ist kein lesbares Bild.",
                  "Vorschau/KeinBild.jpg"},
        Abweisung{"Text_in_Zahlspalte", "ALTER TABLE duengerid MODIFY N VARCHAR(20); UPDATE duengerid SET N = 'viel' WHERE "
                  "DuengerNr = 'Du1002'", nullptr, nullptr, Abweisung::Nichts,
                  "In der Tabelle duengerid des Servers passt der Wert „viel“ (Zeile „Du1002“) nicht in die Spalte N."},
        Abweisung{"Hornmehl_fehlt", "DELETE FROM duengerid WHERE DuengerNr = 'Du1001'", nullptr, nullptr, Abweisung::Nichts,
                  "In der Tabelle duengerid des Servers fehlt der Eintrag Du1001, den das Programm braucht."},
        Abweisung{"Kapitel_fehlt", "DELETE FROM lexikonkapitel WHERE Kapitel = 'Horn'", nullptr, nullptr, Abweisung::Nichts,
                  "Das Lexikonkapitel „Horn“, das das Programm öffnet, fehlt auf dem Server."},
        Abweisung{"Vierzigstes_Bild_scheitert", nullptr, nullptr,
                  "CREATE TRIGGER bild40 BEFORE INSERT ON LexikonBilder WHEN (SELECT COUNT(*) FROM LexikonBilder) >= 39 "
                  "BEGIN SELECT RAISE(ABORT, 'voll'); END",
                  Abweisung::Nichts, "Die Daten konnten nicht in die Datenbank Kav.KRN geschrieben werden."},
        Abweisung{"Verbindung_getrennt", nullptr, nullptr, nullptr, Abweisung::VerbindungTrennen,
                  "Die Verbindung zum Update-Server brach ab."},
        Abweisung{"Abbruch_bei_den_Bildern", nullptr, nullptr, nullptr, Abweisung::Abbrechen, QString()}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(Updateregeln, VersionshinweisNurFuerEineHoehereVersion)
{
    const struct {
        QVariant major, minor, revision;
        const char* programm;
        bool hoeher;
    } faelle[] = {{2, 0, 0, "1.9.9", true},   {1, 3, 0, "1.2.9", true}, {1, 2, 4, "1.2.3", true},
                  {1, 2, 9, "1.3.0", false},  {1, 2, 3, "1.2.3", false}, {QVariant(), QVariant(), QVariant(), "1.2.3", false},
                  {2, QVariant(), 0, "1.9.9", true}, {1, QVariant(), 5, "1.2.3", false}};
    for (const auto& f : faelle) {
        const UpdateStand s{{}, {}, {}, {}, {}, f.major, f.minor, f.revision};
        EXPECT_EQ(versionsHinweis(s, f.programm, kHinweisNachUpdate, "x.example"),
                  f.hoeher ? " Und zudem steht eine aktuellere Programmversion zum Download unter x.example bereit." : " ")
            << f.programm;
    }
}

TEST(Updateregeln, NurEinfacheBildnamen)
{
    for (const char* gut : {"Zehrer.png", "Bild ä 2.jpg"})
        EXPECT_TRUE(einfacherDateiname(gut)) << gut;
    for (const char* schlecht : {"", "../x.png", "a/b.png", "a\\b.png", ".versteckt", "a\tb.png", "/"})
        EXPECT_FALSE(einfacherDateiname(schlecht)) << schlecht;
}

} // namespace

// The data update against the real test servers: what is taken, and that a refused or cancelled
// run changes no table, no file and not the date of the last update.
#include "exchange/datenaktualisierung.h"
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
        AustauschTest::SetUp();
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
        test::schreibeDatei(server->ftp("Lexikon") + "/13.txt", "<p>Kapitel 13 neu</p>\r\n<p>Zeile 2</p>\r\n");
        server->stand({kFaellig, kFaellig, "2025-06-01", "", kFaellig}, 1, 0, 1);
    }

    UpdateEnde lauf(const std::function<void(DatenAktualisierung&)>& vorher = {})
    {
        DatenAktualisierung d;
        if (vorher)
            vorher(d);
        QSignalSpy ende(&d, &DatenAktualisierung::beendet);
        EXPECT_TRUE(d.starten(a(), 0));
        EXPECT_TRUE(ende.wait(60000));
        return d.ende().value_or(UpdateEnde{});
    }
    QString wert(const QString& anweisung) const { return sql::scalar(kav(), anweisung).toString(); }
    QStringList bilder(const QString& unter) const { return QDir(dir.filePath("Lexikon/Bilder/" + unter)).entryList(QDir::Files); }
};

TEST_F(Aktualisierung, FaelligeBereicheErsetztNutzerzeilenBehalten)
{
    test::schreibeDatei(dir.filePath("Lexikon/Bilder/Vorschau/Veraltet.png"), "x");
    const QString kapitel1 = wert("SELECT Kapitel FROM Lexikon WHERE KapitelNr = 1");
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
        {"SELECT Kapitel FROM Lexikon WHERE KapitelNr = 1", kapitel1},
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
        const QString vorher = wert("SELECT group_concat(N) FROM (SELECT N FROM OrgSubID ORDER BY rowid)");
        const UpdateEnde e = lauf();
        EXPECT_EQ(e.art, f.art);
        EXPECT_EQ(e.text, f.text);
        EXPECT_EQ(wert("SELECT N FROM DuengerID WHERE DuengerNr = 'Du1002'"), f.du1002);
        EXPECT_EQ(wert("SELECT CaCO3 FROM KalkID WHERE KalkNr = 'Ka1007'"), f.ka1007);
        EXPECT_EQ(wert("SELECT group_concat(N) FROM (SELECT N FROM OrgSubID ORDER BY rowid)") != vorher, f.du1002 == "26");
        EXPECT_EQ(a().einstellungen.datLetztesUpdate, QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    }
}

struct Abweisung {
    const char* name;
    std::function<void(test::UpdateServer&, const QSqlDatabase& kav, DatenAktualisierung&)> vorher;
    QString grund; // empty: cancelled
};

class AbgewiesenTest : public Aktualisierung, public ::testing::WithParamInterface<Abweisung> {};

TEST_P(AbgewiesenTest, NichtsWirdGeaendert)
{
    const QString vorher = abbild();
    const UpdateEnde e = lauf([this](DatenAktualisierung& d) { GetParam().vorher(*server, kav(), d); });
    if (GetParam().grund.isEmpty()) {
        EXPECT_EQ(e.art, UpdateEnde::Art::Abgebrochen);
    } else {
        EXPECT_EQ(e.art, UpdateEnde::Art::Fehlgeschlagen);
        EXPECT_TRUE(e.text.startsWith("Die Daten konnten nicht aktualisiert werden: ") && e.text.contains(GetParam().grund)
                    && e.text.endsWith(". Es wurde nichts geändert."))
            << e.text.toStdString();
    }
    EXPECT_EQ(abbild(), vorher);
}

void pfad(test::UpdateServer& s, const char* unter, const char* datei) { QFile::remove(s.ftp(unter) + "/" + datei); }

INSTANTIATE_TEST_SUITE_P(
    Faelle, AbgewiesenTest,
    ::testing::Values(
        Abweisung{"Kapiteltext_fehlt", [](auto& s, auto&, auto&) { pfad(s, "Lexikon", "13.txt"); }, "/Kav/Lexikon/13.txt fehlt auf dem Server."},
        Abweisung{"Vorschau_fehlt", [](auto& s, auto&, auto&) { pfad(s, "Vorschau", "Zehrer.png"); }, "/Kav/Vorschau/Zehrer.png fehlt auf dem Server."},
        Abweisung{"Bildname_mit_Ordnern",
                  [](auto& s, auto&, auto&) { s.sql("UPDATE lexikonbilder SET BildDatei = '../../Daten/Kav.KRN' WHERE BilderNr = 1"); },
                  "Der Bildname „../../Daten/Kav.KRN“ in der Tabelle lexikonbilder des Servers ist kein einfacher Dateiname."},
        Abweisung{"Tabelle_fehlt", [](auto& s, auto&, auto&) { s.sql("DROP TABLE orgsubid"); }, "Die Tabelle orgsubid fehlt auf dem Server."},
        Abweisung{"Spalte_zu_viel", [](auto& s, auto&, auto&) { s.sql("ALTER TABLE duengerid ADD COLUMN Extra INT"); },
                  "Die Tabelle duengerid des Servers hat 13 Spalten, die Tabelle DuengerID nur 12."},
        Abweisung{"Text_in_Zahlspalte",
                  [](auto& s, auto&, auto&) {
                      s.sql("ALTER TABLE duengerid MODIFY N VARCHAR(20)");
                      s.sql("UPDATE duengerid SET N = 'viel' WHERE DuengerNr = 'Du1002'");
                  },
                  "passt der Wert „viel“ (Zeile „Du1002“) nicht in die Spalte N."},
        Abweisung{"Hornmehl_fehlt", [](auto& s, auto&, auto&) { s.sql("DELETE FROM duengerid WHERE DuengerNr = 'Du1001'"); },
                  "In der Tabelle duengerid des Servers fehlt der Eintrag Du1001"},
        Abweisung{"Kapitel_fehlt", [](auto& s, auto&, auto&) { s.sql("DELETE FROM lexikonkapitel WHERE Kapitel = 'Horn'"); },
                  "Das Lexikonkapitel „Horn“, das das Programm öffnet, fehlt auf dem Server."},
        Abweisung{"Vierzigstes_Bild_scheitert",
                  [](auto&, const QSqlDatabase& kav, auto&) {
                      sql::exec(kav, "CREATE TRIGGER bild40 BEFORE INSERT ON LexikonBilder WHEN (SELECT COUNT(*) FROM "
                                     "LexikonBilder) >= 39 BEGIN SELECT RAISE(ABORT, 'voll'); END");
                  },
                  "Die Daten konnten nicht in die Datenbank Kav.KRN geschrieben werden."},
        Abweisung{"Verbindung_getrennt",
                  [](auto& s, auto&, DatenAktualisierung& d) {
                      d.setPruefpunkt([&s](const QString& was) {
                          if (was == "kalkid")
                              s.verbindungenBeenden();
                      });
                  },
                  "Die Verbindung zum Update-Server brach ab."},
        Abweisung{"Abbruch_bei_den_Bildern",
                  [](auto&, auto&, DatenAktualisierung& d) {
                      QObject::connect(&d, &DatenAktualisierung::fortschritt, &d, [&d](const QString& text) {
                          if (text == kStufeBilder)
                              d.abbrechen();
                      });
                  },
                  QString()}),
    [](const auto& info) { return std::string(info.param.name); });

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
    EXPECT_TRUE(aelter(QDateTime(QDate(2026, 1, 31), QTime(23, 59)), QDateTime(QDate(2026, 2, 1), QTime(0, 0))));
    EXPECT_FALSE(aelter(QDateTime(QDate(2026, 2, 1), QTime(0, 0)), QDateTime(QDate(2026, 2, 1), QTime(0, 0))));
    EXPECT_FALSE(aelter(QDateTime(), QDateTime(QDate(2026, 2, 1), QTime(0, 0))));
}

TEST(Updateregeln, WerteUndBildnamen)
{
    const Spalte zahl{"N", Spalte::Art::Zahl, false}, ganz{"Norg", Spalte::Art::Ganzzahl, false},
        text{"LetzteAenderung", Spalte::Art::Text, false}, pflicht{"KapitelNr", Spalte::Art::Ganzzahl, true};
    const struct {
        QVariant wert;
        Spalte spalte;
        std::optional<QVariant> erwartet;
    } faelle[] = {{"viel", zahl, std::nullopt},       {" 26.5 ", zahl, 26.5},       {QString(), zahl, QVariant()},
                  {26.5, ganz, std::nullopt},         {3.0, ganz, 3LL},            {"7", ganz, 7LL},
                  {QVariant(), pflicht, std::nullopt}, {QDate(2026, 3, 1), zahl, std::nullopt},
                  {QDateTime(QDate(2026, 3, 1), QTime(8, 5)), text, "2026-03-01 08:05:00"}, {12, text, "12"}};
    for (const auto& f : faelle)
        EXPECT_EQ(wertFuer(f.wert, f.spalte), f.erwartet) << f.wert.toString().toStdString() << " " << f.spalte.name.toStdString();
    for (const char* gut : {"Zehrer.png", "Bild ä 2.jpg"})
        EXPECT_TRUE(einfacherDateiname(gut)) << gut;
    for (const char* schlecht : {"", "../x.png", "a/b.png", "a\\b.png", ".versteckt", "a\tb.png", "..", "/"})
        EXPECT_FALSE(einfacherDateiname(schlecht)) << schlecht;
}

} // namespace

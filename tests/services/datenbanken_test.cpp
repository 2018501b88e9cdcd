#include "platform/clock.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"
#include "datenbankumgebung.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <cerrno>

#include <sys/stat.h>

using namespace kav;

namespace {

using test::inhalt;

const QByteArray kMuell = QByteArray("Dies ist keine Datenbank. ").repeated(200);

class DatenbankTest : public ::testing::Test, protected test::DatenbankUmgebung {
protected:
    void SetUp() override
    {
        QDir().mkpath(ordner.daten());
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavStandard()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(ordner.datenDatei(), Datenbankdatei::Daten));
        e.intDS = 14;
    }
    static int anzahl(const QSqlDatabase& db, const QString& tabelle)
    {
        return sql::scalar(db, "SELECT COUNT(*) FROM " + tabelle).toInt();
    }
    QStringList beiseite() const { return QDir(ordner.daten()).entryList({"*.defekt-*"}, QDir::Files); }
    // The backup files as made at `zeit`.
    void backupZeit(const QDateTime& zeit) const
    {
        for (const char* name : {"/Kav.PVQ", "/Daten.PVQ"}) {
            QFile f(ordner.sicherungen() + name);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
        }
    }
};

} // namespace

TEST_F(DatenbankTest, BeideDateienHabenJedeTabelleUndSpalteInDerReihenfolge)
{
    auto db = offen();
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    const QMap<QString, QStringList> daten = {
        {"FlaechenID", {"ID", "FlaechenNr", "Gliederungspunkt", "GruppierungNr", "AktuellerDatensatz", "Bezeichnung",
                        "Laenge", "Breite", "Flaeche", "Bodenart", "Kompost", "Nutzung", "LetzteAenderung"}},
        {"AnalysenID", {"AnalysenNr", "Datum", "Bodenart", "BodenartKuerzel", "GesamtN", "P2O5", "K2O", "Mg", "pH",
                        "LetzteAenderung", "ID"}},
        {"ZOFlaechenAnalysen", {"FlaechenNr", "AnalysenNr", "Datum", "AktuellerDatensatz", "ID"}},
        {"Nmin", {"FlaechenNr", "Nmin", "Einheit", "Datum", "ID"}}, {"MischkulturID", {"MKID", "DatumPlanung", "FlaechenNr"}},
        {"MKEditor", {"ID", "MKID", "KulturID", "Kultur", "Left", "Top", "Farbe", "Dauer", "Start"}}};
    const QMap<QString, QStringList> kav = {
        {"DuengerID", {"DuengerNr", "Typ", "Eingabe", "AktuellerDatensatz", "Bezeichnung", "N", "Norg", "P2O5", "K2O",
                       "Mg", "LetzteAenderung", "ID"}},
        {"KalkID", {"KalkNr", "Eingabe", "Bezeichnung", "CaCO3", "MgCO3", "LetzteAenderung", "ID"}},
        {"KulturID", {"KulturNr", "Bezeichnung", "GruppierungNr", "Gliederungspunkt", "AktuellerDatensatz", "Tage",
                      "TerminGD", "TerminKD1", "TerminKD2", "ph", "N", "NGD", "NKD1", "NKD2", "P2O5", "K2O", "Mg"}},
        {"OrgSubID", {"OrgSubNr", "Bezeichnung", "menge", "N", "P2O5", "K2O", "Mg"}},
        {"Reihenabstand", {"KulturID", "Reihenabstand"}}, {"MKFarben", {"KulturID", "r", "g", "b"}},
        {"Bodenart", {"ID", "Bezeichnung", "Kuerzel"}}, {"Nutzung", {"ID", "Nutzung"}}, {"DuengerInfo", {"TextNr", "Text"}},
        {"Kalkbedarf", {"Bodenart", "OS", "pH", "CaO"}}, {"LexikonKapitel", {"Kapitel", "KapitelNr", "Ueberschrift"}},
        {"Lexikon", {"KapitelNr", "Kapitel", "LetzteAenderung"}},
        {"LexikonSuchbegriff", {"lfdNr", "Suchbegriff", "Verweis", "GanzesWort", "Erscheinen"}},
        {"LexikonBilder", {"BilderNr", "BildDatei", "Quelle", "Verweis", "Reihenfolge", "LetzteAenderung"}}};
    for (const auto& [tabellen, verbindung, art] : {std::tuple{&daten, db->cnDaten(), Datenbankdatei::Daten},
                                                    std::tuple{&kav, db->cnKav(), Datenbankdatei::Kav}}) {
        EXPECT_EQ(schemaTabellen(art).size(), tabellen->size());
        for (auto it = tabellen->begin(); it != tabellen->end(); ++it)
            EXPECT_EQ(spaltenVon(verbindung, it.key()), it.value()) << it.key().toStdString();
    }
}

TEST_F(DatenbankTest, BeschaedigteOderFehlendeDateiKommtAusDerSicherung)
{
    {
        auto db = offen(); // a backup holding a fertiliser and a plot of the user's
        sql::exec(db->cnKav(), "INSERT INTO DuengerID (DuengerNr, Eingabe, Bezeichnung) VALUES ('Du5000', 'Nutzer', ?)",
                  {"Mein Dünger"});
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES ('Fl1000', 'Beet')");
        ASSERT_TRUE(db->DatenSichern());
    }
    e.datLetzteDS = QDate(2026, 11, 30);
    backupZeit(QDateTime(QDate(2026, 11, 30), QTime(18, 42)));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.kavDatei(), kMuell));
    ASSERT_TRUE(QFile::remove(ordner.datenDatei()));

    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
    const QString spaeter = "\n\nEinträge, die nach dem 30.11.2026 um 18:42 Uhr gemacht wurden, sind in der "
                            "wiederhergestellten Datei nicht enthalten.";
    EXPECT_EQ(protokoll.texte(),
              QStringList({"Kav-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 30.11.2026" + spaeter
                               + " Die beschädigte Datei wurde als „Daten/Kav.KRN.defekt-20261206100000“ aufbewahrt.",
                           "Dat-DB fehlte, ersetzt mit der Sicherungsdatei vom 30.11.2026" + spaeter}));
    for (const Meldung& m : protokoll.meldungen)
        EXPECT_EQ(m.symbol, Meldung::Symbol::Warnung);
    EXPECT_EQ(sql::scalar(db->cnKav(), "SELECT Bezeichnung FROM DuengerID WHERE DuengerNr = 'Du5000'").toString(),
              "Mein Dünger");
    EXPECT_EQ(anzahl(db->cnDaten(), "FlaechenID"), 1);
    // the damaged file is kept aside as it was; a missing one leaves nothing
    EXPECT_EQ(beiseite(), QStringList{"Kav.KRN.defekt-20261206100000"});
    EXPECT_EQ(inhalt(ordner.daten() + "/Kav.KRN.defekt-20261206100000"), kMuell);
}

// Every kind of fault of either file, a table lacking a column as well: the backup takes its place
// and the message says what happened in the gardener's words.
TEST_F(DatenbankTest, JederDateifehlerGibtDieMeldungMitZeitUndAufbewahrterDatei)
{
    {
        auto db = offen();
        ASSERT_TRUE(db->DatenSichern());
    }
    backupZeit(QDateTime(QDate(2026, 11, 30), QTime(18, 42)));
    const auto ohneSpalte = [](const QString& pfad, const char* tabelle, const char* spalte) {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "spalte_weg");
        d.setDatabaseName(pfad);
        ASSERT_TRUE(d.open());
        sql::exec(d, QString("ALTER TABLE %1 DROP COLUMN %2").arg(tabelle, spalte));
        d.close();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase("spalte_weg");
    };
    const QByteArray gut = inhalt(ordner.datenDatei());
    const struct { const char* fall; std::function<void(const QString&, bool)> schaden; bool fehlt; } faelle[] = {
        {"fehlt", [](const QString& p, bool) { QFile::remove(p); }, true},
        {"leer", [](const QString& p, bool) { test::schreibeDatei(p, {}); }, false},
        {"Müll", [](const QString& p, bool) { test::schreibeDatei(p, kMuell); }, false},
        {"abgeschnitten", [&](const QString& p, bool) { test::schreibeDatei(p, inhalt(p).left(inhalt(p).size() / 2)); }, false},
        {"Spalte fehlt", [&](const QString& p, bool kav) { ohneSpalte(p, kav ? "KulturID" : "AnalysenID", "pH"); }, false},
    };
    int lauf = 0;
    for (const auto& f : faelle) {
        for (const bool kav : {true, false}) {
            SCOPED_TRACE(std::string(f.fall) + (kav ? " Kav.KRN" : " Daten.KRN"));
            const QString pfad = kav ? ordner.kavDatei() : ordner.datenDatei();
            uhr.set(QDateTime(QDate(2026, 12, 6), QTime(10, 0, lauf++)));
            ASSERT_NO_FATAL_FAILURE(f.schaden(pfad, kav));
            protokoll.meldungen.clear();
            auto db = neu();
            EXPECT_EQ(kav ? db->KavDBOeffnen() : db->DatDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
            ASSERT_EQ(protokoll.meldungen.size(), 1);
            const Meldung& m = protokoll.meldungen[0];
            const QString name = kav ? "Kav-DB" : "Dat-DB";
            EXPECT_TRUE(m.text.startsWith(name + (f.fehlt ? " fehlte" : " war beschädigt")
                                          + ", ersetzt mit der Sicherungsdatei vom 30.11.2026\n\n"))
                << m.text.toStdString();
            EXPECT_TRUE(m.text.contains("nach dem 30.11.2026 um 18:42 Uhr gemacht wurden"));
            EXPECT_EQ(m.text.contains("aufbewahrt"), !f.fehlt);
            EXPECT_EQ(m.symbol, Meldung::Symbol::Warnung);
            EXPECT_FALSE(m.text.contains("SQL") || m.text.contains("Spalte"));
            db.reset();
            if (!kav) {
                EXPECT_EQ(inhalt(pfad), gut); // the backup is in place
            }
        }
    }
    EXPECT_EQ(beiseite().size(), 8);
}

// The message of a replacement that a start did not show, from the mark left beside the damaged file:
// the backup's time, or empty for the standard file. A damaged mark tells only what is known. Something
// in its place that is no file (never opened, nor followed) is no mark of the program's: it is named
// and left as it is, and no replacement is told.
TEST_F(DatenbankTest, UngezeigteErsatzmeldungSagtNurWasBekanntIst)
{
    const QString defekt = ordner.datenDatei() + ".defekt-20261201080000", marke = defekt + ".meldung";
    const QString ziel = ordner.basis + "/Zeit";
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "2026-11-30T18:42:00"));
    const QString fremd = "An der Stelle „Daten/Daten.KRN.defekt-20261201080000.meldung“, an der Kav die Meldung über "
                          "eine ersetzte Datenbank bis zum nächsten Start aufbewahrt, liegt ";
    const struct { const char* fall; std::function<void()> anlegen; QString anfang; } faelle[] = {
        {"Sicherung", [&] { test::schreibeDatei(marke, "2026-11-30T18:42:00"); },
         "Dat-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 30.11.2026\n\nEinträge, die nach dem 30.11.2026 um 18:42 Uhr"},
        {"Standarddatei", [&] { test::schreibeDatei(marke, {}); }, "Dat-DB war beschädigt, ersetzt mit der Standarddatei\n\nDie neue Datei ist leer"},
        {"beschädigt", [&] { test::schreibeDatei(marke, "\x01\x02 30.11."); }, "Dat-DB war beschädigt und wurde ersetzt.\n\n"},
        {"Rohr", [&] { test::fremdesAnlegen(marke, test::Fremd::Rohr); }, fremd + "etwas, das keine Datei ist. Was dort liegt, liest das Programm nicht"},
        {"Verknüpfung", [&] { test::fremdesAnlegen(marke, test::Fremd::Verknuepfung, ziel); }, fremd + "eine Verknüpfung."},
        {"Gerät", [&] { test::fremdesAnlegen(marke, test::Fremd::Geraet); }, fremd + "etwas, das keine Datei ist."},
        {"Ordner", [&] { QDir().mkdir(marke); }, fremd + "ein Ordner."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const bool mark = !f.anfang.startsWith("An der Stelle");
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(defekt, kMuell));
        ASSERT_NO_FATAL_FAILURE(f.anlegen());
        const Dateisystem::Art art = Dateisystem::art(marke);
        protokoll.meldungen.clear();
        auto db = neu();
        EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        ASSERT_EQ(protokoll.meldungen.size(), 1);
        const QString t = protokoll.meldungen[0].text;
        EXPECT_TRUE(t.startsWith(f.anfang)) << t.toStdString();
        EXPECT_EQ(t.endsWith("„Daten/Daten.KRN.defekt-20261201080000“ aufbewahrt."), mark) << t.toStdString();
        EXPECT_EQ(t.contains("leer") || t.contains("Standarddatei"), f.anfang.contains("Standarddatei")) << t.toStdString();
        EXPECT_EQ(t.contains("es wurde nichts verändert") && t.endsWith("Bitte entfernen Sie „Daten/Daten.KRN.defekt-20261201080000.meldung“."), !mark);
        EXPECT_EQ(Dateisystem::art(marke), mark ? Dateisystem::Art::Fehlt : art); // the program's mark goes, anything else stays
        QFile::remove(marke) || QDir().rmdir(marke);
    }
}

TEST_F(DatenbankTest, OhneBrauchbareSicherungDieEhrlicheMeldungDerStandarddatei)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.sicherungen() + "/Kav.PVQ", kMuell)); // a damaged backup is no help
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.kavDatei(), kMuell));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.datenDatei(), QByteArray()));
    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Standard);
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Standard);
    ASSERT_EQ(protokoll.meldungen.size(), 2);
    EXPECT_TRUE(protokoll.meldungen[0].text.startsWith("Kav-DB war beschädigt, ersetzt mit der Standarddatei\n\n"));
    EXPECT_TRUE(protokoll.meldungen[0].text.contains("eigene Dünger und Kalke"));
    EXPECT_TRUE(protokoll.meldungen[1].text.startsWith("Dat-DB war beschädigt, ersetzt mit der Standarddatei\n\n"
                                                       "Die neue Datei ist leer"));
    EXPECT_TRUE(protokoll.meldungen[1].text.contains("„Daten/Daten.KRN.defekt-20261206100000“"));
    EXPECT_GT(anzahl(db->cnKav(), "KulturID"), 0);
    EXPECT_EQ(anzahl(db->cnDaten(), "FlaechenID"), 0);
    EXPECT_EQ(beiseite().size(), 2);
}

// Neither the file nor its backup nor the standard file, or a data folder whose names cannot be flushed
// to the disk (a file put in could lose its name, and the rows written into it, at a power cut): the
// program cannot work, says so and ends; nothing was deleted.
TEST_F(DatenbankTest, WederDateiNochSicherungNochStandard)
{
    ASSERT_TRUE(offen()->DatenSichern());
    const QByteArray sicherung = inhalt(ordner.sicherungen() + "/Kav.PVQ");
    QFile::remove(ordner.kavDatei());
    DateiOperationen ops = DateiOperationen::echte();
    ops.aufDieDisk = [&](const QString& pfad) { return pfad != ordner.daten() && DateiOperationen::echtAufDieDisk(pfad); };
    {
        auto db = neu();
        db->setDateiOperationen(ops);
        EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
    }
    EXPECT_EQ(inhalt(ordner.sicherungen() + "/Kav.PVQ"), sicherung);
    QFile::remove(ordner.sicherungen() + "/Kav.PVQ");
    protokoll.meldungen.clear();
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.kavDatei(), kMuell));
    QFile::remove(ordner.kavStandard());
    EXPECT_EQ(neu()->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.contains(QDir::toNativeSeparators(ordner.kavDatei())));
    EXPECT_TRUE(protokoll.meldungen[0].text.contains("beendet"));
    EXPECT_EQ(protokoll.meldungen[0].symbol, Meldung::Symbol::Fehler);
    EXPECT_FALSE(QSqlDatabase::database("cnKav", false).isOpen());
    EXPECT_EQ(inhalt(ordner.kavDatei()), kMuell); // nothing was deleted
}

// A file system without a flush for folders (it answers EINVAL) is no failed write: the backup, the
// restore and the replacement of a damaged file succeed and tell what they tell elsewhere. A failing
// disk (EIO) fails each of them, and the damaged file stays where it is; so does the flush of the
// restore's mark the restore, and that of the replacement's mark the replacement.
TEST_F(DatenbankTest, OrdnerOhneFlushIstKeinFehlschlag)
{
    ASSERT_TRUE(offen()->DatenSichern());
    // the flush that fails: of folders, or of the file whose path ends so; what succeeds
    const struct { int fehler; QString datei; bool sichern, wiederherstellen, ersetzen; } faelle[] = {
        {EINVAL, {}, true, true, true}, {EIO, {}, false, false, false},
        {EIO, "/Wiederherstellung.laeuft.tmp", true, false, true}, {EIO, ".meldung", true, true, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.fehler << " " << f.datei.toStdString());
        const test::FlushFehler flush(f.fehler, f.datei);
        protokoll.meldungen.clear();
        auto db = offen();
        e.datLetzteDS = QDate();
        EXPECT_EQ(db->DatenSichern(), f.sichern);
        QString grund;
        bool unveraendert = false;
        EXPECT_EQ(db->SicherungWiederherstellen(&grund, &unveraendert), f.wiederherstellen) << grund.toStdString();
        EXPECT_TRUE(f.wiederherstellen || (unveraendert && grund.startsWith("Im Ordner „"))) << grund.toStdString();
        db.reset();
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.kavDatei(), kMuell));
        EXPECT_EQ(neu()->KavDBOeffnen(), f.ersetzen ? Datenbanken::Ergebnis::Sicherung : Datenbanken::Ergebnis::Fehlgeschlagen);
        const QStringList texte = protokoll.texte();
        ASSERT_EQ(texte.size(), f.sichern ? 1 : 2);
        EXPECT_TRUE(f.sichern || texte.first().startsWith("Die Sicherung der Datenbanken ist fehlgeschlagen"));
        EXPECT_TRUE(f.ersetzen ? texte.last().startsWith("Kav-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 06.12.2026")
                               : texte.last().contains("konnte weder aus der Sicherungsdatei noch aus der Standarddatei"))
            << texte.last().toStdString();
        EXPECT_EQ(inhalt(ordner.kavDatei()) == kMuell, !f.ersetzen);
        EXPECT_TRUE(QDir(ordner.daten()).entryList({"*.defekt-*"}, QDir::Files).size() == f.ersetzen); // nor a mark left
        for (const QString& d : QDir(ordner.daten()).entryList({"*.defekt-*"}, QDir::Files))
            QFile::remove(ordner.daten() + "/" + d);
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavDatei()));
    }
}

TEST_F(DatenbankTest, WiederherstellenAufWunsch)
{
    auto db = offen();
    sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES ('Fl1000')");
    EXPECT_EQ(db->DatDBWiederherstellen(), Datenbanken::Ergebnis::Geoeffnet); // no backup yet: the file stays
    EXPECT_EQ(anzahl(db->cnDaten(), "FlaechenID"), 1);
    ASSERT_TRUE(db->DatenSichern());
    sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES ('Fl1001')");
    db->schliessen();
    EXPECT_EQ(db->DatDBWiederherstellen(), Datenbanken::Ergebnis::Sicherung);
    EXPECT_EQ(anzahl(db->cnDaten(), "FlaechenID"), 1);
    EXPECT_TRUE(protokoll.meldungen.isEmpty()); // the settings window says it itself
    EXPECT_TRUE(beiseite().isEmpty());
}

TEST_F(DatenbankTest, SicherungNachIntervall)
{
    auto db = offen();
    const QDate heute(2026, 12, 6);
    const struct { QDate letzte; int intervall; bool faellig; } faelle[] = {
        {QDate(), 14, true},              // the first backup ever
        {QDate(2026, 11, 23), 14, false}, // 13 days
        {QDate(2026, 11, 22), 14, true},  // 14 days
        {heute, 0, true},                 // every shutdown
        {QDate(2031, 1, 1), 14, true},    // after today (the clock was wrong once): due
        {QDate(2031, 1, 1), 0, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.letzte.toString().toStdString());
        QDir(ordner.sicherungen()).removeRecursively(); // the folder is made when needed
        e.datLetzteDS = f.letzte;
        e.intDS = f.intervall;
        EXPECT_TRUE(db->DatenSichern());
        EXPECT_EQ(QFileInfo::exists(ordner.sicherungen() + "/Kav.PVQ"), f.faellig);
        EXPECT_EQ(QFileInfo::exists(ordner.sicherungen() + "/Daten.PVQ"), f.faellig);
        EXPECT_EQ(e.datLetzteDS, f.faellig ? heute : f.letzte);
    }
    EXPECT_TRUE(LocalDatabase::check(ordner.sicherungen() + "/Kav.PVQ", schemaTabellen(Datenbankdatei::Kav)));
    EXPECT_EQ(QDir(ordner.sicherungen()).entryList(QDir::Files).size(), 2); // no temporary copies left
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(DatenbankTest, FehlgeschlageneSicherungWirdGemeldet)
{
    auto db = offen();
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.sicherungen(), "kein Ordner")); // a file where the folder should be
    e.datLetzteDS = QDate(2026, 1, 1);
    EXPECT_FALSE(db->DatenSichern());
    EXPECT_EQ(e.datLetzteDS, QDate(2026, 1, 1)); // tried again next time
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].symbol, Meldung::Symbol::Warnung);

    // the second copy fails: the earlier pair stays as it was, no date is made up
    QFile::remove(ordner.sicherungen());
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.sicherungen() + "/Kav.PVQ", "alte Sicherung"));
    QDir().mkpath(ordner.sicherungen() + "/Daten.PVQ.tmp"); // blocks the copy of Daten.KRN
    e.datLetzteDS = QDate();
    EXPECT_FALSE(db->DatenSichern());
    EXPECT_FALSE(e.datLetzteDS.isValid());
    QFile alt(ordner.sicherungen() + "/Kav.PVQ");
    ASSERT_TRUE(alt.open(QIODevice::ReadOnly));
    EXPECT_EQ(alt.readAll(), "alte Sicherung");
    EXPECT_FALSE(QFileInfo::exists(ordner.sicherungen() + "/Kav.PVQ.tmp"));
}

// Something that is no file of the program's at one of the backup pair's names, or beside a backup
// where SQLite keeps its journal: no backup is made, and the message names it in the words of the
// restore; it stays as it is, nothing in the backup folder changes and no copy is left, neither at the
// start nor at the backup nor when the settings look at the pair: what lies at the names a backup is
// made or kept aside under is never removed, nor renamed into a backup's place (also where that backup
// is missing). Once it is gone, the next backup writes both files.
TEST_F(DatenbankTest, FremdesAnDerSicherungHaeltSieAufUndWirdGenannt)
{
    auto db = offen();
    e.intDS = 0;
    ASSERT_TRUE(db->DatenSichern());
    const QString ziel = dir.filePath("Ziel");
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "Ziel"));
    const auto stand = [&] { // every name in the backup folder, with the bytes of each file
        QMap<QString, QByteArray> m;
        for (const QString& n : QDir(ordner.sicherungen()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            m[n] = Dateisystem::art(ordner.sicherungen() + "/" + n) == Dateisystem::Art::Datei ? inhalt(ordner.sicherungen() + "/" + n)
                                                                                              : QByteArray("keine Datei");
        return m;
    };
    const QString nicht = " Was dort liegt, liest das Programm nicht. Bitte ";
    const auto entfernen = [&](const char* name) { return nicht + "entfernen Sie „Sicherungsdateien/" + name + "“."; };
    const QString kavTmp = "An der Stelle „Sicherungsdateien/Kav.PVQ.tmp“, an der Kav eine neue Sicherungsdatei anlegt, liegt ";
    const QString vorher = "An der Stelle „Sicherungsdateien/Daten.PVQ.vorher“, an der Kav die bisherige Sicherungsdatei "
                           "aufbewahrt, bis die neue vollständig ist, liegt ";
    const QString kavVorher = "An der Stelle „Sicherungsdateien/Kav.PVQ.vorher“, an der Kav die bisherige Sicherungsdatei "
                              "aufbewahrt, bis die neue vollständig ist, liegt ";
    enum { Ordner, Rohr, Verknuepfung };
    // `ohneSicherung`: the backup the name belongs to is missing
    const struct { const char* name; int art; QString grund; bool ohneSicherung = false; } faelle[] = {
        {"Daten.PVQ", Ordner, "An der Stelle der Sicherungsdatei Daten.PVQ liegt ein Ordner." + entfernen("Daten.PVQ")},
        {"Kav.PVQ", Ordner, "An der Stelle der Sicherungsdatei Kav.PVQ liegt ein Ordner." + entfernen("Kav.PVQ")},
        {"Kav.PVQ", Rohr, "An der Stelle der Sicherungsdatei Kav.PVQ liegt etwas, das keine Datei ist." + entfernen("Kav.PVQ")},
        {"Daten.PVQ", Verknuepfung, "An der Stelle der Sicherungsdatei Daten.PVQ liegt eine Verknüpfung." + nicht
                                        + "legen Sie an die Stelle der Verknüpfung „Sicherungsdateien/Daten.PVQ“ die Datei, "
                                          "auf die sie verweist."},
        {"Kav.PVQ.tmp", Verknuepfung, kavTmp + "eine Verknüpfung." + entfernen("Kav.PVQ.tmp")},
        {"Kav.PVQ.tmp", Rohr, kavTmp + "etwas, das keine Datei ist." + entfernen("Kav.PVQ.tmp")},
        {"Daten.PVQ.vorher", Ordner, vorher + "ein Ordner." + entfernen("Daten.PVQ.vorher")},
        {"Daten.PVQ.vorher", Rohr, vorher + "etwas, das keine Datei ist." + entfernen("Daten.PVQ.vorher")},
        {"Kav.PVQ.vorher", Verknuepfung, kavVorher + "eine Verknüpfung." + entfernen("Kav.PVQ.vorher")},
        {"Kav.PVQ.vorher", Rohr, kavVorher + "etwas, das keine Datei ist." + entfernen("Kav.PVQ.vorher"), true},
        {"Daten.PVQ.tmp", Ordner, "An der Stelle „Sicherungsdateien/Daten.PVQ.tmp“, an der Kav eine neue Sicherungsdatei "
                                  "anlegt, liegt ein Ordner." + entfernen("Daten.PVQ.tmp")},
        {"Daten.PVQ-journal", Rohr, "Neben der Sicherungsdatei Daten.PVQ liegt „Daten.PVQ-journal“, und das ist etwas, das "
                                    "keine Datei ist." + entfernen("Daten.PVQ-journal")},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.name << " " << f.art);
        const QString pfad = ordner.sicherungen() + "/" + f.name;
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES (?)", {QString("Fl%1").arg(1000 + (&f - faelle))});
        QFile::remove(pfad);
        if (f.art == Ordner) {
            ASSERT_TRUE(QDir().mkdir(pfad));
        } else {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, f.art == Rohr ? test::Fremd::Rohr : test::Fremd::Verknuepfung, ziel));
        }
        ASSERT_TRUE(!f.ohneSicherung || QFile::remove(pfad.chopped(7))); // without ".vorher"
        const QMap<QString, QByteArray> vor = stand();
        db.reset();
        protokoll.meldungen.clear();
        db = neu(); // a start
        EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join("").toStdString();
        EXPECT_EQ(stand(), vor);
        e.datLetzteDS = QDate(2026, 11, 1);
        EXPECT_FALSE(db->DatenSichern());
        EXPECT_EQ(protokoll.texte(), QStringList{"Die Sicherung der Datenbanken ist fehlgeschlagen:\n" + f.grund
                                                 + "\n\nBeim nächsten Programmende wird sie erneut versucht."});
        EXPECT_EQ(stand(), vor);
        EXPECT_EQ(db->sicherungsStand().hindernis, f.grund);
        EXPECT_EQ(stand(), vor);
        EXPECT_EQ(e.datLetzteDS, QDate(2026, 11, 1));
        EXPECT_EQ(inhalt(ziel), "Ziel");
        // once it is gone, a whole new pair
        ASSERT_TRUE(f.art == Ordner ? QDir().rmdir(pfad) : QFile::remove(pfad));
        protokoll.meldungen.clear();
        EXPECT_TRUE(db->DatenSichern());
        EXPECT_TRUE(protokoll.meldungen.isEmpty());
        EXPECT_TRUE(inhalt(db->sicherungKav()) == inhalt(ordner.kavDatei()) && inhalt(db->sicherungDaten()) == inhalt(ordner.datenDatei()));
        EXPECT_EQ(QDir(ordner.sicherungen()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList({"Daten.PVQ", "Kav.PVQ"}));
    }
}

// Every rename of a backup fails once in turn, and a putting back fails too: after the next settling
// the previous pair stays a pair, byte for byte, and nothing is left behind; the date of the last
// backup stays, and the message names the backup folder, never a temporary copy. A new pair that
// cannot be flushed to the disk fails and keeps the previous one aside until a settling flushes it.
// Past the last rename the new pair is in.
TEST_F(DatenbankTest, SicherungsPaarBleibtBeiJedemFehlschlagEinPaar)
{
    auto db = offen();
    e.intDS = 0;
    ASSERT_TRUE(db->DatenSichern());
    const QStringList dateien = QDir(ordner.sicherungen()).entryList(QDir::Files);
    e.datLetzteDS = QDate(2026, 11, 1);

    // which calls of the renames, copies and flushes fail; whether the new pair is in after the next settling
    const struct { QList<int> umbenennen; int kopieren; QList<int> aufDieDisk; bool neu; } faelle[] = {
        {{}, 1, {}, false}, {{}, 2, {}, false}, {{1}, 0, {}, false}, {{2}, 0, {}, false}, {{3}, 0, {}, false},
        {{4}, 0, {}, false},
        {{4, 5}, 0, {}, false}, // nor is the previous Kav.PVQ put back over the new one
        {{}, 0, {3, 4}, true},  // the folder after the two copies, and at the first settling
        {{5}, 0, {}, true}};
    for (const auto& f : faelle) {
        const int lauf = &f - faelle;
        SCOPED_TRACE(lauf);
        // both files differ from the previous pair
        sql::exec(db->cnKav(), "INSERT INTO DuengerID (DuengerNr, Eingabe) VALUES (?, 'Nutzer')", {QString("Du%1").arg(5000 + lauf)});
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES (?)", {QString("Fl%1").arg(1000 + lauf)});
        const QByteArray kavPVQ = inhalt(db->sicherungKav()), datenPVQ = inhalt(db->sicherungDaten());
        int u = 0, k = 0, d = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.umbenennen = [&](const QString& von, const QString& nach) { return !f.umbenennen.contains(++u) && DateiOperationen::echtUmbenennen(von, nach); };
        ops.kopieren = [&](const QString& von, const QString& nach) { return ++k != f.kopieren && QFile::copy(von, nach); };
        ops.aufDieDisk = [&](const QString& pfad) { return !f.aufDieDisk.contains(++d) && DateiOperationen::echtAufDieDisk(pfad); };
        db->setDateiOperationen(ops);
        protokoll.meldungen.clear();
        const bool durch = f.umbenennen == QList<int>{5}; // a backup over an earlier pair renames four times
        EXPECT_EQ(db->DatenSichern(), durch);
        EXPECT_EQ(protokoll.meldungen.size(), durch ? 0 : 1);
        const QString text = protokoll.texte().join("");
        EXPECT_TRUE(durch || (text.contains("Ordner „" + ordner.sicherungen() + "“") && !text.contains(".tmp")
                              && !text.contains(".vorher"))) << text.toStdString();
        db->sicherungsStand(); // the next settling
        EXPECT_EQ(inhalt(db->sicherungKav() + ".vorher") == kavPVQ, !f.aufDieDisk.isEmpty());
        db->sicherungsStand();
        EXPECT_EQ(QDir(ordner.sicherungen()).entryList(QDir::Files), dateien);
        EXPECT_TRUE(inhalt(db->sicherungKav()) == (f.neu ? inhalt(ordner.kavDatei()) : kavPVQ)
                    && inhalt(db->sicherungDaten()) == (f.neu ? inhalt(ordner.datenDatei()) : datenPVQ));
        EXPECT_EQ(e.datLetzteDS, durch ? QDate(2026, 12, 6) : QDate(2026, 11, 1));
    }
    EXPECT_TRUE(inhalt(db->sicherungKav()) == inhalt(ordner.kavDatei()) && inhalt(db->sicherungDaten()) == inhalt(ordner.datenDatei()));
}

// The first backup (no earlier pair) failing at either rename leaves no backup file at all: one new
// file alone would pass for half a pair. A first new file that cannot be removed again keeps the
// second copy, which joins it at the next settling; a second copy that is no database (a power cut)
// leaves no backup.
TEST_F(DatenbankTest, ErsteSicherungOhneErfolgHinterlaesstKeineDatei)
{
    auto db = offen();
    const QDir s(ordner.sicherungen());
    // the rename that fails; whether the removal of Kav.PVQ fails too; what the next settling leaves
    const struct { int umbenennen; bool entfernen; QStringList bleiben; } faelle[] = {
        {1, false, {}}, {2, false, {}}, {2, true, {"Daten.PVQ", "Kav.PVQ"}}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        QDir(s).removeRecursively();
        int u = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.umbenennen = [&](const QString& von, const QString& nach) { return ++u != f.umbenennen && DateiOperationen::echtUmbenennen(von, nach); };
        ops.entfernen = [&](const QString& pfad) { return !(f.entfernen && pfad.endsWith("/Kav.PVQ")) && QFile::remove(pfad); };
        db->setDateiOperationen(ops);
        EXPECT_FALSE(db->DatenSichern());
        db->setDateiOperationen(DateiOperationen::echte());
        db->sicherungsStand();
        EXPECT_EQ(s.entryList(QDir::Files), f.bleiben);
    }
    ASSERT_TRUE(QFile::remove(s.filePath("Daten.PVQ"))); // beside the first new file
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(s.filePath("Daten.PVQ.tmp"), kMuell));
    // the removal of the lone file not on the disk: the copy stays, so that the next settling decides again
    DateiOperationen ops = DateiOperationen::echte();
    ops.aufDieDisk = [](const QString&) { return false; };
    db->setDateiOperationen(ops);
    db->sicherungsStand();
    EXPECT_EQ(s.entryList(QDir::Files), QStringList{"Daten.PVQ.tmp"});
    db->setDateiOperationen(DateiOperationen::echte());
    EXPECT_FALSE(db->sicherungsStand().vorhanden);
    EXPECT_EQ(s.entryList(QDir::Files), QStringList());
}

// The program ended in the middle of replacing the backup pair: whatever was left, the next restore,
// backup or start finds one whole pair (the previous one while the new was not complete).
TEST_F(DatenbankTest, AbgebrochenerSicherungswechselHinterlaesstEinPaar)
{
    auto db = offen();
    e.intDS = 0;
    ASSERT_TRUE(db->DatenSichern());
    const QByteArray altKav = inhalt(db->sicherungKav()), altDaten = inhalt(db->sicherungDaten());
    const QString kav = db->sicherungKav(), daten = db->sicherungDaten();
    const auto schreibe = [](const QString& pfad, const QByteArray& b) {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(b);
    };
    // the steps of the switch: previous Kav aside, previous Daten aside, new Kav in, new Daten in
    const struct { int schritte; bool neuesPaar; } faelle[] = {{1, false}, {2, false}, {3, false}, {4, true}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << "nach Schritt " << f.schritte);
        schreibe(kav, altKav), schreibe(daten, altDaten);
        QFile::rename(kav, kav + ".vorher");
        if (f.schritte >= 2)
            QFile::rename(daten, daten + ".vorher");
        if (f.schritte >= 3)
            schreibe(kav, "neu Kav");
        if (f.schritte >= 4)
            schreibe(daten, "neu Daten");
        EXPECT_TRUE(db->sicherungsStand().vorhanden);
        EXPECT_EQ(inhalt(kav), f.neuesPaar ? QByteArray("neu Kav") : altKav);
        EXPECT_EQ(inhalt(daten), f.neuesPaar ? QByteArray("neu Daten") : altDaten);
        EXPECT_EQ(QDir(ordner.sicherungen()).entryList({"*.vorher"}, QDir::Files), QStringList());
    }
    // a restore after a cut-off switch puts the previous pair in place
    schreibe(kav, altKav), schreibe(daten, altDaten);
    QFile::rename(kav, kav + ".vorher");
    QString grund;
    EXPECT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
    EXPECT_EQ(inhalt(ordner.kavDatei()), altKav);
}

// Kav.KRN replaced, by its backup or by the standard file: the next update fetches everything again,
// also after a crash of this run. Daten.KRN replaced alone leaves the date.
TEST_F(DatenbankTest, NachErsetztemKavKRNHoltDasUpdateAllesNeu)
{
    {
        auto db = offen();
        e.intDS = 0;
        ASSERT_TRUE(db->DatenSichern());
    }
    const QDateTime letztes(QDate(2026, 11, 2), QTime(0, 0));
    const struct { const char* datei; bool sicherung; bool zurueck; } faelle[] = {
        {"Kav.KRN", true, true}, {"Kav.KRN", false, true}, {"Daten.KRN", true, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.datei << (f.sicherung ? " aus der Sicherung" : " aus der Standarddatei"));
        e.datLetztesUpdate = letztes;
        einstellungsDatei.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "02.11.2026");
        ASSERT_TRUE(einstellungsDatei.sync());
        if (!f.sicherung)
            QFile::remove(ordner.sicherungen() + "/Kav.PVQ");
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.daten() + "/" + f.datei, kMuell));
        auto db = neu();
        EXPECT_NE(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        EXPECT_NE(db->DatDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        EXPECT_EQ(e.datLetztesUpdate, f.zurueck ? datenstandAuslieferung() : letztes);
        EXPECT_EQ(gespeichertesUpdate(), f.zurueck ? "11.02.2010" : "02.11.2026"); // at once, in the file too
    }
}

// A restore failing at a step while putting the files back fails too: the mark stays, both files
// stay closed and the caller learns that they are not as they were; neither a backup nor a restore is
// made of them, and the next start settles the pair: back as it was, or, with both files already in
// place, the restore finished. A copy or the mark not known to be on the disk stops the restore
// before anything is replaced (the mark: saying that nothing can be stored in the data folder).
// Where that start cannot remove the mark, it still says what it did and writes the mark "settled";
// where it cannot even write that for a moment, it tries again at its end; so does a start that finds
// the mark "settled" and cannot remove it. Either way the start after it tells nothing and leaves the
// rows and the update of the run between. A restore rolled back in its own run whose mark cannot be
// removed says in it that it is settled. A start whose own step fails (a rename, a flush) says that
// it could settle nothing now and opens no file; the mark stays for the start after it. What lies at
// the mark's temporary name changes nothing of that: it is named and left.
TEST_F(DatenbankTest, ScheiterndeRuecknahmeLaesstDieMarkeFuerDenStart)
{
    offen()->DatenSichern();
    const QByteArray kavPVQ = inhalt(ordner.sicherungen() + "/Kav.PVQ");
    sql::exec(offen()->cnKav(), "INSERT INTO DuengerID (DuengerNr, Eingabe, Bezeichnung) VALUES ('Du5000', 'Nutzer', 'Mein Dünger')");
    const QByteArray kav = inhalt(ordner.kavDatei()), daten = inhalt(ordner.datenDatei());
    const QString marke = ordner.daten() + "/Wiederherstellung.laeuft";
    // at the next start, the mark's removal fails always (its writing does not), or both fail once
    enum { Keine, Immer, Einmal };
    enum { Nichts, Rohr, Ordner }; // at the mark's temporary name before the next start
    // the calls of the renames and of the flushes to the disk that fail; what the next start says; whether
    // the mark's removal fails once in the run, and the next start's own first rename and flush before that
    const struct {
        QList<int> umbenennen;
        int aufDieDisk;
        const char* start;
        int marke = Keine;
        bool imLauf = false, startScheitert = false;
        int tmp = Nichts;
    } faelle[] = {
        {{4, 5}, 0, "rückgängig gemacht"}, // Daten.KRN not put in, Kav.KRN not put back
        {{3, 4}, 0, "rückgängig gemacht"}, // Kav.KRN not put in, nor back
        {{5}, 4, "zu Ende geführt"},       // both in, but not on the disk; Kav.KRN not put back
        {{}, 2, ""},                       // the second copy
        {{}, 3, ""},                       // the mark
        {{}, 4, ""},                       // the files put in
        {{4, 5}, 0, "rückgängig gemacht", Immer},
        {{5}, 4, "zu Ende geführt", Immer},
        {{4, 5}, 0, "rückgängig gemacht", Einmal},
        {{5}, 4, "zu Ende geführt", Einmal},
        {{4}, 0, "", Keine, true}, // put back: the mark is "settled"
        {{4, 5}, 0, "rückgängig gemacht", Keine, false, true},
        {{5}, 4, "zu Ende geführt", Keine, false, true},
        {{4, 5}, 0, "rückgängig gemacht", Keine, false, false, Rohr},
        {{5}, 4, "zu Ende geführt", Keine, false, false, Ordner},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.umbenennen.size() << " " << f.aufDieDisk << " " << f.marke);
        QDir(ordner.daten()).removeRecursively();
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.kavDatei(), kav));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.datenDatei(), daten));
        auto db = offen();
        int u = 0, s = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.umbenennen = [&](const QString& von, const QString& nach) { return !f.umbenennen.contains(++u) && DateiOperationen::echtUmbenennen(von, nach); };
        ops.aufDieDisk = [&](const QString& pfad) { return ++s != f.aufDieDisk && DateiOperationen::echtAufDieDisk(pfad); };
        int weg = 0;
        ops.entfernen = [&](const QString& pfad) { return !(f.imLauf && pfad == marke && ++weg == 1) && QFile::remove(pfad); };
        db->setDateiOperationen(ops);
        const bool offen = *f.start;
        QString grund;
        bool unveraendert = offen;
        EXPECT_FALSE(db->SicherungWiederherstellen(&grund, &unveraendert));
        if (f.aufDieDisk == 3) {
            EXPECT_EQ(grund, "Im Ordner „" + ordner.daten() + "“ kann nichts gespeichert werden.");
        }
        EXPECT_EQ(unveraendert, !offen);
        EXPECT_EQ(QSqlDatabase::database("cnKav", false).isOpen(), !offen); // a pair not as it was stays closed
        if (offen) {
            e.datLetzteDS = QDate();
            EXPECT_FALSE(db->DatenSichern());
            EXPECT_FALSE(db->SicherungWiederherstellen(&grund));
            EXPECT_EQ(inhalt(ordner.sicherungen() + "/Kav.PVQ"), kavPVQ);
        }
        EXPECT_EQ(inhalt(marke) == "erledigt\n", f.imLauf);
        db.reset();
        const QByteArray markeVorher = inhalt(marke);
        if (f.startScheitert) { // a start that can do nothing now: no file opens, the mark stays
            protokoll.meldungen.clear();
            db = neu();
            DateiOperationen scheitert = DateiOperationen::echte();
            scheitert.umbenennen = [](const QString&, const QString&) { return false; };
            scheitert.aufDieDisk = [](const QString&) { return false; };
            db->setDateiOperationen(scheitert);
            EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
            EXPECT_EQ(protokoll.texte(),
                      QStringList{"Die Wiederherstellung der letzten Datensicherung wurde unterbrochen und konnte jetzt "
                                  "nicht " + QString(f.start) + " werden. Es wurde keine Datenbank geöffnet, und beim "
                                  "nächsten Start versucht das Programm es erneut; dabei geht nichts verloren.\n\nBitte "
                                  "sorgen Sie dafür, dass Sie im Ordner „" + ordner.daten() + "“ und in seinen Dateien "
                                  "schreiben dürfen, und starten Sie das Programm dann neu. Bis dahin kann das Programm "
                                  "nicht arbeiten und wird beendet."});
            EXPECT_FALSE(QSqlDatabase::database("cnKav", false).isOpen() || QSqlDatabase::database("cnDaten", false).isOpen());
            EXPECT_EQ(inhalt(marke), markeVorher);
            db.reset();
        }
        const QString tmp = marke + ".tmp";
        if (f.tmp == Rohr) {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(tmp, test::Fremd::Rohr));
        } else if (f.tmp == Ordner) {
            ASSERT_TRUE(QDir().mkdir(tmp));
        }
        protokoll.meldungen.clear();
        db = neu(); // the next start
        int n = 0, m = 0;
        DateiOperationen markenOps = DateiOperationen::echte();
        markenOps.entfernen = [&](const QString& pfad) {
            return !(pfad == marke && (f.marke == Immer || (f.marke == Einmal && ++n == 1))) && QFile::remove(pfad);
        };
        markenOps.schreiben = [&](const QString& pfad, const QByteArray& b) {
            return !(f.marke == Einmal && b == "erledigt\n" && ++m == 1) && DateiOperationen::echtSchreiben(pfad, b);
        };
        db->setDateiOperationen(markenOps);
        EXPECT_NE(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        EXPECT_TRUE(offen ? protokoll.texte().join("").contains(f.start) : protokoll.meldungen.isEmpty());
        if (f.tmp != Nichts) { // named after the restore was settled, and left
            EXPECT_EQ(protokoll.texte().value(1),
                      "An der Stelle „Daten/Wiederherstellung.laeuft.tmp“, an der Kav während einer Wiederherstellung der "
                      "Datensicherung ihre Markierung ablegt, liegt "
                          + QString(f.tmp == Rohr ? "etwas, das keine Datei ist" : "ein Ordner")
                          + ". Was dort liegt, liest das Programm nicht, und solange es dort liegt, wird keine Sicherung "
                            "gemacht oder wiederhergestellt.\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft.tmp“.");
            EXPECT_EQ(Dateisystem::art(tmp), f.tmp == Rohr ? Dateisystem::Art::KeineDatei : Dateisystem::Art::Ordner);
            EXPECT_FALSE(QFile::exists(marke));
        }
        const bool zurueck = QString(f.start) != "zu Ende geführt";
        EXPECT_TRUE(zurueck ? inhalt(ordner.kavDatei()) == kav && inhalt(ordner.datenDatei()) == daten
                            : inhalt(ordner.kavDatei()) == kavPVQ);
        EXPECT_EQ(QDir(ordner.daten()).entryList(QDir::Files).size(), (zurueck ? 2 : 4) + (f.marke != Keine));
        if (f.marke == Keine)
            continue;
        EXPECT_EQ(inhalt(marke) == "erledigt\n", f.marke == Immer);
        // this run: a plot, an update and its end with no backup due; then the start after it
        EXPECT_NE(db->DatDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES ('Fl2000')");
        const QDateTime update(QDate(2026, 12, 6), QTime(9, 30));
        e.datLetztesUpdate = update;
        e.datLetzteDS = QDate(2026, 12, 6);
        EXPECT_TRUE(db->DatenSichern());
        EXPECT_EQ(QFile::exists(marke), f.marke == Immer);
        db.reset();
        protokoll.meldungen.clear();
        db = neu();
        // a mark "settled" that this start cannot remove either: tried again at its end
        int einmal = 0;
        DateiOperationen nochmal = DateiOperationen::echte();
        nochmal.entfernen = [&](const QString& pfad) { return !(pfad == marke && ++einmal == 1) && QFile::remove(pfad); };
        db->setDateiOperationen(nochmal);
        EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        EXPECT_EQ(QFile::exists(marke), f.marke == Immer);
        EXPECT_TRUE(db->DatenSichern());
        EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join("").toStdString();
        EXPECT_EQ(e.datLetztesUpdate, update);
        EXPECT_EQ(anzahl(db->cnDaten(), "FlaechenID WHERE FlaechenNr = 'Fl2000'"), 1);
        EXPECT_FALSE(QFile::exists(marke));
    }
}

// Restores on 01.01.2027 and 02.01.2027, then one with the clock behind (06.12.2026) after a plot
// was added: the file it sets aside, holding that plot, stays, though its name gives the oldest time,
// and so does it after further restores an hour and two hours later; of the files named after the
// clock's time the two nearest to it stay (then restores an hour earlier each time), and of the others
// the newest.
TEST_F(DatenbankTest, EbenBeiseitegelegteDateiBleibtBeiNachgehenderUhr)
{
    auto db = offen();
    ASSERT_TRUE(db->DatenSichern());
    QString grund;
    const auto n = [](const char* zeit) { return QString("Daten.KRN.vor-Wiederherstellung-") + zeit; };
    const QString plot = ordner.daten() + "/" + n("20261206100021");
    const QStringList spaeter = {n("20270101100000"), n("20270102100000")};
    const struct { QDateTime zeit; QStringList bleiben; } faelle[] = {
        {QDateTime(QDate(2027, 1, 1), QTime(10, 0)), {spaeter[0]}},
        {QDateTime(QDate(2027, 1, 2), QTime(10, 0)), spaeter},
        {QDateTime(QDate(2026, 12, 6), QTime(10, 0, 21)), QStringList{n("20261206100021")} + spaeter},
        {QDateTime(QDate(2026, 12, 6), QTime(11, 0)), QStringList{n("20261206100021"), n("20261206110000")} + spaeter},
        {QDateTime(QDate(2026, 12, 6), QTime(12, 0)), QStringList{n("20261206110000"), n("20261206120000")} + spaeter},
        {QDateTime(QDate(2026, 12, 6), QTime(9, 0)), {n("20261206090000"), n("20261206110000"), n("20261206120000")}},
        {QDateTime(QDate(2026, 12, 6), QTime(8, 0)), {n("20261206080000"), n("20261206090000"), n("20261206110000")}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zeit.toString().toStdString());
        uhr.set(f.zeit);
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES (?)", {f.zeit.toString("yyyyMMddhh")});
        ASSERT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
        EXPECT_EQ(QDir(ordner.daten()).entryList({"Daten.KRN.vor-*"}, QDir::Files), f.bleiben);
        if (f.zeit.time() == QTime(11, 0)) {
            db.reset();
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.datenDatei(), inhalt(plot)));
            db = offen();
            EXPECT_EQ(sql::scalar(db->cnDaten(), "SELECT group_concat(FlaechenNr) FROM FlaechenID").toString(),
                      "2026120610");
        }
    }
}

// A file renamed together with its journal: when the rename of either fails, both stay where they were.
TEST_F(DatenbankTest, MitJournalUmbenennenLaesstBeideAmPlatz)
{
    const QString von = ordner.daten() + "/a.KRN";
    for (const int fehler : {1, 2}) { // the file's rename, the journal's
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(von, "Datei"));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(von + "-journal", "Journal"));
        int u = 0;
        DateiOperationen ops = DateiOperationen::echte();
        ops.umbenennen = [&](const QString& a, const QString& b) { return ++u != fehler && DateiOperationen::echtUmbenennen(a, b); };
        EXPECT_FALSE(ops.mitJournalUmbenennen(von, ordner.daten() + "/b.KRN"));
        EXPECT_EQ(QDir(ordner.daten()).entryList({"?.KRN*"}, QDir::Files), QStringList({"a.KRN", "a.KRN-journal"})) << fehler;
    }
}

#include "platform/clock.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class DatenbankTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner.basis = dir.path();
        QDir().mkpath(ordner.daten());
        test::referenzDatei(ordner.kavDatei());
        test::referenzDatei(ordner.kavStandard());
        test::leereDatei(ordner.datenDatei(), Datenbankdatei::Daten);
        e.intDS = 14;
        uhr.set(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
    }
    std::unique_ptr<Datenbanken> neu()
    {
        return std::make_unique<Datenbanken>(ordner, gebiet, e, uhr, protokoll);
    }
    QStringList dateienIn(const QString& pfad, const QString& muster) const
    {
        return QDir(pfad).entryList({muster}, QDir::Files);
    }
    QByteArray inhalt(const QString& pfad) const
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    Programmordner ordner;
    Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    Einstellungen e;
    FixedClock uhr;
    test::MeldungsProtokoll protokoll;
};

const QByteArray kMuell = QByteArray("Dies ist keine Datenbank. ").repeated(200);

} // namespace

TEST_F(DatenbankTest, BeideDateienHabenJedeTabelleUndSpalteInDerReihenfolge)
{
    auto db = neu();
    ASSERT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    ASSERT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_TRUE(protokoll.meldungen.isEmpty());

    const QMap<QString, QStringList> daten = {
        {"FlaechenID", {"ID", "FlaechenNr", "Gliederungspunkt", "GruppierungNr", "AktuellerDatensatz", "Bezeichnung",
                        "Laenge", "Breite", "Flaeche", "Bodenart", "Kompost", "Nutzung", "LetzteAenderung"}},
        {"AnalysenID", {"AnalysenNr", "Datum", "Bodenart", "BodenartKuerzel", "GesamtN", "P2O5", "K2O", "Mg", "pH",
                        "LetzteAenderung", "ID"}},
        {"ZOFlaechenAnalysen", {"FlaechenNr", "AnalysenNr", "Datum", "AktuellerDatensatz", "ID"}},
        {"Nmin", {"FlaechenNr", "Nmin", "Einheit", "Datum", "ID"}},
        {"MischkulturID", {"MKID", "DatumPlanung", "FlaechenNr"}},
        {"MKEditor", {"ID", "MKID", "KulturID", "Kultur", "Left", "Top", "Farbe", "Dauer", "Start"}},
    };
    const QMap<QString, QStringList> kav = {
        {"DuengerID", {"DuengerNr", "Typ", "Eingabe", "AktuellerDatensatz", "Bezeichnung", "N", "Norg", "P2O5", "K2O",
                       "Mg", "LetzteAenderung", "ID"}},
        {"KalkID", {"KalkNr", "Eingabe", "Bezeichnung", "CaCO3", "MgCO3", "LetzteAenderung", "ID"}},
        {"KulturID", {"KulturNr", "Bezeichnung", "GruppierungNr", "Gliederungspunkt", "AktuellerDatensatz", "Tage",
                      "TerminGD", "TerminKD1", "TerminKD2", "ph", "N", "NGD", "NKD1", "NKD2", "P2O5", "K2O", "Mg"}},
        {"OrgSubID", {"OrgSubNr", "Bezeichnung", "menge", "N", "P2O5", "K2O", "Mg"}},
        {"Reihenabstand", {"KulturID", "Reihenabstand"}},
        {"MKFarben", {"KulturID", "r", "g", "b"}},
        {"Bodenart", {"ID", "Bezeichnung", "Kuerzel"}},
        {"Nutzung", {"ID", "Nutzung"}},
        {"DuengerInfo", {"TextNr", "Text"}},
        {"Kalkbedarf", {"Bodenart", "OS", "pH", "CaO"}},
        {"LexikonKapitel", {"Kapitel", "KapitelNr", "Ueberschrift"}},
        {"Lexikon", {"KapitelNr", "Kapitel", "LetzteAenderung"}},
        {"LexikonSuchbegriff", {"lfdNr", "Suchbegriff", "Verweis", "GanzesWort", "Erscheinen"}},
        {"LexikonBilder", {"BilderNr", "BildDatei", "Quelle", "Verweis", "Reihenfolge", "LetzteAenderung"}},
    };
    for (auto it = daten.begin(); it != daten.end(); ++it)
        EXPECT_EQ(spaltenVon(db->cnDaten(), it.key()), it.value()) << it.key().toStdString();
    for (auto it = kav.begin(); it != kav.end(); ++it)
        EXPECT_EQ(spaltenVon(db->cnKav(), it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(schemaTabellen(Datenbankdatei::Daten).size(), daten.size());
    EXPECT_EQ(schemaTabellen(Datenbankdatei::Kav).size(), kav.size());
}

TEST_F(DatenbankTest, BeschaedigteDateiMitSicherungWirdErsetztUndBeiseiteGelegt)
{
    // a backup holding one fertiliser of the user's
    {
        auto db = neu();
        ASSERT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        ASSERT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
        sql::exec(db->cnKav(), "INSERT INTO DuengerID (DuengerNr, Eingabe, Bezeichnung) VALUES ('Du5000', 'Nutzer', ?)",
                  {"Mein Dünger"});
        ASSERT_TRUE(db->DatenSichern());
    }
    e.datLetzteDS = QDate(2026, 11, 30);
    test::schreibeDatei(ordner.kavDatei(), kMuell);

    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
    ASSERT_EQ(protokoll.texte(), QStringList{"Kav-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 30.11.2026"});
    EXPECT_EQ(sql::scalar(db->cnKav(), "SELECT Bezeichnung FROM DuengerID WHERE DuengerNr = 'Du5000'").toString(),
              "Mein Dünger");
    const QStringList beiseite = dateienIn(ordner.daten(), "Kav.KRN.defekt-*");
    ASSERT_EQ(beiseite.size(), 1);
    EXPECT_EQ(beiseite.first(), "Kav.KRN.defekt-20261206100000");
    EXPECT_EQ(inhalt(ordner.daten() + "/" + beiseite.first()), kMuell);
}

TEST_F(DatenbankTest, FehlendeDateiWirdAusDerSicherungGeholt)
{
    {
        auto db = neu();
        db->KavDBOeffnen();
        db->DatDBOeffnen();
        sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES ('Fl1000', 'Beet')");
        ASSERT_TRUE(db->DatenSichern());
    }
    ASSERT_TRUE(QFile::remove(ordner.datenDatei()));
    e.datLetzteDS = QDate(2026, 12, 6);
    auto db = neu();
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
    EXPECT_EQ(protokoll.texte(), QStringList{"Dat-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 06.12.2026"});
    EXPECT_EQ(sql::scalar(db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 1);
}

TEST_F(DatenbankTest, OhneSicherungDieEhrlicheMeldungDerStandarddatei)
{
    test::schreibeDatei(ordner.kavDatei(), kMuell);
    test::schreibeDatei(ordner.datenDatei(), QByteArray());
    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Standard);
    EXPECT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Standard);
    EXPECT_EQ(protokoll.texte(), QStringList({"Kav-DB war beschädigt, ersetzt mit der Standarddatei",
                                              "Dat-DB war beschädigt, ersetzt mit der Standarddatei"}));
    EXPECT_GT(sql::scalar(db->cnKav(), "SELECT COUNT(*) FROM KulturID").toInt(), 0);
    EXPECT_EQ(sql::scalar(db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 0);
    EXPECT_EQ(dateienIn(ordner.daten(), "*.defekt-*").size(), 2);
}

TEST_F(DatenbankTest, SicherungWirdVorDerVerwendungGeprueft)
{
    test::schreibeDatei(ordner.sicherungen() + "/Kav.PVQ", kMuell); // a damaged backup is no help
    test::schreibeDatei(ordner.kavDatei(), kMuell);
    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Standard);
    EXPECT_EQ(protokoll.texte(), QStringList{"Kav-DB war beschädigt, ersetzt mit der Standarddatei"});
}

TEST_F(DatenbankTest, WederDateiNochSicherungNochStandard)
{
    test::schreibeDatei(ordner.kavDatei(), kMuell);
    QFile::remove(ordner.kavStandard());
    auto db = neu();
    EXPECT_EQ(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.contains(QDir::toNativeSeparators(ordner.kavDatei())));
    EXPECT_TRUE(protokoll.meldungen[0].text.contains("beendet"));
    EXPECT_EQ(protokoll.meldungen[0].symbol, Meldung::Symbol::Fehler);
    EXPECT_FALSE(QSqlDatabase::database("cnKav", false).isOpen());
    EXPECT_EQ(inhalt(ordner.kavDatei()), kMuell); // nothing was deleted
}

TEST_F(DatenbankTest, WiederherstellenAufWunsch)
{
    auto db = neu();
    db->KavDBOeffnen();
    db->DatDBOeffnen();
    // no backup yet: the file stays as it is
    sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES ('Fl1000')");
    EXPECT_EQ(db->DatDBWiederherstellen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_EQ(sql::scalar(db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 1);
    ASSERT_TRUE(db->DatenSichern());
    sql::exec(db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr) VALUES ('Fl1001')");
    db->schliessen();
    EXPECT_EQ(db->DatDBWiederherstellen(), Datenbanken::Ergebnis::Sicherung);
    EXPECT_EQ(sql::scalar(db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 1);
    EXPECT_TRUE(protokoll.meldungen.isEmpty()); // the settings window says it itself
    EXPECT_TRUE(dateienIn(ordner.daten(), "*.defekt-*").isEmpty());
}

TEST_F(DatenbankTest, SicherungNachIntervall)
{
    auto db = neu();
    db->KavDBOeffnen();
    db->DatDBOeffnen();
    const QString kavPvq = ordner.sicherungen() + "/Kav.PVQ";
    const QString datPvq = ordner.sicherungen() + "/Daten.PVQ";
    ASSERT_FALSE(QDir(ordner.sicherungen()).exists()); // the folder is made when needed

    // first backup ever
    EXPECT_TRUE(db->DatenSichern());
    EXPECT_TRUE(QFileInfo::exists(kavPvq));
    EXPECT_TRUE(QFileInfo::exists(datPvq));
    EXPECT_EQ(e.datLetzteDS, QDate(2026, 12, 6));

    QFile::remove(kavPvq);
    e.datLetzteDS = QDate(2026, 11, 23); // 13 days
    EXPECT_TRUE(db->DatenSichern());
    EXPECT_FALSE(QFileInfo::exists(kavPvq));
    EXPECT_EQ(e.datLetzteDS, QDate(2026, 11, 23));

    e.datLetzteDS = QDate(2026, 11, 22); // 14 days
    EXPECT_TRUE(db->DatenSichern());
    EXPECT_TRUE(QFileInfo::exists(kavPvq));
    EXPECT_EQ(e.datLetzteDS, QDate(2026, 12, 6));
    EXPECT_TRUE(LocalDatabase::check(kavPvq, schemaTabellen(Datenbankdatei::Kav)));

    e.intDS = 0; // every shutdown
    QFile::remove(kavPvq);
    EXPECT_TRUE(db->DatenSichern());
    EXPECT_TRUE(QFileInfo::exists(kavPvq));
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    EXPECT_TRUE(dateienIn(ordner.sicherungen(), "*.tmp").isEmpty());
}

TEST_F(DatenbankTest, FehlgeschlageneSicherungWirdGemeldet)
{
    auto db = neu();
    db->KavDBOeffnen();
    db->DatDBOeffnen();
    test::schreibeDatei(ordner.sicherungen(), "kein Ordner"); // a file in place of the folder
    e.datLetzteDS = QDate(2026, 1, 1);
    EXPECT_FALSE(db->DatenSichern());
    EXPECT_EQ(e.datLetzteDS, QDate(2026, 1, 1)); // tried again next time
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].symbol, Meldung::Symbol::Warnung);
}

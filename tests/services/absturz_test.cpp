// A process killed in the middle of a write, then a normal start: the journal puts the file back,
// every committed row is there and nothing is taken as damaged.
#include "exchange/updateanwenden.h"
#include "platform/clock.h"
#include "services/appcontext.h"
#include "services/bildertausch.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/programmstart.h"
#include "services/sql.h"
#include "datenbankumgebung.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace kav;

namespace {

using test::inhalt;

// Every row of every table, in the order of the file.
QStringList alleZeilen(const QSqlDatabase& db)
{
    QStringList out;
    for (const QString& t : db.tables()) {
        QSqlQuery q(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t), db);
        while (q.next()) {
            QStringList z{t};
            for (int i = 0; i < q.record().count(); ++i)
                z << q.value(i).toString();
            out << z.join(QLatin1Char('|'));
        }
    }
    return out;
}

class AbsturzBeimSchreiben : public ::testing::Test, protected test::DatenbankUmgebung {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(ordner.kavStandard()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(ordner.datenDatei(), Datenbankdatei::Daten));
        e.intDS = 0;
        e.datLetztesUpdate = QDateTime(QDate(2026, 11, 2), QTime(0, 0));
        // plots stored, a backup pair made, one more plot added
        auto db = offen();
        flaeche(*db, "Fl1000");
        ASSERT_TRUE(db->DatenSichern());
        flaeche(*db, "Fl1001");
    }
    static void flaeche(Datenbanken& db, const QString& nr)
    {
        sql::exec(db.cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, 'Beet')", {nr});
    }
    static QString flaechen(Datenbanken& db)
    {
        return sql::scalar(db.cnDaten(), "SELECT group_concat(FlaechenNr) FROM FlaechenID").toString();
    }
    // Starts a writer on `datei` and kills it once it has written `n` rows, inside its transaction.
    // `imSpeicher`: the writer keeps its changes in memory, and the journal it leaves is dead.
    static void mittendrinGetoetet(const QString& datei, const QString& art, int n, bool imSpeicher = false)
    {
        const QByteArray vorher = inhalt(datei);
        QProcess p;
        p.start(QStringLiteral(KAV_SCHREIBKIND),
                QStringList{datei, art, QString::number(n)} + (imSpeicher ? QStringList{"im-speicher"} : QStringList()));
        ASSERT_TRUE(p.waitForStarted(30000));
        QByteArray aus;
        while (!aus.contains("angehalten") && p.waitForReadyRead(30000))
            aus += p.readAllStandardOutput();
        ASSERT_TRUE(aus.contains("angehalten")) << p.readAllStandardError().toStdString();
        p.kill();
        ASSERT_TRUE(p.waitForFinished(30000));
        // the file is half written and SQLite left its hot journal (a header with its magic), or
        // the file is untouched and the journal has no header
        ASSERT_EQ(inhalt(datei) == vorher, imSpeicher);
        ASSERT_EQ(inhalt(datei + "-journal").left(8) == QByteArray(8, '\0'), imSpeicher);
    }
    // Runs `tun` in a child process on both files opened, with file operations that end the child
    // at their n-th call (see toedlich); the child ends right after `tun` too, as a kill would. Without
    // `tun` the start itself is killed: the opening of both files, with what a crash left settled
    // first. The child's exit status: 0 when it ran through.
    int getoetetBei(int n, const std::function<bool(Datenbanken&)>& tun, bool danach = false);
    // A fertiliser added to the files, then a restore: the rows before and after it, the files before it.
    void wiederherstellungVorbereiten(QStringList& vorher, QStringList& gesichert, QMap<QString, QByteArray>& dateien);
    // The data folder holding `dateien` only; the settings file with the date of the last update.
    void datenordner(const QMap<QString, QByteArray>& dateien);
    QStringList beiseite() const { return QDir(ordner.daten()).entryList({"*.defekt-*"}, QDir::Files); }
    // A start: both files opened, from wherever they come.
    std::unique_ptr<Datenbanken> gestartet()
    {
        auto db = neu();
        EXPECT_NE(db->KavDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        EXPECT_NE(db->DatDBOeffnen(), Datenbanken::Ergebnis::Fehlgeschlagen);
        return db;
    }
    static QStringList paar(Datenbanken& db) { return alleZeilen(db.cnKav()) + QStringList{"--"} + alleZeilen(db.cnDaten()); }
};

constexpr int kGetoetet = 3;

// File operations that end the process at their n-th call: before it, a copy or a write left half
// done, or with `danach` right after it.
DateiOperationen toedlich(int n, bool danach = false)
{
    static int zaehler;
    zaehler = 0;
    DateiOperationen echt = DateiOperationen::echte();
    const auto vor = [n, danach](const QString& pfad = {}, const QByteArray& b = {}) {
        if (++zaehler != n || danach)
            return;
        if (QFile f(pfad); !pfad.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(b.left(b.size() / 2)), f.close();
        _exit(kGetoetet);
    };
    const auto nach = [n, danach](bool ok) {
        if (danach && zaehler == n)
            _exit(kGetoetet);
        return ok;
    };
    DateiOperationen o = echt;
    o.umbenennen = [=](const QString& von, const QString& zu) { return vor(), nach(echt.umbenennen(von, zu)); };
    o.kopieren = [=](const QString& von, const QString& zu) { return vor(zu, inhalt(von)), nach(echt.kopieren(von, zu)); };
    o.schreiben = [=](const QString& pfad, const QByteArray& b) { return vor(pfad, b), nach(echt.schreiben(pfad, b)); };
    o.entfernen = [=](const QString& pfad) { return vor(), nach(echt.entfernen(pfad)); };
    return o;
}

int AbsturzBeimSchreiben::getoetetBei(int n, const std::function<bool(Datenbanken&)>& tun, bool danach)
{
    const pid_t kind = fork();
    if (kind == 0) {
        auto db = neu();
        if (tun)
            db->KavDBOeffnen(), db->DatDBOeffnen();
        db->setDateiOperationen(toedlich(n, danach));
        _exit(tun ? (tun(*db) ? 0 : 1) : (db->KavDBOeffnen(), db->DatDBOeffnen(), 0));
    }
    int status = 0;
    return kind > 0 && waitpid(kind, &status, 0) == kind && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void AbsturzBeimSchreiben::wiederherstellungVorbereiten(QStringList& vorher, QStringList& gesichert,
                                                        QMap<QString, QByteArray>& dateien)
{
    auto db = offen();
    sql::exec(db->cnKav(), "INSERT INTO DuengerID (DuengerNr, Eingabe, Bezeichnung) VALUES ('Du5000', 'Nutzer', 'Mein Dünger')");
    vorher = paar(*db);
    for (const char* f : {"Kav.KRN", "Daten.KRN"})
        dateien[f] = inhalt(ordner.daten() + "/" + f);
    QString grund;
    ASSERT_TRUE(db->SicherungWiederherstellen(&grund)) << grund.toStdString();
    gesichert = paar(*db);
}

void AbsturzBeimSchreiben::datenordner(const QMap<QString, QByteArray>& dateien)
{
    QDir(ordner.daten()).removeRecursively();
    for (auto it = dateien.cbegin(); it != dateien.cend(); ++it)
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.daten() + "/" + it.key(), it.value()));
    einstellungsDatei.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "02.11.2026");
    ASSERT_TRUE(einstellungsDatei.sync());
}

} // namespace

TEST_F(AbsturzBeimSchreiben, NachDemNeustartIstJedeZeileDaUndNichtsBeschaedigt)
{
    const QStringList kavVorher = [&] {
        auto db = offen();
        return alleZeilen(db->cnKav());
    }();
    // the file, what the killed process did, at which written row it died
    const struct { bool kav; const char* art; int halt; } faelle[] = {
        {false, "flaechen", 1500},    // a large transaction: changed pages are already in the file
        {true, "aktualisierung", 3},  // a data update's apply
        {true, "aktualisierung", 20},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.art) + " " + std::to_string(f.halt));
        const QString datei = f.kav ? ordner.kavDatei() : ordner.datenDatei();
        ASSERT_NO_FATAL_FAILURE(mittendrinGetoetet(datei, f.art, f.halt));

        auto db = offen();
        EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join('\n').toStdString();
        EXPECT_EQ(flaechen(*db), "Fl1000,Fl1001");
        EXPECT_EQ(alleZeilen(db->cnKav()), kavVorher);
        EXPECT_EQ(sql::scalar(db->cnDaten(), "PRAGMA quick_check").toString(), "ok");
        EXPECT_TRUE(beiseite().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(datei + "-journal"));
        EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2026, 11, 2), QTime(0, 0))); // Kav.KRN was not replaced
        protokoll.meldungen.clear();
    }
}

TEST_F(AbsturzBeimSchreiben, EinJournalBleibtBeiSeinerDateiUndKommtNieInEineAndere)
{
    // the file of a killed writer is gone (moved away by hand): its journal must not be played
    // back into the backup that takes the name
    ASSERT_NO_FATAL_FAILURE(mittendrinGetoetet(ordner.datenDatei(), "flaechen", 1500));
    ASSERT_TRUE(QFile::remove(ordner.datenDatei()));
    {
        auto db = std::make_unique<Datenbanken>(ordner, gebiet, e, uhr, protokoll);
        ASSERT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
        EXPECT_EQ(flaechen(*db), "Fl1000");
        EXPECT_FALSE(QFileInfo::exists(ordner.datenDatei() + "-journal"));
    }

    // a damaged file goes aside with the journal beside it, and a second damage in the same
    // second takes a name of its own
    const QByteArray journal(4096, '\0'); // not hot: SQLite leaves it where it is
    const QString defekt = ordner.datenDatei() + ".defekt-20261206100000";
    for (const QByteArray& muell : {QByteArray("erster Schaden"), QByteArray("zweiter Schaden")}) {
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.datenDatei(), muell.repeated(300)));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ordner.datenDatei() + "-journal", journal));
        auto db = std::make_unique<Datenbanken>(ordner, gebiet, e, uhr, protokoll);
        ASSERT_EQ(db->DatDBOeffnen(), Datenbanken::Ergebnis::Sicherung);
        EXPECT_EQ(flaechen(*db), "Fl1000");
        EXPECT_FALSE(QFileInfo::exists(ordner.datenDatei() + "-journal"));
    }
    EXPECT_EQ(beiseite(), QStringList({"Daten.KRN.defekt-20261206100000", "Daten.KRN.defekt-20261206100000-2",
                                       "Daten.KRN.defekt-20261206100000-2-journal",
                                       "Daten.KRN.defekt-20261206100000-journal"}));
    EXPECT_EQ(inhalt(defekt), QByteArray("erster Schaden").repeated(300));
    EXPECT_EQ(inhalt(defekt + "-2"), QByteArray("zweiter Schaden").repeated(300));
    for (const QString& d : {defekt, defekt + "-2"})
        EXPECT_EQ(inhalt(d + "-journal"), journal) << d.toStdString();

    // beside Kav.KRN, a damaged file kept with its live journal and the copy of a replacement cut
    // short: the journal stays with its file and never reaches the sound one
    const QString behalten = ordner.kavDatei() + ".defekt-20261206090000";
    ASSERT_TRUE(QFile::copy(ordner.datenDatei(), behalten));
    ASSERT_NO_FATAL_FAILURE(mittendrinGetoetet(behalten, "flaechen", 1500));
    ASSERT_TRUE(QFile::copy(ordner.kavDatei(), behalten + ".ersatz"));
    EXPECT_EQ(neu()->KavDBOeffnen(), Datenbanken::Ergebnis::Geoeffnet);
    EXPECT_TRUE(QFileInfo::exists(behalten + "-journal") && !QFileInfo::exists(behalten + ".ersatz"));
}

// The program killed at each write and each rename of a restore of the backup pair, then started:
// both files come from the backup or both are as they were, with every row, and nothing of the
// restore is left. Once its mark is written, the restore is finished at the start.
TEST_F(AbsturzBeimSchreiben, GetoeteteWiederherstellungGibtBeimStartEinGanzesPaar)
{
    QStringList vorher, gesichert;
    QMap<QString, QByteArray> dateien;
    ASSERT_NO_FATAL_FAILURE(wiederherstellungVorbereiten(vorher, gesichert, dateien));
    const QString zeit = ".vor-Wiederherstellung-20261206100000";
    const QDateTime letztes = e.datLetztesUpdate;
    QDir d(ordner.daten());
    // killed at two copies, the mark, four renames, the mark's removal; at 9 not at all
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NO_FATAL_FAILURE(datenordner(dateien));
        e.datLetztesUpdate = letztes;
        const bool durch = n == 9, vor = n > 3;
        EXPECT_EQ(getoetetBei(n, [](Datenbanken& db) { return db.SicherungWiederherstellen(nullptr); }), durch ? 0 : kGetoetet);

        protokoll.meldungen.clear();
        auto db = neu();
        const auto ergebnis = vor && !durch ? Datenbanken::Ergebnis::Sicherung : Datenbanken::Ergebnis::Geoeffnet;
        EXPECT_EQ(db->KavDBOeffnen(), ergebnis);
        EXPECT_EQ(db->DatDBOeffnen(), ergebnis);
        EXPECT_EQ(paar(*db), vor ? gesichert : vorher);
        EXPECT_EQ(e.datLetztesUpdate, vor && !durch ? datenstandAuslieferung() : letztes);
        // the next update fetches everything again, though no one saved the settings after the restore
        EXPECT_EQ(gespeichertesUpdate(), vor ? "11.02.2010" : "02.11.2026");
        EXPECT_EQ(protokoll.meldungen.size(), durch ? 0 : 1);
        EXPECT_EQ(protokoll.texte().join("").contains(vor ? "zu Ende geführt" : "rückgängig gemacht"), !durch);
        // after a finished restore the files as they were lie aside, byte for byte
        EXPECT_EQ(d.entryList(QDir::Files), vor ? QStringList({"Daten.KRN", "Daten.KRN" + zeit, "Kav.KRN", "Kav.KRN" + zeit})
                                                : QStringList({"Daten.KRN", "Kav.KRN"}));
        EXPECT_TRUE(!vor || (inhalt(ordner.kavDatei() + zeit) == dateien["Kav.KRN"]
                             && inhalt(ordner.datenDatei() + zeit) == dateien["Daten.KRN"]));
    }
}

// A journal left without its file at the name a file would go aside under: the file takes the next
// name, away from the journal that would be played back into it.
TEST_F(AbsturzBeimSchreiben, BeiseiteGelegteDateiMeidetEinenVerwaistenJournalNamen)
{
    const QString name = ordner.kavDatei() + ".vor-Wiederherstellung-20261206100000";
    const QByteArray journal = QByteArray("verwaistes Journal ").repeated(200);
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(name + "-journal", journal));
    QString grund;
    ASSERT_TRUE(offen()->SicherungWiederherstellen(&grund)) << grund.toStdString();
    EXPECT_TRUE(QFileInfo::exists(name + "-2") && !QFileInfo::exists(name));
    EXPECT_EQ(inhalt(name + "-journal"), journal);
}

// A data update that renames every picture, killed at each write of its apply (before the mark, each
// rename of the picture folders, the commit, the removal of the mark; after the apply), then a start:
// the pictures in place are those Kav.KRN names, old before the commit and new after it, and no swap
// is left open.
TEST(AbsturzBeimBildertausch, NachDemStartIstJedesBildDerZeilenDa)
{
    exchange::UpdatePaket p;
    p.lexikon = true;
    QStringList alt;
    {
        QTemporaryDir quelle;
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(quelle.filePath("Kav.KRN")));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "quelle");
        db.setDatabaseName(quelle.filePath("Kav.KRN"));
        ASSERT_TRUE(db.open());
        for (QSqlQuery q("SELECT KapitelNr, Kapitel, LetzteAenderung FROM Lexikon", db); q.next();)
            p.kapitel.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2)});
        for (QSqlQuery q("SELECT BilderNr, BildDatei, Quelle, Verweis, Reihenfolge FROM LexikonBilder", db); q.next();) {
            alt << q.value(1).toString();
            p.bilder.push_back({q.value(0), "neu-" + q.value(1).toString(), q.value(2), q.value(3), q.value(4)});
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("quelle");
    }
    ASSERT_FALSE(alt.isEmpty());
    const int fertig = 7, schritte = 8; // the removal of the mark comes after the commit
    for (int halt = 1; halt <= schritte + 1; ++halt) {
        SCOPED_TRACE(halt);
        appNeu();
        QTemporaryDir dir;
        const Programmordner o{dir.path()};
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(o.datenDatei(), Datenbankdatei::Daten));
        p.bilderOrdner = o.lexikon() + "/" + kAktualisierungsPraefix + "test";
        for (const QString& b : alt)
            for (const char* unter : {"Vorschau", "Vollbild"}) {
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(o.lexikon() + "/Bilder/" + unter + "/" + b, "alt"));
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(p.bilderOrdner + "/" + unter + "/neu-" + b, "neu"));
            }

        const pid_t kind = fork();
        if (kind == 0) { // the apply on a connection of its own, killed at its step `halt`
            int schritt = 0;
            const auto weiter = [&] {
                if (++schritt == halt)
                    std::raise(SIGKILL);
            };
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "kind");
            db.setDatabaseName(o.kavDatei());
            if (!db.open())
                _exit(2);
            QSqlQuery("PRAGMA cache_size = 1", db); // changed pages reach the file before the commit
            const bool ok = exchange::UpdateAnwenden(
                                db, p, o, QDateTime(QDate(2026, 12, 6), QTime(10, 0)),
                                [&](const QString&, const QString&) { return weiter(), true; }, [&](QStringView) { weiter(); })
                                .ok;
            weiter();
            _exit(ok ? 0 : 3);
        }
        int status = 0;
        ASSERT_EQ(waitpid(kind, &status, 0), kind);
        if (halt > schritte) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status; // every step counted
            break;
        }
        ASSERT_TRUE(WIFSIGNALED(status)) << status;

        test::MeldungsProtokoll protokoll;
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.anzeige = &protokoll;
        ASSERT_TRUE(DiensteStarten(a, dir.path(), dir.filePath("Kav.ini")));
        EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join('\n').toStdString();
        QStringList genannt;
        for (QSqlQuery q("SELECT DISTINCT BildDatei FROM LexikonBilder", a.db->cnKav()); q.next();)
            genannt << q.value(0).toString();
        EXPECT_EQ(genannt.size(), QSet<QString>(alt.begin(), alt.end()).size());
        for (const QString& b : genannt) {
            EXPECT_EQ(b.startsWith("neu-"), halt >= fertig) << b.toStdString();
            EXPECT_EQ(inhalt(o.lexikonVorschau() + "/" + b), inhalt(o.lexikonVollbild() + "/" + b)) << b.toStdString();
            EXPECT_EQ(inhalt(o.lexikonVorschau() + "/" + b), halt >= fertig ? "neu" : "alt") << b.toStdString();
        }
        EXPECT_FALSE(bildertauschOffen(p.bilderOrdner));
        EXPECT_FALSE(QFileInfo::exists(p.bilderOrdner + "/alt")); // the old pictures do not stay behind
        appNeu();
    }
}

// A mark that gives no number, even where Kav.KRN never had a swap (number 0): a picture folder
// missing from its place comes back from the staging folder, and so do the old pictures when both
// sets hold every picture Kav.KRN names (an update that kept the names), and the gardener is told.
// When neither set is whole, or a folder cannot be put back, the mark and the old pictures stay for
// the next start.
TEST(AbsturzBeimBildertausch, UnlesbareMarkeLegtDieBilderZurueck)
{
    test::DatenbankUmgebung u;
    ASSERT_NO_FATAL_FAILURE(test::referenzDatei(u.ordner.kavDatei()));
    ASSERT_NO_FATAL_FAILURE(test::leereDatei(u.ordner.datenDatei(), Datenbankdatei::Daten));
    auto db = u.offen();
    QStringList genannt;
    for (QSqlQuery q("SELECT DISTINCT BildDatei FROM LexikonBilder", db->cnKav()); q.next();)
        genannt << q.value(0).toString();
    const QString arbeit = u.ordner.lexikon() + "/" + kAktualisierungsPraefix + "test", bilder = u.ordner.lexikon() + "/Bilder";
    const QString alt = arbeit + "/alt";
    // the folders and the pictures in them beside alt/Vorschau/a.png, those in alt/ old, the others new
    const struct { const char* fall; QList<std::pair<QString, QStringList>> ordner; bool zurueck; } faelle[] = {
        {"Ordner fehlt", {}, true},
        {"gleiche Namen", {{alt + "/Vorschau", genannt}, {alt + "/Vollbild", genannt}, {bilder + "/Vorschau", genannt},
                           {bilder + "/Vollbild", genannt}}, true},
        {"keiner ganz", {{bilder + "/Vorschau", {"b.png"}}}, false},
        // the staging folder's Vorschau/ is taken
        {"Zurücklegen scheitert", {{bilder + "/Vorschau", genannt}, {arbeit + "/Vorschau", {"c.png"}}, {alt + "/Vollbild", genannt}}, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        QDir(arbeit).removeRecursively();
        QDir(bilder).removeRecursively();
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(arbeit + "/alt/Vorschau/a.png", "alt"));
        for (const auto& [o, namen] : f.ordner)
            for (const QString& n : namen)
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(o + "/" + n, o.startsWith(alt) ? "alt" : "neu"));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(arbeit + "/Bildertausch", "?"));
        const QString text = BildertauschBeenden(u.ordner, db->cnKav());
        EXPECT_EQ(text.contains("wieder an ihren Platz gelegt („Lexikon/Bilder/Vorschau“"), f.zurueck) << text.toStdString();
        EXPECT_TRUE(f.zurueck ? !QFileInfo::exists(arbeit) : bildertauschOffen(arbeit)); // else it stays for the next start
        EXPECT_EQ(inhalt((f.zurueck ? bilder : arbeit + "/alt") + "/Vorschau/a.png"), "alt");
    }
}

// The program killed at each copy and rename of a backup, the first one and a later one, then
// started, also after a start killed at each step of settling what the backup left: no backup or a
// whole pair (the new one, or after a later backup the previous one), and no copy or previous file
// left over.
TEST_F(AbsturzBeimSchreiben, GetoeteteSicherungHinterlaesstEinGanzesPaarOderKeines)
{
    QDir s(ordner.sicherungen());
    const auto paar = [&] { return QByteArrayList{inhalt(s.filePath("Kav.PVQ")), inhalt(s.filePath("Daten.PVQ"))}; };
    const QByteArrayList alt = paar(), neues{inhalt(ordner.kavDatei()), inhalt(ordner.datenDatei())};
    // the first backup: two copies, two renames; a later one puts the previous pair aside first and
    // removes it last
    for (const bool erste : {true, false}) {
        const int ende = erste ? 5 : 9;
        for (int n = 1; n <= ende; ++n)
        for (int m = 0, start = kGetoetet; start != 0 && (m == 0 || n < ende); ++m) { // m: the start killed
            SCOPED_TRACE(testing::Message() << (erste ? "erste Sicherung, " : "spätere Sicherung, ") << n << ", Start " << m);
            for (const QString& f : s.entryList(QDir::Files))
                s.remove(f);
            for (int i = 0; i < 2 && !erste; ++i)
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(s.filePath(i ? "Daten.PVQ" : "Kav.PVQ"), alt[i]));
            EXPECT_EQ(getoetetBei(n, [](Datenbanken& db) { return db.DatenSichern(); }), n == ende ? 0 : kGetoetet);
            start = m > 0 ? getoetetBei(m, nullptr) : kGetoetet;

            offen().reset();
            // once its first new file is in place, a first backup is finished; a later one once both are
            const bool neuesPaar = n >= (erste ? 4 : 7), keines = erste && !neuesPaar;
            EXPECT_EQ(s.entryList(QDir::Files).join(' ').toStdString(), keines ? "" : "Daten.PVQ Kav.PVQ");
            EXPECT_TRUE(keines || paar() == (neuesPaar ? neues : alt));
        }
    }
}

// A data update killed while its changes were still in memory leaves a journal without a header,
// which SQLite never rolls back: the next start removes it, and the file has every row. The journal
// of another program's transaction still open, its pages in its memory, looks the same: a start
// leaves it, and the other program commits. Held with the pages in the file past the wait, the file
// is said to be in use and nothing is replaced.
TEST_F(AbsturzBeimSchreiben, TotesJournalGehtBeimStart)
{
    const QStringList kavVorher = alleZeilen(offen()->cnKav());
    for (const int halt : {1, 10, 50}) {
        ASSERT_NO_FATAL_FAILURE(mittendrinGetoetet(ordner.kavDatei(), "aktualisierung", halt, true));
        EXPECT_EQ(alleZeilen(offen()->cnKav()), kavVorher) << halt;
        EXPECT_FALSE(QFileInfo::exists(ordner.kavDatei() + "-journal")) << halt;
    }
    for (const bool imSpeicher : {false, true}) {
        SCOPED_TRACE(imSpeicher);
        QProcess anderer;
        anderer.start(KAV_SCHREIBKIND, QStringList{ordner.datenDatei(), "flaechen", "40", "festschreiben"}
                                           + (imSpeicher ? QStringList{"im-speicher"} : QStringList()));
        QByteArray aus;
        while (!aus.contains("angehalten") && anderer.waitForReadyRead(30000))
            aus += anderer.readAllStandardOutput();
        ASSERT_EQ(inhalt(ordner.datenDatei() + "-journal").left(1) == QByteArray(1, '\0'), imSpeicher);
        protokoll.meldungen.clear();
        EXPECT_EQ(neu()->DatDBOeffnen() == Datenbanken::Ergebnis::Geoeffnet, imSpeicher);
        EXPECT_EQ(protokoll.texte().join("").contains("Ein anderes Programm bearbeitet sie gerade"), !imSpeicher);
        EXPECT_EQ(QDir(ordner.daten()).entryList({"Daten.KRN*"}, QDir::Files), QStringList({"Daten.KRN", "Daten.KRN-journal"}));
        if (imSpeicher)
            anderer.write("\n");
        else
            anderer.kill(); // the next writer rolls it back
        ASSERT_TRUE(anderer.waitForFinished(30000));
        EXPECT_TRUE(!imSpeicher || anderer.exitCode() == 0) << anderer.readAllStandardError().toStdString();
    }
    EXPECT_EQ(sql::scalar(gestartet()->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 42);
}

// A start that found a file damaged, killed before or right after each step of putting the backup
// in its place (its copy, the mark of the message, the damaged file aside, the copy in, the mark's
// removal), then a start: the file is the backup, the damaged file lies aside once as it was, and
// after Kav.KRN the next update fetches everything. Until its message was shown, the next start says
// that the file was damaged, from which backup it comes and where it lies.
TEST_F(AbsturzBeimSchreiben, GetoeteterErsatzEinerBeschaedigtenDatei)
{
    const QStringList kavSicherung = alleZeilen(offen()->cnKav());
    const QByteArray muell = QByteArray("beschädigt ").repeated(400);
    for (const bool kav : {true, false})
    for (int n = 1; n <= 6; ++n) {
        const QString datei = kav ? ordner.kavDatei() : ordner.datenDatei(), defekt = datei + ".defekt-20261206100000";
        for (const bool danach : {false, true}) {
            SCOPED_TRACE(testing::Message() << dateiname(datei).toStdString() << " " << n << (danach ? " danach" : " davor"));
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(datei, muell));
            einstellungsDatei.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "02.11.2026");
            ASSERT_TRUE(einstellungsDatei.sync());
            EXPECT_EQ(getoetetBei(n, nullptr, danach), n == 6 ? 0 : kGetoetet);
            protokoll.meldungen.clear();
            auto db = gestartet();
            EXPECT_EQ(alleZeilen(db->cnKav()), kavSicherung);
            EXPECT_EQ(flaechen(*db), kav ? "Fl1000,Fl1001" : "Fl1000");
            EXPECT_EQ(gespeichertesUpdate(), kav ? "11.02.2010" : "02.11.2026");
            EXPECT_EQ(QDir(ordner.daten()).entryList(QDir::Files).size(), 3); // the damaged file beside both
            EXPECT_EQ(inhalt(defekt), muell);
            const QString t = protokoll.texte().join("");
            EXPECT_EQ(t.startsWith(dateiname(datei).left(3) + "-DB war beschädigt, ersetzt mit der Sicherungsdatei vom 06.12.2026\n\n"
                                   "Einträge, die nach dem 06.12.2026 um 10:00") && t.endsWith("„Daten/" + dateiname(defekt) + "“ aufbewahrt."),
                      n < 5 || (n == 5 && !danach)) << t.toStdString();
            QFile::remove(defekt);
        }
    }
}

// Every state a killed restore leaves, with the file it puts in for Daten.KRN damaged too, then a
// start killed at each step of settling it, then a start: both files come from the backup once the
// mark was written (and nothing is damaged), else both are as they were; nothing of the restore is left.
TEST_F(AbsturzBeimSchreiben, GetoeteterStartBeendetDieWiederherstellungZuEinemPaar)
{
    QStringList vorher, gesichert;
    QMap<QString, QByteArray> dateien;
    ASSERT_NO_FATAL_FAILURE(wiederherstellungVorbereiten(vorher, gesichert, dateien));
    const QString kopie = ordner.datenDatei() + ".wiederherstellen", zeit = ".vor-Wiederherstellung-20261206100000";
    for (int k = 1; k <= 8; ++k) {
        for (int m = 1, kaputt = 0; kaputt < (k > 3 ? 2 : 1); ++m) {
            SCOPED_TRACE(testing::Message() << k << (kaputt ? " beschädigt, Start " : ", Start ") << m);
            ASSERT_NO_FATAL_FAILURE(datenordner(dateien));
            ASSERT_EQ(getoetetBei(k, [](Datenbanken& db) { return db.SicherungWiederherstellen(nullptr); }), kGetoetet);
            if (kaputt)
                test::schreibeDatei(QFileInfo::exists(kopie) ? kopie : ordner.datenDatei(), "beschädigt");
            const int start = getoetetBei(m, nullptr);
            protokoll.meldungen.clear();
            const bool vor = k > 3 && !kaputt;
            EXPECT_EQ(paar(*gestartet()), vor ? gesichert : vorher);
            // the date is stored before the mark goes (step 8): a roll back after that leaves it, harmlessly
            EXPECT_EQ(gespeichertesUpdate(), vor || k == 8 ? "11.02.2010" : "02.11.2026");
            EXPECT_EQ(QDir(ordner.daten()).entryList(QDir::Files),
                      vor ? QStringList({"Daten.KRN", "Daten.KRN" + zeit, "Kav.KRN", "Kav.KRN" + zeit}) : QStringList({"Daten.KRN", "Kav.KRN"}));
            for (const QString& t : protokoll.texte())
                EXPECT_TRUE(t.contains(vor ? "zu Ende geführt" : "rückgängig gemacht")) << t.toStdString();
            if (start == 0)
                m = 0, ++kaputt;
        }
    }
}

// A restore killed once its mark was written, then a start (also after a start killed at each of its
// steps) that finds what it would finish unsound or unsafe: a damaged copy, a name in the mark leading
// out of the data folder, another file at the name a file goes aside under; or, once both files were
// put in, one of them damaged. It rolls back and touches nothing but the restore's files and mark: the
// journal of a file it put in goes with that file. A journal left at the file's path without its file
// never reaches the file put in: the restore is finished, and the file set aside keeps its rows with it.
TEST_F(AbsturzBeimSchreiben, UnterbrocheneWiederherstellungFolgtNurEinerSicherenMarke)
{
    QStringList vorher, gesichert;
    QMap<QString, QByteArray> dateien;
    ASSERT_NO_FATAL_FAILURE(wiederherstellungVorbereiten(vorher, gesichert, dateien));
    const QString beiseite = ordner.kavDatei() + ".vor-Wiederherstellung-20261206100000";
    const QByteArray fremd("eine andere Datei");
    // killed at the mark's first rename (4), or before its removal (8)
    const struct { const char* fall; std::function<void()> danach; bool vor; int getoetet = 4; } faelle[] = {
        {"Kopie beschädigt", [&] { test::schreibeDatei(ordner.datenDatei() + ".wiederherstellen", fremd); }, false},
        {"Name führt hinaus", [&] {
             QDir().mkpath(ordner.kavDatei() + ".vor-Wiederherstellung-1");
             test::schreibeDatei(ordner.daten() + "/Wiederherstellung.laeuft", "Kav.KRN=Kav.KRN.vor-Wiederherstellung-1/../../x\n"
                                 "Daten.KRN=Daten.KRN.vor-Wiederherstellung-20261206100000\n");
         }, false},
        {"fremde Datei am Namen", [&] { test::schreibeDatei(beiseite, fremd); }, false},
        {"Journal ohne Datei", [&] {
             mittendrinGetoetet(ordner.kavDatei(), "aktualisierung", 20);
             QFile::rename(ordner.kavDatei(), beiseite); // the file aside, its journal not
         }, true},
        {"Journal der eingesetzten Datei", [&] {
             test::schreibeDatei(ordner.kavDatei(), fremd);
             mittendrinGetoetet(ordner.datenDatei(), "flaechen", 1500);
         }, false, 8},
    };
    for (const auto& f : faelle) {
        for (int m = 0, start = kGetoetet; start != 0; ++m) {
            SCOPED_TRACE(testing::Message() << f.fall << ", Start " << m);
            ASSERT_NO_FATAL_FAILURE(datenordner(dateien));
            ASSERT_EQ(getoetetBei(f.getoetet, [](Datenbanken& db) { return db.SicherungWiederherstellen(nullptr); }), kGetoetet);
            ASSERT_NO_FATAL_FAILURE(f.danach());
            start = m > 0 ? getoetetBei(m, nullptr) : kGetoetet;
            protokoll.meldungen.clear();
            EXPECT_EQ(paar(*gestartet()), f.vor ? gesichert : vorher);
            const QString satz = f.vor ? "jetzt zu Ende geführt: Beide Datenbanken sind auf dem Stand der Sicherung vom "
                                         "06.12.2026 um 10:00 Uhr."
                                       : "rückgängig gemacht: Beide Datenbanken sind so, wie sie vor der Wiederherstellung waren.";
            EXPECT_TRUE(m > 0 || protokoll.texte() == QStringList("Die Wiederherstellung der letzten Datensicherung wurde "
                                                                  "unterbrochen und " + satz)) << protokoll.texte().join("").toStdString();
            EXPECT_FALSE(QFileInfo::exists(dir.filePath("x"))); // nothing went out of the data folder
            EXPECT_EQ(QDir(ordner.daten()).entryList({"*.wiederherstellen", "Wiederherstellung.*", "*.KRN-journal"}, QDir::Files), QStringList());
            EXPECT_EQ(inhalt(beiseite) == fremd, QString(f.fall) == "fremde Datei am Namen");
            if (f.vor) { // the file set aside, opened with its journal, has its rows
                QSqlDatabase b = QSqlDatabase::addDatabase("QSQLITE", "beiseite");
                b.setDatabaseName(beiseite);
                EXPECT_TRUE(b.open() && alleZeilen(b) == vorher.mid(0, vorher.indexOf("--")));
                b = QSqlDatabase();
                QSqlDatabase::removeDatabase("beiseite");
            }
        }
    }
}

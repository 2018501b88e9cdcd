#include "platform/instanzsperre.h"
#include "platform/settingsstore.h"
#include "services/appcontext.h"
#include "plots/flaechendaten.h"
#include "services/datenbanken.h"
#include "services/programmstart.h"
#include "services/server.h"
#include "services/sql.h"
#include "testhelpers.h"
#include "zwischenstelle.h"
#include "programmstartfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

using namespace kav;

using test::ProgrammStartTest;
using test::Schreibschutz;

// Passing results on is set and the server has stopped answering (connections accepted, nothing comes
// back): the start does not wait for the connection, which is made on the server's own thread: it is
// still under way when the start is over, and made once the server answers again.
TEST_F(ProgrammStartTest, StartWartetNichtAufDenServer)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    test::Zwischenstelle halt(cfg.host, cfg.port);
    halt.anhalten();
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(
        dir.filePath("Server.ini"),
        QString("[Server]\nAdresse=127.0.0.1\nPort=%1\nBenutzer=%2\nPasswort=%3\nVerbindenSekunden=10\n")
            .arg(halt.port())
            .arg(cfg.user, cfg.password)
            .toUtf8()));
    SettingsStore(ini()).RegistrySchreiben(schluessel::datenbank, "DatenAufServer", "Wahr");
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return halt.verbindungen() >= 2; }, 10000)); // reachable, then connecting
    halt.weiter();
    EXPECT_TRUE(test::uploadVerbunden(*a.server, kDatenerfassung)); // a start that waited would have given up
}

TEST_F(ProgrammStartTest, ErsterUndZweiterStart)
{
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    const QString id = a.einstellungen.strProgrammID;
    EXPECT_EQ(id.size(), 18);
    EXPECT_TRUE(id.startsWith("06122026091530"));
    EXPECT_TRUE(a.db->cnKav().isOpen() && a.db->cnDaten().isOpen());

    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.daten() + "/tmpDokument_06122026091600.pdf", "%PDF"));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.daten() + "/Notiz.pdf", "%PDF"));
    const QString skript = a.ordner.daten() + "/mysql_stop.sh"; // still running at the next start, without the lock
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(skript, "touch \"$0.laeuft\"\nwhile [ -e \"$0\" ]; do sleep 0.1; done\n"));
    DiensteBeenden(a);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(skript + ".laeuft"); }, 10000));
    EXPECT_EQ(QDir(a.ordner.daten()).entryList({"*.pdf"}), QStringList({"Notiz.pdf"}));
    EXPECT_TRUE(QFileInfo::exists(a.ordner.sicherungen() + "/Kav.PVQ")); // first backup
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::version, "Version"), programmVersion());

    AppContext& b = neuerStart(QDateTime(QDate(2026, 12, 7), QTime(8, 0))); // the settings come back
    ASSERT_TRUE(DiensteStarten(b, dir.path(), ini()));
    EXPECT_EQ(b.einstellungen.strProgrammID, id); // made once only
    EXPECT_EQ(b.einstellungen.datLetzteDS, QDate(2026, 12, 6));
    DiensteBeenden(b);
}

TEST_F(ProgrammStartTest, FehlgeschlageneSicherungHaeltDasSpeichernNichtAuf)
{
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.sicherungen(), "Datei statt Ordner"));
    a.rahmen.strFensterZeigen = "NPK2";
    DiensteBeenden(a);
    EXPECT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::fenster, "strFensterZeigen"), "NPK2");
    EXPECT_FALSE(QSqlDatabase::database("cnKav", false).isOpen());
}

TEST_F(ProgrammStartTest, UnrettbareDateiHaeltDenStartAn)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.path() + "/Daten/Kav.KRN", "kaputt"));
    QFile::remove(dir.path() + "/Daten/Standard/Kav.KRN");
    EXPECT_FALSE(DiensteStarten(neuerStart(), dir.path(), ini()));
    EXPECT_EQ(protokoll.meldungen.size(), 1);
}

// Kav.KRN damaged and replaced at start: the date of the last update is that of the shipped data at
// once, in the settings file too (a crash of this run does not bring the old date back).
TEST_F(ProgrammStartTest, ErsetzteStammdatenWerdenBeimNaechstenUpdateGanzGeholt)
{
    {
        SettingsStore s(ini());
        s.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "02.11.2026");
        ASSERT_TRUE(s.sync());
    }
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.path() + "/Daten/Kav.KRN", "kaputt"));
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    EXPECT_EQ(a.einstellungen.datLetztesUpdate, datenstandAuslieferung());
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::datenbank, "datLetztesUpdate"), "11.02.2010");
    a.diensteSchliessen();
}


// A data folder or file that cannot be written: one German warning at start, the data still read;
// a write says what was not stored, never the driver's text.
TEST_F(ProgrammStartTest, SchreibgeschuetzteDatenEineWarnungUndDeutscheSaetze)
{
    for (const bool ordner : {true, false}) {
        SCOPED_TRACE(ordner ? "Ordner" : "Datei");
        protokoll.meldungen.clear();
        AppContext& a = neuerStart();
        a.ordner.basis = dir.path();
        const Schreibschutz schutz(dir.path(), a.ordner.daten(), ordner ? a.ordner.daten() : a.ordner.datenDatei(), ordner);
        ASSERT_TRUE(schutz.wirksam());
        ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
        ASSERT_EQ(protokoll.meldungen.size(), 1);
        const Meldung& m = protokoll.meldungen[0];
        EXPECT_EQ(m.symbol, Meldung::Symbol::Warnung);
        EXPECT_TRUE(m.text.contains(ordner ? "den Ordner „" + QDir::toNativeSeparators(a.ordner.daten()) + "“"
                                           : QString("die Datei „Daten.KRN“")))
            << m.text.toStdString();
        EXPECT_TRUE(m.text.contains("werden angezeigt"));
        EXPECT_EQ(sql::scalar(a.db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 0); // still read

        FlaechenEingabe e;
        e.Bezeichnung = "Beet";
        const Schreibergebnis r = FlaechenDaten(a.db->cnDaten(), a.gebiet, *a.uhr, a.zufall).flaecheNeu(e, "0");
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.meldung.text.startsWith("Die Fläche konnte nicht gespeichert werden. Es wurde nichts verändert."));
        EXPECT_TRUE(r.meldung.text.contains("schreibgeschützt"));
        EXPECT_FALSE(r.meldung.text.contains("readonly") || r.meldung.text.contains("INSERT"));
        a.diensteSchliessen();
    }
}

// Settings that cannot be written are not lost silently: the message names the file.
TEST_F(ProgrammStartTest, NichtSchreibbareEinstellungenNennenIhreDatei)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("gesperrt"), "eine Datei, kein Ordner"));
    const QString pfad = dir.filePath("gesperrt/Kav.ini");
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), pfad));
    DiensteBeenden(a);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].text,
              "Die Einstellungen konnten nicht gespeichert werden: In die Datei „" + QDir::toNativeSeparators(pfad)
                  + "“ darf das Programm nicht schreiben.\n\nBeim nächsten Start gelten die zuletzt gespeicherten "
                    "Einstellungen.");
}

// One program per data folder: a second start (in this process, in a program folder that cannot be
// written, while another process holds the folder) is told so and opens nothing; the lock of a killed
// program does not stop the next start.
TEST_F(ProgrammStartTest, ZweiterStartAufDemselbenDatenordnerEndetVorJederDatei)
{
    for (const bool schreibgeschuetzt : {false, true}) {
        std::optional<Schreibschutz> schutz;
        if (schreibgeschuetzt) {
            ASSERT_TRUE(schutz.emplace(dir.path(), dir.path() + "/Daten", dir.path(), true).wirksam());
        }
        ASSERT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini()));
        zweiterStartAbgewiesen();
        appNeu();
    }
    QProcess anderer;
    anderer.start(KAV_SPERRKIND, {dir.path()});
    ASSERT_TRUE(meldet(anderer, "gesperrt"));
    zweiterStartAbgewiesen();
    anderer.kill();
    ASSERT_TRUE(anderer.waitForFinished(30000));
    EXPECT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini()));
}

// A write cut short (its journal beside the file) in a file or folder that cannot be written: the start
// ends saying what must be writable, never that the file is damaged, and nothing is replaced.
TEST_F(ProgrammStartTest, UnterbrochenerSchreibvorgangOhneSchreibrechtIstKeinSchaden)
{
    const QString daten = dir.path() + "/Daten";
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/Kav.sperre", "")); // the lock file of an earlier start
    for (const bool ordner : {true, false}) {
        QProcess schreiber;
        schreiber.start(KAV_SCHREIBKIND, {daten + "/Daten.KRN", "flaechen", "1500"});
        ASSERT_TRUE(meldet(schreiber, "angehalten"));
        schreiber.kill();
        ASSERT_TRUE(schreiber.waitForFinished(30000) && QFileInfo::exists(daten + "/Daten.KRN-journal"));
        const QStringList vorher = QDir(daten).entryList(QDir::Files);
        protokoll.meldungen.clear();
        {
            const Schreibschutz schutz(dir.path(), daten, ordner ? daten : daten + "/Daten.KRN", ordner);
            ASSERT_TRUE(schutz.wirksam());
            EXPECT_FALSE(DiensteStarten(neuerStart(), dir.path(), ini()));
            appNeu();
        }
        const QString text = protokoll.texte().join("");
        EXPECT_TRUE(text.contains(ordner ? "den Ordner „" + daten + "“" : QString("die Datei „Daten.KRN“"))
                    && !text.contains("beschädigt")) << text.toStdString();
        EXPECT_EQ(QDir(daten).entryList(QDir::Files), vorher);
    }
}

// A lock file that an earlier version left beside Daten/ decides nothing: garbage, an empty file (a
// power cut while it was written), a dead program on another computer's name (a copy of the program
// folder, a renamed computer), process 0 on this computer.
TEST_F(ProgrammStartTest, AlteSperrdateiHaeltKeinenStartAuf)
{
    QByteArray zufall(300, '\0');
    for (char& c : zufall)
        c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    const QByteArray rechner = QSysInfo::machineHostName().toUtf8();
    for (const QByteArray& alt : {zufall, QByteArray(), QByteArray("999999\nkav\nanderer-rechner\n"), "0\nkav\n" + rechner + "\n"}) {
        SCOPED_TRACE(alt.toHex().left(40).toStdString());
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.filePath("Kav.lock"), alt));
        protokoll.meldungen.clear();
        EXPECT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini()));
        EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join("").toStdString();
        appNeu();
    }
}

namespace {

// Sets the times of `pfad` and of everything below it an hour back.
void eineStundeZurueck(const QString& pfad)
{
    const timespec zeit{::time(nullptr) - 3600, 0};
    const timespec zeiten[2] = {zeit, zeit};
    QDirIterator it(pfad, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        ::utimensat(AT_FDCWD, QFile::encodeName(it.next()).constData(), zeiten, AT_SYMLINK_NOFOLLOW);
    ::utimensat(AT_FDCWD, QFile::encodeName(pfad).constData(), zeiten, 0);
}

} // namespace

// Another process holds the data folder: the start is refused whatever the rights of the program
// folder and the runtime folder (XDG_RUNTIME_DIR) of each process, two accounts alike, and however
// long the lock has been held. A kernel lock has no age: the case "held for an hour" sets every time
// on the disk an hour back, which is all that a lock judged by age could go by.
TEST_F(ProgrammStartTest, ZweiProzesseTeilenNieEinenDatenordner)
{
    // runtime folders as the system makes them: 0700, of the user who runs with the folder read-only
    QTemporaryDir laufzeit;
    ::chmod(QFile::encodeName(laufzeit.path()).constData(), 0755);
    for (const char* n : {"a", "b"}) {
        const QByteArray pfad = QFile::encodeName(laufzeit.filePath(n));
        ASSERT_EQ(::mkdir(pfad.constData(), 0700), 0);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(pfad.constData(), 65534, 65534), 0);
        }
    }
    const QByteArray vorher = qgetenv("XDG_RUNTIME_DIR");
    const struct {
        const char* was;
        bool geschuetzt; // the program folder read-only when the other process starts
        bool bleibtGeschuetzt;
        const char *laufzeitAnderer, *laufzeitHier; // nullptr: not set
        bool eineStunde;
    } faelle[] = {{"Laufzeitordner gesetzt und nicht", true, true, "a", nullptr, false},
                  {"zwei Laufzeitordner", true, true, "a", "b", false},
                  {"erst schreibgeschützt, dann schreibbar", true, false, "a", "a", false},
                  {"seit einer Stunde gehalten", false, false, "a", "a", true}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        std::optional<Schreibschutz> schutz;
        if (f.geschuetzt) {
            ASSERT_TRUE(schutz.emplace(dir.path(), dir.path() + "/Daten", dir.path(), true).wirksam());
        }
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("XDG_RUNTIME_DIR", laufzeit.filePath(f.laufzeitAnderer));
        QProcess anderer;
        anderer.setProcessEnvironment(umgebung);
        anderer.start(KAV_SPERRKIND, {dir.path()});
        ASSERT_TRUE(meldet(anderer, "gesperrt"));
        if (!f.bleibtGeschuetzt)
            schutz.reset();
        if (f.laufzeitHier)
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(laufzeit.filePath(f.laufzeitHier)));
        else
            qunsetenv("XDG_RUNTIME_DIR");
        if (f.eineStunde) {
            eineStundeZurueck(dir.path());
            eineStundeZurueck(laufzeit.path());
        }
        zweiterStartAbgewiesen();
        appNeu();
        if (vorher.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", vorher);
        schutz.reset();
        anderer.kill();
        ASSERT_TRUE(anderer.waitForFinished(30000));
    }
    EXPECT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini())); // the killed process holds nothing
}

// A data folder that may be written and searched but not read cannot be locked: the start is refused,
// naming the folder and the right, before any file is opened (unlocked, two programs could share it).
TEST_F(ProgrammStartTest, DatenordnerOhneLeserechtStartetNicht)
{
    const QString daten = dir.path() + "/Daten";
    {
        const Schreibschutz schutz(dir.path(), daten, daten, true, 0333);
        ASSERT_TRUE(schutz.wirksam());
        AppContext& a = neuerStart();
        EXPECT_FALSE(DiensteStarten(a, dir.path(), ini()) || a.server || a.store || a.db);
        appNeu();
    }
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    const QString text = protokoll.meldungen[0].text;
    EXPECT_TRUE(text.startsWith("Kav kann nicht starten: Den Datenordner „" + daten + "“ darf das Programm nicht "
                                "lesen."));
    EXPECT_TRUE(text.contains("dass Sie den Ordner „" + daten + "“ lesen dürfen"));
}

// Where the file system takes a lock as a write lock, which a descriptor opened for reading cannot take
// (a network file system), the lock file keeps a second start out; the folder's lock keeps out a
// program that may not write the lock file while another holds it. Where nothing can be locked, the
// start says so, naming the folder and the reason (the lock file's own where it is one), and goes on.
TEST_F(ProgrammStartTest, SperreAufNetzlaufwerkOderEineWarnung)
{
    const QString daten = dir.path() + "/Daten";
    const InstanzSperre::Sperren netz = [](int fd, int op) { // no lock through a descriptor opened for reading
        return (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY ? (errno = EBADF, -1) : ::flock(fd, op);
    };
    const InstanzSperre::Sperren keine = [](int, int) { return errno = ENOLCK, -1; };
    const QString sperre = daten + "/Kav.sperre", ziel = dir.filePath("Ziel");
    // what lies at Kav.sperre before the start; `geschuetzt` not writable before the start when `vorher`,
    // else (and only where the lock held) after it; the reason the warning names, none where it held
    enum { Nichts, Datei, Ordner, Verknuepfung };
    const struct { const char* was; InstanzSperre::Sperren sperren; int lage; QString geschuetzt; bool vorher; QString grund; } faelle[] = {
        {"Netzlaufwerk", netz, Nichts, {}, false, {}},
        {"Netzlaufwerk, Datenordner schreibgeschützt", netz, Nichts, daten, true,
         "Die Sperrdatei „" + sperre + "“ fehlt, und im Ordner darf das Programm sie nicht anlegen."},
        {"Netzlaufwerk, Sperrdatei schreibgeschützt", netz, Datei, sperre, true,
         "Die Sperrdatei „" + sperre + "“ darf das Programm nicht beschreiben."},
        {"Netzlaufwerk, ein Ordner als Sperrdatei", netz, Ordner, {}, false, "An der Stelle der Sperrdatei „" + sperre + "“ liegt ein Ordner."},
        {"Netzlaufwerk, eine Verknüpfung ins Leere", netz, Verknuepfung, {}, false,
         "An der Stelle der Sperrdatei „" + sperre + "“ liegt eine Verknüpfung."},
        {"keine Sperren", keine, Nichts, {}, false, "Das Dateisystem dort lässt es nicht zu"},
        {"Sperrdatei nicht beschreibbar", {}, Nichts, sperre, false, {}}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        QFile::remove(sperre); // no program ran here yet
        QDir().rmdir(sperre);
        if (f.lage == Datei) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(sperre, {}));
        }
        ASSERT_TRUE(f.lage != Ordner || QDir().mkdir(sperre));
        ASSERT_TRUE(f.lage != Verknuepfung || QFile::link(ziel, sperre));
        std::optional<Schreibschutz> schutz;
        const auto schuetzen = [&] { return schutz.emplace(dir.path(), daten, f.geschuetzt, f.geschuetzt == daten).wirksam(); };
        if (f.vorher) {
            ASSERT_TRUE(schuetzen());
        }
        protokoll.meldungen.clear();
        AppContext& a = neuerStart();
        a.sperren = f.sperren;
        ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
        const QString text = protokoll.texte().join("\n");
        EXPECT_EQ(text.startsWith("Kav kann den Datenordner „" + daten + "“ nicht sperren: " + f.grund), !f.grund.isEmpty())
            << text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(ziel)); // a link is never followed
        if (f.grund.isEmpty() && !f.geschuetzt.isEmpty()) {
            ASSERT_TRUE(schuetzen());
        }
        if (f.grund.isEmpty())
            zweiterStartAbgewiesen();
        appNeu();
    }
    QFile::remove(sperre);
}

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

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <thread>

using namespace kav;

namespace {

class ProgrammStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Programmordner o{dir.path()};
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavStandard()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(o.datenDatei(), Datenbankdatei::Daten));
    }
    void TearDown() override { appNeu(); }
    AppContext& neuerStart(const QDateTime& jetzt = QDateTime(QDate(2026, 12, 6), QTime(9, 15, 30)))
    {
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.uhr = std::make_shared<FixedClock>(jetzt);
        a.anzeige = &protokoll;
        return a;
    }
    QString ini() const { return dir.filePath("config/Kav.ini"); }
    // A second start on the same data folder: told so, nothing opened.
    void zweiterStartAbgewiesen()
    {
        AppContext zweiter;
        zweiter.anzeige = &protokoll;
        protokoll.meldungen.clear();
        EXPECT_FALSE(DiensteStarten(zweiter, dir.path(), ini()) || zweiter.server || zweiter.store || zweiter.db);
        EXPECT_TRUE(protokoll.texte().join("").startsWith("Kav läuft bereits mit dem Datenordner „" + dir.path() + "/Daten“."));
    }
    // Every file of the program folder with its content, but the lock file, which a start leaves.
    QMap<QString, QByteArray> dateien() const
    {
        QMap<QString, QByteArray> out;
        for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            if (const QString pfad = it.next(); !pfad.endsWith("/Daten/Kav.sperre"))
                out[QDir(dir.path()).relativeFilePath(pfad)] = test::inhalt(pfad);
        return out;
    }
    // True once `p` has written `zeile`, in however many pieces it comes.
    static bool meldet(QProcess& p, const QByteArray& zeile)
    {
        QByteArray aus;
        while (!aus.contains(zeile) && p.waitForReadyRead(30000))
            aus += p.readAllStandardOutput();
        return aus.contains(zeile);
    }

    QTemporaryDir dir;
    test::MeldungsProtokoll protokoll;
};

} // namespace

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

namespace {

// While it lives, `pfad` cannot be written by the test (or has `modus`). Modes do not stop root: then
// the test runs as "nobody" meanwhile (the folder above opened for reading) and is root again afterwards.
class Schreibschutz {
public:
    Schreibschutz(const QString& oben, const QString& daten, const QString& pfad, bool ordner, mode_t modus = 0)
        : m_pfad(pfad), m_ordner(ordner)
    {
        // everything else open to the test's user, whoever that is
        ::chmod(QFile::encodeName(oben).constData(), 0755);
        ::chmod(QFile::encodeName(daten).constData(), 0777);
        for (const QString& f : QDir(daten).entryList(QDir::Files))
            ::chmod(QFile::encodeName(daten + "/" + f).constData(), 0666);
        ::chmod(QFile::encodeName(pfad).constData(), modus ? modus : ordner ? 0555 : 0444);
        m_root = ::geteuid() == 0;
        if (m_root)
            m_gewechselt = ::setresuid(65534, 65534, 0) == 0;
    }
    ~Schreibschutz()
    {
        if (m_gewechselt) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
        }
        ::chmod(QFile::encodeName(m_pfad).constData(), m_ordner ? 0755 : 0644);
    }
    bool wirksam() const { return !m_root || m_gewechselt; }

private:
    QString m_pfad;
    bool m_ordner;
    bool m_root = false;
    bool m_gewechselt = false;
};

} // namespace

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

// True while the thread `faden` of this process waits to open a named pipe, or on one (where the
// kernel tells; else never).
bool wartetAmRohr(pid_t faden)
{
    QFile wchan(QString("/proc/self/task/%1/wchan").arg(faden));
    if (!wchan.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wo = wchan.readAll();
    return wo == "wait_for_partner" || wo.startsWith("pipe_");
}

// Nothing in the data folder holds the start or passes for damage: a named pipe, link or device in
// place of the lock file, of the restore's mark or the temporary file it is written as, of a journal
// or of a database, or a journal or database that may not be read (another account's file), is never
// opened (a helper opens each end of a pipe once the start waits on it, or after a minute, so that a
// start held there goes on and the test fails instead of hanging). The folder's lock keeps a second
// start out all the same; the mark is told and no backup is made while it is there; the database is
// not opened, and the start says why and what to do. No file changes, and nothing is set aside.
TEST_F(ProgrammStartTest, RohrImDatenordnerHaeltDenStartNicht)
{
    const QString daten = dir.path() + "/Daten", ziel = dir.filePath("Protokoll");
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "Protokoll eines Schreibvorgangs")); // what a link leads to
    enum { Rohr, Verknuepfung, Geraet, Unlesbar };
    const QString markeText = "An der Stelle „Daten/%1“, an der Kav während einer Wiederherstellung der Datensicherung "
                              "ihre Markierung ablegt, liegt %2. Das Programm liest es nicht, und solange es da ist, wird "
                              "keine Sicherung gemacht oder wiederhergestellt.";
    const auto marke = [&](const char* was) {
        return markeText.arg("Wiederherstellung.laeuft", was)
               + " Beide Datenbanken bleiben, wie sie sind.\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft“.";
    };
    const auto tmp = [&](const char* was) {
        return markeText.arg("Wiederherstellung.laeuft.tmp", was)
               + "\n\nBitte entfernen Sie „Daten/Wiederherstellung.laeuft.tmp“.";
    };
    const auto datenbank = [&](const char* datei, const QString& was, const QString& bitte) {
        return "Die Datenbank " + daten + "/" + datei + " kann nicht geöffnet werden: " + was
               + " An der Datenbank wurde nichts verändert.\n\n" + bitte
               + " Bis dahin kann das Programm nicht arbeiten und wird beendet.";
    };
    const QString anlage = " An dieser Stelle legt das Programm beim Schreiben eine Protokolldatei an; ";
    const auto neben = [&](const char* datei, const char* begleiter, int art) {
        const QString name = daten + "/" + datei + begleiter;
        const QString was = art == Rohr ? "keine Datei." + anlage + "was dort liegt, liest es nicht."
                            : art == Verknuepfung
                                ? "eine Verknüpfung." + anlage + "einer Verknüpfung folgt es dort nicht."
                                : "eine Datei, die das Programm nicht lesen darf." + anlage
                                      + "ohne sie zu lesen, kann es nicht feststellen, ob die Datenbank vollständig ist.";
        const QString bitte = art == Rohr ? "Bitte entfernen Sie „" + name + "“ und starten Sie Kav dann neu."
                              : art == Verknuepfung
                                  ? "Bitte verschieben Sie die Verknüpfung „" + name + "“ an einen anderen Ort (die Datei, "
                                    "auf die sie verweist, behalten Sie) und starten Sie Kav dann neu."
                                  : "Bitte sorgen Sie dafür, dass Sie die Datei „" + name
                                        + "“ lesen und beschreiben dürfen, und starten Sie Kav dann neu.";
        return datenbank(datei, "Neben ihr liegt „" + name + "“, und das ist " + was, bitte);
    };
    const auto selbst = [&](const char* datei, int art) {
        const QString name = daten + "/" + datei;
        if (art == Unlesbar)
            return datenbank(datei, "Das Programm darf die Datei nicht lesen, und ohne sie zu lesen, kann es nicht "
                                    "feststellen, ob sie vollständig ist.",
                             "Bitte sorgen Sie dafür, dass Sie die Datei „" + name
                                 + "“ lesen und beschreiben dürfen, und starten Sie Kav dann neu.");
        if (art == Verknuepfung)
            return datenbank(datei, "An ihrer Stelle liegt eine Verknüpfung; einer Verknüpfung folgt das Programm dort nicht.",
                             "Bitte legen Sie an die Stelle der Verknüpfung „" + name
                                 + "“ die Datei, auf die sie verweist, und starten Sie Kav dann neu.");
        return datenbank(datei, "An ihrer Stelle liegt etwas, das keine Datei ist; was dort liegt, liest das Programm nicht.",
                         "Bitte bringen Sie die Datenbank wieder an die Stelle „" + name
                             + "“ (oder entfernen Sie, was dort liegt: Dann ersetzt das Programm sie aus der "
                               "Datensicherung, soweit es eine gibt) und starten Sie Kav dann neu.");
    };
    const char* keineDatei = "etwas, das keine Datei ist";
    const struct { const char* name; int art; bool startet; QString meldung; } faelle[] = {
        {"Kav.sperre", Rohr, true, {}},
        {"Wiederherstellung.laeuft", Rohr, true, marke(keineDatei)},
        {"Wiederherstellung.laeuft", Verknuepfung, true, marke("eine Verknüpfung")},
        {"Wiederherstellung.laeuft.tmp", Rohr, true, tmp(keineDatei)},
        {"Wiederherstellung.laeuft.tmp", Verknuepfung, true, tmp("eine Verknüpfung")},
        {"Wiederherstellung.laeuft.tmp", Geraet, true, tmp(keineDatei)},
        {"Daten.KRN-journal", Rohr, false, neben("Daten.KRN", "-journal", Rohr)},
        {"Daten.KRN-journal", Verknuepfung, false, neben("Daten.KRN", "-journal", Verknuepfung)},
        {"Daten.KRN-journal", Unlesbar, false, neben("Daten.KRN", "-journal", Unlesbar)},
        {"Daten.KRN-wal", Verknuepfung, false, neben("Daten.KRN", "-wal", Verknuepfung)},
        {"Daten.KRN-wal", Unlesbar, false, neben("Daten.KRN", "-wal", Unlesbar)},
        {"Kav.KRN-journal", Verknuepfung, false, neben("Kav.KRN", "-journal", Verknuepfung)},
        {"Kav.KRN-journal", Unlesbar, false, neben("Kav.KRN", "-journal", Unlesbar)},
        {"Kav.KRN-wal", Verknuepfung, false, neben("Kav.KRN", "-wal", Verknuepfung)},
        {"Kav.KRN-wal", Unlesbar, false, neben("Kav.KRN", "-wal", Unlesbar)},
        {"Daten.KRN", Unlesbar, false, selbst("Daten.KRN", Unlesbar)},
        {"Kav.KRN", Unlesbar, false, selbst("Kav.KRN", Unlesbar)},
        {"Daten.KRN", Verknuepfung, false, selbst("Daten.KRN", Verknuepfung)},
        {"Kav.KRN", Rohr, false, selbst("Kav.KRN", Rohr)},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.name << " " << f.art);
        const QString rohr = daten + "/" + f.name;
        const bool istDatenbank = rohr.endsWith(".KRN");
        const QByteArray datenbankInhalt = istDatenbank ? test::inhalt(rohr) : QByteArray(); // sound, with its rows
        if (f.art == Unlesbar) {
            if (!istDatenbank) {
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(rohr, test::inhalt(ziel)));
            }
        } else {
            QFile::remove(rohr);
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(rohr, f.art == Rohr ? test::Fremd::Rohr
                                                               : f.art == Geraet ? test::Fremd::Geraet
                                                                                 : test::Fremd::Verknuepfung, ziel));
        }
        const Dateisystem::Art art = Dateisystem::art(rohr);
        const QMap<QString, QByteArray> vorher = dateien();
        std::optional<Schreibschutz> schutz; // another account's file
        if (f.art == Unlesbar) {
            ASSERT_TRUE(schutz.emplace(dir.path(), daten, rohr, false, 0200).wirksam());
        }
        protokoll.meldungen.clear();
        std::atomic<bool> fertig = false, gehalten = false;
        const pid_t faden = ::gettid();
        std::thread helfer([&] {
            const auto anfang = std::chrono::steady_clock::now();
            while (!fertig) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (!wartetAmRohr(faden) && std::chrono::steady_clock::now() - anfang < std::chrono::minutes(1))
                    continue;
                gehalten = true;
                const int fd = ::open(QFile::encodeName(rohr).constData(), O_RDWR | O_NONBLOCK);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (fd >= 0)
                    ::close(fd);
            }
        });
        AppContext& a = neuerStart();
        EXPECT_EQ(DiensteStarten(a, dir.path(), ini()), f.startet);
        schutz.reset();
        const QString text = protokoll.texte().join("\n");
        EXPECT_EQ(text, f.meldung);
        EXPECT_EQ(dateien(), vorher);
        if (f.startet) {
            zweiterStartAbgewiesen();
            protokoll.meldungen.clear();
            a.einstellungen.datLetzteDS = QDate(); // a backup is due
            DiensteBeenden(a);
            EXPECT_EQ(protokoll.texte().join("").startsWith("Die Sicherung der Datenbanken ist fehlgeschlagen"), !f.meldung.isEmpty());
        }
        appNeu();
        fertig = true;
        helfer.join();
        EXPECT_FALSE(gehalten);
        EXPECT_EQ(Dateisystem::art(rohr), art); // left as it was
        QFile::remove(rohr);
        if (istDatenbank) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(rohr, datenbankInhalt));
        }
    }
}

// A damaged Daten.KRN whose backup cannot be read now: something beside it or in its place that is no
// file, a link, a backup that may not be read (another account's), something at the name a backup is
// made under. The start names it, says what to do and ends; nothing is set aside or replaced, never by
// the empty file while the backup holds the plots. Once it is gone, the start puts the backup in.
TEST_F(ProgrammStartTest, BeschaedigteDateiWartetAufIhreSicherung)
{
    {
        AppContext& a = neuerStart();
        ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
        for (const char* nr : {"Fl1000", "Fl1001"})
            sql::exec(a.db->cnDaten(), "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, 'Beet')", {nr});
        DiensteBeenden(a); // the first backup
        appNeu();
    }
    const QString daten = dir.path() + "/Daten", sicherungen = dir.path() + "/Sicherungsdateien";
    const QString pvq = sicherungen + "/Daten.PVQ", anderswo = dir.filePath("anderswo.PVQ");
    ASSERT_TRUE(QFile::copy(pvq, anderswo));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/Daten.KRN", "kaputt"));
    const QString nicht = " Was dort liegt, liest das Programm nicht.";
    enum { Rohr, Verknuepfung, Unlesbar, Ordner };
    const struct { const char* name; int art; QString was, bitte; } faelle[] = {
        {"Daten.PVQ-journal", Rohr,
         "Neben der Sicherungsdatei Daten.PVQ liegt „Daten.PVQ-journal“, und das ist etwas, das keine Datei ist." + nicht,
         "Bitte entfernen Sie „Sicherungsdateien/Daten.PVQ-journal“ und starten Sie Kav dann neu."},
        {"Daten.PVQ", Verknuepfung, "An der Stelle der Sicherungsdatei Daten.PVQ liegt eine Verknüpfung." + nicht,
         "Bitte legen Sie an die Stelle der Verknüpfung „Sicherungsdateien/Daten.PVQ“ die Datei, auf die sie verweist, "
         "und starten Sie Kav dann neu."},
        {"Daten.PVQ", Unlesbar, "Die Sicherungsdatei Daten.PVQ darf das Programm nicht lesen.",
         "Bitte sorgen Sie dafür, dass Sie die Datei „Sicherungsdateien/Daten.PVQ“ lesen und beschreiben dürfen, und "
         "starten Sie Kav dann neu."},
        {"Kav.PVQ.tmp", Ordner,
         "An der Stelle „Sicherungsdateien/Kav.PVQ.tmp“, an der Kav eine neue Sicherungsdatei anlegt, liegt ein Ordner." + nicht,
         "Bitte entfernen Sie „Sicherungsdateien/Kav.PVQ.tmp“ und starten Sie Kav dann neu."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.name << " " << f.art);
        const QString pfad = sicherungen + "/" + f.name;
        if (f.art == Rohr) {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Rohr));
        } else if (f.art == Verknuepfung) {
            ASSERT_TRUE(QFile::remove(pfad));
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Verknuepfung, anderswo));
        } else if (f.art == Ordner) {
            ASSERT_TRUE(QDir().mkdir(pfad));
        }
        const QMap<QString, QByteArray> vorher = dateien();
        protokoll.meldungen.clear();
        {
            std::optional<Schreibschutz> schutz;
            if (f.art == Unlesbar) {
                ASSERT_TRUE(schutz.emplace(dir.path(), daten, pfad, false, 0200).wirksam());
            }
            EXPECT_FALSE(DiensteStarten(neuerStart(), dir.path(), ini()));
            appNeu();
        }
        EXPECT_EQ(protokoll.texte(),
                  QStringList{"Die Datenbank " + daten + "/Daten.KRN ist beschädigt, und ihre Sicherung kann das Programm "
                              "nicht verwenden: " + f.was + " An den Datenbanken und den Sicherungsdateien wurde nichts "
                              "verändert.\n\n" + f.bitte + " Bis dahin kann das Programm nicht arbeiten und wird beendet."});
        EXPECT_EQ(dateien(), vorher);
        EXPECT_EQ(test::inhalt(daten + "/Daten.KRN"), "kaputt");
        if (f.art == Ordner) {
            ASSERT_TRUE(QDir().rmdir(pfad));
        } else if (f.art != Unlesbar) {
            ASSERT_TRUE(QFile::remove(pfad));
        }
        if (f.art == Verknuepfung) {
            ASSERT_TRUE(QFile::copy(anderswo, pfad));
        }
    }
    protokoll.meldungen.clear();
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    EXPECT_TRUE(protokoll.texte().join("").startsWith("Dat-DB war beschädigt, ersetzt mit der Sicherungsdatei vom "))
        << protokoll.texte().join("").toStdString();
    EXPECT_EQ(sql::scalar(a.db->cnDaten(), "SELECT COUNT(*) FROM FlaechenID").toInt(), 2);
}

// A data folder whose files may not be reached, a file in its place, a folder missing without a
// backup: the start says what is wrong, never that a file is damaged, and changes nothing. A folder
// missing with its backups comes back, the shipped reference file with it. A link to a folder that
// holds the files is the data folder: the start goes on without a word and changes nothing.
TEST_F(ProgrammStartTest, UnbrauchbarerDatenordnerIstKeinSchaden)
{
    const QString daten = dir.path() + "/Daten";
    enum { OhneZugriff, EineDatei, FehltOhneSicherung, FehltMitSicherung, VerknuepfungInsLeere, VerknuepfungAufOrdner };
    const QString meldung[] = { // the start ends with it; empty: the start goes on
        "Kav kann nicht starten: Auf die Dateien im Datenordner „" + daten + "“ darf das Programm nicht zugreifen.",
        "Kav kann nicht starten: „" + daten + "“ ist eine Datei und kein Ordner.",
        "Die Datenbank " + daten + "/Kav.KRN fehlt, und es gibt weder ihre Sicherungsdatei „" + dir.path()
            + "/Sicherungsdateien/Kav.PVQ“ noch eine Standarddatei,",
        {},
        "Kav kann nicht starten: Der Datenordner „" + daten + "“ ist nicht erreichbar. Er verweist auf „" + dir.path()
            + "/Netz/Daten“, und dort ist kein Ordner",
        {}};
    for (int f = OhneZugriff; f <= VerknuepfungAufOrdner; ++f) {
        SCOPED_TRACE(f);
        QDir(dir.path()).removeRecursively();
        ASSERT_NO_FATAL_FAILURE(SetUp());
        if (f >= FehltMitSicherung) { // a backup pair
            ASSERT_TRUE(DiensteStarten(neuerStart(), dir.path(), ini()));
            DiensteBeenden(app());
        }
        if (f == VerknuepfungAufOrdner) {
            ASSERT_TRUE(QDir().mkdir(dir.filePath("Netz")) && QDir().rename(daten, dir.filePath("Netz/Daten")));
        } else if (f != OhneZugriff) {
            QDir(daten).removeRecursively();
        }
        if (f == EineDatei) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten, "keine Daten"));
        }
        ASSERT_TRUE(f < VerknuepfungInsLeere || ((f == VerknuepfungAufOrdner || QDir().mkdir(dir.filePath("Netz")))
                                                 && QFile::link(dir.filePath("Netz/Daten"), daten)));
        const QMap<QString, QByteArray> vorher = dateien();
        protokoll.meldungen.clear();
        std::optional<Schreibschutz> schutz;
        if (f == OhneZugriff) {
            ASSERT_TRUE(schutz.emplace(dir.path(), daten, daten, true, 0644).wirksam());
        }
        EXPECT_EQ(DiensteStarten(neuerStart(), dir.path(), ini()), meldung[f].isEmpty());
        appNeu();
        schutz.reset();
        const QString text = protokoll.texte().join("\n");
        EXPECT_TRUE(text.startsWith(meldung[f]) && !text.contains("beschädigt")) << text.toStdString();
        if (f == VerknuepfungAufOrdner) {
            EXPECT_TRUE(text.isEmpty() && dateien() == vorher && QFileInfo(daten).isSymLink());
        } else if (meldung[f].isEmpty()) {
            EXPECT_EQ(test::inhalt(daten + "/Standard/Kav.KRN"), test::inhalt(test::erzeugteDaten() + "/Kav.KRN"));
        } else {
            EXPECT_EQ(dateien(), vorher);
            EXPECT_EQ(QFileInfo(daten).exists(), f == OhneZugriff || f == EineDatei); // no folder left made
            EXPECT_FALSE(QFileInfo::exists(dir.filePath("Netz/Daten")));
        }
    }
}

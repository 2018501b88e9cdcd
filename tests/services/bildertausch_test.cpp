// The picture swap of a data update against a full disk and against kills, its own start-up recovery
// included: after the next start every picture that Kav.KRN names is in place, and no staging folder
// is left.
#include "exchange/updateanwenden.h"
#include "services/appcontext.h"
#include "services/bildertausch.h"
#include "services/datenbanken.h"
#include "services/programmstart.h"
#include "testhelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <optional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kav;
using test::inhalt;

namespace {

constexpr int kVollerDatentraeger = 3;

// A program folder with the shipped Kav.KRN and its pictures (content "alt"), and a staged update
// that gives every picture a new name ("neu-…", content "neu").
class BildertauschTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QTemporaryDir quelle;
        test::referenzDatei(quelle.filePath("Kav.KRN"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "quelle");
            db.setDatabaseName(quelle.filePath("Kav.KRN"));
            db.open();
            for (QSqlQuery q("SELECT BilderNr, BildDatei, Quelle, Verweis, Reihenfolge FROM LexikonBilder", db); q.next();) {
                if (!alt.contains(q.value(1).toString()))
                    alt << q.value(1).toString();
                paket.bilder.push_back({q.value(0), "neu-" + q.value(1).toString(), q.value(2), q.value(3), q.value(4)});
            }
        }
        QSqlDatabase::removeDatabase("quelle");
        paket.lexikon = true;
    }
    void TearDown() override { appNeu(); }

    void anlegen()
    {
        appNeu();
        dir.emplace();
        o = Programmordner{dir->path()};
        ASSERT_FALSE(alt.isEmpty());
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(o.datenDatei(), Datenbankdatei::Daten));
        paket.bilderOrdner = arbeit();
        for (const QString& b : alt)
            for (const char* unter : {"Vorschau", "Vollbild"}) {
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(o.lexikon() + "/Bilder/" + unter + "/" + b, "alt"));
                ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(arbeit() + "/" + unter + "/neu-" + b, "neu"));
            }
    }
    QString arbeit() const { return o.lexikon() + "/" + kAktualisierungsPraefix + "test"; }

    // Runs `tun` on a connection of its own to Kav.KRN in a child process that ends with it; its wait status.
    int imKind(const std::function<int(const QSqlDatabase&)>& tun) const
    {
        const pid_t kind = fork();
        if (kind == 0) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "kind");
            db.setDatabaseName(o.kavDatei());
            _exit(db.open() ? tun(db) : 2);
        }
        int status = 0;
        return kind > 0 && waitpid(kind, &status, 0) == kind ? status : -1;
    }
    // The update applied in a child; `vorher` gets the number of each step before it runs (1 the
    // mark, 2–5 the renames, 6 the commit, 7 the mark's removal after it).
    int anwenden(const std::function<void(int)>& vorher) const
    {
        return imKind([&](const QSqlDatabase& db) {
            int schritt = 0;
            const auto weiter = [&] { vorher(++schritt); };
            const exchange::AnwendenErgebnis r = exchange::UpdateAnwenden(
                db, paket, o, QDateTime(QDate(2026, 12, 6), QTime(10, 0)),
                [&](const QString&, const QString&) { return weiter(), true; }, [&](QStringView) { weiter(); });
            return r.ok ? 0 : r.grund.contains("Datenträger voll") ? kVollerDatentraeger : 1;
        });
    }
    // A start; then every picture that Kav.KRN names is in both folders, new ones when `neu`.
    QStringList startenUndPruefen(bool neu)
    {
        test::MeldungsProtokoll protokoll;
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.anzeige = &protokoll;
        EXPECT_TRUE(DiensteStarten(a, o.basis, dir->filePath("Kav.ini")));
        QStringList genannt;
        for (QSqlQuery q("SELECT DISTINCT BildDatei FROM LexikonBilder", a.db->cnKav()); q.next();)
            genannt << q.value(0).toString();
        EXPECT_EQ(genannt.size(), alt.size());
        for (const QString& b : genannt) {
            EXPECT_EQ(b.startsWith("neu-"), neu) << b.toStdString();
            for (const QString& ordner : {o.lexikonVorschau(), o.lexikonVollbild()})
                EXPECT_EQ(inhalt(ordner + "/" + b), neu ? "neu" : "alt") << (ordner + "/" + b).toStdString();
        }
        EXPECT_EQ(QDir(o.lexikon()).entryList({kAktualisierungsPraefix + "*"}, QDir::Dirs | QDir::Hidden), QStringList());
        appNeu();
        return protokoll.texte();
    }

    static inline exchange::UpdatePaket paket;
    static inline QStringList alt;
    std::optional<QTemporaryDir> dir;
    Programmordner o;
};

} // namespace

// From the mark's write on the disk takes nothing (a file size limit of 0 fails every write as a full
// disk does; the renames would still work): the update stops before the first picture moves, says
// why and changes nothing.
TEST_F(BildertauschTest, VollerDatentraegerBeiDerMarkeAendertNichts)
{
    ASSERT_NO_FATAL_FAILURE(anlegen());
    const int status = anwenden([](int schritt) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{};
        getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = schritt == 1 ? 0 : r.rlim_max;
        setrlimit(RLIMIT_FSIZE, &r);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kVollerDatentraeger) << status;
    EXPECT_EQ(inhalt(arbeit() + "/Vorschau/neu-" + alt.first()), "neu");
    EXPECT_TRUE(startenUndPruefen(false).isEmpty());
}

// Killed at each step of the swap; the mark then as written, empty or garbled; then killed at each
// step of the next start's recovery (0: not), then started: every picture is in place, old before
// the commit and new after it, and nothing of the update is left. Without a readable mark, the
// folders put back are named.
TEST_F(BildertauschTest, NachJedemAbbruchIstJedesBildDa)
{
    const int commit = 6, schritte = 7;
    for (int halt = 1; halt <= schritte; ++halt)
        for (const char* marke : {"wie geschrieben", "", "?x"}) {
            const bool unlesbar = marke[0] != 'w';
            if (unlesbar && halt == 1)
                continue; // no mark yet
            for (int erholung = 0;; ++erholung) {
                SCOPED_TRACE(testing::Message() << "Schritt " << halt << ", Marke „" << marke << "“, Start getötet bei "
                                                << erholung);
                ASSERT_NO_FATAL_FAILURE(anlegen());
                ASSERT_TRUE(WIFSIGNALED(anwenden([halt](int s) {
                    if (s == halt)
                        std::raise(SIGKILL);
                })));
                if (unlesbar && bildertauschOffen(arbeit())) {
                    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(arbeit() + "/Bildertausch", marke));
                }
                bool getoetet = false;
                if (erholung > 0) {
                    const int status = imKind([&](const QSqlDatabase& db) {
                        int schritt = 0;
                        BildertauschBeenden(o, db, [&](QStringView) {
                            if (++schritt == erholung)
                                std::raise(SIGKILL);
                        });
                        return 0;
                    });
                    getoetet = WIFSIGNALED(status);
                }
                const QStringList meldungen = startenUndPruefen(halt > commit);
                if (erholung == 0) {
                    EXPECT_EQ(meldungen.size(), unlesbar && halt > 2 && halt <= commit ? 1 : 0);
                }
                for (const QString& m : meldungen)
                    EXPECT_TRUE(m.contains("wieder an ihren Platz gelegt („Lexikon/Bilder/V")) << m.toStdString();
                if (erholung > 0 && !getoetet)
                    break; // every step of the recovery counted
            }
        }
}

// A folder that cannot be flushed to the disk, at each flush of the swap in turn: the mark's two
// folders (the staging folder and Lexikon/) stop it as a mark not written does, the three its renames
// change (alt/, the staging folder, Lexikon/Bilder/) as a failed rename does, and the commit never
// comes. The same three flushed when the swap is undone: the mark stays for the next start. The old
// pictures are back in place every time. A failing disk stops it at the mark's own flush too.
TEST_F(BildertauschTest, OrdnerNichtAufDerDiskTauschtNicht)
{
    for (int fehler = 1; fehler <= 8; ++fehler) {
        SCOPED_TRACE(fehler);
        ASSERT_NO_FATAL_FAILURE(anlegen());
        const int status = imKind([&](const QSqlDatabase& db) { // the undo of an unfinished swap included
            int n = 0;
            return static_cast<int>(Bildertausch(o, arbeit(), {}, {}, [&](const QString&) { return ++n != fehler; }).tauschen(db));
        });
        for (const QString& b : alt)
            EXPECT_EQ(inhalt(o.lexikonVorschau() + "/" + b), "alt") << b.toStdString();
        using E = Bildertausch::Ergebnis;
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(fehler <= 2 ? E::MarkeNichtGeschrieben : fehler <= 5 ? E::NichtUmbenannt : E::Getauscht));
        EXPECT_EQ(bildertauschOffen(arbeit()), fehler > 5);
    }
    // a file system without a flush for folders swaps; a failing disk stops before the first rename
    for (const auto& [fehler, datei] : {std::pair{EINVAL, QString()}, {EIO, QString()}, {EIO, QString("/Bildertausch")}}) {
        SCOPED_TRACE(testing::Message() << fehler << " " << datei.toStdString());
        ASSERT_NO_FATAL_FAILURE(anlegen());
        const test::FlushFehler flush(fehler, datei);
        const int status = imKind([&](const QSqlDatabase& db) {
            Bildertausch tausch(o, arbeit());
            const Bildertausch::Ergebnis r = tausch.tauschen(db);
            tausch.fertig();
            return static_cast<int>(r);
        });
        using E = Bildertausch::Ergebnis;
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(fehler == EINVAL ? E::Getauscht : E::MarkeNichtGeschrieben));
        EXPECT_EQ(inhalt(o.lexikonVorschau() + "/neu-" + alt.first()), fehler == EINVAL ? "neu" : "");
    }
}

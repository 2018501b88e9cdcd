// Start-up, shutdown and the deferred relayout of the main window.
#include "frame/frmintro.h"
#include "frame/frmtoolbar.h"
#include "frame/programm.h"
#include "frame/seitenwechsel.h"
#include "platform/instanzsperre.h"
#include "platform/settingsstore.h"
#include "platform/signalwaechter.h"
#include "rahmenfixture.h"
#include "services/einstellungen.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <csignal>
#include <cstdlib>

using namespace kav;

using StartTest = test::RahmenTest;

TEST_F(StartTest, ErsterStartOhneGespeicherteGroesseZeigtDasIntroBisZumDoppelklick)
{
    mdiZentral& h = starten();
    const Rahmen& r = app().rahmen;
    EXPECT_EQ(h.WindowState(), 2);
    // the reference size comes from the work area, not from the stored 0; the normal size behind the
    // maximised window is the smallest allowed
    EXPECT_FLOAT_EQ(r.sngHoeheStart, 0.95f * r.sngArbeitsbereichHoehe);
    EXPECT_FLOAT_EQ(r.sngBreiteStart, r.sngArbeitsbereichBreite);
    EXPECT_EQ(h.normalGeometry().size(), QSize(760, 570));
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    ASSERT_NE(intro, nullptr);
    EXPECT_DOUBLE_EQ(forms::Tw(intro).Width(), r.sngBreiteStart);
    EXPECT_EQ(r.strLexikonAnzeige, "Einleitung");
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmIntro"}));
    // the start follows after 10 s or a double-click; the timer goes with the window
    QTimer& timer = intro->timIntro();
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 10000);
    emit intro->picIntro()->doppelklick();
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
}

// The intro's double-click starts the program on its second press, whose button may stay down a while:
// the double-click time on the page it showed counts from the release. A click on the navigation bar
// within it is not taken, one at it is, though Qt calls it the second of a double-click.
TEST_F(StartTest, IntroDoppelklickSperrtAbDemLoslassen)
{
    mdiZentral& h = starten();
    h.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h, 10000));
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    ASSERT_NE(intro, nullptr);
    const auto imFenster = [&h](const QWidget* w) { return h.mapFromGlobal(w->mapToGlobal(w->rect().center())); };
    test::Maus maus(&h);
    maus.klick(imFenster(intro->picIntro()));
    maus.spaeter(100);
    maus.klick(imFenster(intro->picIntro()), Qt::LeftButton, 300);
    ASSERT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    ASSERT_NE(tb, nullptr);
    const QPoint lexikon = imFenster(tb->cmbMenu(3));
    maus.spaeter(QApplication::doubleClickInterval() - 1);
    maus.klick(lexikon);
    EXPECT_FALSE(fenster().istGeladen("frmLexikon"));
    maus.spaeter(1);
    maus.klick(lexikon);
    EXPECT_TRUE(fenster().istGeladen("frmLexikon"));
}

TEST_F(StartTest, BeendenSpeichertSichertRaeumtAufUndNeustartStelltWiederHer)
{
    mdiZentral& h = starten();
    ProgrammStarten();
    fenster().zeigen("frmTitel");
    // the user makes the window normal and larger
    h.setWindowState(Qt::WindowNoState);
    h.setGeometry(10, 30, 780, 590);
    app().rahmen.sngHoehe = 590 * 15;
    app().rahmen.sngBreite = 780 * 15;
    const QString daten = dir.path() + "/Daten";
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/tmpDokument_06122026091600.pdf", "%PDF"));
    const QString marke = dir.path() + "/gestoppt";
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(daten + "/mysql_stop.sh", ("#!/bin/sh\ntouch '" + marke + "'\n").toUtf8()));

    h.close();
    EXPECT_TRUE(h.beendet());
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral"}));
    // the shutdown steps (ProgrammStartTest in tests/services) ran: documents gone, first backup made
    EXPECT_FALSE(QFileInfo::exists(daten + "/tmpDokument_06122026091600.pdf"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Sicherungsdateien/Kav.PVQ"));
    EXPECT_TRUE(QTest::qWaitFor([&marke] { return QFileInfo::exists(marke); }, 10000)); // the stop script ran, detached
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::einstellungen, "Kav-Hoehe"), "8850");
    h.MDIForm_Unload(); // runs once only

    mdiZentral& n = starten(); // state, place (the frame's: 2 pixels around the inner area) and size come back
    EXPECT_EQ(n.WindowState(), 0);
    EXPECT_EQ(n.normalGeometrie(), QRect(8, 28, 780, 590));
}

// Where the window system cannot tell the window's place (Wayland), the end keeps the stored place.
TEST_F(StartTest, OhneBekanntenPlatzBleibtDerGespeicherte)
{
    SettingsStore(ini()).RegistrySchreiben(schluessel::einstellungen, "Kav-Left", "1500");
    SettingsStore(ini()).RegistrySchreiben(schluessel::einstellungen, "Kav-Top", "1500");
    mdiZentral& h = starten();
    h.platzBekanntSetzen(false);
    h.zeigen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h, 10000));
    h.setWindowState(Qt::WindowNoState);
    h.move(0, 0); // what such a window system tells
    h.resize(780, 590);
    h.close();
    const SettingsStore s(ini());
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Left") + " " + s.RegistryWertLesen(schluessel::einstellungen, "Kav-Top"), "1500 1500");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Breite"), "11700");
}

// Closed while minimised, the window opens in the state it had before; a stored minimised state
// (older settings) opens normal: the program never starts minimised.
TEST_F(StartTest, MinimiertGeschlossenStartetNieMinimiert)
{
    const struct { Qt::WindowStates vorher; const char* gespeichert; int start; } faelle[] = {
        {Qt::WindowMinimized, "0", 0},
        {Qt::WindowMinimized | Qt::WindowMaximized, "2", 2},
    };
    for (const auto& f : faelle) {
        mdiZentral& h = starten();
        h.setWindowState(f.vorher);
        h.MDIForm_Unload();
        EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::einstellungen, "Kav-Ansicht"), f.gespeichert);
        EXPECT_EQ(starten().WindowState(), f.start);
    }
    EXPECT_TRUE(protokoll.meldungen.isEmpty()); // a missing stop script is no error
    haupt->MDIForm_Unload();
    SettingsStore(ini()).RegistrySchreiben(schluessel::einstellungen, "Kav-Ansicht", "1");
    EXPECT_EQ(starten().WindowState(), 0);
}

// SIGTERM (logout, system shutdown) and SIGHUP take the normal shutdown: settings, backup,
// temporary documents, without a question.
TEST_F(StartTest, SignaleBeendenWieDasSchliessen)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        QFile::remove(ini());
        QDir(dir.path() + "/Sicherungsdateien").removeRecursively();
        mdiZentral& h = starten();
        ProgrammStarten();
        const QString dokument = dir.path() + "/Daten/tmpDokument_06122026091600.pdf";
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dokument, "%PDF"));
        SignalWaechter waechter;
        ASSERT_TRUE(waechter.aktiv());
        QObject::connect(&waechter, &SignalWaechter::beenden, &h, [&h] { h.systemEnde(); });
        ASSERT_EQ(::raise(signal), 0);
        EXPECT_TRUE(QTest::qWaitFor([&h] { return h.beendet(); }, 10000));
        EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::fenster, "strFensterZeigen"), "Analysenwerte");
        EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Sicherungsdateien/Daten.PVQ"));
        EXPECT_FALSE(QFileInfo::exists(dokument));
    }
}

TEST_F(StartTest, DatenaktualisierungHoechstensEinmalAmTag)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ini(), ""));
    {
        SettingsStore s(ini());
        s.RegistrySchreiben(schluessel::datenbank, "UpdatebeiStart", "Wahr");
        s.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "05.12.2026");
    }
    int laeufe = 0;
    for (int stunde : {9, 17}) {
        haupt.reset();
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.uhr = std::make_shared<FixedClock>(QDateTime(QDate(2026, 12, 6), QTime(stunde, 0)));
        a.anzeige = &protokoll;
        uiNeu().datenAktualisieren = [&] {
            ++laeufe;
            app().einstellungen.datLetztesUpdate = app().uhr->now();
        };
        haupt = std::make_unique<mdiZentral>();
        ASSERT_TRUE(haupt->MDIForm_Load(dir.path(), ini()));
        haupt->MDIForm_Unload();
        EXPECT_EQ(laeufe, 1) << stunde; // the second start on the same day does not run it again
    }
}

// The message of a second start on the same data folder shows the focus mark on its button, as every
// other message box does, though it comes before any other window of the program: the program runs in
// a process of its own, where nothing else started the mark before. With no main window shown yet, it
// stands in the middle of the screen.
TEST_F(StartTest, ZweiterStartZeigtDenFokusAmKnopf)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto zweiterStart = [this] {
        const InstanzSperre erster(dir.path() + QStringLiteral("/Daten"));
        QTimer pruefen;
        QObject::connect(&pruefen, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || QApplication::activeWindow() != box || !box->button(QMessageBox::Ok)->hasFocus())
                return;
            const QWidget* ring = box->findChild<QWidget*>(QStringLiteral("kavFokusrahmen"));
            const QPoint abstand = box->frameGeometry().center() - box->screen()->availableGeometry().center();
            if (abstand.manhattanLength() > 2)
                std::_Exit(4);
            std::_Exit(ring && ring->isVisible() ? 0 : 1);
        });
        pruefen.start(10);
        QTimer::singleShot(10000, [] { std::_Exit(3); }); // no message shown
        ProgrammAusfuehren(*qobject_cast<QApplication*>(QCoreApplication::instance()), dir.path(), ini());
        std::_Exit(2); // ended without the message
    };
    EXPECT_EXIT(zweiterStart(), ::testing::ExitedWithCode(0), "");
}

class TimerTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        starten();
        ProgrammStarten();
        haupt->setWindowState(Qt::WindowNoState);
        haupt->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get(), 10000));
        ASSERT_NO_FATAL_FAILURE(abarbeiten());
        haupt->timResize().stop();
    }
    QTimer& timer() { return haupt->timResize(); }
    // The event loop has delivered everything that waited when this was called (the window system's
    // events too): a timer of 0 posted now has fired, and one more pass followed.
    static void abarbeiten()
    {
        bool gelaufen = false;
        QTimer::singleShot(0, [&gelaufen] { gelaufen = true; });
        ASSERT_TRUE(QTest::qWaitFor([&gelaufen] { return gelaufen; }, 10000));
        QCoreApplication::processEvents();
    }
    // Waits for the next relayout (after `vorher`).
    void relayoutAbwarten(long vorher)
    {
        ASSERT_TRUE(QTest::qWaitFor([this, vorher] { return haupt->relayouts() > vorher; }, 10000));
    }
};

TEST_F(TimerTest, VerzoegerungJeSeiteUndKeinNeustart)
{
    haupt->setWindowTitle("Kav - Humavera - Lexikon");
    haupt->MDIForm_Resize();
    EXPECT_TRUE(timer().isActive());
    EXPECT_EQ(timer().interval(), 750);
    // time passes without the event loop (the timer cannot fire meanwhile)
    const int rest = timer().remainingTime();
    while (timer().remainingTime() >= rest)
        QTest::qSleep(1);
    haupt->setWindowTitle("Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen");
    haupt->MDIForm_Resize(); // running: keeps its interval and is not restarted
    EXPECT_EQ(timer().interval(), 750);
    EXPECT_LT(timer().remainingTime(), rest);
    timer().stop();

    haupt->MDIForm_Resize();
    EXPECT_EQ(timer().interval(), 1);
    const long vorher = haupt->relayouts();
    ASSERT_NO_FATAL_FAILURE(relayoutAbwarten(vorher));
    EXPECT_EQ(haupt->relayouts(), vorher + 1);
    EXPECT_FALSE(timer().isActive()); // no second one to come
    EXPECT_EQ(timer().interval(), 0);
}

TEST_F(TimerTest, MinimiertKeinTickenUndGenauEinRelayoutNachDemWiederherstellen)
{
    const long vorher = haupt->relayouts();
    const long passes = ui().anordnungen;
    haupt->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(timer().isActive()); // the state change arms it
    // it stops itself at its tick (no ticking every millisecond)
    ASSERT_TRUE(QTest::qWaitFor([this] { return !timer().isActive(); }, 10000));
    ASSERT_NO_FATAL_FAILURE(abarbeiten());
    EXPECT_FALSE(timer().isActive());
    EXPECT_EQ(haupt->relayouts(), vorher);
    EXPECT_EQ(ui().anordnungen, passes);
    haupt->setWindowState(Qt::WindowNoState);
    ASSERT_NO_FATAL_FAILURE(relayoutAbwarten(vorher));
    ASSERT_NO_FATAL_FAILURE(abarbeiten()); // all the restore brought is delivered: nothing armed again
    EXPECT_EQ(haupt->relayouts(), vorher + 1);
    EXPECT_FALSE(timer().isActive());
}

TEST_F(TimerTest, TickLegtRahmenUndSeiteNeuAnUndMerktDieGroesse)
{
    long vorher = haupt->relayouts();
    haupt->resize(780, 580);
    ASSERT_NO_FATAL_FAILURE(relayoutAbwarten(vorher));
    EXPECT_FLOAT_EQ(app().rahmen.sngBreiteStart, static_cast<float>(haupt->Width()));
    EXPECT_FLOAT_EQ(app().rahmen.sngHoeheStart, static_cast<float>(0.9 * haupt->Height()));
    // a size below the minimum is brought up to it in the normal state (the frame's size); the size
    // kept for the end is the inner one, as the start gives it
    vorher = haupt->relayouts();
    haupt->resize(300, 200);
    ASSERT_NO_FATAL_FAILURE(relayoutAbwarten(vorher));
    EXPECT_EQ(haupt->frameGeometry().size(), QSize(760, 570));
    EXPECT_FLOAT_EQ(app().rahmen.sngHoehe, static_cast<float>(haupt->height() * 15));
    EXPECT_FLOAT_EQ(app().rahmen.sngBreite, static_cast<float>(haupt->width() * 15));
    // a window manager that gives a size below the minimum (a resize asked of it directly): the window
    // comes back to the minimum, and that is the size kept
    vorher = haupt->relayouts();
    haupt->windowHandle()->resize(200, 150);
    ASSERT_NO_FATAL_FAILURE(relayoutAbwarten(vorher)); // the size arrived
    ASSERT_TRUE(QTest::qWaitFor([this] { return haupt->frameGeometry().size() == QSize(760, 570); }, 10000)) << haupt->width();
    EXPECT_FLOAT_EQ(app().rahmen.sngHoehe, static_cast<float>(haupt->height() * 15));
    EXPECT_FLOAT_EQ(app().rahmen.sngBreite, static_cast<float>(haupt->width() * 15));
}

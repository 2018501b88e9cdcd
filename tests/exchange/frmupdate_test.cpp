// The update window on a started program, driven through its controls, against the test servers.
#include "exchange/aktualisieren.h"
#include "exchange/frmupdate.h"
#include "exchange/ladeanimation.h"
#include "platform/settingsstore.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/sql.h"
#include "settings/frmeinstellungen.h"
#include "updateserver.h"
#include "zwischenstelle.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>

using namespace kav;
using namespace kav::exchange;
using forms::Tw;

namespace {

class UpdateFenster : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        KAV_AUSTAUSCH_ODER_UEBERSPRINGEN(k);
        server.emplace(k, test::fallName());
        server->serverIni(dir.filePath("Server.ini"));
        setStufenPause(0);
    }
    void TearDown() override
    {
        warten();
        RahmenTest::TearDown();
        server.reset();
    }
    void startenUndFuellen()
    {
        starten();
        server->fuellen(app().db->cnKav(), test::programmOrdner() + "/Lexikon/Bilder");
        server->stand({"2026-12-01", "2026-12-01", "2026-12-01", "2026-12-01", "2026-12-01"}, 1, 0, 0);
    }
    frmUpdate* fenster() { return ui().fenster.fensterAls<frmUpdate>("frmUpdate"); }
    // the server notes a closed connection a moment later
    bool keineVerbindung() { return QTest::qWaitFor([this] { return server->verbindungen() == 0; }, 20000); }
    void warten()
    {
        if (laufendeAktualisierung().laeuft())
            QSignalSpy(&laufendeAktualisierung(), &DatenAktualisierung::beendet).wait(60000);
    }

    std::optional<test::UpdateServer> server;
};

TEST_F(UpdateFenster, LaeuftEinmalZeigtFortschrittUndEndetMitOK)
{
    startenUndFuellen();
    DatenAktualisieren();
    frmUpdate* f = fenster();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "Kav - Datenbank-Update");
    // text line, progress bar and buttons placed by the rules of the window
    const Tw anc(f->ancKopieren()), lbl(f->lblUpdate()), ok(f->cmdOK()), ab(f->cmdAbbrechen());
    EXPECT_DOUBLE_EQ(anc.Left(), (6000 - anc.Width()) / 2);
    EXPECT_EQ(lbl.rechteck(), QRectF(anc.Left(), anc.Top() + 2 * anc.Height(), anc.Width(), anc.Height()));
    EXPECT_DOUBLE_EQ(ok.Left() + ok.Width(), lbl.Left() + lbl.Width());
    EXPECT_DOUBLE_EQ(ok.Top(), lbl.Top() + lbl.Height() + 50);
    EXPECT_EQ(ab.rechteck(), ok.rechteck());
    EXPECT_EQ(f->height(), forms::pixelVon(ok.Top() + 2 * ok.Height()));
    EXPECT_TRUE(f->cmdAbbrechen()->isVisible());
    EXPECT_FALSE(f->cmdOK()->isVisible());
    EXPECT_EQ(f->lblUpdate()->text(), "Update-Server wird kontaktiert....");
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty()); // help still shows the page's topic

    DatenAktualisieren(); // a second start only shows the running window
    EXPECT_EQ(ui().fenster.namen().count("frmUpdate"), 1);
    EXPECT_EQ(fenster(), f);

    warten();
    EXPECT_TRUE(keineVerbindung()); // the update's connection ends with the fetch
    EXPECT_TRUE(f->lblUpdate()->text().startsWith("Alle Daten wurden aktualisiert."));
    EXPECT_TRUE(f->cmdOK()->isVisible());
    EXPECT_FALSE(f->cmdAbbrechen()->isVisible());
    EXPECT_FALSE(f->ancKopieren()->laeuft());
    // the longest text fits the line
    EXPECT_LE(f->lblUpdate()->heightForWidth(f->lblUpdate()->width()), f->lblUpdate()->height());

    // OK brings no settings window that was not open
    QTest::mouseClick(f->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(fenster(), nullptr);
    EXPECT_FALSE(ui().fenster.istGeladen("frmEinstellungen"));

    // started again from the settings window, OK goes back to it
    ui().fenster.zeigen("frmEinstellungen");
    DatenAktualisieren();
    warten();
    ASSERT_NE(fenster(), nullptr);
    EXPECT_TRUE(fenster()->lblUpdate()->text().startsWith("Es müssen keine Daten aktualisiert werden."));
    QTest::mouseClick(fenster()->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(fenster(), nullptr);
    EXPECT_TRUE(ui().fenster.istGeladen("frmEinstellungen"));
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmEinstellungen");
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(UpdateFenster, SchliessenBrichtAbUndAendertNichts)
{
    startenUndFuellen();
    const QDateTime vorher = app().einstellungen.datLetztesUpdate;
    const long long bilder = sql::scalar(app().db->cnKav(), "SELECT COUNT(*) FROM LexikonBilder").toLongLong();
    server->sql("DELETE FROM lexikonbilder WHERE BilderNr > 3");
    DatenAktualisieren();
    ASSERT_NE(fenster(), nullptr);
    fenster()->close();
    EXPECT_TRUE(laufendeAktualisierung().abbruchVerlangt());
    warten();
    EXPECT_EQ(laufendeAktualisierung().ende()->art, UpdateEnde::Art::Abgebrochen);
    EXPECT_TRUE(keineVerbindung());
    EXPECT_EQ(fenster(), nullptr);
    EXPECT_EQ(app().einstellungen.datLetztesUpdate, vorher);
    EXPECT_EQ(sql::scalar(app().db->cnKav(), "SELECT COUNT(*) FROM LexikonBilder").toLongLong(), bilder);
}

TEST_F(UpdateFenster, BeimStartOhneServerNurDieMeldung)
{
    QTcpServer frei;
    frei.listen(QHostAddress::LocalHost, 0);
    QSettings ini(dir.filePath("Server.ini"), QSettings::IniFormat);
    ini.setValue("Server/Port", frei.serverPort());
    ini.sync();
    frei.close();
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(this->ini(), ""));
    SettingsStore(this->ini()).RegistrySchreiben(schluessel::datenbank, "UpdatebeiStart", "Wahr");
    starten();
    QCoreApplication::processEvents(); // the update follows the start-up
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].text, "Um die Daten zu aktualisieren, benötigen Sie eine aktive Internetverbindung.");
    EXPECT_EQ(protokoll.meldungen[0].titel, "Humavera - Daten aktualisieren");
    EXPECT_EQ(fenster(), nullptr);
}

// Cancel while the run waits for a database server that stopped answering (connections accepted,
// nothing comes back): the window goes at once, the run ends within moments instead of waiting for the
// read time-out, and the restore of a backup is offered again.
TEST_F(UpdateFenster, AbbrechenWartetNichtAufEinenHaengendenServer)
{
    test::Zwischenstelle halt(server->konten.programm.host, server->konten.programm.port);
    {
        QSettings ini(dir.filePath("Server.ini"), QSettings::IniFormat);
        ini.setValue("Server/Adresse", "127.0.0.1");
        ini.setValue("Server/Port", halt.port());
        ini.setValue("Server/LesenSekunden", 10);
    }
    startenUndFuellen();
    std::atomic<bool> angehalten{false};
    laufendeAktualisierung().setPruefpunkt([&](const QString& was) {
        if (was == "duengerid") { // the next table is never answered
            halt.anhalten();
            angehalten = true;
        }
    });
    const auto aufraeumen = qScopeGuard([] { laufendeAktualisierung().setPruefpunkt({}); });
    ui().fenster.zeigen("frmEinstellungen");
    auto* einstellungen = ui().fenster.fensterAls<frmEinstellungen>("frmEinstellungen");
    ASSERT_NE(einstellungen, nullptr);
    DatenAktualisieren();
    ASSERT_NE(fenster(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return angehalten.load(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !einstellungen->cmbRepair()->isEnabled(); }, 10000)); // held back meanwhile
    QTest::qWait(300); // the statement waits by now, most likely (a cancel before it ends it all the same)
    EXPECT_TRUE(laufendeAktualisierung().laeuft());

    QElapsedTimer uhr;
    uhr.start();
    QTest::mouseClick(fenster()->cmdAbbrechen(), Qt::LeftButton);
    EXPECT_EQ(fenster(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return !laufendeAktualisierung().laeuft(); }, 30000));
    EXPECT_LT(uhr.elapsed(), 5000); // the read time-out is 10 s
    EXPECT_EQ(laufendeAktualisierung().ende()->art, UpdateEnde::Art::Abgebrochen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return einstellungen->cmbRepair()->isEnabled(); }, 10000));
}

} // namespace

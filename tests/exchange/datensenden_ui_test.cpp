// The upload of all data from the settings window while the database server hangs: the program's
// windows go on, input made meanwhile is dropped, and ending the program ends the wait at once.
#include "frame/wartezeiger.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"
#include "settings/frmeinstellungen.h"
#include "updateserver.h"
#include "zwischenstelle.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace kav;

namespace {

class SendenFenster : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        KAV_AUSTAUSCH_ODER_UEBERSPRINGEN(k);
        konten = k;
        halt.emplace(k.programm.host, k.programm.port);
        QSettings ini(dir.filePath("Server.ini"), QSettings::IniFormat);
        const std::pair<const char*, QVariant> werte[] = {
            {"Adresse", "127.0.0.1"}, {"Port", halt->port()},  {"Benutzer", k.programm.user},
            {"Passwort", k.programm.password}, {"VerbindenSekunden", 1}, {"LesenSekunden", 10}};
        for (const auto& [schluessel, wert] : werte)
            ini.setValue(QString("Server/") + schluessel, wert);
    }

    test::AustauschKonten konten;
    std::optional<test::Zwischenstelle> halt;
};

// Counts the paint events of a window.
class Bildzaehler : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++bilder;
        return false;
    }
    int bilder = 0;
};

// Ended during the wait by the window manager (the main window closed) or by the session (logout):
// the wait is broken off at once, the program ends once the command has shown its message.
TEST_F(SendenFenster, HaengenderServerBlockiertDasFensterNicht)
{
    const std::pair<const char*, std::function<void(mdiZentral&)>> enden[] = {
        {"geschlossen", [](mdiZentral& h) { h.windowHandle()->close(); }},
        {"abgemeldet", [](mdiZentral& h) { h.systemEnde(); }},
    };
    for (const auto& [wie, ende] : enden) {
        SCOPED_TRACE(wie);
        protokoll.meldungen.clear();
        halt->weiter();
        mdiZentral& h = starten();
        h.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h));
        app().einstellungen.strProgrammID = test::zufallsProgrammId();
        sql::exec(app().db->cnDaten(), "INSERT OR IGNORE INTO FlaechenID (FlaechenNr, Bezeichnung, Kompost, Nutzung) VALUES ('Fl1000', 'Beet', 1, 2)");
        sql::exec(app().db->cnDaten(), "INSERT OR IGNORE INTO Nmin (FlaechenNr, Nmin, Einheit, Datum) VALUES ('Fl1000', 12, 1, '2026-03-10')");
        ui().fenster.zeigen("frmEinstellungen");
        auto* einstellungen = ui().fenster.fensterAls<frmEinstellungen>("frmEinstellungen");
        ASSERT_NE(einstellungen, nullptr);
        QTest::mouseClick(einstellungen->cmdDatenSenden(), Qt::LeftButton); // the connection is kept
        ASSERT_EQ(protokoll.texte(), QStringList{"Die Daten wurden erfolgreich übertragen."});

        halt->anhalten();
        Bildzaehler maler;
        h.installEventFilter(&maler);
        // the window's own timer goes on during the wait: a second click at its 10th tick, the end
        // at its 20th once the window was repainted
        int takte = 0;
        bool warteteBeimKlick = false;
        QElapsedTimer uhr;
        qint64 endeBei = -1;
        QTimer takt;
        QObject::connect(&takt, &QTimer::timeout, [&, &ende = ende] {
            h.update();
            if (++takte == 10) {
                warteteBeimKlick = WarteZeiger::aktiv();
                QTest::mouseClick(einstellungen->cmdDatenSenden(), Qt::LeftButton);
            } else if (takte >= 20 && maler.bilder >= 5 && endeBei < 0) {
                endeBei = uhr.elapsed();
                ende(h);
            }
        });
        takt.start(20);
        uhr.start();
        QTest::mouseClick(einstellungen->cmdDatenSenden(), Qt::LeftButton);
        const qint64 dauer = uhr.elapsed() - endeBei;
        takt.stop();

        EXPECT_GE(endeBei, 0) << "das Fenster wurde während des Wartens nicht neu gezeichnet";
        EXPECT_LT(dauer, 5000); // broken off at the end, not after the read time-out (10 s)
        EXPECT_TRUE(warteteBeimKlick);
        ASSERT_EQ(protokoll.meldungen.size(), 2); // the second click was dropped, not queued
        EXPECT_EQ(protokoll.meldungen.last().nr, 1002);
        // the program ends once the command is done
        EXPECT_TRUE(QTest::qWaitFor([&] { return h.beendet(); }, 10000));
        h.removeEventFilter(&maler);
    }
}

} // namespace

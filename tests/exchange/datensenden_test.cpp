// Upload of all Nmin values and analyses into the data collection of the test server.
#include "exchange/datensenden.h"
#include "plots/analysesenden.h"
#include "requirement/nmindaten.h"
#include "services/server.h"
#include "services/sql.h"
#include "updateserver.h"
#include "zwischenstelle.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimer>

#include <vector>

using namespace kav;
using namespace kav::exchange;

namespace {

class Senden : public test::AustauschTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(AustauschTest::SetUp());
        if (HasFatalFailure() || IsSkipped())
            return;
        // ids of their own: the data collection is shared by the tests running at the same time
        for (QString* s : {&id, &kAndere})
            for (int i = 0; i < 18; ++i)
                *s += QChar(u'0' + QRandomGenerator::global()->bounded(10));
        trigger = "nein_" + test::fallName();
    }
    void TearDown() override
    {
        if (server)
            server->sql("DROP TRIGGER IF EXISTS kav_datenerfassung." + trigger);
        AustauschTest::TearDown();
    }
    void lokal(const QString& anweisung, const QVariantList& werte = {}) { sql::exec(daten(), anweisung, werte); }
    void gespeichert()
    {
        lokal("INSERT INTO FlaechenID (FlaechenNr, Bezeichnung, Kompost, Nutzung) VALUES ('Fl1000', 'Beet', 1, 2), "
              "('Fl1001', 'Rasen', 0, 3)");
        lokal("INSERT INTO Nmin (FlaechenNr, Nmin, Einheit, Datum) VALUES ('Fl1000', 12, 1, '2026-03-10'), "
              "('Fl1000', 15, 2, '2026-04-01'), ('Fl1001', 8, 0, '2026-03-15'), ('Fl1099', 9, 0, '2026-03-15')");
        lokal("INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, GesamtN, P2O5, K2O, Mg, pH, LetzteAenderung) VALUES "
              "('An1000', '2026-03-01', 1, 3.5, 12, 15, NULL, 6.5, '2026-03-01 10:00:00'), "
              "('An1001', '2026-03-02', 2, 2.0, 20, 25, 8, 7.1, '2026-03-02 11:00:00')");
        // the last one's analysis is gone
        lokal("INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr) VALUES ('Fl1000', 'An1000'), ('Fl1001', 'An1001'), "
              "('Fl1001', 'An1099')");
        server->sql("INSERT INTO kav_datenerfassung.nmin (Programmid, FlaechenID, Nmin, Einheit, Datum) VALUES "
                    "(?, 'Fl1000', 30, 1, '2026-02-01'), (?, 'Fl1000', 31, 1, '2026-02-01')",
                    {id, kAndere});
        server->sql("INSERT INTO kav_datenerfassung.analysen (Programmid, FlaechenID, AnalysenID, Phosphat) VALUES "
                    "(?, 'Fl1000', 'An1000', 99)",
                    {kAndere});
    }
    DatenGesendet senden() { return AlleDatenSenden(*a().server, daten(), id, *a().uhr); }
    QString entfernt(const QString& ausdruck, const QString& tabelle, const QString& programmId)
    {
        return server->wert("SELECT group_concat(" + ausdruck + " ORDER BY lfdnr SEPARATOR ' ') FROM kav_datenerfassung." + tabelle
                                + " WHERE Programmid = ?",
                            {programmId})
            .toString();
    }

    // The three uploads; each gives the number of its message (0: sent).
    std::vector<std::pair<const char*, std::function<int(Server&)>>> uploads()
    {
        return {
            {"alle Daten", [this](Server& s) { return AlleDatenSenden(s, daten(), id, *a().uhr).meldung.nr; }},
            {"eine Analyse", [this](Server& s) { return EinzelAnalyseSenden(s, daten(), id, "Fl1000", "An1000", *a().uhr).meldung.nr; }},
            {"ein Nmin-Wert", [this](Server& s) {
                 return NminUebertragen(s, id, NminSendung{"Fl1000", QDate(2026, 3, 10), {12, 1}, 2, 1}, *a().uhr).meldung.nr;
             }},
        };
    }
    // The program's account, reached through `halt`.
    ServerConfig ueber(const test::Zwischenstelle& halt, int lesenSekunden) const
    {
        ServerConfig c = server->konten.programm;
        c.host = "127.0.0.1";
        c.port = halt.port();
        c.connectTimeoutS = 1;
        c.readTimeoutS = c.writeTimeoutS = lesenSekunden;
        return c;
    }

    QString id, kAndere, trigger;
};

TEST_F(Senden, JedeFlaecheUndAnalyseEinmalAndereInstallationUnberuehrt)
{
    EXPECT_EQ(senden().meldung.text, kNichtsZuSenden);
    gespeichert();
    for (int klick = 1; klick <= 3; ++klick) {
        if (klick == 3) { // the server ended the program's idle connection: it is opened anew once
            QString verbindung;
            a().server->ausfuehren(
                [&] { verbindung = sql::scalar(a().server->cnServer(kDatenerfassung), "SELECT CONNECTION_ID()").toString(); });
            server->sql("KILL CONNECTION " + verbindung);
        }
        SCOPED_TRACE(klick);
        const DatenGesendet r = senden();
        EXPECT_EQ(r.meldung.text, kGesendet);
        EXPECT_EQ(r.meldung.titel, "Kav - Humavera");
        EXPECT_EQ(entfernt("CONCAT_WS('/', FlaechenID, Datum, Nmin, Einheit, Nutzung, kompost, LetzteAenderung)", "nmin", id),
                  "Fl1000/2026-03-10/12/1/2/1/2026-03-02 Fl1000/2026-04-01/15/2/2/1/2026-03-02 "
                  "Fl1001/2026-03-15/8/0/3/0/2026-03-02");
        EXPECT_EQ(entfernt("CONCAT_WS('/', FlaechenID, AnalysenID, Stickstoff, Phosphat, Kalium, Magnesium, ph, Datum, "
                           "Nutzung, Bodenart, LetzteAenderung)",
                           "analysen", id),
                  "Fl1000/An1000/3.5/12/15/-1/6.5/2026-03-01/2/1/2026-03-01 10:00:00 "
                  "Fl1001/An1001/2/20/25/8/7.1/2026-03-02/3/2/2026-03-02 11:00:00");
        EXPECT_EQ(entfernt("CONCAT_WS('/', FlaechenID, Datum, Nmin)", "nmin", kAndere), "Fl1000/2026-02-01/31");
        EXPECT_EQ(entfernt("CONCAT_WS('/', AnalysenID, Phosphat)", "analysen", kAndere), "An1000/99");
    }
}

TEST_F(Senden, EinTeilScheitertGanzOderGarNicht)
{
    gespeichert();
    ASSERT_EQ(senden().meldung.text, kGesendet);
    const QString analysen = entfernt("CONCAT_WS('/', AnalysenID, Phosphat)", "analysen", id);
    lokal("UPDATE AnalysenID SET P2O5 = 44");
    lokal("UPDATE Nmin SET Nmin = 1");
    server->sql(QString("CREATE TRIGGER kav_datenerfassung.%1 BEFORE INSERT ON kav_datenerfassung.analysen FOR EACH ROW "
                        "BEGIN IF NEW.Programmid = '%2' AND NEW.AnalysenID = 'An1001' THEN SIGNAL SQLSTATE '45000' "
                        "SET MESSAGE_TEXT = 'nein'; END IF; END")
                    .arg(trigger, id));
    const DatenGesendet r = senden();
    EXPECT_EQ(r.meldung.text, kAnalysenNichtGesendet);
    EXPECT_EQ(r.nmin, DatenGesendet::Teil::Gesendet);
    EXPECT_EQ(entfernt("CONCAT_WS('/', AnalysenID, Phosphat)", "analysen", id), analysen); // as before
    EXPECT_EQ(entfernt("Nmin", "nmin", id), "1 1 1");
}

// A server that stops answering (as a stopped process: connections are accepted, nothing comes back)
// freezes nothing, for each of the three uploads: the calling thread's timers go on firing, the upload
// ends with its message within the time-outs, and breaking it off (as the end of the program does)
// ends the wait at once.
TEST_F(Senden, HaengenderServerFriertNichtsEin)
{
    gespeichert();
    test::Zwischenstelle halt(server->konten.programm.host, server->konten.programm.port);
    const struct {
        const char* was;
        int lesenSekunden;
        int abbruchNachTakten; // 0: not broken off
        qint64 hoechstensMs;   // from the start of the wait, or from the cancel
    } faelle[] = {{"Zeitueberschreitung", 1, 0, 8000}, {"abgebrochen", 10, 15, 5000}};
    for (const auto& [upload, senden] : uploads())
        for (const auto& f : faelle) {
            SCOPED_TRACE(std::string(upload) + ", " + f.was);
            Server s(ueber(halt, f.lesenSekunden));
            halt.weiter();
            ASSERT_EQ(senden(s), 0); // sent; the connection is kept
            halt.anhalten();

            int takte = 0;
            QElapsedTimer uhr;
            qint64 abbruch = 0;
            QTimer takt;
            QObject::connect(&takt, &QTimer::timeout, [&, n = f.abbruchNachTakten] {
                if (++takte == n) { // the cancel comes from the thread's own events
                    abbruch = uhr.elapsed();
                    s.abbrechen();
                }
            });
            takt.start(20);
            uhr.start();
            EXPECT_EQ(senden(s), 1002);
            EXPECT_LT(uhr.elapsed() - abbruch, f.hoechstensMs);
            EXPECT_GE(takte, 10); // the thread went on with its events throughout
        }
}

// A cancel ends the job it breaks off and nothing after it, whether it comes during the job or just
// after its end (a window closed as the upload ended): the next upload on the same object is sent.
TEST_F(Senden, NachEinemAbbruchSendetDasselbeObjektWieder)
{
    gespeichert();
    test::Zwischenstelle halt(server->konten.programm.host, server->konten.programm.port);
    for (const auto& [upload, senden] : uploads())
        for (const bool waehrend : {true, false}) {
            SCOPED_TRACE(std::string(upload) + (waehrend ? ", waehrend" : ", danach"));
            Server s(ueber(halt, 10));
            halt.weiter();
            ASSERT_EQ(senden(s), 0); // the connection is kept
            if (waehrend) {
                halt.anhalten();
                QTimer::singleShot(300, [&s] { s.abbrechen(); });
                EXPECT_EQ(senden(s), 1002);
                halt.weiter();
            } else {
                s.abbrechen();
            }
            EXPECT_EQ(senden(s), 0);
        }
}

} // namespace

#include "plots/analysesenden.h"
#include "plots/analysendaten.h"
#include "plotfixture.h"
#include "services/server.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class Senden : public test::DatenDatei {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(DatenDatei::SetUp());
        flaeche("Fl1000", "Beet"); // usage 2
        daten.emplace(db(), gebiet, uhr, zufall);
        speichern("6,5", "");
    }
    void speichern(const QString& ph, const QString& mg)
    {
        AnalyseEingabe e;
        e.strAktFlaechenNr = "Fl1000";
        e.datum = QDate(2024, 4, 17);
        e.intBodenart = bodenartAusListenIndex(4); // medium
        e.bodenartListenIndex = 4;
        e.txtWert = {"2,5", "12", "15", mg, ph};
        const auto r = daten->AnalysenWerteSpeichern(e);
        ASSERT_TRUE(r.ok) << r.meldung.text.toStdString();
        ASSERT_EQ(r.AnalysenNr, "An1000");
    }
    AnalyseGesendet senden(Server& s, const std::function<void(QStringView)>& pruefpunkt = {})
    {
        return EinzelAnalyseSenden(s, db(), programmId, "Fl1000", "An1000", uhr, pruefpunkt);
    }
    static long long entfernteZeilen(Server& s, const QString& id)
    {
        return sql::scalar(s.cnServer(kDatenerfassung), "SELECT COUNT(*) FROM analysen WHERE Programmid = ?", {id})
            .toLongLong();
    }

    std::optional<AnalysenDaten> daten;
    QString programmId = test::zufallsProgrammId();
};

} // namespace

TEST_F(Senden, UnerreichbarerServerMeldetUndDieLokaleAnalyseBleibt)
{
    ServerConfig c;
    c.host = "127.0.0.1";
    c.port = test::geschlossenerPort();
    c.reachTimeoutMs = 500;
    Server s(c);
    const QStringList vorher = abbild();
    const AnalyseGesendet r = senden(s);
    EXPECT_EQ(r.status, AnalyseGesendet::Status::NichtErreichbar);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.meldung.text, "Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung.");
    EXPECT_EQ(r.meldung.titel, "Humavera - Daten aktualisieren");
    EXPECT_EQ(abbild(), vorher);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
    EXPECT_FALSE(test::uploadVerbunden(s, kDatenerfassung));
}

// No server address set up (Server.ini): said so, not "needs an internet connection"; the time-outs
// from the file are held to at most 10 seconds.
TEST_F(Senden, OhneServeradresseSagtEsDassKeinServerEingerichtetIst)
{
    Server s(ServerConfig{});
    const AnalyseGesendet r = senden(s);
    EXPECT_EQ(r.status, AnalyseGesendet::Status::KeinServer);
    EXPECT_EQ(r.meldung.titel, "Humavera - Datenübertragung");
    EXPECT_TRUE(r.meldung.text.contains("kein Server eingerichtet") && r.meldung.text.contains("„Server.ini“"));
    EXPECT_EQ(anzahl("AnalysenID"), 1);

    const QString ini = dir.filePath("Server.ini");
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ini, "[Server]\nAdresse=10.1.2.3\nVerbindenSekunden=30\n"
                                                     "ErreichbarMillisekunden=10000\n"));
    const ServerConfig c = ServerConfig::fromIni(ini);
    EXPECT_TRUE(c.configured());
    EXPECT_EQ(c.connectTimeoutS, 10);
    EXPECT_EQ(c.reachTimeoutMs, 3000);
}

TEST_F(Senden, OhneGespeicherteAnalyseWirdNichtsGesendet)
{
    Server s(ServerConfig{});
    const auto r = EinzelAnalyseSenden(s, db(), programmId, "Fl1000", "An1999", uhr);
    EXPECT_EQ(r.status, AnalyseGesendet::Status::AnalyseFehlt);
    EXPECT_FALSE(r.meldung.text.isEmpty());
}

TEST_F(Senden, ErstesSendenFuegtEinZweitesAktualisiert)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    Server s(cfg);
    const AnalyseGesendet erstes = senden(s);
    ASSERT_EQ(erstes.status, AnalyseGesendet::Status::Eingefuegt) << erstes.meldung.text.toStdString();
    EXPECT_TRUE(erstes.meldung.text.isEmpty());
    // the data collection's own connection; the update database stays untouched
    EXPECT_TRUE(test::uploadVerbunden(s, kDatenerfassung));
    EXPECT_FALSE(test::uploadVerbunden(s, kUpdateDatenbank));
    ASSERT_EQ(entfernteZeilen(s, programmId), 1);

    QSqlQuery q = sql::exec(s.cnServer(kDatenerfassung),
                            "SELECT FlaechenID, AnalysenID, Stickstoff, Phosphat, Kalium, Magnesium, ph, Datum, "
                            "Nutzung, Bodenart, LetzteAenderung FROM analysen WHERE Programmid = ?",
                            {programmId});
    ASSERT_TRUE(q.next());
    QStringList zeile;
    for (int i = 0; i < 11; ++i)
        zeile << q.value(i).toString();
    // numbers, not the typed "2,5"; magnesium not determined; the soil group of list position 4
    EXPECT_EQ(zeile.join('|'), "Fl1000|An1000|2.5|12|15|-1|6.5|2024-04-17|2|1|2025-04-07T09:15:30.000");

    // changed and sent again: the same row
    speichern("7,1", "9");
    uhr.advanceSeconds(86400);
    const AnalyseGesendet zweites = senden(s);
    ASSERT_EQ(zweites.status, AnalyseGesendet::Status::Aktualisiert) << zweites.meldung.text.toStdString();
    EXPECT_EQ(entfernteZeilen(s, programmId), 1);
    QSqlQuery n = sql::exec(s.cnServer(kDatenerfassung),
                            "SELECT ph, Magnesium, LetzteAenderung FROM analysen WHERE Programmid = ?", {programmId});
    ASSERT_TRUE(n.next());
    EXPECT_EQ(n.value(0).toString() + "|" + n.value(1).toString() + "|" + n.value(2).toString(), "7.1|9|2025-04-08T09:15:30.000");
}

TEST_F(Senden, FehlerBeimAktualisierenWirdGemeldetUndFuegtNichtsEin)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    Server s(cfg);
    ASSERT_EQ(senden(s).status, AnalyseGesendet::Status::Eingefuegt);
    speichern("5,9", "");
    bool eingefuegt = false;
    const AnalyseGesendet r = senden(s, [&](QStringView p) {
        if (p == u"Einfuegen")
            eingefuegt = true;
        if (p == u"Aktualisieren")
            throw sql::Error("Verbindung verloren");
    });
    EXPECT_EQ(r.status, AnalyseGesendet::Status::Fehler);
    EXPECT_EQ(r.meldung.nr, 1002);
    EXPECT_EQ(r.meldung.titel, "Humavera - Datenübertragung");
    EXPECT_FALSE(eingefuegt);
    // the broken connection is given up; the next attempt connects anew and updates the one row
    EXPECT_FALSE(test::uploadVerbunden(s, kDatenerfassung));
    const AnalyseGesendet wieder = senden(s);
    EXPECT_EQ(wieder.status, AnalyseGesendet::Status::Aktualisiert);
    EXPECT_EQ(entfernteZeilen(s, programmId), 1);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
}

TEST_F(Senden, EchterFehlerBeimAktualisieren)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    Server s(cfg);
    ASSERT_EQ(senden(s).status, AnalyseGesendet::Status::Eingefuegt);
    // a value the server's column cannot hold
    sql::exec(db(), "UPDATE AnalysenID SET pH = 9e999");
    QStringList schritte;
    const AnalyseGesendet r = senden(s, [&](QStringView p) { schritte << p.toString(); });
    EXPECT_EQ(schritte, QStringList{"Aktualisieren"}); // no second try as an insert
    EXPECT_EQ(r.status, AnalyseGesendet::Status::Fehler);
    EXPECT_EQ(r.meldung.nr, 1002);
    Server t(cfg);
    t.ServerVerbinden(kDatenerfassung);
    EXPECT_EQ(entfernteZeilen(t, programmId), 1);
}

TEST_F(Senden, AnmeldungAbgelehntGibtMeldung1002)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    ServerConfig falsch = cfg;
    falsch.password = "falsch";
    Server s(falsch);
    const AnalyseGesendet r = senden(s);
    EXPECT_EQ(r.status, AnalyseGesendet::Status::Fehler);
    EXPECT_EQ(r.meldung.nr, 1002);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
}

#include "services/server.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace kav;
using test::geschlossenerPort;

TEST(Server, NichtEingerichtetOderGeschlossenerPortIstSchnellUnerreichbar)
{
    Server ohne(ServerConfig{});
    EXPECT_EQ(ohne.ServerErreichbar(""), -1.0f);
    ohne.ServerVerbinden(kDatenerfassung);
    EXPECT_FALSE(ohne.blnServerVerbunden(kDatenerfassung));

    ServerConfig c;
    c.host = "127.0.0.1";
    c.port = geschlossenerPort();
    c.reachTimeoutMs = 30000;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(Server(c).ServerErreichbar(c.host), -1.0f);
    EXPECT_LT(t.elapsed(), 15000); // refused at once, not after the time-out
}

TEST(Server, JedeDatenbankHatIhreEigeneVerbindung)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    ServerConfig falsch = cfg, zu = cfg;
    falsch.password = "quillotrap";
    zu.port = geschlossenerPort();
    {
        Server f(falsch); // a wrong password: reachable, but not connected
        EXPECT_GE(f.ServerErreichbar(cfg.host), 0.0f);
        f.ServerVerbinden(kDatenerfassung);
        EXPECT_FALSE(f.blnServerVerbunden(kDatenerfassung));
        EXPECT_FALSE(f.letzterFehler().isEmpty());
    }
    Server s(cfg);
    s.ServerVerbinden(kDatenerfassung);
    ASSERT_TRUE(s.blnServerVerbunden(kDatenerfassung)) << s.letzterFehler().toStdString();
    EXPECT_FALSE(s.blnServerVerbunden(kUpdateDatenbank));
    s.ServerVerbinden(kUpdateDatenbank);
    ASSERT_TRUE(s.blnServerVerbunden(kUpdateDatenbank)) << s.letzterFehler().toStdString();
    EXPECT_EQ(sql::scalar(s.cnServer(kDatenerfassung), "SELECT DATABASE()").toString(), kDatenerfassung);
    EXPECT_EQ(sql::scalar(s.cnServer(kUpdateDatenbank), "SELECT DATABASE()").toString(), kUpdateDatenbank);
    // the account writes the data collection and only reads the update database
    EXPECT_NO_THROW(sql::exec(s.cnServer(kDatenerfassung), "SELECT COUNT(*) FROM analysen"));
    EXPECT_THROW(sql::exec(s.cnServer(kUpdateDatenbank), "INSERT INTO updatemanager (DateiMajor) VALUES (?)", {1}),
                 sql::Error);
    s.trennen(kUpdateDatenbank);
    EXPECT_FALSE(s.blnServerVerbunden(kUpdateDatenbank));

    // a closed port leaves the open connection and its flag untouched
    Server t(zu);
    t.ServerVerbinden(kDatenerfassung);
    EXPECT_FALSE(t.blnServerVerbunden(kDatenerfassung));
    EXPECT_TRUE(s.blnServerVerbunden(kDatenerfassung));
    EXPECT_TRUE(s.cnServer(kDatenerfassung).isOpen());
}

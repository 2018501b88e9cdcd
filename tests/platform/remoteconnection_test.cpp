// The remote connection: its options from Server.ini, TLS against the test server (which offers it),
// a party in the middle that hides TLS, and a statement waiting for a hung server broken off from
// another thread.
#include "platform/remoteconnection.h"
#include "services/sql.h"
#include "testhelpers.h"
#include "zwischenstelle.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <atomic>

#include <sys/stat.h>

using namespace kav;

namespace {

TEST(Verbindungsoptionen, AusServerIni)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Server.ini");
    const struct {
        const char* inhalt;
        QString optionen;
    } faelle[] = {
        {"[Server]\nAdresse=h\n", "MYSQL_OPT_CONNECT_TIMEOUT=2;MYSQL_OPT_READ_TIMEOUT=10;MYSQL_OPT_WRITE_TIMEOUT=10;SSL_CIPHER="},
        {"[Server]\nVerbindenSekunden=30\nLesenSekunden=60\nSchreibenSekunden=0\n",
         "MYSQL_OPT_CONNECT_TIMEOUT=10;MYSQL_OPT_READ_TIMEOUT=10;MYSQL_OPT_WRITE_TIMEOUT=1;SSL_CIPHER="},
        {"[Server]\nVerbindenSekunden=1\nLesenSekunden=3\nSSLCA=ca/wurzel.pem\n",
         "MYSQL_OPT_CONNECT_TIMEOUT=1;MYSQL_OPT_READ_TIMEOUT=3;MYSQL_OPT_WRITE_TIMEOUT=10;SSL_CA=" + dir.filePath("ca/wurzel.pem")},
        {"[Server]\nSSLCA=/etc/kav/ca.pem\n",
         "MYSQL_OPT_CONNECT_TIMEOUT=2;MYSQL_OPT_READ_TIMEOUT=10;MYSQL_OPT_WRITE_TIMEOUT=10;SSL_CA=/etc/kav/ca.pem"},
    };
    for (const auto& f : faelle) {
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ini, f.inhalt));
        EXPECT_EQ(verbindungsOptionen(ServerConfig::fromIni(ini)), f.optionen) << f.inhalt;
    }
}

// The build writes Server.ini (with the server's passwords) for its owner's eyes only.
TEST(Verbindungsoptionen, ServerIniNurFuerDenBesitzer)
{
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(test::programmOrdner() + "/Server.ini").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

class Tls : public ::testing::Test {
protected:
    void SetUp() override
    {
        KAV_SERVER_ODER_UEBERSPRINGEN(c);
        cfg = c;
        ca = qEnvironmentVariable("KAV_TEST_MYSQL_CA");
        fremdeCa = qEnvironmentVariable("KAV_TEST_MYSQL_FREMDE_CA");
        if (ca.isEmpty()) {
            if (test::serverPflicht())
                FAIL() << "Der Testserver bietet kein TLS an (KAV_TEST_MYSQL_CA)";
            GTEST_SKIP() << "Testserver ohne TLS";
        }
    }
    ServerConfig cfg;
    QString ca, fremdeCa;
};

TEST_F(Tls, VerschluesseltWoAngebotenGeprueftMitCa)
{
    test::Zwischenstelle verbergend(cfg.host, cfg.port);
    verbergend.tlsVerbergen();
    const struct {
        const char* was;
        QString ca;
        bool tlsVerborgen;
        bool offen, verschluesselt;
    } faelle[] = {
        {"ohne CA", {}, false, true, true},
        {"mit ihrer CA", ca, false, true, true},
        {"mit fremder CA", fremdeCa, false, false, false},
        {"ohne CA, TLS verborgen", {}, true, true, false},
        {"mit CA, TLS verborgen", ca, true, false, false},
        {"CA-Datei fehlt", "/gibt/es/nicht.pem", false, false, false},
    };
    for (const auto& f : faelle) {
        ServerConfig c = cfg;
        c.sslCa = f.ca;
        if (f.tlsVerborgen) {
            c.host = "127.0.0.1";
            c.port = verbergend.port();
        }
        QString warum;
        EXPECT_EQ(openRemoteConnection(c, "tls_test", "kav_datenerfassung", &warum), f.offen) << f.was << ": " << warum.toStdString();
        if (f.offen) {
            EXPECT_EQ(verbindungVerschluesselt(QSqlDatabase::database("tls_test", false)), f.verschluesselt) << f.was;
            // what the server says of the same connection
            const QString cipher = sql::scalar(QSqlDatabase::database("tls_test", false),
                                               "SELECT VARIABLE_VALUE FROM information_schema.SESSION_STATUS "
                                               "WHERE VARIABLE_NAME = 'Ssl_cipher'")
                                       .toString();
            EXPECT_EQ(!cipher.isEmpty(), f.verschluesselt) << f.was;
        } else {
            EXPECT_FALSE(QSqlDatabase::contains("tls_test")) << f.was;
        }
        closeRemoteConnection("tls_test");
    }
}

// A statement that waits for a server that no longer answers ends once another thread breaks it off,
// long before its read time-out; a connection registered after that is broken off at once.
TEST(Abbruch, EndetDieWarteschleifeSofort)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    test::Zwischenstelle halt(cfg.host, cfg.port);
    ServerConfig c = cfg;
    c.host = "127.0.0.1";
    c.port = halt.port();
    c.readTimeoutS = 10;
    VerbindungsAbbruch abbruch;
    QElapsedTimer uhr;
    uhr.start();
    std::atomic<qint64> fertig = -1;
    std::atomic<bool> fragt = false, fehler = false;
    QThread* faden = QThread::create([&] {
        const bool offen = openRemoteConnection(c, "abbruch_test", "kav_datenerfassung");
        EXPECT_TRUE(offen);
        if (offen) {
            const QSqlDatabase db = QSqlDatabase::database("abbruch_test", false);
            abbruch.anmelden("abbruch_test", db);
            halt.anhalten();
            QSqlQuery q(db);
            fragt = true;
            fehler = !q.exec("SELECT 1");
        }
        fertig = uhr.elapsed();
        abbruch.abmelden("abbruch_test");
        closeRemoteConnection("abbruch_test");
    });
    faden->start();
    while (!fragt && fertig < 0)
        QThread::msleep(10);
    QThread::msleep(300); // the statement waits by now, most likely
    const qint64 abbruchBei = uhr.elapsed();
    abbruch.abbrechen();
    ASSERT_TRUE(faden->wait(60000));
    delete faden;
    EXPECT_TRUE(fehler);
    EXPECT_LT(fertig - abbruchBei, 5000); // the read time-out is 10 s
    EXPECT_TRUE(abbruch.abgebrochen());

    halt.weiter();
    ASSERT_TRUE(openRemoteConnection(c, "abbruch_test", "kav_datenerfassung"));
    abbruch.anmelden("abbruch_test", QSqlDatabase::database("abbruch_test", false));
    EXPECT_THROW(sql::exec(QSqlDatabase::database("abbruch_test", false), "SELECT 1"), sql::Error);
    abbruch.abmelden("abbruch_test");
    closeRemoteConnection("abbruch_test");
}

} // namespace

#include "platform/reachability.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <gtest/gtest.h>

using namespace kav;

// A TCP connect within the time-out, by address or by name; a closed port, a name nobody knows and
// bad arguments are unreachable, never later than the time-out.
TEST(Erreichbarkeit, VerbindenInnerhalbDerZeit)
{
    QTcpServer offen;
    ASSERT_TRUE(offen.listen(QHostAddress::LocalHost, 0));
    const int port = offen.serverPort();
    QTcpServer zu;
    ASSERT_TRUE(zu.listen(QHostAddress::LocalHost, 0));
    const int geschlossen = zu.serverPort();
    zu.close();

    const struct { const char* host; int port; int zeitMs; bool erreichbar; } faelle[] = {
        {"127.0.0.1", port, 30000, true},
        {"localhost", port, 30000, true}, // by name
        {"127.0.0.1", geschlossen, 2000, false},
        {"kein-rechner.invalid", port, 2000, false},
        {"", port, 2000, false},
        {"127.0.0.1", 0, 2000, false},
        {"127.0.0.1", 70000, 2000, false},
        {"127.0.0.1", port, 0, false},
    };
    for (const auto& f : faelle) {
        QElapsedTimer uhr;
        uhr.start();
        const double s = tcpConnectSeconds(QString::fromLatin1(f.host), f.port, f.zeitMs);
        EXPECT_EQ(s >= 0, f.erreichbar) << f.host << ":" << f.port;
        EXPECT_LT(uhr.elapsed(), f.zeitMs + 2000) << f.host;
        if (f.erreichbar) {
            EXPECT_LT(s, f.zeitMs / 1000.0);
        }
    }
}

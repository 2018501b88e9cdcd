#include "testhelpers.h"

#include "services/server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTcpServer>

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::test {

QStringList MeldungsProtokoll::texte() const
{
    QStringList out;
    for (const Meldung& m : meldungen)
        out << m.text;
    return out;
}

namespace {
// The environment variable `name`, or the path of this build when it is unset.
QString pfad(const char* name, const char* vorgabe)
{
    const QString wert = qEnvironmentVariable(name);
    return wert.isEmpty() ? QString::fromUtf8(vorgabe) : wert;
}
} // namespace

QString quellOrdner() { return pfad("KAV_SOURCE_DIR", KAV_TEST_SOURCE_DIR); }
QString erzeugteDaten() { return pfad("KAV_GENERATED_DIR", KAV_TEST_GENERATED_DIR); }
QString programmOrdner() { return pfad("KAV_PROGRAM_DIR", KAV_TEST_PROGRAM_DIR); }

void leereDatei(const QString& pfad, Datenbankdatei art)
{
    QString why;
    ASSERT_TRUE(leereDatenbankAnlegen(pfad, art, true, &why)) << why.toStdString();
}

void referenzDatei(const QString& pfad)
{
    const QString quelle = erzeugteDaten() + QStringLiteral("/Kav.KRN");
    ASSERT_TRUE(QFileInfo::exists(quelle)) << "Kav.KRN wurde nicht erzeugt: " << quelle.toStdString();
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile::remove(pfad);
    ASSERT_TRUE(QFile::copy(quelle, pfad));
    QFile(pfad).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

void schreibeDatei(const QString& pfad, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<ServerConfig> testServer()
{
    const QString port = qEnvironmentVariable("KAV_TEST_MYSQL_PORT");
    if (port.isEmpty())
        return std::nullopt;
    ServerConfig c;
    c.host = qEnvironmentVariable("KAV_TEST_MYSQL_HOST", QStringLiteral("127.0.0.1"));
    c.port = port.toInt();
    c.user = qEnvironmentVariable("KAV_TEST_MYSQL_USER");
    c.password = qEnvironmentVariable("KAV_TEST_MYSQL_PASSWORD");
    c.reachTimeoutMs = 2000;
    c.connectTimeoutS = 10; // the greeting and TLS of a server on a busy machine
    return c;
}

bool serverPflicht() { return qEnvironmentVariable("CI") == QLatin1String("true"); }

int geschlossenerPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const int port = s.serverPort();
    s.close();
    return port;
}

QString zufallsProgrammId()
{
    QString id;
    for (int i = 0; i < 18; ++i)
        id += QChar(u'0' + QRandomGenerator::global()->bounded(10));
    return id;
}

bool uploadVerbunden(Server& s, const QString& datenbank)
{
    bool verbunden = false;
    s.ausfuehren([&] { verbunden = s.blnServerVerbunden(datenbank); });
    return verbunden;
}

namespace {
int g_flushFehler = 0;
QByteArray g_flushDatei; // empty: folders fail
} // namespace

FlushFehler::FlushFehler(int fehler, const QString& datei)
{
    g_flushFehler = fehler;
    g_flushDatei = QFile::encodeName(datei);
    m_vorher = Dateisystem::flushaufrufSetzen([](int fd) {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return ::fsync(fd);
        bool trifft = S_ISDIR(st.st_mode) && g_flushDatei.isEmpty();
        if (S_ISREG(st.st_mode) && !g_flushDatei.isEmpty()) {
            char pfad[4096];
            const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), pfad, sizeof pfad);
            trifft = n > 0 && QByteArray(pfad, n).endsWith(g_flushDatei);
        }
        return trifft ? (errno = g_flushFehler, -1) : ::fsync(fd);
    });
}

FlushFehler::~FlushFehler() { Dateisystem::flushaufrufSetzen(m_vorher); }

void fremdesAnlegen(const QString& pfad, Fremd art, const QString& ziel)
{
    const QByteArray name = QFile::encodeName(pfad);
    switch (art) {
    case Fremd::Rohr:
        ASSERT_EQ(::mkfifo(name.constData(), 0666), 0) << name.constData();
        return;
    case Fremd::Verknuepfung:
        ASSERT_TRUE(QFile::link(ziel, pfad)) << name.constData();
        return;
    case Fremd::Geraet:
        if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) // what /dev/null is
            return;
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        ASSERT_LT(name.size(), qsizetype(sizeof adresse.sun_path)) << name.constData();
        std::memcpy(adresse.sun_path, name.constData(), name.size());
        const int r = ::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse);
        ::close(s);
        ASSERT_EQ(r, 0) << name.constData();
        return;
    }
}

} // namespace kav::test

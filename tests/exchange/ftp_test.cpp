// Downloads over FTP from the test server: line ends of text transfers, bytes of binary ones,
// and that a failed or cancelled transfer leaves no file behind.
#include "platform/ftp.h"
#include "updateserver.h"

#include <QRegularExpression>
#include <QTcpServer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <thread>

using namespace kav;
using kav::test::inhalt;

namespace {

// An FTP server that offers no TLS and writes down every command it hears, for one session. Asked
// for any file it sends `datei` and states `genannt` bytes as its size.
class Mitschrift {
public:
    explicit Mitschrift(QByteArray datei = {}, qint64 genannt = 0) : m_datei(std::move(datei)), m_genannt(genannt)
    {
        port = hoeren(m_hoerer);
        m_faden = std::thread([this] { sitzung(); });
    }
    ~Mitschrift()
    {
        shutdown(m_hoerer, SHUT_RDWR);
        m_faden.join();
        close(m_hoerer);
    }
    QStringList befehle()
    {
        const std::lock_guard<std::mutex> l(m_sperre);
        return m_befehle;
    }
    int port = 0;

private:
    void sitzung()
    {
        const int fd = accept(m_hoerer, nullptr, nullptr);
        if (fd < 0)
            return;
        const auto sagen = [fd](const char* zeile) { send(fd, zeile, strlen(zeile), MSG_NOSIGNAL); };
        sagen("220 bereit\r\n");
        QByteArray puffer;
        char c[512];
        for (ssize_t n; (n = read(fd, c, sizeof c)) > 0;) {
            puffer.append(c, n);
            for (qsizetype ende; (ende = puffer.indexOf("\r\n")) >= 0; puffer.remove(0, ende + 2)) {
                const QString befehl = QString::fromLatin1(puffer.left(ende));
                {
                    const std::lock_guard<std::mutex> l(m_sperre);
                    m_befehle << befehl;
                }
                const QString wort = befehl.section(' ', 0, 0).toUpper();
                if (wort == "USER")
                    sagen("331 Passwort bitte\r\n");
                else if (wort == "PASS")
                    sagen("230 angemeldet\r\n");
                else if (wort == "PWD")
                    sagen("257 \"/\"\r\n");
                else if (wort == "CWD" || wort == "TYPE")
                    sagen("250 gut\r\n");
                else if (wort == "QUIT")
                    sagen("221 auf Wiedersehen\r\n");
                else if (wort == "EPSV")
                    sagen(QString("229 passiv (|||%1|)\r\n").arg(datenHoeren()).toLatin1().constData());
                else if (wort == "SIZE")
                    sagen(QString("213 %1\r\n").arg(m_genannt).toLatin1().constData());
                else if (wort == "RETR") {
                    sagen("150 kommt\r\n");
                    sagen(datenSenden() ? "226 fertig\r\n" : "426 abgebrochen\r\n");
                }
                else
                    sagen("502 nicht hier\r\n");
            }
        }
        close(fd);
    }

    // A listener on a free port of 127.0.0.1 in `fd`; its port.
    static int hoeren(int& fd)
    {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(fd, 1);
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
        return ntohs(a.sin_port);
    }
    // The port of a new data connection's listener.
    int datenHoeren() { return hoeren(m_daten); }
    // False when the client closed the connection before it had all.
    bool datenSenden()
    {
        const int fd = accept(m_daten, nullptr, nullptr);
        close(m_daten);
        bool ganz = fd >= 0;
        for (qsizetype ab = 0; ganz && ab < m_datei.size();) {
            const ssize_t n = send(fd, m_datei.constData() + ab, static_cast<size_t>(m_datei.size() - ab), MSG_NOSIGNAL);
            ganz = n > 0;
            ab += n;
        }
        close(fd);
        return ganz;
    }

    QByteArray m_datei;
    qint64 m_genannt;
    int m_daten = -1;
    int m_hoerer = -1;
    std::mutex m_sperre;
    QStringList m_befehle;
    std::thread m_faden;
};

// TLS is asked for before the account is sent. A server without it gets the account in clear, unless
// a CA file is named: then the account is not sent at all.
TEST(FtpTls, ErstAuthTlsDannDasKonto)
{
    for (const bool mitCa : {false, true}) {
        Mitschrift server;
        FtpKonto k{"127.0.0.1", server.port, "kavftp", "geheim"};
        k.connectTimeoutS = 10;
        if (mitCa)
            k.caDatei = "/etc/ssl/certs/ca-certificates.crt";
        FtpErgebnis r;
        {
            FtpVerbindung v(k);
            r = v.FTPVerbinden();
        }
        const QStringList b = server.befehle();
        ASSERT_FALSE(b.isEmpty()) << mitCa;
        EXPECT_EQ(b.first(), "AUTH TLS") << mitCa;
        if (mitCa) {
            EXPECT_EQ(r.art, FtpErgebnis::Art::NichtGesichert);
            EXPECT_TRUE(b.filter(QRegularExpression("^(USER|PASS)")).isEmpty()) << b.join(" | ").toStdString();
        } else {
            EXPECT_TRUE(r.ok()) << r.technisch.toStdString() << " " << b.join(" | ").toStdString();
            EXPECT_TRUE(b.contains("PASS geheim"));
        }
    }
}

TEST(Zeilenende, CrLfWirdLfAuchUeberStueckgrenzen)
{
    const std::pair<QByteArray, QByteArray> faelle[] = {
        {"a\r\nb\r\n", "a\nb\n"}, {"a\rb\r", "a\rb\r"}, {"\r\r\n\n", "\r\n\n"}, {"ä\r\n", "ä\n"}};
    for (const auto& [ein, aus] : faelle)
        for (int teil = 0; teil <= ein.size(); ++teil) { // every split into two chunks
            ZeilenendeWandler w;
            QByteArray r = w.wandeln(ein.constData(), teil);
            r += w.wandeln(ein.constData() + teil, ein.size() - teil);
            r += w.ende();
            EXPECT_EQ(r, aus) << ein.toStdString() << " geteilt bei " << teil;
        }
}

class Ftp : public ::testing::Test {
protected:
    void SetUp() override
    {
        KAV_AUSTAUSCH_ODER_UEBERSPRINGEN(k);
        konten = k;
        ordner = "/" + test::fallName() + "/Kav/Lexikon";
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(k.ftpWurzel + ordner + "/1.txt", "<p>Zeile</p>\r\n<p>Ä</p>\r\n"));
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(k.ftpWurzel + ordner + "/Bild ä.png", "\x89PNG\r\n\x1a\n\r\n"));
    }
    FtpKonto konto(const QString& passwort = {}, int port = 0) const
    {
        return FtpKonto{konten.programm.host, port ? port : konten.programm.ftpPort, konten.programm.ftpUser,
                        passwort.isEmpty() ? konten.programm.ftpPassword : passwort};
    }

    test::AustauschKonten konten;
    QString ordner;
    QTemporaryDir lokal;
};

TEST_F(Ftp, TextUndBinaerUeberEineVerbindung)
{
    FtpVerbindung f(konto());
    ASSERT_TRUE(f.FTPVerbinden().ok());
    EXPECT_TRUE(f.FTPTextHolen(ordner, "1.txt", lokal.filePath("1.txt")).ok());
    EXPECT_EQ(inhalt(lokal.filePath("1.txt")), "<p>Zeile</p>\n<p>Ä</p>\n");
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(lokal.filePath("b.png"), "alt")); // an existing file is replaced
    EXPECT_TRUE(f.FTPDateiHolen(ordner, "Bild ä.png", lokal.filePath("b.png")).ok());
    EXPECT_EQ(inhalt(lokal.filePath("b.png")), QByteArray("\x89PNG\r\n\x1a\n\r\n"));
    // the account travels apart from the address; the path is absolute and encoded
    EXPECT_EQ(f.adresse(ordner, "Bild ä.png"), "ftp://" + konten.programm.host + ":" + QString::number(konten.programm.ftpPort)
                                                   + "/%2F" + test::fallName() + "/Kav/Lexikon/Bild%20%C3%A4.png");
}

TEST_F(Ftp, FehlschlaegeLassenKeineDateiZurueck)
{
    QTcpServer frei;
    frei.listen(QHostAddress::LocalHost, 0);
    const int zu = frei.serverPort();
    frei.close();
    std::atomic<bool> abbrechen{true};
    const struct {
        const char* was;
        FtpKonto konto;
        QString datei;
        bool abbruch;
        FtpErgebnis::Art art;
        qint64 hoechstens = 0;
    } faelle[] = {{"Datei fehlt", konto(), "2.txt", false, FtpErgebnis::Art::DateiFehlt},
                  {"falsches Passwort", konto("falsch"), "1.txt", false, FtpErgebnis::Art::AnmeldungAbgelehnt},
                  {"Port zu", konto({}, zu), "1.txt", false, FtpErgebnis::Art::NichtErreichbar},
                  {"abgebrochen", konto(), "1.txt", true, FtpErgebnis::Art::Abgebrochen},
                  {"zu groß", konto(), "1.txt", false, FtpErgebnis::Art::ZuGross, 10}};
    for (const auto& f : faelle) {
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(lokal.filePath("da.txt"), "bleibt"));
        FtpVerbindung v(f.konto);
        if (f.abbruch)
            v.setAbbruch(&abbrechen);
        EXPECT_EQ(v.FTPTextHolen(ordner, f.datei, lokal.filePath("da.txt"), f.hoechstens).art, f.art) << f.was;
        EXPECT_EQ(inhalt(lokal.filePath("da.txt")), "bleibt") << f.was;
        EXPECT_EQ(QDir(lokal.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"da.txt"}) << f.was;
    }
}

} // namespace

// A server that states a size below the limit and then sends more than the limit: refused as too
// large, with no size (the one it stated was wrong), and no file left behind. A file of exactly the
// limit, stated and sent, is taken whole.
TEST(FtpGroesse, MehrAlsGenanntIstZuGross)
{
    const struct { qint64 genannt, gesendet, hoechstens; bool zuGross; } faelle[] = {
        {100, 5 << 20, 1 << 20, true}, {1000, 40 << 20, 32 << 20, true}, {1 << 20, 1 << 20, 1 << 20, false}};
    for (const auto& f : faelle) {
        const QByteArray datei(f.gesendet, 'x');
        Mitschrift server(datei, f.genannt);
        FtpKonto k{"127.0.0.1", server.port, "kavftp", "geheim"};
        k.connectTimeoutS = 10;
        QTemporaryDir lokal;
        FtpVerbindung v(k);
        const FtpErgebnis r = v.FTPDateiHolen("/Kav/Vorschau", "Bild.png", lokal.filePath("Bild.png"), f.hoechstens);
        EXPECT_EQ(r.art, f.zuGross ? FtpErgebnis::Art::ZuGross : FtpErgebnis::Art::Ok) << f.genannt << " " << r.technisch.toStdString();
        EXPECT_EQ(r.groesse, -1) << f.genannt;
        EXPECT_EQ(inhalt(lokal.filePath("Bild.png")), f.zuGross ? QByteArray() : datei) << f.genannt;
        EXPECT_EQ(QDir(lokal.path()).entryList(QDir::Files | QDir::Hidden).size(), f.zuGross ? 0 : 1) << f.genannt;
    }
}

// Downloads over FTP from the test server: line ends of text transfers, bytes of binary ones,
// and that a failed or cancelled transfer leaves no file behind.
#include "platform/ftp.h"
#include "updateserver.h"

#include <QTcpServer>

using namespace kav;

namespace {

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
    static QByteArray inhalt(const QString& pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
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
    } faelle[] = {{"Datei fehlt", konto(), "2.txt", false, FtpErgebnis::Art::DateiFehlt},
                  {"falsches Passwort", konto("falsch"), "1.txt", false, FtpErgebnis::Art::AnmeldungAbgelehnt},
                  {"Port zu", konto({}, zu), "1.txt", false, FtpErgebnis::Art::NichtErreichbar},
                  {"abgebrochen", konto(), "1.txt", true, FtpErgebnis::Art::Abgebrochen}};
    for (const auto& f : faelle) {
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(lokal.filePath("da.txt"), "bleibt"));
        FtpVerbindung v(f.konto);
        if (f.abbruch)
            v.setAbbruch(&abbrechen);
        EXPECT_EQ(v.FTPTextHolen(ordner, f.datei, lokal.filePath("da.txt")).art, f.art) << f.was;
        EXPECT_EQ(inhalt(lokal.filePath("da.txt")), "bleibt") << f.was;
        EXPECT_EQ(QDir(lokal.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"da.txt"}) << f.was;
    }
}

} // namespace

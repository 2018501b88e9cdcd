#include "platform/dateisystem.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kav;

namespace {

// While it lives, no file of this process grows beyond `bytes`: a write past it is cut short, as on a
// full disk (the signal that would end the process is ignored meanwhile).
class Dateigrenze {
public:
    explicit Dateigrenze(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_vorher);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit grenze{bytes, m_vorher.rlim_max};
        m_gesetzt = ::setrlimit(RLIMIT_FSIZE, &grenze) == 0;
    }
    ~Dateigrenze()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_vorher);
        std::signal(SIGXFSZ, m_signal);
    }
    bool gesetzt() const { return m_gesetzt; }

private:
    rlimit m_vorher{};
    void (*m_signal)(int) = nullptr;
    bool m_gesetzt = false;
};

} // namespace

// A file is only ever made new, whole and on the disk: never over a file (nothing truncated or
// overwritten), through a link (to a file or to nowhere), into a folder or a named pipe (never waiting
// on it); a write cut short fails and leaves no part of the file.
TEST(Dateisystem, NeuAnlegenNurWoNichtsLiegtUndGanz)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("Marke"), ziel = dir.filePath("Ziel"), nirgends = dir.filePath("nirgends");
    const QByteArray neu = QByteArray("neu\n").repeated(1024);
    enum { Nichts, Datei, Verknuepfung, VerknuepfungInsLeere, Ordner, Rohr, Kurz };
    const struct { const char* fall; int lage; bool angelegt; Dateisystem::Art danach; } faelle[] = {
        {"nichts da", Nichts, true, Dateisystem::Art::Datei},
        {"eine Datei", Datei, false, Dateisystem::Art::Datei},
        {"eine Verknüpfung auf eine Datei", Verknuepfung, false, Dateisystem::Art::Verknuepfung},
        {"eine Verknüpfung ins Leere", VerknuepfungInsLeere, false, Dateisystem::Art::Verknuepfung},
        {"ein Ordner", Ordner, false, Dateisystem::Art::Ordner},
        {"ein Rohr", Rohr, false, Dateisystem::Art::KeineDatei},
        {"kurz geschrieben", Kurz, false, Dateisystem::Art::Fehlt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ziel, "Ziel, länger als nichts"));
        if (f.lage == Datei) {
            ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(pfad, "alt"));
        } else if (f.lage == Verknuepfung || f.lage == VerknuepfungInsLeere) {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Verknuepfung, f.lage == Verknuepfung ? ziel : nirgends));
        } else if (f.lage == Ordner) {
            ASSERT_TRUE(QDir().mkdir(pfad));
        } else if (f.lage == Rohr) {
            ASSERT_NO_FATAL_FAILURE(test::fremdesAnlegen(pfad, test::Fremd::Rohr));
        }
        // a reader at the pipe: a write opened through it would not wait
        const int leser = f.lage == Rohr ? ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK) : -1;
        bool angelegt = false;
        {
            std::optional<Dateigrenze> grenze;
            if (f.lage == Kurz) {
                ASSERT_TRUE(grenze.emplace(100).gesetzt());
            }
            angelegt = Dateisystem::neuAnlegen(pfad, neu);
        }
        if (leser >= 0)
            ::close(leser);
        EXPECT_EQ(angelegt, f.angelegt);
        EXPECT_EQ(Dateisystem::art(pfad), f.danach);
        if (f.lage == Nichts || f.lage == Datei) { // a pipe is not opened
            EXPECT_EQ(test::inhalt(pfad), f.lage == Nichts ? neu : QByteArray("alt"));
        }
        EXPECT_EQ(test::inhalt(ziel), "Ziel, länger als nichts");
        EXPECT_FALSE(QFile::exists(nirgends));
        QFile::remove(pfad) || QDir().rmdir(pfad);
    }
}

#pragma once
// Helpers shared by the tests.
#include "platform/dateisystem.h"
#include "platform/remoteconnection.h"
#include "services/meldungen.h"
#include "services/schema.h"

#include <QString>
#include <QTemporaryDir>
#include <QVector>
#include <gtest/gtest.h>

#include <optional>

namespace kav {
class Server;
}

namespace kav::test {

// Records the messages instead of showing them.
class MeldungsProtokoll final : public MeldungsAnzeige {
public:
    void zeige(const Meldung& m) override { meldungen.push_back(m); }
    QStringList texte() const;
    QVector<Meldung> meldungen;
};

// Path of the source tree, the generated data files and the program folder of the build; the
// environment variables KAV_SOURCE_DIR, KAV_GENERATED_DIR and KAV_PROGRAM_DIR override them.
QString quellOrdner();
QString erzeugteDaten();
QString programmOrdner();

// The helpers below stop with a fatal failure: call them inside ASSERT_NO_FATAL_FAILURE.

// Creates a database file with the schema at `pfad`.
void leereDatei(const QString& pfad, Datenbankdatei art);
// Copies the generated reference file to `pfad`.
void referenzDatei(const QString& pfad);

// Writes `bytes` to `pfad`.
void schreibeDatei(const QString& pfad, const QByteArray& bytes);
// The whole content of a file; empty when it cannot be read.
QByteArray inhalt(const QString& pfad);

// Connection values of the MariaDB started by the test script, if any (no CA file named: TLS where it
// offers it, unchecked). KAV_TEST_MYSQL_CA names the authority of its certificate when it offers TLS.
std::optional<ServerConfig> testServer();
// True when the test run must have its servers (CI).
bool serverPflicht();
// A port on 127.0.0.1 where nothing listens.
int geschlossenerPort();
// A program id of 18 random digits: every run writes server rows of its own.
QString zufallsProgrammId();
// The connected flag of the uploads' connection to `datenbank` (on the server's own thread).
bool uploadVerbunden(Server& s, const QString& datenbank);

// While it lives, every flush of a folder fails with `fehler` (errno): EINVAL as on a file system that
// offers none, EIO as on a failing disk; files are flushed as ever. With `datei`, it is the flush of
// each regular file whose path ends in `datei` that fails instead, and folders are flushed as ever.
class FlushFehler {
public:
    explicit FlushFehler(int fehler, const QString& datei = {});
    ~FlushFehler();
    FlushFehler(const FlushFehler&) = delete;
    FlushFehler& operator=(const FlushFehler&) = delete;

private:
    Dateisystem::Flushaufruf m_vorher;
};

// What the program never takes for a file of its own: a named pipe, a symbolic link (to `ziel`), or a
// device (a socket where this process may not make device nodes).
enum class Fremd { Rohr, Verknuepfung, Geraet };
// Puts `art` at `pfad`, where nothing is.
void fremdesAnlegen(const QString& pfad, Fremd art, const QString& ziel = {});

} // namespace kav::test

// Skips a test without server outside CI, fails it in CI.
#define KAV_SERVER_ODER_UEBERSPRINGEN(cfgVar)                                                     \
    auto cfgVar##_opt = ::kav::test::testServer();                                                \
    if (!cfgVar##_opt) {                                                                          \
        if (::kav::test::serverPflicht())                                                         \
            FAIL() << "Testserver fehlt (KAV_TEST_MYSQL_PORT), CI verlangt ihn";                  \
        GTEST_SKIP() << "kein Testserver";                                                        \
    }                                                                                             \
    const ::kav::ServerConfig cfgVar = *cfgVar##_opt

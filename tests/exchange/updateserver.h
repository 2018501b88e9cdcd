#pragma once
// The exchange's test servers: an update database and an FTP folder of each test's own, filled
// with the shipped reference data, and a program folder started on them.
#include "platform/remoteconnection.h"
#include "services/appcontext.h"
#include "testhelpers.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

namespace kav::test {

struct AustauschKonten {
    ServerConfig programm; // the program's account, FTP values included
    ServerConfig fixture;  // all rights
    QString ftpWurzel;     // the FTP server's root folder on disk
};
std::optional<AustauschKonten> austauschKonten();

// The name of the running test, usable in a database name.
QString fallName();

// Database kav_update_<fall> and FTP folder <fall>/Kav/{Lexikon,Vollbild,Vorschau}.
class UpdateServer {
public:
    UpdateServer(AustauschKonten k, const QString& fall);
    ~UpdateServer();

    // Every copied table, the chapter texts (line ends CR LF) and the pictures of `bilder`
    // (holding Vorschau/ and Vollbild/) from the reference file `quelle`.
    void fuellen(const QSqlDatabase& quelle, const QString& bilder);
    // The row of updatemanager; an empty date is NULL.
    void stand(const QStringList& daten, int major, int minor, int revision);
    void sql(const QString& anweisung, const QVariantList& werte = {});
    QVariant wert(const QString& anweisung, const QVariantList& werte = {});
    QString ftp(const QString& unter) const { return m_ftp + "/Kav/" + unter; }
    // Server.ini of the program for this case.
    void serverIni(const QString& pfad) const;
    // Ends the program account's connections to this database (from any thread).
    void verbindungenBeenden() const;
    // The program account's open connections to this database.
    int verbindungen();

    const AustauschKonten konten;
    const QString datenbank;

private:
    QString m_name;
    QString m_ftp;
    QString m_fall;
};

// A program folder (shipped Kav.KRN and pictures, empty Daten.KRN) started on the test servers.
class AustauschTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Kav.KRN's copied tables, the files below Lexikon/ and the date of the last update, as text.
    QString abbild() const;
    QSqlDatabase kav() const;
    QSqlDatabase daten() const;
    AppContext& a() const { return app(); }

    QTemporaryDir dir;
    MeldungsProtokoll protokoll;
    std::optional<UpdateServer> server;
};

} // namespace kav::test

#define KAV_AUSTAUSCH_ODER_UEBERSPRINGEN(var)                                                       \
    auto var##_opt = ::kav::test::austauschKonten();                                                \
    if (!var##_opt) {                                                                               \
        if (::kav::test::serverPflicht())                                                           \
            FAIL() << "Testserver fehlen (KAV_TEST_MYSQL_FIXTURE_USER, KAV_TEST_FTP_PORT), CI verlangt sie"; \
        GTEST_SKIP() << "keine Testserver";                                                         \
    }                                                                                               \
    const ::kav::test::AustauschKonten var = *var##_opt

#include "platform/settingsstore.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/programmstart.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class ProgrammStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Programmordner o{dir.path()};
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(o.kavStandard()));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(o.datenDatei(), Datenbankdatei::Daten));
    }
    void TearDown() override { appNeu(); }
    AppContext& neuerStart(const QDateTime& jetzt = QDateTime(QDate(2026, 12, 6), QTime(9, 15, 30)))
    {
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.uhr = std::make_shared<FixedClock>(jetzt);
        a.anzeige = &protokoll;
        return a;
    }
    QString ini() const { return dir.filePath("config/Kav.ini"); }

    QTemporaryDir dir;
    test::MeldungsProtokoll protokoll;
};

} // namespace

TEST_F(ProgrammStartTest, ErsterUndZweiterStart)
{
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    const QString id = a.einstellungen.strProgrammID;
    EXPECT_EQ(id.size(), 18);
    EXPECT_TRUE(id.startsWith("06122026091530"));
    EXPECT_TRUE(a.db->cnKav().isOpen() && a.db->cnDaten().isOpen());

    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.daten() + "/tmpDokument_06122026091600.pdf", "%PDF"));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.daten() + "/Notiz.pdf", "%PDF"));
    DiensteBeenden(a);
    EXPECT_EQ(QDir(a.ordner.daten()).entryList({"*.pdf"}), QStringList({"Notiz.pdf"}));
    EXPECT_TRUE(QFileInfo::exists(a.ordner.sicherungen() + "/Kav.PVQ")); // first backup
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::version, "Version"), programmVersion());

    AppContext& b = neuerStart(QDateTime(QDate(2026, 12, 7), QTime(8, 0))); // the settings come back
    ASSERT_TRUE(DiensteStarten(b, dir.path(), ini()));
    EXPECT_EQ(b.einstellungen.strProgrammID, id); // made once only
    EXPECT_EQ(b.einstellungen.datLetzteDS, QDate(2026, 12, 6));
    DiensteBeenden(b);
}

TEST_F(ProgrammStartTest, FehlgeschlageneSicherungHaeltDasSpeichernNichtAuf)
{
    AppContext& a = neuerStart();
    ASSERT_TRUE(DiensteStarten(a, dir.path(), ini()));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(a.ordner.sicherungen(), "Datei statt Ordner"));
    a.rahmen.strFensterZeigen = "NPK2";
    DiensteBeenden(a);
    EXPECT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::fenster, "strFensterZeigen"), "NPK2");
    EXPECT_FALSE(QSqlDatabase::database("cnKav", false).isOpen());
}

TEST_F(ProgrammStartTest, UnrettbareDateiHaeltDenStartAn)
{
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.path() + "/Daten/Kav.KRN", "kaputt"));
    QFile::remove(dir.path() + "/Daten/Standard/Kav.KRN");
    EXPECT_FALSE(DiensteStarten(neuerStart(), dir.path(), ini()));
    EXPECT_EQ(protokoll.meldungen.size(), 1);
}

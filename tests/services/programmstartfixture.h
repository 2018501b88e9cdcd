#pragma once
// The start of the services on a program folder in a temporary directory, and what the start tests
// share: a file or folder made unwritable (as another account's) while a start runs.
#include "services/appcontext.h"
#include "services/programmstart.h"
#include "testhelpers.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kav::test {

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
    // A second start on the same data folder: told so, nothing opened.
    void zweiterStartAbgewiesen()
    {
        AppContext zweiter;
        zweiter.anzeige = &protokoll;
        protokoll.meldungen.clear();
        EXPECT_FALSE(DiensteStarten(zweiter, dir.path(), ini()) || zweiter.server || zweiter.store || zweiter.db);
        EXPECT_TRUE(protokoll.texte().join("").startsWith("Kav läuft bereits mit dem Datenordner „" + dir.path() + "/Daten“."));
    }
    // Every file of the program folder with its content, but the lock file, which a start leaves.
    QMap<QString, QByteArray> dateien() const
    {
        QMap<QString, QByteArray> out;
        for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            if (const QString pfad = it.next(); !pfad.endsWith("/Daten/Kav.sperre"))
                out[QDir(dir.path()).relativeFilePath(pfad)] = test::inhalt(pfad);
        return out;
    }
    // True once `p` has written `zeile`, in however many pieces it comes.
    static bool meldet(QProcess& p, const QByteArray& zeile)
    {
        QByteArray aus;
        while (!aus.contains(zeile) && p.waitForReadyRead(30000))
            aus += p.readAllStandardOutput();
        return aus.contains(zeile);
    }

    QTemporaryDir dir;
    test::MeldungsProtokoll protokoll;
};


// While it lives, `pfad` cannot be written by the test (or has `modus`). Modes do not stop root: then
// the test runs as "nobody" meanwhile (the folder above opened for reading) and is root again afterwards.
class Schreibschutz {
public:
    Schreibschutz(const QString& oben, const QString& daten, const QString& pfad, bool ordner, mode_t modus = 0)
        : m_pfad(pfad), m_ordner(ordner)
    {
        // everything else open to the test's user, whoever that is
        ::chmod(QFile::encodeName(oben).constData(), 0755);
        ::chmod(QFile::encodeName(daten).constData(), 0777);
        for (const QString& f : QDir(daten).entryList(QDir::Files))
            ::chmod(QFile::encodeName(daten + "/" + f).constData(), 0666);
        ::chmod(QFile::encodeName(pfad).constData(), modus ? modus : ordner ? 0555 : 0444);
        m_root = ::geteuid() == 0;
        if (m_root)
            m_gewechselt = ::setresuid(65534, 65534, 0) == 0;
    }
    ~Schreibschutz()
    {
        if (m_gewechselt) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
        }
        ::chmod(QFile::encodeName(m_pfad).constData(), m_ordner ? 0755 : 0644);
    }
    bool wirksam() const { return !m_root || m_gewechselt; }

private:
    QString m_pfad;
    bool m_ordner;
    bool m_root = false;
    bool m_gewechselt = false;
};


} // namespace kav::test

#pragma once
// A program folder in a temporary directory and a started main window.
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/clock.h"
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "anordnungspruefung.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace kav::test {

class RahmenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ordnerAnlegen(dir.path()));
    }
    void TearDown() override
    {
        haupt.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app().diensteSchliessen();
    }

    static void ordnerAnlegen(const QString& basis)
    {
        Programmordner o{basis};
        ASSERT_NO_FATAL_FAILURE(referenzDatei(o.kavDatei()));
        ASSERT_NO_FATAL_FAILURE(referenzDatei(o.kavStandard()));
        ASSERT_NO_FATAL_FAILURE(leereDatei(o.datenDatei(), Datenbankdatei::Daten));
        QDir().mkpath(o.bilder());
        QDir().mkpath(o.hilfe());
        // the logo and its two small copies for the documents
        for (const char* logo : {"Logo_Kav.gif", "Logo_Kav_Dokument.gif", "Logo_Kav_Quer.gif"})
            QFile::copy(programmOrdner() + "/Bilder/" + logo, o.bilder() + "/" + logo);
    }

    // A fresh context and window set, then the start-up of the main window.
    mdiZentral& starten(const QDateTime& jetzt = QDateTime(QDate(2026, 12, 6), QTime(9, 0)))
    {
        haupt.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.uhr = std::make_shared<FixedClock>(jetzt);
        a.anzeige = &protokoll;
        uiNeu();
        haupt = std::make_unique<mdiZentral>();
        EXPECT_TRUE(haupt->MDIForm_Load(dir.path(), ini()));
        return *haupt;
    }

    // Main window and reference size for a layout of `breite` x `hoehe` pixels (normal state).
    void groesse(int breite, int hoehe) { hauptfensterGroesse(QSize(breite, hoehe)); }

    QString ini() const { return dir.filePath("config/Kav.ini"); }
    forms::FensterRegister& fenster() { return ui().fenster; }

    QTemporaryDir dir;
    MeldungsProtokoll protokoll;
    std::unique_ptr<mdiZentral> haupt;
};

// Geometry (twips), font and visibility of every widget below a window, by object path.
QMap<QString, QString> abbild(QWidget* w);

} // namespace kav::test

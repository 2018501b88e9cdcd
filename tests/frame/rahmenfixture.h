#pragma once
// A program folder in a temporary directory and a started main window.
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/clock.h"
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "anordnungspruefung.h"
#include "testhelpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kav::test {

// The mouse as the window system gives it to a window: moves, presses and releases that carry their
// own times (ms), on which Qt itself decides what a double-click is (QTest's clicks lie a double-click
// time apart and cannot show it). The time stands still until the test moves it on; it starts a
// double-click time after QTest's last click, QTest's clicks in between take their time, and QTest's
// next click comes a double-click time after the mouse's last event.
class Maus {
public:
    explicit Maus(QWidget* fenster)
        : m_fenster(fenster->windowHandle()), m_t(QTest::lastMouseTimestamp + QTest::mouseDoubleClickInterval),
          m_qtest(QTest::lastMouseTimestamp)
    {
    }
    void spaeter(int ms) { m_t += ms; }
    // A click at `p` in the window, its button held down for `halten` ms; the mouse moves there first.
    // Two at one place and time are a double-click.
    void klick(QPoint p, Qt::MouseButton taste = Qt::LeftButton, int halten = 0)
    {
        if (p != m_stelle)
            senden(p, Qt::NoButton, QEvent::MouseMove);
        senden(p, taste, QEvent::MouseButtonPress);
        m_t += halten;
        senden(p, taste, QEvent::MouseButtonRelease);
    }
    // A press at `p` in the window whose release never comes (the window system gives it elsewhere).
    void druecken(QPoint p, Qt::MouseButton taste = Qt::LeftButton)
    {
        if (p != m_stelle)
            senden(p, Qt::NoButton, QEvent::MouseMove);
        senden(p, taste, QEvent::MouseButtonPress);
    }
    // A release that `w` gets alone, at `p` in it: its press went elsewhere.
    void loslassen(QWidget* w, QPoint p) { allein(w, p, QEvent::MouseButtonRelease); }
    // The second press of a double-click as a widget receives it: the double-click event alone (not
    // the press the window gets before it), at `p` in `w`, and after `halten` ms its release.
    void doppelklickereignis(QWidget* w, QPoint p, int halten = 0)
    {
        allein(w, p, QEvent::MouseButtonDblClick);
        m_t += halten;
        allein(w, p, QEvent::MouseButtonRelease);
    }

private:
    void senden(QPoint q, Qt::MouseButton taste, QEvent::Type typ)
    {
        uhrNachziehen();
        m_stelle = q;
        const Qt::MouseButtons unten = typ == QEvent::MouseButtonPress ? Qt::MouseButtons(taste) : Qt::NoButton;
        qt_handleMouseEvent(m_fenster, q, m_fenster->mapToGlobal(q), unten, taste, typ, {}, m_t);
        gesendet();
    }
    void allein(QWidget* w, QPoint p, QEvent::Type typ)
    {
        uhrNachziehen();
        QMouseEvent e(typ, p, w->mapToGlobal(p), Qt::LeftButton,
                      typ == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        e.setTimestamp(m_t);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(w, &e);
        gesendet();
    }
    void uhrNachziehen() { m_t += QTest::lastMouseTimestamp - m_qtest; }
    void gesendet()
    {
        m_qtest = QTest::lastMouseTimestamp = m_t + QTest::mouseDoubleClickInterval;
        QCoreApplication::processEvents();
    }

    QWindow* m_fenster;
    int m_t, m_qtest;
    QPoint m_stelle{-1, -1};
};

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
        haupt = hauptfenster ? hauptfenster() : std::make_unique<mdiZentral>();
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
    // makes the main window of starten(), where a test gives one of its own
    std::function<std::unique_ptr<mdiZentral>()> hauptfenster;
};

// Geometry (twips), font and visibility of every widget below a window, by object path.
QMap<QString, QString> abbild(QWidget* w);

} // namespace kav::test

// Test main: an application object around GoogleTest, headless (offscreen) unless QT_QPA_PLATFORM says
// otherwise. Window tests get a QApplication (KAV_TEST_FENSTER), core tests a QGuiApplication;
// KAV_TEST_SKALIERUNG sets the device pixel ratio of the screen. Window tests lay out in the program's own
// font, as the program does; KAV_TEST_DESKTOPSCHRIFT names the family the run gives the desktop
// (tests/CMakeLists.txt): a run whose desktop has another one proves nothing and ends as skipped (77), or
// as failed under CI.
#ifdef KAV_TEST_FENSTER
#include "frame/programmschrift.h"

#include <QApplication>
#include <QFontInfo>
using TestAnwendung = QApplication;
#else
#include <QGuiApplication>
using TestAnwendung = QGuiApplication;
#endif
#include <gtest/gtest.h>

#include <cstdio>

namespace {
QtMessageHandler vorigerHandler = nullptr;

// The offscreen platform has no window manager to tell a window's minimum size; it says so for every window.
void meldung(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    vorigerHandler(typ, kontext, text);
}
} // namespace

int main(int argc, char** argv)
{
    vorigerHandler = qInstallMessageHandler(meldung);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KAV_TEST_SKALIERUNG
    // a high-density screen: every window drawn at this device pixel ratio
    qputenv("QT_SCALE_FACTOR", KAV_TEST_SKALIERUNG);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    TestAnwendung app(argc, argv);
#ifdef KAV_TEST_FENSTER
    const QString desktop = qEnvironmentVariable("KAV_TEST_DESKTOPSCHRIFT");
    if (!desktop.isEmpty() && QFontInfo(QApplication::font()).family() != desktop) {
        std::fprintf(stderr, "Die Schrift des Desktops ist %s, nicht %s: deren Paket fehlt (scripts/setup.sh installiert es)\n",
                     qPrintable(QFontInfo(QApplication::font()).family()), qPrintable(desktop));
        return qEnvironmentVariable("CI") == QLatin1String("true") ? 1 : 77;
    }
    if (!kav::programmschriftSetzen())
        return 1;
#endif
    return RUN_ALL_TESTS();
}

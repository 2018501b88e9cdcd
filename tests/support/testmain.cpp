// Test main: an application object around GoogleTest, headless (offscreen) unless QT_QPA_PLATFORM says
// otherwise. Window tests get a QApplication (KAV_TEST_FENSTER), core tests a QGuiApplication;
// KAV_TEST_SKALIERUNG sets the device pixel ratio of the screen.
#ifdef KAV_TEST_FENSTER
#include <QApplication>
using TestAnwendung = QApplication;
#else
#include <QGuiApplication>
using TestAnwendung = QGuiApplication;
#endif
#include <gtest/gtest.h>

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
    return RUN_ALL_TESTS();
}

#include "platform/settingsstore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

TEST(SettingsStore, TexteUnterSchluesselpfaden)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("sub/Kav.ini");
    const QString pfad = "Software\\KRN-Software\\Kav\\Einstellungen";
    {
        SettingsStore s(ini);
        s.RegistrySchreiben(pfad, "Liste", "a,b, c");
        s.RegistrySchreiben(pfad, "Zeichen", "x=y; [z] \"q\" #1");
        s.RegistrySchreiben(pfad, "Leer", "");
        s.RegistrySchreiben(pfad, "Lang", QString(255, 'x'));
        s.RegistrySchreiben(pfad, "Grenze", QString(254, 'y'));
        ASSERT_TRUE(s.sync());
    }
    SettingsStore s(ini);
    EXPECT_EQ(s.RegistryWertLesen(pfad, "Liste"), "a,b, c");
    EXPECT_EQ(s.RegistryWertLesen(pfad, "Zeichen"), "x=y; [z] \"q\" #1");
    EXPECT_EQ(s.RegistryWertLesen(pfad, "Fehlt"), "");
    EXPECT_EQ(s.RegistryWertLesen("Software\\Anders", "Liste"), "");
    EXPECT_EQ(s.RegistryLesen(pfad, "Leer", "Vorgabe"), "Vorgabe");
    EXPECT_EQ(s.RegistryLesen(pfad, "Fehlt", "Vorgabe"), "Vorgabe");
    EXPECT_EQ(s.RegistryWertLesen(pfad, "Lang"), "");          // too long for the read buffer
    EXPECT_EQ(s.RegistryWertLesen(pfad, "Grenze").size(), 254);
}

TEST(SettingsStore, NichtSchreibbareDateiWirdGemeldet)
{
    QTemporaryDir dir;
    SettingsStore s("/proc/kav-nicht-schreibbar/Kav.ini");
    s.RegistrySchreiben("Software\\X", "a", "b");
    EXPECT_FALSE(s.sync());
}

// Kav – Humavera: start of the program.
#include "frame/programm.h"
#include "platform/settingsstore.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    return kav::ProgrammAusfuehren(qapp, QApplication::applicationDirPath(), kav::SettingsStore::defaultPath());
}

// Kav – Humavera: start of the program.
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "services/meldungsbox.h"
#include "services/programmstart.h"
#include "platform/settingsstore.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kav"));
    QApplication::setOrganizationName(QStringLiteral("Humavera"));

    kav::AppContext& a = kav::app();
    a.gebiet = kav::SystemEinstellungenLesen();
    kav::MeldungsBox meldungen;
    a.anzeige = &meldungen;

    const bool ok = kav::DiensteStarten(a, QApplication::applicationDirPath(), kav::SettingsStore::defaultPath());
    if (ok)
        kav::DiensteBeenden(a);
    a.diensteSchliessen();
    return ok ? 0 : 1;
}

// Kav – Humavera: start of the program.
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/settingsstore.h"
#include "platform/signalwaechter.h"
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "services/meldungsbox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kav"));
    QApplication::setOrganizationName(QStringLiteral("Humavera"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The program speaks German: a system without a locale (C/POSIX) gets the German one, and
    // Qt's own texts (context menus, calendar) come in German.
    QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        system = QLocale(QLocale::German, QLocale::Germany);
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexte);

    kav::AppContext& a = kav::app();
    a.gebiet = kav::SystemEinstellungenLesen(system);
    QLocale::setDefault(a.gebiet.locale);
    kav::MeldungsBox meldungen;
    a.anzeige = &meldungen;

    int rc = 0;
    {
        kav::mdiZentral haupt;
        meldungen.setEltern(&haupt);
        if (!haupt.MDIForm_Load(QApplication::applicationDirPath(), kav::SettingsStore::defaultPath())) {
            rc = 1;
        } else {
            // shutdown or logout: the same end as closing the window, without questions
            kav::SignalWaechter signale;
            QObject::connect(&signale, &kav::SignalWaechter::beenden, &haupt, [&haupt] { haupt.systemEnde(); });
            haupt.zeigen();
            rc = qapp.exec();
            haupt.MDIForm_Unload(); // ended without closing the window (session end)
        }
    }
    a.diensteSchliessen();
    return rc;
}

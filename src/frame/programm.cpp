#include "frame/programm.h"

#include "frame/frmintro.h"
#include "frame/mdizentral.h"
#include "frame/programmschrift.h"
#include "platform/fokusrahmen.h"
#include "platform/signalwaechter.h"
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "services/meldungsbox.h"
#include "services/schema.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <future>

namespace kav {

int ProgrammAusfuehren(QApplication& qapp, const QString& programmOrdner, const QString& iniPfad,
                       const std::function<void(mdiZentral&)>& gezeigt)
{
    QApplication::setApplicationName(QStringLiteral("Kav"));
    QApplication::setOrganizationName(QStringLiteral("Humavera"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // the windows are laid out for the program's own font, not the desktop's
    programmschriftSetzen();
    // the focus mark from the first window on: the message of a second start comes before any form
    forms::fokusrahmenStarten();

    // The program speaks German: a system without a locale (C/POSIX) gets the German one, and
    // Qt's own texts (context menus, calendar) come in German.
    QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        system = QLocale(QLocale::German, QLocale::Germany);
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexte);

    AppContext& a = app();
    a.gebiet = SystemEinstellungenLesen(system);
    QLocale::setDefault(a.gebiet.locale);
    // the intro's logo and the columns the damage check of the files compares take a while to
    // work out: that is done while everything else starts (the locale is set before, once)
    logoVorausLesen(programmOrdner + QStringLiteral("/Bilder/Logo_Kav.gif"));
    const auto schema = std::async(std::launch::async, [] {
        schemaSpalten(Datenbankdatei::Kav);
        schemaSpalten(Datenbankdatei::Daten);
    });
    MeldungsBox meldungen;
    a.anzeige = &meldungen;

    int rc = 0;
    {
        mdiZentral haupt;
        meldungen.setEltern(&haupt);
        if (!haupt.MDIForm_Load(programmOrdner, iniPfad)) {
            rc = 1;
        } else {
            // shutdown or logout: the same end as closing the window, without questions
            SignalWaechter signale;
            QObject::connect(&signale, &SignalWaechter::beenden, &haupt, [&haupt] { haupt.systemEnde(); });
            haupt.zeigen();
            if (gezeigt)
                gezeigt(haupt);
            rc = qapp.exec();
            haupt.MDIForm_Unload(); // ended without closing the window (session end)
        }
    }
    a.diensteSchliessen();
    a.anzeige = nullptr; // the message boxes end with this function
    QApplication::removeTranslator(&qtTexte);
    return rc;
}

} // namespace kav

#include "exchange/aktualisieren.h"

#include "exchange/frmupdate.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"
#include "services/meldungen.h"
#include "services/server.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>

namespace kav::exchange {

namespace {

int g_pauseMs = 500;

// The window of the run; loaded again when a page change has unloaded it meanwhile.
frmUpdate* fenster(bool laden)
{
    forms::FensterRegister& r = ui().fenster;
    if (auto* f = r.fensterAls<frmUpdate>(QStringLiteral("frmUpdate")))
        return f;
    if (!laden)
        return nullptr;
    try {
        auto* f = dynamic_cast<frmUpdate*>(r.laden(QStringLiteral("frmUpdate")));
        if (f)
            f->show();
        return f;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void beendet(const UpdateEnde& e)
{
    switch (e.art) {
    case UpdateEnde::Art::Abgebrochen:
        ui().fenster.entladen(QStringLiteral("frmUpdate"));
        break;
    case UpdateEnde::Art::KeineVerbindung:
        ui().fenster.entladen(QStringLiteral("frmUpdate"));
        if (app().anzeige)
            FehlerMeldung(QStringLiteral("SQL-DB"), *app().anzeige);
        break;
    default:
        if (frmUpdate* f = fenster(true))
            f->zeigeEnde(e);
        break;
    }
}

} // namespace

DatenAktualisierung& laufendeAktualisierung()
{
    static QPointer<DatenAktualisierung> lauf;
    if (!lauf) {
        // goes with the application object, which waits for a fetch still running
        lauf = new DatenAktualisierung(QCoreApplication::instance());
        QObject::connect(lauf, &DatenAktualisierung::fortschritt, lauf, [](const QString& text, int wert, int maximum) {
            if (frmUpdate* f = fenster(true))
                f->zeigeFortschritt(text, wert, maximum);
        });
        QObject::connect(lauf, &DatenAktualisierung::beendet, lauf, &beendet);
    }
    return *lauf;
}

void setStufenPause(int ms) { g_pauseMs = ms; }

void DatenAktualisieren()
{
    DatenAktualisierung& lauf = laufendeAktualisierung();
    if (lauf.laeuft()) {
        if (lauf.abbruchVerlangt()) {
            // a cancelled run is ending: the new one follows it
            QObject::connect(&lauf, &DatenAktualisierung::beendet, &lauf, [] { DatenAktualisieren(); },
                             Qt::SingleShotConnection);
            return;
        }
        try {
            ui().fenster.zeigen(QStringLiteral("frmUpdate"));
        } catch (const std::exception&) {
        }
        return;
    }
    AppContext& a = app();
    const auto nichtErreichbar = [&a] {
        if (a.anzeige)
            a.anzeige->zeige(Meldung{0, kUpdateTitel, kUpdateNichtErreichbar, Meldung::Symbol::Keins});
    };
    if (!a.server || !a.server->config().configured())
        return nichtErreichbar();
    // The window comes first: the reachability test may take seconds, and meanwhile the user
    // sees that the server is being contacted.
    lauf.vorbereiten();
    forms::FensterRegister& r = ui().fenster;
    try {
        r.entladen(QStringLiteral("frmUpdate")); // the window of an earlier run
        r.zeigen(QStringLiteral("frmUpdate"));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } catch (const std::exception&) {
        // the update runs without its window
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool erreichbar = a.server->ServerErreichbar(a.server->strServerAdresse()) >= 0;
    QGuiApplication::restoreOverrideCursor();
    if (!erreichbar) {
        r.entladen(QStringLiteral("frmUpdate"));
        return nichtErreichbar();
    }
    lauf.starten(a, g_pauseMs);
}

} // namespace kav::exchange

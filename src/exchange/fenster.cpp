// The windows of the exchange area.
#include "exchange/aktualisieren.h"
#include "exchange/datensenden.h"
#include "exchange/frmupdate.h"
#include "frame/fensterkatalog.h"
#include "frame/wartezeiger.h"
#include "platform/fenster.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QCoreApplication>
#include <QTimer>

namespace kav::exchange {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmUpdate"), [] { return new frmUpdate; });
}

// Runs once the start-up is over, so that the main window is on the screen below the update's
// window or message.
void DatenAktualisierenBeiStart()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { DatenAktualisieren(); });
}

// The upload runs on the server's thread; meanwhile the windows repaint under the wait cursor and take
// no input, and the message follows its end.
void AlleDatenSendenUndMelden()
{
    AppContext& a = app();
    if (!a.server || !a.db || !a.anzeige)
        return;
    DatenGesendet r;
    {
        const WarteZeiger warten(nullptr);
        r = AlleDatenSenden(*a.server, a.db->cnDaten(), a.einstellungen.strProgrammID, *a.uhr);
    }
    r.meldung.text = datenFehlerText(r.meldung.text); // with both files closed, nothing was read
    a.anzeige->zeige(r.meldung);
}

} // namespace kav::exchange

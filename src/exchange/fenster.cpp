// The windows of the exchange area.
#include "exchange/aktualisieren.h"
#include "exchange/datensenden.h"
#include "exchange/frmupdate.h"
#include "frame/fensterkatalog.h"
#include "platform/fenster.h"
#include "services/appcontext.h"

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

void AlleDatenSendenUndMelden() { DatenSendenUndMelden(app()); }

} // namespace kav::exchange

// The windows of the exchange area.
#include "exchange/aktualisieren.h"
#include "exchange/frmupdate.h"
#include "frame/fensterkatalog.h"
#include "platform/fenster.h"

namespace kav::exchange {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmUpdate"), [] { return new frmUpdate; });
}

void DatenAktualisierenBeiStart() { DatenAktualisieren(); }

} // namespace kav::exchange

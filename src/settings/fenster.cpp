// The windows of this area.
#include "frame/fensterkatalog.h"
#include "frame/seite.h"

namespace kav::settings {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmEinstellungen"), [] { return new Seite(QStringLiteral("frmEinstellungen"), QString(), Seite::Platz::Dialog); });
    r.klasseAnmelden(QStringLiteral("frmUeberKav"), [] { return new Seite(QStringLiteral("frmUeberKav"), QString(), Seite::Platz::Dialog); });
}

} // namespace kav::settings

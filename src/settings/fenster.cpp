// The windows of this area.
#include "frame/fensterkatalog.h"
#include "platform/fenster.h"
#include "settings/frmeinstellungen.h"
#include "settings/frmfarbwahl.h"
#include "settings/frmueberkav.h"

namespace kav::settings {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmEinstellungen"), [] { return new frmEinstellungen; });
    r.klasseAnmelden(QStringLiteral("frmFarbWahl"), [] { return new frmFarbWahl; });
    r.klasseAnmelden(QStringLiteral("frmUeberKav"), [] { return new frmUeberKav; });
}

} // namespace kav::settings

// The windows of this area.
#include "frame/fensterkatalog.h"
#include "frame/seite.h"

namespace kav::plan {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK4"), [] { return new Seite(QStringLiteral("frmNPK4"), QStringLiteral("NPK4"), Seite::Platz::Empfehlung); });
}

} // namespace kav::plan

// The windows of this area.
#include "frame/fensterkatalog.h"
#include "frame/seite.h"

namespace kav::fertilisers {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK3"), [] { return new Seite(QStringLiteral("frmNPK3"), QStringLiteral("NPK3"), Seite::Platz::UnterTitel); });
}

} // namespace kav::fertilisers

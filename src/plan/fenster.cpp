// The windows of this area.
#include "frame/fensterkatalog.h"
#include "plan/frmnpk4.h"

namespace kav::plan {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK4"), [] { return new frmNPK4; });
}

} // namespace kav::plan

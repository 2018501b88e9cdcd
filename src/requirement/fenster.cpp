// The windows of this area.
#include "frame/fensterkatalog.h"
#include "requirement/frmkompost.h"
#include "requirement/frmmkeditor.h"
#include "requirement/frmnpk.h"
#include "requirement/frmnpk1.h"
#include "requirement/frmnpk2.h"
#include "requirement/frmnpk2b.h"

namespace kav::requirement {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK"), [] { return new frmNPK; });
    r.klasseAnmelden(QStringLiteral("frmNPK1"), [] { return new frmNPK1; });
    r.klasseAnmelden(QStringLiteral("frmMKEditor"), [] { return new frmMKEditor; });
    r.klasseAnmelden(QStringLiteral("frmNPK2"), [] { return new frmNPK2; });
    r.klasseAnmelden(QStringLiteral("frmNPK2b"), [] { return new frmNPK2b; });
    r.klasseAnmelden(QStringLiteral("frmKompost"), [] { return new frmKompost; });
}

} // namespace kav::requirement

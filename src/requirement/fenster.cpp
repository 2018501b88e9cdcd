// The windows of this area.
#include "frame/fensterkatalog.h"
#include "frame/seite.h"
#include "requirement/frmmkeditor.h"

namespace kav::requirement {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK"), [] { return new Seite(QStringLiteral("frmNPK"), QStringLiteral("NPK"), Seite::Platz::UnterBrotkrume); });
    r.klasseAnmelden(QStringLiteral("frmNPK1"), [] { return new Seite(QStringLiteral("frmNPK1"), QStringLiteral("NPK1"), Seite::Platz::UnterBrotkrume); });
    r.klasseAnmelden(QStringLiteral("frmMKEditor"), [] { return new frmMKEditor; });
    r.klasseAnmelden(QStringLiteral("frmNPK2"), [] { return new Seite(QStringLiteral("frmNPK2"), QStringLiteral("NPK2"), Seite::Platz::UnterTitel); });
    r.klasseAnmelden(QStringLiteral("frmNPK2b"), [] { return new Seite(QStringLiteral("frmNPK2b"), QStringLiteral("NPK2b"), Seite::Platz::UnterTitel); });
}

} // namespace kav::requirement

// The windows of the plots and analyses area.
#include "frame/fensterkatalog.h"
#include "platform/fenster.h"
#include "plots/frmalteanalyse.h"
#include "plots/frmanalysenwerte.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"

namespace kav::plots {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmAnalysenWerte"), [] { return new frmAnalysenWerte; });
    r.klasseAnmelden(QStringLiteral("frmFlaeche"), [] { return new frmFlaeche; });
    r.klasseAnmelden(QStringLiteral("frmFlaecheGruppe"), [] { return new frmFlaecheGruppe; });
    r.klasseAnmelden(QStringLiteral("frmAlteAnalyse"), [] { return new frmAlteAnalyse; });
}

} // namespace kav::plots

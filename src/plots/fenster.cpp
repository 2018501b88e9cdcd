// The windows of the plots and analyses area.
#include "frame/fensterkatalog.h"
#include "platform/fenster.h"
#include "plots/frmanalysenwerte.h"

namespace kav::plots {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmAnalysenWerte"), [] { return new frmAnalysenWerte; });
}

} // namespace kav::plots

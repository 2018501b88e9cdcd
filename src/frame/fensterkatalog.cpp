#include "frame/fensterkatalog.h"

#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtitel.h"
#include "frame/frmtoolbar.h"
#include "platform/fenster.h"

namespace kav {

void RahmenFensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmToolbar"), [] { return new frmToolbar; });
    r.klasseAnmelden(QStringLiteral("frmBrotkrume"), [] { return new frmBrotkrume; });
    r.klasseAnmelden(QStringLiteral("frmIntro"), [] { return new frmIntro; });
    r.klasseAnmelden(QStringLiteral("frmTitel"), [] { return new frmTitel; });
}

void FensterKlassenAnmelden(forms::FensterRegister& r)
{
    RahmenFensterAnmelden(r);
    plots::FensterAnmelden(r);
    requirement::FensterAnmelden(r);
    fertilisers::FensterAnmelden(r);
    plan::FensterAnmelden(r);
    lexicon::FensterAnmelden(r);
    settings::FensterAnmelden(r);
    exchange::FensterAnmelden(r);
}

} // namespace kav

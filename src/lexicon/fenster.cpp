// The windows of this area.
#include "frame/fensterkatalog.h"
#include "lexicon/frmlexikon.h"
#include "lexicon/frmvollbild.h"

namespace kav::lexicon {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmLexikon"), [] { return new frmLexikon; });
    r.klasseAnmelden(QStringLiteral("frmVollbild"), [] { return new frmVollbild; });
}

} // namespace kav::lexicon

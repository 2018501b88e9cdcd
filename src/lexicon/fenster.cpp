// The windows of this area.
#include "frame/fensterkatalog.h"
#include "frame/seite.h"

namespace kav::lexicon {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmLexikon"), [] { return new Seite(QStringLiteral("frmLexikon"), QStringLiteral("Lexikon"), Seite::Platz::Lexikon); });
}

} // namespace kav::lexicon

#include "services/monatsnamen.h"

namespace kav {

QString kurzerMonatsname(int monat)
{
    static const char16_t* const namen[12] = {u"Jan.", u"Feb.", u"März", u"Apr.", u"Mai",  u"Juni",
                                              u"Juli", u"Aug.", u"Sep.", u"Okt.", u"Nov.", u"Dez."};
    if (monat < 1 || monat > 12)
        return {};
    return QString::fromUtf16(namen[monat - 1]);
}

} // namespace kav

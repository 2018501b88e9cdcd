#include "plots/alteanalyse.h"

#include "platform/clock.h"

#include <cstdlib>

namespace kav {

bool alteAnalyseHinweis(const QDate& analyseDatum, const QDate& heute)
{
    if (!analyseDatum.isValid() || !heute.isValid())
        return false;
    return std::abs(heute.year() - analyseDatum.year()) > 5;
}

bool alteAnalyseHinweis(const QDate& analyseDatum, const Clock& uhr)
{
    return alteAnalyseHinweis(analyseDatum, uhr.today());
}

} // namespace kav

#include "plan/zeitraumtexte.h"

#include "services/calendarweeks.h"

#include <array>

namespace kav {

namespace {

// The day that names calendar week `woche` of `jahr`: every second day from 2 January is looked at,
// and the day three days after the first one in the week names it; a week without such a day is
// named by its first day in the year.
QDate tagDerWoche(int woche, int jahr)
{
    const QDate erster(jahr, 1, 1);
    const QDate letzter(jahr, 12, 31);
    if (!erster.isValid() || woche < 1 || woche > 54)
        return {};
    for (QDate kandidat = erster.addDays(4); kandidat <= letzter; kandidat = kandidat.addDays(2)) {
        if (sonntagsWoche(kandidat.addDays(-3)) == woche)
            return kandidat;
    }
    for (QDate tag = erster; tag <= letzter; tag = tag.addDays(1)) {
        if (sonntagsWoche(tag) == woche)
            return tag;
    }
    return {};
}

} // namespace

QString MonatsName(int monat)
{
    static const std::array<const char16_t*, 12> namen = {u"Januar", u"Februar", u"März",     u"April",
                                                          u"Mai",    u"Juni",    u"Juli",     u"August",
                                                          u"September", u"Oktober", u"November", u"Dezember"};
    if (monat < 1 || monat > 12)
        return {};
    return QString::fromUtf16(namen[static_cast<size_t>(monat - 1)]);
}

QString frmNPK4_WochenText(const QDate& datDatum)
{
    if (!datDatum.isValid())
        return {};
    const int tag = datDatum.day();
    const int nummer = tag <= 8 ? 1 : tag <= 15 ? 2 : tag <= 22 ? 3 : 4;
    return QStringLiteral("%1. ").arg(nummer) + MonatsName(datDatum.month()) + QStringLiteral("woche");
}

QString frmNPK4_ZeitraumText(int intWoche, const QString& strAktKulturNr, int jahr)
{
    const QDate d = tagDerWoche(intWoche, jahr);
    if (!d.isValid())
        return {};
    const QString monat = MonatsName(d.month());
    const QString vorher = MonatsName(d.addMonths(-1).month());
    const QString nachher = MonatsName(d.addMonths(1).month());
    const int tag = d.day();

    if (strAktKulturNr.left(2) == QLatin1String("Ku")) {
        if (tag <= 10)
            return QStringLiteral("Ende ") + vorher + QStringLiteral(" bis Anfang ") + monat;
        if (tag <= 15)
            return QStringLiteral("Anfang bis Mitte ") + monat;
        if (tag <= 22)
            return QStringLiteral("Mitte bis Ende ") + monat;
        return QStringLiteral("Ende ") + monat + QStringLiteral(" bis Anfang ") + nachher;
    }
    if (tag < 12)
        return QStringLiteral("Anfang ") + monat;
    if (tag < 24)
        return QStringLiteral("Mitte ") + monat;
    return QStringLiteral("Ende ") + monat;
}

} // namespace kav

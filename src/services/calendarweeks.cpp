#include "services/calendarweeks.h"

namespace kav {

int sonntagsWoche(const QDate& d)
{
    if (!d.isValid())
        return 0;
    const QDate jan1(d.year(), 1, 1);
    const int offset = jan1.dayOfWeek() % 7; // Sunday 0 … Saturday 6
    return (d.dayOfYear() - 1 + offset) / 7 + 1;
}

int isoWoche(const QDate& d, int* isoJahr)
{
    return d.weekNumber(isoJahr);
}

QDate montagDerIsoWoche(int woche, int jahr)
{
    const QDate jan4(jahr, 1, 4);
    const QDate montagWoche1 = jan4.addDays(1 - jan4.dayOfWeek());
    return montagWoche1.addDays(7 * (woche - 1));
}

} // namespace kav

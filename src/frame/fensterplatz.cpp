#include "frame/fensterplatz.h"

#include "services/rahmen.h"

#include <algorithm>

namespace kav {

int fensterZustandAus(const QString& strAnsicht)
{
    if (strAnsicht == QLatin1String("0"))
        return 0;
    if (strAnsicht == QLatin1String("1"))
        return 1;
    return 2;
}

void fensterPlatzBegrenzen(Rahmen& r)
{
    if (r.sngArbeitsbereichHoehe < r.sngHoehe)
        r.sngHoehe = r.sngArbeitsbereichHoehe;
    if (r.sngArbeitsbereichBreite < r.sngBreite)
        r.sngBreite = r.sngArbeitsbereichBreite;
    if (r.sngTop < -r.sngArbeitsbereichHoehe)
        r.sngTop = 0;
    if (r.sngLeft < -r.sngArbeitsbereichBreite)
        r.sngLeft = 0;
}

// Clamped so that a work area below the minimum gives its own size every time (no back and forth).
double hoeheBegrenzt(double hoehe, double ab) { return std::min(std::max(hoehe, kMindestHoehe), ab); }

double breiteBegrenzt(double breite, double ab) { return std::min(std::max(breite, kMindestBreite), ab); }

bool updateBeiStartFaellig(const QDateTime& datLetztesUpdate, const QString& strUpdatebeiStart, const QDate& heute)
{
    return strUpdatebeiStart == QLatin1String("Wahr") && datLetztesUpdate < QDateTime(heute, QTime(0, 0));
}

} // namespace kav

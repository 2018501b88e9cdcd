#include "frame/fensterplatz.h"

#include "platform/rounding.h"
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

int startZustandAus(const QString& strAnsicht)
{
    const int zustand = fensterZustandAus(strAnsicht);
    return zustand == 1 ? 0 : zustand;
}

QRect imFreienBereich(const QRect& fenster, const QRect& frei)
{
    if (frei.isEmpty())
        return fenster;
    const QSize groesse = fenster.size().boundedTo(frei.size());
    const int links = std::clamp(fenster.x(), frei.left(), frei.right() + 1 - groesse.width());
    const int oben = std::clamp(fenster.y(), frei.top(), frei.bottom() + 1 - groesse.height());
    return QRect(QPoint(links, oben), groesse);
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

float massInTwips(float gespeichert, int pixel, double twipsProPixel)
{
    return rundenGanz(gespeichert / twipsProPixel) == pixel ? gespeichert : static_cast<float>(pixel * twipsProPixel);
}

bool updateBeiStartFaellig(const QDateTime& datLetztesUpdate, const QString& strUpdatebeiStart, const QDate& heute)
{
    return strUpdatebeiStart == QLatin1String("Wahr") && datLetztesUpdate < QDateTime(heute, QTime(0, 0));
}

} // namespace kav

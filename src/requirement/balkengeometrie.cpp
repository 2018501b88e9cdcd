#include "requirement/balkengeometrie.h"

#include "platform/rounding.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

bool endlich(double v) { return std::isfinite(v); }

} // namespace

qint32 SchriftFarbe(qint32 farbe)
{
    const int summe = (farbe & 255) + ((farbe >> 8) & 255) + ((farbe >> 16) & 255);
    return summe > 425 ? kSchwarz : kWeiss;
}

std::optional<qint32> farbeAusText(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < 0 || v > kWeiss)
        return std::nullopt;
    return static_cast<qint32>(v);
}

bool balkenAusTwips(MischkulturBalken& r, const QRectF& balken, double breite, double hoehe)
{
    if (!(breite > 0) || !(hoehe > 0) || !endlich(breite) || !endlich(hoehe) || !endlich(balken.x())
        || !endlich(balken.y()) || !endlich(balken.width()))
        return false;
    r.Left = static_cast<float>(balken.x() / breite);
    r.Top = static_cast<float>(balken.y() / hoehe);
    r.Dauer = static_cast<qint16>(std::clamp(rundenGanz(365.0 * balken.width() / breite), -32768, 32767));
    // From the record's own Left, so that every pass gives the same week. Left is held in single
    // precision: a left edge on the border of a week counts for that week.
    r.start = static_cast<qint16>(std::clamp(std::floor(52.0 * double(r.Left) + 1e-5), -32769.0, 32766.0) + 1);
    return true;
}

QRectF balkenTwips(const MischkulturBalken& r, double breite, double hoehe)
{
    return QRectF(breite * double(r.Left), hoehe * double(r.Top), breite * double(r.Dauer) / 365.0, hoehe / 30.0);
}

Abwurfart abwurfartFuer(const QString& gruppenSchluessel, const QString& kulturSchluessel)
{
    if (gruppenSchluessel == QLatin1String("Ku1007"))
        return Abwurfart::NachTagen;
    if (gruppenSchluessel == QLatin1String("Ku1008")
        || (gruppenSchluessel.isEmpty() && kulturSchluessel == QLatin1String("Ku1009")))
        return Abwurfart::GanzesJahr;
    return Abwurfart::Keine;
}

QRectF abwurfRechteck(Abwurfart art, int tage, const QPointF& punkt, double breite, double hoehe)
{
    const double h = hoehe / 30.0;
    if (art == Abwurfart::GanzesJahr)
        return QRectF(0, punkt.y(), breite, h);
    QRectF r(punkt.x(), punkt.y(), breite * tage / 365.0, h);
    if (r.right() > breite)
        r.moveLeft(breite - r.width());
    if (r.left() < 0)
        r.moveLeft(0);
    if (r.bottom() > hoehe)
        r.moveTop(hoehe - h);
    if (r.top() < 0)
        r.moveTop(0);
    return r;
}

QRectF verschobenBegrenzen(QRectF r, double breite, double hoehe)
{
    if (r.right() > breite)
        r.moveLeft(breite - r.width());
    if (r.left() < 0)
        r.moveLeft(0);
    if (r.bottom() > hoehe)
        r.moveTop(hoehe - r.height());
    if (r.top() < r.height())
        r.moveTop(r.height());
    return r;
}

} // namespace kav

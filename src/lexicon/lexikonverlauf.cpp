#include "lexicon/lexikonverlauf.h"

#include <QStringList>

namespace kav {

namespace {

// The entries as numbers; false when an entry is no number or the last "-" is missing.
bool eintraege(const QString& verlauf, QList<int>& out)
{
    if (!verlauf.endsWith(QLatin1Char('-')))
        return false;
    const QStringList teile = verlauf.chopped(1).split(QLatin1Char('-'));
    for (const QString& t : teile) {
        bool ok = false;
        const int nr = t.toInt(&ok);
        if (!ok || t.isEmpty() || !t.front().isDigit())
            return false;
        out.append(nr);
    }
    return true;
}

} // namespace

QString verlaufEintrag(int kapitelNr)
{
    return QStringLiteral("%1-").arg(kapitelNr, 2, 10, QLatin1Char('0'));
}

QString verlaufMit(const QString& verlauf, int kapitelNr)
{
    // the last entry as a whole: "105-" does not end with chapter 5
    QList<int> alt;
    if (eintraege(verlauf, alt) && alt.last() == kapitelNr)
        return verlauf;
    return verlauf + verlaufEintrag(kapitelNr);
}

VerlaufZurueck verlaufZurueck(const QString& verlauf)
{
    VerlaufZurueck z;
    QList<int> e;
    if (!eintraege(verlauf, e))
        return z;
    if (e.size() == 1) {
        z.schritt = VerlaufZurueck::Schritt::LetzterEintrag;
        z.kapitelNr = e.last();
        z.verlauf = verlauf;
        return z;
    }
    e.removeLast();
    z.schritt = VerlaufZurueck::Schritt::Kapitel;
    z.kapitelNr = e.last();
    for (int nr : e)
        z.verlauf += verlaufEintrag(nr);
    return z;
}

} // namespace kav

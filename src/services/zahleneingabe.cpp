#include "services/zahleneingabe.h"

namespace kav {

bool istZahlText(const QString& text, const QString& dezimalZeichen)
{
    const QChar sep = dezimalZeichen == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
    int digits = 0;
    int seps = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == sep)
            ++seps;
        else
            return false;
    }
    return digits > 0 && seps <= 1;
}

ZahlenTaste ZahlenEingabePruefen(int code, const QString& text, int selStart, int selLength,
                                 const QString& dezimalZeichen)
{
    if (code == 8)
        return {8, false};
    int k = code;
    if (k >= '0' && k <= '9') {
        // stays
    } else if (k == ',' || k == '.') {
        k = dezimalZeichen == QLatin1String(",") ? ',' : '.';
    } else {
        return {0, true};
    }
    const int start = qBound(0, selStart, static_cast<int>(text.size()));
    const int len = qBound(0, selLength, static_cast<int>(text.size()) - start);
    QString result = text;
    result.replace(start, len, QString(QChar(k)));
    if (!istZahlText(result, dezimalZeichen))
        return {0, false};
    return {k, false};
}

} // namespace kav

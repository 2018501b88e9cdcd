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

std::optional<QString> alsZahlText(const QString& text, const QString& dezimalZeichen)
{
    const QChar sep = dezimalZeichen == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        out.append(c == QLatin1Char(',') || c == QLatin1Char('.') ? sep : c);
    }
    if (!istZahlText(out, dezimalZeichen))
        return std::nullopt;
    return out;
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
    int start = qBound(0, selStart, static_cast<int>(text.size()));
    int len = qBound(0, selLength, static_cast<int>(text.size()) - start);
    // a text the program put there that is no number ("nicht bestimmt") goes as a whole
    if (!text.isEmpty() && !istZahlText(text, dezimalZeichen)) {
        start = 0;
        len = static_cast<int>(text.size());
    }
    QString result = text;
    result.replace(start, len, QString(QChar(k)));
    if (!istZahlText(result, dezimalZeichen))
        return {0, false};
    return {k, false};
}

} // namespace kav

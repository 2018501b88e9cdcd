#include "services/gebietsschema.h"

#include <QStringList>

namespace kav {

QString datumsTrenner(const QLocale& locale)
{
    const QString f = locale.dateFormat(QLocale::ShortFormat);
    bool inQuote = false;
    for (const QChar c : f) {
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        else if (!inQuote && !c.isLetter() && !c.isSpace())
            return QString(c);
    }
    return {};
}

Gebietsschema SystemEinstellungenLesen(const QLocale& locale)
{
    Gebietsschema g;
    g.locale = locale;
    g.locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString sep = datumsTrenner(locale);
    if (sep == QLatin1String("."))
        g.strDatumsFormat = QStringLiteral("dd.MM.yyyy");
    else if (sep == QLatin1String("/"))
        g.strDatumsFormat = QStringLiteral("MM/dd/yyyy");
    g.strDezimalZeichen = locale.decimalPoint();
    return g;
}

QString Gebietsschema::datumText(const QDate& d) const
{
    if (!d.isValid())
        return {};
    if (!strDatumsFormat.isEmpty())
        return d.toString(strDatumsFormat);
    return locale.toString(d, QLocale::ShortFormat);
}

QString Gebietsschema::datumsFormat() const
{
    return strDatumsFormat.isEmpty() ? locale.dateFormat(QLocale::ShortFormat) : strDatumsFormat;
}

std::optional<QDateTime> Gebietsschema::datumLesen(const QString& text) const
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QStringList formats;
    if (!strDatumsFormat.isEmpty())
        formats << strDatumsFormat;
    formats << QStringLiteral("dd.MM.yyyy") << QStringLiteral("d.M.yyyy") << QStringLiteral("yyyy-MM-dd")
            << locale.dateFormat(QLocale::ShortFormat);
    static const QStringList timeFormats = {QStringLiteral(" hh:mm:ss"), QStringLiteral(" hh:mm"),
                                            QStringLiteral("Thh:mm:ss")};
    for (const QString& f : formats) {
        const QDate d = QDate::fromString(t, f);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
        for (const QString& tf : timeFormats) {
            const QDateTime dt = QDateTime::fromString(t, f + tf);
            if (dt.isValid())
                return dt;
        }
    }
    return std::nullopt;
}

QString Gebietsschema::zahlText(double v) const
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> Gebietsschema::zahlLesen(const QString& text) const
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    double v = locale.toDouble(t, &ok);
    if (ok)
        return v;
    v = QLocale::c().toDouble(t, &ok);
    if (ok)
        return v;
    return std::nullopt;
}

} // namespace kav

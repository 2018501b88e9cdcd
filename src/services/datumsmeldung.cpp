#include "services/datumsmeldung.h"

#include "services/gebietsschema.h"

#include <QLocale>
#include <QStringList>

namespace kav {

Meldung datumAbgewiesen(const forms::DatumsAbweisung& a, const QString& titel, const QString& was,
                        const QDate& bleibt, const Gebietsschema& g, const QString& bereich)
{
    using Grund = forms::DatumsAbweisung::Grund;
    const QLocale deutsch(QLocale::German);
    const QString monat = a.monat >= 1 && a.monat <= 12 ? deutsch.monthName(a.monat, QLocale::LongFormat) : QString();
    const QString getippt = QStringLiteral("„") + a.getippt + QStringLiteral("“");
    // the date format in German letters ("TT.MM.JJJJ")
    const QString form =
        g.datumsFormat().replace(QLatin1Char('d'), QLatin1Char('T')).replace(QLatin1Char('y'), QLatin1Char('J'));
    QString warum;
    switch (a.grund) {
    case Grund::Tag:
        warum = QStringLiteral("Einen Tag %1 gibt es in keinem Monat.").arg(a.tag);
        break;
    case Grund::Monat:
        warum = QStringLiteral("Einen Monat %1 gibt es nicht: Die Monate zählen von 1 bis 12.").arg(a.monat);
        break;
    case Grund::TagImMonat:
        warum = QStringLiteral("Einen %1. %2 gibt es nicht: Der %2 hat %3 Tage.")
                    .arg(QString::number(a.tag), monat,
                         a.monat == 2 ? QStringLiteral("höchstens 29")
                                      : QString::number(QDate(2001, std::max(1, a.monat), 1).daysInMonth()));
        break;
    case Grund::Schaltjahr:
        warum = QStringLiteral("Einen 29. Februar %1 gibt es nicht: %1 ist kein Schaltjahr.").arg(a.jahr);
        break;
    case Grund::Bereich:
        warum = QStringLiteral("%1 %2 liegt außerhalb des möglichen Bereichs %3.")
                    .arg(was, a.getippt,
                         bereich.isEmpty() ? QStringLiteral("vom %1 bis %2").arg(g.datumText(a.von), g.datumText(a.bis))
                                           : bereich);
        break;
    case Grund::Unvollstaendig: {
        const int stellen = int(form.count(QLatin1Char('J')));
        // the parts missing, named in the order of the format
        QStringList fehlt;
        for (const QChar art : a.fehlt)
            fehlt << (art == QLatin1Char('d')   ? QStringLiteral("Tag")
                      : art == QLatin1Char('M') ? QStringLiteral("Monat")
                                                : QStringLiteral("Jahr"));
        if (a.jahrStellen > 0 && a.jahrStellen < stellen)
            warum = QStringLiteral("Das Datum %1 ist unvollständig: Das Jahr braucht %2 Ziffern (%3).")
                        .arg(getippt, stellen == 2 ? QStringLiteral("zwei") : QStringLiteral("vier"), form);
        else if (fehlt.size() == 1)
            warum = QStringLiteral("Das Datum %1 ist unvollständig: Es fehlt %2 %3 (%4).")
                        .arg(getippt, fehlt.front() == QLatin1String("Jahr") ? QStringLiteral("das") : QStringLiteral("der"),
                             fehlt.front(), form);
        else if (fehlt.size() > 1)
            warum = QStringLiteral("Das Datum %1 ist unvollständig: Es fehlen %2 und %3 (%4).")
                        .arg(getippt, fehlt.mid(0, fehlt.size() - 1).join(QStringLiteral(", ")), fehlt.last(), form);
        else
            warum = QStringLiteral("Das Datum %1 ist unvollständig: Es braucht Tag, Monat und Jahr in der Form %2.")
                        .arg(getippt, form);
        break;
    }
    case Grund::KeinDatum:
        warum = a.getippt.isEmpty() ? QStringLiteral("Der eingefügte Text ist leer.")
                                    : QStringLiteral("Der eingefügte Text %1 ist kein Datum der Form %2.").arg(getippt, form);
        break;
    }
    return Meldung{0, titel, warum + QStringLiteral(" %1 bleibt der %2.").arg(was, g.datumText(bleibt)),
                   Meldung::Symbol::Warnung};
}

} // namespace kav

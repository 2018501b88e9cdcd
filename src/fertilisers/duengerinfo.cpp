#include "fertilisers/duengerinfo.h"

#include "services/gebietsschema.h"

namespace kav {

DuengerInfoInhalt DuengerInfoBestimmen(const QString& strKategorie, const std::optional<DuengerZeile>& d,
                                       const WizardState& s, const Gebietsschema& g)
{
    DuengerInfoInhalt i;
    const bool rot = strKategorie == QLatin1String("Rot");
    if (strKategorie == QLatin1String("Gelb"))
        i.caption = QStringLiteral("Verwendbarer Dünger");
    else if (rot)
        i.caption = QStringLiteral("Ungeeigneter Dünger");

    QString a;
    if (d) {
        if (rot) {
            if (d->Typ == QLatin1String("N"))
                a = s.sngDuengerN <= 0 ? QStringLiteral("4") : QStringLiteral("1");
            else if (d->Typ == QLatin1String("P"))
                a = s.sngDuengerP <= 0 ? QStringLiteral("5") : QStringLiteral("1");
            else if (d->Typ == QLatin1String("K"))
                a = s.sngDuengerK <= 0 ? QStringLiteral("6") : QStringLiteral("1");
            else
                a = QStringLiteral("3");
        }
        i.titel = d->Bezeichnung + QStringLiteral(" (") + g.zahlText(d->N) + QLatin1Char('-') + g.zahlText(d->P2O5)
                  + QLatin1Char('-') + g.zahlText(d->K2O) + QLatin1Char(')');
    }
    i.textNr = a + QStringLiteral("-0");
    return i;
}

} // namespace kav

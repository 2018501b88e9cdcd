#include "frame/titelzeilen.h"

#include "services/analysenzeile.h"
#include "services/flaechenname.h"
#include "services/gebietsschema.h"
#include "services/sql.h"
#include "services/wizardstate.h"

#include <QSqlQuery>

namespace kav {

QString gruppenBild(int gruppierungNr)
{
    return gruppierungNr < 1007 ? QStringLiteral("Gr%1").arg(gruppierungNr) : QStringLiteral("Gr1001");
}

TitelZeilen TitelZeilenLesen(const QSqlDatabase& cnKav, const QSqlDatabase& cnDaten, const WizardState& w,
                             const Gebietsschema& g)
{
    TitelZeilen z;
    // a crop, or a saved mixed-culture plan: then the row of the plans' folder
    const QString kopf = w.strAktKulturNr.left(2);
    if (kopf == QLatin1String("Ku") || kopf == QLatin1String("ID")) {
        const QString nr = kopf == QLatin1String("Ku") ? w.strAktKulturNr : QStringLiteral("Ku1089");
        QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT Bezeichnung, GruppierungNr FROM KulturID WHERE KulturNr = ?"),
                                {nr});
        if (q.next())
            z[0] = TitelZeile{q.value(0).toString(), gruppenBild(q.value(1).toInt())};
    }
    if (const auto flaeche = flaechenNameLesen(cnDaten, w.strAktFlaechenNr))
        z[1] = TitelZeile{*flaeche, QStringLiteral("Flaeche")};
    if (const auto analyse = analysenZeileLesen(cnDaten, w.strAktAnalysenNr))
        z[2] = TitelZeile{QStringLiteral("vom: ") + g.datumText(analyse->Datum), QStringLiteral("Datum")};
    return z;
}

} // namespace kav

#include "requirement/mischkulturkulturen.h"

#include "services/sql.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>

namespace kav {

namespace {

void anhaengen(std::vector<MischkulturKultur>& v, QSqlQuery& q, const QString& gruppe)
{
    while (q.next())
        v.push_back({q.value(0).toString(), q.value(1).toString(), gruppe, std::nullopt});
}

int komponente(const QVariant& v) { return std::clamp(v.toInt(), 0, 255); }

} // namespace

std::vector<MischkulturKultur> MischkulturKulturenLesen(const QSqlDatabase& cnKav)
{
    std::vector<MischkulturKultur> v;
    for (const MischkulturGruppe& g : kMischkulturGruppen) {
        const QString schluessel = QLatin1String(g.schluessel);
        QSqlQuery q = sql::exec(cnKav,
                                QStringLiteral("SELECT KulturNr, Bezeichnung FROM KulturID WHERE GruppierungNr = ? "
                                               "AND Gliederungspunkt = 0 ORDER BY Bezeichnung, KulturNr"),
                                {schluessel.mid(2).toInt()});
        anhaengen(v, q, schluessel);
    }
    QSqlQuery einzeln =
        sql::exec(cnKav, QStringLiteral("SELECT KulturNr, Bezeichnung FROM KulturID WHERE KulturNr = 'Ku1009'"));
    anhaengen(v, einzeln, QString());

    QHash<QString, qint32> farben;
    QSqlQuery f = sql::exec(cnKav, QStringLiteral("SELECT KulturID, r, g, b FROM MKFarben"));
    while (f.next()) {
        // a later row of the same crop replaces an earlier one
        farben.insert(f.value(0).toString().toUpper(),
                      komponente(f.value(1)) + 256 * komponente(f.value(2)) + 65536 * komponente(f.value(3)));
    }
    for (MischkulturKultur& k : v) {
        const auto it = farben.constFind(k.KulturNr.toUpper());
        if (it != farben.constEnd())
            k.Farbe = *it;
    }
    return v;
}

} // namespace kav

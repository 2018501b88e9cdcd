#include "plots/flaechentexte.h"

#include "platform/rounding.h"
#include "services/gebietsschema.h"
#include "services/sql.h"

#include <QSqlQuery>

namespace kav {

std::optional<double> flaecheAusMassen(const QString& geaendert, const QString& anderer, const Gebietsschema& g)
{
    const auto a = analysenWertLesen(geaendert, g);
    if (!a || *a == 0)
        return std::nullopt;
    const auto b = analysenWertLesen(anderer, g);
    if (!b)
        return std::nullopt;
    return runden(*a * *b * 10.0) / 10.0;
}

QString masseText(double wert, bool leerBeiNull, const Gebietsschema& g)
{
    if (leerBeiNull && wert == 0)
        return {};
    QLocale l = g.locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(wert, 'f', 1);
}

AnalysenTexte analyseTexte(const AnalysenZeile& a, const Gebietsschema& g)
{
    AnalysenTexte t;
    t[kOrgSubstanz] = g.zahlText(a.GesamtN.value_or(0));
    t[kP2O5] = g.zahlText(a.P2O5.value_or(0));
    t[kK2O] = g.zahlText(a.K2O.value_or(0));
    t[kMg] = mgWert(a) < 0 ? kMgNichtBestimmtText : g.zahlText(mgWert(a));
    t[kPH] = g.zahlText(a.pH.value_or(0));
    return t;
}

QStringList bodenartenLesen(const QSqlDatabase& cnKav)
{
    QStringList out;
    QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT ID, Bezeichnung, Kuerzel FROM Bodenart ORDER BY ID"));
    while (q.next())
        out << q.value(1).toString() + QStringLiteral(" (") + q.value(2).toString() + QLatin1Char(')');
    return out;
}

std::vector<std::pair<int, QString>> nutzungenLesen(const QSqlDatabase& cnKav)
{
    std::vector<std::pair<int, QString>> out;
    QSqlQuery q = sql::exec(cnKav, QStringLiteral("SELECT ID, Nutzung FROM Nutzung ORDER BY ID"));
    while (q.next())
        out.emplace_back(q.value(0).toInt(), q.value(1).toString());
    return out;
}

} // namespace kav

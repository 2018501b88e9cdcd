#include "services/analysenzeile.h"

#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

namespace {

// A stored number; nullopt for an empty field or a text that is no number.
std::optional<double> zahlFeld(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

std::optional<int> ganzFeld(const QVariant& v)
{
    bool ok = false;
    const int i = v.toInt(&ok);
    if (v.isNull() || !ok)
        return std::nullopt;
    return i;
}

} // namespace

QStringList fehlendeAnalysenwerte(const AnalysenZeile& a)
{
    QStringList fehlend;
    const int boden = a.Bodenart.value_or(-1);
    if (boden < 0 || boden > 2)
        fehlend << kNameBodenart;
    const std::pair<const std::optional<double>&, const QString&> werte[] = {
        {a.GesamtN, kNameOrgSubstanz}, {a.P2O5, kNameP2O5}, {a.K2O, kNameK2O}, {a.pH, kNamePH}};
    for (const auto& [wert, name] : werte)
        if (!wert)
            fehlend << name;
    return fehlend;
}

std::optional<AnalysenZeile> analysenZeileLesen(const QSqlDatabase& cnDaten, const QString& analysenNr)
{
    QSqlQuery q = sql::exec(cnDaten,
                            QStringLiteral("SELECT AnalysenNr, Datum, Bodenart, BodenartKuerzel, GesamtN, P2O5, K2O, Mg, "
                                           "pH, LetzteAenderung, ID FROM AnalysenID WHERE AnalysenNr = ?"),
                            {analysenNr});
    if (!q.next())
        return std::nullopt;
    AnalysenZeile a;
    a.AnalysenNr = q.value(0).toString();
    a.Datum = QDate::fromString(q.value(1).toString().left(10), Qt::ISODate);
    a.Bodenart = ganzFeld(q.value(2));
    a.BodenartKuerzel = ganzFeld(q.value(3));
    a.GesamtN = zahlFeld(q.value(4));
    a.P2O5 = zahlFeld(q.value(5));
    a.K2O = zahlFeld(q.value(6));
    a.Mg = zahlFeld(q.value(7));
    a.pH = zahlFeld(q.value(8));
    a.LetzteAenderung = q.value(9).toString();
    a.ID = q.value(10).toString();
    return a;
}

} // namespace kav

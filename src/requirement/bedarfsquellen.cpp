#include "requirement/bedarfsquellen.h"

#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

namespace {

// An empty field of the reference data reads as 0.
double zahl(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

// A field that holds a number (not empty, not a text).
bool zahlDa(const QVariant& v)
{
    bool ok = false;
    v.toDouble(&ok);
    return !v.isNull() && ok;
}

} // namespace

std::optional<AnalysenZeile> SqlAnalysen::analyse(const QString& analysenNr) const
{
    return analysenZeileLesen(m_db, analysenNr);
}

std::optional<KulturZeile> SqlKulturen::kultur(const QString& kulturNr) const
{
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT KulturNr, Bezeichnung, Tage, TerminGD, TerminKD1, TerminKD2, ph, N, "
                                           "NGD, NKD1, NKD2, P2O5, K2O, Mg FROM KulturID WHERE KulturNr = ?"),
                            {kulturNr});
    if (!q.next())
        return std::nullopt;
    KulturZeile k;
    k.KulturNr = q.value(0).toString();
    k.Bezeichnung = q.value(1).toString();
    static const char* const kSpalten[] = {"Tage", "TerminGD", "TerminKD1", "TerminKD2", "ph", "N",
                                           "NGD",  "NKD1",     "NKD2",      "P2O5",      "K2O", "Mg"};
    for (int i = 0; i < 12; ++i)
        if (!zahlDa(q.value(i + 2)))
            k.leer << QLatin1String(kSpalten[i]);
    const double tage = zahl(q.value(2));
    k.Tage = static_cast<qint16>(tage < -32768 ? -32768 : (tage > 32767 ? 32767 : tage));
    k.TerminGD = zahl(q.value(3));
    k.TerminKD1 = zahl(q.value(4));
    k.TerminKD2 = zahl(q.value(5));
    k.ph = zahl(q.value(6));
    k.N = zahl(q.value(7));
    k.NGD = zahl(q.value(8));
    k.NKD1 = zahl(q.value(9));
    k.NKD2 = zahl(q.value(10));
    k.P2O5 = zahl(q.value(11));
    k.K2O = zahl(q.value(12));
    k.Mg = zahl(q.value(13));
    return k;
}

std::optional<double> SqlReihenabstaende::reihenabstand(const QString& kulturNr) const
{
    QSqlQuery q = sql::exec(m_db, QStringLiteral("SELECT Reihenabstand FROM Reihenabstand WHERE KulturID = ?"),
                            {kulturNr});
    if (!q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toDouble();
}

std::vector<PlanZeile> SqlPlaene::planZeilen(const QString& mkid) const
{
    // rowid keeps rows with the same start in the order they were saved.
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT ID, KulturID, MKID, Kultur, Start FROM MKEditor WHERE MKID = ? ORDER BY Start, rowid"),
        {mkid});
    std::vector<PlanZeile> zeilen;
    while (q.next()) {
        PlanZeile z;
        z.ID = q.value(0).toString();
        z.KulturID = q.value(1).toString();
        z.MKID = q.value(2).toString();
        z.Kultur = q.value(3).toString();
        z.Start = q.value(4).toInt();
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

std::optional<double> SqlKalkbedarf::cao(int bodenart, int osKlasse, int phSchluessel) const
{
    const QVariant v = sql::scalar(m_db, QStringLiteral("SELECT CaO FROM Kalkbedarf WHERE Bodenart = ? AND OS = ? AND pH = ?"),
                                   {bodenart, osKlasse, phSchluessel});
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return v.toDouble();
}

std::optional<DuengerGehalt> SqlDuenger::gehalt(const QString& duengerNr) const
{
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT Bezeichnung, Typ, N, P2O5, K2O, Mg FROM DuengerID WHERE DuengerNr = ?"), {duengerNr});
    if (!q.next())
        return std::nullopt;
    DuengerGehalt d;
    d.Bezeichnung = q.value(0).toString();
    d.Typ = q.value(1).toString();
    d.N = zahl(q.value(2));
    d.P2O5 = zahl(q.value(3));
    d.K2O = zahl(q.value(4));
    d.Mg = zahl(q.value(5));
    return d;
}

} // namespace kav

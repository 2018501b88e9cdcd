#include "fertilisers/duengerkatalog.h"

#include "platform/clock.h"
#include "services/recordids.h"
#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

namespace {

// An empty field reads as 0.
double zahl(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

const QString kDuengerSpalten =
    QStringLiteral("SELECT DuengerNr, Typ, Eingabe, Bezeichnung, N, P2O5, K2O, Mg, Norg FROM DuengerID");
const QString kKalkSpalten = QStringLiteral("SELECT KalkNr, Eingabe, Bezeichnung, CaCO3, MgCO3 FROM KalkID");

DuengerZeile duengerAus(const QSqlQuery& q)
{
    DuengerZeile d;
    d.DuengerNr = q.value(0).toString();
    d.Typ = q.value(1).toString();
    d.Eingabe = q.value(2).toString();
    d.Bezeichnung = q.value(3).toString();
    d.N = zahl(q.value(4));
    d.P2O5 = zahl(q.value(5));
    d.K2O = zahl(q.value(6));
    d.Mg = zahl(q.value(7));
    d.Norg = q.value(8).isNull() ? 0 : q.value(8).toInt();
    return d;
}

KalkZeile kalkAus(const QSqlQuery& q)
{
    KalkZeile k;
    k.KalkNr = q.value(0).toString();
    k.Eingabe = q.value(1).toString();
    k.Bezeichnung = q.value(2).toString();
    k.CaCO3 = zahl(q.value(3));
    k.MgCO3 = zahl(q.value(4));
    return k;
}

bool gleicherName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

QString DuengerTyp(double N, double P2O5, double K2O, double Mg)
{
    QString typ;
    if (N > 0)
        typ += QLatin1Char('N');
    if (P2O5 > 0)
        typ += QLatin1Char('P');
    if (K2O > 0)
        typ += QLatin1Char('K');
    if (typ.isEmpty() && Mg > 0)
        typ = QStringLiteral("Mg");
    return typ;
}

Duengerkatalog::Duengerkatalog(QSqlDatabase cnKav, const Clock& uhr, RandomSource& zufall)
    : m_db(std::move(cnKav)), m_uhr(uhr), m_zufall(zufall)
{
}

QString Duengerkatalog::jetzt() const { return m_uhr.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

std::vector<DuengerZeile> Duengerkatalog::duengerAlle() const
{
    QSqlQuery q = sql::exec(m_db, kDuengerSpalten + QStringLiteral(" ORDER BY rowid"));
    std::vector<DuengerZeile> zeilen;
    while (q.next())
        zeilen.push_back(duengerAus(q));
    return zeilen;
}

std::optional<DuengerZeile> Duengerkatalog::duenger(const QString& duengerNr) const
{
    QSqlQuery q = sql::exec(m_db, kDuengerSpalten + QStringLiteral(" WHERE DuengerNr = ?"), {duengerNr});
    if (!q.next())
        return std::nullopt;
    return duengerAus(q);
}

std::vector<KalkZeile> Duengerkatalog::kalkAlle() const
{
    QSqlQuery q = sql::exec(m_db, kKalkSpalten + QStringLiteral(" ORDER BY rowid"));
    std::vector<KalkZeile> zeilen;
    while (q.next())
        zeilen.push_back(kalkAus(q));
    return zeilen;
}

std::optional<KalkZeile> Duengerkatalog::kalk(const QString& kalkNr) const
{
    QSqlQuery q = sql::exec(m_db, kKalkSpalten + QStringLiteral(" WHERE KalkNr = ?"), {kalkNr});
    if (!q.next())
        return std::nullopt;
    return kalkAus(q);
}

std::optional<QString> Duengerkatalog::infoText(const QString& textNr) const
{
    const QVariant v = sql::scalar(m_db, QStringLiteral("SELECT Text FROM DuengerInfo WHERE TextNr = ?"), {textNr});
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return v.toString();
}

std::optional<DuengerZeile> Duengerkatalog::duengerGleich(const DuengerDaten& d) const
{
    QSqlQuery q = sql::exec(m_db,
                            kDuengerSpalten + QStringLiteral(" WHERE IFNULL(N, 0) = ? AND IFNULL(P2O5, 0) = ? AND "
                                                             "IFNULL(K2O, 0) = ? AND IFNULL(Mg, 0) = ? ORDER BY rowid"),
                            {d.N, d.P2O5, d.K2O, d.Mg});
    while (q.next()) {
        DuengerZeile z = duengerAus(q);
        if (gleicherName(z.Bezeichnung, d.Bezeichnung))
            return z;
    }
    return std::nullopt;
}

std::optional<KalkZeile> Duengerkatalog::kalkGleich(const KalkDaten& d) const
{
    QSqlQuery q = sql::exec(
        m_db, kKalkSpalten + QStringLiteral(" WHERE IFNULL(CaCO3, 0) = ? AND IFNULL(MgCO3, 0) = ? ORDER BY rowid"),
        {d.CaCO3, d.MgCO3});
    while (q.next()) {
        KalkZeile z = kalkAus(q);
        if (gleicherName(z.Bezeichnung, d.Bezeichnung))
            return z;
    }
    return std::nullopt;
}

QString Duengerkatalog::duengerNeu(const DuengerDaten& d)
{
    sql::Transaction t(m_db);
    const QString nr = naechsteNummer(m_db, QStringLiteral("DuengerID"), QStringLiteral("DuengerNr"), QStringLiteral("Du"));
    sql::exec(m_db,
              QStringLiteral("INSERT INTO DuengerID (DuengerNr, Typ, Eingabe, AktuellerDatensatz, Bezeichnung, N, Norg, "
                             "P2O5, K2O, Mg, LetzteAenderung, ID) VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {nr, DuengerTyp(d.N, d.P2O5, d.K2O, d.Mg), kEingabeNutzer, d.Bezeichnung, d.N, d.Norg ? 1 : 0, d.P2O5,
               d.K2O, d.Mg, jetzt(), neueZeilenId(m_uhr, m_zufall)});
    t.commit();
    return nr;
}

bool Duengerkatalog::duengerAendern(const QString& duengerNr, const DuengerDaten& d)
{
    sql::Transaction t(m_db);
    const QSqlQuery q = sql::exec(
        m_db,
        QStringLiteral("UPDATE DuengerID SET Typ = ?, Eingabe = ?, AktuellerDatensatz = 1, Bezeichnung = ?, N = ?, "
                       "Norg = ?, P2O5 = ?, K2O = ?, Mg = ?, LetzteAenderung = ? WHERE DuengerNr = ?"),
        {DuengerTyp(d.N, d.P2O5, d.K2O, d.Mg), kEingabeNutzer, d.Bezeichnung, d.N, d.Norg ? 1 : 0, d.P2O5, d.K2O, d.Mg,
         jetzt(), duengerNr});
    if (q.numRowsAffected() < 1)
        return false;
    t.commit();
    return true;
}

QString Duengerkatalog::kalkNeu(const KalkDaten& d)
{
    sql::Transaction t(m_db);
    const QString nr = naechsteNummer(m_db, QStringLiteral("KalkID"), QStringLiteral("KalkNr"), QStringLiteral("Ka"));
    sql::exec(m_db,
              QStringLiteral("INSERT INTO KalkID (KalkNr, Eingabe, Bezeichnung, CaCO3, MgCO3, LetzteAenderung, ID) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?)"),
              {nr, kEingabeNutzer, d.Bezeichnung, d.CaCO3, d.MgCO3, jetzt(), neueZeilenId(m_uhr, m_zufall)});
    t.commit();
    return nr;
}

bool Duengerkatalog::kalkAendern(const QString& kalkNr, const KalkDaten& d)
{
    sql::Transaction t(m_db);
    const QSqlQuery q = sql::exec(m_db,
                                  QStringLiteral("UPDATE KalkID SET Eingabe = ?, Bezeichnung = ?, CaCO3 = ?, MgCO3 = ?, "
                                                 "LetzteAenderung = ? WHERE KalkNr = ?"),
                                  {kEingabeNutzer, d.Bezeichnung, d.CaCO3, d.MgCO3, jetzt(), kalkNr});
    if (q.numRowsAffected() < 1)
        return false;
    t.commit();
    return true;
}

bool Duengerkatalog::duengerLoeschen(const QString& duengerNr)
{
    sql::Transaction t(m_db);
    const QSqlQuery q = sql::exec(m_db, QStringLiteral("DELETE FROM DuengerID WHERE DuengerNr = ?"), {duengerNr});
    const bool geloescht = q.numRowsAffected() > 0;
    t.commit();
    return geloescht;
}

bool Duengerkatalog::kalkLoeschen(const QString& kalkNr)
{
    sql::Transaction t(m_db);
    const QSqlQuery q = sql::exec(m_db, QStringLiteral("DELETE FROM KalkID WHERE KalkNr = ?"), {kalkNr});
    const bool geloescht = q.numRowsAffected() > 0;
    t.commit();
    return geloescht;
}

} // namespace kav

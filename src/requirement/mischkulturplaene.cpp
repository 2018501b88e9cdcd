#include "requirement/mischkulturplaene.h"

#include "services/sql.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

const QString kZeitFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

float anteil(const QVariant& v)
{
    const double d = v.toDouble();
    return std::isfinite(d) ? static_cast<float>(d) : 0.0f;
}

qint16 ganz16(const QVariant& v) { return static_cast<qint16>(std::clamp<qlonglong>(v.toLongLong(), -32768, 32767)); }

} // namespace

MischkulturPlaene::MischkulturPlaene(QSqlDatabase cnDaten, std::function<QString()> zeilenId)
    : m_db(std::move(cnDaten)), m_zeilenId(std::move(zeilenId))
{
}

QString MischkulturPlaene::freieId(const QString& tabelle, const QString& spalte,
                                   const std::vector<QString>& vergeben) const
{
    // Ten thousand ids per second: a few draws at most, unless the clock stands still for long.
    for (int versuch = 0; versuch < 100000; ++versuch) {
        const QString id = QStringLiteral("ID") + m_zeilenId();
        if (std::find(vergeben.begin(), vergeben.end(), id) != vergeben.end())
            continue;
        if (!sql::scalar(m_db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(tabelle, spalte), {id}).isValid())
            return id;
    }
    throw sql::Error(QStringLiteral("Es konnte keine freie Kennung vergeben werden."));
}

QString MischkulturPlaene::speichern(const QString& mkid, const QString& flaechenNr,
                                     const std::vector<MischkulturBalken>& balken, const QDateTime& jetzt)
{
    const QString zeit = jetzt.toString(kZeitFormat);
    sql::Transaction t(m_db);
    QString plan = mkid;
    if (plan.isEmpty()) {
        plan = freieId(QStringLiteral("MischkulturID"), QStringLiteral("MKID"), {});
        sql::exec(m_db, QStringLiteral("INSERT INTO MischkulturID (MKID, DatumPlanung, FlaechenNr) VALUES (?, ?, ?)"),
                  {plan, zeit, flaechenNr});
    } else {
        QSqlQuery q = sql::exec(m_db, QStringLiteral("UPDATE MischkulturID SET DatumPlanung = ? WHERE MKID = ?"),
                                {zeit, plan});
        if (q.numRowsAffected() < 1)
            sql::exec(m_db,
                      QStringLiteral("INSERT INTO MischkulturID (MKID, DatumPlanung, FlaechenNr) VALUES (?, ?, ?)"),
                      {plan, zeit, flaechenNr});
        sql::exec(m_db, QStringLiteral("DELETE FROM MKEditor WHERE MKID = ?"), {plan});
    }
    std::vector<QString> ids;
    for (const MischkulturBalken& b : balken) {
        ids.push_back(freieId(QStringLiteral("MKEditor"), QStringLiteral("ID"), ids));
        sql::exec(m_db,
                  QStringLiteral("INSERT INTO MKEditor (ID, MKID, KulturID, Kultur, \"Left\", \"Top\", Farbe, Dauer, "
                                 "Start) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {ids.back(), plan, b.KulturID, b.Kultur, double(b.Left), double(b.Top), b.Farbe, b.Dauer, b.start});
    }
    t.commit();
    return plan;
}

std::vector<MischkulturBalken> MischkulturPlaene::lesen(const QString& mkid, const QString& ordnung) const
{
    QSqlQuery q = sql::exec(m_db,
                            QStringLiteral("SELECT KulturID, Kultur, \"Top\", \"Left\", Dauer, Start, Farbe "
                                           "FROM MKEditor WHERE MKID = ? ORDER BY ")
                                + ordnung,
                            {mkid});
    std::vector<MischkulturBalken> v;
    while (q.next()) {
        MischkulturBalken b;
        b.KulturID = q.value(0).toString();
        b.Kultur = q.value(1).toString();
        b.Top = anteil(q.value(2));
        b.Left = anteil(q.value(3));
        b.Dauer = ganz16(q.value(4));
        b.start = ganz16(q.value(5));
        b.Farbe = static_cast<qint32>(std::clamp<qlonglong>(q.value(6).toLongLong(), 0, 0xFFFFFF));
        v.push_back(std::move(b));
    }
    return v;
}

std::vector<MischkulturBalken> MischkulturPlaene::laden(const QString& mkid) const
{
    return lesen(mkid, QStringLiteral("Start DESC, rowid"));
}

std::vector<MischkulturBalken> MischkulturPlaene::zumZeichnen(const QString& mkid) const
{
    return lesen(mkid, QStringLiteral("\"Left\", \"Top\", rowid"));
}

std::optional<MischkulturKopf> MischkulturPlaene::kopf(const QString& mkid) const
{
    QSqlQuery q = sql::exec(
        m_db, QStringLiteral("SELECT MKID, DatumPlanung, FlaechenNr FROM MischkulturID WHERE MKID = ?"), {mkid});
    if (!q.next())
        return std::nullopt;
    MischkulturKopf k;
    k.MKID = q.value(0).toString();
    k.DatumPlanung = QDateTime::fromString(q.value(1).toString(), kZeitFormat);
    if (!k.DatumPlanung.isValid())
        k.DatumPlanung = QDateTime::fromString(q.value(1).toString(), Qt::ISODate);
    k.FlaechenNr = q.value(2).toString();
    return k;
}

void MischkulturPlaene::loeschen(const QString& mkid)
{
    sql::Transaction t(m_db);
    sql::exec(m_db, QStringLiteral("DELETE FROM MKEditor WHERE MKID = ?"), {mkid});
    sql::exec(m_db, QStringLiteral("DELETE FROM MischkulturID WHERE MKID = ?"), {mkid});
    t.commit();
}

} // namespace kav

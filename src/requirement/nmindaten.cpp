#include "requirement/nmindaten.h"

#include "platform/clock.h"
#include "platform/rounding.h"
#include "plots/analysesenden.h"
#include "services/gebietsschema.h"
#include "services/server.h"
#include "services/sql.h"

#include <QSqlQuery>

#include <cmath>
#include <exception>

namespace kav {

namespace {

const QString kTagGleich = QStringLiteral("substr(Datum, 1, 10) = ?");

} // namespace

NminEingabe NminTextLesen(const QString& text, const Gebietsschema& gebiet)
{
    NminEingabe e;
    if (text.trimmed().isEmpty())
        return e;
    const std::optional<double> z = gebiet.zahlLesen(text.trimmed());
    if (!z || !std::isfinite(*z) || *z < 0) {
        e.art = NminEingabe::Art::KeineZahl;
        return e;
    }
    e.art = NminEingabe::Art::Zahl;
    e.wert = *z;
    return e;
}

std::optional<NminWert> NminLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum)
{
    QSqlQuery q = sql::exec(cnDaten,
                            QStringLiteral("SELECT Nmin, Einheit FROM Nmin WHERE FlaechenNr = ? AND ") + kTagGleich
                                + QStringLiteral(" ORDER BY rowid LIMIT 1"),
                            {flaechenNr, datum.toString(Qt::ISODate)});
    if (!q.next())
        return std::nullopt;
    bool ok = false;
    const double wert = q.value(0).toDouble(&ok);
    if (q.value(0).isNull() || !ok)
        return std::nullopt;
    const int einheit = q.value(1).toInt();
    return NminWert{wert, static_cast<qint16>(einheit >= 0 && einheit <= 2 ? einheit : 0)};
}

void NminSpeichern(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum, const NminWert& w,
                   const QString& neueId)
{
    const QString tag = datum.toString(Qt::ISODate);
    sql::Transaction t(cnDaten);
    const QVariant zeile = sql::scalar(
        cnDaten, QStringLiteral("SELECT rowid FROM Nmin WHERE FlaechenNr = ? AND ") + kTagGleich + QStringLiteral(" ORDER BY rowid LIMIT 1"),
        {flaechenNr, tag});
    if (zeile.isValid())
        sql::exec(cnDaten, QStringLiteral("UPDATE Nmin SET Nmin = ?, Einheit = ? WHERE rowid = ?"),
                  {w.Nmin, w.Einheit, zeile});
    else
        sql::exec(cnDaten, QStringLiteral("INSERT INTO Nmin (FlaechenNr, Nmin, Einheit, Datum, ID) VALUES (?, ?, ?, ?, ?)"),
                  {flaechenNr, w.Nmin, w.Einheit, tag, neueId});
    t.commit();
}

std::optional<qint16> NminServerWert(double wert)
{
    if (!std::isfinite(wert))
        return std::nullopt;
    const double r = runden(wert);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

NminGesendet NminUebertragen(Server& server, const QString& strProgrammID, const NminSendung& n, const Clock& uhr,
                             const std::function<void(QStringView)>& pruefpunkt)
{
    NminGesendet r;
    const std::optional<qint16> wert = NminServerWert(n.wert.Nmin);
    if (!wert) {
        r.status = NminGesendet::Status::ZuGross;
        r.meldung = Meldung{0, QStringLiteral("Humavera - Datenübertragung"),
                            QStringLiteral("Der Nmin-Wert ist zu groß, um an die zentrale Datenbank übertragen zu "
                                           "werden. Er wurde nur auf diesem Rechner gespeichert."),
                            Meldung::Symbol::Information};
        return r;
    }
    const QString heute = uhr.today().toString(Qt::ISODate);
    // the server's part on its own thread: the window goes on meanwhile
    server.ausfuehren([&] {
        if (server.ServerErreichbar(server.strServerAdresse()) < 0) {
            r.status = NminGesendet::Status::NichtErreichbar;
            r.meldung = Meldung{0, kKeineVerbindungTitel, kKeineVerbindungText, Meldung::Symbol::Keins};
            return;
        }
        if (!server.blnServerVerbunden(kDatenerfassung))
            server.ServerVerbinden(kDatenerfassung);
        if (!server.blnServerVerbunden(kDatenerfassung)) {
            r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
            return;
        }

        const QVariantList schluessel{strProgrammID, n.flaechenNr, n.datum.toString(Qt::ISODate)};
        bool fehler = false;
        {
            const QSqlDatabase cn = server.cnServer(kDatenerfassung);
            try {
                const bool vorhanden = sql::zeileSchreiben(
                    cn, QStringLiteral("nmin"), {QStringLiteral("Programmid"), QStringLiteral("FlaechenID"), QStringLiteral("Datum")},
                    schluessel,
                    {QStringLiteral("Nmin"), QStringLiteral("Einheit"), QStringLiteral("Nutzung"), QStringLiteral("kompost"),
                     QStringLiteral("LetzteAenderung")},
                    {*wert, n.wert.Einheit, n.nutzung, n.kompost, heute}, pruefpunkt);
                r.status = vorhanden ? NminGesendet::Status::Aktualisiert : NminGesendet::Status::Eingefuegt;
            } catch (const std::exception&) {
                fehler = true;
            }
        }
        if (fehler) {
            server.trennen(kDatenerfassung);
            r.status = NminGesendet::Status::Fehler;
            r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
        }
    });
    return r;
}

} // namespace kav

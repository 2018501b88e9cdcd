#include "plots/analysesenden.h"

#include "platform/clock.h"
#include "services/server.h"
#include "services/sql.h"

#include <QDate>
#include <QSqlQuery>

#include <exception>

namespace kav {

AnalyseGesendet EinzelAnalyseSenden(Server& server, const QSqlDatabase& cnDaten, const QString& strProgrammID,
                                    const QString& flaechenNr, const QString& analysenNr, const Clock& uhr,
                                    const std::function<void(QStringView)>& pruefpunkt)
{
    AnalyseGesendet r;

    // the values as stored, with the plot's usage
    QVariantList werte;
    try {
        QSqlQuery q = sql::exec(
            cnDaten,
            QStringLiteral("SELECT a.GesamtN, a.P2O5, a.K2O, a.Mg, a.pH, a.Datum, f.Nutzung, a.Bodenart "
                           "FROM AnalysenID a JOIN FlaechenID f ON f.FlaechenNr = ? WHERE a.AnalysenNr = ?"),
            {flaechenNr, analysenNr});
        if (q.next()) {
            const QDate datum = QDate::fromString(q.value(5).toString().left(10), Qt::ISODate);
            werte = {q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
                     q.value(3).isNull() ? -1.0 : q.value(3).toDouble(), q.value(4).toDouble(),
                     datum.isValid() ? QVariant(datum) : QVariant(), q.value(6).toInt(), q.value(7).toInt(),
                     uhr.now()};
        }
    } catch (const std::exception&) {
        werte.clear();
    }
    if (werte.isEmpty()) {
        r.status = AnalyseGesendet::Status::AnalyseFehlt;
        r.meldung = Meldung{0, QStringLiteral("Humavera - Datenübertragung"),
                            QStringLiteral("Die Analyse ist nicht gespeichert und wurde nicht übertragen."),
                            Meldung::Symbol::Warnung};
        return r;
    }

    if (server.ServerErreichbar(server.strServerAdresse()) < 0) {
        r.status = AnalyseGesendet::Status::NichtErreichbar;
        r.meldung = Meldung{0, kKeineVerbindungTitel, kKeineVerbindungText, Meldung::Symbol::Keins};
        return r;
    }
    if (!server.blnServerVerbunden(kDatenerfassung))
        server.ServerVerbinden(kDatenerfassung);
    if (!server.blnServerVerbunden(kDatenerfassung)) {
        r.status = AnalyseGesendet::Status::Fehler;
        r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
        return r;
    }

    const QVariantList schluessel{strProgrammID, flaechenNr, analysenNr};
    bool fehler = false;
    {
        const QSqlDatabase cn = server.cnServer(kDatenerfassung);
        try {
            const bool vorhanden =
                sql::scalar(cn,
                            QStringLiteral("SELECT COUNT(*) FROM analysen WHERE Programmid = ? AND FlaechenID = ? "
                                           "AND AnalysenID = ?"),
                            schluessel)
                    .toLongLong() > 0;
            if (vorhanden) {
                if (pruefpunkt)
                    pruefpunkt(u"Aktualisieren");
                sql::exec(cn,
                          QStringLiteral("UPDATE analysen SET Stickstoff = ?, Phosphat = ?, Kalium = ?, Magnesium = ?, "
                                         "ph = ?, Datum = ?, Nutzung = ?, Bodenart = ?, LetzteAenderung = ? "
                                         "WHERE Programmid = ? AND FlaechenID = ? AND AnalysenID = ?"),
                          werte + schluessel);
                r.status = AnalyseGesendet::Status::Aktualisiert;
            } else {
                if (pruefpunkt)
                    pruefpunkt(u"Einfuegen");
                sql::exec(cn,
                          QStringLiteral("INSERT INTO analysen (Programmid, FlaechenID, AnalysenID, Stickstoff, "
                                         "Phosphat, Kalium, Magnesium, ph, Datum, Nutzung, Bodenart, LetzteAenderung) "
                                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          schluessel + werte);
                r.status = AnalyseGesendet::Status::Eingefuegt;
            }
        } catch (const std::exception&) {
            fehler = true;
        }
    }
    if (fehler) {
        // a broken connection would otherwise be reused for every later attempt
        server.trennen(kDatenerfassung);
        r.status = AnalyseGesendet::Status::Fehler;
        r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
    }
    return r;
}

} // namespace kav

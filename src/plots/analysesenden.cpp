#include "plots/analysesenden.h"

#include "platform/clock.h"
#include "plots/flaechendaten.h"
#include "services/analysenzeile.h"
#include "services/server.h"
#include "services/sql.h"

#include <QDate>

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
        const auto analyse = analysenZeileLesen(cnDaten, analysenNr);
        const auto flaeche = flaecheLesen(cnDaten, flaechenNr);
        if (analyse && flaeche) {
            const QDate& datum = analyse->Datum;
            werte = {analyse->GesamtN.value_or(0), analyse->P2O5.value_or(0), analyse->K2O.value_or(0),
                     mgWert(*analyse), analyse->pH.value_or(0), datum.isValid() ? QVariant(datum) : QVariant(),
                     flaeche->Nutzung, analyse->Bodenart.value_or(0), uhr.now()};
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

    if (!server.config().configured()) {
        r.status = AnalyseGesendet::Status::KeinServer;
        r.meldung = Meldung{0, kKeinServerTitel,
                            keinServerText(QStringLiteral("das Senden"))
                                + QStringLiteral(" Die Analysenwerte sind gespeichert, wurden aber nicht gesendet."),
                            Meldung::Symbol::Information};
        return r;
    }
    // the server's part on its own thread: the window goes on meanwhile
    server.ausfuehren([&] {
        if (server.ServerErreichbar(server.strServerAdresse()) < 0) {
            r.status = AnalyseGesendet::Status::NichtErreichbar;
            r.meldung = Meldung{0, kKeineVerbindungTitel, kKeineVerbindungText, Meldung::Symbol::Keins};
            return;
        }
        if (!server.blnServerVerbunden(kDatenerfassung))
            server.ServerVerbinden(kDatenerfassung);
        if (!server.blnServerVerbunden(kDatenerfassung)) {
            r.status = AnalyseGesendet::Status::Fehler;
            r.meldung = fehlerMeldungFuer(QStringLiteral("SQL-DB"));
            return;
        }

        const QVariantList schluessel{strProgrammID, flaechenNr, analysenNr};
        bool fehler = false;
        {
            const QSqlDatabase cn = server.cnServer(kDatenerfassung);
            try {
                const bool vorhanden = sql::zeileSchreiben(
                    cn, QStringLiteral("analysen"),
                    {QStringLiteral("Programmid"), QStringLiteral("FlaechenID"), QStringLiteral("AnalysenID")}, schluessel,
                    {QStringLiteral("Stickstoff"), QStringLiteral("Phosphat"), QStringLiteral("Kalium"),
                     QStringLiteral("Magnesium"), QStringLiteral("ph"), QStringLiteral("Datum"), QStringLiteral("Nutzung"),
                     QStringLiteral("Bodenart"), QStringLiteral("LetzteAenderung")},
                    werte, pruefpunkt);
                r.status = vorhanden ? AnalyseGesendet::Status::Aktualisiert : AnalyseGesendet::Status::Eingefuegt;
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
    });
    return r;
}

} // namespace kav

#pragma once
// Upload of one stored analysis into the data collection on the server.
#include "services/meldungen.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <functional>

namespace kav {

class Clock;
class Server;

inline const QString kKeineVerbindungTitel = QStringLiteral("Humavera - Daten aktualisieren");
inline const QString kKeineVerbindungText =
    QStringLiteral("Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung.");
inline const QString kKeinServerTitel = QStringLiteral("Humavera - Datenübertragung");

struct AnalyseGesendet {
    enum class Status {
        Eingefuegt,     // a new remote row
        Aktualisiert,   // the remote row of this analysis was overwritten
        KeinServer,     // no server address set up (Server.ini)
        NichtErreichbar,
        Fehler,         // no connection, or the row could not be written (message 1002)
        AnalyseFehlt,   // nothing stored locally to send
    };
    Status status = Status::Fehler;
    Meldung meldung; // empty on success
    bool ok() const { return status == Status::Eingefuegt || status == Status::Aktualisiert; }
};

// Sends the stored analysis `analysenNr` of plot `flaechenNr` (values from Daten.KRN, as numbers;
// magnesium not determined -1) to `analysen` in kav_datenerfassung, on that database's own
// connection, which is opened when needed and kept for later uploads. The row of this
// installation, plot and analysis is overwritten when it exists, else added. A failing write is
// reported (message 1002) and never turns into a second row; the connection is then closed so
// that the next attempt connects anew. The local data are never touched. Everything but the local read
// runs on the server's own thread while the calling thread goes on with its events (Server::ausfuehren).
// `pruefpunkt` (tests) is called there before the remote write with "Aktualisieren" or "Einfuegen".
AnalyseGesendet EinzelAnalyseSenden(Server& server, const QSqlDatabase& cnDaten, const QString& strProgrammID,
                                    const QString& flaechenNr, const QString& analysenNr, const Clock& uhr,
                                    const std::function<void(QStringView)>& pruefpunkt = {});

} // namespace kav

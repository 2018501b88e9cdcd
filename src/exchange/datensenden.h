#pragma once
// Upload of all the user's Nmin values and analyses into the data collection on the server.
#include "services/meldungen.h"

#include <QSqlDatabase>
#include <QString>

namespace kav {
class Clock;
class Server;
} // namespace kav

namespace kav::exchange {

inline const QString kGesendet = QStringLiteral("Die Daten wurden erfolgreich übertragen.");
inline const QString kNminNichtGesendet = QStringLiteral("Die Nmin-Werte konnten nicht übertragen werden.");
inline const QString kAnalysenNichtGesendet = QStringLiteral("Die Analysen konnten nicht übertragen werden.");
inline const QString kNichtsZuSenden = QStringLiteral("Es sind keine Analysen oder Nmin-Werte zum Übertragen gespeichert.");

struct DatenGesendet {
    enum class Teil { Gesendet, Leer, Fehler };
    Teil nmin = Teil::Leer;
    Teil analysen = Teil::Leer;
    int nminZeilen = 0, analysenZeilen = 0; // rows written
    Meldung meldung;                       // what the user is told
};

// Sends every Nmin value (one row per plot and day) and every analysis assigned to a plot to
// `nmin` and `analysen` of kav_datenerfassung, always on that database's own connection (opened
// when needed; a connection that went stale is opened anew once). Each part runs in one
// transaction: the server's rows of this installation for the plots (and analyses) sent are
// replaced by fresh copies, or, on any failure, left as they were. Assignments or values whose
// plot or analysis no longer exists are skipped. Nothing local is changed. The local rows are read on
// the calling thread; the transfer runs on the server's own thread while the calling thread goes on
// with its events (Server::ausfuehren), each statement within the time-outs of Server.ini.
DatenGesendet AlleDatenSenden(Server& server, const QSqlDatabase& cnDaten, const QString& strProgrammID,
                              const Clock& uhr);

} // namespace kav::exchange

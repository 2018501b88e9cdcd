#pragma once
// The Nmin values of the plots: one row per plot and day in Nmin of Daten.KRN, and the upload of one
// value into the data collection on the server.
#include "services/meldungen.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace kav {

class Clock;
class Server;
struct Gebietsschema;

// The units of the Nmin box, by list index.
inline constexpr const char16_t* kNminEinheiten[3] = {u"mg NO3/l", u"g N/m²", u"kg N/ha"};

struct NminWert {
    double Nmin = 0;
    qint16 Einheit = 0; // 0 mg NO3/l, 1 g N/m², 2 kg N/ha
};

// What the Nmin box holds.
struct NminEingabe {
    enum class Art { Leer, KeineZahl, Zahl };
    Art art = Art::Leer;
    double wert = 0;
};
NminEingabe NminTextLesen(const QString& text, const Gebietsschema& gebiet);

// The value stored for the plot on that day; nullopt when there is none (or it holds no number).
// Throws sql::Error when the file cannot be read.
std::optional<NminWert> NminLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum);

// Stores the value for the plot and day: the row of that day gets value and unit (its date and id
// stay), or a new row with id `neueId` is added. Throws sql::Error; nothing is written then.
void NminSpeichern(const QSqlDatabase& cnDaten, const QString& flaechenNr, const QDate& datum, const NminWert& w,
                   const QString& neueId);

// The whole number sent for a value: rounded, a half to the even neighbour (12,5 → 12; 13,5 → 14);
// nullopt outside -32768 to 32767.
std::optional<qint16> NminServerWert(double wert);

// One value as it goes to the server.
struct NminSendung {
    QString flaechenNr;
    QDate datum;
    NminWert wert;
    qint16 nutzung = 0;
    qint16 kompost = 0;
};

struct NminGesendet {
    enum class Status {
        Eingefuegt,
        Aktualisiert,
        ZuGross,         // the value does not fit the server's column: nothing was sent
        NichtErreichbar,
        Fehler,          // no connection, or the row could not be written (message 1002)
    };
    Status status = Status::Fehler;
    Meldung meldung; // empty on success
    bool ok() const { return status == Status::Eingefuegt || status == Status::Aktualisiert; }
};

// Sends the value to `nmin` of kav_datenerfassung on that database's own connection (opened when
// needed and kept): the row of this installation, plot and day is overwritten when it exists, else
// one is added. A failing write is reported (1002), never turns into a second row, and closes the
// connection so that the next attempt connects anew. It runs on the server's own thread while the
// calling thread goes on with its events (Server::ausfuehren). `pruefpunkt` (tests) is called there
// before the remote write with "Aktualisieren" or "Einfuegen".
NminGesendet NminUebertragen(Server& server, const QString& strProgrammID, const NminSendung& n, const Clock& uhr,
                             const std::function<void(QStringView)>& pruefpunkt = {});

} // namespace kav

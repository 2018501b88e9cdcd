#pragma once
// The remote server: reachability, one named connection per remote database, and the server's own
// thread, on which the uploads run and keep their connection while the windows go on.
#include "platform/remoteconnection.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <mutex>

class QObject;
class QThread;

namespace kav {

inline const QString kDatenerfassung = QStringLiteral("kav_datenerfassung");
inline const QString kUpdateDatenbank = QStringLiteral("kav_update");

// What the user is told when `Server.ini` names no server: `wofuer` is what needs one ("das
// Senden", "die Aktualisierung"); the sentence after it says what that means for the data.
QString keinServerText(const QString& wofuer);

class Server {
public:
    explicit Server(ServerConfig config);
    // Breaks off a job still running (see abbrechen) and ends the server's thread.
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    const ServerConfig& config() const { return m_config; }
    QString strServerAdresse() const { return m_config.host; }

    // Seconds the test took, or -1 when the host cannot be reached.
    float ServerErreichbar(const QString& adresse) const;

    // A connection belongs to the thread that opens it: the uploads' connections live on the server's
    // own thread (see ausfuehren), any other thread has connections of its own.
    // Connects the calling thread to `datenbank` when the server can be reached; an existing
    // connection is replaced. An unreachable server leaves everything as it was.
    void ServerVerbinden(const QString& datenbank);
    // The connected flag of one database, for the calling thread.
    bool blnServerVerbunden(const QString& datenbank) const;
    // The calling thread's connection to `datenbank`, opened when it has none (closed on failure).
    QSqlDatabase cnServer(const QString& datenbank);
    void trennen(const QString& datenbank);
    void alleTrennen(); // the calling thread's connections
    QString letzterFehler() const;

    // Runs `auftrag` on the server's own thread and returns once it has ended; what it throws is
    // thrown here. Meanwhile the calling thread goes on processing its events except user input: the
    // windows repaint, timers fire. On the server's own thread it runs at once.
    void ausfuehren(const std::function<void()>& auftrag);
    // Connects to `datenbank` on the server's own thread without waiting for it (at start-up).
    void imHintergrundVerbinden(const QString& datenbank);
    // From any thread: what the job on the server's thread waits for is broken off. A statement waiting
    // for the server ends at once with an error; a connection being made is given up as soon as it is
    // made. The job's connections are closed when it ends (or, for a cancel that came after its end,
    // before the next job begins), so that the next job connects anew.
    void abbrechen();
    // True once the running job was broken off.
    bool abgebrochen() const { return m_abbruch.abgebrochen(); }

private:
    QString verbindungsName(const QString& datenbank) const;
    QString fadenPraefix() const;
    bool imEigenenFaden() const;
    QObject* kontext(); // lives on the server's thread, started on first use

    ServerConfig m_config;
    QString m_praefix; // connection names of this object only
    mutable std::mutex m_sperre;
    QString m_fehler;
    VerbindungsAbbruch m_abbruch; // the connections of the server's thread
    QThread* m_faden = nullptr;
    QObject* m_kontext = nullptr;
};

} // namespace kav

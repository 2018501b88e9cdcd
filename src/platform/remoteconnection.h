#pragma once
// Connection values of the remote server and named connections to its databases.
#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <mutex>
#include <utility>

namespace kav {

struct ServerConfig {
    QString host;          // empty: no server configured
    int port = 3306;
    QString user;
    QString password;
    // Time-outs of 1 to 10 seconds: for making a connection (ending the program may wait that long
    // for a connection being made), and for each answer of a statement.
    int connectTimeoutS = 2;
    int readTimeoutS = 10;
    int writeTimeoutS = 10;
    int reachTimeoutMs = 3000; // at most 3000
    int ftpPort = 21;
    QString ftpUser;
    QString ftpPassword;
    QString updateDatenbank = QStringLiteral("kav_update"); // source of the data update
    QString ftpVerzeichnis;  // folder on the FTP server before "/Kav/..."; empty: the root
    QString downloadSeite;   // address of the download page named when a newer version exists
    // The certificate of the authority that signed the server's certificates (PEM). Empty: both
    // connections are encrypted where the server offers it, without checking the certificate. Named:
    // encryption is required and the certificate is checked against it.
    QString sslCa;

    bool configured() const { return !host.isEmpty(); }

    // Reads the [Server] group of an INI file; missing values keep their defaults, the time-outs are
    // held to their ranges, a relative SSLCA path is taken from the folder of the file.
    static ServerConfig fromIni(const QString& iniPath);
};

// The connect options of the database driver for `cfg`: the time-outs and the request for TLS.
QString verbindungsOptionen(const ServerConfig& cfg);

// Opens one named MySQL/MariaDB connection to `database`; the connection is removed again on failure.
// With a CA file named, a connection that is not encrypted is refused.
bool openRemoteConnection(const ServerConfig& cfg, const QString& connectionName,
                          const QString& database, QString* why = nullptr);
void closeRemoteConnection(const QString& connectionName);

// True when the open connection `db` is encrypted, as its client library says (not the server).
bool verbindungVerschluesselt(const QSqlDatabase& db);

// Breaks off, from any thread, what the connections registered here wait for: their sockets are shut
// down, so that a statement waiting for a hung server ends at once with an error. A connection is
// registered by its own thread once it is open, and deregistered before it is closed.
class VerbindungsAbbruch {
public:
    void anmelden(const QString& name, const QSqlDatabase& db); // at once broken off when abbrechen() came first
    void abmelden(const QString& name);
    void abbrechen();
    // For the next run: registrations are no longer broken off. True when a cancel had come (its
    // connections are shut and must not be used again).
    bool zuruecksetzen();
    bool abgebrochen() const;

private:
    struct Socket {
        int fd = -1;
        std::pair<quint64, quint64> kennung; // device and inode: the descriptor may be reused
    };
    static void schliessen(const Socket& s);
    mutable std::mutex m_sperre;
    QHash<QString, Socket> m_sockets;
    bool m_abgebrochen = false;
};

} // namespace kav

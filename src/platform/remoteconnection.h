#pragma once
// Connection values of the remote server and named connections to its databases.
#include <QSqlDatabase>
#include <QString>

namespace kav {

struct ServerConfig {
    QString host;          // empty: no server configured
    int port = 3306;
    QString user;
    QString password;
    int connectTimeoutS = 3; // at most 3: a window waits for it
    int readTimeoutS = 30;
    int writeTimeoutS = 30;
    int reachTimeoutMs = 3000; // at most 3000
    int ftpPort = 21;
    QString ftpUser;
    QString ftpPassword;
    QString updateDatenbank = QStringLiteral("kav_update"); // source of the data update
    QString ftpVerzeichnis;  // folder on the FTP server before "/Kav/..."; empty: the root
    QString downloadSeite;   // address of the download page named when a newer version exists

    bool configured() const { return !host.isEmpty(); }

    // Reads the [Server] group of an INI file; missing values keep their defaults, the connect and
    // reachability time-outs are held to 1 to 3 seconds.
    static ServerConfig fromIni(const QString& iniPath);
};

// Opens one named MySQL/MariaDB connection to `database`; the connection is removed again on failure.
bool openRemoteConnection(const ServerConfig& cfg, const QString& connectionName,
                          const QString& database, QString* why = nullptr);
void closeRemoteConnection(const QString& connectionName);

} // namespace kav

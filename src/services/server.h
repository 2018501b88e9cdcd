#pragma once
// The remote server: reachability and one named connection per remote database.
#include "platform/remoteconnection.h"

#include <QSet>
#include <QSqlDatabase>
#include <QString>

namespace kav {

inline const QString kDatenerfassung = QStringLiteral("kav_datenerfassung");
inline const QString kUpdateDatenbank = QStringLiteral("kav_update");

// What the user is told when `Server.ini` names no server: `wofuer` is what needs one ("das
// Senden", "die Aktualisierung"); the sentence after it says what that means for the data.
QString keinServerText(const QString& wofuer);

class Server {
public:
    explicit Server(ServerConfig config);
    ~Server();

    const ServerConfig& config() const { return m_config; }
    QString strServerAdresse() const { return m_config.host; }

    // Seconds the test took, or -1 when the host cannot be reached.
    float ServerErreichbar(const QString& adresse) const;

    // Connects to `datenbank` when the server can be reached. Every database has its own
    // connection; an existing one is replaced. An unreachable server leaves everything as it was.
    void ServerVerbinden(const QString& datenbank);

    // The connected flag of one database.
    bool blnServerVerbunden(const QString& datenbank) const { return m_verbunden.contains(datenbank); }
    QSqlDatabase cnServer(const QString& datenbank) const;

    void trennen(const QString& datenbank);
    void alleTrennen();
    QString letzterFehler() const { return m_fehler; }

private:
    QString verbindungsName(const QString& datenbank) const;
    ServerConfig m_config;
    QString m_praefix; // connection names of this object only
    QSet<QString> m_verbunden;
    QString m_fehler;
};

} // namespace kav

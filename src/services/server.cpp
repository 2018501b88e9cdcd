#include "services/server.h"

#include "platform/reachability.h"

namespace kav {

QString keinServerText(const QString& wofuer)
{
    return QStringLiteral("Für %1 ist kein Server eingerichtet: In der Datei „Server.ini“ im Programmordner steht keine "
                          "Serveradresse.")
        .arg(wofuer);
}

Server::Server(ServerConfig config) : m_config(std::move(config))
{
    static int zaehler = 0;
    m_praefix = QStringLiteral("kav_server%1_").arg(++zaehler);
}

Server::~Server() { alleTrennen(); }

QString Server::verbindungsName(const QString& datenbank) const { return m_praefix + datenbank; }

float Server::ServerErreichbar(const QString& adresse) const
{
    return static_cast<float>(tcpConnectSeconds(adresse, m_config.port, m_config.reachTimeoutMs));
}

void Server::ServerVerbinden(const QString& datenbank)
{
    if (ServerErreichbar(m_config.host) < 0)
        return;
    m_verbunden.remove(datenbank);
    m_fehler.clear();
    if (openRemoteConnection(m_config, verbindungsName(datenbank), datenbank, &m_fehler))
        m_verbunden.insert(datenbank);
}

QSqlDatabase Server::cnServer(const QString& datenbank) const
{
    return QSqlDatabase::database(verbindungsName(datenbank), false);
}

void Server::trennen(const QString& datenbank)
{
    closeRemoteConnection(verbindungsName(datenbank));
    m_verbunden.remove(datenbank);
}

void Server::alleTrennen()
{
    const auto offen = m_verbunden;
    for (const QString& d : offen)
        trennen(d);
}

} // namespace kav

#include "platform/remoteconnection.h"

#include <QSettings>
#include <QSqlError>

#include <algorithm>

namespace kav {

ServerConfig ServerConfig::fromIni(const QString& iniPath)
{
    ServerConfig c;
    QSettings s(iniPath, QSettings::IniFormat);
    s.beginGroup(QStringLiteral("Server"));
    c.host = s.value(QStringLiteral("Adresse"), c.host).toString().trimmed();
    c.port = s.value(QStringLiteral("Port"), c.port).toInt();
    c.user = s.value(QStringLiteral("Benutzer"), c.user).toString();
    c.password = s.value(QStringLiteral("Passwort"), c.password).toString();
    c.connectTimeoutS = std::clamp(s.value(QStringLiteral("VerbindenSekunden"), c.connectTimeoutS).toInt(), 1, 3);
    c.readTimeoutS = s.value(QStringLiteral("LesenSekunden"), c.readTimeoutS).toInt();
    c.writeTimeoutS = s.value(QStringLiteral("SchreibenSekunden"), c.writeTimeoutS).toInt();
    c.reachTimeoutMs = std::clamp(s.value(QStringLiteral("ErreichbarMillisekunden"), c.reachTimeoutMs).toInt(), 100, 3000);
    c.ftpPort = s.value(QStringLiteral("FTPPort"), c.ftpPort).toInt();
    c.ftpUser = s.value(QStringLiteral("FTPBenutzer"), c.user).toString();
    c.ftpPassword = s.value(QStringLiteral("FTPPasswort"), c.password).toString();
    c.updateDatenbank = s.value(QStringLiteral("UpdateDatenbank"), c.updateDatenbank).toString().trimmed();
    c.ftpVerzeichnis = s.value(QStringLiteral("FTPVerzeichnis"), c.ftpVerzeichnis).toString().trimmed();
    c.downloadSeite = s.value(QStringLiteral("DownloadSeite"), c.downloadSeite).toString().trimmed();
    s.endGroup();
    return c;
}

bool openRemoteConnection(const ServerConfig& cfg, const QString& connectionName,
                          const QString& database, QString* why)
{
    closeRemoteConnection(connectionName);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QMYSQL"))) {
        if (why) *why = QStringLiteral("Der Datenbanktreiber für den Server fehlt");
        return false;
    }
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
        db.setHostName(cfg.host);
        db.setPort(cfg.port);
        db.setDatabaseName(database);
        db.setUserName(cfg.user);
        db.setPassword(cfg.password);
        db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;"
                                            "MYSQL_OPT_WRITE_TIMEOUT=%3")
                                 .arg(cfg.connectTimeoutS)
                                 .arg(cfg.readTimeoutS)
                                 .arg(cfg.writeTimeoutS));
        ok = db.open();
        if (!ok && why)
            *why = db.lastError().text();
    }
    if (!ok)
        QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

void closeRemoteConnection(const QString& connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace kav

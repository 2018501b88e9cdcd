#include "platform/remoteconnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDriver>
#include <QSqlError>

#include <algorithm>
#include <atomic>
#include <vector>

#include <dlfcn.h>
#include <link.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace kav {

namespace {

// A function of the client library that the database driver loaded. The driver keeps the library to
// itself (loaded as a private dependency), so every loaded object is asked; a function found is kept.
void* clientFunktion(const char* name, std::atomic<void*>& gefunden)
{
    if (void* f = gefunden.load())
        return f;
    std::vector<std::string> objekte;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* daten) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::vector<std::string>*>(daten)->emplace_back(info->dlpi_name);
            return 0;
        },
        &objekte);
    for (const std::string& o : objekte) {
        void* h = dlopen(o.c_str(), RTLD_LAZY | RTLD_NOLOAD);
        if (!h)
            continue;
        void* f = dlsym(h, name);
        dlclose(h);
        if (f) {
            gefunden.store(f);
            return f;
        }
    }
    return nullptr;
}

// The client library's handle of an open connection, or nullptr.
void* mysqlHandle(const QSqlDatabase& db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant h = db.driver()->handle();
    const char* typ = h.typeName();
    if (!typ || (qstrcmp(typ, "MYSQL*") != 0 && qstrcmp(typ, "st_mysql*") != 0))
        return nullptr;
    return *static_cast<void* const*>(h.constData());
}

int mysqlSocket(const QSqlDatabase& db)
{
    static std::atomic<void*> f{nullptr};
    void* handle = mysqlHandle(db);
    auto* socketVon = handle ? reinterpret_cast<int (*)(void*)>(clientFunktion("mysql_get_socket", f)) : nullptr;
    return socketVon ? socketVon(handle) : -1;
}

int sekunden(const QSettings& s, const char* schluessel, int standard, int hoechstens)
{
    return std::clamp(s.value(QLatin1String(schluessel), standard).toInt(), 1, hoechstens);
}

} // namespace

ServerConfig ServerConfig::fromIni(const QString& iniPath)
{
    ServerConfig c;
    QSettings s(iniPath, QSettings::IniFormat);
    s.beginGroup(QStringLiteral("Server"));
    c.host = s.value(QStringLiteral("Adresse"), c.host).toString().trimmed();
    c.port = s.value(QStringLiteral("Port"), c.port).toInt();
    c.user = s.value(QStringLiteral("Benutzer"), c.user).toString();
    c.password = s.value(QStringLiteral("Passwort"), c.password).toString();
    c.connectTimeoutS = sekunden(s, "VerbindenSekunden", c.connectTimeoutS, 10);
    c.readTimeoutS = sekunden(s, "LesenSekunden", c.readTimeoutS, 10);
    c.writeTimeoutS = sekunden(s, "SchreibenSekunden", c.writeTimeoutS, 10);
    c.reachTimeoutMs = std::clamp(s.value(QStringLiteral("ErreichbarMillisekunden"), c.reachTimeoutMs).toInt(), 100, 3000);
    c.ftpPort = s.value(QStringLiteral("FTPPort"), c.ftpPort).toInt();
    c.ftpUser = s.value(QStringLiteral("FTPBenutzer"), c.user).toString();
    c.ftpPassword = s.value(QStringLiteral("FTPPasswort"), c.password).toString();
    c.updateDatenbank = s.value(QStringLiteral("UpdateDatenbank"), c.updateDatenbank).toString().trimmed();
    c.ftpVerzeichnis = s.value(QStringLiteral("FTPVerzeichnis"), c.ftpVerzeichnis).toString().trimmed();
    c.downloadSeite = s.value(QStringLiteral("DownloadSeite"), c.downloadSeite).toString().trimmed();
    if (const QString ca = s.value(QStringLiteral("SSLCA")).toString().trimmed(); !ca.isEmpty())
        c.sslCa = QFileInfo(iniPath).absoluteDir().absoluteFilePath(ca);
    s.endGroup();
    return c;
}

QString verbindungsOptionen(const ServerConfig& cfg)
{
    // Any SSL option makes the client library ask for TLS where the server offers it; an empty cipher
    // list keeps the library's own ciphers. With a CA file the server's certificate must chain to it.
    return QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;MYSQL_OPT_WRITE_TIMEOUT=%3;%4")
        .arg(cfg.connectTimeoutS)
        .arg(cfg.readTimeoutS)
        .arg(cfg.writeTimeoutS)
        .arg(cfg.sslCa.isEmpty() ? QStringLiteral("SSL_CIPHER=") : QStringLiteral("SSL_CA=") + cfg.sslCa);
}

bool openRemoteConnection(const ServerConfig& cfg, const QString& connectionName,
                          const QString& database, QString* why)
{
    closeRemoteConnection(connectionName);
    const auto fehler = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QMYSQL")))
        return fehler(QStringLiteral("Der Datenbanktreiber für den Server fehlt"));
    if (!cfg.sslCa.isEmpty() && (cfg.sslCa.contains(QLatin1Char(';')) || !QFileInfo(cfg.sslCa).isReadable()))
        return fehler(QStringLiteral("Die Zertifikatsdatei %1 (SSLCA in Server.ini) kann nicht gelesen werden")
                          .arg(QDir::toNativeSeparators(cfg.sslCa)));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
        db.setHostName(cfg.host);
        db.setPort(cfg.port);
        db.setDatabaseName(database);
        db.setUserName(cfg.user);
        db.setPassword(cfg.password);
        db.setConnectOptions(verbindungsOptionen(cfg));
        ok = db.open();
        if (!ok)
            fehler(db.lastError().text());
        else if (!cfg.sslCa.isEmpty() && !verbindungVerschluesselt(db)) {
            // the server (or a party in the middle) offered no TLS: nothing more goes over this line
            db.close();
            ok = fehler(QStringLiteral("Der Server bietet keine verschlüsselte Verbindung an"));
        }
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

bool verbindungVerschluesselt(const QSqlDatabase& db)
{
    static std::atomic<void*> f{nullptr};
    void* handle = mysqlHandle(db);
    auto* cipher = handle ? reinterpret_cast<const char* (*)(void*)>(clientFunktion("mysql_get_ssl_cipher", f)) : nullptr;
    const char* c = cipher ? cipher(handle) : nullptr;
    return c && *c;
}

// ---------------------------------------------------------------- breaking off

void VerbindungsAbbruch::schliessen(const Socket& s)
{
    // only the socket that was registered: its descriptor may meanwhile belong to another file
    struct stat st {};
    if (fstat(s.fd, &st) == 0 && S_ISSOCK(st.st_mode) && std::pair<quint64, quint64>(st.st_dev, st.st_ino) == s.kennung)
        ::shutdown(s.fd, SHUT_RDWR);
}

void VerbindungsAbbruch::anmelden(const QString& name, const QSqlDatabase& db)
{
    const int fd = mysqlSocket(db);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0)
        return; // not known: the time-outs end a wait
    const Socket s{fd, {st.st_dev, st.st_ino}};
    const std::lock_guard<std::mutex> l(m_sperre);
    m_sockets.insert(name, s);
    if (m_abgebrochen)
        schliessen(s);
}

void VerbindungsAbbruch::abmelden(const QString& name)
{
    const std::lock_guard<std::mutex> l(m_sperre);
    m_sockets.remove(name);
}

void VerbindungsAbbruch::abbrechen()
{
    const std::lock_guard<std::mutex> l(m_sperre);
    m_abgebrochen = true;
    for (const Socket& s : std::as_const(m_sockets))
        schliessen(s);
}

bool VerbindungsAbbruch::zuruecksetzen()
{
    const std::lock_guard<std::mutex> l(m_sperre);
    return std::exchange(m_abgebrochen, false);
}

bool VerbindungsAbbruch::abgebrochen() const
{
    const std::lock_guard<std::mutex> l(m_sperre);
    return m_abgebrochen;
}

} // namespace kav

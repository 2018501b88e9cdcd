#include "services/server.h"

#include "platform/reachability.h"

#include <QEventLoop>
#include <QSemaphore>
#include <QThread>

#include <exception>
#include <memory>

namespace kav {

QString keinServerText(const QString& wofuer)
{
    return QStringLiteral("Für %1 ist kein Server eingerichtet: In der Datei „Server.ini“ im Programmordner steht keine "
                          "Serveradresse.")
        .arg(wofuer);
}

Server::Server(ServerConfig config) : m_config(std::move(config))
{
    static std::atomic<int> zaehler{0};
    m_praefix = QStringLiteral("kav_server%1_").arg(++zaehler);
}

Server::~Server()
{
    if (m_faden) {
        abbrechen();
        m_faden->quit();
        m_faden->wait();
        delete m_kontext;
        delete m_faden;
    }
    alleTrennen();
}

QObject* Server::kontext()
{
    if (!m_faden) {
        m_faden = new QThread;
        m_faden->setObjectName(QStringLiteral("Server"));
        m_kontext = new QObject;
        m_kontext->moveToThread(m_faden);
        // the thread's connections are closed by the thread itself, after its last job
        QObject::connect(m_faden, &QThread::finished, m_kontext, [this] { alleTrennen(); }, Qt::DirectConnection);
        m_faden->start();
    }
    return m_kontext;
}

bool Server::imEigenenFaden() const { return m_faden && QThread::currentThread() == m_faden; }

QString Server::fadenPraefix() const
{
    return m_praefix + QString::number(reinterpret_cast<quintptr>(QThread::currentThread()), 16) + QLatin1Char('_');
}

QString Server::verbindungsName(const QString& datenbank) const { return fadenPraefix() + datenbank; }

float Server::ServerErreichbar(const QString& adresse) const
{
    return static_cast<float>(tcpConnectSeconds(adresse, m_config.port, m_config.reachTimeoutMs));
}

void Server::ServerVerbinden(const QString& datenbank)
{
    if ((imEigenenFaden() && m_abbruch.abgebrochen()) || ServerErreichbar(m_config.host) < 0)
        return;
    trennen(datenbank);
    const QString name = verbindungsName(datenbank);
    QString fehler;
    const bool ok = openRemoteConnection(m_config, name, datenbank, &fehler);
    {
        const std::lock_guard<std::mutex> l(m_sperre);
        m_fehler = fehler;
    }
    if (ok && imEigenenFaden()) {
        m_abbruch.anmelden(name, QSqlDatabase::database(name, false));
        if (m_abbruch.abgebrochen())
            trennen(datenbank);
    }
}

bool Server::blnServerVerbunden(const QString& datenbank) const
{
    return QSqlDatabase::contains(verbindungsName(datenbank));
}

QSqlDatabase Server::cnServer(const QString& datenbank)
{
    const QString name = verbindungsName(datenbank);
    if (!QSqlDatabase::contains(name))
        openRemoteConnection(m_config, name, datenbank);
    return QSqlDatabase::database(name, false);
}

void Server::trennen(const QString& datenbank)
{
    const QString name = verbindungsName(datenbank);
    m_abbruch.abmelden(name);
    closeRemoteConnection(name);
}

void Server::alleTrennen()
{
    const QString praefix = fadenPraefix();
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(praefix))
            trennen(name.mid(praefix.size()));
}

QString Server::letzterFehler() const
{
    const std::lock_guard<std::mutex> l(m_sperre);
    return m_fehler;
}

void Server::ausfuehren(const std::function<void()>& auftrag)
{
    if (imEigenenFaden())
        return auftrag();
    QObject* k = kontext();
    // a cancel that came after the last job had ended has shut its kept connections all the same
    const bool abgebrochenVorher = m_abbruch.zuruecksetzen();
    struct Auftragsstand {
        QSemaphore fertig;
        std::exception_ptr fehler;
    };
    const auto stand = std::make_shared<Auftragsstand>();
    QEventLoop schleife;
    QMetaObject::invokeMethod(
        k,
        [this, &auftrag, &schleife, stand, abgebrochenVorher] {
            if (abgebrochenVorher)
                alleTrennen();
            try {
                auftrag();
            } catch (...) {
                stand->fehler = std::current_exception();
            }
            if (m_abbruch.abgebrochen())
                alleTrennen(); // broken off: the next job connects anew
            QMetaObject::invokeMethod(&schleife, &QEventLoop::quit, Qt::QueuedConnection);
            stand->fertig.release();
        },
        Qt::QueuedConnection);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
    // the loop ends early only when the application quits: the job ends soon after its wait is broken off
    stand->fertig.acquire();
    if (stand->fehler)
        std::rethrow_exception(stand->fehler);
}

void Server::imHintergrundVerbinden(const QString& datenbank)
{
    QMetaObject::invokeMethod(
        kontext(),
        [this, datenbank] {
            if (!abgebrochen())
                ServerVerbinden(datenbank);
        },
        Qt::QueuedConnection);
}

void Server::abbrechen() { m_abbruch.abbrechen(); }

} // namespace kav

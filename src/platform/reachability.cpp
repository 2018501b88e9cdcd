#include "platform/reachability.h"

#include <QElapsedTimer>
#include <QTcpSocket>

namespace kav {

double tcpConnectSeconds(const QString& host, int port, int timeoutMs)
{
    if (host.isEmpty() || port <= 0 || port > 65535)
        return -1;
    QElapsedTimer timer;
    timer.start();
    QTcpSocket socket;
    socket.connectToHost(host, static_cast<quint16>(port));
    const bool ok = socket.waitForConnected(timeoutMs);
    const double seconds = timer.nsecsElapsed() / 1e9;
    socket.abort();
    return ok ? seconds : -1.0;
}

} // namespace kav

#pragma once
#include <QString>

namespace kav {

// Seconds a TCP connect to host:port took, or -1 when it failed within the time-out.
double tcpConnectSeconds(const QString& host, int port, int timeoutMs);

} // namespace kav

#include "platform/reachability.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// A plain socket rather than QTcpSocket: the program starts without Qt's network library and the
// libraries it brings (Kerberos, proxy detection), a few milliseconds at every start.
namespace kav {

namespace {

// The addresses of host:port, found within `zeitMs`; nullptr when none were found in time. A name
// is looked up in a thread of its own, so that a slow name server cannot hold the caller longer.
struct Adressen {
    std::mutex m;
    std::condition_variable cv;
    bool fertig = false;
    addrinfo* liste = nullptr;
    ~Adressen()
    {
        if (liste)
            freeaddrinfo(liste);
    }
};

std::shared_ptr<Adressen> adressenSuchen(const QByteArray& host, const QByteArray& dienst, int zeitMs)
{
    auto a = std::make_shared<Adressen>();
    addrinfo wie{};
    wie.ai_family = AF_UNSPEC;
    wie.ai_socktype = SOCK_STREAM;
    wie.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    if (getaddrinfo(host.constData(), dienst.constData(), &wie, &a->liste) == 0)
        return a; // an address as numbers needs no name server
    a->liste = nullptr;
    wie.ai_flags = AI_NUMERICSERV;
    std::thread([a, host, dienst, wie] {
        addrinfo* liste = nullptr;
        if (getaddrinfo(host.constData(), dienst.constData(), &wie, &liste) != 0)
            liste = nullptr;
        {
            const std::lock_guard<std::mutex> sperre(a->m);
            a->liste = liste;
            a->fertig = true;
        }
        a->cv.notify_all();
    }).detach();
    std::unique_lock<std::mutex> sperre(a->m);
    if (!a->cv.wait_for(sperre, std::chrono::milliseconds(zeitMs), [&] { return a->fertig; }) || !a->liste)
        return nullptr;
    return a;
}

// True when a connection to `ziel` is made within `zeitMs`.
bool verbinden(const addrinfo& ziel, int zeitMs)
{
    const int s = ::socket(ziel.ai_family, ziel.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ziel.ai_protocol);
    if (s < 0)
        return false;
    bool ok = ::connect(s, ziel.ai_addr, ziel.ai_addrlen) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        int fehler = 0;
        socklen_t laenge = sizeof fehler;
        ok = ::poll(&p, 1, zeitMs) == 1 && ::getsockopt(s, SOL_SOCKET, SO_ERROR, &fehler, &laenge) == 0 && fehler == 0;
    }
    ::close(s);
    return ok;
}

} // namespace

double tcpConnectSeconds(const QString& host, int port, int timeoutMs)
{
    if (host.isEmpty() || port <= 0 || port > 65535 || timeoutMs <= 0)
        return -1;
    QElapsedTimer timer;
    timer.start();
    const auto adressen = adressenSuchen(host.toUtf8(), QByteArray::number(port), timeoutMs);
    if (!adressen)
        return -1.0;
    for (const addrinfo* a = adressen->liste; a; a = a->ai_next) {
        const int rest = timeoutMs - static_cast<int>(timer.elapsed());
        if (rest <= 0)
            break;
        if (verbinden(*a, rest))
            return timer.nsecsElapsed() / 1e9;
    }
    return -1.0;
}

} // namespace kav

#include "zwischenstelle.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace kav::test {

namespace {

int verbinden(const std::string& host, int port)
{
    addrinfo hinweis{};
    hinweis.ai_family = AF_UNSPEC;
    hinweis.ai_socktype = SOCK_STREAM;
    addrinfo* liste = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hinweis, &liste) != 0)
        return -1;
    int fd = -1;
    for (addrinfo* a = liste; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(liste);
    return fd;
}

bool allesSchreiben(int fd, const char* daten, ssize_t n)
{
    while (n > 0) {
        const ssize_t w = send(fd, daten, static_cast<size_t>(n), MSG_NOSIGNAL);
        if (w <= 0)
            return false;
        daten += w;
        n -= w;
    }
    return true;
}

// The capability flags of a MariaDB greeting (protocol 10) lose CLIENT_SSL (0x0800).
void tlsStreichen(char* paket, ssize_t n)
{
    if (n < 6 || static_cast<unsigned char>(paket[4]) != 10)
        return;
    const void* ende = std::memchr(paket + 5, 0, static_cast<size_t>(n - 5));
    if (!ende)
        return;
    const ssize_t flags = (static_cast<const char*>(ende) - paket) + 1 + 4 + 8 + 1;
    if (flags + 1 < n)
        paket[flags + 1] = static_cast<char>(paket[flags + 1] & ~0x08);
}

struct Paar {
    int programm = -1;
    int server = -1;
    bool gruss = false; // the server's greeting has passed
};

} // namespace

Zwischenstelle::Zwischenstelle(const QString& zielHost, int zielPort) : m_zielHost(zielHost.toStdString()), m_zielPort(zielPort)
{
    m_hoerer = socket(AF_INET, SOCK_STREAM, 0);
    const int ja = 1;
    setsockopt(m_hoerer, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof a;
    if (bind(m_hoerer, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(m_hoerer, 16) != 0
        || getsockname(m_hoerer, reinterpret_cast<sockaddr*>(&a), &laenge) != 0 || pipe(m_wecker) != 0)
        throw std::runtime_error("Zwischenstelle: kein Port");
    m_port = ntohs(a.sin_port);
    m_faden = std::thread([this] { lauf(); });
}

Zwischenstelle::~Zwischenstelle()
{
    m_ende = true;
    const char c = 0;
    [[maybe_unused]] const ssize_t w = write(m_wecker[1], &c, 1);
    m_faden.join();
    for (int fd : {m_hoerer, m_wecker[0], m_wecker[1]})
        close(fd);
}

void Zwischenstelle::lauf()
{
    std::vector<Paar> paare;
    std::vector<char> puffer(65536);
    while (!m_ende) {
        const bool angehalten = m_angehalten;
        std::vector<pollfd> fds{{m_hoerer, POLLIN, 0}, {m_wecker[0], POLLIN, 0}};
        const size_t beobachtet = angehalten ? 0 : paare.size();
        if (!angehalten)
            for (const Paar& p : paare) {
                fds.push_back({p.programm, POLLIN, 0});
                fds.push_back({p.server, POLLIN, 0});
            }
        if (poll(fds.data(), fds.size(), 50) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int programm = accept(m_hoerer, nullptr, nullptr);
            const int server = programm >= 0 ? verbinden(m_zielHost, m_zielPort) : -1;
            if (server >= 0) {
                paare.push_back({programm, server, false});
                ++m_verbindungen;
            } else if (programm >= 0)
                close(programm);
        }
        if (angehalten)
            continue;
        std::vector<Paar> bleiben;
        for (size_t i = 0; i < beobachtet; ++i) {
            Paar& p = paare[i];
            bool offen = true;
            for (size_t seite = 0; seite < 2 && offen; ++seite) {
                if (!(fds[2 + 2 * i + seite].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                const int von = seite == 0 ? p.programm : p.server, nach = seite == 0 ? p.server : p.programm;
                const ssize_t n = read(von, puffer.data(), puffer.size());
                if (n > 0 && seite == 1 && !p.gruss) {
                    p.gruss = true;
                    if (m_tlsVerbergen)
                        tlsStreichen(puffer.data(), n);
                }
                offen = n > 0 && allesSchreiben(nach, puffer.data(), n);
            }
            if (offen)
                bleiben.push_back(p);
            else {
                close(p.programm);
                close(p.server);
            }
        }
        // connections accepted in this round have no entry in `fds` yet and stay as they are
        for (size_t i = beobachtet; i < paare.size(); ++i)
            bleiben.push_back(paare[i]);
        paare.swap(bleiben);
    }
    for (const Paar& p : paare) {
        close(p.programm);
        close(p.server);
    }
}

} // namespace kav::test

#pragma once
// A TCP relay on 127.0.0.1 in front of a real server, for tests of a server that hangs or of a party in
// the middle. Stopped, it accepts connections and passes nothing on, in either direction: as a server
// process that was stopped (SIGSTOP) looks from outside, without stopping the server the other tests use.
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace kav::test {

class Zwischenstelle {
public:
    Zwischenstelle(const QString& zielHost, int zielPort);
    ~Zwischenstelle();
    Zwischenstelle(const Zwischenstelle&) = delete;
    Zwischenstelle& operator=(const Zwischenstelle&) = delete;

    int port() const { return m_port; }
    void anhalten() { m_angehalten = true; }
    void weiter() { m_angehalten = false; }
    // Clears "TLS offered" in the greeting of a MariaDB server, as a party in the middle that wants
    // the connection in clear would.
    void tlsVerbergen() { m_tlsVerbergen = true; }
    // Connections accepted so far.
    int verbindungen() const { return m_verbindungen; }

private:
    void lauf();

    std::string m_zielHost;
    int m_zielPort = 0;
    int m_hoerer = -1;
    int m_port = 0;
    int m_wecker[2] = {-1, -1}; // wakes the relay's thread to end it
    std::atomic<bool> m_angehalten{false}, m_tlsVerbergen{false}, m_ende{false};
    std::atomic<int> m_verbindungen{0};
    std::thread m_faden;
};

} // namespace kav::test

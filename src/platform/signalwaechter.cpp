#include "platform/signalwaechter.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace kav {

namespace {

int g_pipe[2] = {-1, -1};
struct sigaction g_vorher[2];
constexpr int kSignale[2] = {SIGTERM, SIGHUP};

extern "C" void signalAngekommen(int nummer)
{
    // only what is safe inside a signal handler: one byte into the pipe
    const int gesichert = errno;
    const char c = static_cast<char>(nummer);
    [[maybe_unused]] const auto n = ::write(g_pipe[1], &c, 1);
    errno = gesichert;
}

} // namespace

SignalWaechter::SignalWaechter(QObject* eltern) : QObject(eltern)
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (g_pipe[0] < 0)
            g_pipe[0] = g_pipe[1] = -1;
        return; // another watcher is active, or no pipe: the signals keep their handling
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWaechter::lesen);
    struct sigaction sa = {};
    sa.sa_handler = signalAngekommen;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignale[i], &sa, &g_vorher[i]);
}

SignalWaechter::~SignalWaechter()
{
    if (!m_notifier)
        return;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignale[i], &g_vorher[i], nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SignalWaechter::lesen()
{
    char c = 0;
    while (::read(g_pipe[0], &c, 1) == 1)
        emit beenden(static_cast<unsigned char>(c));
}

} // namespace kav

#pragma once
// The end signals of the system as a Qt signal: SIGTERM (shutdown, logout) and SIGHUP (the session
// or terminal goes). The handler only writes the signal's number into a pipe; a socket notifier
// reads it in the event loop and emits `beenden`, where the program's normal shutdown can run.
#include <QObject>

class QSocketNotifier;

namespace kav {

class SignalWaechter : public QObject {
    Q_OBJECT
public:
    // Installs the handlers (one watcher at a time); the destructor puts the earlier ones back.
    explicit SignalWaechter(QObject* eltern = nullptr);
    ~SignalWaechter() override;

    bool aktiv() const { return m_notifier != nullptr; }

signals:
    void beenden(int signalNummer);

private:
    void lesen();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kav

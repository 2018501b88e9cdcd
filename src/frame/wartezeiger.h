#pragma once
// While a command waits (for a server): the wait cursor at once, the button of the command off, and
// every mouse click and key press of the program dropped, so that nothing made meanwhile is queued and
// runs afterwards (the command a second time, another page). The windows go on repainting. Closing a
// window meanwhile breaks the wait off and closes it once the command is done.
#include <QPointer>

#include <functional>

class QWidget;

namespace kav {

class WarteZeiger {
public:
    // Shows the wait cursor and turns `knopf` (may be null) off until the end of the scope, then on again.
    explicit WarteZeiger(QWidget* knopf);
    ~WarteZeiger();
    WarteZeiger(const WarteZeiger&) = delete;
    WarteZeiger& operator=(const WarteZeiger&) = delete;

    // True while a wait is on.
    static bool aktiv();
    // Breaks a wait that is on off (the server's job) and runs `dann` once no wait is on and no modal
    // window is open any more: for ending the program or closing a window during a wait.
    static void danach(std::function<void()> dann);

private:
    QPointer<QWidget> m_knopf;
};

} // namespace kav

#pragma once
// While a command waits (for a server): the wait cursor at once, and the button of the command off,
// so that a click made meanwhile is dropped instead of starting the command a second time.
#include <QPointer>

class QWidget;

namespace kav {

class WarteZeiger {
public:
    // Shows the wait cursor and turns `knopf` off until the end of the scope, then on again.
    explicit WarteZeiger(QWidget* knopf);
    ~WarteZeiger();
    WarteZeiger(const WarteZeiger&) = delete;
    WarteZeiger& operator=(const WarteZeiger&) = delete;

private:
    QPointer<QWidget> m_knopf;
};

} // namespace kav

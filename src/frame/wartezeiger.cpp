#include "frame/wartezeiger.h"

#include <QApplication>
#include <QWidget>

namespace kav {

WarteZeiger::WarteZeiger(QWidget* knopf) : m_knopf(knopf)
{
    if (m_knopf)
        m_knopf->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // the cursor reaches the screen before the wait begins; no input is handled here
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

WarteZeiger::~WarteZeiger()
{
    // what was clicked during the wait arrives now, while the button is still off
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (m_knopf)
        m_knopf->setEnabled(true);
    QApplication::restoreOverrideCursor();
}

} // namespace kav

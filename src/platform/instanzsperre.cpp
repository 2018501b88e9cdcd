#include "platform/instanzsperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kav {

InstanzSperre::InstanzSperre(const QString& ordner)
{
    QDir().mkpath(ordner); // the first start: the folder is the lock's one place
    const QByteArray pfad = QFile::encodeName(ordner);
    // close-on-exec: a started script or viewer does not inherit the lock
    do
        m_fd = ::open(pfad.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        // unlocked, two programs could share the folder
        m_ohneLeserecht = errno == EACCES && QFileInfo(ordner).isDir();
        return;
    }
    int r = 0;
    do
        r = ::flock(m_fd, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    if (r == 0)
        return;
    m_belegt = errno == EWOULDBLOCK;
    ::close(m_fd);
    m_fd = -1;
}

InstanzSperre::~InstanzSperre()
{
    if (m_fd >= 0)
        ::close(m_fd); // the lock goes with the descriptor
}

} // namespace kav

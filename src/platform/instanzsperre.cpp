#include "platform/instanzsperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace {

int oeffnen(const QString& pfad, int art, mode_t modus = 0)
{
    const QByteArray name = QFile::encodeName(pfad);
    int fd = -1;
    do
        fd = ::open(name.constData(), art, modus);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// What lies at `pfad` in place of a lock file: Offen for a regular file or nothing.
InstanzSperre::Sperrdatei artDerSperrdatei(const QString& pfad)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(pfad).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return InstanzSperre::Sperrdatei::Offen;
    if (S_ISDIR(st.st_mode))
        return InstanzSperre::Sperrdatei::Ordner;
    return S_ISLNK(st.st_mode) ? InstanzSperre::Sperrdatei::Verknuepfung : InstanzSperre::Sperrdatei::KeineDatei;
}

} // namespace

InstanzSperre::InstanzSperre(const QString& ordner, Sperren sperren)
{
    if (!sperren)
        sperren = [](int fd, int operation) { return ::flock(fd, operation); };
    // the folder is the lock's place; one made here goes again when the start ends before it holds anything
    if (!QFileInfo::exists(ordner) && QDir().mkpath(ordner))
        m_gemacht = ordner;
    // close-on-exec on both: a started script or viewer does not inherit the lock
    m_ordner = oeffnen(ordner, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_ordner < 0) {
        // missing and not made, or no folder: unlocked, and opening the files says what is wrong
        m_ohneLeserecht = errno == EACCES && QFileInfo(ordner).isDir();
        return;
    }
    // never truncated nor written; where it can be neither made nor opened for writing, the folder
    // lock alone keeps programs apart. Only a regular file is opened, and without waiting: a named
    // pipe put in its place would wait for a reader.
    const QString datei = ordner + QLatin1Char('/') + dateiname();
    m_sperrdatei = artDerSperrdatei(datei);
    if (m_sperrdatei == Sperrdatei::Offen) {
        m_datei = oeffnen(datei, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        const int fehler = errno;
        struct stat st {};
        if (m_datei >= 0 && (::fstat(m_datei, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(m_datei); // put there between the look and the opening
            m_datei = -1;
            m_sperrdatei = Sperrdatei::KeineDatei;
        } else if (m_datei < 0) {
            m_sperrdatei = fehler == ELOOP ? Sperrdatei::Verknuepfung
                           : fehler == ENXIO ? Sperrdatei::KeineDatei
                           : fehler == EACCES || fehler == EPERM || fehler == EROFS
                               ? (QFileInfo::exists(datei) ? Sperrdatei::NichtBeschreibbar : Sperrdatei::NichtAnlegbar)
                               : Sperrdatei::Fehler;
        }
    }
    bool gesperrt = false;
    int fehler = 0;
    for (int* fd : {&m_datei, &m_ordner}) {
        if (*fd < 0)
            continue;
        int r = 0;
        do
            r = sperren(*fd, LOCK_EX | LOCK_NB);
        while (r != 0 && errno == EINTR);
        if (r == 0) {
            gesperrt = true;
            continue;
        }
        if (errno == EWOULDBLOCK) {
            m_belegt = true;
            freigeben();
            return;
        }
        // ENOLCK, EBADF (NFS on a descriptor opened for reading), EINVAL, EOPNOTSUPP: not lockable here
        if (fehler == 0)
            fehler = errno;
        ::close(*fd);
        *fd = -1;
    }
    if (!gesperrt)
        m_fehler = fehler;
}

InstanzSperre::~InstanzSperre() { freigeben(); }

void InstanzSperre::gemachtenOrdnerEntfernen()
{
    if (m_gemacht.isEmpty())
        return;
    const QDir ordner(m_gemacht);
    if (ordner.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        != QStringList{dateiname()})
        return;
    QFile::remove(ordner.filePath(dateiname()));
    freigeben();
    QDir().rmdir(m_gemacht);
    m_gemacht.clear();
}

void InstanzSperre::freigeben()
{
    for (int* fd : {&m_datei, &m_ordner}) {
        if (*fd >= 0)
            ::close(*fd); // the lock goes with the descriptor
        *fd = -1;
    }
}

} // namespace kav

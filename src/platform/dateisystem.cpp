#include "platform/dateisystem.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace {

std::atomic<Dateisystem::Flushaufruf> g_flush{nullptr};

int flushAufrufen(int fd)
{
    const Dateisystem::Flushaufruf f = g_flush.load();
    return f ? f(fd) : ::fsync(fd);
}

// What a file system answers for a flush it does not offer for folders (a virtual machine's shared
// folder, some network and FUSE file systems), as SQLite and PostgreSQL take it too. Not EROFS: a file
// system that went read-only after an error answers so for data it could not write.
bool nichtAngeboten(int fehler)
{
    return fehler == EINVAL || fehler == EBADF || fehler == EOPNOTSUPP /* ENOTSUP */ || fehler == ENOSYS;
}

// Opens `pfad` for reading without waiting: a named pipe with no writer would hold open() for ever.
int oeffnen(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// 0 when the file or folder of `fd` is on the disk, else what failed (errno).
int flushFehler(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    const bool ordner = S_ISDIR(st.st_mode);
    if (!ordner && !S_ISREG(st.st_mode))
        return EINVAL; // only files and folders hold what is flushed
    int r = 0;
    do
        r = flushAufrufen(fd);
    while (r != 0 && errno == EINTR);
    return r == 0 || (ordner && nichtAngeboten(errno)) ? 0 : errno;
}

} // namespace

bool Dateisystem::flush(int fd)
{
    const int fehler = flushFehler(fd);
    if (fehler != 0)
        qWarning().noquote() << QStringLiteral("Schreiben auf den Datenträger fehlgeschlagen:") << std::strerror(fehler);
    return fehler == 0;
}

bool Dateisystem::flush(const QString& pfad)
{
    const int fd = oeffnen(pfad);
    const int fehler = fd < 0 ? errno : flushFehler(fd);
    if (fd >= 0)
        ::close(fd);
    if (fehler != 0)
        qWarning().noquote() << pfad << QStringLiteral("konnte nicht auf den Datenträger geschrieben werden:")
                             << std::strerror(fehler);
    return fehler == 0;
}

Dateisystem::Art Dateisystem::art(const QString& pfad)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(pfad).constData(), &st) != 0)
        return Art::Fehlt;
    if (S_ISREG(st.st_mode))
        return Art::Datei;
    if (S_ISDIR(st.st_mode))
        return Art::Ordner;
    return S_ISLNK(st.st_mode) ? Art::Verknuepfung : Art::KeineDatei;
}

int Dateisystem::lesbar(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == ENOENT ? 0 : errno;
    ::close(fd);
    return 0;
}

bool Dateisystem::aenderbar(const QString& pfad)
{
    if (art(pfad) != Art::Datei)
        return false; // only the program's kind of file: a regular one
    // the rights asked, not the file opened: nothing of it changes, no lock on it is touched
    const QByteArray name = QFile::encodeName(pfad);
    struct stat datei {};
    if (::lstat(name.constData(), &datei) != 0 || ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0)
        return false;
    const QByteArray ordner = QFile::encodeName(QFileInfo(pfad).absolutePath());
    struct stat o {};
    if (::stat(ordner.constData(), &o) != 0 || ::faccessat(AT_FDCWD, ordner.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    const uid_t ich = ::geteuid();
    return !(o.st_mode & S_ISVTX) || ich == 0 || ich == datei.st_uid || ich == o.st_uid;
}

bool Dateisystem::lesen(const QString& pfad, QByteArray* inhalt, qint64 hoechstens)
{
    const int fd = oeffnen(pfad);
    if (fd < 0)
        return false;
    struct stat st {};
    QFile f;
    // the type of what was opened, not of what lay at the path a moment before
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= hoechstens && ::fcntl(fd, F_SETFL, 0) == 0
                    && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (!ok) {
        ::close(fd);
        return false;
    }
    *inhalt = f.read(hoechstens);
    return f.error() == QFileDevice::NoError;
}

bool Dateisystem::neuAnlegen(const QString& pfad, const QByteArray& inhalt)
{
    const QByteArray name = QFile::encodeName(pfad);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        qWarning().noquote() << pfad << QStringLiteral("konnte nicht angelegt werden:") << std::strerror(errno);
        return false;
    }
    qsizetype geschrieben = 0;
    while (geschrieben < inhalt.size()) {
        const ssize_t n = ::write(fd, inhalt.constData() + geschrieben, static_cast<size_t>(inhalt.size() - geschrieben));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        geschrieben += n;
    }
    const bool ok = geschrieben == inhalt.size() && flush(fd);
    ::close(fd);
    if (!ok)
        ::unlink(name.constData());
    return ok;
}

Dateisystem::Flushaufruf Dateisystem::flushaufrufSetzen(Flushaufruf aufruf) { return g_flush.exchange(aufruf); }

} // namespace kav

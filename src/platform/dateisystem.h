#pragma once
// What the program asks of the file system beyond Qt's files: flushing a file or the names in a folder
// to the disk, and reading a small file that must be a regular one. Whatever lies at a path (a named
// pipe, a device, a folder) never blocks these calls.
#include <QByteArray>
#include <QString>

namespace kav {

class Dateisystem {
public:
    // The system call that flushes a descriptor (::fsync); tests put in one that fails.
    using Flushaufruf = int (*)(int fd);

    // Flushes the file, or the names in the folder, at `pfad` to the disk. A folder on a file system
    // that offers no flush for folders (it answers EINVAL, EBADF or "not supported") counts as flushed:
    // there is nothing more to be had. Every other error is a failure and is logged.
    static bool flush(const QString& pfad);
    // The same for an open descriptor of a file or folder.
    static bool flush(int fd);

    // What lies at a path, a symbolic link taken as itself (never followed).
    enum class Art { Fehlt, Datei, Ordner, Verknuepfung, KeineDatei /* a named pipe, socket or device */ };
    static Art art(const QString& pfad);

    // Why the regular file at `pfad` cannot be opened for reading (errno: EACCES or EPERM where the
    // program may not read it, ELOOP for a link); 0 when it can, or when nothing is there. Nothing
    // is read, and a link is not followed.
    static int lesbar(const QString& pfad);
    // Whether this process may write the regular file at `pfad` and remove it from its folder (in a
    // folder with the sticky bit only the owner of the file or of the folder may). Nothing is written,
    // and a link is not followed (false).
    static bool aenderbar(const QString& pfad);
    // Reads the regular file `pfad` whole; false when it is none, cannot be opened or read, or is longer
    // than `hoechstens` bytes (the program reads only short files of its own so).
    static bool lesen(const QString& pfad, QByteArray* inhalt, qint64 hoechstens = 1 << 20);

    // Writes `inhalt` as a new regular file `pfad`, flushed to the disk: made only where nothing lies
    // (never through a link, nor over a file, pipe or folder there). A file it made and could not write
    // whole goes again.
    static bool neuAnlegen(const QString& pfad, const QByteArray& inhalt);

    // Tests: puts `aufruf` in place of ::fsync (nullptr puts ::fsync back); returns the one before.
    static Flushaufruf flushaufrufSetzen(Flushaufruf aufruf);
};

} // namespace kav

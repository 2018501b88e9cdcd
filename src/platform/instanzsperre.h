#pragma once
// One running program per data folder: a kernel lock (flock) on the file "Kav.sperre" in the folder,
// opened for writing, and on the folder itself. The system releases both when the process ends,
// however it ends: nothing that a crashed, killed or copied program left on the disk can block a
// start, and the lock of a running program is never taken as stale. The file is made when missing,
// never read and never deleted. A network file system (NFS) carries a flock out as a write lock,
// which only a descriptor opened for writing can take: that is what the file is for. The folder lock
// needs no write right and keeps apart a program that may not write the file and earlier versions,
// which lock the folder only. Only a regular file is opened as the lock file: a named pipe in its place
// would hold the start for ever.
#include <QString>

#include <functional>

namespace kav {

class InstanzSperre {
public:
    // The system call that takes the lock (::flock); tests put in failing ones.
    using Sperren = std::function<int(int fd, int operation)>;

    // Locks the folder `ordner`, made first when it is missing. Where it can be neither made nor
    // opened, nothing is locked and nothing is refused; a folder that is there but may not be read
    // is refused (ohneLeserecht).
    explicit InstanzSperre(const QString& ordner, Sperren sperren = {});
    ~InstanzSperre();
    InstanzSperre(const InstanzSperre&) = delete;
    InstanzSperre& operator=(const InstanzSperre&) = delete;

    // Another running program holds the folder.
    bool belegt() const { return m_belegt; }
    // The folder is there, but the lock needs the right to read it, which this process lacks.
    bool ohneLeserecht() const { return m_ohneLeserecht; }
    // The folder is there, but neither the file nor the folder could be locked for another reason
    // than another program holding them (a file system without locks): two programs are not kept
    // apart there. `fehler` is what the system said (errno).
    bool ungesperrt() const { return m_fehler != 0; }
    int fehler() const { return m_fehler; }

    // Why the lock file could not be used; the folder's lock alone then keeps programs apart, where
    // the file system allows it.
    enum class Sperrdatei {
        Offen,             // opened for writing
        Ordner,            // a folder lies in its place
        Verknuepfung,      // a symbolic link lies in its place (never followed)
        KeineDatei,        // a named pipe, socket or device lies in its place (never opened)
        NichtBeschreibbar, // a file the program may not write
        NichtAnlegbar,     // missing, and the program may not make it in the folder
        Fehler,            // another error of the file system
    };
    Sperrdatei sperrdatei() const { return m_sperrdatei; }

    static QString dateiname() { return QStringLiteral("Kav.sperre"); }

    // A start that ends before it put anything into a folder that it made for the lock leaves no trace:
    // the lock file and the folder go again (a folder with anything else in it stays).
    void gemachtenOrdnerEntfernen();

private:
    void freigeben();

    int m_datei = -1;
    int m_ordner = -1;
    QString m_gemacht; // the folder, when it was made here
    bool m_belegt = false;
    bool m_ohneLeserecht = false;
    int m_fehler = 0;
    Sperrdatei m_sperrdatei = Sperrdatei::Offen;
};

} // namespace kav

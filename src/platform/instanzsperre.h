#pragma once
// One running program per data folder: a kernel lock (flock) on the folder itself. It needs no write
// right, no file of its own and nothing of the environment, and the system releases it when the
// process ends, however it ends: nothing that a crashed, killed or copied program left on the disk
// can block a start, and the lock of a running program is never taken as stale.
#include <QString>

namespace kav {

class InstanzSperre {
public:
    // Locks the folder `ordner`, made first when it is missing. Where it can be neither made nor
    // opened, or its file system has no locks, nothing is locked and nothing is refused; a folder
    // that is there but may not be read is refused (ohneLeserecht).
    explicit InstanzSperre(const QString& ordner);
    ~InstanzSperre();
    InstanzSperre(const InstanzSperre&) = delete;
    InstanzSperre& operator=(const InstanzSperre&) = delete;

    // Another running program holds the folder.
    bool belegt() const { return m_belegt; }
    // The folder is there, but the lock needs the right to read it, which this process lacks.
    bool ohneLeserecht() const { return m_ohneLeserecht; }

private:
    int m_fd = -1;
    bool m_belegt = false;
    bool m_ohneLeserecht = false;
};

} // namespace kav

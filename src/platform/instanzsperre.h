#pragma once
// One running program per folder: a lock file that a program which no longer runs (crashed, killed)
// does not leave stuck; its lock is taken over.
#include <QString>

#include <memory>

class QLockFile;

namespace kav {

class InstanzSperre {
public:
    // Locks `ordner` through the file `name` in it. Where the folder cannot be written (a read-only
    // folder still starts, to show the data), the lock lies in the user's runtime folder under a name
    // made from the folder's canonical path. Where no lock can be made at all, nothing is locked and
    // nothing is refused.
    InstanzSperre(const QString& ordner, const QString& name);
    ~InstanzSperre();
    InstanzSperre(const InstanzSperre&) = delete;
    InstanzSperre& operator=(const InstanzSperre&) = delete;

    // Another running program holds the folder.
    bool belegt() const { return m_belegt; }

private:
    std::unique_ptr<QLockFile> m_sperre;
    bool m_belegt = false;
};

} // namespace kav

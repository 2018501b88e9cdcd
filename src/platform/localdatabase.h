#pragma once
// A local SQLite database file behind a named connection, opened only after a real damage check.
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace kav {

// Columns a table must hold, by table name.
using ExpectedColumns = QHash<QString, QStringList>;

class LocalDatabase {
public:
    // Checks that the file exists, is a regular file (not a link) that this process may read, is a readable database that passes SQLite's quick check,
    // and holds every expected table with every expected column (names compare without regard to
    // case; further columns are allowed). A hot journal beside the file is rolled back first, as
    // SQLite does whenever it opens a file after an unfinished write. On failure `why` says what
    // is wrong.
    static bool check(const QString& path, const QStringList& expectedTables, QString* why = nullptr,
                      const ExpectedColumns& expectedColumns = {});

    // The paths of the files SQLite keeps beside a database file while it writes (its rollback
    // journal, and the write-ahead log with its index), whether they exist or not. A journal
    // belongs to its file: it must move with it and never stay beside another file of that name.
    static QStringList companions(const QString& path);

    // What keeps the program from a file of a database that is there: the database file itself, or a
    // companion. SQLite would open a named pipe and wait on it for ever, follow a link to whatever it
    // leads to, and fail on a file it may not read: in each case the database would pass for damaged
    // while nothing of it was read.
    enum class FileFault {
        None,
        NotAFile,     // a named pipe, socket, device or folder (never opened)
        Link,         // a symbolic link (never followed)
        NoReadRight,  // a regular file this process may not read (EACCES, EPERM)
        Unreadable,   // a regular file that cannot be opened for another reason
        NoWriteRight, // a companion this process may read but not write or remove (fixedCompanions)
    };
    // What keeps the program from what lies at `path`; None when it is a regular file it may read, or
    // when nothing is there. Nothing is read, and a link is not followed.
    static FileFault fileFault(const QString& path);
    // The first of the companions of `path` that is there and that SQLite cannot use, with what keeps
    // it from it in `fault`: check() fails without reading it. Empty when there is none.
    static QString foreignCompanion(const QString& path, FileFault* fault = nullptr);
    // The companions of `path` that are files this process may read but may not write or remove
    // (another account's, or another's in a folder with the sticky bit): SQLite could neither roll such
    // a journal back nor delete it, and would fail on the file as if it were damaged.
    static QStringList fixedCompanions(const QString& path);

    // What of a database file cannot be written: "folder" (no new file can be made beside it,
    // so no journal either) and "file"; empty when both can.
    static QStringList notWritable(const QString& path);

    // Runs `action` while this process holds SQLite's write lock of the file, taken without waiting,
    // so that no other connection writes meanwhile; false, `action` not run, when another connection
    // (another program's open transaction) holds a lock that excludes it, or the file cannot be
    // written.
    static bool whileWriteLocked(const QString& path, const std::function<void()>& action);

    LocalDatabase(QString connectionName, QStringList expectedTables, ExpectedColumns expectedColumns = {});
    ~LocalDatabase();
    LocalDatabase(const LocalDatabase&) = delete;
    LocalDatabase& operator=(const LocalDatabase&) = delete;

    // Opens the file after check(); the connection is left closed on failure.
    bool open(const QString& path, QString* why = nullptr);
    // The last open failed because another connection (another program) held the file locked
    // longer than the wait: nothing is known of the file's soundness.
    bool busy() const { return m_busy; }
    void close();
    bool isOpen() const;

    QSqlDatabase db() const;
    QString path() const { return m_path; }
    QString connectionName() const { return m_connectionName; }
    const QStringList& expectedTables() const { return m_expectedTables; }

private:
    static bool pruefen(const QString& path, const QStringList& expectedTables, const ExpectedColumns& expectedColumns,
                        QString* why, bool* busy);

    QString m_connectionName;
    QStringList m_expectedTables;
    ExpectedColumns m_expectedColumns;
    QString m_path;
    bool m_busy = false;
};

} // namespace kav
